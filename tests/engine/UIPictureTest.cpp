// A tool's screen built from the toolkit, against a kept picture: a menu bar with
// its first menu open, a focused window with a button, check boxes and scroll
// bars, and an unfocused window behind it. The picture drawn is written as
// ui_toolkit.png in the working folder for a person to look at;
// BOWLING_UPDATE_REFERENCE=1 makes it the new reference.
#include <gtest/gtest.h>

#include "orblib47/source/UIMenu.h"
#include "orblib47/source/UIWidget.h"
#include "tests/engine/UIFixture.h"
#include "tests/game/PictureCompare.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/ui_toolkit.png";
constexpr const char* kDrawn = "ui_toolkit.png";

s_menu_item FileItems[] = {
    {MENU_ITEM_ENABLED, 1, "Open archive...", {}, nullptr},
    {0, 2, "Save", {}, nullptr},
    {MENU_ITEM_ENABLED, 3, "-", {}, nullptr},
    {MENU_ITEM_ENABLED | MENU_ITEM_CHECKED, 4, "Show timing", {}, nullptr},
    {MENU_ITEM_ENABLED | MENU_ITEM_DIVIDER, 5, "Reload", {}, nullptr},
    {MENU_ITEM_ENABLED, 6, "Quit", {}, nullptr},
};
s_menu_item NoItems[] = {{MENU_ITEM_ENABLED, 1, "About", {}, nullptr}};
s_menu Menus[] = {{"File", {}, 6, FileItems}, {"View", {}, 1, NoItems}, {"Help", {}, 1, NoItems}};

template <class T>
T* Under(s_window_obj* window, T* child) {
    UIObjectLink(&window->obj, &child->obj);
    return child;
}

using UIPictureTest = UIFixture;

TEST_F(UIPictureTest, MatchesTheKeptPicture) {
    MouseDisable();  // no cursor in the picture
    const s_Irect16 backRect{380, 250, 220, 140};
    WindowOpen(&backRect, WINDOW_FRAME | WINDOW_TITLE, "Log", nullptr);

    const s_Irect16 rect{150, 110, 320, 220};
    s_window_obj* window =
        WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_CLOSE, "Lane settings", nullptr);
    Under(window, ButtonOpen(16, 170, "Apply", nullptr));
    Under(window, ButtonOpen(86, 170, "Cancel", nullptr));
    CheckBoxSetCheck(Under(window, CheckBoxOpen(16, 40, "Show pins", 1, nullptr)), 1);
    Under(window, CheckBoxOpen(16, 62, "Slow motion", 2, nullptr));
    Under(window, CheckBoxOpen(16, 84, "Oil pattern", 3, nullptr))->flags = 0;
    const s_Irect16 vertical{292, 24, 16, 180};
    ScrollbarSetValue(Under(window, ScrollbarOpen(&vertical, 0, 10, 40, 0)), 12.0f);
    const s_Irect16 horizontal{16, 120, 260, 16};
    Under(window, ScrollbarOpen(&horizontal, SCROLLBAR_HORIZONTAL, 30, 60, 10));

    s_menubar_obj* bar = MenubarOpen(3, Menus, 0);
    MenubarOpenMenu(bar, 0);
    bar->menu->index = 3;

    EventWait(12);  // past the black frames after start-up
    // A misplaced part or a wrong colour changes hundreds of pixels.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
}

}  // namespace
