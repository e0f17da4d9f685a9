#include "source/Hud/BowlingHud.h"

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Wad.h"
#include "source/AlleyNPCManager.h"
#include "source/GameSettings.h"
#include "source/Hud/HudInternal.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Objects/Object.h"

namespace {

// Before the screen movies (4500): the in-game screens and popups draw over it.
constexpr u32 kHudPriority = 4600;
// The HUD's sprites come with the other sprite sets; the level's HUD archive
// brings the in-game font.
constexpr const char* kSpriteWad = "SPRITES";
constexpr const char* kSpriteSet = "HUD";
// Where the oil view sits, as the oil-pattern briefing draws it.
constexpr f32 kOilX = 150.0f;
constexpr f32 kOilY = 150.0f;
constexpr f32 kOilW = 100.0f;
constexpr f32 kOilH = 208.0f;
constexpr f32 kOilBorder = 6.0f;
constexpr u32 kOilPanel = 0x000000C0;

struct HudResources {
    s_thread* task = nullptr;
    s_wad* spriteWad = nullptr;
    s_sprite_set* sprites = nullptr;
    s_font* font = nullptr;
};
HudResources Hud;

bool GameUnderWay(s32 state) {
    return state != LANE_STATE_IDLE && state != LANE_STATE_GAME_OVER;
}

void BowlingRenderThread(s_thread*, void*) {
    if (g_HUDDraw == 0 || Physics.bHUDEnabled == 0)
        return;
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    const LaneHudState& state = Physics.m_Hud;
    // The aim and the meters only while the bowler can throw: not while the game
    // is paused, nor once it has ended.
    const bool throwing = g_LevelIsPlaying != 0;
    if (state.showAim && throwing) {
        Physics.DrawGuideLine();
        HudDrawAimArrow(Hud.sprites, Physics);
    }
    if (state.showMeters && throwing)
        HudDrawMeters(Hud.sprites, state.power, state.spin);
    HudDrawPinWindow(Hud.sprites, state.standing);
    HudDrawScoreboard(Hud.font, Physics.mScoreKeeper, g_GameSettings.m_Current.iNumPlayers,
                      GameUnderWay(Physics.m_state) ? Physics.iCurrentBowler : -1);
    if (state.showOil) {
        HudFillRect(kOilX - kOilBorder, kOilY - kOilBorder, kOilW + 2 * kOilBorder, kOilH + 2 * kOilBorder,
                    kOilPanel);
        Physics.DrawOilPattern2D(kOilX, kOilY, kOilW, kOilH);
    }
    DrawSetFlatColor(0xFFFFFFFF);
}

}  // namespace

void BowlingHudStart() {
    if (Hud.task != nullptr)
        return;
    Hud.spriteWad = WadLoad(kSpriteWad, 0);
    Hud.sprites = SpriteLoad(kSpriteSet);
    // FontLoad makes the font current; the HUD sets its own before drawing text.
    Hud.font = FontLoad(ALLEY_HUD_FONT_WAD);
    Hud.task = ThreadInsertPriorityDebug("BowlingRenderThread", nullptr, nullptr, BowlingRenderThread,
                                         nullptr, kHudPriority);
}

void BowlingHudStop() {
    if (Hud.task != nullptr)
        ThreadKill(Hud.task);
    if (Hud.font != nullptr)
        FontFree(Hud.font);
    if (Hud.sprites != nullptr)
        SpriteFree(Hud.sprites);
    if (Hud.spriteWad != nullptr)
        WadFree(Hud.spriteWad);
    Hud = {};
}

void BowlingHudForget() {
    Hud = {};
}
