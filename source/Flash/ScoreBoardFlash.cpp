#include "source/Flash/ScoreBoardFlash.h"

#include <cstdio>

#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr u32 kTextContinue = 6911;  // string symbol
constexpr s32 kSfxAccept = s32(0x80001997u);

constexpr s32 kTxtPlayer = 0;  // sprite lookups: names, rows, column heads, continue, boxes
constexpr s32 kFrameRow = 4;
constexpr s32 kTxtFrame = 8;
constexpr s32 kTxtContinue = 18;
constexpr s32 kFirstBox = 19;
constexpr u32 kTenthFirstSlot = 27;
constexpr u32 kTenthTotalSlot = 30;
constexpr u32 kGameTotalSlot = 31;

s32 BoxSprite(u32 player, u32 slot) {
    return kFirstBox + s32(player * SCOREBOARD_SLOTS + slot);
}

// The sprite names, built once: the descriptor keeps pointers to them.
char s_Names[SCOREBOARD_NUM_SPRITES][16];
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[SCOREBOARD_NUM_SPRITES];

void NameSprites() {
    if (s_Sprites[0].name != nullptr)
        return;
    for (u32 p = 0; p < SCOREBOARD_PLAYERS; ++p) {
        std::snprintf(s_Names[kTxtPlayer + p], sizeof(s_Names[0]), "txtPlayer%u", p + 1);
        std::snprintf(s_Names[kFrameRow + p], sizeof(s_Names[0]), "Frame%u", p + 1);
        for (u32 slot = 0; slot < SCOREBOARD_SLOTS; ++slot) {
            char* name = s_Names[BoxSprite(p, slot)];
            const u32 frame = slot < kTenthFirstSlot ? slot / 3 : 9;
            const u32 box = slot < kTenthFirstSlot ? slot % 3 : slot - kTenthFirstSlot;
            if (slot == kGameTotalSlot)
                std::snprintf(name, sizeof(s_Names[0]), "txtTotal%u", p + 1);
            else
                std::snprintf(name, sizeof(s_Names[0]), "R%uTEXT%u%c", p + 1, frame + 1, char('A' + box));
        }
    }
    for (u32 f = 0; f < SCOREBOARD_FRAMES; ++f)
        std::snprintf(s_Names[kTxtFrame + f], sizeof(s_Names[0]), "txtFrame%u", f + 1);
    std::snprintf(s_Names[kTxtContinue], sizeof(s_Names[0]), "txtContinue");
    for (s32 i = 0; i < SCOREBOARD_NUM_SPRITES; ++i)
        s_Sprites[i].name = s_Names[i];
}

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};

void ScoreBoardUpdate(s32 handle, SFP_SCREEN_INFO_t*) {
    if (CScoreBoardFlash* owner = FlashOwner<CScoreBoardFlash>(handle))
        owner->Update();
}

bool IsTotalSlot(u32 slot) {
    return slot >= kTenthTotalSlot || (slot < kTenthFirstSlot && slot % 3 == 2);
}

}  // namespace

SFP_SCREEN_INFO_t scoreBoardFlashScreen = {
    .fileName = "ScoreBrd",
    .subScreens = s_Labels,
    .Update = ScoreBoardUpdate,
    .numSpriteLookups = SCOREBOARD_NUM_SPRITES,
    .spriteLookups = s_Sprites,
};

s32 CScoreBoardFlash::LoadPlayerScores() {
    NameSprites();
    m_iScreenPlayerScores = FlashLoad(scoreBoardFlashScreen, this);
    return m_iScreenPlayerScores != -1;
}

void CScoreBoardFlash::OpenPlayerScores() {
    const s32 screen = m_iScreenPlayerScores;
    if (SFP2KIsScreenActive(screen))
        return;
    FlashOpen(screen);
    const s32 players = g_GameSettings.m_Current.iNumPlayers;
    for (s32 p = 0; p < s32(SCOREBOARD_PLAYERS); ++p) {
        if (p < players)
            SFP2KSpriteSetText(screen, kTxtPlayer + p, g_Players[p].GetName());
        else
            SFP2KSpriteHide(screen, kFrameRow + p);
    }
    char head[4];
    for (u32 f = 0; f < SCOREBOARD_FRAMES; ++f) {
        std::snprintf(head, sizeof(head), "%u", f + 1);
        SFP2KSpriteSetText(screen, kTxtFrame + s32(f), head);
    }
    SFP2KSpriteSetText(screen, kTxtContinue, SymbolText(kTextContinue));
    UpdateScoreBoard();
    g_ScreenTracker.m_CurrScreen = eScreen_List_ScoreBoard;
}

void CScoreBoardFlash::ClosePlayerScores() {
    FlashClose(m_iScreenPlayerScores);
}

void CScoreBoardFlash::KillPlayerScores() {
    FlashKill(m_iScreenPlayerScores);
}

void CScoreBoardFlash::Update() {
    if (SFP2KButton(kButtonAccept, kNewPress) == 0)
        return;
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    FlashPlaySound(kSfxAccept);
}

void CScoreBoardFlash::UpdateScoreBoard() {
    const CScoreboard& scores = Physics.mScoreKeeper;
    for (u32 p = 0; p < SCOREBOARD_PLAYERS; ++p) {
        for (u32 f = 0; f < SCOREBOARD_FRAMES; ++f) {
            for (u32 b = 0; b < 3; ++b) {
                const u32 slot = f * 3 + b;
                const s32 value = scores.GetScoreVal(p, slot);
                // A strike of frames 1 to 9 shows in the frame's second box.
                if (value == SCORE_STRIKE && b == 0 && slot < kTenthFirstSlot) {
                    SFP2KSpriteSetText(m_iScreenPlayerScores, BoxSprite(p, slot), "");
                    SFP2KSpriteSetText(m_iScreenPlayerScores, BoxSprite(p, slot + 1), "X");
                    ++b;
                    continue;
                }
                SetScoreBox(BoxSprite(p, slot), value, slot);
            }
        }
        for (u32 slot : {kTenthTotalSlot, kGameTotalSlot})
            SetScoreBox(BoxSprite(p, slot), scores.GetScoreVal(p, slot), slot);
    }
}

void CScoreBoardFlash::ScoreBoxText(s32 value, u32 slot, char* out, u32 size) {
    const char* mark = value == SCORE_EMPTY    ? ""
                       : IsTotalSlot(slot)     ? nullptr
                       : value == SCORE_STRIKE ? "X"
                       : value == SCORE_SPARE  ? "/"
                       : value == 0            ? "-"
                                               : nullptr;
    if (mark != nullptr)
        std::snprintf(out, size, "%s", mark);
    else
        std::snprintf(out, size, "%d", value);
}

void CScoreBoardFlash::SetScoreBox(s32 sprite, s32 value, u32 slot) {
    char text[12];
    ScoreBoxText(value, slot, text, sizeof(text));
    SFP2KSpriteSetText(m_iScreenPlayerScores, sprite, text);
}
