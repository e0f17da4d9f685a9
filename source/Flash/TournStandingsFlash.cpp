#include "source/Flash/TournStandingsFlash.h"

#include <cstdio>
#include <iterator>

#include "source/Career/LeagueManager.h"

namespace {

constexpr u32 kTextPlace = 7136, kTextScore = 7137, kTextName = 7138, kTextWins = 7139, kTextHighGame = 7143,
              kTextEarnings = 7086;

// Sprites: the backdrop, six columns of a heading and eight rows, the back hint.
constexpr s32 kColumnRows = STANDING_ROWS + 1;
enum {
    kBackDrop,
    kPlace,
    kName = kPlace + kColumnRows,
    kWins = kName + kColumnRows,
    kHSG = kWins + kColumnRows,
    kScore = kHSG + kColumnRows,
    kEarnings = kScore + kColumnRows,
    kTxtBack = kEarnings + kColumnRows
};

SFP_SCREEN_LABEL_t s_Labels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},  {"Place0", 0, {}},    {"Place1", 0, {}},    {"Place2", 0, {}},
    {"Place3", 0, {}},    {"Place4", 0, {}},    {"Place5", 0, {}},    {"Place6", 0, {}},
    {"Place7", 0, {}},    {"Place8", 0, {}},    {"Name0", 0, {}},     {"Name1", 0, {}},
    {"Name2", 0, {}},     {"Name3", 0, {}},     {"Name4", 0, {}},     {"Name5", 0, {}},
    {"Name6", 0, {}},     {"Name7", 0, {}},     {"Name8", 0, {}},     {"Wins0", 0, {}},
    {"Wins1", 0, {}},     {"Wins2", 0, {}},     {"Wins3", 0, {}},     {"Wins4", 0, {}},
    {"Wins5", 0, {}},     {"Wins6", 0, {}},     {"Wins7", 0, {}},     {"Wins8", 0, {}},
    {"HSG0", 0, {}},      {"HSG1", 0, {}},      {"HSG2", 0, {}},      {"HSG3", 0, {}},
    {"HSG4", 0, {}},      {"HSG5", 0, {}},      {"HSG6", 0, {}},      {"HSG7", 0, {}},
    {"HSG8", 0, {}},      {"Score0", 0, {}},    {"Score1", 0, {}},    {"Score2", 0, {}},
    {"Score3", 0, {}},    {"Score4", 0, {}},    {"Score5", 0, {}},    {"Score6", 0, {}},
    {"Score7", 0, {}},    {"Score8", 0, {}},    {"Earnings0", 0, {}}, {"Earnings1", 0, {}},
    {"Earnings2", 0, {}}, {"Earnings3", 0, {}}, {"Earnings4", 0, {}}, {"Earnings5", 0, {}},
    {"Earnings6", 0, {}}, {"Earnings7", 0, {}}, {"Earnings8", 0, {}}, {"txtBack", 0, {}},
};

}  // namespace

SFP_SCREEN_INFO_t CareerTournStandingsFlashScreen = {
    .fileName = "TournSta",
    .subScreens = s_Labels,
    .Update = CCareerTournStandingsFlash::UpdateOwner,
    .numSpriteLookups = s32(std::size(s_Sprites)),
    .spriteLookups = s_Sprites,
};

CCareerTournStandingsFlash::CCareerTournStandingsFlash() {
    for (u32 row = 0; row < STANDING_ROWS; ++row) {
        std::snprintf(PlaceStrings[row], sizeof(PlaceStrings[row]), "%u", row + 1);
        for (char* text : {WinStrings[row], HSGStrings[row], ScoreStrings[row], EarningsStrings[row]})
            std::snprintf(text, sizeof(WinStrings[row]), "0");
    }
    if (pLeagueManager == nullptr)
        return;
    m_League = pLeagueManager->GetLeague();
    const s_PlaceBowler* rows[STANDING_ROWS];
    StandingRows(*m_League, rows, m_PlayerPos);
    for (u32 row = 0; row < STANDING_ROWS; ++row) {
        const s_PlaceBowler* bowler = rows[row];
        if (bowler == nullptr)
            continue;
        std::snprintf(PlaceStrings[row], sizeof(PlaceStrings[row]), "%u", bowler->Place);
        StandingName(NameStrings[row], sizeof(NameStrings[row]), bowler->UniqueID);
        std::snprintf(ScoreStrings[row], sizeof(ScoreStrings[row]), "%u", bowler->TotalAverageScore);
        std::snprintf(WinStrings[row], sizeof(WinStrings[row]), "%u", bowler->TournWins);
        std::snprintf(HSGStrings[row], sizeof(HSGStrings[row]), "%u", bowler->HighScore);
        std::snprintf(EarningsStrings[row], sizeof(EarningsStrings[row]), "$%u", bowler->Earnings);
    }
}

void CCareerTournStandingsFlash::Open() {
    if (!StandingOpen(m_iScreen, kTxtBack))
        return;
    StandingColumn(m_iScreen, kPlace, kTextPlace, PlaceStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kName, kTextName, NameStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kWins, kTextWins, WinStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kHSG, kTextHighGame, HSGStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kScore, kTextScore, ScoreStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kEarnings, kTextEarnings, EarningsStrings, m_PlayerPos);
    StandingOpened(eScreen_List_Career_TournStandings);
}

void CCareerTournStandingsFlash::Close() {
    StandingClose(m_iScreen);
}

void CCareerTournStandingsFlash::Update(SFP_SCREEN_INFO_t*) {
    StandingBack(SFP_SCREEN_NAV_NEXT);
}
