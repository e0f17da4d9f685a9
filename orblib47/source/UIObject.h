// The developer tools' UI toolkit: object records from one fixed pool, linked
// into a tree, fed pointer and pad input and drawn over the finished picture by
// one task each frame. Widgets are in UIWidget.h and UIMenu.h.
#pragma once

#include <cstddef>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/UI.h"

struct s_debug_memory;
struct s_font;
struct s_stdrec;
struct s_thread;

enum e_ui_obj_type : s32 {
    UI_OBJ_WINDOW = 0,
    UI_OBJ_BUTTON = 1,
    UI_OBJ_MENUBAR = 2,
    UI_OBJ_MENU = 3,
    UI_OBJ_LISTBOX = 4,
    UI_OBJ_CHECKBOX = 5,
    UI_OBJ_SCROLLBAR = 6,
    UI_OBJ_RADIO_BUTTON = 7,  // no object of this type is opened
    UI_OBJ_LINE_EDIT = 8,
    UI_OBJ_TEXT_EDIT = 9,  // no object of this type is opened
    UI_OBJ_MULTI_EDIT = 10,
};

enum e_ui_obj_event_type : s32 {
    UI_OBJ_EVENT_IDLE = 0,
    UI_OBJ_EVENT_FOCUS = 1,
    UI_OBJ_EVENT_DEFOCUS = 2,
    UI_OBJ_EVENT_UI = 3,
    UI_OBJ_EVENT_MOUSE_UI = 4,  // each frame to each active object served, with a pointer
    UI_OBJ_EVENT_PAD_UI = 5,    // each frame to an active object whose parent or itself has focus
    UI_OBJ_EVENT_KEYBOARD_UI = 6,
    UI_OBJ_EVENT_MOUSE_NEW = 7,
    UI_OBJ_EVENT_MOUSE_UP = 8,
    UI_OBJ_EVENT_MOUSE_DOWN = 9,
    UI_OBJ_EVENT_MOUSE_OVER = 10,
    UI_OBJ_EVENT_OPEN = 11,
    UI_OBJ_EVENT_CLOSE = 12,  // a window's close box to its window
    UI_OBJ_EVENT_DRAW = 13,   // each frame to each active object, back to front
    UI_OBJ_EVENT_USER = 14,   // a widget's own notice to its user function
};

// The core's bits of s_ui_object::flags.
constexpr u32 UI_OBJ_FLAG_ACTIVE = 0x08;  // served and drawn; every open function sets it
constexpr u32 UI_OBJ_FLAG_CLOSE = 0x20;   // the next UI pass closes it
constexpr u32 UI_OBJ_FLAG_MODAL = 0x40;   // only it and its children get input
constexpr u32 UI_OBJ_FLAG_FOCUS = 0x80;   // one per list at most

struct s_ui_object;
// Non-zero: the event was handled.
using UIObjectEventFunc = s32 (*)(s_ui_object* object, e_ui_obj_event_type event);

struct s_ui_object {
    s_ui_object* next;       // in the top-level list or the parent's child list
    s_ui_object* prev;       // UIObjectList for the first top-level object, null for a first child
    s_ui_object* childNext;  // first child
    s_ui_object* parent;     // for a menu opened from a bar, the bar (the menu stays top-level)
    s_ui_object* extra;      // the owner's back pointer
    UIObjectEventFunc systemFunc;
    UIObjectEventFunc userFunc;
    e_ui_obj_type type;
    s32 id;
    s32 parm;  // the caller's; the toolkit never reads it
    u32 flags;
    s_Irect16 rect;  // screen pixels at top level, offsets from the parent's x and y below it
    s_font* font;    // current when the object opened; made current before it draws
    s_Vector2 scale;
};

// Most widgets answer either pointer button.
constexpr u32 UI_MOUSE_BUTTONS = MOUSE_BUTTON_1 | MOUSE_BUTTON_2;

// Bytes of one pool record: room for the largest widget record.
constexpr u32 UI_OBJECT_RECORD_SIZE = 320;

extern s_stdrec* UIObjectRecords;
extern s_debug_memory* UIObjectMemory;  // the tracking list "UIObject"
extern s_ui_object UIObjectList;        // head of the top-level list: its `next` is the first object
extern s_Vector2 UIObjectPos;           // the drawing origin; (0, 0) outside drawing
extern s_Vector2 UIObjectPosSave;
extern f32 UIAlpha;         // opacity of everything the toolkit draws
extern s32 UIDisableMouse;  // 1 when the UI took the pointer this frame
extern s32 UIQuitFlag;      // set by a tool to end the blocking dialog loops
extern s32 UIFadeOutEnabled;

// UIObject.cpp: the pool, the tree, dispatch and closing.
void UIObjectColdReset();
// The pool of `count` records, the task and the tracking list; 1 when the pool exists.
s32 UIObjectWarmReset(u32 count);
// A cleared record registered in the tracking list; null when the pool is empty.
s_ui_object* UIObjectRecordAlloc();
// A record with the type, the system function, the active bit and the current font
// and text scale, the rest cleared; not yet listed. Null when the pool is empty.
s_ui_object* UIObjectRecordOpen(e_ui_obj_type type, UIObjectEventFunc systemFunc);
void UIObjectRecordInsertList(s_ui_object* object);
// Moves the child to the head of the parent's child list; nothing without a parent.
void UIObjectLink(s_ui_object* parent, s_ui_object* child);
s_ui_object* UIObjectFindId(s_ui_object* parent, s32 id);
UIObjectEventFunc UIObjectSetEventFunc(s_ui_object* object, UIObjectEventFunc func);
// The object and all its descendants are closed by the next UI pass that reaches it.
void UIObjectRequestClose(s_ui_object* object);
// True while the pointer is a record of the pool that is handed out and not closed.
bool UIObjectIsOpen(const s_ui_object* object);
// Unlinks and frees the object with its subtree; a focused window hands the focus to
// the first window left. Inside the UI pass the records are freed when the pass ends.
void UIObjectClose(s_ui_object* object);
void UIObjectCloseAll();
// The user function first; when it handles the event the system function is skipped.
s32 UIObjectEvent(s_ui_object* object, e_ui_obj_event_type event);
// Lets a fading menu bar fade.
void UIFadeOutEnable(s32 on);

// UIObjectFocus.cpp.
void UIObjectFocus(s_ui_object* object);
void UIObjectFocusChild(s_ui_object* parent, s_ui_object* child);
// Steps the focus to the parent's line edit of the next id, wrapping to the smallest.
void UIObjectFocusNextChild(s_ui_object* parent);
// The − button moves the top-level focus to the next window or menu bar.
void UIObjectUpdateFocus();
// Tab and a pointer press over a line edit move the focus among the parent's children.
void UIObjectUpdateChildFocus(s_ui_object* parent);

// UIObjectThread.cpp: the per-frame task.
void UIObjectThreadFunc(s_thread* task, void* record);
// Draws the list from its last object to `first`, children over their parent.
void UIObjectDraw(s_ui_object* first);

// UIObjectDraw.cpp: drawing relative to UIObjectPos, untextured in the flat colour.
void UIStartDrawToWindow(s_ui_object* window);
void UIEndDrawToWindow();
// The colour with its alpha scaled by UIAlpha.
u32 UIFadeColor(u32 rgba);
void UISetFlatColor(u32 rgba);
void UIDrawRect(const s_Irect16* rect);
void UIDrawRectRelative(const s_Irect16* base, const s_Irect16* rect);
// One pixel wide.
void UIDrawLine(f32 x0, f32 y0, f32 x1, f32 y1);
// Filled in the flat colour. Raised: (UI_BEVEL_LIGHT, UI_BEVEL_DARK); sunken: the
// other order.
void UIDrawBeveledRect(const s_Irect16* rect, u32 topLeft, u32 bottomRight, bool fadeEdges = true);
void UIFontDrawString(const char* string, f32 x, f32 y);
void UIFontDrawStringRelative(const s_Irect16* base, const char* string, f32 x, f32 y);
void UIFontDrawChar(u8 c, f32 x, f32 y);
// Pointer hit tests; inside a child pass the pointer is relative to the parent.
bool UIMouseWithin(const s_Irect16* rect);
bool UIMouseWithinRelative(const s_Irect16* base, const s_Irect16* rect);
bool UIMouseWithinHorz(const s_Irect16* rect);
bool UIMouseWithinVert(const s_Irect16* rect);

constexpr u32 UI_BEVEL_LIGHT = 0x808080FF;
constexpr u32 UI_BEVEL_DARK = 0x101010FF;

// UIObjectRecordOpen for a widget record T, which begins with its `obj` header.
template <class T>
T* UIObjectOpen(e_ui_obj_type type, UIObjectEventFunc systemFunc) {
    static_assert(sizeof(T) <= UI_OBJECT_RECORD_SIZE && offsetof(T, obj) == 0);
    return reinterpret_cast<T*>(UIObjectRecordOpen(type, systemFunc));
}
