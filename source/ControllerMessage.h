// The controller-disconnected message: checked once a frame by the game shell.
// When the controller in charge has gone, a popup names it, the game pauses, and
// the check waits, frame by frame, until that controller presses A.
#pragma once

#include "orblib47/source/OrbTypes.h"

// A counter: the check runs only while disables and enables are even.
void ControllerMessageDisable();
void ControllerMessageEnable();
s32 ControllerMessageActive();
// 0: controller 0 is in charge; 1: the current bowler's controller.
void ControllerMessageAllowSecondaryControllers(s32 allow);
void ControllerMessageCheck();
// Start-up values, for the game's cold reset.
void ControllerMessageColdReset();
