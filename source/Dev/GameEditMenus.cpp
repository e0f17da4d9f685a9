#include <array>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/ParticleSystemEditor.h"
#include "orblib47/source/UIMenu.h"
#include "source/Camera.h"
#include "source/Career/EventManager.h"
#include "source/Dev/GameEdit.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"

s32 ParticleEditorState = 0;
s32 ScreenshotState = 0;
s32 HUDState = 1;

namespace {

constexpr u32 kOn = MENU_ITEM_ENABLED;
constexpr u32 kTicked = MENU_ITEM_ENABLED | MENU_ITEM_CHECKED;

void Check(s_menu_item* item, s32 on) {
    if (on)
        item->flags |= MENU_ITEM_CHECKED;
    else
        item->flags &= ~MENU_ITEM_CHECKED;
}

bool Checked(const s_menu_item* item) {
    return (item->flags & MENU_ITEM_CHECKED) != 0;
}

// Once started from here the particle editor runs until the module shuts down: a
// second start while it runs does nothing.
s32 ParticleEditorToggleMenuFunc(s_menu_item* item) {
    ParticleEditorState = !ParticleEditorState;
    ParSysEditorStartup(ParticleEditorState);
    Check(item, ParticleEditorState);
    return 1;
}

s32 ScreenshotToggleMenuFunc(s_menu_item* item) {
    ScreenshotState = !ScreenshotState;
    ScreenShotEnable(ScreenshotState);
    Check(item, ScreenshotState);
    return 1;
}

s32 HUDToggleMenuFunc(s_menu_item* item) {
    HUDState = !HUDState;
    Physics.bHUDEnabled = HUDState;
    Check(item, HUDState);
    return 1;
}

// The level flow sees the level end and takes it down.
s32 QuitMenuFunc(s_menu_item*) {
    SceneFlags |= SCENE_FLAG_QUIT_REQUEST;
    g_LevelMgr.m_bActive = 0;
    return 1;
}

s32 FreeCameraToggleMenuFunc(s_menu_item* item) {
    Check(item, !Checked(item));
    CCamera::SetFreeMode(&g_LevelMgr.m_GameCamera, Checked(item) ? 1 : 0);
    return 1;
}

// Only in a career, which has the event manager.
s32 PlayerWinsAllToggleMenuFunc(s_menu_item* item) {
    if (pEventManager == nullptr)
        return 1;
    Check(item, !Checked(item));
    pEventManager->m_bPlayerWinsAll = Checked(item) ? 1 : 0;
    return 1;
}

// The items' ids are the polygon modes.
s32 ViewModeMenuFunc(s_menu_item* item) {
    MenuSetSelected(&PlayModeMenus[4], DC_POLY_DRAW_POINT, DC_POLY_DRAW_FILL, s32(item->id));
    DrawSetPolygonMode(e_POLYGON_MODE(item->id));
    return 1;
}

// The menus as the program starts with them; the live copies below carry the checks.
const std::array<s_menu_item, 6> kFileItems = {{
    {kOn, 2, "Particle Editor", {}, ParticleEditorToggleMenuFunc},
    {kOn, 2, "Screenshots", {}, ScreenshotToggleMenuFunc},
    {kTicked, 2, "HUD", {}, HUDToggleMenuFunc},
    {0, 0, "-", {}, nullptr},
    {0, 0, "Pause", {}, nullptr},
    {kOn, 1, "Quit", {}, QuitMenuFunc},
}};
const std::array<s_menu_item, 1> kCameraItems = {{{kOn, 0, "Free", {}, FreeCameraToggleMenuFunc}}};
const std::array<s_menu_item, 1> kCheatsItems = {
    {{kOn, 0, "Player Wins All", {}, PlayerWinsAllToggleMenuFunc}}};
const std::array<s_menu_item, 4> kEditItems = {{
    {kOn, 1, "Viewport...", {}, EditViewportMenuFunc},
    {kOn, 2, "Color...", {}, EditColorMenuFunc},
    {0, 3, "Lights...", {}, nullptr},
    {kOn, 4, "Shell Lights...", {}, EditShellLightsMenuFunc},
}};
const std::array<s_menu_item, 3> kViewItems = {{
    {kTicked, DC_POLY_DRAW_FILL, "Polygons", {}, ViewModeMenuFunc},
    {kOn, DC_POLY_DRAW_LINE, "PolyLines", {}, ViewModeMenuFunc},
    {kOn, DC_POLY_DRAW_POINT, "Points", {}, ViewModeMenuFunc},
}};
const std::array<s_menu_item, 1> kToBeDone = {{{0, 0, "TBD...", {}, nullptr}}};

std::array<s_menu_item, 6> FileItems = kFileItems;
std::array<s_menu_item, 1> CameraItems = kCameraItems;
std::array<s_menu_item, 1> CheatsItems = kCheatsItems;
std::array<s_menu_item, 4> EditItems = kEditItems;
std::array<s_menu_item, 3> ViewItems = kViewItems;
std::array<s_menu_item, 1> BowlerItems = kToBeDone;
std::array<s_menu_item, 1> LiveItems = kToBeDone;
std::array<s_menu_item, 1> CareerItems = kToBeDone;

}  // namespace

s_menu PlayModeMenus[GAME_EDIT_MENUS] = {
    {"File", {}, s32(FileItems.size()), FileItems.data()},
    {"Camera", {}, 1, CameraItems.data()},
    {"Cheats", {}, 1, CheatsItems.data()},
    {"Edit", {}, s32(EditItems.size()), EditItems.data()},
    {"View", {}, s32(ViewItems.size()), ViewItems.data()},
    {"Bowler", {}, 1, BowlerItems.data()},
    {"Live Environment", {}, 1, LiveItems.data()},
    {"Career", {}, 1, CareerItems.data()},
};

void GameEditMenusColdReset() {
    ParticleEditorState = 0;
    ScreenshotState = 0;
    HUDState = 1;
    FileItems = kFileItems;
    CameraItems = kCameraItems;
    CheatsItems = kCheatsItems;
    EditItems = kEditItems;
    ViewItems = kViewItems;
    BowlerItems = LiveItems = CareerItems = kToBeDone;
}
