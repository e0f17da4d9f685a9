#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIWidget.h"

namespace {

bool Horizontal(const s_scrollbar_obj* bar) {
    return (bar->flags & SCROLLBAR_HORIZONTAL) != 0;
}

// A rect's start and length along the bar's axis.
s16& Start(const s_scrollbar_obj* bar, s_Irect16& rect) {
    return Horizontal(bar) ? rect.x : rect.y;
}

s16& Length(const s_scrollbar_obj* bar, s_Irect16& rect) {
    return Horizontal(bar) ? rect.w : rect.h;
}

// The thumb at thumbPos, the page areas filling the room on either side of it.
void LayOut(s_scrollbar_obj* bar) {
    Start(bar, bar->thumbRect) = s16(bar->thumbPos);
    Length(bar, bar->pageUpRect) = s16(bar->thumbPos - (Start(bar, bar->upRect) + Length(bar, bar->upRect)));
    Start(bar, bar->pageDownRect) = s16(bar->thumbPos + Length(bar, bar->thumbRect));
    Length(bar, bar->pageDownRect) = s16(Start(bar, bar->downRect) - Start(bar, bar->pageDownRect));
}

void DragThumb(s_scrollbar_obj* bar) {
    if ((Mouse.buttonDown & UI_MOUSE_BUTTONS) == 0) {
        bar->thumbState = BUTTON_UP;
        return;
    }
    const s32 before = bar->thumbPos;
    bar->thumbPos += Mouse.analog[Horizontal(bar) ? MOUSE_MOVE_X : MOUSE_MOVE_Y];
    if (bar->thumbPos < bar->thumbBasePos)
        bar->thumbPos = bar->thumbBasePos;
    if (bar->thumbPos > bar->thumbBasePos + bar->thumbTravel)
        bar->thumbPos = bar->thumbBasePos + bar->thumbTravel;
    // A bar with nothing to scroll has no travel and no scale.
    bar->value = bar->thumbScale > 0.0f ? f32(bar->thumbPos - bar->thumbBasePos) / bar->thumbScale : 0.0f;
    LayOut(bar);
    const bool onThumb =
        Horizontal(bar) ? UIMouseWithinHorz(&bar->thumbRect) : UIMouseWithinVert(&bar->thumbRect);
    if (!onThumb)
        bar->thumbPos = before;
    bar->flags |= SCROLLBAR_CHANGED;
}

void ScrollbarMouseUI(s_scrollbar_obj* bar) {
    bar->flags &= ~SCROLLBAR_CHANGED;
    f32 step = 0.0f;
    if (ScrollbarButtonUI(&bar->upState, &bar->upRect) != 0)
        step = -1.0f;
    else if (ScrollbarButtonUI(&bar->downState, &bar->downRect) != 0)
        step = 1.0f;
    else if (ScrollbarButtonUI(&bar->pageUpState, &bar->pageUpRect) != 0)
        step = -bar->height;
    else if (ScrollbarButtonUI(&bar->pageDownState, &bar->pageDownRect) != 0)
        step = bar->height;
    if (step != 0.0f) {
        if ((Mouse.buttonRepeat & UI_MOUSE_BUTTONS) != 0)
            ScrollbarSetValue(bar, f32(s32(bar->value + step)));
        return;
    }
    if (bar->thumbState != BUTTON_UP) {
        DragThumb(bar);
    } else if ((Mouse.buttonNew & UI_MOUSE_BUTTONS) != 0 && UIMouseWithin(&bar->thumbRect)) {
        bar->thumbState = BUTTON_DOWN;
        bar->flags |= SCROLLBAR_CHANGED;
    }
}

void ScrollbarPadUI(s_scrollbar_obj* bar) {
    if (bar->obj.parent != nullptr && bar->obj.parent->type == UI_OBJ_LISTBOX)
        return;  // the list box steps instead
    const u32 repeat = Pad[PadActivePad].brepeat;
    const u32 back = Horizontal(bar) ? PAD_LEFT : PAD_UP;
    const u32 on = Horizontal(bar) ? PAD_RIGHT : PAD_DOWN;
    if ((repeat & back) != 0)
        ScrollbarSetValue(bar, bar->value - 1.0f);
    else if ((repeat & on) != 0)
        ScrollbarSetValue(bar, bar->value + 1.0f);
}

void DrawArrow(const s_Irect16& button, u8 glyph, bool horizontal) {
    if (horizontal)
        UIFontDrawChar(glyph, f32(button.x + 7), f32(button.y + button.h));
    else
        UIFontDrawChar(glyph, f32(button.x + 6), f32(button.y + button.h - 1));
}

void DrawScrollbar(s_scrollbar_obj* bar) {
    UISetFlatColor(bar->bkgColor);
    UIDrawRect(&bar->obj.rect);
    UISetFlatColor(0x282828FF);
    if (bar->pageUpState != BUTTON_UP)
        UIDrawRect(&bar->pageUpRect);
    if (bar->pageDownState != BUTTON_UP)
        UIDrawRect(&bar->pageDownRect);
    UIDrawButtonFace(&bar->upRect, bar->buttonColor, bar->upState);
    UIDrawButtonFace(&bar->downRect, bar->buttonColor, bar->downState);
    UIDrawButtonFace(&bar->thumbRect, 0x464646FF, BUTTON_UP);
    s_font* font = FontSet(DebugIconFont);
    FontSetScale(0.75f, 0.75f);
    UISetFlatColor(bar->textColor);
    const bool horizontal = Horizontal(bar);
    DrawArrow(bar->upRect, horizontal ? DEBUG_ICON_LEFT : DEBUG_ICON_UP, horizontal);
    DrawArrow(bar->downRect, horizontal ? DEBUG_ICON_RIGHT : DEBUG_ICON_DOWN, horizontal);
    FontSet(font);
    FontSetScale(bar->obj.scale.x, bar->obj.scale.y);
}

s32 ScrollbarSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* bar = reinterpret_cast<s_scrollbar_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
            ScrollbarMouseUI(bar);
            return 1;
        case UI_OBJ_EVENT_PAD_UI:
            ScrollbarPadUI(bar);
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawScrollbar(bar);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

s_scrollbar_obj* ScrollbarOpen(const s_Irect16* rect, u32 flags, s32 visible, s32 total, s32 value) {
    auto* bar = UIObjectOpen<s_scrollbar_obj>(UI_OBJ_SCROLLBAR, ScrollbarSystemFunc);
    if (bar == nullptr)
        return nullptr;
    const s_Irect16& r = *rect;
    bar->obj.rect = r;
    bar->flags = flags;
    const bool horizontal = Horizontal(bar);
    s_Vector2 sprite;
    DrawGetSpriteScale(&sprite);
    const f32 scale = horizontal ? sprite.x : sprite.y;
    const f32 ratio = total != 0 ? f32(visible) / f32(total) : 0.0f;
    const s32 b = horizontal ? r.h : r.w;
    const s32 track = (horizontal ? r.w : r.h) - 2 * b;
    const s32 usable = s32(f32(track) - 4.0f * scale);
    s32 thumb = s32(ratio * f32(usable));
    if (thumb < s32(6.0f * scale))
        thumb = s32(6.0f * scale);
    if (thumb > usable)
        thumb = usable;
    // Without units to scroll (total 0 too) the thumb stays at the start.
    const s32 range = total > visible ? total - visible : 0;
    bar->thumbTravel = range > 0 ? usable - thumb : 0;
    bar->thumbScale = range > 0 ? f32(bar->thumbTravel) / f32(range) : 0.0f;
    bar->thumbBasePos = (horizontal ? r.x : r.y) + b + s32(2.0f * scale);
    bar->maxValue = f32(total > visible ? range : total);
    bar->height = f32(visible);
    bar->upRect = {r.x, r.y, s16(b), s16(b)};
    if (horizontal) {
        bar->downRect = {s16(r.x + r.w - b), r.y, s16(b), s16(b)};
        bar->thumbRect = {0, r.y, s16(thumb), s16(b)};
        bar->pageUpRect = {s16(r.x + b), r.y, 0, r.h};
        bar->pageDownRect = {0, r.y, 0, r.h};
    } else {
        bar->downRect = {r.x, s16(r.y + r.h - b), s16(b), s16(b)};
        bar->thumbRect = {r.x, 0, s16(b), s16(thumb)};
        bar->pageUpRect = {r.x, s16(r.y + b), r.w, 0};
        bar->pageDownRect = {r.x, 0, r.w, 0};
    }
    bar->bkgColor = 0x5A5A5AFF;
    bar->buttonColor = 0x505050FF;
    bar->textColor = 0x000000FF;
    ScrollbarSetValue(bar, f32(value));
    UIObjectRecordInsertList(&bar->obj);
    return bar;
}

s_scrollbar_obj* ScrollbarSetValue(s_scrollbar_obj* bar, f32 value) {
    bar->flags |= SCROLLBAR_CHANGED;
    if (value < 0.0f)
        value = 0.0f;
    if (value > bar->maxValue)
        value = f32(s32(bar->maxValue));
    bar->value = value;
    bar->thumbPos = s32(f32(bar->thumbBasePos) + value * bar->thumbScale + 0.9f);
    LayOut(bar);
    return bar;
}
