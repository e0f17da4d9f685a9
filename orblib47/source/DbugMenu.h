// The launcher's list screen: a title, the build line, a menu bar ("File":
// "Launch . . .", "Exit"; "View": "Timing") and the large list dialog of the
// entries. It blocks, running frames, until an entry is launched or the user
// exits, fades out and returns the choice.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_menu_item;
struct s_thread;
struct s_window_obj;

constexpr u32 DEBUG_MENU_THREAD_PRIORITY = 5100;

extern s32 DebugSelection;         // the entry launched last, -1 before the first; kept across calls
extern s_window_obj* DebugDialog;  // the list dialog while it is open
extern s_thread* DebugThreadPtr;
// The build's compile date and time, "May  7 2007 at 10:03:18" in form (DebugBuildStamp.cpp).
extern const char* DebugBuildStamp;

// The chosen entry, or -1 after "Exit" or once the tools' quit flag (UIQuitFlag)
// is raised; a quit does not fade. `selection` is highlighted the first time only.
s32 DebugMenu(s32 selection, const char* const* entries, s32 count, const char* title);

// The tools' "Timing" menu item: flips its tick and the debug timing display with it.
s32 ViewTimingMenuFunc(s_menu_item* item);
