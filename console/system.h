// Starting the console: which clock runs, whether a window is shown, how big the
// arenas are, and the few controls that tests and the game's entry point need
// beyond the console's own calls.
#pragma once

#include <string>

#include "console/os.h"

enum class HostClockMode {
    Real,     // steady_clock; retrace waits sleep to the next 1/60 s boundary
    Virtual,  // a counter; waits jump, reads step, costs are charged
};

struct HostConfig {
    HostClockMode clock = HostClockMode::Virtual;
    bool window = false;  // open the SDL2 window (used with the real clock)

    u32 mem1Size = 24u * 1024 * 1024;
    u32 mem2Size = 64u * 1024 * 1024;

    // Virtual clock: where it starts (2007-01-01 00:00:00 by default), how far each
    // read of the clock moves it, and what one idle-callback call costs.
    OSTime virtualStart = OSSecondsToTicks(2557 * 86400LL);
    OSTime virtualReadStep = 64;
    OSTime virtualIdleCost = OSMillisecondsToTicks(2);

    // System settings the command line may change.
    u8 language = 1;         // SC_LANG_ENGLISH
    u8 aspectRatio = 0;      // SC_ASPECT_RATIO_4x3
    u8 progressiveMode = 0;  // off; when on, a component cable is connected too
    u32 tvFormat = 0;        // VI_NTSC
    u32 soundMode = 1;       // OS_SOUND_MODE_STEREO

    std::string windowTitle = "Bowling";

    // The debug output's progress lines (what loads, the resets) and the sound
    // library's messages reach standard error only when asked for; errors always
    // do, and a report sink receives every line.
    bool progressReports = false;

    // The host folder that the disc drive reads as the disc's root.
    std::string discRoot = ".";
    std::string inputScript;  // virtual mode: the remotes' input script (docs/input.md); empty: none

    // The host folder that stands for the flash storage's root; empty means the
    // user's data directory ($XDG_DATA_HOME or ~/.local/share, then bowling/nand).
    std::string nandRoot;

    // Where the audio output goes besides the window's audio device: a WAV file
    // written as the program runs (empty: none).
    std::string audioOut;

    // GX draws and copies pixels. Off, it keeps its state but every frame buffer
    // stays as it is: for a headless run that keeps no picture, ten times faster.
    bool pictures = true;

    // The threads that draw GX's pixels, the program's own included; 0 takes
    // BOWLING_GX_THREADS from the environment, or else one per processor core.
    // Every count draws the same pictures.
    u32 gxThreads = 0;
};

// (Re)starts every console service from scratch with the given configuration
// (the quit callback, a pending quit request and the report sink are cleared too).
// False, with the reason in `windowError`, when the window asked for cannot be
// opened (no display, or SDL fails); the console then runs without one.
bool HostInit(const HostConfig& config, std::string* windowError = nullptr);
// Releases the window and the arenas.
void HostShutdown();
const HostConfig& HostGetConfig();

// Debug output goes to standard error unless a sink is installed (null restores it).
using HostReportSink = void (*)(const char* text, void* context);
void HostSetReportSink(HostReportSink sink, void* context);

// Asks the program to quit, as closing the window does: the quit callback runs at
// the next retrace wait. Safe to call from a signal handler.
void HostRequestQuit();

// Runs once when the console ends the program from inside a frame (the power
// button, the HOME menu's shutdown), before exit: exit destroys the main thread's
// own objects (the rasteriser's scratch among them) before its handlers run, so
// the program frees what it holds here. HostInit forgets it.
void HostSetExitCallback(void (*callback)());

// Reads and parses an input script (docs/input.md) without installing it; false,
// with a one-line reason naming the file, when it cannot be read, is a folder or
// does not parse.
bool HostCheckInputScript(const std::string& path, std::string* error);

// The host file or folder that a disc name ('/' separated, from the disc's root)
// stands for below the host folder `root`, matched without regard to case as the
// drive does; empty when nothing matches.
std::string HostDiscPath(const std::string& root, const std::string& name);

// Virtual clock only: moves the clock forward by the given ticks (a test's way of
// making a frame cost time). Callbacks that became due run at the next poll point.
void HostAdvanceClock(OSTime ticks);
