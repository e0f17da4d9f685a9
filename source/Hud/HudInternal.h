// The parts of the lane's HUD, each drawn by the HUD task in 2-D screen pixels
// (640 x 448) with the in-game font and the sprite set HUD.
#pragma once

#include "orblib47/source/Font.h"
#include "orblib47/source/Sprite.h"
#include "source/Physics/LaneManager.h"

// Cells of the sprite set HUD, in the order of data/sprites/HUD.txt.
enum e_HudSprite : s32 {
    HUD_SPRITE_POWERFRAME,
    HUD_SPRITE_POWERFILL,
    HUD_SPRITE_SPINTRACK,
    HUD_SPRITE_SPINMARK,
    HUD_SPRITE_AIMARROW,
    HUD_SPRITE_PINUP,
    HUD_SPRITE_PINDOWN,
};

// HudPanel.cpp: flat 2-D drawing shared by the parts.
void HudFillRect(f32 x, f32 y, f32 w, f32 h, u32 rgba);
void HudOutlineRect(f32 x, f32 y, f32 w, f32 h, u32 rgba);
void HudSprite(const s_sprite_set* sprites, e_HudSprite cell, f32 x, f32 y, f32 w, f32 h);
// Text centred on x, its line centred on y, narrowed to at most maxWidth; nothing
// without a font.
void HudTextCentred(s_font* font, const char* text, f32 x, f32 y, u32 rgba, f32 maxWidth);

// HudMeters.cpp: the power and spin meters, and the pin window.
void HudDrawMeters(const s_sprite_set* sprites, f32 power, f32 spin);
void HudDrawPinWindow(const s_sprite_set* sprites, PinMask standing);

// HudScoreboard.cpp: a row per player, the bowler up highlighted (-1: nobody).
void HudDrawScoreboard(s_font* font, const CScoreboard& scores, s32 players, s32 bowlerUp);

// GuideLine.cpp: the aim arrow where the guide line crosses the arrows.
void HudDrawAimArrow(const s_sprite_set* sprites, const CLaneManager& lane);
