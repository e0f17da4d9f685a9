// The screen-movie player: every menu, popup and in-game screen of the front end
// is a movie (docs/screenmovies.md) loaded into one of 256 screen slots, put on the
// player's stack by its screen class, advanced by "SFP2KUpdateThread" and drawn by
// "SFP2KRenderThread". Every call taking a screen id or a sprite index does
// nothing (and answers 0 or null) when it is out of range or not loaded.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_wad;
struct s_font;
struct SFP_SCREEN_INFO_t;

constexpr s32 SFP2K_MAX_SCREENS = 256;
constexpr u32 SFP2K_FONT_NAME_LEN = 32;
constexpr u32 SFP2K_MAX_SPRITE_INSTANCES = 16;  // instances one sprite lookup can hold
constexpr s32 SFP2K_NUM_BUTTON_IDS = 19;

// Sub-screen states: how the segment of a sub-screen plays. The segment runs from
// its label's frame to the frame before the next label (or the end of the movie).
constexpr s32 SFP_SUBSCREEN_HOLD = 0;  // play it and stop on its last frame
constexpr s32 SFP_SUBSCREEN_NEXT = 1;  // play it, then loop the next sub-screen's segment
constexpr s32 SFP_SUBSCREEN_LOOP = 2;  // play it over and over
constexpr s32 SFP_SUBSCREEN_EXIT = 3;  // play it, then the screen leaves the stack

// The sub-screens every screen's labels begin with.
constexpr s32 SFP_LABEL_TRANS_IN = 0;
constexpr s32 SFP_LABEL_IDLE = 1;
constexpr s32 SFP_LABEL_TRANS_OUT = 2;

// Screen button ids: rows of g_SFPButtonLookup. A list's cursor reads the pad's
// up and down as previous and next, a setting's left and right as decrease and increase.
constexpr s32 kButtonAccept = 0;
constexpr s32 kButtonBack = 1;
constexpr s32 kButtonAcceptBack = 4;  // A and B together: needs every bit of its mask
constexpr s32 kButtonUp = 6, kButtonPrevious = kButtonUp;
constexpr s32 kButtonDown = 7, kButtonNext = kButtonDown;
constexpr s32 kButtonLeft = 8, kButtonDecrease = kButtonLeft;
constexpr s32 kButtonRight = 9, kButtonIncrease = kButtonRight;
constexpr s32 kButtonReset = 14;
constexpr s32 kButtonAny = 18;

// SFP2KButton's press modes: held, repeating, newly pressed, let go.
constexpr s32 kHeld = 0;
constexpr s32 kRepeat = 1;
constexpr s32 kNewPress = 2;
constexpr s32 kReleased = 3;

// SFP2KSpritePlay flags.
constexpr u32 SFP_PLAY_LOOP = 0x10;     // start again after the last frame
constexpr u32 SFP_PLAY_RESTART = 0x20;  // start from frame 0

using SFPScreenFunc = void (*)(s32 screenId, SFP_SCREEN_INFO_t* info);
using SFPScreenDrawFunc = void (*)(s32 screenId, SFP_SCREEN_INFO_t* info, char* name);

struct SFP_SCREEN_LABEL_t {
    const char* name;
    s32 frame;  // filled by the player when the movie loads; -1 when the movie lacks it
};

struct SFP_SCREEN_SPRITE_LOOKUP_t {
    const char* name;
    s32 numInstances;                             // filled by the player
    s32 instanceIds[SFP2K_MAX_SPRITE_INSTANCES];  // filled by the player
};

// SFP_SCREEN_BTN_t::flags, kept by the player.
constexpr u32 SFP_BUTTON_DOWN = 0x1;      // pressed (SFP2KSetButtonDown)
constexpr u32 SFP_BUTTON_RELEASED = 0x2;  // pressed, then let go

struct SFP_SCREEN_BTN_t {
    const char* name;
    u32 flags;
};

// The static descriptor of one screen layer; the screen classes fill the fields
// up to `localsSize`, the player fills the rest when the movie loads. A screen's
// descriptor names only the fields that differ from these.
struct SFP_SCREEN_INFO_t {
    const char* fileName = nullptr;  // base name of the ".sfp"/".sfc" files in the root folder
    s32 screenAlign = 1;             // 1: the movie is centred on the screen; 0: at its top-left
    s32 numButtons = 0;
    s32 curButton = 0;
    s32 numSubScreens = 3;  // "TransIn", "Idle", "TransOut"
    SFP_SCREEN_LABEL_t* subScreens = nullptr;
    SFPScreenFunc Open = nullptr;   // when the screen goes on the stack
    SFPScreenFunc Close = nullptr;  // when it leaves the stack
    SFPScreenFunc Update = nullptr;
    SFPScreenDrawFunc Draw = nullptr;  // after the movie's objects, with the current label's name
    s32 numSpriteLookups = 0;
    SFP_SCREEN_SPRITE_LOOKUP_t* spriteLookups = nullptr;
    s32 renderBackdrop = 0;     // draw the player's backdrop behind the movie
    s32 pauseLowerScreens = 0;  // screens below stand still while this one is up
    s32 userData = 0;
    SFP_SCREEN_BTN_t* buttons = nullptr;
    s32 localsSize = 4;
};

struct SFP_FONT_LOOKUP_t {
    char movieFontName[SFP2K_FONT_NAME_LEN];
    char wadName[SFP2K_FONT_NAME_LEN];
    char fontName[SFP2K_FONT_NAME_LEN];
    s_wad* wad;    // filled by the player
    s_font* font;  // filled by the player
    s32 refCount;  // filled by the player
};

extern s32 g_SFP2KDisable;                                 // non-zero: no update, no drawing
extern s32 g_BlockPadInput;                                // non-zero: SFP2KButton reports nothing
extern const u32 g_SFPButtonLookup[SFP2K_NUM_BUTTON_IDS];  // pad masks of the screen button ids

// Start-up and shutdown.
void SFP2KInit(SFP_FONT_LOOKUP_t* pFonts, s32 numFonts);
void SFP2KKill();
void SFP2KSetFlashFileRootPath(const char* rootPath);
// The game's reset steps: start-up values, and forgetting what lived in the
// engine's heap and task list after their warm reset.
void SFP2KColdReset();
void SFP2KForget();

// Screens.
s32 SFP2KLoadScreen(SFP_SCREEN_INFO_t* pScreenInfo, s32 userData, s32 loadImmediately);
void* SFP2KGetLocals(s32 screenId);
void SFP2KOpenScreen(s32 screenId, s32 subScreen, s32 subScreenState, s32 nextSubScreen);
void SFP2KTransitionToSubScreen(s32 screenId, s32 subScreen, s32 subScreenState, s32 nextSubScreen);
void SFP2KCloseScreen(s32 screenId, s32 subScreen, s32 subScreenState);
void SFP2KKillScreen(s32 screenId);
s32 SFP2KIsScreenActive(s32 screenId);
SFP_SCREEN_INFO_t* SFP2KGetScreenInfo(s32 screenId);
// The current frame of the screen's root timeline; 0 for a bad id.
u32 SFP2KGetCurFrame(s32 screenId);

// Pad buttons and movie buttons.
s32 SFP2KButton(s32 button, s32 type);
s32 SFP2KButtonIsDown(s32 screenId, s32 buttonId);
void SFP2KSetButtonDown(s32 screenId, s32 buttonId, s32 bDown);
void SFP2KClearButtonDown(s32 screenId, s32 buttonId);
void SFP2KGenericButtonHandlerUpDown(SFP_SCREEN_INFO_t* pScreenInfo, s32 sfxTagId);

// Sprites: index `spriteId` of the descriptor's sprite lookups, all its instances.
void SFP2KSpriteSetText(s32 screenId, s32 spriteId, const char* text);
void SFP2KSpriteShow(s32 screenId, s32 spriteId);
void SFP2KSpriteHide(s32 screenId, s32 spriteId);
void SFP2KSpritePlay(s32 screenId, s32 spriteId, u32 flags);
void SFP2KSpritePause(s32 screenId, s32 spriteId);
void SFP2KSpriteSetFrame(s32 screenId, s32 spriteId, s32 frameNum);
void SFP2KSpriteSetColor(s32 screenId, s32 spriteId, u8 r, u8 g, u8 b, u8 a);

// Player settings; each returns the previous setting.
s32 SFP2KEnableFrameSkip(s32 enable);
s32 SFP2KEnableRender(s32 enable);
