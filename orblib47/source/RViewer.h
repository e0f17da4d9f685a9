// The resource viewer: the developer tool that shows the disc's assets one at a
// time (textures, sprites, fonts, particle systems, sounds, streams, cut-scenes,
// models and worlds). It runs as one blocking call until the user quits.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_menu_item;

// The whole viewer; -1 when the user quits.
s32 ViewResource();

// Set by "Cancel" and "Quit": the current view ends.
extern s32 RViewerCancel;

// The menu functions every view's bar shares (RViewerMenus.cpp).
s32 CancelMenuFunc(s_menu_item* item);
// Ends the view and, after it, the viewer.
s32 QuitMenuFunc(s_menu_item* item);
