#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIMenu.h"

namespace {

constexpr u32 kHighlightedText = 0x808080FF;
constexpr f32 kFadeSeconds = 0.5f;  // the last part of the wait, over which the UI fades

s32 MenuUnderPointer(const s_menubar_obj* bar) {
    for (s32 i = 0; i < bar->numMenus; ++i) {
        if (UIMouseWithin(&bar->menuList[i].rect))
            return i;
    }
    return -1;
}

void CloseMenu(s_menubar_obj* bar) {
    if (bar->menu != nullptr)
        MenuClose(bar->menu);
    bar->state = MENUBAR_IDLE;
}

// The pad's way in: the bar idle first, so that the menu reopens on its first item.
void PadOpenMenu(s_menubar_obj* bar, s32 index) {
    bar->menuItemIndex = 0;
    bar->state = MENUBAR_IDLE;
    MenubarOpenMenu(bar, index);
    if (bar->menu != nullptr)
        bar->menu->index = 0;
}

void MenubarMouseUI(s_menubar_obj* bar) {
    const s32 under = MenuUnderPointer(bar);
    bar->menuIdleIndex = s16(under);
    if (bar->state == MENUBAR_OPEN) {
        bar->fadeTimer = MENUBAR_FADE_SECONDS;
        if (under >= 0)
            MenubarOpenMenu(bar, under);
    } else if (under >= 0) {
        bar->fadeTimer = MENUBAR_FADE_SECONDS;
        if ((Mouse.buttonNew & UI_MOUSE_BUTTONS) != 0)
            MenubarOpenMenu(bar, under);
    }
}

void MenubarPadUI(s_menubar_obj* bar) {
    if (bar->numMenus <= 0)
        return;  // no menu to drop down
    if (bar->state == MENUBAR_IDLE) {
        if (bar->menuIndex < 0)
            bar->menuIndex = 0;
        PadOpenMenu(bar, bar->menuIndex);
        return;
    }
    const u32 repeat = Pad[PadActivePad].brepeat;
    if ((repeat & PAD_RIGHT) != 0)
        PadOpenMenu(bar, (bar->menuIndex + 1) % bar->numMenus);
    else if ((repeat & PAD_LEFT) != 0)
        PadOpenMenu(bar, (bar->menuIndex + bar->numMenus - 1) % bar->numMenus);
}

// False when the bar has faded out and is not drawn.
bool Fade(s_menubar_obj* bar) {
    if (UIFadeOutEnabled == 0 || (bar->flags & MENUBAR_FADE) == 0)
        return true;
    bar->fadeTimer -= DeltaTime;
    if (bar->fadeTimer <= 0.0f) {
        UIAlpha = 0.0f;
        bar->fadeTimer = 0.0f;
        return false;
    }
    if (bar->fadeTimer < kFadeSeconds)
        UIAlpha = bar->fadeTimer / kFadeSeconds;
    return true;
}

void DrawMenubar(s_menubar_obj* bar) {
    if (!Fade(bar))
        return;
    UISetFlatColor(bar->bkgColor);
    UIDrawBeveledRect(&bar->obj.rect, UI_BEVEL_LIGHT, UI_BEVEL_DARK);
    for (s32 i = 0; i < bar->numMenus; ++i) {
        const s_Irect16& r = bar->menuList[i].rect;
        const bool hovered = bar->state == MENUBAR_IDLE && i == bar->menuIdleIndex;
        const bool open = bar->state == MENUBAR_OPEN && i == bar->menuIndex;
        if (hovered || open) {
            UISetFlatColor(bar->hiliteColor);
            UIDrawBeveledRect(&r, open ? UI_BEVEL_DARK : UI_BEVEL_LIGHT,
                              open ? UI_BEVEL_LIGHT : UI_BEVEL_DARK);
        }
        // A highlighted name reads light on the dark highlight, as a menu's items do.
        UISetFlatColor(hovered || open ? kHighlightedText : bar->textColor);
        UIFontDrawString(bar->menuList[i].name, f32(r.x + 10), f32(r.y + r.h));
    }
}

s32 MenubarSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* bar = reinterpret_cast<s_menubar_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_DEFOCUS:
            CloseMenu(bar);
            return 1;
        case UI_OBJ_EVENT_MOUSE_UI:
            MenubarMouseUI(bar);
            return 1;
        case UI_OBJ_EVENT_PAD_UI:
            MenubarPadUI(bar);
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawMenubar(bar);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

s_menubar_obj* MenubarOpen(s32 numMenus, s_menu* menus, s16 flags) {
    auto* bar = UIObjectOpen<s_menubar_obj>(UI_OBJ_MENUBAR, MenubarSystemFunc);
    if (bar == nullptr)
        return nullptr;
    const s_Ivector2 safe = DrawContext.screenTitleSafe;
    const f32 lineHeight = FontCharHeight();
    bar->obj.rect = {0, 0, s16(DrawContext.screenSize.x), s16(lineHeight + f32(safe.y) + 8.0f)};
    bar->state = MENUBAR_IDLE;
    bar->menuIndex = -1;
    bar->menuIdleIndex = -1;
    bar->fadeTimer = MENUBAR_FADE_SECONDS;
    bar->flags = flags;
    bar->bkgColor = 0x505050FF;
    bar->textColor = 0x000000FF;
    bar->hiliteColor = 0x000028FF;
    bar->numMenus = numMenus;
    bar->menuList = menus;
    s32 x = safe.x + 2;
    for (s32 i = 0; i < numMenus; ++i) {
        const s16 width = s16(FontStringWidth(menus[i].name) + 20.0f);
        menus[i].rect = {s16(x), s16(safe.y + 2), width, s16(lineHeight + 4.0f)};
        x += width;
    }
    UIObjectRecordInsertList(&bar->obj);
    return bar;
}

void MenubarOpenMenu(s_menubar_obj* bar, s32 index) {
    if (bar->state == MENUBAR_OPEN && bar->menuIndex == index)
        return;
    bar->menuIndex = s16(index);
    if (bar->menu != nullptr)
        UIObjectClose(&bar->menu->obj);
    FontSetDefaults(bar->obj.font);
    FontSetScale(bar->obj.scale.x, bar->obj.scale.y);
    const s_menu& m = bar->menuList[index];
    bar->menu = MenuOpen(m.rect.x, m.rect.y + m.rect.h, m.numItems, m.itemList);
    if (bar->menu != nullptr)
        bar->menu->obj.parent = &bar->obj;
    bar->state = MENUBAR_OPEN;
    bar->fadeTimer = MENUBAR_FADE_SECONDS;
}
