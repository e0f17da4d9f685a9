#include "source/Flash/LeagueStandingsFlash.h"

#include <cstdio>
#include <iterator>

#include "source/Career/CareerCharacter.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashSound.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr u32 kTextPlace = 7136, kTextScore = 7137, kTextName = 7138, kTextWins = 7139, kTextLosses = 7140,
              kTextWinRate = 7141, kTextHighGame = 7143;

// Sprites: the backdrop, ten columns of a heading and ten rows, the back hint.
constexpr s32 kColumnRows = 11;
enum {
    kBackDrop,
    kPlace,
    kId = kPlace + kColumnRows,
    kName = kId + kColumnRows,
    kWins = kName + kColumnRows,
    kLoss = kWins + kColumnRows,
    kWinP = kLoss + kColumnRows,
    kHSG = kWinP + kColumnRows,
    kHSS = kHSG + kColumnRows,
    kScore = kHSS + kColumnRows,
    kPins = kScore + kColumnRows,
    kTxtBack = kPins + kColumnRows,
};

SFP_SCREEN_LABEL_t s_Labels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}}, {"Place0", 0, {}},  {"Place1", 0, {}}, {"Place2", 0, {}}, {"Place3", 0, {}},
    {"Place4", 0, {}},   {"Place5", 0, {}},  {"Place6", 0, {}}, {"Place7", 0, {}}, {"Place8", 0, {}},
    {"Place9", 0, {}},   {"Place10", 0, {}}, {"Id0", 0, {}},    {"Id1", 0, {}},    {"Id2", 0, {}},
    {"Id3", 0, {}},      {"Id4", 0, {}},     {"Id5", 0, {}},    {"Id6", 0, {}},    {"Id7", 0, {}},
    {"Id8", 0, {}},      {"Id9", 0, {}},     {"Id10", 0, {}},   {"Name0", 0, {}},  {"Name1", 0, {}},
    {"Name2", 0, {}},    {"Name3", 0, {}},   {"Name4", 0, {}},  {"Name5", 0, {}},  {"Name6", 0, {}},
    {"Name7", 0, {}},    {"Name8", 0, {}},   {"Name9", 0, {}},  {"Name10", 0, {}}, {"Wins0", 0, {}},
    {"Wins1", 0, {}},    {"Wins2", 0, {}},   {"Wins3", 0, {}},  {"Wins4", 0, {}},  {"Wins5", 0, {}},
    {"Wins6", 0, {}},    {"Wins7", 0, {}},   {"Wins8", 0, {}},  {"Wins9", 0, {}},  {"Wins10", 0, {}},
    {"Loss0", 0, {}},    {"Loss1", 0, {}},   {"Loss2", 0, {}},  {"Loss3", 0, {}},  {"Loss4", 0, {}},
    {"Loss5", 0, {}},    {"Loss6", 0, {}},   {"Loss7", 0, {}},  {"Loss8", 0, {}},  {"Loss9", 0, {}},
    {"Loss10", 0, {}},   {"WinP0", 0, {}},   {"WinP1", 0, {}},  {"WinP2", 0, {}},  {"WinP3", 0, {}},
    {"WinP4", 0, {}},    {"WinP5", 0, {}},   {"WinP6", 0, {}},  {"WinP7", 0, {}},  {"WinP8", 0, {}},
    {"WinP9", 0, {}},    {"WinP10", 0, {}},  {"HSG0", 0, {}},   {"HSG1", 0, {}},   {"HSG2", 0, {}},
    {"HSG3", 0, {}},     {"HSG4", 0, {}},    {"HSG5", 0, {}},   {"HSG6", 0, {}},   {"HSG7", 0, {}},
    {"HSG8", 0, {}},     {"HSG9", 0, {}},    {"HSG10", 0, {}},  {"HSS0", 0, {}},   {"HSS1", 0, {}},
    {"HSS2", 0, {}},     {"HSS3", 0, {}},    {"HSS4", 0, {}},   {"HSS5", 0, {}},   {"HSS6", 0, {}},
    {"HSS7", 0, {}},     {"HSS8", 0, {}},    {"HSS9", 0, {}},   {"HSS10", 0, {}},  {"Score0", 0, {}},
    {"Score1", 0, {}},   {"Score2", 0, {}},  {"Score3", 0, {}}, {"Score4", 0, {}}, {"Score5", 0, {}},
    {"Score6", 0, {}},   {"Score7", 0, {}},  {"Score8", 0, {}}, {"Score9", 0, {}}, {"Score10", 0, {}},
    {"Pins0", 0, {}},    {"Pins1", 0, {}},   {"Pins2", 0, {}},  {"Pins3", 0, {}},  {"Pins4", 0, {}},
    {"Pins5", 0, {}},    {"Pins6", 0, {}},   {"Pins7", 0, {}},  {"Pins8", 0, {}},  {"Pins9", 0, {}},
    {"Pins10", 0, {}},   {"txtBack", 0, {}},
};

// Wins over games to three places; 1.000 from just under it, 0.000 without games.
double WinRate(const s_PlaceBowler& bowler) {
    if (bowler.GameWins == 0 || bowler.TotalGames == 0)
        return 0.0;
    const double rate = double(bowler.GameWins) / double(bowler.TotalGames);
    return rate > 0.999 ? 1.0 : rate;
}

}  // namespace

SFP_SCREEN_INFO_t CareerLeagueStandingsFlashScreen = {
    .fileName = "LeagStan",
    .subScreens = s_Labels,
    .Update = CCareerLeagueStandingsFlash::UpdateOwner,
    .numSpriteLookups = s32(std::size(s_Sprites)),
    .spriteLookups = s_Sprites,
};

CCareerLeagueStandingsFlash::CCareerLeagueStandingsFlash() {
    for (u32 row = 0; row < STANDING_ROWS; ++row) {
        std::snprintf(PlaceStrings[row], sizeof(PlaceStrings[row]), "%u", row + 1);
        for (char* text :
             {WinStrings[row], LossStrings[row], WinPStrings[row], HSGStrings[row], ScoreStrings[row]})
            std::snprintf(text, sizeof(WinStrings[row]), "0");
    }
    if (pLeagueManager == nullptr)
        return;
    m_League = pLeagueManager->GetLeague();
    const s_PlaceBowler* rows[STANDING_ROWS];
    StandingRows(*m_League, rows, m_PlayerPos);
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    for (u32 row = 0; row < STANDING_ROWS; ++row) {
        const s_PlaceBowler* bowler = rows[row];
        if (bowler == nullptr)
            continue;
        // Among the eight the player's wins are the career's.
        const bool careerWins =
            bowler->UniqueID == PLAYER_BOWLER_ID && bowler->Place <= STANDING_ROWS && career != nullptr;
        std::snprintf(PlaceStrings[row], sizeof(PlaceStrings[row]), "%u", bowler->Place);
        std::snprintf(ScoreStrings[row], sizeof(ScoreStrings[row]), "%u", bowler->TotalAverageScore);
        StandingName(NameStrings[row], sizeof(NameStrings[row]), bowler->UniqueID);
        std::snprintf(WinStrings[row], sizeof(WinStrings[row]), "%u",
                      careerWins ? career->GetTotalWins() : bowler->GameWins);
        std::snprintf(LossStrings[row], sizeof(LossStrings[row]), "%u",
                      bowler->TotalGames - bowler->GameWins);
        std::snprintf(WinPStrings[row], sizeof(WinPStrings[row]), "%.3f", WinRate(*bowler));
        std::snprintf(HSGStrings[row], sizeof(HSGStrings[row]), "%u", bowler->HighScore);
    }
}

void CCareerLeagueStandingsFlash::Open() {
    if (!StandingOpen(m_iScreen, kTxtBack))
        return;
    StandingColumn(m_iScreen, kPlace, kTextPlace, PlaceStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kName, kTextName, NameStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kScore, kTextScore, ScoreStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kWins, kTextWins, WinStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kLoss, kTextLosses, LossStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kWinP, kTextWinRate, WinPStrings, m_PlayerPos);
    StandingColumn(m_iScreen, kHSG, kTextHighGame, HSGStrings, m_PlayerPos);
    StandingOpened(eScreen_List_League_Standings);
}

void CCareerLeagueStandingsFlash::Close() {
    StandingClose(m_iScreen);
}

void CCareerLeagueStandingsFlash::Update(SFP_SCREEN_INFO_t*) {
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        // The league's own matters (quitting it) are one press away from its table.
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        g_ScreenTracker.m_NextScreen = eScreen_List_League_Management;
        FlashPlaySound(kSfxAccept);
    } else {
        StandingBack(SFP_SCREEN_NAV_NEXT);
    }
}
