// The in-game edit menubar: the developer's key that shows and hides it, what its
// items switch, the shell-light editor's rules, the editors closed with the module
// (the UI may fade again, nothing left behind), and "Quit" ending a level through
// the level flow, whose shutdown takes the bar down.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystemEditor.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/UIMenu.h"
#include "orblib47/source/UITextWidget.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Dev/GameEdit.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/StateMgrs/LevelFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/support/GameFixture.h"
#include "tests/support/HeapMark.h"

namespace {

// Minus held with 1 pressed: the developer's key for the bar.
constexpr const char* kToggle =
    "0 0 connect\n1 0 button minus down\n3 0 button 1 down\n5 0 button 1 up\n7 0 button minus up\n";

s_menu_item& Item(s32 menu, s32 item) {
    return PlayModeMenus[menu].itemList[item];
}
void Choose(s32 menu, s32 item) {
    Item(menu, item).func(&Item(menu, item));
}
bool Checked(s32 menu, s32 item) {
    return (Item(menu, item).flags & MENU_ITEM_CHECKED) != 0;
}
u32 HeapFree() {
    return HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap);
}

class GameEditTest : public MenuDiscFixture {
protected:
    void SetUp() override {
        MenuDiscFixture::SetUp();
        FileChangeDirectory(GAME_DATABASE_FOLDER);
        BowlingDbLoad();
        FileChangeDirectory(GAME_DATA_FOLDER);
        EventWait(1);
        HeapMarkTake();
    }
};

TEST_F(GameEditTest, TheBarShowsOnlyWhenTheDeveloperAsksAndHidesAgain) {
    const u32 records = UIObjectRecords->count;
    GameEditStartup();
    EXPECT_EQ(GameEditEnabled, 1);
    EXPECT_EQ(GameEditMenuBar, nullptr) << "a player never sees the bar";
    for (const bool shown : {true, false}) {
        ScriptFromNow(kToggle);
        EventWait(8);
        EXPECT_EQ(GameEditMenuBar != nullptr, shown);
        EXPECT_EQ(UIObjectRecords->count, records - (shown ? 1 : 0));
    }
    ScriptFromNow(kToggle);
    EventWait(8);
    GameEditShutdown();
    EXPECT_EQ(GameEditMenuBar, nullptr);
    EXPECT_EQ(UIObjectRecords->count, records);
}

TEST_F(GameEditTest, EachItemSwitchesItsServiceAndItsTick) {
    GameEditStartup();
    EXPECT_TRUE(Checked(4, 0)) << "Polygons";
    EXPECT_TRUE(Checked(0, 2)) << "HUD";

    Choose(4, 1);  // PolyLines
    EXPECT_FALSE(Checked(4, 0));
    EXPECT_TRUE(Checked(4, 1));
    EXPECT_FALSE(Checked(4, 2));
    EXPECT_EQ(DrawContext.polygonMode, DC_POLY_DRAW_LINE);
    Choose(4, 2);  // Points
    EXPECT_FALSE(Checked(4, 1));
    EXPECT_TRUE(Checked(4, 2));
    EXPECT_EQ(DrawContext.polygonMode, DC_POLY_DRAW_POINT);

    Choose(0, 2);  // HUD
    EXPECT_EQ(Physics.bHUDEnabled, 0);
    EXPECT_FALSE(Checked(0, 2));
    Choose(0, 1);  // Screenshots
    EXPECT_EQ(ScreenShotModeActive, 1);
    EXPECT_TRUE(Checked(0, 1));

    Choose(1, 0);  // Free
    EXPECT_EQ(g_LevelMgr.m_GameCamera.m_cameraMode, E_CAMERA_MODE_FREE);
    Choose(1, 0);
    EXPECT_NE(g_LevelMgr.m_GameCamera.m_cameraMode, E_CAMERA_MODE_FREE);
    EXPECT_FALSE(Checked(1, 0));

    Choose(2, 0);  // Player Wins All, outside a career
    EXPECT_FALSE(Checked(2, 0));

    // Once on, the particle editor stays on until the module stops.
    Choose(0, 0);
    EXPECT_EQ(ParSysEditorOn, 1);
    EXPECT_EQ(ParSysEditorInGame, 1);
    Choose(0, 0);
    EXPECT_FALSE(Checked(0, 0));
    EXPECT_EQ(ParSysEditorOn, 1);
    GameEditShutdown();
    EXPECT_EQ(ParSysEditorOn, 0);
}

// A member's control: row r of the table is member r - 1.
s_ui_object* Control(s32 row) {
    return StructEditStack[0].objects[row - 1];
}
bool Shown(s32 row) {
    return (Control(row)->flags & UI_OBJ_FLAG_ACTIVE) != 0;
}

TEST_F(GameEditTest, TheShellLightEditorFollowsTheChosenLightAndKeepsLightsInUseAPrefix) {
    s_ShellLight* set = GetShellLight(eShellLightUsage_SelectBowler);
    ASSERT_NE(set, nullptr);
    set->Count = 1;
    set->Ambient = 0x203040FFu;
    set->Lights[0].diffuse = {0.8f, 0.6f, 0.4f, 1.0f};
    GameEditStartup();
    Choose(3, 3);  // Shell Lights...
    ASSERT_EQ(StructEditStackDepth, 1);
    EXPECT_EQ(UIFadeOutEnabled, 0);
    EventWait(2);

    constexpr s32 kLight = 2, kSpecular = 4, kDirectionX = 5, kSpecularEnabled = 8, kEnabled = 9;
    const struct {
        const char* what;
        u32 light;
        s32 enabled;  // -1: left as loaded
        u32 count;
        bool direction, specular;
    } steps[] = {
        {"Directional 3, loaded", 3, -1, 1, true, false},
        {"Directional 3 enabled", 3, 1, 3, true, false},
        {"Directional 3 cleared", 3, 0, 2, true, false},
        {"Directional 1", 1, -1, 2, true, true},
        {"Ambient", 0, -1, 2, false, false},
        {"Directional 2", 2, -1, 2, true, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        reinterpret_cast<s_multi_edit_obj*>(Control(kLight))->value = s32(step.light);
        if (step.enabled >= 0)
            CheckBoxSetCheck(reinterpret_cast<s_checkbox_obj*>(Control(kEnabled)), step.enabled);
        EventWait(2);
        EXPECT_EQ(EditShellLight.lightId, step.light);
        EXPECT_EQ(set->Count, step.count);
        for (s32 row = kDirectionX; row < kDirectionX + 3; ++row)
            EXPECT_EQ(Shown(row), step.direction) << row;
        EXPECT_EQ(Shown(kEnabled), step.direction);
        EXPECT_EQ(Shown(kSpecular), step.specular);
        EXPECT_EQ(Shown(kSpecularEnabled), step.specular);
    }
    // Going from a light to the ambient leaves the ambient as it was.
    EXPECT_EQ(set->Ambient, 0x203040FFu);
    EXPECT_EQ(CheckBoxGet(reinterpret_cast<s_checkbox_obj*>(Control(kEnabled))), 1) << "light 2 is in use";
    GameEditShutdown();
}

TEST_F(GameEditTest, ARedAboveOneStaysInTheRedByte) {
    s_ShellLight* set = GetShellLight(eShellLightUsage_ProShop);
    ASSERT_NE(set, nullptr);
    set->Lights[1].diffuse = {2.0f, 0.25f, 0.5f, 1.0f};
    set->Lights[1].specular = {-1.0f, std::numeric_limits<f32>::infinity(), 0.0f, 1.0f};
    EditShellLight.usage = eShellLightUsage_ProShop;
    EditShellLight.lightId = 2;
    EditShellLightInit();
    EXPECT_EQ(EditShellLight.color, 0xFE3F7FFFu);
    EXPECT_EQ(EditShellLight.specularColor, 0x010000FFu);
}

// Each editor open when the module stops: closed with its values written back, the
// UI allowed to fade again, and no record, task or heap block left behind.
TEST_F(GameEditTest, TheModuleStoppingClosesItsEditorsAndTheUIFadesAgain) {
    const u32 records = UIObjectRecords->count;
    const u32 tasks = SystemThreadCount;
    const struct {
        const char* what;
        s32 item;
    } editors[] = {{"Viewport...", 0}, {"Color...", 1}, {"Shell Lights...", 3}};
    for (const auto& editor : editors) {
        SCOPED_TRACE(editor.what);
        GameEditStartup();
        EventWait(1);
        const u32 heap = HeapFree();
        Choose(3, editor.item);
        EXPECT_EQ(StructEditStackDepth, 1);
        EXPECT_EQ(UIFadeOutEnabled, 0) << "the UI stays up while an editor is open";
        EventWait(2);
        GameEditShutdown();
        EXPECT_EQ(UIFadeOutEnabled, 1);
        EXPECT_EQ(StructEditStackDepth, 0);
        EXPECT_EQ(EditShellLight.updateThread, nullptr);
        EXPECT_EQ(HeapFree(), heap);
        EventWait(1);
        EXPECT_EQ(UIObjectRecords->count, records);
        EXPECT_EQ(SystemThreadCount, tasks);
    }
}

// The level flow's practice game: the developer shows the bar, drops "File" with
// minus, goes down to "Quit" and presses A; the flow ends the level and its
// shutdown closes the bar.
class GameEditFlowTest : public MenuScreenFixture {};

TEST_F(GameEditFlowTest, QuitEndsTheLevelThroughTheLevelFlowAndItsShutdownClosesTheBar) {
    constexpr s32 kDepth = 1;
    constexpr s32 kPlay = 8;
    g_GameSettings.SetGameMode(eGameMode_Career);
    g_GameSettings.m_Current.gameType = eGameType_Practice;
    g_ScreenTracker.m_LevelToLoad = LAUNCH_DEFAULT_LEVEL;
    const u32 records = UIObjectRecords->count;
    State state;
    bool quitting = false;
    bool barSeen = false;
    s32 finished = 0;
    for (u32 frame = 0; frame < 3000 && finished == 0; ++frame) {
        if (state.m_value[kDepth] == kPlay && !quitting) {
            quitting = true;
            std::string script = std::string(kToggle) + "20 0 button minus down\n22 0 button minus up\n";
            for (s32 down = 0; down < 5; ++down)
                script += std::to_string(30 + 8 * down) + " 0 button down down\n" +
                          std::to_string(32 + 8 * down) + " 0 button down up\n";
            script += "80 0 button a down\n82 0 button a up\n";
            ScriptFromNow(script);
        }
        barSeen = barSeen || GameEditMenuBar != nullptr;
        finished = g_LevelFlow.run(state, kDepth);
        EventWait(1);
    }
    EXPECT_TRUE(barSeen);
    EXPECT_NE(finished, 0);
    EXPECT_NE(SceneFlags & SCENE_FLAG_QUIT_REQUEST, 0u);
    EXPECT_EQ(g_LevelMgr.m_pLevel, nullptr) << "the level is down";
    EXPECT_EQ(GameEditEnabled, 0);
    EXPECT_EQ(GameEditMenuBar, nullptr);
    EXPECT_EQ(UIObjectRecords->count, records);
}

}  // namespace
