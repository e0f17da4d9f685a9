// SC: the console's system settings.
#pragma once

#include "console/types.h"

constexpr s32 SC_STATUS_READY = 0;
constexpr s32 SC_STATUS_BUSY = 1;

enum : u8 {
    SC_LANG_JAPANESE = 0,
    SC_LANG_ENGLISH = 1,
    SC_LANG_GERMAN = 2,
    SC_LANG_FRENCH = 3,
    SC_LANG_SPANISH = 4,
    SC_LANG_ITALIAN = 5,
    SC_LANG_DUTCH = 6,
};

enum : u8 {
    SC_ASPECT_RATIO_4x3 = 0,
    SC_ASPECT_RATIO_16x9 = 1,
};

void SCInit();
s32 SCCheckStatus();
u8 SCGetLanguage();
u8 SCGetAspectRatio();
u8 SCGetProgressiveMode();
void SCSetProgressiveMode(u8 mode);
