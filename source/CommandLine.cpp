#include "source/CommandLine.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "orblib47/source/DebugFormat.h"
#include "source/Dev/DevEntries.h"
#include "source/Dev/Launcher.h"
#include "source/Levels/LevelTable.h"
#include "source/NumberArgument.h"

namespace fs = std::filesystem;

const char* const COMMAND_LINE_USAGE =
    "usage: bowling [--headless] [--frames N] [--disc DIR] [--nand DIR] [--input FILE]\n"
    "               [--screenshot FILE] [--audio-out FILE] [--players N] [--cpu LIST]\n"
    "               [--seed S] [--level N] [--entry N] [--launcher] [--gx-threads N]\n"
    "               [--verbose]\n"
    "  --headless         run without a window, on the virtual clock; without --frames it\n"
    "                     runs until interrupted (Ctrl+C)\n"
    "  --frames N         leave after N frames (1 to 4294967295); a frame is a retrace,\n"
    "                     1/60 s, as in input scripts\n"
    "  --disc DIR         the folder that holds the disc (default: the built demo disc)\n"
    "  --nand DIR         the folder that holds the saves (default: ~/.local/share/bowling/nand)\n"
    "  --input FILE       with --headless: the remotes follow this input script (docs/input.md)\n"
    "  --screenshot FILE  when the game leaves, however it leaves, save the frame shown last\n"
    "                     as a PNG file\n"
    "  --audio-out FILE   write the sound as it plays to a WAV file (32 kHz, 16-bit stereo)\n"
    "  --players N        bowlers in the game (1 to 4, default 1)\n"
    "  --cpu LIST         the bowlers the computer bowls, by number: --cpu 2,4\n"
    "  --seed S           the game's random seed (1 to 4294967295; default from the clock)\n"
    "  --level N          the alley (0 to 20, default 20)\n"
    "                     any of these four starts straight into that game on the alley;\n"
    "                     without them the game boots to its title and menus\n"
    "  --entry N          run entry N (0 to 12) of the start-up launcher's list: 0\n"
    "                     \"Level Manager\" (a list of the levels; the one chosen is\n"
    "                     played), 1 the game (the default), 2 the resource viewer,\n"
    "                     3 to 9 the rendering tests, 10 to 12 the screen tests\n"
    "  --launcher         open the start-up launcher's list of entries instead (pad\n"
    "                     up/down and A, or the mouse after - and C; File > Exit leaves)\n"
    "  --gx-threads N     the threads that draw the pictures (1 to 64; default\n"
    "                     BOWLING_GX_THREADS, else one per processor core); every\n"
    "                     count draws the same pictures\n"
    "  --verbose          also print the engine's progress lines (what it loads, its\n"
    "                     resets) and the sound library's messages on standard error;\n"
    "                     errors are always printed\n"
    "The window needs a display; closing it quits. Exit status: 0 after a quit or the\n"
    "frame limit, 1 when the window cannot be opened or the screenshot written, 2 for a\n"
    "bad command line (an option, the disc, the input script or an output file's folder)\n"
    "or a level whose archive on the disc does not load.\n";

namespace {

// An argument as a refusal quotes it: escaped, so that the reason stays one line.
std::string Quoted(std::string_view argument) {
    std::string text = "'";
    text.append(DebugEscape(argument)).append("'");
    return text;
}

// Built by appending: GCC 12's -O3 warns falsely (-Wrestrict) on "literal" + string.
std::string NeedsAValue(std::string_view name) {
    return Quoted(name).append(" needs a value");
}

bool Fail(std::string* error, std::string why) {
    *error = std::move(why);
    return false;
}

// "--NAME needs WHAT from MIN to MAX, not 'VALUE'"
std::string OutOfRange(std::string_view name, std::string_view what, std::int64_t min, std::int64_t max,
                       std::string_view value) {
    std::string text = Quoted(name);
    text.append(" needs ").append(what).append(" from ").append(std::to_string(min));
    text.append(" to ").append(std::to_string(max)).append(", not ").append(Quoted(value));
    return text;
}

// A comma list of player numbers 1..4 as a mask (bit 0 = player 1).
bool ParsePlayerList(std::string_view list, u32* mask) {
    *mask = 0;
    while (true) {
        const size_t comma = list.find(',');
        std::int64_t player = 0;
        if (!ParseIntegerArgument(list.substr(0, comma), 1, MAX_LAUNCH_PLAYERS, &player))
            return false;
        *mask |= 1u << (player - 1);
        if (comma == std::string_view::npos)
            return true;
        list.remove_prefix(comma + 1);
    }
}

// One of the options that choose the game (--players, --seed, --level, --cpu):
// empty when the value is taken, else the reason it is refused.
std::string ParseGameOption(std::string_view name, std::string_view value, LevelLaunchOptions* launch) {
    std::int64_t number = 0;
    if (name == "--players") {
        if (!ParseIntegerArgument(value, 1, MAX_LAUNCH_PLAYERS, &number))
            return OutOfRange(name, "a number of bowlers", 1, MAX_LAUNCH_PLAYERS, value);
        launch->players = s32(number);
    } else if (name == "--seed") {
        if (!ParseIntegerArgument(value, 1, 0xFFFFFFFF, &number))
            return OutOfRange(name, "a seed", 1, 0xFFFFFFFF, value);
        launch->seed = u32(number);
    } else if (name == "--level") {
        if (!ParseIntegerArgument(value, 0, LevelMgrLevelCount - 1, &number))
            return OutOfRange(name, "a level", 0, LevelMgrLevelCount - 1, value);
        launch->level = s32(number);
    } else if (!ParsePlayerList(value, &launch->computerPlayers)) {
        return "'--cpu' needs bowler numbers from 1 to 4 between commas, not " + Quoted(value);
    }
    return {};
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error) {
    *line = CommandLine{};
    bool entryGiven = false;
    bool gameGiven = false;
    bool launcherGiven = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--help") {
            line->help = true;
            continue;
        }
        if (name == "--headless") {
            line->headless = true;
            continue;
        }
        if (name == "--launcher") {
            launcherGiven = true;
            continue;
        }
        if (name == "--verbose") {
            line->verbose = true;
            continue;
        }
        std::string* text = name == "--disc"         ? &line->disc
                            : name == "--nand"       ? &line->nand
                            : name == "--input"      ? &line->input
                            : name == "--screenshot" ? &line->screenshot
                            : name == "--audio-out"  ? &line->audioOut
                                                     : nullptr;
        const bool game = name == "--players" || name == "--seed" || name == "--level" || name == "--cpu";
        if (text == nullptr && !game && name != "--frames" && name != "--entry" && name != "--gx-threads")
            return Fail(error, "unknown option " + Quoted(name) + " (bowling --help lists them)");
        if (i + 1 == argc)
            return Fail(error, NeedsAValue(name));
        const std::string_view value = argv[++i];
        if (game) {
            gameGiven = true;
            std::string refused = ParseGameOption(name, value, &line->launch);
            if (!refused.empty())
                return Fail(error, std::move(refused));
        } else if (name == "--entry") {
            std::int64_t entry = 0;
            if (!ParseIntegerArgument(value, 0, LAUNCHER_ENTRIES - 1, &entry))
                return Fail(error, OutOfRange(name, "a launcher entry", 0, LAUNCHER_ENTRIES - 1, value));
            line->entry = s32(entry);
            entryGiven = true;
        } else if (name == "--gx-threads") {
            std::int64_t threads = 0;
            if (!ParseIntegerArgument(value, 1, MAX_GX_THREADS, &threads))
                return Fail(error, OutOfRange(name, "a number of threads", 1, MAX_GX_THREADS, value));
            line->gxThreads = u32(threads);
        } else if (text == nullptr) {
            std::int64_t frames = 0;
            if (!ParseIntegerArgument(value, 1, 0xFFFFFFFF, &frames))
                return Fail(error, OutOfRange(name, "a count", 1, 0xFFFFFFFF, value));
            line->frames = u32(frames);
        } else if (value.empty()) {
            return Fail(error, NeedsAValue(name));
        } else {
            *text = value;
        }
    }
    if (launcherGiven && (entryGiven || gameGiven))
        return Fail(error,
                    "'--launcher' opens the launcher's list: it goes with no '--entry', '--players', "
                    "'--cpu', '--seed' or '--level'");
    if (launcherGiven)
        line->entry = DEV_ENTRY_LAUNCHER;
    if (gameGiven && entryGiven && line->entry != DEV_ENTRY_LEVEL_MANAGER)
        return Fail(error,
                    "'--players', '--cpu', '--seed' and '--level' start a game: they go with no "
                    "'--entry' but 0");
    if (gameGiven)
        line->entry = DEV_ENTRY_LEVEL_LAUNCH;
    const u32 bowlers = (1u << line->launch.players) - 1;
    if ((line->launch.computerPlayers & ~bowlers) != 0)
        return Fail(error, "'--cpu' names a bowler past the " + std::to_string(line->launch.players) +
                               " of '--players'");
    if (!line->input.empty() && !line->headless)
        return Fail(error,
                    "'--input' needs '--headless': in the window the keyboard and mouse are the remotes");
    return true;
}

bool CheckOutputPath(const std::string& path, const std::string& what, std::string* error) {
    std::error_code ignored;
    const fs::path file = path;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (fs::is_directory(file, ignored))
        return Fail(error, "the " + what + " " + Quoted(path) + " is a folder");
    if (!fs::is_directory(folder, ignored))
        return Fail(error, "the " + what + "'s folder " + Quoted(folder.string()) + " does not exist");
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return Fail(error, "the " + what + "'s folder " + Quoted(folder.string()) + " is not writable");
    return true;
}

bool CheckSaveFolder(const std::string& path, std::string* error) {
    std::error_code ignored;
    if (fs::exists(path, ignored) && !fs::is_directory(path, ignored))
        return Fail(error, "the saves' folder " + Quoted(path) + " is not a folder");
    return true;
}
