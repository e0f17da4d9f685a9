// The structure editor: a debug window that shows and edits a plain record in
// memory from a static table of field descriptions. Numbers are line edits with
// spin buttons, flags check boxes, choices a drop-down list, vectors one line edit
// per component; colours, bit sets and nested records open dialogs of their own.
// The edited values are written back when the window closes. Up to four editors
// stack, a nested record opening over its parent.
#pragma once

#include <cstring>

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/UITextWidget.h"

enum e_struct_type : s32 {
    TYPE_STRUCT = 0,  // a nested record, edited in an editor of its own
    TYPE_BOOLEAN = 1,
    TYPE_FLOAT32 = 2,
    TYPE_SINT8 = 3,
    TYPE_SINT16 = 4,
    TYPE_SINT32 = 5,
    TYPE_UINT8 = 6,
    TYPE_UINT16 = 7,
    TYPE_UINT32 = 8,
    TYPE_STRING = 9,  // a text row: option and bit labels, empty rows
    TYPE_BIT_ARRAY = 10,
    TYPE_ENUM = 11,  // u32 option index
    TYPE_VECTOR3 = 12,
    TYPE_VECTOR4 = 13,
    TYPE_RGBA = 14,        // u32 0xRRGGBBAA
    TYPE_RGBAVECTOR = 15,  // four floats in 0..1
    TYPE_CONSTANT = 16,    // no field, no row of its own
};

enum e_struct_edit_event : s32 {
    STRUCT_EDIT_OKAY = 0,    // an editor closed and wrote its values back
    STRUCT_EDIT_CANCEL = 1,  // never sent by the editor
    STRUCT_EDIT_APPLY = 2,   // a live field was stepped
};

constexpr u16 STRUCT_VAR_VISIBLE = 0x8;          // s_struct_var::flags: StructEditUpdateVisibility shows it
constexpr u32 STRUCT_EDIT_SCROLLS = 0x100;       // s_ui_object::flags of a control that scrolls
constexpr u32 STRUCT_EDIT_LINE_EDIT_LIVE = 0x2;  // line-edit flag: a step tells the callback
constexpr s32 STRUCT_EDIT_MAX_DEPTH = 4;

// One row of a description table. Table indices in parm refer to the one table
// handed to StructEditStartup.
struct s_struct_var {
    e_struct_type type;
    u16 flags;
    u16 offset;  // of the field in the record
    const char* name;
    // TYPE_STRUCT, TYPE_ENUM, TYPE_BIT_ARRAY: [0] index of the first member, option
    // or bit row, [1] their count; a bit row's [0] is its bit number. Numbers: [2]
    // the spin buttons' step.
    f32 parm[3];
};

using StructEditCallbackFunc = void (*)(e_struct_edit_event event);

// One open editor.
struct s_struct_edit {
    u8* variable;  // the record
    const s_struct_var* varList;
    s32 numVars;
    s32 baseIndex;  // table index of varList[0]
    s_window_obj* windowObj;
    s32 scrollbarValue;  // the position last applied
    s_scrollbar_obj* scrollbarObj;
    s_ui_object** objects;  // by member position; null for rows without a control
    const char** strings;   // the enum members' option labels, one after another
    s32 rightMargin;        // where right-aligned controls end
};

extern const s_struct_var* StructEditVars;
extern s32 StructEditNumVars;
extern s_struct_edit StructEditStack[STRUCT_EDIT_MAX_DEPTH];
extern s32 StructEditStackDepth;
extern s_struct_edit* StructEditPtr;  // the editor now addressed
extern StructEditCallbackFunc StructEditCallback;
extern const s_struct_var* BitArrayVar;  // the row of the open bit dialog

// StructEdit.cpp: state, addressing, scrolling and the window.
void StructEditColdReset();
void StructEditWarmReset();
void StructEditStartup(const s_struct_var* vars, s32 numVars);
// Centred on (x, y), over the record at record + table[index].offset; null without
// a table or when four editors are open already.
s_window_obj* StructEditOpen(s32 x, s32 y, s32 index, void* record, StructEditCallbackFunc callback);
// Shows the controls of rows flagged STRUCT_VAR_VISIBLE, hides the others, up to
// the first text row.
void StructEditUpdateVisibility();
void StructEditSetParent(s_ui_object* window);
void StructEditSetParentFromChild(s_ui_object* control);
void StructEditAddObject(s_window_obj* window, s_ui_object* control, s32 position, s32 row);
// Moves the scrolling controls down by delta pixels; those not wholly inside are inactive.
void StructEditScroll(s32 delta);

// StructEditFields.cpp: fields, texts, write-back and refresh. A vector field is
// three or four packed floats; read it by component.
template <class T>
T StructEditGet(const s_struct_var* row, const void* record) {
    T value;
    std::memcpy(&value, static_cast<const u8*>(record) + row->offset, sizeof(T));
    return value;
}
template <class T>
void StructEditSet(const s_struct_var* row, void* record, T value) {
    std::memcpy(static_cast<u8*>(record) + row->offset, &value, sizeof(T));
}
// False, with *value untouched, when the text holds no number.
bool StructEditParseFloat32(const char* text, f32* value);
// The addressed editor's controls into its record.
void StructEditUpdate();
// The addressed editor's record into its controls.
void StructEditRefreshControls();
void StructEditLineEditCallBack(s_line_edit_obj* edit, s32 event);

// StructEditDialogs.cpp: the "Edit" buttons.
s32 StructEditButtonFunc(s_button_obj* button);
s32 RGBAEditButtonFunc(s_button_obj* button);
s32 BitArrayButtonFunc(s_button_obj* button);
