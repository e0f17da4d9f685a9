// The toolkit's menu bar and its drop-down menus. Tools describe their menus as
// static tables of s_menu and s_menu_item; the bar and menu objects read them and
// call the items' functions.
#pragma once

#include "orblib47/source/UIObject.h"

// s_menu_item flags.
constexpr u32 MENU_ITEM_ENABLED = 0x1;
constexpr u32 MENU_ITEM_DIVIDER = 0x2;  // a line under the item
constexpr u32 MENU_ITEM_CHECKED = 0x4;

constexpr s16 MENUBAR_FADE = 0x1;  // the bar fades out when left alone
constexpr f32 MENUBAR_FADE_SECONDS = 5.0f;

enum e_menubar_state : s32 {
    MENUBAR_IDLE = 0,
    MENUBAR_OPEN = 1,  // a menu is dropped down
};

struct s_menu_item {
    u32 flags;
    u32 id;
    const char* name;  // a name starting with "-" is a separator
    s_Irect16 rect;    // on screen, laid out each time the menu opens
    s32 (*func)(s_menu_item* item);
};

struct s_menu {
    const char* name;
    s_Irect16 rect;  // the name on the bar, laid out by MenubarOpen
    s32 numItems;
    s_menu_item* itemList;
};

struct s_menu_obj;

struct s_menubar_obj {
    s_ui_object obj;
    e_menubar_state state;
    s16 menuIndex;      // the open or last opened menu; -1 before the first
    s16 menuItemIndex;  // 0; reset whenever the pad opens a menu
    s16 menuIdleIndex;  // the name under the pointer, -1 none
    s16 flags;          // MENUBAR_FADE
    u32 bkgColor;
    u32 textColor;
    u32 hiliteColor;
    f32 fadeTimer;  // seconds before the bar fades; any use sets it back
    s32 numMenus;
    s_menu* menuList;
    s_menu_obj* menu;  // the open menu
};

struct s_menu_obj {
    s_ui_object obj;
    s32 index;  // highlighted item, -1 none
    u32 bkgColor;
    u32 textColor;
    u32 hiliteColor;
    s32 numItems;
    s_menu_item* itemList;  // the tool's table
};

// UIMenubar.cpp. The bar does not take the focus.
s_menubar_obj* MenubarOpen(s32 numMenus, s_menu* menus, s16 flags);
// Drops menu `index` down under its name; nothing when it is open already.
void MenubarOpenMenu(s_menubar_obj* bar, s32 index);

// UIMenu.cpp.
s_menu_obj* MenuOpen(s32 x, s32 y, s32 numItems, s_menu_item* items);
// A menu of a bar leaves the bar idle with no open menu.
void MenuClose(s_menu_obj* menu);
// On every item with the id, or every item for id -1.
void MenuSetFlagsById(s_menu* menu, s32 id, u32 bits);
void MenuClrFlagsById(s_menu* menu, s32 id, u32 bits);
// Checks the item `id` and unchecks the other items whose ids lie in [first, last].
void MenuSetSelected(s_menu* menu, s32 first, s32 last, s32 id);
