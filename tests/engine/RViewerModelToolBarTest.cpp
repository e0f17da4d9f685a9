#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/Mouse.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "tests/engine/RViewerModelFixture.h"

namespace {

class RViewerModelToolBarTest : public RViewerModelFixture {
protected:
    void SetUp() override {
        RViewerModelFixture::SetUp();
        ASSERT_EQ(RViewerModelCreateToolBar(), 1) << "the icon sheet is on the disc";
    }
    void TearDown() override {
        RViewerModelFreeToolBar(&ModelViewerToolBar);
        RViewerModelFixture::TearDown();
    }
    static s32 HitAt(s32 x, s32 y) {
        Mouse.analog[MOUSE_X] = x;
        Mouse.analog[MOUSE_Y] = y;
        return RViewerGetToolBarButtonId(&ModelViewerToolBar);
    }
};

TEST_F(RViewerModelToolBarTest, APointerPointNamesTheButtonUnderIt) {
    const s_toolbar& bar = ModelViewerToolBar;
    const s32 x = s32(bar.position.x);
    const s32 y = s32(bar.position.y);
    EXPECT_EQ(x, DrawContext.screenSize.x / 2 - 256);
    EXPECT_EQ(y, DrawContext.screenSize.y - DrawContext.screenTitleSafe.y - 32);
    const struct {
        const char* where;
        s32 dx, dy;
        s32 index;
    } rows[] = {
        {"the first button's corner", 0, 0, 0}, {"inside the first", 31, 31, 0},
        {"the second's left edge", 32, 5, 1},   {"the last button's last pixel", 511, 31, 15},
        {"left of the bar", -1, 5, -1},         {"above the bar", 5, -1, -1},
        {"right of the bar", 512, 5, -1},       {"the empty cell after the last button", 0, 32, -1},
        {"the empty second row", 40, 40, -1},   {"below both rows", 5, 64, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        EXPECT_EQ(HitAt(x + row.dx, y + row.dy), row.index);
    }
    UIDisableMouse = 1;
    EXPECT_EQ(HitAt(x + 5, y + 5), -1) << "the UI has the pointer";
    UIDisableMouse = 0;
}

TEST_F(RViewerModelToolBarTest, IconStatesStartWithTheFourDefaultsAndFollowTheirIds) {
    s_toolbar* bar = &ModelViewerToolBar;
    for (s32 icon : {ICON_TEXTURE, ICON_LIGHTING, ICON_POLYGON, ICON_CAMERA_1})
        EXPECT_EQ(RViewerToolBarGetIconState(bar, icon), 1u) << icon;
    for (s32 icon : {ICON_RESET_VIEW, ICON_FINE_ZOOM, ICON_ROTATE_X, ICON_BONES, ICON_TEXTURE_VARIANT})
        EXPECT_EQ(RViewerToolBarGetIconState(bar, icon), 0u) << icon;

    RViewerToolBarSetIconState(bar, ICON_BONES, 1);
    EXPECT_EQ(RViewerToolBarGetIconState(bar, ICON_BONES), 1u);
    EXPECT_EQ(ModelToolBarButtons[11].flags.Selected, 1u);
    RViewerToolBarSetIconState(bar, ICON_TEXTURE, 0);
    EXPECT_EQ(RViewerToolBarGetIconState(bar, ICON_TEXTURE), 0u);
    RViewerToolBarSetIconState(bar, 3, 1);  // a cell no button shows
    EXPECT_EQ(RViewerToolBarGetIconState(bar, 3), 0u);
}

TEST_F(RViewerModelToolBarTest, TextureVariantsCycleThroughEveryChildAndBack) {
    const struct {
        s32 children;
        std::vector<s32> cycle;
    } rows[] = {
        {2, {0, 1, 2, 0}},
        {1, {0, 1, 0}},
        {0, {0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.children);
        for (size_t k = 0; k + 1 < row.cycle.size(); ++k)
            EXPECT_EQ(RViewerNextTextureVariant(row.cycle[k], row.children), row.cycle[k + 1]);
    }
}

TEST_F(RViewerModelToolBarTest, AToolTipNearTheRightEdgeMovesLeftToEndThere) {
    const f32 right = f32(DrawContext.screenSize.x);
    const struct {
        f32 pointer;
        f32 width;
        f32 x;
    } rows[] = {
        {100.0f, 50.0f, 108.0f},
        {right - 68.0f, 50.0f, right - 60.0f},  // the last that stays: it ends 10 pixels short
        {right - 67.0f, 50.0f, right - 50.0f},
        {right - 5.0f, 120.0f, right - 120.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pointer);
        EXPECT_EQ(RViewerToolTipX(row.pointer, row.width), row.x);
    }
}

}  // namespace
