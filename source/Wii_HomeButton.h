#pragma once
#include "orblib47/source/OrbTypes.h"
void HomeButtonStartup();
void HomeButtonEnable(s32 on);
s32 HomeButtonMenuIsActive();
