#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "orblib47/source/HModel.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/RViewerModel.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/World.h"
#include "tests/engine/RViewerModelFixture.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/TempDisc.h"

namespace {

using RViewerModelViewTest = RViewerModelFixture;

char kFigure[] = "FIGURE";

bool Checked(const s_menu_item& item) {
    return (item.flags & MENU_ITEM_CHECKED) != 0;
}

bool Enabled(const s_menu_item& item) {
    return (item.flags & MENU_ITEM_ENABLED) != 0;
}

TEST_F(RViewerModelViewTest, AVisitOfTheFigureUsesToolbarAndMenusAndHandsEverythingBack) {
    ASSERT_TRUE(Load("FIGURE"));
    const Usage before = InUse();
    s_rvlocals& locals = RVModelLocals;
    Run(
        {
            {12,
             [&] {
                 EXPECT_EQ(locals.uiMode, UI_MODE_OBJECT);
                 ASSERT_NE(locals.hmodel, nullptr);
                 EXPECT_NE(locals.hanim, nullptr) << "the figure's own walk";
                 EXPECT_NE(ModelViewerToolBar.texture, nullptr);
                 EXPECT_TRUE(Checked(ModeMenuItems[4]) && Checked(ModeMenuItems[5])) << "Texture and Light";
                 ClickAt(ToolbarButton(3));  // Enable Y Rotation
             }},
            {kClickTime,
             [&] {
                 EXPECT_EQ(RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_Y), 1u);
                 ClickAt(ToolbarButton(2));  // Enable X Rotation
             }},
            {kClickTime,
             [&] {
                 EXPECT_EQ(RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_X), 1u);
                 EXPECT_EQ(RViewerToolBarGetIconState(&ModelViewerToolBar, ICON_ROTATE_Y), 0u);
                 ClickAt(ToolbarButton(11));  // Model Bones
             }},
            {kClickTime,
             [&] {
                 EXPECT_TRUE(Checked(ViewMenuItems[VIEW_BONES])) << "the toolbar ticks the menu";
                 ClickAt(ToolbarButton(7));  // Polyline Display
             }},
            {kClickTime,
             [&] {
                 EXPECT_EQ(locals.polyDrawMode, DC_POLY_DRAW_LINE);
                 EXPECT_TRUE(Checked(ModeMenuItems[1]));
                 EXPECT_FALSE(Checked(ModeMenuItems[0]));
                 Script({"button minus down", "button minus up"});
             }},
            {kClickTime,
             [&] {
                 const f32 radius = locals.hmodel->model->radius;
                 EXPECT_EQ(locals.pos.x, 0.0f);
                 EXPECT_EQ(locals.pos.y, 0.0f);
                 EXPECT_EQ(locals.pos.z, -radius) << "minus puts the model a radius away";
                 ClickAt(PointAt(ViewModelMenus[2].rect));
             }},
            {kClickTime, [&] { ClickAt(PointAt(ViewMenuItems[VIEW_BOUNDS].rect)); }},
            {kClickTime,
             [&] {
                 EXPECT_TRUE(Checked(ViewMenuItems[VIEW_BOUNDS]));
                 ClickAt(PointAt(ViewModelMenus[2].rect));
             }},
            {kClickTime, [&] { ClickAt(PointAt(ViewMenuItems[VIEW_ANIMATION].rect)); }},
            {kClickTime,
             [&] {
                 ASSERT_NE(locals.animDialog, nullptr);
                 ASSERT_EQ(AnimListBox.numItems, 1);
                 EXPECT_STREQ(AnimListBox.items[0], "WALK");
                 ClickAt(PointAt(ViewModelMenus[2].rect));
             }},
            {kClickTime, [&] { ClickAt(PointAt(ViewMenuItems[9].rect)); }},  // Material Modes
            {kClickTime,
             [&] {
                 EXPECT_NE(locals.materialDialog, nullptr);
                 ClickAt(PointAt(ViewModelMenus[0].rect));
             }},
            {kClickTime, [&] { ClickAt(PointAt(FileMenuItems[1].rect)); }},  // Cancel
        },
        [] { EXPECT_EQ(RViewerViewModel(kFigure), 0); });
    EventWait(2);
    EXPECT_EQ(RViewerCancel, 1);
    EXPECT_EQ(UIQuitFlag, 0);
    EXPECT_EQ(locals.animDialog, nullptr);
    EXPECT_EQ(locals.materialStrings, nullptr) << "the dialogs' lists go with the view";
    EXPECT_EQ(ModelViewerToolBar.texture, nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(RViewerModelViewTest, TheFigureWithItsToolbarMatchesTheKeptPicture) {
    ASSERT_TRUE(Load("FIGURE"));
    MouseDisable();  // no cursor in the picture
    Run(
        {
            {20,
             [] {
                 ExpectLooksAsKept("rviewer_model");
                 CancelMenuFunc(nullptr);
             }},
        },
        [] { RViewerViewModel(kFigure); });
}

TEST_F(RViewerModelViewTest, StaticGeometryFliesAFreeCameraThatPlusLeaves) {
    ASSERT_TRUE(Load("ALLEY"));
    MouseDisable();
    const Usage before = InUse();
    char scene[] = "ALLEY";
    Run(
        {
            {10,
             [] {
                 EXPECT_EQ(RVModelLocals.uiMode, UI_MODE_CAMERA);
                 EXPECT_EQ(RVModelLocals.hmodel, nullptr);
                 for (s32 id : {VIEW_ANIMATION, VIEW_EXPORT_TRANS, VIEW_COLLISION_SPHERES,
                                VIEW_COLLISION_POLYS, VIEW_LINK_POINTS})
                     EXPECT_FALSE(Enabled(ViewMenuItems[id])) << id;
                 EXPECT_TRUE(Enabled(ViewMenuItems[VIEW_BONES]));
             }},
            {1,
             [this] {
                 Script({"button plus down", "button plus up"});
             }},
        },
        [&] { RViewerViewModel(scene); });
    EventWait(2);
    EXPECT_EQ(RViewerCancel, 1);
    EXPECT_EQ(InUse(), before);
}

TEST_F(RViewerModelViewTest, AModelThatDoesNotLoadEndsTheVisitWithOneLine) {
    const Usage before = InUse();
    char missing[] = "NOSUCH";
    EXPECT_EQ(RViewerViewModel(missing), 0);
    EXPECT_TRUE(report().contains("RViewerViewModel: cannot load the model NOSUCH\n"));
    EventWait(2);
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(RViewerModelViewTest, TheWorldViewWithoutAWorldEndsWithOneLine) {
    const Usage before = InUse();
    EXPECT_EQ(RViewerViewWorld(nullptr), 0);
    EXPECT_TRUE(report().contains("RViewerViewWorld: no world is loaded\n"));
    EventWait(2);
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(RViewerModelViewTest, AVisitOfTheAlleyWorldSwitchesToTheSphereAndHandsEverythingBack) {
    ASSERT_TRUE(Load("ALLEY"));
    const Usage before = InUse();
    s_rvlocals& locals = RVModelLocals;
    Run(
        {
            {40,  // past the fade
             [&] {
                 EXPECT_NE(locals.hmodel, nullptr);
                 EXPECT_NE(locals.cache, nullptr);
                 EXPECT_NE(locals.pointLight, nullptr);
                 EXPECT_FALSE(Checked(ViewMenuItems2[0])) << "Timing starts unticked";
                 ClickAt(PointAt(ViewWorldMenus[3].rect));
             }},
            {kClickTime, [&] { ClickAt(PointAt(EditModeMenuItems[RV_EDIT_MODE_OBJECT].rect)); }},
            {kClickTime,
             [&] {
                 EXPECT_EQ(locals.editMode, RV_EDIT_MODE_OBJECT);
                 EXPECT_TRUE(Checked(EditModeMenuItems[RV_EDIT_MODE_OBJECT]));
                 EXPECT_FALSE(Checked(EditModeMenuItems[RV_EDIT_MODE_CAMERA]));
                 ClickAt(PointAt(ViewWorldMenus[0].rect));
             }},
            {kClickTime, [&] { ClickAt(PointAt(FileMenuItems[1].rect)); }},
        },
        [] { RViewerViewWorld(nullptr); });
    EventWait(2);
    EXPECT_EQ(locals.hmodel, nullptr);
    EXPECT_EQ(locals.cache, nullptr);
    EXPECT_GT(MaxSceneLights, 1) << "the program's scene lights are back";
    EXPECT_EQ(InUse(), before);
}

TEST_F(RViewerModelViewTest, TheAlleyWithTheSphereMatchesTheKeptPicture) {
    ASSERT_TRUE(Load("ALLEY"));
    MouseDisable();
    s_rvlocals& locals = RVModelLocals;
    Run(
        {
            {40,
             [&] {
                 EditModeMenuFunc(&EditModeMenuItems[RV_EDIT_MODE_OBJECT]);
                 // Beside the first ball return, looking along it.
                 const s_world* world = WorldGetWorld();
                 ASSERT_NE(world, nullptr);
                 ASSERT_GT(world->numAtom, 0);
                 const s_Vector3& at = world->atomList[0].center;
                 locals.pos = {at.x - 1.5f, at.y + 1.0f, at.z - 2.0f, 0.0f};
                 locals.rot = {};
             }},
            {20,
             [] {
                 ExpectLooksAsKept("rviewer_world");
                 CancelMenuFunc(nullptr);
             }},
        },
        [] { RViewerViewWorld(nullptr); });
}

// A disc without the developer tools' system archive, so without "SPHERE".
class RViewerWithoutSphereTest : public RViewerModelFixture {
protected:
    RViewerWithoutSphereTest() {
        for (const char* path : {"SymTable.bin", "DEBUG.WAD", "DATA/ALLEY.WAD"}) {
            std::ifstream file(std::string(DefaultDiscRoot()) + "/" + path, std::ios::binary);
            disc_.Write(path, {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
        }
    }
    HostConfig Config() const override { return disc_.Config(); }

    TempDisc disc_;
};

TEST_F(RViewerWithoutSphereTest, TheWorldViewWithoutTheSphereEndsWithOneLine) {
    ASSERT_TRUE(Load("ALLEY"));
    const Usage before = InUse();
    const s32 sceneLights = MaxSceneLights;
    EXPECT_EQ(RViewerViewWorld(nullptr), 0);
    EXPECT_TRUE(report().contains("RViewerViewWorld: no SPHERE\n"));
    EventWait(2);
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_EQ(MaxSceneLights, sceneLights);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
