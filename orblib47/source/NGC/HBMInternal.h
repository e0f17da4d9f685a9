// The HOME-button menu's files as the library reads them (docs/homebutton.md), and
// its state in the work memory.
#pragma once

#include "orblib47/source/NGC/HBM.h"
#include "orblib47/source/OrbTypes.h"

struct s_font;
struct s_texture;

// ---- HBMAssets.cpp: the parsers; none trusts its file.

enum e_hbm_text : u32 {
    HBM_TEXT_TITLE = 0,
    HBM_TEXT_BACK = 1,
    HBM_TEXT_RESET = 2,
    HBM_TEXT_MENU = 3,
    HBM_TEXT_COUNT = 4,
};
constexpr u32 HBM_TEXT_SIZE = 48;  // terminator included
constexpr u32 HBM_LANGUAGES = 7;   // the columns after the key: SC_LANG_JAPANESE .. SC_LANG_DUTCH

struct s_hbm_texts {
    char text[HBM_TEXT_COUNT][HBM_TEXT_SIZE];
};
// The built-in English texts.
s_hbm_texts HBMDefaultTexts();
// Each known row's text in the language's column, or in English where that column
// is empty or the language unknown; rows the file lacks keep what `out` holds.
// False for a file that is not the texts' table.
bool HBMParseTexts(const void* data, u32 size, s32 language, s_hbm_texts* out);

struct s_hbm_config {
    s32 blackoutFrames = 30;  // frames of HBMStartBlackOut's fade
    s32 volume = 100;         // percent, of the menu's sounds
};
// Known keys within their ranges overwrite `out`; false (leaving the rest) at the
// first line that is not KEY=NUMBER or whose number is out of range.
bool HBMParseConfig(const void* data, u32 size, s_hbm_config* out);

struct s_hbm_rect {
    s32 x, y, w, h;
};

enum e_hbm_cell : u32 {
    HBM_CELL_PANEL = 0,
    HBM_CELL_FACE = 1,
    HBM_CELL_EDGE = 2,
    HBM_CELL_GLOW = 3,
    HBM_CELL_RULE = 4,
    HBM_CELL_COUNT = 5,
};

// A chunk of the layout archive: its stored bytes.
struct s_hbm_chunk {
    const u8* data = nullptr;
    u32 stored = 0;  // bytes in the file
    u32 size = 0;    // bytes once expanded
    bool compressed = false;
    char name[17] = {};
};

struct s_hbm_layout {
    s_hbm_rect panel;                  // on the 640 x 448 stage
    s32 buttonW, buttonH;              // the buttons, centred on the panel
    s32 buttonGap;                     // between buttons
    s32 firstButtonY;                  // the first button's top
    s32 titleY;                        // the title's top
    s32 ruleY;                         // the rule under the title
    s_hbm_rect cells[HBM_CELL_COUNT];  // in the skin's texels
    s_hbm_chunk skin;                  // "TIM": the panel, face, edge, glow and rule images
    s_hbm_chunk fontTexture;           // "TIM": the font's glyph sheet
    s_hbm_chunk font;                  // "FNT"
};
// The archive's chunks and layout values, every count and range checked; the
// cells are checked against the skin once it is loaded. False with the reason in
// `why`.
bool HBMParseLayout(const void* data, u32 size, s_hbm_layout* out, const char** why);

// ---- HBM.cpp: the menu's state, in the work memory.

struct s_hbm {
    s_hbm_layout layout;
    s_hbm_texts texts;
    s_hbm_config config;
    s_texture* skin;
    s_texture* fontTexture;
    s_font* font;
    s32 current;  // the current button, 0..2
    s32 selected;
    s32 pressFrames;  // frames the chosen button shows pressed before the menu closes
    s32 blackout;     // frames of the black-out fade run (0: none)
    s32 adjust;
    s32 soundRequest;  // the bank's sound to play at the next HBMUpdateSound, -1 none
    s32 frames;        // since HBMInit, for the glow's breathing
    s_Vector2 adjustScale;
};
constexpr s32 HBM_BUTTONS = 3;
constexpr s32 HBM_PRESS_FRAMES = 8;

// ---- HBMDraw.cpp
void HBMDrawMenu(const s_hbm& menu);
