// The platform entry point: reads the command line and checks what it names, starts
// the console stand-in (a window on the real clock, or headless on the virtual
// clock) and runs the game.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/screenshot.h"
#include "console/system.h"
#include "source/CommandLine.h"
#include "source/DefaultDisc.h"
#include "source/DiscCheck.h"
#include "source/OrbMain.h"

namespace {

std::string s_screenshot;

// Every way out passes here: the frame limit (main returns) and the engine's own
// quit (it calls exit), which a closed window and a signal lead to.
void SaveScreenshotAtExit() {
    if (s_screenshot.empty() || HostSaveScreenshot(s_screenshot.c_str()))
        return;
    std::fprintf(stderr, "bowling: cannot write the screenshot '%s'\n", s_screenshot.c_str());
    std::fflush(nullptr);
    std::_Exit(1);
}

void RequestQuit(int) {
    HostRequestQuit();
}

// Ctrl+C and a plain kill ask the game to quit at its next frame; a second one
// ends the process at once.
void QuitOnSignals() {
    struct sigaction action = {};
    action.sa_handler = RequestQuit;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc - 1, argv + 1, &line, &error) ||
        (!line.screenshot.empty() && !CheckOutputPath(line.screenshot, "screenshot", &error)) ||
        (!line.audioOut.empty() && !CheckOutputPath(line.audioOut, "audio file", &error)) ||
        (!line.input.empty() && !HostCheckInputScript(line.input, &error))) {
        std::fprintf(stderr, "bowling: %s\n", error.c_str());
        return 2;
    }
    if (line.help) {
        std::fputs(COMMAND_LINE_USAGE, stdout);
        return 0;
    }
    HostConfig config;
    config.clock = line.headless ? HostClockMode::Virtual : HostClockMode::Real;
    config.window = !line.headless;
    config.discRoot = line.disc.empty() ? DefaultDiscRoot() : line.disc;
    config.nandRoot = line.nand;
    config.inputScript = line.input;
    config.audioOut = line.audioOut;
    if (!CheckDisc(config.discRoot, &error)) {
        std::fprintf(stderr, "bowling: bad disc '%s': %s\n", config.discRoot.c_str(), error.c_str());
        return 2;
    }
    if (!HostInit(config, &error)) {
        std::fprintf(stderr, "bowling: %s; --headless runs without a window\n", error.c_str());
        return 1;
    }
    s_screenshot = line.screenshot;
    if (!s_screenshot.empty())
        HostVIKeepShownFrames();
    std::atexit(SaveScreenshotAtExit);
    QuitOnSignals();
    if (line.headless && line.frames == 0)
        std::fputs("bowling: headless with no --frames: running until interrupted (Ctrl+C)\n", stderr);
    g_FrameLimit = line.frames;
    g_LevelLaunchOptions = line.launch;
    // The console is not shut down: global objects whose memory came from the
    // game's heap are destroyed after main returns, and that memory must stay.
    return OrbMain();
}
