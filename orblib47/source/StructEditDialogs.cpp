#include "orblib47/source/DrawContext.h"
#include "orblib47/source/StructEditInternal.h"
#include "orblib47/source/UIDialogs.h"

namespace {

u8* BitArrayRecord = nullptr;  // the record of the open bit dialog's field

s32 CentreX() {
    return DrawContext.screenSize.x / 2;
}

s32 CentreY() {
    return DrawContext.screenSize.y / 2;
}

// The member of the addressed editor whose control the button is.
const s_struct_var* ButtonRow(s_button_obj* button) {
    StructEditSetParentFromChild(&button->obj);
    if (StructEditPtr == nullptr)
        return nullptr;
    const s32 position = button->obj.parm - StructEditPtr->baseIndex;
    return position >= 0 && position < StructEditPtr->numVars ? &StructEditPtr->varList[position] : nullptr;
}

bool ValidBit(s32 bit) {
    return bit >= 0 && bit < 32;
}

s32 BitArrayEventFunc(s_ui_object* window, e_ui_obj_event_type event) {
    if (event != UI_OBJ_EVENT_CLOSE || BitArrayVar == nullptr)
        return 0;
    u32 bits = 0;
    for (s32 bit = 0; bit < 32; ++bit) {
        const s_ui_object* box = UIObjectFindId(window, bit);
        if (box != nullptr && box->type == UI_OBJ_CHECKBOX &&
            CheckBoxGet(reinterpret_cast<const s_checkbox_obj*>(box)) != 0)
            bits |= 1u << bit;
    }
    StructEditSet<u32>(BitArrayVar, BitArrayRecord, bits);
    BitArrayVar = nullptr;
    return 0;  // the window closes
}

}  // namespace

s32 StructEditButtonFunc(s_button_obj* button) {
    if (ButtonRow(button) != nullptr)
        StructEditOpen(CentreX(), CentreY(), button->obj.parm, StructEditPtr->variable, StructEditCallback);
    return 1;
}

s32 RGBAEditButtonFunc(s_button_obj* button) {
    const s_struct_var* row = ButtonRow(button);
    if (row == nullptr)
        return 1;
    const StructEditFont font;
    u8* field = StructEditPtr->variable + row->offset;
    if (row->type == TYPE_RGBA)
        RGBADialogOpen(CentreX(), CentreY(), row->name, reinterpret_cast<u32*>(field));
    else
        RGBAVectorDialogOpen(CentreX(), CentreY(), row->name, reinterpret_cast<s_Vector4*>(field));
    return 1;
}

s32 BitArrayButtonFunc(s_button_obj* button) {
    const s_struct_var* row = ButtonRow(button);
    if (row == nullptr)
        return 1;
    BitArrayVar = row;
    BitArrayRecord = StructEditPtr->variable;
    const StructEditFont font;
    const s_struct_var* bits = StructEditVars + s32(row->parm[0]);
    const s32 count = s32(row->parm[1]);
    f32 widest = 0.0f;
    for (s32 k = 0; k < count; ++k) {
        const f32 w = FontStringWidth(bits[k].name);
        widest = w > widest ? w : widest;
    }
    const s32 width = 2 * (s32(widest) + 1) + 30;
    const s32 half = (count + 1) / 2;
    const s32 height = half * kStructEditRowHeight + 30;
    const s_Irect16 rect{s16(CentreX() - width / 2), s16(CentreY() - height / 2), s16(width), s16(height)};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_CLOSE | WINDOW_MODAL,
                                      row->name, BitArrayEventFunc);
    if (window == nullptr)
        return 1;
    window->obj.id = s32(row - StructEditVars);
    const u32 field = StructEditGet<u32>(row, BitArrayRecord);
    for (s32 k = 0; k < count; ++k) {
        const s32 bit = s32(bits[k].parm[0]);
        if (!ValidBit(bit))
            continue;
        const s32 x = k < half ? 10 : width / 2 + 10;
        const s32 y = 26 + (k < half ? k : k - half) * kStructEditRowHeight;
        s_checkbox_obj* box = CheckBoxOpen(x, y, bits[k].name, u16(bit), nullptr);
        if (box == nullptr)
            continue;
        box->obj.id = bit;
        CheckBoxSetCheck(box, s32(field >> bit & 1u));
        UIObjectLink(&window->obj, &box->obj);
    }
    return 1;
}
