#include "source/Flash/TournLadderFlash.h"

#include <iterator>

#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/CareerStandings.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"

namespace {

constexpr s32 kSfxMove = s32(0x80001998u);
constexpr u32 kTextBack = 6889, kTextWinner = 7087;

constexpr s32 kSubScreenDown = 3, kSubScreenUp = 4;
constexpr u8 kFirstNarrowRound = 3;  // from the semi-finals the bracket shows its last four
constexpr u8 kFinal = TOURNAMENT_ROUNDS - 1;

// Sprites: 1..20 the bracket's entries "TxtL01A", "TxtL01B" .. "TxtL10B".
enum {
    kBackDrop,
    kFirstEntry,
    kEntries = 20,
    kTxtLWinner = kFirstEntry + kEntries,
    kTxtBack,
    kFirstLN,
    kLadderFull = kFirstLN + 12,
    kLadderPartial,
    kLineUp,
    kLineDown,
    kArrowUpOn,
    kArrowUpOff,
    kArrowDownOn,
    kArrowDownOff,
    kUpArrow,
    kDownArrow,
};
// Entries of the bracket: the page's eight, the empty later rounds, the last four, the final.
constexpr u32 kLastFour = 14, kFinalists = 18;

SFP_SCREEN_LABEL_t s_BGLabels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_LABEL_t s_Labels[5] = {
    {"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}, {"TransDown", 0}, {"TransUp", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},      {"TxtL01A", 0, {}},     {"TxtL01B", 0, {}},      {"TxtL02A", 0, {}},
    {"TxtL02B", 0, {}},       {"TxtL03A", 0, {}},     {"TxtL03B", 0, {}},      {"TxtL04A", 0, {}},
    {"TxtL04B", 0, {}},       {"TxtL05A", 0, {}},     {"TxtL05B", 0, {}},      {"TxtL06A", 0, {}},
    {"TxtL06B", 0, {}},       {"TxtL07A", 0, {}},     {"TxtL07B", 0, {}},      {"TxtL08A", 0, {}},
    {"TxtL08B", 0, {}},       {"TxtL09A", 0, {}},     {"TxtL09B", 0, {}},      {"TxtL10A", 0, {}},
    {"TxtL10B", 0, {}},       {"TxtLWinner", 0, {}},  {"TxtBack", 0, {}},      {"TxtLN01", 0, {}},
    {"TxtLN02", 0, {}},       {"TxtLN03", 0, {}},     {"TxtLN04", 0, {}},      {"TxtLN05", 0, {}},
    {"TxtLN06", 0, {}},       {"TxtLN07", 0, {}},     {"TxtLN08", 0, {}},      {"TxtLN09", 0, {}},
    {"TxtLN10", 0, {}},       {"TxtLN11", 0, {}},     {"TxtLN12", 0, {}},      {"LadderFull", 0, {}},
    {"LadderPartial", 0, {}}, {"LineUp", 0, {}},      {"LineDown", 0, {}},     {"ArrowUpOn", 0, {}},
    {"ArrowUpoff", 0, {}},    {"ArrowDownOn", 0, {}}, {"ArrowDownOff", 0, {}}, {"UpArrow", 0, {}},
    {"DownArrow", 0, {}},
};

void Show(s32 screen, s32 sprite, bool show) {
    if (show)
        SFP2KSpriteShow(screen, sprite);
    else
        SFP2KSpriteHide(screen, sprite);
}

}  // namespace

SFP_SCREEN_INFO_t CareerTournLadderFlashScreen[2] = {
    {
        .fileName = "MenuBG",
        .subScreens = s_BGLabels,
    },
    {
        .fileName = "Ladder",
        .numSubScreens = s32(std::size(s_Labels)),
        .subScreens = s_Labels,
        .Update = CCareerTournLadderFlash::UpdateOwner,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
    },
};

void CCareerTournLadderFlash::Open() {
    if (m_iScreen == -1)
        return;
    SFP2KSpriteSetText(m_iScreen, kTxtBack, SymbolText(kTextBack));
    if (!SFP2KIsScreenActive(m_iScreen))
        FlashOpen(m_iScreen);
    const u8 round = pEventManager != nullptr ? pEventManager->m_CurrentRound : 0;
    Show(m_iScreen, kLadderFull, round < kFirstNarrowRound);
    Show(m_iScreen, kLadderPartial, round >= kFirstNarrowRound);
    Scrollable = round < kFirstNarrowRound;
    // Eight places a page: 32, 16 and then 8 or fewer in the bracket.
    m_MaxPage = round < kFirstNarrowRound ? TournamentLadder::Places(round) / LADDER_PAGE_ROWS - 1 : 0;
    m_Current_Page = 0;
    ShowPageArrows();
    WriteNames(round);
    StandingOpened(eScreen_List_League_Standings);
}

void CCareerTournLadderFlash::Close() {
    StandingClose(m_iScreen);
}

void CCareerTournLadderFlash::ShowPageArrows() {
    const bool up = m_Current_Page > 0, down = m_Current_Page < m_MaxPage;
    Show(m_iScreen, kUpArrow, up);
    Show(m_iScreen, kLineUp, up);
    Show(m_iScreen, kDownArrow, down);
    Show(m_iScreen, kLineDown, down);
}

void CCareerTournLadderFlash::WriteNames(u8 round) {
    s16 ids[kEntries] = {};
    const u32 first = m_Current_Page * LADDER_PAGE_ROWS;
    for (u32 i = 0; i < LADDER_PAGE_ROWS; ++i)
        ids[i] = pEventManager != nullptr ? pEventManager->GetTournamentBowlerByIndex(first + i) : 0;
    for (u32 i = 0; i < 4; ++i)
        ids[kLastFour + i] =
            round == kFinal ? pEventManager->GetTournamentBowlerByIndex(LADDER_SEMI_FINALISTS + i) : ids[i];
    if (round == kFinal) {
        ids[kFinalists] = ids[0];
        ids[kFinalists + 1] = ids[1];
    }
    m_PlayerPos = 0;
    for (u32 i = 0; i < LADDER_PAGE_ROWS; ++i) {
        StandingName(NameStrings[i], LADDER_NAME_SIZE, ids[i]);
        if (ids[i] == PLAYER_BOWLER_ID)
            m_PlayerPos = s32(i);
    }
    char name[LADDER_NAME_SIZE];
    for (u32 entry = 0; entry < kEntries; ++entry) {
        StandingName(name, sizeof(name), ids[entry]);
        SFP2KSpriteSetText(m_iScreen, kFirstEntry + s32(entry), name);
        StandingColour(m_iScreen, kFirstEntry + s32(entry), ids[entry] == PLAYER_BOWLER_ID);
    }
    SFP2KSpriteSetText(m_iScreen, kTxtLWinner, SymbolText(kTextWinner));
}

void CCareerTournLadderFlash::Page(s32 step) {
    SFP2KTransitionToSubScreen(m_iScreen, step > 0 ? kSubScreenDown : kSubScreenUp, SFP_SUBSCREEN_NEXT,
                               SFP_LABEL_IDLE);
    m_Current_Page = u32(s32(m_Current_Page) + step);
    FlashPlaySound(kSfxMove);
}

void CCareerTournLadderFlash::Update(SFP_SCREEN_INFO_t*) {
    const u8 round = pEventManager != nullptr ? pEventManager->m_CurrentRound : 0;
    if (Scrollable) {
        if (SFP2KButton(kButtonDown, kNewPress) && m_Current_Page < m_MaxPage)
            Page(1);
        else if (SFP2KButton(kButtonUp, kNewPress) && m_Current_Page > 0)
            Page(-1);
    }
    ShowPageArrows();
    WriteNames(round);
    StandingBack(SFP_SCREEN_NAV_NEXT);
}
