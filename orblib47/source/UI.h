// The debug UI's on/off switch; screens that take the whole picture (movies)
// switch the UI off while they run.
#pragma once

#include "orblib47/source/OrbTypes.h"

extern s32 UIStatusEnabled;  // 1 after the warm reset

void UISetEnabled();
void UISetDisabled();
s32 UIGetEnabled();
