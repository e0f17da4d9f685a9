#include "orblib47/source/UIMenu.h"

#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"

namespace {

constexpr u32 kLineColor = 0x202020FF;

bool Enabled(const s_menu_item& item) {
    return (item.flags & MENU_ITEM_ENABLED) != 0;
}

bool Separator(const s_menu_item& item) {
    return item.name[0] == '-';
}

void MenuMouseUI(s_menu_obj* menu) {
    menu->index = -1;
    for (s32 k = 0; k < menu->numItems && menu->index < 0; ++k) {
        if (UIMouseWithin(&menu->itemList[k].rect))
            menu->index = k;
    }
    if (menu->index < 0) {
        if ((Mouse.buttonNew & UI_MOUSE_BUTTONS) != 0)
            MenuClose(menu);  // a click outside
        return;
    }
    if ((Mouse.buttonReleased & UI_MOUSE_BUTTONS) == 0)
        return;
    s_menu_item& item = menu->itemList[menu->index];
    if (Enabled(item) && item.func != nullptr)
        item.func(&item);
    MenuClose(menu);
}

void MenuPadUI(s_menu_obj* menu) {
    s_pad& pad = Pad[PadActivePad];
    if ((pad.brepeat & PAD_UP) != 0) {
        if (menu->index > 0)
            --menu->index;
    } else if ((pad.brepeat & PAD_DOWN) != 0) {
        if (menu->index < menu->numItems - 1)
            ++menu->index;
    }
    if ((pad.breleased & PAD_A) == 0)
        return;
    if (menu->index >= 0) {
        s_menu_item& item = menu->itemList[menu->index];
        if (Enabled(item) && item.func != nullptr)
            item.func(&item);
    }
    // The press was the menu's: nothing else sees it this frame.
    pad.bnew = pad.brepeat = pad.breleased = 0;
}

void DrawItem(const s_menu_obj* menu, s32 k) {
    const s_menu_item& item = menu->itemList[k];
    const s_Irect16& r = item.rect;
    UISetFlatColor(kLineColor);
    if ((item.flags & MENU_ITEM_DIVIDER) != 0)
        UIDrawLine(r.x, r.y + r.h - 1, r.x + r.w, r.y + r.h - 1);
    if (Separator(item)) {
        UIDrawLine(r.x, r.y + r.h / 2, r.x + r.w, r.y + r.h / 2);
        return;
    }
    const bool highlighted = k == menu->index && Enabled(item);
    if (highlighted) {
        UISetFlatColor(menu->hiliteColor);
        UIDrawRect(&r);
    }
    UISetFlatColor(!Enabled(item) ? 0x3C3C3CFF : highlighted ? 0x808080FF : menu->textColor);
    if ((item.flags & MENU_ITEM_CHECKED) != 0)
        UIFontDrawString("*", f32(r.x + 8), f32(r.y + r.h - 2));
    UIFontDrawString(item.name, f32(r.x + 22), f32(r.y + r.h - 2));
}

void DrawMenu(s_menu_obj* menu) {
    UISetFlatColor(menu->bkgColor);
    UIDrawBeveledRect(&menu->obj.rect, UI_BEVEL_LIGHT, UI_BEVEL_DARK);
    for (s32 k = 0; k < menu->numItems; ++k)
        DrawItem(menu, k);
}

s32 MenuSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* menu = reinterpret_cast<s_menu_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
            MenuMouseUI(menu);
            return 1;
        case UI_OBJ_EVENT_PAD_UI:
            MenuPadUI(menu);
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawMenu(menu);
            return 1;
        default:
            return 0;
    }
}

template <class Change>
void ForItemsWithId(s_menu* menu, s32 id, Change change) {
    for (s32 k = 0; k < menu->numItems; ++k) {
        if (id == -1 || menu->itemList[k].id == u32(id))
            change(menu->itemList[k]);
    }
}

}  // namespace

s_menu_obj* MenuOpen(s32 x, s32 y, s32 numItems, s_menu_item* items) {
    auto* menu = UIObjectOpen<s_menu_obj>(UI_OBJ_MENU, MenuSystemFunc);
    if (menu == nullptr)
        return nullptr;
    menu->index = -1;
    menu->bkgColor = 0x505050FF;
    menu->textColor = 0x000000FF;
    menu->hiliteColor = 0x000028FF;
    menu->numItems = numItems;
    menu->itemList = items;
    const s16 height = s16(FontCharHeight() + 4.0f);
    s32 yy = 2;
    s16 widest = 0;
    for (s32 k = 0; k < numItems; ++k) {
        const s16 width = s16(FontStringWidth(items[k].name) + 30.0f);
        items[k].rect = {s16(x), s16(y + yy), width, height};
        yy += height;
        widest = width > widest ? width : widest;
    }
    for (s32 k = 0; k < numItems; ++k)
        items[k].rect.w = widest;
    menu->obj.rect = {s16(x), s16(y), widest, s16(yy)};
    UIObjectRecordInsertList(&menu->obj);
    return menu;
}

void MenuClose(s_menu_obj* menu) {
    s_ui_object* parent = menu->obj.parent;
    if (parent != nullptr && parent->type == UI_OBJ_MENUBAR) {
        auto* bar = reinterpret_cast<s_menubar_obj*>(parent);
        bar->state = MENUBAR_IDLE;
        bar->menu = nullptr;
    }
    UIObjectClose(&menu->obj);
}

void MenuSetFlagsById(s_menu* menu, s32 id, u32 bits) {
    ForItemsWithId(menu, id, [bits](s_menu_item& item) { item.flags |= bits; });
}

void MenuClrFlagsById(s_menu* menu, s32 id, u32 bits) {
    ForItemsWithId(menu, id, [bits](s_menu_item& item) { item.flags &= ~bits; });
}

void MenuSetSelected(s_menu* menu, s32 first, s32 last, s32 id) {
    for (s32 k = 0; k < menu->numItems; ++k) {
        s_menu_item& item = menu->itemList[k];
        if (s32(item.id) < first || s32(item.id) > last)
            continue;
        if (s32(item.id) == id)
            item.flags |= MENU_ITEM_CHECKED;
        else
            item.flags &= ~MENU_ITEM_CHECKED;
    }
}
