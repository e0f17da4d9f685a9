#include "source/Flash/CareerStatsFlash.h"

#include <cstdio>
#include <iterator>

#include "source/Career/CareerCharacter.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/CareerStandings.h"
#include "source/Flash/SymbolText.h"

namespace {

constexpr u32 kTextFirstLabel = 7240;
constexpr s32 kFirstLabel = 1, kFirstValue = 15, kTxtBack = 29;

SFP_SCREEN_LABEL_t s_Labels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}}, {"Label01", 0, {}}, {"Label02", 0, {}}, {"Label03", 0, {}}, {"Label04", 0, {}},
    {"Label05", 0, {}},  {"Label06", 0, {}}, {"Label07", 0, {}}, {"Label08", 0, {}}, {"Label09", 0, {}},
    {"Label10", 0, {}},  {"Label11", 0, {}}, {"Label12", 0, {}}, {"Label13", 0, {}}, {"Label14", 0, {}},
    {"Text01", 0, {}},   {"Text02", 0, {}},  {"Text03", 0, {}},  {"Text04", 0, {}},  {"Text05", 0, {}},
    {"Text06", 0, {}},   {"Text07", 0, {}},  {"Text08", 0, {}},  {"Text09", 0, {}},  {"Text10", 0, {}},
    {"Text11", 0, {}},   {"Text12", 0, {}},  {"Text13", 0, {}},  {"Text14", 0, {}},  {"txtBack", 0, {}},
};

}  // namespace

SFP_SCREEN_INFO_t CareerStatsFlashScreen = {
    .fileName = "Stats",
    .subScreens = s_Labels,
    .Update = CCareerStatsFlash::UpdateOwner,
    .numSpriteLookups = s32(std::size(s_Sprites)),
    .spriteLookups = s_Sprites,
};

CCareerStatsFlash::CCareerStatsFlash() {
    for (char* text : StatStrings)
        std::snprintf(text, CAREER_STAT_SIZE, "0");
}

void CCareerStatsFlash::Open() {
    if (!StandingOpen(m_iScreen, kTxtBack))
        return;
    CCareerCharacter& career = *CCareerCharacter::GetInstance();
    const s_Character_Stats& stats = career.GetStats();
    const s_PlaceBowler* standing =
        pLeagueManager != nullptr ? pLeagueManager->GetLeague()->GetBowlerByID(PLAYER_BOWLER_ID) : nullptr;
    const u32 wins = career.GetTotalWins(), rivalWins = career.GetRivalWins();
    // Losses are what the games leave beside the wins; a damaged save cannot make them wrap.
    const u32 losses = career.GetTotalGames() > wins ? career.GetTotalGames() - wins : 0;
    const u32 rivalLosses =
        career.GetRivalChallenges() > rivalWins ? career.GetRivalChallenges() - rivalWins : 0;
    char(&out)[CAREER_STAT_COUNT][CAREER_STAT_SIZE] = StatStrings;
    std::snprintf(out[0], CAREER_STAT_SIZE, "%u/%u", wins, losses);
    const u32 counters[] = {standing != nullptr ? standing->HighScore : 0u, career.GetChampionships(),
                            career.GetTotalTournamentWins(), stats.m_Tournament2nd, stats.m_Tournament3rd};
    for (u32 i = 0; i < std::size(counters); ++i)
        std::snprintf(out[1 + i], CAREER_STAT_SIZE, "%u", counters[i]);
    std::snprintf(out[6], CAREER_STAT_SIZE, "%u/%u", rivalWins, rivalLosses);
    const u32 throws[] = {career.Get6Packs(), career.GetTurkeys(), career.GetStrikes(),
                          career.GetSpares(), stats.m_Splits,      stats.m_Gutters};
    for (u32 i = 0; i < std::size(throws); ++i)
        std::snprintf(out[7 + i], CAREER_STAT_SIZE, "%u", throws[i]);
    std::snprintf(out[13], CAREER_STAT_SIZE, "$%u", career.GetTotalEarnings());
    for (u32 i = 0; i < CAREER_STAT_COUNT; ++i) {
        SFP2KSpriteSetText(m_iScreen, kFirstLabel + s32(i), SymbolText(kTextFirstLabel + i));
        SFP2KSpriteSetText(m_iScreen, kFirstValue + s32(i), StatStrings[i]);
    }
    StandingOpened(eScreen_List_Stats);
}

void CCareerStatsFlash::Close() {
    StandingClose(m_iScreen);
}

void CCareerStatsFlash::Update(SFP_SCREEN_INFO_t*) {
    StandingBack(SFP_SCREEN_NAV_PREVIOUS);
}
