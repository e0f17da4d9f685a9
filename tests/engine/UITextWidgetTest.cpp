#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/Keyboard.h"
#include "orblib47/source/UITextWidget.h"
#include "tests/engine/UIFixture.h"

namespace {

using UITextWidgetTest = UIFixture;

const char* const kLines[30] = {"00", "01", "02", "03", "04", "05", "06", "07", "08", "09",
                                "10", "11", "12", "13", "14", "15", "16", "17", "18", "19",
                                "20", "21", "22", "23", "24", "25", "26", "27", "28", "29"};

s32 Notices = 0;
s32 CountNotice(s_ui_object*, e_ui_obj_event_type event) {
    Notices += event == UI_OBJ_EVENT_USER ? 1 : 0;
    return 0;
}

TEST_F(UITextWidgetTest, AListBoxScrollsOnlyWhenItsLinesOverflowAndSelectionKeepsTheLineInView) {
    const struct {
        s32 items, visible;
        bool scrollbar;
    } sizes[] = {{12, 10, true}, {10, 10, false}, {5, 0, false}};
    for (const auto& size : sizes) {
        const s_listbox description{0, size.items, kLines, 7, 40, s16(size.visible)};
        s_listbox_obj* list = ListboxOpen(10, 10, &description, nullptr);
        EXPECT_EQ(list->scrollbar != nullptr, size.scrollbar) << size.items << " of " << size.visible;
        UIObjectCloseAll();
    }
    const struct { s32 line, top; } selections[] = {{10, 10}, {25, 20}, {4, 3}, {29, 20}};
    for (const auto& row : selections) {
        const s_listbox description{0, 30, kLines, 0, 0, 10};
        s_listbox_obj* list = ListboxOpen(10, 10, &description, nullptr);
        list->top = 3;
        ListboxSetSelection(list, row.line);
        EXPECT_EQ(list->index, row.line);
        EXPECT_EQ(list->top, row.top) << "line " << row.line;
        EXPECT_EQ(s32(list->scrollbar->value), row.top);
        UIObjectCloseAll();
    }
}

TEST_F(UITextWidgetTest, ThePadStepsTheListBoxByOneOrByTenWithTwoHeld) {
    const s_Irect16 rect{100, 60, 300, 300};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "List", nullptr);
    const s_listbox description{0, 30, kLines, 0, 0, 10};
    s_listbox_obj* list = ListboxOpen(10, 10, &description, CountNotice);
    UIObjectLink(&window->obj, &list->obj);
    const struct {
        const char* name;
        std::vector<std::string> steps;
        s32 index, top, notices;
    } rows[] = {
        {"down twice", {"button down down", "button down up", "button down down", "button down up"}, 2, 0, 2},
        {"up", {"button up down", "button up up"}, 1, 0, 1},
        {"down by ten", {"button 2 down", "button down down", "button down up", "button 2 up"}, 11, 2, 1},
        {"past the last line",
         {"button 2 down", "button down down", "button down up", "button down down", "button down up",
          "button down down", "button down up", "button 2 up"},
         29,
         20,
         3},
        {"on the last line", {"button down down", "button down up"}, 29, 20, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Notices = 0;
        Play(row.steps);
        EXPECT_EQ(list->index, row.index);
        EXPECT_EQ(list->top, row.top);
        EXPECT_EQ(s32(list->scrollbar->value), row.top);
        EXPECT_EQ(Notices, row.notices);
    }
}

TEST_F(UITextWidgetTest, ThePointerSelectsALineAndTheBarScrollsTheList) {
    const s_Irect16 rect{100, 60, 300, 300};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "List", nullptr);
    const s_listbox description{0, 30, kLines, 0, 0, 10};
    s_listbox_obj* list = ListboxOpen(10, 10, &description, CountNotice);
    UIObjectLink(&window->obj, &list->obj);
    const s_Irect16& r = list->obj.rect;
    const auto line = [&](s32 row) {
        return "pointer " + std::to_string(rect.x + r.x + 20) + " " +
               std::to_string(rect.y + r.y + 4 + list->lineHeight * row + list->lineHeight / 2);
    };
    s_Irect16 down = list->scrollbar->downRect;
    down.x = s16(down.x + r.x);
    down.y = s16(down.y + r.y);
    Play({line(3), "button 1 down", "button 1 up"});
    EXPECT_EQ(list->index, 3);
    Play({PointAt(down, &rect), "button 1 down", "button 1 up", "button 1 down", "button 1 up"});
    EXPECT_EQ(list->top, 2);
    EXPECT_EQ(list->index, 3);
    Play({line(0), "button 1 down", "button 1 up", "pointer 20 20"});
    EXPECT_EQ(list->index, 2);  // the first visible line
}

TEST_F(UITextWidgetTest, TheDropButtonOpensAndClosesTheChoicesAndAReleaseOverOneChooses) {
    const s_Irect16 rect{100, 60, 300, 300};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Choices", nullptr);
    s_multi_edit_obj* drop = MultiEditOpen(20, 20, kLines, 8, 1);
    UIObjectLink(&window->obj, &drop->obj);
    const std::string button = PointAt(drop->buttonRect, &rect);
    Play({button, "button 1 down", "button 1 up"});
    ASSERT_NE(drop->listbox, nullptr);
    EXPECT_EQ(drop->listbox->obj.parent, &window->obj);
    EXPECT_EQ(drop->listbox->index, 1);
    Play({"button 1 down", "button 1 up"});
    EXPECT_EQ(drop->listbox, nullptr);
    EXPECT_EQ(MultiEditGet(drop), 1);

    Play({button, "button 1 down", "button 1 up"});
    ASSERT_NE(drop->listbox, nullptr);
    const s_Irect16 list = drop->listbox->obj.rect;
    const s32 y = rect.y + list.y + 4 + drop->listbox->lineHeight * 4 + drop->listbox->lineHeight / 2;
    Play({"pointer " + std::to_string(rect.x + list.x + 20) + " " + std::to_string(y), "button 1 down",
          "button 1 up"});
    EXPECT_EQ(drop->listbox, nullptr);
    EXPECT_EQ(MultiEditGet(drop), 4);
    EXPECT_EQ(window->obj.childNext, &drop->obj);  // the list is gone from the window
    EXPECT_EQ(drop->obj.next, nullptr);
}

TEST_F(UITextWidgetTest, ChoicesLeftOpenByAClosedFieldCloseAndChooseForNobody) {
    const s_Irect16 rect{100, 60, 300, 300};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Choices", nullptr);
    s_multi_edit_obj* drop = MultiEditOpen(20, 20, kLines, 8, 1);
    UIObjectLink(&window->obj, &drop->obj);
    Play({PointAt(drop->buttonRect, &rect), "button 1 down", "button 1 up"});
    ASSERT_NE(drop->listbox, nullptr);
    const s_listbox_obj* list = drop->listbox;
    const s32 y = rect.y + list->obj.rect.y + 4 + list->lineHeight * 4 + list->lineHeight / 2;
    const std::string line4 =
        "pointer " + std::to_string(rect.x + list->obj.rect.x + 20) + " " + std::to_string(y);

    UIObjectClose(&drop->obj);
    // The pool hands the closed field's record straight back.
    s_multi_edit_obj* again = MultiEditOpen(20, 20, kLines, 8, 6);
    UIObjectLink(&window->obj, &again->obj);
    Play({line4, "button 1 down", "button 1 up", "pointer 10 10"});
    EXPECT_EQ(MultiEditGet(again), 6);
    EXPECT_EQ(again->listbox, nullptr);
    EXPECT_EQ(window->obj.childNext, &again->obj);
    EXPECT_EQ(again->obj.next, nullptr);
}

std::string SpinWords;
void RecordSpin(s_line_edit_obj*, s32 event) {
    SpinWords += event == LINE_EDIT_EVENT_VALUE_UP ? 'u' : event == LINE_EDIT_EVENT_VALUE_DOWN ? 'd' : '?';
}

TEST_F(UITextWidgetTest, SpinButtonsStepOncePerClickAndRepeatWhileHeld) {
    const s_Irect16 rect{100, 60, 300, 200};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Spin", nullptr);
    s_line_edit_obj* edit = LineEditOpen(20, 20, 80, "5", nullptr, LINE_EDIT_SPIN_BUTTONS, RecordSpin);
    UIObjectLink(&window->obj, &edit->obj);
    const std::string up = PointAt(edit->upRect, &rect);
    const std::string down = PointAt(edit->downRect, &rect);
    SpinWords.clear();
    Play({up, "button 1 down", "button 1 up", "button 1 down", "button 1 up", down, "button 1 down",
          "button 1 up", "pointer 10 10", "button 1 down", "button 1 up"});
    EXPECT_EQ(SpinWords, "uud");  // a click beside the buttons says nothing

    SpinWords.clear();
    Play({up, "button 1 down", up, up, up, up});
    Play({"button 1 up"});
    EXPECT_EQ(SpinWords, std::string(SpinWords.size(), 'u'));
    EXPECT_GE(SpinWords.size(), 3u) << "held for half a second";
}

TEST_F(UITextWidgetTest, TheLineEditEditsItsTextFromTheKeyboard) {
    // Keys: a character stands for itself, "<" left, ">" right, "[" home, "]" end,
    // "#" backspace, "~" delete, "{" shift + left, "}" shift + right.
    const struct {
        const char* name;
        std::string text;
        u16 start, end;
        const char* keys;
        std::string result;
        u16 resultStart, resultEnd;
    } rows[] = {
        {"typing over the whole selection", "12.5", 0, 4, "7", "7", 1, 1},
        {"backspace empties a whole selection", "12.5", 0, 4, "#", "", 0, 0},
        {"insert before the last character", "abd", 2, 2, "c", "abcd", 3, 3},
        {"backspace at the start", "abc", 0, 0, "#", "abc", 0, 0},
        {"backspace in the middle", "abc", 2, 2, "#", "ac", 1, 1},
        {"delete with a caret", "abc", 1, 1, "~", "abc", 1, 1},
        {"delete a selection", "abcdef", 1, 3, "~", "adef", 1, 1},
        {"left and right stop at the ends", "ab", 1, 1, "<<<>", "ab", 1, 1},
        {"right past the end", "ab", 1, 1, ">>>", "ab", 2, 2},
        {"right collapses a selection to its end", "abcd", 1, 3, ">", "abcd", 3, 3},
        {"left collapses a selection to its start", "abcd", 1, 3, "<", "abcd", 1, 1},
        {"shift grows the selection both ways", "abcd", 2, 2, "{{{}}}}", "abcd", 0, 4},
        {"home and end", "abcd", 1, 3, "[x]y", "xabcdy", 6, 6},
        {"other codes are ignored", "ab", 1, 1, "\t\r", "ab", 1, 1},
        {"an opening text is cut at 127", std::string(130, 'q'), 0, 0, "", std::string(127, 'q'), 0, 0},
        {"the 127th character fits", std::string(126, 'q'), 0, 0, "a", "a" + std::string(126, 'q'), 1, 1},
        {"the 128th is refused", std::string(127, 'q'), 0, 0, "a", std::string(127, 'q'), 0, 0},
        {"but may replace a selection", std::string(127, 'q'), 0, 2, "a", "a" + std::string(125, 'q'), 1, 1},
    };
    const s_Irect16 rect{100, 60, 300, 300};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Edit", nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        s_line_edit_obj* edit = LineEditOpen(10, 10, 200, row.text.c_str(), nullptr, 0, nullptr);
        UIObjectLink(&window->obj, &edit->obj);
        UIObjectFocusChild(&window->obj, &edit->obj);
        edit->cursorStart = row.start;
        edit->cursorEnd = row.end;
        Keyboard.connected = 1;
        for (const char* k = row.keys; *k != '\0'; ++k) {
            const char* codes = "<>[]#~{}";
            const u8 keys[] = {KEY_LEFT,      KEY_RIGHT,  KEY_HOME, KEY_END,
                               KEY_BACKSPACE, KEY_DELETE, KEY_LEFT, KEY_RIGHT};
            const char* special = std::strchr(codes, *k);
            Keyboard.keyRepeat = special != nullptr ? keys[special - codes] : u8(*k);
            Keyboard.modifiers = *k == '{' || *k == '}' ? KEY_MOD_SHIFT : 0;
            UIObjectEvent(&edit->obj, UI_OBJ_EVENT_MOUSE_UI);
        }
        EXPECT_EQ(edit->text, row.result);
        EXPECT_EQ(edit->cursorStart, row.resultStart);
        EXPECT_EQ(edit->cursorEnd, row.resultEnd);
        UIObjectClose(&edit->obj);
    }
}

}  // namespace
