#pragma once
#include "orblib47/source/OrbTypes.h"
void ControllerMessageDisable();
void ControllerMessageEnable();
void ControllerMessageCheck();
