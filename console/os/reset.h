// The reset and power buttons inside the console. Internal to the console.
#pragma once

#include "console/os.h"

namespace console {

// reset.cpp: button up, no power callback, the real ways out.
void ResetButtonsReset();
// The power callback the program installed, or null.
OSPowerCallback PowerCallback();

}  // namespace console
