// What the resource viewer's files share: the viewer's state, its menus and the
// views the main loop runs. Each view blocks, running frames, until RViewerCancel.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/UITextWidget.h"

struct s_font;
struct s_menu;
struct s_menu_item;
struct s_orb_cut_scene;
struct s_particle_system;
struct s_sprite_set;
struct s_stream;
struct s_stream_file;
struct s_texture;
struct s_wad;

// The main menus' item ids: the request each posts.
enum e_rv_event : s32 {
    RV_EVENT_NONE = 0,
    RV_EVENT_OPEN_WAD = 1,
    RV_EVENT_CLOSE_WAD = 2,
    RV_EVENT_VIEW_MODEL = 3,
    RV_EVENT_VIEW_MODEL_GROUP = 4,
    RV_EVENT_VIEW_TEXTURE = 5,
    RV_EVENT_VIEW_SPRITE = 6,
    RV_EVENT_VIEW_FONT = 7,
    RV_EVENT_VIEW_PARSYS = 8,
    RV_EVENT_VIEW_SFX = 9,
    RV_EVENT_VIEW_WORLD = 10,
    RV_EVENT_EDIT_PARSYS = 11,
    RV_EVENT_SET_BKG_COLOR = 12,
};

enum e_play_dialog_state : s32 {
    PLAY_DIALOG_IDLE = 0,
    PLAY_DIALOG_PLAY = 1,
    PLAY_DIALOG_STOP = 2,
};

enum e_stream_file_dialog_state : s32 {
    STREAM_FILE_DIALOG_IDLE = 0,
    STREAM_FILE_DIALOG_PLAY = 1,
    STREAM_FILE_DIALOG_STOP = 2,
};

enum e_sprite_draw_function : s32 {
    SPRITE_FUNCTION_DRAW_SPRITE = 0,
    SPRITE_FUNCTION_DRAW_PARTICLE = 1,
    SPRITE_FUNCTION_DRAW_ANIM_FRAME = 2,
    SPRITE_FUNCTION_DRAW_QUAD = 3,
};

enum e_sprite_projection_mode : s32 {
    SPRITE_PROJECTION_ORTHO = 0,
    SPRITE_PROJECTION_3D = 1,
};

struct s_sfx_remap_rviewer {
    const char* name;
    u32 index;
};

struct s_parsys_parms {
    s_Vector3 velocity;
    s_Vector3 acceleration;
    s_Vector3 force;
};

constexpr s32 RVIEWER_MAX_WADS = 16;
constexpr u32 RVIEWER_CUT_SCENE_NAME_SIZE = 16;  // with the terminator
constexpr u32 RVIEWER_THREAD_PRIORITY = 5100;
constexpr u32 RVIEWER_BKG_COLOR = 0x20202000;

// RViewer.cpp: the shell.
extern e_rv_event RViewerEvent;
extern s_wad* RViewerWad[RVIEWER_MAX_WADS];
extern s32 RViewerWadCount;
extern u32 RViewerBkgColor;
extern char AppDir[256];
extern s_draw_light RViewerLight;
extern s_draw_light TestLight;  // the model view's light, added at start-up too (RViewerModelDraw.cpp)
extern s_Vector4 RViewerAmbient;

void RViewerColdReset();
void RViewerStartup();
void RViewerShutdown();
// Cuts the name at its first "." and upper-cases it.
void RViewerFixName(char* name);
// Appends the archive `name` of the current directory; refused when 16 are open
// or it does not load. 1 when it was added.
s32 RViewerOpenWad(const char* name);
void RViewerCloseWads();
// Opens the file `name` of the current directory by its extension: an archive
// (".wad" in either case), a cut-scene (".csf") or a stream pack (".asf").
void RViewerOpenFile(const char* name, const char* extension);

// RViewerMenus.cpp: the menu tables and their functions.
extern s_menu RViewerMenus[3];
extern s_menu DefaultMenus[2];
extern s_menu ViewSpriteMenus[4];
extern s_menu ParSysMenus[2];
extern s_menu CutSceneMenus[2];
s32 EventMenuFunc(s_menu_item* item);
s32 ProjMenuSet(s_menu_item* item);
// "Cancel", "Quit" or the program's frame limit (the quit flag) ends a view.
bool RViewerViewEnded();
s32 FuncMenuSet(s_menu_item* item);
// Each with the debug font at scale 1.0; the first two tick "Timing" from the
// timing display first.
void RViewerOpenMenubar();
void RViewerOpenDefaultMenu();
void RViewerOpenMenus(s32 numMenus, s_menu* menus);
// Closes the bars at the next UI pass, leaving the other objects open.
void RViewerCloseMenubars();

// RViewerPlay.cpp: the play dialogs.
extern s_window_obj* PlayDialog;
extern s_scrollbar_obj* PlayScrollbar;
extern e_play_dialog_state PlayDialogState;
extern s32 PlayDialogValue;
extern const char* PlayDialogString;
extern s_window_obj* StreamFileDialog;
extern s_scrollbar_obj* StreamPlayScrollbar;
extern e_stream_file_dialog_state StreamFileDialogState;
extern s32 StreamLooping;

s_window_obj* PlayDialogOpen(s32 x, s32 y, s32 min, s32 max, const char* title, const char* label);
// A scroll bar of positions 0..max − 1 (0 when max is 0) in place of the old one.
void PlayResetScrollbar(s32 max, s32 value);
e_play_dialog_state PlayDialogQuery(s32* value);
void PlayDialogSetValue(s32 value);
s_window_obj* PlayDialog2Open(s32 x, s32 y, const char* title);
e_play_dialog_state PlayDialog2Query();
s_window_obj* StreamFileDialogOpen(s32 x, s32 y, const char* title, const char* label);
void StreamPlayResetScrollbar(s32 max, s32 value);
e_stream_file_dialog_state StreamFileDialogQuery(s32* value);
// Forgets the dialogs the UI has closed.
void PlayDialogsForget();

// RViewerSfx.cpp: the sound-bank view.
extern s_listbox SfxListBox;
extern char** SfxStrings;
extern s_sfx_remap_rviewer* SfxRemap;
extern s32 SfxIndex;
s32 RViewerViewSfx(char* name);
s_window_obj* SfxDialogOpen(s32 cx, s32 cy);
// Releases the sorted names.
void SfxDialogFree();

// RViewerStream.cpp.
extern s_stream_file* StreamFile;
extern s_stream* RViewerStream;
s32 RViewerViewStream(const char* name);

// RViewerFont.cpp.
extern s_font* RVFont;
s32 RViewerViewFont(char* name);

// RViewerTexture.cpp, RViewerTextureUI.cpp.
extern s_texture* RVTexture;
extern s_Matrix4 BoxMatrix;
extern f32 TextureLODBiasK;
extern u32 TextureLODBiasL;
extern f32 TextureLODBiasKOrig;
extern u32 TextureLODBiasLOrig;
s32 RViewerViewTexture(char* name, s32* index);
// The pad or pointer controls of the box; position, rotation and zoom persist
// with the caller.
void RViewerViewTextureUI(s_texture* texture, s_Vector3* position, s_Vector3* rotation, f32* zoom,
                          s_Matrix4* matrix);
void RViewerTextureUIReset();

// RViewerSprite.cpp.
extern e_sprite_draw_function RViewerSpriteDrawFunction;
extern e_sprite_projection_mode RViewerSpriteDrawMode;
extern s_sprite_set* RVSpriteSet;
extern s32 RVSpriteNum;
extern f32 RVSpriteQ;
extern s_Vector3 RVSpritePos;
s32 RViewerViewSprite3D(char* name);

// RViewerParSys.cpp.
extern s_particle_system* RViewerParticleSystem;
extern s_Vector3 ParSysPosition;
extern s_Vector3 ParSysVelocity;
extern s_parsys_parms ParSysParms;
s32 RViewerViewParSys(char* name, s32 edit);
s32 ParSysParmsMenuFunc(s_menu_item* item);

// RViewerCutScene.cpp.
extern s_orb_cut_scene* RViewerCutScene;
extern char RViewerCutSceneName[RVIEWER_CUT_SCENE_NAME_SIZE];
// Refuses (0, with a message) a name that does not fit RViewerCutSceneName.
s32 RViewerViewCutscene(const char* name);
s32 CutScenePlayMenuFunc(s_menu_item* item);
s32 CutSceneStopMenuFunc(s_menu_item* item);
