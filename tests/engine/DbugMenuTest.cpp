#include <gtest/gtest.h>

#include <sstream>
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

// "pointer X Y" over line `row` of the launcher's list, as DebugMenu lays it out.
std::string OverLine(s32 row) {
    s_window_obj* dialog =
        ListDialogOpen(150, DrawContext.screenTitleSafe.y + 100, kEntries, 6, "Launch", 0, "");
    const s_listbox_obj* list = reinterpret_cast<const s_listbox_obj*>(dialog->obj.childNext);
    while (list->obj.type != UI_OBJ_LISTBOX)
        list = reinterpret_cast<const s_listbox_obj*>(list->obj.next);
    const s32 x = dialog->obj.rect.x + list->obj.rect.x + 20;
    const s32 y = dialog->obj.rect.y + list->obj.rect.y + 4 + list->lineHeight * row + list->lineHeight / 2;
    ListDialogClose(dialog);
    return "pointer " + std::to_string(x) + " " + std::to_string(y);
}

// Each word a press of that pad button, "click" one of the mouse's first button,
// "line4" the pointer over line 4 (the mouse on, as - and C switch it; off, a
// pointer would set the menus' highlight).
std::vector<std::string> Steps(const std::string& words) {
    std::vector<std::string> steps;
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        if (word.rfind("line", 0) == 0) {
            steps.push_back(OverLine(std::stoi(word.substr(4))));
        } else {
            const std::string button = word == "click" ? "button 1" : "button " + word;
            steps.insert(steps.end(), {button + " down", button + " up"});
        }
    }
    return steps;
}

// One launcher session per row, in order: the remembered entry carries over.
TEST_F(DbugMenuTest, LaunchesRemembersCancelsReopensTogglesTimingAndExits) {
    const struct {
        const char* name;
        s32 selection;
        s32 timing;  // the display before the call
        const char* words;
        s32 result;
        std::vector<std::string> trace;
    } rows[] = {
        {"the first call highlights its argument", 1, 0, "a", 1, {"list"}},
        {"down twice from there", 1, 0, "down down a", 3, {"list"}},
        {"coming back highlights the entry launched, not the argument", 0, 0, "a", 3, {"list"}},
        {"B closes only the list; File > Launch brings it back",
         0,
         0,
         "b minus a a",
         3,
         {"list", "bar+launch", "list"}},
        {"View > Timing toggles the tick and the display at once",
         0,
         1,
         "minus right a a left down a",
         -1,
         {"list+ticked+timing", "list", "list+ticked+timing"}},
        {"File > Exit while the list is open", 0, 0, "minus down a", -1, {"list"}},
        {"a double click launches", 0, 0, "line4 click click", 4, {"list"}},
    };
    DebugSelection = -1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DebugTimingDisplay = row.timing;
        const std::vector<std::string> steps = Steps(row.words);
        if (std::string(row.words).find("line") != std::string::npos)
            MouseEnable();
        else
            MouseDisable();
        Trace.clear();
        Deadline = VIGetRetraceCount() + 600;
        UIProbe probe(Look);
        Script(steps);
        EXPECT_EQ(DebugMenu(row.selection, kEntries, 6, "Bowling"), row.result);
        EXPECT_EQ(Trace, row.trace);
        // Faded out, and nothing of the launcher left.
        EXPECT_EQ(DrawContext.viewport->fadeColor, 0x000000FFu);
        EXPECT_EQ(UIObjectList.next, nullptr);
        EXPECT_FALSE(TaskListed("DebugMenuThread"));
        DrawFade(FADE_IN, 0x000000FF, 0.0f);
        DrawWaitFade();
        UIQuitFlag = 0;
    }
}

// The build line shows this build's compile date and time ("May  7 2007 at
// 10:03:18" in form), not a fixed one: its year is this test's or the one before.
TEST(DbugMenuStampTest, IsTheCompileDateAndTime) {
    const std::string stamp = DebugBuildStamp;
    ASSERT_EQ(stamp.size(), std::string(__DATE__ " at " __TIME__).size()) << stamp;
    EXPECT_EQ(stamp.substr(11, 4), " at ") << stamp;
    EXPECT_GE(std::stoi(stamp.substr(7, 4)), std::stoi(std::string(__DATE__).substr(7)) - 1) << stamp;
}

}  // namespace
