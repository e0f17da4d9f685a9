#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/UIObject.h"

namespace {

s_Irect16 OnScreen(const s_Irect16& rect, s32 dx = 0, s32 dy = 0) {
    return {s16(rect.x + dx + s32(UIObjectPos.x)), s16(rect.y + dy + s32(UIObjectPos.y)), rect.w, rect.h};
}

// Text leaves its font's texture bound; the toolkit's shapes are untextured.
void Untextured() {
    DrawSetTexture(nullptr);
}

bool Within(s32 v, s32 start, s32 length) {
    return v >= start && v < start + length;
}

}  // namespace

void UIStartDrawToWindow(s_ui_object* window) {
    UIObjectPosSave = UIObjectPos;
    UIObjectPos = {f32(window->rect.x), f32(window->rect.y)};
}

void UIEndDrawToWindow() {
    UIObjectPos = UIObjectPosSave;
}

u32 UIFadeColor(u32 rgba) {
    if (UIAlpha == 1.0f)
        return rgba;
    return (rgba & 0xFFFFFF00u) | u32(s32(f32(rgba & 0xFFu) * UIAlpha));
}

void UISetFlatColor(u32 rgba) {
    DrawSetFlatColor(UIFadeColor(rgba));
}

void UIDrawRect(const s_Irect16* rect) {
    const s_Irect16 screen = OnScreen(*rect);
    Untextured();
    DrawFilledIrect(&screen);
}

void UIDrawRectRelative(const s_Irect16* base, const s_Irect16* rect) {
    const s_Irect16 screen = OnScreen(*rect, base->x, base->y);
    Untextured();
    DrawFilledIrect(&screen);
}

void UIDrawLine(f32 x0, f32 y0, f32 x1, f32 y1) {
    const s_Vector3 a{x0 + UIObjectPos.x, y0 + UIObjectPos.y, 0.0f, 0.0f};
    const s_Vector3 b{x1 + UIObjectPos.x, y1 + UIObjectPos.y, 0.0f, 0.0f};
    Untextured();
    DrawLine(&a, &b);
}

void UIDrawBeveledRect(const s_Irect16* rect, u32 topLeft, u32 bottomRight, bool fadeEdges) {
    const s_Irect16 screen = OnScreen(*rect);
    Untextured();
    if (fadeEdges)
        DrawBeveledIrect(&screen, UIFadeColor(topLeft), UIFadeColor(bottomRight));
    else
        DrawBeveledIrect(&screen, topLeft, bottomRight);
}

void UIFontDrawString(const char* string, f32 x, f32 y) {
    FontDrawString(string, 0, x + UIObjectPos.x, y + UIObjectPos.y);
}

void UIFontDrawStringRelative(const s_Irect16* base, const char* string, f32 x, f32 y) {
    UIFontDrawString(string, f32(base->x) + x, f32(base->y) + y);
}

void UIFontDrawChar(u8 c, f32 x, f32 y) {
    FontMoveTo(x + UIObjectPos.x, y + UIObjectPos.y);
    FontDrawChar(c);
}

bool UIMouseWithin(const s_Irect16* rect) {
    return Within(Mouse.analog[MOUSE_X], rect->x, rect->w) && Within(Mouse.analog[MOUSE_Y], rect->y, rect->h);
}

bool UIMouseWithinRelative(const s_Irect16* base, const s_Irect16* rect) {
    return Within(Mouse.analog[MOUSE_X] - base->x, rect->x, rect->w) &&
           Within(Mouse.analog[MOUSE_Y] - base->y, rect->y, rect->h);
}

bool UIMouseWithinHorz(const s_Irect16* rect) {
    return Within(Mouse.analog[MOUSE_X] - s32(UIObjectPos.x), rect->x, rect->w);
}

bool UIMouseWithinVert(const s_Irect16* rect) {
    return Within(Mouse.analog[MOUSE_Y] - s32(UIObjectPos.y), rect->y, rect->h);
}
