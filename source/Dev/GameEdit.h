// The in-game edit menubar: a developer menubar over the running game whose menus
// toggle developer services, end the level and open structure editors on the
// viewport, the level's ambient colours and the front end's shell lights. The
// module runs from the shell's start and from each level's start to the level's
// end; the bar itself shows only once the developer asks for it (minus and 1 on
// pad 0), so a player never sees it.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/StructEdit.h"

struct s_menu;
struct s_menu_item;
struct s_menubar_obj;
struct s_thread;

enum e_edit_mode : s32 {
    EDIT_MODE_PLAY = 0,
    EDIT_MODE_CAMERA = 1,
    EDIT_MODE_OBJECT = 2,
    EDIT_MODE_INIT = 3,
    EDIT_MODE_NONE = 4,
};

constexpr s32 GAME_EDIT_MENUS = 8;
constexpr u32 GAME_EDIT_THREAD_PRIORITY = 5500;
constexpr u32 EDIT_SHELL_LIGHTS_THREAD_PRIORITY = 5510;

// The viewport editor's record.
struct s_edit_vp {
    f32 fogNearZ;
    f32 fogFarZ;
    u32 fogColor;  // 0xRRGGBBAA
    f32 fov;
    f32 nearZ;
    f32 farZ;
    f32 fsaa;  // anti-aliasing percentage
};

// The colour editor's record: the level's ambients, 0xRRGGBBAA.
struct s_edit_color {
    u32 sceneBkgAmbient;
    u32 sceneObjAmbient;
    u32 scenePlayerAmbient;
    u32 sceneNpcAmbient;
};

// The shell-light editor's record.
struct ShellLightEditVars {
    s_thread* updateThread;
    s_window_obj* win;
    u32 usage;    // eShellLightUsage
    u32 lightId;  // 0 the ambient colour, 1..4 a directional light
    u32 lastUsage;
    u32 lastLightId;  // the selection last loaded
    u32 color;        // 0xRRGGBBAA
    u32 specularColor;
    f32 directionX;
    f32 directionY;
    f32 directionZ;
    u32 isEnabled;
    u32 specularEnabled;
};

extern s32 GameEditEnabled;
extern e_edit_mode GameEditMode;
extern e_edit_mode GameEditNewMode;
extern s_menubar_obj* GameEditMenuBar;
extern s_thread* GameEditThreadPtr;
extern s32 GameEditMenubarShown;  // the developer asked for the bar
extern s32 ParticleEditorState;
extern s32 ScreenshotState;
extern s32 HUDState;
extern s_menu PlayModeMenus[GAME_EDIT_MENUS];
extern s_edit_vp EditVp;
extern s_edit_color EditColor;
extern ShellLightEditVars EditShellLight;

// GameEdit.cpp: life cycle, the bar and the edit task.
// The program's start-up values: module off, the menus' checks as built.
void GameEditColdReset();
void GameEditWarmReset();
void GameEditStartup();
void GameEditInit();
void GameEditInitPlay();
// Replaces the open bar; opens it only while the developer has it shown.
void GameEditOpenMenubar(s32 numMenus, s_menu* menus);
void GameEditCloseMenubar();
// Closes the open structure editors (their values written back), the bar and every
// UI object, kills the module's tasks and stops the particle editor.
void GameEditShutdown();
void GameEditThread(s_thread* task, void* record);

// GameEditMenus.cpp: the menus and their items; the cold reset puts back their first ticks.
void GameEditMenusColdReset();

// GameEditEditors.cpp: the viewport and colour editors.
// A structure editor on the record, centred on the screen; the UI stays up, unfaded,
// while it is open (its callback lets the UI fade again once it closes).
s_window_obj* GameEditOpenEditor(const s_struct_var* vars, s32 numVars, void* record,
                                 StructEditCallbackFunc callback);
s32 EditViewportMenuFunc(s_menu_item* item);
s32 EditColorMenuFunc(s_menu_item* item);

// GameEditShellLight.cpp: the shell-light editor.
s32 EditShellLightsMenuFunc(s_menu_item* item);
// Loads the selected light of the selected set into EditShellLight; nothing without the set.
void EditShellLightInit();
// Pushes EditShellLight into the selected light of its set.
void EditShellLightUpdate();
void EditShellLightUpdateVisibility();
void EditShellLightsThread(s_thread* task, void* record);
