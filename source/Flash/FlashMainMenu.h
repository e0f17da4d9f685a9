// INTERIM stand-in for the main menu's screen class, only what quick play uses of
// it (the shell's background and border layers); the main menu's own class
// replaces this file whole.
#pragma once

#include "orblib47/source/OrbTypes.h"

class CFlashMainMenu {
public:
    void CloseBackground() {}
    void OpenBorder(const char*, const char*) {}
    void CloseBorder() {}

    s32 m_iScreenIds[4] = {-1, -1, -1, -1};  // background, border, main menu, settings
};
