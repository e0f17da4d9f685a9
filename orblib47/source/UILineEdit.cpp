#include <cstdio>
#include <cstring>

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Keyboard.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/UITextWidget.h"

namespace {

constexpr u16 kMaxLength = LINE_EDIT_TEXT_SIZE - 1;

bool Focused(const s_ui_object* object) {
    return (object->flags & UI_OBJ_FLAG_FOCUS) != 0;
}

void SetCaret(s_line_edit_obj* edit, u16 at) {
    edit->cursorStart = edit->cursorEnd = at;
}

// Removes `count` characters at `at`, the rest moving left with the terminator.
void DeleteChars(s_line_edit_obj* edit, u16 at, u16 count) {
    const size_t len = std::strlen(edit->text);
    std::memmove(edit->text + at, edit->text + at + count, len - at - count + 1);
}

void DeleteSelection(s_line_edit_obj* edit) {
    DeleteChars(edit, edit->cursorStart, u16(edit->cursorEnd - edit->cursorStart));
    SetCaret(edit, edit->cursorStart);
}

// A full text refuses the character.
void Insert(s_line_edit_obj* edit, char c) {
    const u16 len = u16(std::strlen(edit->text));
    if (len >= kMaxLength)
        return;
    const u16 at = edit->cursorStart;
    std::memmove(edit->text + at + 1, edit->text + at, len - at + 1);
    edit->text[at] = c;
    SetCaret(edit, u16(at + 1));
}

void EditKey(s_line_edit_obj* edit, u8 key, bool shift) {
    const u16 len = u16(std::strlen(edit->text));
    // An owner that rewrote the text may have left the cursors past its end.
    edit->cursorEnd = edit->cursorEnd > len ? len : edit->cursorEnd;
    edit->cursorStart = edit->cursorStart > edit->cursorEnd ? edit->cursorEnd : edit->cursorStart;
    const bool caret = edit->cursorStart == edit->cursorEnd;
    switch (key) {
        case KEY_RIGHT:
            if (shift)
                edit->cursorEnd = edit->cursorEnd < len ? u16(edit->cursorEnd + 1) : len;
            else if (caret)
                SetCaret(edit, edit->cursorEnd < len ? u16(edit->cursorEnd + 1) : len);
            else
                SetCaret(edit, edit->cursorEnd);
            break;
        case KEY_LEFT:
            if (shift)
                edit->cursorStart = edit->cursorStart > 0 ? u16(edit->cursorStart - 1) : 0;
            else if (caret)
                SetCaret(edit, edit->cursorStart > 0 ? u16(edit->cursorStart - 1) : 0);
            else
                SetCaret(edit, edit->cursorStart);
            break;
        case KEY_HOME:
            SetCaret(edit, 0);
            break;
        case KEY_END:
            SetCaret(edit, len);
            break;
        case KEY_BACKSPACE:
            if (!caret) {
                DeleteSelection(edit);
            } else if (edit->cursorStart > 0) {
                DeleteChars(edit, u16(edit->cursorStart - 1), 1);
                SetCaret(edit, u16(edit->cursorStart - 1));
            }
            break;
        case KEY_DELETE:
            if (!caret)
                DeleteSelection(edit);
            break;
        default:
            if (key < 0x20 || key > 0x7E)
                break;
            if (!caret)
                DeleteSelection(edit);
            Insert(edit, char(key));
            break;
    }
}

void LineEditMouseUI(s_line_edit_obj* edit) {
    if (Keyboard.connected != 0 && Focused(&edit->obj) && Keyboard.keyRepeat != 0)
        EditKey(edit, Keyboard.keyRepeat, (Keyboard.modifiers & KEY_MOD_SHIFT) != 0);
    if (Mouse.connected == 0)
        return;
    s32 event = -1;
    if (ScrollbarButtonUI(&edit->upState, &edit->upRect) != 0)
        event = LINE_EDIT_EVENT_VALUE_UP;
    else if (ScrollbarButtonUI(&edit->downState, &edit->downRect) != 0)
        event = LINE_EDIT_EVENT_VALUE_DOWN;
    if (event >= 0 && (Mouse.buttonRepeat & UI_MOUSE_BUTTONS) != 0 && edit->callback != nullptr)
        edit->callback(edit, event);
}

// The width of the first `count` characters.
f32 PrefixWidth(const char* text, u16 count) {
    char prefix[LINE_EDIT_TEXT_SIZE];
    std::snprintf(prefix, sizeof(prefix), "%.*s", s32(count), text);
    return FontStringWidth(prefix);
}

void DrawSpinButtons(s_line_edit_obj* edit, f32 h) {
    UIDrawButtonFace(&edit->upRect, edit->buttonColor, edit->upState);
    UIDrawButtonFace(&edit->downRect, edit->buttonColor, edit->downState);
    const f32 sx = edit->obj.scale.x;
    const f32 sy = edit->obj.scale.y;
    s_font* font = FontSet(DebugIconFont);
    FontSetScale(0.75f, 0.75f);
    UISetFlatColor(edit->textColor);
    const s_Irect16& up = edit->upRect;
    UIFontDrawChar(DEBUG_ICON_UP, f32(up.x) + 4.0f * sx, f32(up.y) + h - 7.0f * sy);
    UIFontDrawChar(DEBUG_ICON_DOWN, f32(up.x) + 4.0f * sx, f32(up.y) + h + 7.0f * sy);
    FontSet(font);
    FontSetScale(sx, sy);
}

void DrawLineEdit(s_line_edit_obj* edit) {
    const s_Irect16& r = edit->obj.rect;
    const f32 h = f32(r.h);
    UISetFlatColor(edit->bkgColor);
    UIDrawBeveledRect(&r, UI_BEVEL_DARK, UI_BEVEL_LIGHT);
    if ((edit->flags & LINE_EDIT_SPIN_BUTTONS) != 0)
        DrawSpinButtons(edit, h);
    const s_ui_object* parent = edit->obj.parent;
    const bool focused = Focused(&edit->obj) && (parent == nullptr || Focused(parent));
    const f32 x = f32(r.x + 8);
    const f32 y = f32(r.y) + h;
    UISetFlatColor(edit->textColor);
    if (!focused || edit->cursorStart == edit->cursorEnd) {
        UIFontDrawString(edit->text, x, y);
        if (focused && (PassCount & 0x10) != 0) {
            const f32 caretX = x + PrefixWidth(edit->text, edit->cursorStart);
            UIDrawLine(caretX, f32(r.y + 3), caretX, y - 2.0f);
        }
        return;
    }
    char part[LINE_EDIT_TEXT_SIZE];
    const u16 start = edit->cursorStart;
    const u16 count = u16(edit->cursorEnd - start);
    const f32 before = PrefixWidth(edit->text, start);
    const f32 selected = PrefixWidth(edit->text + start, count);
    std::snprintf(part, sizeof(part), "%.*s", s32(start), edit->text);
    UIFontDrawString(part, x, y);
    const s_Irect16 box{s16(r.x + 7 + s32(before)), s16(r.y + 2), s16(selected - 1.0f), s16(h - 1.0f)};
    UIDrawRect(&box);
    UISetFlatColor(0x808080FF);
    std::snprintf(part, sizeof(part), "%.*s", s32(count), edit->text + start);
    UIFontDrawString(part, x + before, y);
    UISetFlatColor(edit->textColor);
    UIFontDrawString(edit->text + edit->cursorEnd, x + before + selected, y);
}

s32 LineEditSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* edit = reinterpret_cast<s_line_edit_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_FOCUS:
            edit->cursorStart = 0;
            edit->cursorEnd = u16(std::strlen(edit->text));
            return 1;
        case UI_OBJ_EVENT_MOUSE_UI:
            LineEditMouseUI(edit);
            return 1;
        case UI_OBJ_EVENT_PAD_UI:
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawLineEdit(edit);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

s_line_edit_obj* LineEditOpen(s32 x, s32 y, s32 width, const char* text, void (*func)(s_line_edit_obj*),
                              u32 flags, void (*callback)(s_line_edit_obj*, s32)) {
    auto* edit = UIObjectOpen<s_line_edit_obj>(UI_OBJ_LINE_EDIT, LineEditSystemFunc);
    if (edit == nullptr)
        return nullptr;
    s_Vector2 sprite;
    DrawGetSpriteScale(&sprite);
    const s16 buttonX = s16(x + width + s32(5.0f * sprite.x));
    const s16 buttonW = s16(20.0f * sprite.x);
    const s16 buttonH = s16(10.0f * sprite.y);
    edit->obj.rect = {s16(x), s16(y), s16(width), s16(FontCharHeight() + 4.0f)};
    edit->upRect = {buttonX, s16(y), buttonW, buttonH};
    edit->downRect = {buttonX, s16(y + s32(12.0f * sprite.y)), buttonW, buttonH};
    edit->flags = flags;
    std::snprintf(edit->text, sizeof(edit->text), "%s", text != nullptr ? text : "");
    edit->bkgColor = 0x808080FF;
    edit->textColor = 0x000000FF;
    edit->buttonColor = 0x505050FF;
    edit->func = func;
    edit->callback = callback;
    UIObjectRecordInsertList(&edit->obj);
    return edit;
}
