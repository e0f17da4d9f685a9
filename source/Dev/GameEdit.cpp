#include "source/Dev/GameEdit.h"

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/ParticleSystemEditor.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/UIMenu.h"
#include "orblib47/source/UIWidget.h"
#include "source/Objects/Object.h"

s32 GameEditEnabled = 0;
e_edit_mode GameEditMode = EDIT_MODE_NONE;
e_edit_mode GameEditNewMode = EDIT_MODE_NONE;
s_menubar_obj* GameEditMenuBar = nullptr;
s_thread* GameEditThreadPtr = nullptr;
s32 GameEditMenubarShown = 0;

namespace {

// The object statistics table installed at warm reset. Its record holds the scale
// vector first and the four floats after it.
constexpr u16 kStatsFloat = 3 * sizeof(f32);
const s_struct_var GameEditVars[] = {
    {TYPE_STRUCT, 0, 0, "Object Stats", {1, 5, 0}},
    {TYPE_FLOAT32, 0, kStatsFloat, "Health", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, kStatsFloat + 4, "Strength", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, kStatsFloat + 8, "Endurance", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, kStatsFloat + 12, "Stamina", {0, 0, 1.0f}},
    {TYPE_VECTOR3, 0, 0, "Scale", {0, 0, 0}},
};

void Kill(s_thread*& task) {
    if (task != nullptr)
        ThreadKill(task);
    task = nullptr;
}

// Closed as their windows' close boxes close them: each writes its values back and
// tells its callback, which stops the shell-light task and lets the UI fade again.
void CloseStructEditors() {
    while (StructEditStackDepth > 0) {
        s_ui_object* window = &StructEditStack[StructEditStackDepth - 1].windowObj->obj;
        StructEditSetParent(window);
        UIObjectEvent(window, UI_OBJ_EVENT_CLOSE);
        UIObjectClose(window);
    }
}

// Minus held on pad 0 with 1 newly pressed.
bool DeveloperToggle() {
    return (Pad[0].bdown & PAD_MINUS) != 0 && (Pad[0].shift.bnew & PAD_1) != 0;
}

}  // namespace

void GameEditColdReset() {
    GameEditEnabled = 0;
    GameEditMode = GameEditNewMode = EDIT_MODE_NONE;
    GameEditMenuBar = nullptr;
    GameEditThreadPtr = nullptr;
    GameEditMenubarShown = 0;
    EditVp = {};
    EditColor = {};
    GameEditMenusColdReset();
}

void GameEditWarmReset() {
    GameEditEnabled = 0;
    GameEditMenuBar = nullptr;
    GameEditThreadPtr = nullptr;
    EditShellLight = {};  // its task and window lived in the pools just remade
    GameEditMenubarShown = 0;
    ParticleEditorState = 0;
    PlayModeMenus[0].itemList[0].flags &= ~MENU_ITEM_CHECKED;
    StructEditWarmReset();
    StructEditStartup(GameEditVars, 6);
}

void GameEditStartup() {
    if (GameEditEnabled)
        return;
    GameEditEnabled = 1;
    GameEditThreadPtr = ThreadInsertPriorityDebug("GameEditThread", nullptr, nullptr, GameEditThread, nullptr,
                                                  GAME_EDIT_THREAD_PRIORITY);
    ObjectDebugTimePtr = nullptr;
    GameEditInit();
}

void GameEditInit() {
    MenuSetSelected(&PlayModeMenus[4], DC_POLY_DRAW_POINT, DC_POLY_DRAW_FILL, DC_POLY_DRAW_FILL);
    GameEditInitPlay();
    GameEditNewMode = EDIT_MODE_NONE;
}

void GameEditInitPlay() {
    GameEditOpenMenubar(GAME_EDIT_MENUS, PlayModeMenus);
    GameEditMode = EDIT_MODE_PLAY;
}

void GameEditOpenMenubar(s32 numMenus, s_menu* menus) {
    GameEditCloseMenubar();
    if (!GameEditMenubarShown)
        return;
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    GameEditMenuBar = MenubarOpen(numMenus, menus, MENUBAR_FADE);
}

void GameEditCloseMenubar() {
    if (GameEditMenuBar == nullptr)
        return;
    // A dropped menu is an object of its own, not a child of the bar.
    if (GameEditMenuBar->menu != nullptr)
        MenuClose(GameEditMenuBar->menu);
    UIObjectClose(&GameEditMenuBar->obj);
    GameEditMenuBar = nullptr;
}

void GameEditShutdown() {
    if (GameEditEnabled) {
        GameEditEnabled = 0;
        CloseStructEditors();
        Kill(EditShellLight.updateThread);
        Kill(GameEditThreadPtr);
        ObjectDebugTimePtr = nullptr;
        UIObjectCloseAll();
        GameEditMenuBar = nullptr;
    }
    ParSysEditorShutdown();
}

void GameEditThread(s_thread*, void*) {
    if (DeveloperToggle()) {
        GameEditMenubarShown = !GameEditMenubarShown;
        GameEditOpenMenubar(GAME_EDIT_MENUS, PlayModeMenus);
    }
    if (GameEditNewMode != GameEditMode && GameEditNewMode == EDIT_MODE_PLAY)
        GameEditInitPlay();
    GameEditMode = GameEditNewMode;
}
