// The resource viewer's model and world views: the locals record both views share,
// the toolbar, the menus and the three dialogs of the model view. Declarations are
// grouped by the file that defines them.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/RViewerModel.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/UIMenu.h"
#include "orblib47/source/UITextWidget.h"

struct s_collision_cache;
struct s_hanim_header;
struct s_hmodel;
struct s_model;
struct s_shadow;
struct s_texture;
struct s_thread;
struct scene_light;

// The world view's Mode menu (its own type: the game's edit menubar has e_edit_mode).
enum e_rv_edit_mode : s32 {
    RV_EDIT_MODE_CAMERA = 0,
    RV_EDIT_MODE_OBJECT = 1,
};

enum e_ui_mode : s32 {
    UI_MODE_OBJECT = 0,  // the model moves in front of a fixed camera
    UI_MODE_CAMERA = 1,  // a free camera flies through static geometry
};

constexpr s32 RVIEWER_COMMAND_LOAD_BANK = 256;

// One row of the animation list: the shown name and the animation's index in its bank.
struct s_anim_index_remap {
    const char* name;
    u32 index;
};

struct s_rvlocals {
    s_Vector3 pos;        // the model (object mode), else the camera or the sphere
    s_Vector3 rot;        // Euler angles in radians
    s_Vector3 screenPos;  // the drawn model's centre on screen, refreshed each frame
    s_Vector3 centerPos;  // the trackball's reference point
    f32 q;                // screen pixels per world unit at the model's centre
    f32 newz;             // where the smoothed zoom is heading
    s_model* model;
    s_hmodel* hmodel;
    e_MODEL_TYPE modelType;
    e_MODEL_SUB_TYPE modelSubType;
    s32 prevModelIndex;
    e_POLYGON_MODE polyDrawMode;
    e_rv_edit_mode editMode;
    e_ui_mode uiMode;
    s32 menuCommand;
    s32 cursorSpeed;  // 0 fast, 1, 2 slow
    s_hanim_header* hanim;
    s_hanim_header* hanimBank;
    s32 animNum;
    s_window_obj* animDialog;
    s_anim_index_remap* animIndexRemap;
    const char** animStrings;
    s32 animDialogX, animDialogY;
    s32 materialNum;
    s32 materialListIndex;
    s_window_obj* materialDialog;
    const char** materialStrings;
    s32 materialDialogX, materialDialogY;
    s32 frameFilterNum;
    s_window_obj* frameFilterDialog;
    const char** frameFilterStrings;
    s32 frameFilterDialogX, frameFilterDialogY;
    s_collision_cache* cache;
    s_shadow* textureProject;
    scene_light* pointLight;
    u32 ambientColor;  // 0xRRGGBBAA
    s32 textureVariantIndex;
};

struct s_test_edit {
    f32 fov;
    f32 nearZ;
    f32 farZ;
};

struct u_BUTTON_FLAGS {
    u32 Radio;
    u32 Selected;
};

struct s_toolbar_button {
    s32 iconID;  // cell of the icon sheet and the button's identity
    u_BUTTON_FLAGS flags;
    const char* helpString;
};

struct s_toolbar {
    s_texture* texture;  // the icon sheet; null: no toolbar
    s_Vector3 position;  // top-left corner on screen
    s32 iconSizeX, iconSizeY;
    s32 dX;  // icons per row
    s32 numIcons;
    s_toolbar_button* buttonList;
};

// Toolbar icon ids: cells of the sheet, column id % 8, row id / 8.
enum e_toolbar_icon : s32 {
    ICON_FINE_ZOOM = 4,
    ICON_CAMERA_1 = 5,
    ICON_CAMERA_2 = 6,
    ICON_CAMERA_3 = 7,
    ICON_RESET_VIEW = 9,
    ICON_ROTATE_X = 10,
    ICON_ROTATE_Y = 11,
    ICON_POLYLINE = 13,
    ICON_POLYGON = 14,
    ICON_TEXTURE = 15,
    ICON_LIGHTING = 16,
    ICON_BONES = 17,
    ICON_ANIM_DIALOG = 18,
    ICON_SPHERES = 19,
    ICON_BOUNDS = 20,
    ICON_TEXTURE_VARIANT = 21,
};
constexpr s32 TOOLBAR_SHEET_COLUMNS = 8;
constexpr s32 TOOLBAR_SHEET_ROWS = 4;
constexpr s32 TOOLBAR_ICON_SIZE = 32;
constexpr s32 TOOLBAR_BUTTON_COUNT = 16;

constexpr s32 VIEW_MENU_COUNT = 11;
// View menu item ids.
enum e_view_item : s32 {
    VIEW_BONES = 0,
    VIEW_BOUNDS = 1,
    VIEW_LINK_POINTS = 2,
    VIEW_COLLISION_SPHERES = 3,
    VIEW_COLLISION_POLYS = 4,
    VIEW_VERTEX_NORMALS = 5,
    VIEW_ANIMATION = 7,
    VIEW_EXPORT_TRANS = 8,
};
// Draw menu item ids beside the three polygon modes.
enum e_draw_item : s32 {
    DRAW_TEXTURE = 4,
    DRAW_LIGHT = 5,
    DRAW_TRISTRIPS = 6,
};

// --- RViewerModel.cpp: the model view.
extern s_rvlocals RVModelLocals;
extern s32 DisableUiUntilMouseRelease;
extern s_Vector3 NewTarget;
extern s_Vector3 NewCamera;
extern s32 bNewLookAt;
extern s32 bSetNewFOV;
extern f32 NewFOV;
// Takes the registered bank `name` as the loaded bank, in place of the one before,
// and shows it in the animation dialog; false, keeping the old bank, when it does
// not load.
bool RViewerLoadAnimBank(const char* name);

// --- RViewerModelDraw.cpp: the model view's draw task.
extern s_Matrix4 ProjectionMatrix;
extern s_Vector3 ProjectionDir;
void DrawProjectBegin(s_draw_light* light);
void RViewerViewModelThread(s_thread* task, void* record);

// --- RViewerModelWorld.cpp: the world view's draw task.
extern const s_Vector3 RVPointLightOffset;  // the light above the test sphere
void RViewerViewWorldThread(s_thread* task, void* record);

// --- RViewerModelInput.cpp: per-frame input of both views.
void RViewerViewModelUI();
void RViewerViewWorldUI(s_rvlocals* locals);
void RViewerObjectUI(s_rvlocals* locals);
// The pad camera's move and turn speeds (per second) of a cursorSpeed setting.
void RViewerCursorSteps(s32 cursorSpeed, f32* move, f32* turn);

// --- RViewerModelMenus.cpp: the menus and their handlers.
extern s_test_edit TestEdit;
extern const s_struct_var TestEditVars[4];
extern s_menu_item FileMenuItems[3];
extern s_menu_item EditMenuItems[1];
extern s_menu_item ViewMenuItems[VIEW_MENU_COUNT];
extern s_menu_item ModeMenuItems[7];
extern s_menu_item GroupMenuItems[12];
extern s_menu_item ViewMenuItems2[1];
extern s_menu_item EditModeMenuItems[2];
extern s_menu ViewModelMenus[5];
extern s_menu ViewWorldMenus[5];
void RViewerModelMenusColdReset();
s32 ViewMenuFunc(s_menu_item* item);
s32 ViewExportTransMenuFunc(s_menu_item* item);
s32 ModeMenuFunc(s_menu_item* item);
s32 ModelMenuCommandFunc(s_menu_item* item);
s32 GroupMenuModelTypeFunc(s_menu_item* item);
s32 GroupMenuModelSubTypeFunc(s_menu_item* item);
s32 ViewAnimMenuFunc(s_menu_item* item);
s32 ViewMaterialMenuFunc(s_menu_item* item);
s32 ViewFrameFilterMenuFunc(s_menu_item* item);
s32 EditModeMenuFunc(s_menu_item* item);
s32 ProjectionMenuFunc(s_menu_item* item);
// The first item of the table with the id, or null.
s_menu_item* RViewerMenuItem(s_menu_item* items, s32 count, s32 id);
bool RViewerItemChecked(s_menu_item* items, s32 count, s32 id);
void RViewerSetItemChecked(s_menu_item* items, s32 count, s32 id, bool checked);
// Checks item `chosen` of items[first..last] and unchecks the others.
void RViewerCheckOne(s_menu_item* items, s32 first, s32 last, const s_menu_item* chosen);

// --- RViewerToolBar.cpp
extern s_toolbar ModelViewerToolBar;
extern s_toolbar_button ModelToolBarButtons[TOOLBAR_BUTTON_COUNT];
s32 RViewerModelCreateToolBar();
void RViewerDrawToolBar(s_toolbar* toolbar);
void RViewerUpdateToolBar(s_toolbar* toolbar);
void RViewerToolBarSetIconState(s_toolbar* toolbar, s32 iconID, u32 state);
u32 RViewerToolBarGetIconState(const s_toolbar* toolbar, s32 iconID);
s32 RViewerGetToolBarButtonId(const s_toolbar* toolbar);
void RViewerModelFreeToolBar(s_toolbar* toolbar);
// The texture variant after `variant` for a first texture with `children` child
// textures: 0, 1 .. children, 0.
s32 RViewerNextTextureVariant(s32 variant, s32 children);
// Where a tool tip's text starts: right of the pointer, or moved left to end at the
// screen's edge when it would come within 10 pixels of it.
f32 RViewerToolTipX(f32 pointerX, f32 textWidth);

// --- RViewerAnimDialog.cpp
extern s_listbox AnimListBox;
void AnimationDialogOpen(s_rvlocals* locals);
void AnimationDialogClose(s_rvlocals* locals);
// The bank the dialog lists and plays: the loaded one, else the model's own.
s_hanim_header* RViewerAnimBank(const s_rvlocals* locals);
void RViewerStartAnim();
s32 AnimNameSort(const void* a, const void* b);
s32 PlayAnimButtonFunc(s_button_obj* button);
s32 StopAnimButtonFunc(s_button_obj* button);
s32 StepAnimButtonFunc(s_button_obj* button);
s32 BackAnimButtonFunc(s_button_obj* button);
s32 FastAnimButtonFunc(s_button_obj* button);
s32 SlowAnimButtonFunc(s_button_obj* button);
s32 CloseAnimButtonFunc(s_button_obj* button);
// The status line's text; empty when nothing plays.
void AnimDialogStatus(char* text, u32 size);

// --- RViewerMaterialDialog.cpp
extern s_listbox MaterialListBox;
void MaterialDialogOpen(s_rvlocals* locals);
void MaterialDialogClose(s_rvlocals* locals);
s32 SetMaterialButtonFunc(s_button_obj* button);
s32 CloseMaterialButtonFunc(s_button_obj* button);

// --- RViewerFrameFilterDialog.cpp
extern s_listbox FrameFilterListBox;
void FrameFilterDialogOpen(s_rvlocals* locals);
void FrameFilterDialogClose(s_rvlocals* locals);
s32 CloseFrameFilterButtonFunc(s_button_obj* button);

// --- RViewerListDialog.cpp: what the material and frame-filter dialogs share.
struct s_orb_enum;
// The name column of an s_orb_enum table, up to its null row, in one heap block
// (pointers then texts); null when the heap is full.
const char** RViewerEnumStrings(const s_orb_enum* table, s32* count);
// Window `title` at (x, y) with `list` (the strings, `count`) at (10, 28) selecting
// `index`; the window is sized to the list plus `extraHeight`.
s_window_obj* RViewerListWindow(const char* title, s32 x, s32 y, s_listbox* list, const char** strings,
                                s32 count, s32 index, UIObjectEventFunc listFunc, s32 extraHeight);
// Remembers the window's position, frees the strings and asks the window to close.
void RViewerListWindowClose(s_window_obj** window, const char*** strings, s32* x, s32* y);
