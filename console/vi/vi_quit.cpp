// Quit requests: closing the window or a signal asks the program to quit; the
// request reaches the power callback (the console's power button) when the program
// installed one, else its quit callback, at the next retrace wait, on the main
// thread.
#include <csignal>

#include "console/host_services.h"
#include "console/os/reset.h"
#include "console/system.h"
#include "console/vi/vi_control.h"

namespace {

void (*s_quitCallback)() = nullptr;
volatile std::sig_atomic_t s_quitRequested = 0;
bool s_quitNotified = false;

}  // namespace

void HostSetQuitCallback(void (*callback)()) {
    s_quitCallback = callback;
}

void HostRequestQuit() {
    s_quitRequested = 1;
}

void console::QuitReset() {
    s_quitCallback = nullptr;
    s_quitRequested = 0;
    s_quitNotified = false;
}

void console::QuitDeliver() {
    // A request made before the program set a callback waits for one.
    const OSPowerCallback power = console::PowerCallback();
    if (s_quitRequested == 0 || s_quitNotified || (power == nullptr && s_quitCallback == nullptr))
        return;
    s_quitNotified = true;
    if (power != nullptr)
        power();
    else
        s_quitCallback();
}
