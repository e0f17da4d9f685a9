#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/DebugMemory.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/UIMenu.h"
#include "orblib47/source/UITextWidget.h"
#include "tests/engine/UIFixture.h"

namespace {

using UIObjectTest = UIFixture;

s_menu_item NoItems[] = {{MENU_ITEM_ENABLED, 1, "Open", {}, nullptr}};
s_menu Menus[] = {{"File", {}, 1, NoItems}, {"View", {}, 1, NoItems}};

s32 Draws = 0;
s32 CountDraws(s_ui_object*, e_ui_obj_event_type event) {
    Draws += event == UI_OBJ_EVENT_DRAW;
    return 0;
}

s32 TakePad(s_ui_object*, e_ui_obj_event_type event) {
    Draws += event == UI_OBJ_EVENT_DRAW;
    return event == UI_OBJ_EVENT_PAD_UI ? 1 : 0;
}

s32 PadClicks = 0;
s32 CountPadClick(s_button_obj*) {
    return ++PadClicks;
}

s32 Refuse(s_ui_object*, e_ui_obj_event_type event) {
    return event == UI_OBJ_EVENT_CLOSE ? 1 : 0;
}

bool Focused(const s_ui_object* object) {
    return (object->flags & UI_OBJ_FLAG_FOCUS) != 0;
}

const s_ui_object* FocusedTopLevel() {
    for (const s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
        if (Focused(object))
            return object;
    }
    return nullptr;
}

const std::vector<std::string> kMinus = {"button minus down", "button minus up"};

TEST_F(UIObjectTest, TheMinusButtonWalksTheFocusOverWindowsAndMenuBarsOnly) {
    // Nothing to focus: the walk ends after one turn of the list.
    ButtonOpen(10, 300, "A", nullptr);
    ButtonOpen(60, 300, "B", nullptr);
    Play(kMinus);
    EXPECT_EQ(FocusedTopLevel(), nullptr);

    const s_Irect16 rect{100, 100, 200, 100};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "W", nullptr);
    s_menubar_obj* bar = MenubarOpen(2, Menus, 0);
    EXPECT_EQ(FocusedTopLevel(), &window->obj);
    Play(kMinus);
    EXPECT_EQ(FocusedTopLevel(), &bar->obj);
    EXPECT_NE(bar->menu, nullptr) << "a bar that gets the focus drops its menu down";
    Play(kMinus);
    EXPECT_EQ(FocusedTopLevel(), &window->obj);
    EXPECT_EQ(bar->menu, nullptr);
}

TEST_F(UIObjectTest, AModalWindowStarvesTheMenuBarOfInputButTheBarIsDrawn) {
    s_menubar_obj* bar = MenubarOpen(2, Menus, 0);
    UIObjectSetEventFunc(&bar->obj, CountDraws);
    const s_Irect16 rect{200, 150, 200, 100};
    s_window_obj* modal = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_MODAL, "Modal", nullptr);
    Draws = 0;
    Play({PointAt(Menus[0].rect), "button 1 down", "button 1 up", "button minus down", "button minus up"});
    EXPECT_EQ(bar->state, MENUBAR_IDLE);
    EXPECT_TRUE(Focused(&modal->obj));
    EXPECT_FALSE(Focused(&bar->obj));
    EXPECT_GT(Draws, 20);

    UIObjectClose(&modal->obj);
    Play({PointAt(Menus[0].rect), "button 1 down", "button 1 up"});
    EXPECT_EQ(bar->state, MENUBAR_OPEN);
}

TEST_F(UIObjectTest, AUserFunctionThatTakesThePadStarvesTheSystemFunctionButBothDraw) {
    const s_Irect16 rect{100, 100, 200, 100};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Pad", nullptr);
    s_button_obj* button = ButtonOpen(10, 10, "A", CountPadClick);
    button->padKey = PAD_A;
    UIObjectLink(&window->obj, &button->obj);
    for (const bool take : {false, true}) {
        SCOPED_TRACE(take ? "taken" : "passed on");
        UIObjectSetEventFunc(&button->obj, take ? TakePad : CountDraws);
        PadClicks = 0;
        Draws = 0;
        Play({"button a down", "button a up"});
        EXPECT_EQ(PadClicks, take ? 0 : 1);
        EXPECT_GT(Draws, 10);
    }
}

TEST_F(UIObjectTest, ClosingAWindowFreesItsWholeSubtree) {
    const u32 freeRecords = UIObjectRecords->count;
    enum Closer { kCloseBox, kPadB, kRequest };
    const struct {
        const char* name;
        Closer closer;
        bool refuse;
    } rows[] = {
        {"close box clicked", kCloseBox, false},
        {"B pressed", kPadB, false},
        {"close box clicked, the window refuses", kCloseBox, true},
        {"B pressed, the window refuses", kPadB, true},
        {"close requested", kRequest, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const s_Irect16 rect{100, 100, 240, 160};
        s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_CLOSE, "Parent",
                                          row.refuse ? Refuse : nullptr);
        s_button_obj* button = ButtonOpen(20, 40, "Child", nullptr);
        UIObjectLink(&window->obj, &button->obj);
        const s_Irect16 barRect{0, 0, 60, 12};
        s_scrollbar_obj* grandchild = ScrollbarOpen(&barRect, SCROLLBAR_HORIZONTAL, 2, 8, 0);
        UIObjectLink(&button->obj, &grandchild->obj);
        s_checkbox_obj* box = CheckBoxOpen(20, 80, "Child too", 1, nullptr);
        UIObjectLink(&window->obj, &box->obj);
        EXPECT_EQ(UIObjectRecords->count, freeRecords - 5);

        EventWait(1);  // the close box moves to its place
        const std::string closeBox = PointAt(window->closeButton->obj.rect, &window->obj.rect);
        if (row.closer == kPadB)
            Play({"button b down", "button b up"});
        else if (row.closer == kCloseBox)
            Play({closeBox, "button 1 down", "button 1 up"});
        else
            UIObjectRequestClose(&window->obj);
        EventWait(1);
        if (row.refuse) {
            EXPECT_EQ(UIObjectList.next, &window->obj);
            UIObjectClose(&window->obj);
        }
        EXPECT_EQ(UIObjectList.next, nullptr);
        EXPECT_EQ(UIObjectRecords->count, freeRecords);
        EXPECT_EQ(UIObjectMemory->currentNumPtr, 0);
    }
}

TEST_F(UIObjectTest, ClosingTheFocusedWindowHandsTheFocusToTheFirstWindowLeft) {
    const s_Irect16 rect{100, 100, 100, 100};
    s_window_obj* first = WindowOpen(&rect, WINDOW_FRAME, "1", nullptr);
    s_window_obj* second = WindowOpen(&rect, WINDOW_FRAME, "2", nullptr);
    s_window_obj* third = WindowOpen(&rect, WINDOW_FRAME, "3", nullptr);
    UIObjectClose(&second->obj);
    EXPECT_TRUE(Focused(&third->obj));
    UIObjectClose(&third->obj);
    EXPECT_TRUE(Focused(&first->obj));
}

TEST_F(UIObjectTest, TabStepsTheLineEditsByIdAndWrapsSelectingEachWholeText) {
    const s_Irect16 rect{100, 100, 200, 200};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Edits", nullptr);
    for (s32 id : {5, 2, 9}) {
        const std::string text(size_t(id), 'x');
        s_line_edit_obj* edit = LineEditOpen(10, 10 * id, 100, text.c_str(), nullptr, 0, nullptr);
        edit->obj.id = id;
        UIObjectLink(&window->obj, &edit->obj);
    }
    for (s32 id : {2, 5, 9, 2}) {
        UIObjectFocusNextChild(&window->obj);
        s32 focused = 0;
        for (s_ui_object* child = window->obj.childNext; child != nullptr; child = child->next) {
            if (!Focused(child))
                continue;
            focused += child->id;
            const auto* edit = reinterpret_cast<s_line_edit_obj*>(child);
            EXPECT_EQ(edit->cursorStart, 0);
            EXPECT_EQ(edit->cursorEnd, id);
        }
        EXPECT_EQ(focused, id);
    }
}

}  // namespace
