// The start-up launcher: the list of the program's entries (the game shell and
// the developer tools), each run until it returns to the list.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr s32 LAUNCHER_ENTRIES = 13;

using LauncherEntryFunc = s32 (*)();

extern const char* const DebugMenuItems[LAUNCHER_ENTRIES];
// One row more than the list offers: MainExit.
extern const LauncherEntryFunc DebugMenuHandlers[LAUNCHER_ENTRIES + 1];

// Shows the list and runs the chosen entries until "Exit" or the frame limit.
void LauncherLoop();
// DebugMenu, whose list the program's frame limit ends as a quit does (-1).
s32 LauncherDebugMenu(s32 selection, const char* const* entries, s32 count, const char* title);
// Runs one entry; the program's frame limit ends it.
void LauncherRunEntry(s32 entry);
