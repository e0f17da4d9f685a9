#include "source/StateMgrs/CareerPlayers.h"

#include <cstdio>

#include "source/Career/CareerCharacter.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/SymbolText.h"
#include "source/Players/Player.h"

namespace {

constexpr u32 kTextRivalChallenge = 7268;

// The ball of an equipment slot: the database item, or `empty` for none.
const s_DBItem* Ball(s32 index, const s_DBItem* empty) {
    const s_DBItem* item = index != -1 ? FindDbItem(index) : nullptr;
    return index == -1 ? empty : item;
}

}  // namespace

const s_DBBowler* FindDbBowler(s32 id) {
    for (u32 i = 0; bowlersList != nullptr && i < uDBBowlerCount; ++i)
        if (bowlersList[i].m_ID == id)
            return &bowlersList[i];
    return nullptr;
}

const s_DBRival* FindDbRival(s32 id) {
    for (u32 i = 0; RivalList != nullptr && i < RivalCount; ++i)
        if (RivalList[i].m_ID == id)
            return &RivalList[i];
    return nullptr;
}

void CareerSetUpBowler(CPlayer& player) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career == nullptr)
        return;
    player.SetName(career->GetName());
    const s_Character_Stats& stats = career->GetStats();
    player.setStats(u8(stats.m_ArmStrength), u8(stats.m_Accuracy), u8(stats.m_HookControl),
                    u8(stats.m_Stamina), player.m_PlayerConstruction.m_CharacterAttributes.hand);
    player.bIsHumanPlayer = 1;
    const s_DBItem* first = ItemsList != nullptr && uDBItemCount > 0 ? &ItemsList[0] : nullptr;
    const s_Character_Equipment& worn = *career->GetEquipment();
    player.m_Balls[0] = Ball(worn.Ball1, first);
    player.m_Balls[1] = Ball(worn.Ball2, first);
}

void CareerSetUpOpponent(CPlayer& player, const s_DBBowler& bowler) {
    char name[sizeof(player.m_Name)];
    std::snprintf(name, sizeof(name), "%s %s", bowler.m_FirstName ? bowler.m_FirstName : "",
                  bowler.m_LastName ? bowler.m_LastName : "");
    player.SetName(name);
    player.bIsHumanPlayer = 0;
    player.setStats(bowler.m_uStrength, bowler.m_uAccuracy, bowler.m_uHookControl, bowler.m_uStamina,
                    bowler.m_uHand);
    player.m_PlayerConstruction.SetAttributes(&bowler);
    player.m_Balls[0] = FindDbItem(bowler.m_uPrimaryBall);
    player.m_Balls[1] = FindDbItem(bowler.m_uSecondaryBall);
}

bool RivalPopupText(char* out, u32 size, s16 opponent) {
    const s_DBBowler* bowler = FindDbBowler(opponent);
    const s_DBRival* rival = FindDbRival(opponent);
    const s_PlaceBowler* standing =
        pLeagueManager != nullptr ? pLeagueManager->GetLeague()->GetBowlerByID(opponent) : nullptr;
    if (bowler == nullptr || rival == nullptr || standing == nullptr)
        return false;
    const char* name = bowler->m_FirstName != nullptr ? bowler->m_FirstName : "";
    SymbolTextFormat(out, size, kTextRivalChallenge, name, name, s32(standing->TotalAverageScore),
                     s32(rival->m_VictoryReputationBonus), s32(rival->m_LossReputationPenalty), name);
    return true;
}
