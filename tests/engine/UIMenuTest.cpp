#include <gtest/gtest.h>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIMenu.h"
#include "orblib47/source/UIWidget.h"
#include "tests/engine/UIFixture.h"

namespace {

using UIMenuTest = UIFixture;

u32 Chosen = 0;
s32 Choose(s_menu_item* item) {
    Chosen = item->id;
    return 1;
}

s_menu_item FileItems[] = {
    {MENU_ITEM_ENABLED, 1, "Open", {}, Choose},
    {0, 2, "Save", {}, Choose},
    {MENU_ITEM_ENABLED, 3, "-", {}, nullptr},
    {MENU_ITEM_ENABLED, 4, "Quit", {}, Choose},
};
s_menu_item ViewItems[] = {
    {MENU_ITEM_ENABLED | MENU_ITEM_CHECKED, 10, "Timing", {}, Choose},
    {MENU_ITEM_ENABLED, 11, "Memory", {}, Choose},
};
s_menu Menus[] = {{"File", {}, 4, FileItems}, {"View", {}, 2, ViewItems}};

std::vector<std::string> Press(const char* button) {
    return {std::string("button ") + button + " down", std::string("button ") + button + " up"};
}

bool AReleaseSeen = false;
void WatchA(s_thread*, void*) {
    AReleaseSeen = AReleaseSeen || (Pad[PadActivePad].breleased & PAD_A) != 0;
}

TEST_F(UIMenuTest, ThePadOpensStepsAndChoosesFromTheMenus) {
    MouseDisable();  // a pointer would set the highlight each frame
    s_menubar_obj* bar = MenubarOpen(2, Menus, 0);
    UIProbe probe(WatchA);
    const struct {
        const char* button;
        s32 menuIndex;
        s32 itemIndex;
        u32 chosen;
    } steps[] = {
        {"minus", 0, 0, 0},                  // the focus drops the first menu down
        {"down", 0, 1, 0},  {"a", 0, 1, 0},  // a disabled item
        {"down", 0, 2, 0},  {"down", 0, 3, 0},  {"down", 0, 3, 0},  {"a", 0, 3, 4},
        {"up", 0, 2, 0},    {"right", 1, 0, 0}, {"right", 0, 0, 0}, {"left", 1, 0, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.button);
        Chosen = 0;
        AReleaseSeen = false;
        Play(Press(step.button));
        ASSERT_NE(bar->menu, nullptr);
        EXPECT_EQ(bar->menuIndex, step.menuIndex);
        EXPECT_EQ(bar->menu->index, step.itemIndex);
        EXPECT_EQ(Chosen, step.chosen);
        EXPECT_FALSE(AReleaseSeen) << "the menu keeps its A press";
    }
    Play(Press("minus"));  // the focus leaves the bar, which has nothing to hand it to
    EXPECT_EQ(bar->menu, nullptr);
    EXPECT_EQ(bar->state, MENUBAR_IDLE);
}

TEST_F(UIMenuTest, ThePointerOpensSwitchesAndChoosesFromTheMenus) {
    s_menubar_obj* bar = MenubarOpen(2, Menus, 0);
    const std::string file = PointAt(Menus[0].rect);
    const std::string view = PointAt(Menus[1].rect);
    Play({file, "button 1 down", "button 1 up"});
    ASSERT_EQ(bar->state, MENUBAR_OPEN);
    EXPECT_EQ(bar->menuIndex, 0);
    Play({view});
    EXPECT_EQ(bar->menuIndex, 1);
    ASSERT_NE(bar->menu, nullptr);
    EXPECT_EQ(UIObjectList.next, &bar->menu->obj) << "the open menu is served first and drawn on top";

    const struct {
        const char* name;
        s32 menu;
        const s_menu_item* item;  // null: a click outside
        u32 chosen;
    } rows[] = {
        {"an item", 1, &ViewItems[1], 11},
        {"a disabled item", 0, &FileItems[1], 0},
        {"a click outside", 0, nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Play({row.menu == 0 ? file : view, "button 1 down", "button 1 up"});
        ASSERT_NE(bar->menu, nullptr);
        Chosen = 0;
        Play({row.item != nullptr ? PointAt(row.item->rect) : "pointer 500 400", "button 1 down",
              "button 1 up"});
        EXPECT_EQ(Chosen, row.chosen);
        EXPECT_EQ(bar->menu, nullptr);
        EXPECT_EQ(bar->state, MENUBAR_IDLE);
    }
}

TEST_F(UIMenuTest, ABarWithoutMenusTakesTheFocusAndOpensNothing) {
    s_menubar_obj* bar = MenubarOpen(0, nullptr, 0);
    Play(Press("minus"));
    EXPECT_NE(bar->obj.flags & UI_OBJ_FLAG_FOCUS, 0u);
    EXPECT_EQ(bar->menu, nullptr);
}

TEST_F(UIMenuTest, TheItemFlagFunctionsChangeTheToolsTables) {
    s_menu_item items[] = {
        {0, 1, "a", {}, nullptr},
        {0, 2, "b", {}, nullptr},
        {MENU_ITEM_CHECKED, 2, "c", {}, nullptr},
        {MENU_ITEM_CHECKED, 3, "d", {}, nullptr},
        {MENU_ITEM_CHECKED, 4, "e", {}, nullptr},
    };
    s_menu menu{"Menu", {}, 5, items};
    MenuSetFlagsById(&menu, 2, MENU_ITEM_ENABLED);
    MenuSetFlagsById(&menu, -1, MENU_ITEM_DIVIDER);
    MenuClrFlagsById(&menu, 1, MENU_ITEM_DIVIDER);
    MenuSetSelected(&menu, 1, 3, 2);  // the last id of the range is in it, the next one not
    const u32 expected[] = {
        0,
        MENU_ITEM_ENABLED | MENU_ITEM_DIVIDER | MENU_ITEM_CHECKED,
        MENU_ITEM_ENABLED | MENU_ITEM_DIVIDER | MENU_ITEM_CHECKED,
        MENU_ITEM_DIVIDER,
        MENU_ITEM_DIVIDER | MENU_ITEM_CHECKED,
    };
    for (s32 k = 0; k < 5; ++k)
        EXPECT_EQ(items[k].flags, expected[k]) << items[k].name;
}

bool WindowKeptFocus = true;
void WatchFocus(s_thread*, void* record) {
    WindowKeptFocus = WindowKeptFocus && (static_cast<s_ui_object*>(record)->flags & UI_OBJ_FLAG_FOCUS) != 0;
}

TEST_F(UIMenuTest, AFadedUIKeepsItsFocusUntilMinusBringsItBack) {
    s_menubar_obj* bar = MenubarOpen(2, Menus, MENUBAR_FADE);
    const s_Irect16 rect{100, 100, 200, 120};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE, "Tool", nullptr);
    f32 seconds = 0.0f;
    while (seconds < MENUBAR_FADE_SECONDS - 0.25f) {
        EventWait(1);
        seconds += DeltaTime;
    }
    EXPECT_GT(UIAlpha, 0.0f);
    EXPECT_LT(UIAlpha, 1.0f);
    while (seconds < MENUBAR_FADE_SECONDS + 0.1f) {
        EventWait(1);
        seconds += DeltaTime;
    }
    EXPECT_EQ(UIAlpha, 0.0f);

    WindowKeptFocus = true;
    {
        UIProbe probe(WatchFocus, &window->obj);
        EventWait(30);
    }
    EXPECT_TRUE(WindowKeptFocus);
    EXPECT_EQ(bar->menu, nullptr);

    Play(Press("minus"));
    EXPECT_EQ(UIAlpha, 1.0f);
    EXPECT_NE(bar->obj.flags & UI_OBJ_FLAG_FOCUS, 0u);
    EXPECT_NE(bar->menu, nullptr);
}

}  // namespace
