// The reset and power buttons, and the ways out of the program: a restart runs the
// program again from the top with its arguments; switching off leaves it normally,
// so its exit work (screenshot, WAV header) is done.
#include "console/os/reset.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "console/host_services.h"
#include "console/input/remote.h"
#include "console/os/poll.h"
#include "console/os/reset_control.h"
#include "console/system.h"

namespace {

bool s_resetDown = false;
OSPowerCallback s_powerCallback = nullptr;
HostRestartHandler s_restartHandler = nullptr;
HostShutdownHandler s_shutdownHandler = nullptr;
void (*s_exitCallback)() = nullptr;

// The program's file. Run through the kernel's link to it, the program would be
// named "exe" in ps and top; the path the link names keeps its name.
std::string ProgramPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path));
    if (length <= 0 || size_t(length) == sizeof(path))
        return "/proc/self/exe";
    return std::string(path, size_t(length));
}

// The program's own arguments, as the kernel keeps them.
std::vector<std::string> CommandLineArguments() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> arguments;
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find('\0', start);
        arguments.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    return arguments;
}

}  // namespace

void console::ResetButtonsReset() {
    s_resetDown = false;
    s_powerCallback = nullptr;
    s_restartHandler = nullptr;
    s_shutdownHandler = nullptr;
    s_exitCallback = nullptr;
}

OSPowerCallback console::PowerCallback() {
    return s_powerCallback;
}

void HostSetResetButton(bool down) {
    s_resetDown = down;
}

void HostSetRestartHandler(HostRestartHandler handler) {
    s_restartHandler = handler;
}

void HostSetShutdownHandler(HostShutdownHandler handler) {
    s_shutdownHandler = handler;
}

void HostSetExitCallback(void (*callback)()) {
    s_exitCallback = callback;
}

BOOL OSGetResetButtonState() {
    console::Poll();
    // The remotes' source (window or script) sets the button as it samples.
    console::RemotesCatchUp();
    return s_resetDown ? TRUE : FALSE;
}

OSPowerCallback OSSetPowerCallback(OSPowerCallback callback) {
    const OSPowerCallback previous = s_powerCallback;
    s_powerCallback = callback;
    return previous;
}

void OSRestart(u32 resetCode) {
    if (s_restartHandler != nullptr) {
        s_restartHandler(resetCode);
        OSPanic(__FILE_NAME__, __LINE__, "OSRestart(): the test's handler returned\n");
    }
    HostMemoryScope hostMemory;
    std::vector<std::string> arguments = CommandLineArguments();
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    if (argv.size() > 1) {
        execv(ProgramPath().c_str(), argv.data());
        // Replaced or removed since it started: the kernel's link still runs it.
        execv("/proc/self/exe", argv.data());
    }
    OSPanic(__FILE_NAME__, __LINE__, "OSRestart(): cannot run the program again: %s\n", std::strerror(errno));
}

void OSShutdownSystem() {
    if (s_shutdownHandler != nullptr) {
        s_shutdownHandler();
        OSPanic(__FILE_NAME__, __LINE__, "OSShutdownSystem(): the test's handler returned\n");
    }
    if (void (*callback)() = std::exchange(s_exitCallback, nullptr))
        callback();
    std::exit(0);
}

void OSReturnToMenu() {
    OSShutdownSystem();
}
