#include <cstdio>
#include <cstdlib>

#include "orblib47/source/StructEditInternal.h"

namespace {

// Sign- or zero-extended by the field's type.
s64 ReadInteger(const s_struct_var* row, const void* record) {
    switch (row->type) {
        case TYPE_SINT8:
            return StructEditGet<s8>(row, record);
        case TYPE_SINT16:
            return StructEditGet<s16>(row, record);
        case TYPE_SINT32:
            return StructEditGet<s32>(row, record);
        case TYPE_UINT8:
            return StructEditGet<u8>(row, record);
        case TYPE_UINT16:
            return StructEditGet<u16>(row, record);
        default:
            return StructEditGet<u32>(row, record);
    }
}

// Cut to the field's width.
void WriteInteger(const s_struct_var* row, void* record, s64 value) {
    switch (row->type) {
        case TYPE_SINT8:
        case TYPE_UINT8:
            StructEditSet<u8>(row, record, u8(value));
            break;
        case TYPE_SINT16:
        case TYPE_UINT16:
            StructEditSet<u16>(row, record, u16(value));
            break;
        default:
            StructEditSet<u32>(row, record, u32(value));
            break;
    }
}

bool IsSigned(e_struct_type type) {
    return type == TYPE_SINT8 || type == TYPE_SINT16 || type == TYPE_SINT32;
}

// Leading blanks, a sign and decimal digits; what follows them is ignored.
bool ParseInteger(const char* text, s64* value) {
    char* end = nullptr;
    const s64 parsed = std::strtoll(text, &end, 10);
    if (end == text)
        return false;
    *value = parsed;
    return true;
}

f32 GetComponent(const s_struct_var* row, const void* record, s32 component) {
    f32 value;
    std::memcpy(&value, static_cast<const u8*>(record) + row->offset + 4 * component, sizeof(value));
    return value;
}

void SetComponent(const s_struct_var* row, void* record, s32 component, f32 value) {
    std::memcpy(static_cast<u8*>(record) + row->offset + 4 * component, &value, sizeof(value));
}

// The line edit of a vector's component after `edit`: the window's child of the next id.
s_line_edit_obj* NextComponent(const s_line_edit_obj* edit) {
    if (edit->obj.parent == nullptr)
        return nullptr;
    s_ui_object* next = UIObjectFindId(edit->obj.parent, edit->obj.id + 1);
    return next != nullptr && next->type == UI_OBJ_LINE_EDIT ? reinterpret_cast<s_line_edit_obj*>(next)
                                                             : nullptr;
}

// The whole new text selected, as focusing the edit does.
void SetEditText(s_line_edit_obj* edit, const char* text) {
    std::snprintf(edit->text, sizeof(edit->text), "%s", text);
    edit->cursorStart = 0;
    edit->cursorEnd = u16(std::strlen(edit->text));
}

void WriteMember(const s_struct_var* row, void* record, s_ui_object* control) {
    auto* edit = reinterpret_cast<s_line_edit_obj*>(control);
    switch (row->type) {
        case TYPE_BOOLEAN:
            StructEditSet<u32>(row, record, u32(CheckBoxGet(reinterpret_cast<s_checkbox_obj*>(control))));
            break;
        case TYPE_FLOAT32: {
            f32 value = 0.0f;
            if (StructEditParseFloat32(edit->text, &value))
                StructEditSet<f32>(row, record, value);
            break;
        }
        case TYPE_SINT8:
        case TYPE_SINT16:
        case TYPE_SINT32:
        case TYPE_UINT8:
        case TYPE_UINT16:
        case TYPE_UINT32: {
            s64 value = 0;
            if (ParseInteger(edit->text, &value))
                WriteInteger(row, record, value);
            break;
        }
        case TYPE_ENUM:
            StructEditSet<u32>(row, record, u32(MultiEditGet(reinterpret_cast<s_multi_edit_obj*>(control))));
            break;
        case TYPE_VECTOR3:
        case TYPE_VECTOR4:
            for (s32 c = 0; c < StructEditRows(row->type) && edit != nullptr;
                 ++c, edit = NextComponent(edit)) {
                f32 value = 0.0f;
                if (StructEditParseFloat32(edit->text, &value))
                    SetComponent(row, record, c, value);
            }
            break;
        default:
            break;  // their dialogs write the field themselves
    }
}

void RefreshMember(const s_struct_var* row, const void* record, s_ui_object* control) {
    char text[kStructEditTextSize];
    auto* edit = reinterpret_cast<s_line_edit_obj*>(control);
    switch (row->type) {
        case TYPE_BOOLEAN:
            CheckBoxSetCheck(reinterpret_cast<s_checkbox_obj*>(control),
                             StructEditGet<u32>(row, record) != 0);
            break;
        case TYPE_FLOAT32:
        case TYPE_SINT8:
        case TYPE_SINT16:
        case TYPE_SINT32:
        case TYPE_UINT8:
        case TYPE_UINT16:
        case TYPE_UINT32:
            StructEditFieldText(row, record, 0, text);
            SetEditText(edit, text);
            break;
        case TYPE_ENUM:
            reinterpret_cast<s_multi_edit_obj*>(control)->value = s32(StructEditGet<u32>(row, record));
            break;
        case TYPE_VECTOR3:
        case TYPE_VECTOR4:
            for (s32 c = 0; c < StructEditRows(row->type) && edit != nullptr;
                 ++c, edit = NextComponent(edit)) {
                StructEditFieldText(row, record, c, text);
                SetEditText(edit, text);
            }
            break;
        default:
            break;  // the swatches draw from the field
    }
}

}  // namespace

void StructEditFieldText(const s_struct_var* row, const void* record, s32 component, char* text) {
    if (row->type == TYPE_FLOAT32)
        std::snprintf(text, kStructEditTextSize, "%0.4f", f64(StructEditGet<f32>(row, record)));
    else if (row->type == TYPE_VECTOR3 || row->type == TYPE_VECTOR4)
        std::snprintf(text, kStructEditTextSize, "%0.4f", f64(GetComponent(row, record, component)));
    else if (IsSigned(row->type))
        std::snprintf(text, kStructEditTextSize, "%d", s32(ReadInteger(row, record)));
    else
        std::snprintf(text, kStructEditTextSize, "%u", u32(ReadInteger(row, record)));
}

bool StructEditParseFloat32(const char* text, f32* value) {
    char* end = nullptr;
    const f32 parsed = std::strtof(text, &end);
    if (end == text)
        return false;
    *value = parsed;
    return true;
}

void StructEditUpdate() {
    if (StructEditPtr == nullptr || StructEditPtr->objects == nullptr)
        return;
    const s_struct_edit& edit = *StructEditPtr;
    for (s32 k = 0; k < edit.numVars; ++k) {
        if (edit.objects[k] != nullptr)
            WriteMember(&edit.varList[k], edit.variable, edit.objects[k]);
    }
}

void StructEditRefreshControls() {
    if (StructEditPtr == nullptr || StructEditPtr->objects == nullptr)
        return;
    const s_struct_edit& edit = *StructEditPtr;
    for (s32 k = 0; k < edit.numVars; ++k) {
        if (edit.objects[k] != nullptr)
            RefreshMember(&edit.varList[k], edit.variable, edit.objects[k]);
    }
}

void StructEditLineEditCallBack(s_line_edit_obj* edit, s32 event) {
    StructEditSetParentFromChild(&edit->obj);
    if (StructEditPtr == nullptr)
        return;
    const s_struct_edit& owner = *StructEditPtr;
    const s32 position = edit->obj.parm - owner.baseIndex;
    if (position >= 0 && position < owner.numVars && StructEditIsNumber(owner.varList[position].type)) {
        const s_struct_var* row = &owner.varList[position];
        const f32 step = event == LINE_EDIT_EVENT_VALUE_UP ? row->parm[2] : -row->parm[2];
        if (row->type == TYPE_FLOAT32)
            StructEditSet<f32>(row, owner.variable, StructEditGet<f32>(row, owner.variable) + step);
        else
            WriteInteger(row, owner.variable, ReadInteger(row, owner.variable) + s32(step));
        char text[kStructEditTextSize];
        StructEditFieldText(row, owner.variable, 0, text);
        SetEditText(edit, text);
    }
    if ((edit->flags & STRUCT_EDIT_LINE_EDIT_LIVE) != 0 && StructEditCallback != nullptr)
        StructEditCallback(STRUCT_EDIT_APPLY);
}
