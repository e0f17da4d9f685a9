// The toolkit's text widgets: the list box (a scrolling list of strings with one
// selected line), the drop-down list (a field that opens a list box of choices)
// and the line edit (an editable text field with optional spin buttons). Each
// record begins with its s_ui_object header `obj`.
#pragma once

#include "orblib47/source/UIWidget.h"

// List box flags.
constexpr u32 LISTBOX_RAISED = 0x1;  // else sunken
constexpr u32 LISTBOX_SCROLLBAR = 0x2;

constexpr u32 LINE_EDIT_SPIN_BUTTONS = 0x1;  // drawn; they answer either way
constexpr u32 LINE_EDIT_TEXT_SIZE = 128;     // with the terminator

// The spin buttons' word to the line edit's callback.
constexpr s32 LINE_EDIT_EVENT_VALUE_UP = 0;
constexpr s32 LINE_EDIT_EVENT_VALUE_DOWN = 1;

// The caller's description of a list box.
struct s_listbox {
    u32 flags;  // LISTBOX_RAISED
    s32 numItems;
    const char* const* items;  // kept, not copied
    u32 id;
    s16 width;   // least text width in pixels
    s16 height;  // visible lines; 0: all items
};

struct s_listbox_obj {
    s_ui_object obj;
    u32 flags;  // LISTBOX_*
    s32 index;  // the selected line
    u32 bkgColor;
    u32 textColor;
    u32 hiliteColor;
    const char* const* items;
    s32 numItems;
    s16 height;  // visible lines
    s16 lineHeight;
    s32 top;  // first visible line
    s_scrollbar_obj* scrollbar;
};

// The drop-down list.
struct s_multi_edit_obj {
    s_ui_object obj;
    s32 value;  // the chosen item
    e_button_state buttonState;
    s_Irect16 buttonRect;  // in the space of obj.rect
    u32 bkgColor;
    u32 textColor;
    u32 hiliteColor;
    const char* const* items;
    s32 numItems;
    s_listbox_obj* listbox;  // the open choice list
};

struct s_line_edit_obj {
    s_ui_object obj;
    u32 flags;  // LINE_EDIT_SPIN_BUTTONS
    char text[LINE_EDIT_TEXT_SIZE];
    u32 bkgColor;
    u32 textColor;
    u32 buttonColor;
    e_button_state upState;
    e_button_state downState;
    s_Irect16 upRect;  // in the space of obj.rect
    s_Irect16 downRect;
    u16 cursorStart;  // the selection is [cursorStart, cursorEnd); equal: a caret
    u16 cursorEnd;
    void (*func)(s_line_edit_obj* edit);                 // the owner's; never called here
    void (*callback)(s_line_edit_obj* edit, s32 event);  // LINE_EDIT_EVENT_*, from the spin buttons
};

// UIListBox.cpp. The list box tells its user function UI_OBJ_EVENT_USER, calling
// it directly, whenever the selection is touched; the function reads `index`.
s_listbox_obj* ListboxOpen(s32 x, s32 y, const s_listbox* description, UIObjectEventFunc userFunc);
// Selects the line and scrolls it into view when it lies below the first page.
void ListboxSetSelection(s_listbox_obj* list, s32 line);
// Including the scroll bar.
s32 ListboxGetWidth(const s_listbox_obj* list);

// UIDropDown.cpp.
s_multi_edit_obj* MultiEditOpen(s32 x, s32 y, const char* const* items, s32 numItems, s32 value);
void MultiEditSetPos(s_multi_edit_obj* drop, s32 x, s32 y);
s32 MultiEditGet(const s_multi_edit_obj* drop);

// UILineEdit.cpp. The text is copied, cut at 127 characters.
s_line_edit_obj* LineEditOpen(s32 x, s32 y, s32 width, const char* text, void (*func)(s_line_edit_obj*),
                              u32 flags, void (*callback)(s_line_edit_obj*, s32));
