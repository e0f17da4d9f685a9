// The platform entry point: reads the command line and checks what it names, starts
// the console stand-in (a window on the real clock, or headless on the virtual
// clock) and runs the game.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "console/screenshot.h"
#include "console/system.h"
#include "orblib47/source/DebugFormat.h"
#include "source/CommandLine.h"
#include "source/DefaultDisc.h"
#include "source/DiscCheck.h"
#include "source/OrbMain.h"

namespace {

std::string s_screenshot;

// One line on standard error. Refusals quote what the user or a file gave:
// escaped, that stays one line and sends nothing raw to the terminal.
int Refuse(int status, const std::string& reason) {
    std::fprintf(stderr, "bowling: %s\n", DebugEscape(reason).c_str());
    std::fflush(nullptr);
    return status;
}

// The frame shown last, saved once, however the game leaves: the frame limit
// (main returns), the engine's own quit (it calls exit) and a quit from inside a
// frame, which a closed window and a signal lead to.
void SaveScreenshot() {
    const std::string path = std::exchange(s_screenshot, {});
    if (path.empty() || HostSaveScreenshot(path.c_str()))
        return;
    std::_Exit(Refuse(1, "cannot write the screenshot '" + path + "'"));
}

// A quit from inside a frame: the frame shown at the quit is saved, then the
// game's screens are freed before exit, while everything they use is alive.
void QuitFromInsideAFrame() {
    SaveScreenshot();
    OrbMainShutdown();
}

void RequestQuit(int) {
    HostRequestQuit();
}

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

void MaskQuitSignals(int how) {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : kQuitSignals)
        sigaddset(&signals, signal);
    sigprocmask(how, &signals, nullptr);
}

// Ctrl+C, a plain kill and a closed terminal ask the game to quit at its next
// frame; a second one ends the process at once. The handler is in place from the
// start, whatever the program inherited; the signals wait until the console that
// takes the request is up (its start forgets earlier requests).
void QuitOnSignals() {
    MaskQuitSignals(SIG_BLOCK);
    struct sigaction action = {};
    action.sa_handler = RequestQuit;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : kQuitSignals)
        sigaction(signal, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QuitOnSignals();
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc - 1, argv + 1, &line, &error) ||
        (!line.screenshot.empty() && !CheckOutputPath(line.screenshot, "screenshot", &error)) ||
        (!line.audioOut.empty() && !CheckOutputPath(line.audioOut, "audio file", &error)) ||
        (!line.nand.empty() && !CheckSaveFolder(line.nand, &error)) ||
        (!line.input.empty() && !HostCheckInputScript(line.input, &error)))
        return Refuse(2, error);
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
    config.pictures = !line.headless || !line.screenshot.empty();
    config.gxThreads = line.gxThreads;
    config.progressReports = line.verbose;
    if (!CheckDisc(config.discRoot, &error))
        return Refuse(2, "bad disc '" + config.discRoot + "': " + error);
    if (!HostInit(config, &error))
        return Refuse(1, error + "; --headless runs without a window");
    s_screenshot = line.screenshot;
    if (!s_screenshot.empty())
        HostVIKeepShownFrames();
    std::atexit(SaveScreenshot);
    HostSetExitCallback(QuitFromInsideAFrame);
    MaskQuitSignals(SIG_UNBLOCK);
    if (line.headless && line.frames == 0)
        std::fputs("bowling: headless with no --frames: running until interrupted (Ctrl+C)\n", stderr);
    g_FrameLimit = line.frames;
    g_LevelLaunchOptions = line.launch;
    g_LauncherEntry = line.entry;
    // The console is not shut down: global objects whose memory came from the
    // game's heap are destroyed after main returns, and that memory must stay.
    return OrbMain();
}
