// Test controls of the reset and power buttons and of the ways out of the program.
// HostInit puts them back to their defaults: button up, no power callback, and
// the real restart and switch-off.
#pragma once

#include "console/os.h"

// Press or release the reset button (the window's key and the input script's
// `reset` events set it too).
void HostSetResetButton(bool down);

// What OSRestart and OSShutdownSystem (and OSReturnToMenu) do in place of leaving
// the program: a test's handler must not return (it throws).
using HostRestartHandler = void (*)(u32 resetCode);
using HostShutdownHandler = void (*)();
void HostSetRestartHandler(HostRestartHandler handler);
void HostSetShutdownHandler(HostShutdownHandler handler);
