// What the structure editor's files share with each other only.
#pragma once

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/StructEdit.h"

// The editor measures and draws in the debug font at scale 1; the caller's font
// and scale come back when it returns.
struct StructEditFont {
    StructEditFont() : font(FontSet(DebugFont)) {
        FontGetScale(&x, &y);
        FontSetScale(1.0f, 1.0f);
    }
    ~StructEditFont() {
        FontSet(font);
        FontSetScale(x, y);
    }
    StructEditFont(const StructEditFont&) = delete;
    StructEditFont& operator=(const StructEditFont&) = delete;
    s_font* font;
    f32 x = 1.0f;
    f32 y = 1.0f;
};

constexpr s32 kStructEditRowHeight = 26;
constexpr u32 kStructEditTextSize = 64;

// The integer and float types, edited as text with spin buttons.
inline bool StructEditIsNumber(e_struct_type type) {
    return type >= TYPE_FLOAT32 && type <= TYPE_UINT32;
}

// Rows a member takes: one per vector component, else one.
inline s32 StructEditRows(e_struct_type type) {
    return type == TYPE_VECTOR3 ? 3 : type == TYPE_VECTOR4 ? 4 : 1;
}

// The text of a number field, or of component k of a vector field.
void StructEditFieldText(const s_struct_var* row, const void* record, s32 component, char* text);
