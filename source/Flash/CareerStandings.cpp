#include "source/Flash/CareerStandings.h"

#include <cstdio>

#include "source/Career/CareerCharacter.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/StateMgrs/CareerPlayers.h"

namespace {

constexpr u8 kPlayerColour[4] = {255, 153, 0, 255};
constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxClose = s32(0x80001999u);
constexpr u32 kTextBack = 6889;

}  // namespace

void StandingName(char* out, u32 size, s16 id) {
    const char* name = "";
    if (id == PLAYER_BOWLER_ID) {
        if (CCareerCharacter* career = CCareerCharacter::GetInstance())
            name = career->GetName();
    } else if (const s_DBBowler* bowler = id != 0 ? FindDbBowler(id) : nullptr) {
        name = bowler->m_LastName != nullptr ? bowler->m_LastName : "";
    }
    std::snprintf(out, size, "%s", name);
}

void StandingColour(s32 screen, s32 sprite, bool player) {
    if (player)
        SFP2KSpriteSetColor(screen, sprite, kPlayerColour[0], kPlayerColour[1], kPlayerColour[2],
                            kPlayerColour[3]);
    else
        SFP2KSpriteSetColor(screen, sprite, 255, 255, 255, 255);
}

void StandingRows(CLeague& league, const s_PlaceBowler* rows[STANDING_ROWS], s32& playerRow) {
    playerRow = -1;
    for (u32 row = 0; row < STANDING_ROWS; ++row) {
        rows[row] = league.GetBowlerByPlace(row + 1);
        if (rows[row] != nullptr && rows[row]->UniqueID == PLAYER_BOWLER_ID)
            playerRow = s32(row);
    }
    const s_PlaceBowler* player = league.GetBowlerByID(PLAYER_BOWLER_ID);
    if (playerRow == -1 && player != nullptr) {
        playerRow = STANDING_ROWS - 1;
        rows[playerRow] = player;
    }
}

bool StandingOpen(s32 screen, s32 backSprite) {
    if (!FlashOpenOnce(screen))
        return false;
    SFP2KSpriteSetText(screen, backSprite, SymbolText(kTextBack));
    return true;
}

void StandingOpened(eScreen_List current) {
    g_ScreenTracker.m_CurrScreen = current;
    FlashPlaySound(kSfxOpen);
}

void StandingClose(s32 screen) {
    if (FlashClose(screen))
        FlashPlaySound(kSfxClose);
}

bool StandingBack(eScreenNavigation nav) {
    if (!SFP2KButton(kButtonBack, kNewPress))
        return false;
    g_ScreenTracker.m_ScreenNav = nav;
    FlashPlaySound(kSfxAccept);
    return true;
}
