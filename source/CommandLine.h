// The game's command line: the options as they were given, or a one-line reason
// why they cannot be used.
#pragma once

#include <string>

#include "orblib47/source/OrbTypes.h"
#include "source/Dev/DevEntries.h"
#include "source/Levels/LevelLauncher.h"

struct CommandLine {
    bool help = false;
    bool headless = false;  // no window, the virtual clock
    bool verbose = false;   // progress lines on standard error too
    u32 frames = 0;         // leave after this many retraces; 0 runs until a quit request
    std::string disc;       // empty: the built demo disc
    std::string nand;       // empty: the user's data folder
    std::string input;      // the remotes' input script (headless)
    std::string screenshot;
    std::string audioOut;              // a WAV file of the sound
    LevelLaunchOptions launch;         // the game started: level, bowlers, seed
    s32 entry = DEV_ENTRY_GAME_SHELL;  // the launcher entry that runs
    u32 gxThreads = 0;                 // the threads that draw pixels; 0: the console's choice
};

constexpr u32 MAX_GX_THREADS = 64;

// The options text of --help.
extern const char* const COMMAND_LINE_USAGE;

// Reads the arguments after the program's name; false with a one-line reason (for
// "bowling: REASON") when they are not a valid command line.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error);

// Before the first frame: an output file (`what`: "screenshot", "audio file") can be
// written where it was asked for (its folder exists and takes files); false with a
// one-line reason.
bool CheckOutputPath(const std::string& path, const std::string& what, std::string* error);
// The saves' folder is a folder, or not there yet (it is made at the first save);
// false with a one-line reason.
bool CheckSaveFolder(const std::string& path, std::string* error);
