// What the screen-movie player's files share: the loaded screens, the stack, the
// font table, and the functions each file gives the others.
#pragma once

#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPFile.h"

struct s_font;
struct s_texture;
struct s_thread;

// A timeline's place: the root's, or a nested instance's own.
struct s_sfp_timeline {
    u32 frame;
    f32 due;  // movie frames of time not yet shown
    u8 playing;
    u8 loop;
};

// One object of the movie's whole tree; a screen keeps them in preorder, so an
// object's subtree is the instances up to `end`. A button's subtree is the objects
// of its up, over and down looks, in that order.
struct s_sfp_instance {
    const s_sfp_object* object;
    u32 end;
    s32 button;               // button objects: the descriptor's button of that name, else -1
    char* text;               // text objects: the field's text (SFP_MAX_TEXT + 1 bytes), else null
    u32 tint;                 // SFP2KSpriteSetColor, 0xRRGGBBAA
    u8 hidden;                // SFP2KSpriteHide
    u8 look;                  // buttons: the look (e_sfp_look) their timeline plays
    s_sfp_timeline timeline;  // instance objects; buttons, their look's
};

// A loaded screen: one heap block holding this record, its instances, texts,
// textures, font rows and locals.
struct s_sfp_screen {
    SFP_SCREEN_INFO_t* info;
    s_sfp_movie* movie;
    s_wad* sfc;            // the textures' archive; null for a movie without textures
    s_texture** textures;  // per movie texture
    s32* fontRows;         // per movie font: its row of the font table, -1 none
    s_sfp_instance* instances;
    u32 numInstances;
    void* locals;
    s_sfp_timeline root;
    u32 segmentStart, segmentEnd;
    s32 subScreenState;
    s32 nextSubScreen;
    u8 fresh;  // opened or moved to a segment: the next update shows its first frame
};

struct s_sfp_player {
    s_sfp_screen* screens[SFP2K_MAX_SCREENS];
    s32 stack[SFP2K_MAX_SCREENS];  // bottom first
    s32 stackSize;
    SFP_FONT_LOOKUP_t* fonts;
    s32 numFonts;
    s_thread* updateTask;
    s_thread* renderTask;
    char rootPath[64];
    s32 frameSkip;
    s32 render;
};
extern s_sfp_player SFPPlayer;

// SFP2K.cpp.
s_sfp_screen* SFPScreen(s32 screenId);  // null when out of range or not loaded
bool SFPOnStack(s32 screenId);
// Takes the screen off the stack and calls its Close.
void SFPLeaveStack(s32 screenId);

// SFP2KLoad.cpp: loading a movie into a screen and releasing it.
s_sfp_screen* SFPLoad(SFP_SCREEN_INFO_t* info, s32 localsSize);
void SFPRelease(s_sfp_screen* screen);

// SFPFonts.cpp: the rows a loaded screen holds.
void SFPFontsInit(SFP_FONT_LOOKUP_t* fonts, s32 numFonts);
// The table's row of a movie font with a reference taken, or -1 after one line
// naming `movie`.
s32 SFPFontAcquire(const char* movieFont, const char* movie);
void SFPFontRelease(s32 row);
// The font a row draws with: the system font for -1.
s_font* SFPFontOf(s32 row);

// SFPInstances.cpp: the instance tree.
// The loader has checked that the tree holds at most SFP_MAX_INSTANCES.
struct s_sfp_tree_size {
    u32 instances;
    u32 texts;
};
s_sfp_tree_size SFPTreeSize(const s_sfp_movie& movie);
// Fills the screen's instances (its texts' buffers from `texts` on) and the
// descriptor's sprite lookups.
void SFPBuildInstances(s_sfp_screen* screen, char* texts);
// The index after the first `skip` objects from `first` on at one level.
u32 SFPSkipSiblings(const s_sfp_screen& screen, u32 first, u32 skip);
// The look a button instance shows now: down while its pressed flag is set, over
// while it is the current button, else up.
u8 SFPButtonLook(const s_sfp_screen& screen, const s_sfp_instance& instance);

// Channel `i` (0 red .. 3 alpha) of 0xRRGGBBAA as 0..1.
inline f32 SFPChannel(u32 rgba, u32 i) {
    return f32(rgba >> (24 - 8 * i) & 0xFF) / 255.0f;
}

// SFPLook.cpp: an object's look at a frame of its timeline.
struct s_sfp_look {
    f32 x, y, scaleX, scaleY, rotation;
    f32 color[4];  // red, green, blue, alpha: 0..1
    bool visible;
};
// False before the object's first key.
bool SFPLookAt(const s_sfp_movie& movie, const s_sfp_object& object, u32 frame, s_sfp_look* look);

// SFPTimeline.cpp: segments and time.
void SFPPlaySegment(s_sfp_screen* screen, s32 subScreen, s32 state, s32 next);
void SFPUpdateThread(s_thread* task, void* record);

// SFPDraw.cpp.
void SFPRenderThread(s_thread* task, void* record);
