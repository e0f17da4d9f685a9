#include "source/Wii_HomeButton.h"
void HomeButtonStartup() {}
void HomeButtonEnable(s32) {}
s32 HomeButtonMenuIsActive() {
    return 0;
}
