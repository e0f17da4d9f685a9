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

TEST_F(UIDialogTest, AMessageBoxLeavesAPendingListDialogAloneAndHoldsTheInputWhileOpen) {
    s_window_obj* dialog = ListDialogOpen(0, 60, kArchives, 6, "Load", 0, "Archives");
    Play({"button a down", "button a up"});
    const char* const lines[] = {"Cannot load", "GLOBAL is missing", "from the disc"};
    DialogOpen(320, 224, lines, 3, "Error");
    EXPECT_EQ(DialogState, 1);
    s32 selection = -1;
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CHOSEN);
    // B reaches the message's close box, not the list dialog's "Cancel".
    Play({"button down down", "button down up", "button b down", "button b up"});
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(UIObjectList.next, &dialog->obj);
    EXPECT_EQ(ListDialogQuery(dialog, &selection), LIST_DIALOG_CHOSEN);
    EXPECT_EQ(selection, 0);
}

u32 Shown() {
    return u32(RedScrollbar->value) << 24 | u32(GreenScrollbar->value) << 16 |
           u32(BlueScrollbar->value) << 8 | u32(AlphaScrollbar->value);
}

TEST_F(UIDialogTest, TheColourDialogShowsTheColourAndWritesItOnlyOnOkay) {
    for (const char* key : {"a", "b"}) {
        u32 color = 0x11223344u;
        RGBADialogOpen(320, 224, "Pin colour", &color);
        EXPECT_EQ(Shown(), 0x11223344u);
        color = 0;
        Play({std::string("button ") + key + " down", std::string("button ") + key + " up"});
        EXPECT_EQ(color, *key == 'a' ? 0x11223344u : 0u) << key;
        EXPECT_EQ(UIObjectList.next, nullptr);
    }
    // Components outside 0..1 stay within their own bytes.
    s_Vector4 vector{1.5f, -0.5f, 0.2f, 2.0f};
    RGBAVectorDialogOpen(320, 224, "Fog", &vector);
    EXPECT_EQ(Shown(), 0xFF0033FFu);
    Play({"button a down", "button a up"});
    EXPECT_EQ(vector.x, 1.0f);
    EXPECT_EQ(vector.y, 0.0f);
    EXPECT_FLOAT_EQ(vector.z, 0.2f);
    EXPECT_EQ(vector.w, 1.0f);
}

}  // namespace
