#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orblib47/source/UIDialogs.h"
#include "tests/engine/UIFixture.h"

namespace {

using UIDialogTest = UIFixture;

const char* const kArchives[] = {"GLOBAL", "DEBUG", "SYSTEM", "PRELOAD", "SYSTEXT", "MENUSND"};

// "pointer X Y" over line `row` of the dialog's list.
std::string OverLine(const s_window_obj* dialog, s32 row) {
    const s_ui_object* child = dialog->obj.childNext;
    while (child->type != UI_OBJ_LISTBOX)
        child = child->next;
    const auto* list = reinterpret_cast<const s_listbox_obj*>(child);
    const s_Irect16& r = list->obj.rect;
    return "pointer " + std::to_string(dialog->obj.rect.x + r.x + 20) + " " +
           std::to_string(dialog->obj.rect.y + r.y + 4 + list->lineHeight * row + list->lineHeight / 2);
}

TEST_F(UIDialogTest, AListDialogAnswersAButtonBAndADoubleClickUnderFourTenthsOfASecond) {
    const std::vector<std::string> click = {"button 1 down", "button 1 up"};
    const struct {
        const char* name;
        std::vector<std::string> steps;  // "line N" points at a line
        s32 state, selection;
    } rows[] = {
        {"A chooses", {"button down down", "button down up", "button a down", "button a up"}, 3, 3},
        {"B cancels", {"button b down", "button b up"}, 2, 2},
        {"a single click moves the selection", {"line 4", "button 1 down", "button 1 up"}, 1, 4},
        {"a double click 0.2 s apart chooses",
         {"line 5", "button 1 down", "button 1 up", "button 1 down", "button 1 up"},
         3,
         5},
        {"two clicks 0.5 s apart do not",
         {"line 5", "button 1 down", "button 1 up", "line 5", "line 5", "line 5", "button 1 down",
          "button 1 up"},
         1,
         5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        s_window_obj* dialog = ListDialogOpen(0, 60, kArchives, 6, "Load", 2, "Archives");
        std::vector<std::string> steps = row.steps;
        for (std::string& step : steps) {
            if (step.rfind("line ", 0) == 0)
                step = OverLine(dialog, std::stoi(step.substr(5)));
        }
        Play(steps);
        s32 selection = -1;
        EXPECT_EQ(ListDialogQuery(dialog, &selection), row.state);
        EXPECT_EQ(selection, row.selection);
        EXPECT_EQ(UIObjectList.next, &dialog->obj);  // it stays until its caller closes it
        ListDialogClose(dialog);
        EXPECT_EQ(ListDialogState, LIST_DIALOG_NONE);
        EXPECT_EQ(UIObjectList.next, nullptr);
        Play({"pointer 600 400"});  // no second click of a pair carried over
    }
}

TEST_F(UIDialogTest, TheLiveListDialogIsChosenAtOnceAndFollowsTheSelection) {
    s_window_obj* dialog = ListDialogOpen2(40, 60, kArchives, 6, "Pick", 0, "Files");
    EXPECT_EQ(dialog->obj.rect.x, 40);
    s32 selection = -1;
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CHOSEN);
    Play({"button down down", "button down up", "button down down", "button down up"});
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CHOSEN);
    EXPECT_EQ(selection, 2);
    Play({"button b down", "button b up"});
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CANCELLED);
}

TEST_F(UIDialogTest, AMessageBoxLeavesAPendingListDialogAloneAndHoldsTheInputWhileOpen) {
    s_window_obj* dialog = ListDialogOpen(0, 60, kArchives, 6, "Load", 0, "Archives");
    Play({"button a down", "button a up"});
    const char* const lines[] = {"Cannot load", "GLOBAL is missing", "from the disc"};
    s_window_obj* message = DialogOpen(320, 224, lines, 3, "Error");
    EXPECT_EQ(DialogState, 1);
    s32 selection = -1;
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CHOSEN);
    // B reaches the message's close box, not the list dialog's "Cancel".
    Play({"button down down", "button down up", "button b down", "button b up"});
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(UIObjectList.next, &dialog->obj);
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CHOSEN);
    EXPECT_EQ(selection, 0);
    (void)message;
}

TEST_F(UIDialogTest, TheColourDialogShowsTheColourAndWritesItOnlyOnOkay) {
    const struct {
        const char* name;
        const char* key;
        u32 written;
    } rows[] = {{"okay", "a", 0x11223344u}, {"cancel", "b", 0xDEADBEEFu}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        u32 color = 0x11223344u;
        s_window_obj* window = RGBADialogOpen(320, 224, "Pin colour", &color);
        EXPECT_EQ(s32(RedScrollbar->value), 17);
        EXPECT_EQ(s32(GreenScrollbar->value), 34);
        EXPECT_EQ(s32(BlueScrollbar->value), 51);
        EXPECT_EQ(s32(AlphaScrollbar->value), 68);
        color = 0xDEADBEEFu;
        Play({std::string("button ") + row.key + " down", std::string("button ") + row.key + " up"});
        EXPECT_EQ(color, row.written);
        EXPECT_EQ(UIObjectList.next, nullptr);
        (void)window;
    }
}

TEST_F(UIDialogTest, TheVectorColourDialogKeepsEachComponentInItsOwnByte) {
    s_Vector4 color{1.5f, -0.5f, 0.2f, 2.0f};
    RGBAVectorDialogOpen(320, 224, "Fog", &color);
    EXPECT_EQ(s32(RedScrollbar->value), 255);
    EXPECT_EQ(s32(GreenScrollbar->value), 0);
    EXPECT_EQ(s32(BlueScrollbar->value), 51);
    EXPECT_EQ(s32(AlphaScrollbar->value), 255);
    Play({"button a down", "button a up"});
    EXPECT_EQ(color.x, 1.0f);
    EXPECT_EQ(color.y, 0.0f);
    EXPECT_FLOAT_EQ(color.z, 0.2f);
    EXPECT_EQ(color.w, 1.0f);
}

}  // namespace
