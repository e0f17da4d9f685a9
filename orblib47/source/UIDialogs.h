// The stock dialogs the tools open and then poll from their own frame loops: the
// list dialog (pick one string; a large centred form and a small live form), the
// message box and the colour dialog. One of each kind can be open at a time.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/UITextWidget.h"

// ListDialogState.
constexpr s32 LIST_DIALOG_NONE = 0;
constexpr s32 LIST_DIALOG_OPEN = 1;
constexpr s32 LIST_DIALOG_CANCELLED = 2;
constexpr s32 LIST_DIALOG_CHOSEN = 3;

extern s32 ListDialogState;
extern s32 ListDialogSelection;  // the list's current line
extern s_listbox ListDialogListBox;
extern s_listbox ListDialogListBox2;
extern s32 DialogState;  // the message box's: 1 while it is open
extern const char* const* DialogStrings;
extern s32 NumDialogStrings;
extern s_scrollbar_obj* RedScrollbar;
extern s_scrollbar_obj* GreenScrollbar;
extern s_scrollbar_obj* BlueScrollbar;
extern s_scrollbar_obj* AlphaScrollbar;
extern u32* RGBADst;
extern s_Vector4* RGBAVectorDst;

// UIListDialog.cpp. Centred across the screen at height y; the first button
// (pad A) chooses, "Cancel" (pad B) cancels, a double click on a line chooses.
s_window_obj* ListDialogOpen(s32 x, s32 y, const char* const* items, s32 count, const char* label,
                             s32 selection, const char* title);
// At (x, y), already "chosen": the caller follows ListDialogSelection while it is
// open; "Close" (pad B) cancels. The label is not shown.
s_window_obj* ListDialogOpen2(s32 x, s32 y, const char* const* items, s32 count, const char* label,
                              s32 selection, const char* title);
// The state; the selection through `selection`.
s32 ListDialogQuery(s_window_obj* dialog, s32* selection);
// The list dialogs never close themselves.
void ListDialogClose(s_window_obj* dialog);

// UIMessageDialog.cpp. Modal, centred on (cx, cy); the lines are kept, the first
// is drawn in white.
s_window_obj* DialogOpen(s32 cx, s32 cy, const char* const* lines, s32 count, const char* title);

// UIColorDialog.cpp. Modal; "Okay" writes the colour, "Cancel" nothing.
s_window_obj* RGBADialogOpen(s32 cx, s32 cy, const char* title, u32* color);
// Components are taken within 0..1.
s_window_obj* RGBAVectorDialogOpen(s32 cx, s32 cy, const char* title, s_Vector4* color);
