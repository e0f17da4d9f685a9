#include "source/Flash/TournStandingsFlash.h"

#include <cstdio>
#include <iterator>

#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxClose = s32(0x80001999u);
constexpr u32 kTextBack = 6889, kTextPlace = 7136, kTextScore = 7137, kTextName = 7138, kTextWins = 7139,
              kTextHighGame = 7143, kTextEarnings = 7086;

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
    .Update = CareerTournStandingsFlashUpdate,
    .numSpriteLookups = s32(std::size(s_Sprites)),
    .spriteLookups = s_Sprites,
};

void CareerTournStandingsFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CCareerTournStandingsFlash* owner = FlashOwner<CCareerTournStandingsFlash>(handle))
        owner->Update(info);
}

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

CCareerTournStandingsFlash::~CCareerTournStandingsFlash() {
    Kill();
}

s32 CCareerTournStandingsFlash::Load() {
    m_iScreen = FlashLoad(CareerTournStandingsFlashScreen, this);
    return m_iScreen != -1;
}

void CCareerTournStandingsFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    SFP2KSpriteSetText(m_iScreen, kTxtBack, SymbolText(kTextBack));
    const struct {
        s32 column;
        u32 heading;
        const char (*rows)[12];
    } columns[] = {{kPlace, kTextPlace, PlaceStrings},
                   {kWins, kTextWins, WinStrings},
                   {kHSG, kTextHighGame, HSGStrings},
                   {kScore, kTextScore, ScoreStrings},
                   {kEarnings, kTextEarnings, EarningsStrings}};
    for (const auto& column : columns) {
        SFP2KSpriteSetText(m_iScreen, column.column, SymbolText(column.heading));
        for (u32 row = 0; row < STANDING_ROWS; ++row)
            SFP2KSpriteSetText(m_iScreen, column.column + 1 + s32(row), column.rows[row]);
    }
    SFP2KSpriteSetText(m_iScreen, kName, SymbolText(kTextName));
    for (u32 row = 0; row < STANDING_ROWS; ++row)
        SFP2KSpriteSetText(m_iScreen, kName + 1 + s32(row), NameStrings[row]);
    for (s32 column : {kPlace, kName, kWins, kHSG, kScore, kEarnings})
        for (s32 row = 0; row < s32(STANDING_ROWS); ++row)
            StandingColour(m_iScreen, column + 1 + row, row == m_PlayerPos);
    g_ScreenTracker.m_CurrScreen = eScreen_List_Career_TournStandings;
    FlashPlaySound(kSfxOpen);
}

void CCareerTournStandingsFlash::Close() {
    if (!FlashClose(m_iScreen))
        return;
    FlashPlaySound(kSfxClose);
}

void CCareerTournStandingsFlash::Kill() {
    FlashKill(m_iScreen);
}

void CCareerTournStandingsFlash::Update(SFP_SCREEN_INFO_t*) {
    if (SFP2KButton(kButtonBack, kNewPress)) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        FlashPlaySound(kSfxAccept);
    }
}
