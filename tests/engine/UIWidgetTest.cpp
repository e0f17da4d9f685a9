#include <gtest/gtest.h>

#include <cmath>

#include "orblib47/source/UIWidget.h"
#include "tests/engine/UIFixture.h"

namespace {

using UIWidgetTest = UIFixture;

s32 Clicks = 0;
s32 CountClick(s_button_obj*) {
    ++Clicks;
    return 1;
}

TEST_F(UIWidgetTest, AClickCountsOnlyWhenReleasedInside) {
    const s_Irect16 rect{100, 100, 200, 120};
    const std::string outside = "pointer 500 400";
    const struct {
        const char* name;
        bool checkBox;
        bool enabled;
        std::vector<std::string> steps;  // "in" points at the widget
        s32 clicks;
    } rows[] = {
        {"released inside", false, true, {"in", "button 1 down", "button 1 up"}, 1},
        {"with the second button", false, true, {"in", "button 2 down", "button 2 up"}, 1},
        {"slid off and released outside", false, true, {"in", "button 1 down", outside, "button 1 up"}, 0},
        {"slid off and back before the release",
         false,
         true,
         {"in", "button 1 down", outside, "in", "button 1 up"},
         1},
        {"pressed outside, released inside", false, true, {outside, "button 1 down", "in", "button 1 up"}, 0},
        {"a check box", true, true, {"in", "button 1 down", "button 1 up"}, 1},
        {"a check box slid off", true, true, {"in", "button 1 down", outside, "button 1 up"}, 0},
        {"a disabled check box", true, false, {"in", "button 1 down", "button 1 up"}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME, "Clicks", nullptr);
        s_ui_object* widget = nullptr;
        s_checkbox_obj* box = nullptr;
        if (row.checkBox) {
            box = CheckBoxOpen(20, 40, "Box", 1, nullptr);
            box->flags = row.enabled ? CHECKBOX_ENABLED : 0;
            widget = &box->obj;
        } else {
            widget = &ButtonOpen(20, 40, "Press", CountClick)->obj;
        }
        UIObjectLink(&window->obj, widget);
        std::vector<std::string> steps = row.steps;
        for (std::string& step : steps)
            step = step == "in" ? PointAt(widget->rect, &rect) : step;
        Clicks = 0;
        Play(steps);
        EXPECT_EQ(row.checkBox ? CheckBoxGet(box) : Clicks, row.clicks);
        UIObjectCloseAll();
    }
}

struct Drag {
    s32 x = 0;
    s32 y = 0;
};

// What the UI saw of the pointer's motion while a button was held.
void AddMotion(s_thread*, void* record) {
    auto* drag = static_cast<Drag*>(record);
    if ((Mouse.buttonDown & UI_MOUSE_BUTTONS) != 0) {
        drag->x += Mouse.analog[MOUSE_MOVE_X];
        drag->y += Mouse.analog[MOUSE_MOVE_Y];
    }
}

TEST_F(UIWidgetTest, AWindowDraggedByItsTitleBarMovesWithThePointer) {
    for (const bool focused : {true, false}) {
        SCOPED_TRACE(focused ? "focused" : "behind another");
        const s_Irect16 rect{100, 100, 200, 120};
        s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE, "Drag me", nullptr);
        if (!focused) {
            const s_Irect16 other{400, 300, 100, 100};
            WindowOpen(&other, WINDOW_FRAME, "Other", nullptr);
        }
        Drag drag;
        {
            UIProbe probe(AddMotion, &drag, UIProbe::kBeforeUI);
            Play({"pointer 150 106", "button 1 down", "pointer 170 116", "pointer 190 126", "button 1 up",
                  "pointer 250 200"});
        }
        // The pointer went 40 pixels right and 20 down while held.
        EXPECT_NEAR(drag.x, 40, 2);
        EXPECT_NEAR(drag.y, 20, 2);
        EXPECT_EQ(window->obj.rect.x, 100 + drag.x);
        EXPECT_EQ(window->obj.rect.y, 100 + drag.y);
        UIObjectCloseAll();
    }
}

struct ThumbWatch {
    s_scrollbar_obj* bar = nullptr;
    f32 lowest = 0.0f;
    f32 highest = 0.0f;
    bool finite = true;
};

void WatchValue(s_thread*, void* record) {
    auto* watch = static_cast<ThumbWatch*>(record);
    const f32 value = watch->bar->value;
    watch->finite = watch->finite && std::isfinite(value);
    watch->lowest = std::fmin(watch->lowest, value);
    watch->highest = std::fmax(watch->highest, value);
}

TEST_F(UIWidgetTest, DraggingTheThumbKeepsTheValueInRange) {
    const struct {
        s32 visible;
        s32 total;
        f32 maxValue;
        bool moves;
    } rows[] = {
        {10, 30, 20.0f, true},  {10, 11, 1.0f, true}, {10, 10, 10.0f, false},
        {12, 10, 10.0f, false}, {0, 0, 0.0f, false},  {5, 0, 0.0f, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.visible) + " of " + std::to_string(row.total));
        const s_Irect16 rect{300, 60, 16, 200};
        ThumbWatch watch;
        watch.bar = ScrollbarOpen(&rect, 0, row.visible, row.total, 0);
        EXPECT_EQ(watch.bar->maxValue, row.maxValue);
        EXPECT_TRUE(std::isfinite(watch.bar->thumbScale));
        {
            UIProbe probe(WatchValue, &watch);
            Play({"pointer 308 " + std::to_string(watch.bar->thumbRect.y + 2), "button 1 down",
                  "pointer 308 120", "pointer 308 180", "pointer 308 250", "button 1 up"});
        }
        EXPECT_TRUE(watch.finite);
        EXPECT_GE(watch.lowest, 0.0f);
        EXPECT_LE(watch.highest, row.maxValue);
        EXPECT_EQ(watch.highest > 0.0f, row.moves);

        EXPECT_EQ(ScrollbarSetValue(watch.bar, -3.0f)->value, 0.0f);
        EXPECT_EQ(ScrollbarSetValue(watch.bar, row.maxValue)->value, row.maxValue);
        EXPECT_EQ(ScrollbarSetValue(watch.bar, row.maxValue + 1.0f)->value, row.maxValue);
        UIObjectCloseAll();
    }
}

}  // namespace
