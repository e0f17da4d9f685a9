#include "orblib47/source/StructEdit.h"

#include <cstdio>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/StructEditInternal.h"

const s_struct_var* StructEditVars = nullptr;
s32 StructEditNumVars = 0;
s_struct_edit StructEditStack[STRUCT_EDIT_MAX_DEPTH];
s32 StructEditStackDepth = 0;
s_struct_edit* StructEditPtr = nullptr;
StructEditCallbackFunc StructEditCallback = nullptr;
const s_struct_var* BitArrayVar = nullptr;

namespace {

constexpr s32 kVisibleRows = 12;
constexpr s32 kTop = 26;  // the first row, under the title bar

// The members and the option labels they show, measured in the debug font.
struct Measure {
    s32 labelWidth = 0;
    s32 numStrings = 0;
    s32 rows = 0;
    bool numbers = false;
};

Measure MeasureMembers(const s_struct_edit& edit) {
    Measure m;
    f32 widest = 0.0f;
    for (s32 k = 0; k < edit.numVars; ++k) {
        const s_struct_var& var = edit.varList[k];
        const f32 w = FontStringWidth(var.name);
        widest = w > widest ? w : widest;
        if (var.type == TYPE_ENUM) {
            const s32 count = s32(var.parm[1]);
            for (s32 o = 0; o < count; ++o) {
                const f32 option = FontStringWidth(StructEditVars[s32(var.parm[0]) + o].name) + 20.0f;
                widest = option > widest ? option : widest;
            }
            m.numStrings += count;
        }
        m.rows += StructEditRows(var.type);
        m.numbers =
            m.numbers || StructEditIsNumber(var.type) || var.type == TYPE_VECTOR3 || var.type == TYPE_VECTOR4;
    }
    m.labelWidth = s32(widest);
    return m;
}

// Rows that index the table must stay inside it.
bool RangeInTable(f32 first, f32 count) {
    const s32 f = s32(first);
    const s32 n = s32(count);
    return f >= 0 && n >= 0 && f <= StructEditNumVars && n <= StructEditNumVars - f;
}

bool TableRowsValid(s32 index) {
    if (index < 0 || index >= StructEditNumVars || StructEditVars[index].type != TYPE_STRUCT)
        return false;
    const s_struct_var& row = StructEditVars[index];
    if (!RangeInTable(row.parm[0], row.parm[1]) || s32(row.parm[1]) < 1)
        return false;
    for (s32 k = 0; k < s32(row.parm[1]); ++k) {
        const s_struct_var& var = StructEditVars[s32(row.parm[0]) + k];
        if ((var.type == TYPE_ENUM || var.type == TYPE_BIT_ARRAY) && !RangeInTable(var.parm[0], var.parm[1]))
            return false;
    }
    return true;
}

s_ui_object* OpenButton(const s_struct_edit& edit, s32 x, s32 y, s32 (*func)(s_button_obj*)) {
    s_button_obj* button = ButtonOpen(x, y, "Edit", func);
    if (button == nullptr)
        return nullptr;
    button->obj.rect.x = s16(edit.rightMargin - button->obj.rect.w);
    button->obj.rect.h = s16(button->obj.rect.h - 2);
    return &button->obj;
}

// One member's controls from y down; returns the rows placed and advances `row`.
s32 OpenControls(s_struct_edit& edit, s32 position, s32 editX, s32 y, s32& row, s32& string) {
    const s_struct_var& var = edit.varList[position];
    s_window_obj* window = edit.windowObj;
    char text[kStructEditTextSize];
    s_ui_object* control = nullptr;
    switch (var.type) {
        case TYPE_BOOLEAN: {
            s_checkbox_obj* box = CheckBoxOpen(8, y, var.name, u16(position), nullptr);
            if (box != nullptr)
                CheckBoxSetCheck(box, StructEditGet<u32>(&var, edit.variable) != 0 ? 1 : 0);
            control = reinterpret_cast<s_ui_object*>(box);
            break;
        }
        case TYPE_FLOAT32:
        case TYPE_SINT8:
        case TYPE_SINT16:
        case TYPE_SINT32:
        case TYPE_UINT8:
        case TYPE_UINT16:
        case TYPE_UINT32:
            StructEditFieldText(&var, edit.variable, 0, text);
            control = reinterpret_cast<s_ui_object*>(LineEditOpen(
                editX, y, 140, text, nullptr, LINE_EDIT_SPIN_BUTTONS | STRUCT_EDIT_LINE_EDIT_LIVE,
                StructEditLineEditCallBack));
            break;
        case TYPE_VECTOR3:
        case TYPE_VECTOR4: {
            const s32 components = StructEditRows(var.type);
            for (s32 c = 0; c < components; ++c) {
                StructEditFieldText(&var, edit.variable, c, text);
                s_line_edit_obj* component =
                    LineEditOpen(editX, y + c * kStructEditRowHeight, 140, text, nullptr,
                                 LINE_EDIT_SPIN_BUTTONS, StructEditLineEditCallBack);
                if (component != nullptr)
                    StructEditAddObject(window, &component->obj, c == 0 ? position : -1, row);
                if (c + 1 < components)
                    ++row;
            }
            ++row;
            return components;
        }
        case TYPE_STRUCT:
            control = OpenButton(edit, editX, y, StructEditButtonFunc);
            break;
        case TYPE_BIT_ARRAY:
            control = OpenButton(edit, editX, y, BitArrayButtonFunc);
            break;
        case TYPE_RGBA:
        case TYPE_RGBAVECTOR:
            control = OpenButton(edit, editX, y, RGBAEditButtonFunc);
            break;
        case TYPE_ENUM: {
            const s32 first = string;
            for (s32 o = 0; o < s32(var.parm[1]); ++o)
                edit.strings[string++] = StructEditVars[s32(var.parm[0]) + o].name;
            s_multi_edit_obj* drop = MultiEditOpen(editX, y, edit.strings + first, s32(var.parm[1]),
                                                   s32(StructEditGet<u32>(&var, edit.variable)));
            if (drop != nullptr)
                MultiEditSetPos(drop, edit.rightMargin - drop->obj.rect.w, y);
            control = reinterpret_cast<s_ui_object*>(drop);
            break;
        }
        case TYPE_STRING:
            break;
        case TYPE_CONSTANT:
            ++row;
            return 0;
    }
    StructEditAddObject(window, control, position, row);
    ++row;
    return 1;
}

// A control and the rects it keeps in its own coordinates move together.
void MoveDown(s_ui_object* control, s32 delta) {
    control->rect.y = s16(control->rect.y + delta);
    if (control->type == UI_OBJ_LINE_EDIT) {
        auto* edit = reinterpret_cast<s_line_edit_obj*>(control);
        edit->upRect.y = s16(edit->upRect.y + delta);
        edit->downRect.y = s16(edit->downRect.y + delta);
    } else if (control->type == UI_OBJ_MULTI_EDIT) {
        auto* drop = reinterpret_cast<s_multi_edit_obj*>(control);
        drop->buttonRect.y = s16(drop->buttonRect.y + delta);
    }
}

void FollowScrollbar(s_struct_edit& edit) {
    if (edit.scrollbarObj == nullptr)
        return;
    const s32 value = s32(edit.scrollbarObj->value);
    if (value == edit.scrollbarValue)
        return;
    StructEditScroll((edit.scrollbarValue - value) * kStructEditRowHeight);
    edit.scrollbarValue = value;
}

// A component outside 0..1 (typed by hand) shows at the nearer end.
u32 SwatchByte(f32 v) {
    return u32(255.0f * (v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f));
}

u32 OpaqueRGBAVector(const s_Vector4& c) {
    return SwatchByte(c.x) << 24 | SwatchByte(c.y) << 16 | SwatchByte(c.z) << 8 | 0xFFu;
}

void DrawSwatch(const s_struct_edit& edit, const s_struct_var& var, s32 top) {
    const u32 color = var.type == TYPE_RGBA ? StructEditGet<u32>(&var, edit.variable) | 0xFFu
                                            : OpaqueRGBAVector(StructEditGet<s_Vector4>(&var, edit.variable));
    const s_Irect16 swatch{s16(edit.rightMargin - 140), s16(top), 84, 22};
    UISetFlatColor(color);
    UIDrawBeveledRect(&swatch, UI_BEVEL_DARK, UI_BEVEL_LIGHT);
}

void DrawLabels(s_ui_object* window) {
    const s_struct_edit& edit = *StructEditPtr;
    const StructEditFont font;
    UIStartDrawToWindow(window);
    const s32 offset = s32(2.0f + FontCharHeight());
    char label[80];
    for (s32 k = 0; k < edit.numVars; ++k) {
        const s_ui_object* control = edit.objects[k];
        const s_struct_var& var = edit.varList[k];
        if (control == nullptr || (control->flags & UI_OBJ_FLAG_ACTIVE) == 0 || var.type == TYPE_BOOLEAN)
            continue;
        std::snprintf(label, sizeof(label), "%s:", var.name);
        UISetFlatColor(0x000000FF);
        UIFontDrawString(label, 10.0f, f32(control->rect.y + offset));
        if (var.type == TYPE_RGBA || var.type == TYPE_RGBAVECTOR)
            DrawSwatch(edit, var, control->rect.y);
    }
    UIEndDrawToWindow();
}

void CloseEditor() {
    StructEditUpdate();
    s_struct_edit& edit = *StructEditPtr;
    if (edit.strings != nullptr)
        HeapMallocFree(edit.strings);
    HeapMallocFree(edit.objects);
    edit.strings = nullptr;
    edit.objects = nullptr;
    --StructEditStackDepth;
    if (StructEditCallback != nullptr)
        StructEditCallback(STRUCT_EDIT_OKAY);
}

s32 StructEditEventFunc(s_ui_object* window, e_ui_obj_event_type event) {
    switch (event) {
        case UI_OBJ_EVENT_OPEN:
            return 1;
        case UI_OBJ_EVENT_DRAW:
            StructEditSetParent(window);
            FollowScrollbar(*StructEditPtr);
            DrawLabels(window);
            return 0;
        case UI_OBJ_EVENT_CLOSE:
            StructEditSetParent(window);
            CloseEditor();
            return 0;  // the window closes
        default:
            return 0;
    }
}

void BuildWindow(s_struct_edit& edit, s32 x, s32 y, const char* title) {
    const Measure m = MeasureMembers(edit);
    if (m.numStrings > 0) {
        edit.strings = static_cast<const char**>(
            HeapCalloc(u32(m.numStrings), sizeof(const char*), __FILE_NAME__, __LINE__));
        if (edit.strings == nullptr)
            return;  // no window: the open fails
    }
    const s32 extra = m.numbers ? 24 : 0;
    s32 w = extra + m.labelWidth + 170;
    const s32 editX = w - 150 - extra;
    edit.rightMargin = w - 10;
    const bool scrolls = m.rows > kVisibleRows;
    s32 h = m.rows * kStructEditRowHeight + 30;
    if (scrolls) {
        w += 24;
        h = kVisibleRows * kStructEditRowHeight + 30;
    }
    const s_Irect16 rect{s16(x - w / 2), s16(y - h / 2), s16(w), s16(h)};
    edit.windowObj = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_CLOSE | WINDOW_MODAL, title,
                                StructEditEventFunc);
    if (edit.windowObj == nullptr)
        return;
    edit.windowObj->obj.id = s32(&edit - StructEditStack);
    if (scrolls) {
        const s_Irect16 barRect{s16(w - 26), 30, 24, s16(h - 32)};
        edit.scrollbarObj = ScrollbarOpen(&barRect, 0, kVisibleRows, m.rows, 0);
        if (edit.scrollbarObj != nullptr)
            UIObjectLink(&edit.windowObj->obj, &edit.scrollbarObj->obj);
    }
    s32 top = kTop;
    s32 row = 0;
    s32 string = 0;
    for (s32 k = 0; k < edit.numVars; ++k)
        top += OpenControls(edit, k, editX, top, row, string) * kStructEditRowHeight;
}

}  // namespace

void StructEditColdReset() {
    StructEditVars = nullptr;
    StructEditNumVars = 0;
    StructEditCallback = nullptr;
    StructEditWarmReset();
}

void StructEditWarmReset() {
    StructEditStackDepth = 0;
    StructEditPtr = nullptr;
    BitArrayVar = nullptr;
}

void StructEditStartup(const s_struct_var* vars, s32 numVars) {
    StructEditVars = vars;
    StructEditNumVars = numVars;
}

s_window_obj* StructEditOpen(s32 x, s32 y, s32 index, void* record, StructEditCallbackFunc callback) {
    if (StructEditVars == nullptr)
        return nullptr;
    if (StructEditStackDepth >= STRUCT_EDIT_MAX_DEPTH) {
        DEBUG_PRINT("StructEditOpen: %d editors are open already\n", StructEditStackDepth);
        return nullptr;
    }
    if (!TableRowsValid(index)) {
        DEBUG_PRINT("StructEditOpen: row %d is no record in the table\n", index);
        return nullptr;
    }
    StructEditCallback = callback;
    s_struct_edit& edit = StructEditStack[StructEditStackDepth];
    StructEditPtr = &edit;
    const s_struct_var& row = StructEditVars[index];
    edit = {};
    edit.variable = static_cast<u8*>(record) + row.offset;
    edit.baseIndex = s32(row.parm[0]);
    edit.numVars = s32(row.parm[1]);
    edit.varList = StructEditVars + edit.baseIndex;
    edit.objects = static_cast<s_ui_object**>(
        HeapCalloc(u32(edit.numVars), sizeof(s_ui_object*), __FILE_NAME__, __LINE__));
    if (edit.objects == nullptr)
        return nullptr;
    {
        const StructEditFont font;
        BuildWindow(edit, x, y, row.name);
    }
    if (edit.windowObj == nullptr) {
        if (edit.strings != nullptr)
            HeapMallocFree(edit.strings);
        HeapMallocFree(edit.objects);
        edit = {};
        return nullptr;
    }
    StructEditScroll(0);
    if (edit.windowObj->obj.childNext != nullptr)
        UIObjectFocusChild(&edit.windowObj->obj, edit.windowObj->obj.childNext);
    ++StructEditStackDepth;
    return edit.windowObj;
}

void StructEditUpdateVisibility() {
    if (StructEditPtr == nullptr || StructEditPtr->objects == nullptr)
        return;
    const s_struct_edit& edit = *StructEditPtr;
    for (s32 k = 0; k < edit.numVars && edit.varList[k].type != TYPE_STRING; ++k) {
        s_ui_object* control = edit.objects[k];
        if (control == nullptr)
            continue;
        if ((edit.varList[k].flags & STRUCT_VAR_VISIBLE) != 0)
            control->flags |= UI_OBJ_FLAG_ACTIVE;
        else
            control->flags &= ~UI_OBJ_FLAG_ACTIVE;
    }
}

void StructEditSetParent(s_ui_object* window) {
    if (window->id >= 0 && window->id < STRUCT_EDIT_MAX_DEPTH)
        StructEditPtr = &StructEditStack[window->id];
}

void StructEditSetParentFromChild(s_ui_object* control) {
    if (control->parent != nullptr)
        StructEditSetParent(control->parent);
}

void StructEditAddObject(s_window_obj* window, s_ui_object* control, s32 position, s32 row) {
    if (control == nullptr)
        return;
    if (position != -1)
        StructEditPtr->objects[position] = control;
    control->flags |= STRUCT_EDIT_SCROLLS;
    control->id = row;
    control->parm = StructEditPtr->baseIndex + position;
    UIObjectLink(&window->obj, control);
}

void StructEditScroll(s32 delta) {
    s_ui_object* window = &StructEditPtr->windowObj->obj;
    for (s_ui_object* child = window->childNext; child != nullptr; child = child->next) {
        if ((child->flags & STRUCT_EDIT_SCROLLS) == 0)
            continue;
        MoveDown(child, delta);
        if (child->rect.y >= kTop && child->rect.y + child->rect.h < window->rect.h)
            child->flags |= UI_OBJ_FLAG_ACTIVE;
        else
            child->flags &= ~UI_OBJ_FLAG_ACTIVE;
    }
}
