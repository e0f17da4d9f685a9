#include "orblib47/source/UI.h"

s32 UIStatusEnabled = 1;

void UISetEnabled() {
    UIStatusEnabled = 1;
}

void UISetDisabled() {
    UIStatusEnabled = 0;
}

s32 UIGetEnabled() {
    return UIStatusEnabled;
}
