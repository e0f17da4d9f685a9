#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/UIDialogs.h"
#include "orblib47/source/UIMenu.h"
#include "tests/engine/UIFixture.h"

namespace {

using DbugMenuTest = UIFixture;

const char* const kEntries[] = {"Zero", "One", "Two", "Three", "Four", "Five"};

// The launcher's state, written down each time it changes: "list" or "bar"
// (the list closed), "+launch" while "Launch . . ." is enabled, "+ticked" while
// "Timing" is checked, "+timing" while the timing display is on.
std::vector<std::string> Trace;
u32 Deadline = 0;  // the retrace at which a row that went astray quits rather than hangs
void Look(s_thread*, void*) {
    if (VIGetRetraceCount() >= Deadline)
        UIQuitFlag = 1;
    std::string state = DebugDialog != nullptr ? "list" : "bar";
    for (const s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
        if (object->type != UI_OBJ_MENUBAR)
            continue;
        const s_menu* menus = reinterpret_cast<const s_menubar_obj*>(object)->menuList;
        state += (menus[0].itemList[0].flags & MENU_ITEM_ENABLED) != 0 ? "+launch" : "";
        state += (menus[1].itemList[0].flags & MENU_ITEM_CHECKED) != 0 ? "+ticked" : "";
    }
    state += DebugTimingDisplay != 0 ? "+timing" : "";
    if (Trace.empty() || Trace.back() != state)
        Trace.push_back(state);
}

bool TaskListed(const char* name) {
    for (auto* task = static_cast<s_thread*>(SystemThreads->next); task != nullptr; task = task->nextTask()) {
        if (std::string(task->name) == name)
            return true;
    }
    return false;
}

// "pointer X Y" over each line of the launcher's list, as DebugMenu lays it out.
std::vector<std::string> ListLines() {
    s_window_obj* dialog = ListDialogOpen(150, DrawContext.screenTitleSafe.y + 100, kEntries, 6, "Launch", 0,
                                          "Select Scene to Launch");
    const s_ui_object* child = dialog->obj.childNext;
    while (child->type != UI_OBJ_LISTBOX)
        child = child->next;
    const auto* list = reinterpret_cast<const s_listbox_obj*>(child);
    std::vector<std::string> lines;
    for (s32 row = 0; row < 6; ++row) {
        lines.push_back("pointer " + std::to_string(dialog->obj.rect.x + list->obj.rect.x + 20) + " " +
                        std::to_string(dialog->obj.rect.y + list->obj.rect.y + 4 + list->lineHeight * row +
                                       list->lineHeight / 2));
    }
    ListDialogClose(dialog);
    return lines;
}

// One launcher session per row, in order: the remembered entry carries over.
TEST_F(DbugMenuTest, LaunchesRemembersCancelsReopensTogglesTimingAndExits) {
    const std::vector<std::string> lines = ListLines();
    const std::vector<std::string> a = {"button a down", "button a up"};
    const std::vector<std::string> exit = {"button minus down", "button minus up", "button down down",
                                           "button down up",    "button a down",   "button a up"};
    const struct {
        const char* name;
        s32 selection;
        s32 timing;  // the display before the call
        bool mouse;  // on, as - and C switch it; a pointer would set the menus' highlight
        std::vector<std::string> steps;
        s32 result;
        std::vector<std::string> trace;
    } rows[] = {
        {"the first call highlights its argument", 1, 0, false, a, 1, {"list"}},
        {"down twice from there",
         1,
         0,
         false,
         {"button down down", "button down up", "button down down", "button down up", "button a down",
          "button a up"},
         3,
         {"list"}},
        {"coming back highlights the entry launched, not the argument", 0, 0, false, a, 3, {"list"}},
        {"B closes only the list; File > Launch brings it back",
         0,
         0,
         false,
         {"button b down", "button b up", "button minus down", "button minus up", "button a down",
          "button a up", "button a down", "button a up"},
         3,
         {"list", "bar+launch", "list"}},
        {"View > Timing toggles the tick and the display at once",
         0,
         1,
         false,
         {"button minus down", "button minus up", "button right down", "button right up", "button a down",
          "button a up", "button a down", "button a up", "button left down", "button left up",
          "button down down", "button down up", "button a down", "button a up"},
         -1,
         {"list+ticked+timing", "list", "list+ticked+timing"}},
        {"Exit while the list is open", 0, 0, false, exit, -1, {"list"}},
        {"a double click launches",
         0,
         0,
         true,
         {lines[4], "button 1 down", "button 1 up", "button 1 down", "button 1 up"},
         4,
         {"list"}},
    };
    DebugSelection = -1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DebugTimingDisplay = row.timing;
        if (row.mouse)
            MouseEnable();
        else
            MouseDisable();
        Trace.clear();
        Deadline = VIGetRetraceCount() + 600;
        UIProbe probe(Look);
        Script(row.steps);
        EXPECT_EQ(DebugMenu(row.selection, kEntries, 6, "Bowling"), row.result);
        EXPECT_EQ(Trace, row.trace);
        // Faded out, and nothing of the launcher left.
        EXPECT_EQ(DrawContext.viewport->fadeColor, 0x000000FFu);
        EXPECT_FALSE(DrawFading());
        EXPECT_EQ(UIObjectList.next, nullptr);
        EXPECT_EQ(DebugDialog, nullptr);
        EXPECT_FALSE(TaskListed("DebugMenuThread"));
        DrawFade(FADE_IN, 0x000000FF, 0.0f);
        DrawWaitFade();
        UIQuitFlag = 0;
    }
}

// The tools' quit flag ends the list at the next frame, without a fade.
TEST_F(DbugMenuTest, AQuitLeavesAtOnce) {
    UIQuitFlag = 1;
    const u32 start = VIGetRetraceCount();
    EXPECT_EQ(DebugMenu(0, kEntries, 6, "Bowling"), -1);
    EXPECT_LE(VIGetRetraceCount(), start + 2);
    EXPECT_EQ(DrawContext.viewport->fadeColor & 0xFF, 0u);
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_FALSE(TaskListed("DebugMenuThread"));
    UIQuitFlag = 0;
}

// The build line shows this build's compile date and time, not a fixed one.
TEST(DbugMenuStampTest, IsTheCompileDateAndTime) {
    const std::string stamp = DebugBuildStamp;
    char month[4] = {};
    s32 day = 0, year = 0, hour = 0, minute = 0, second = 0;
    ASSERT_EQ(
        std::sscanf(stamp.c_str(), "%3s %d %d at %d:%d:%d", month, &day, &year, &hour, &minute, &second), 6)
        << stamp;
    EXPECT_EQ(stamp.size(), std::string(__DATE__ " at " __TIME__).size()) << stamp;
    // Compiled with this build: the year of this test's own compile, or the one before.
    EXPECT_GE(year, std::stoi(std::string(__DATE__).substr(7)) - 1) << stamp;
}

}  // namespace
