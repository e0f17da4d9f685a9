#include "source/Flash/CareerEventSelectFlash.h"

#include <array>
#include <cstdio>

#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/CareerPlayers.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxClose = s32(0x80001999u);
constexpr s32 kButtonPlay = 0, kButtonSimulate = 1;
constexpr u32 kTextSelect = 6890, kTextBack = 6889, kTextPrize = 7146, kTextFee = 7147, kTextWeek = 7153,
              kTextFirstMonth = 7154, kTextGoToEvent = 7166, kTextSimulate = 7167, kTextEvent = 7169,
              kTextLeagueNight = 7170, kTextGameOf = 7081, kTextHometown = 7082, kTextTicker1 = 7083,
              kTextTicker2 = 7084;
constexpr s32 kMajorA = 35, kMajorB = 37;

// Menu layer sprites: the calendars' rows are numbered by rule.
constexpr s32 kAmateurRows = s32(EVENTSEL_AMATEUR_ROWS), kProMonths = s32(EVENTSEL_PRO_MONTHS);
constexpr s32 kFirstAmateurRow = 1;                                      // on, off, selected per row
constexpr s32 kFirstAmateurLabel = kFirstAmateurRow + 3 * kAmateurRows;  // "TxtA01"
constexpr s32 kFirstAmateurLine = kFirstAmateurLabel + kAmateurRows;     // "TxtA01A", "TxtA01B"
constexpr s32 kFirstProRow = kFirstAmateurLine + 2 * kAmateurRows;
constexpr s32 kFirstProLabel = kFirstProRow + 3 * kProMonths;
constexpr s32 kFirstProLine = kFirstProLabel + kProMonths;
enum {
    kTxtEvent01 = kFirstProLine + 2 * kProMonths,
    kTxtLoc01,
    kTxtPrize01,
    kTxtPrize02,
    kTxtFee01,
    kTxtFee02,
    kTxtSel01,
    kTxtSel02,
    kTxtSel03,
    kBtn3,
    kSimAnim,
    kSpriteCount,
};
static_assert(kTxtEvent01 == 127 && kSpriteCount == 138);
enum { kRowOn, kRowOff, kRowSelected };

constexpr u32 kNameSize = 12;
struct SpriteNames {
    char name[kSpriteCount][kNameSize];
};

constexpr void Copy(char* out, const char* text) {
    u32 n = 0;
    for (; text[n] != '\0'; ++n)
        out[n] = text[n];
    out[n] = '\0';
}

// PREFIX, the number in two digits, SUFFIX: "A01_on", "TxtP12B".
constexpr void Write(char* out, const char* prefix, s32 number, const char* suffix) {
    const char digits[] = {char('0' + number / 10), char('0' + number % 10), '\0'};
    u32 n = 0;
    for (const char* part : {prefix, &digits[0], suffix})
        for (const char* c = part; *c != '\0'; ++c)
            out[n++] = *c;
    out[n] = '\0';
}

constexpr SpriteNames MakeSpriteNames() {
    SpriteNames names{};
    Copy(names.name[0], "BackDrop");
    const char* const rowKinds[3] = {"_on", "_off", "_sel"};
    const struct {
        const char* row;
        const char* text;
        s32 rows, firstRow, firstLabel, firstLine;
    } calendars[2] = {{"A", "TxtA", kAmateurRows, kFirstAmateurRow, kFirstAmateurLabel, kFirstAmateurLine},
                      {"P", "TxtP", kProMonths, kFirstProRow, kFirstProLabel, kFirstProLine}};
    for (const auto& c : calendars) {
        for (s32 r = 0; r < c.rows; ++r) {
            for (s32 k = 0; k < 3; ++k)
                Write(names.name[c.firstRow + 3 * r + k], c.row, r + 1, rowKinds[k]);
            Write(names.name[c.firstLabel + r], c.text, r + 1, "");
            Write(names.name[c.firstLine + 2 * r], c.text, r + 1, "A");
            Write(names.name[c.firstLine + 2 * r + 1], c.text, r + 1, "B");
        }
    }
    const char* const rest[] = {"TxtEvent01", "TxtLoc01", "TxtPrize01", "TxtPrize02", "TxtFee01", "TxtFee02",
                                "TxtSel01",   "TxtSel02", "TxtSel03",   "Btn3",       "SimAnim"};
    for (s32 i = 0; i < kSpriteCount - kTxtEvent01; ++i)
        Copy(names.name[kTxtEvent01 + i], rest[i]);
    return names;
}

constexpr SpriteNames kSpriteNames = MakeSpriteNames();

std::array<SFP_SCREEN_SPRITE_LOOKUP_t, kSpriteCount> MakeLookups() {
    std::array<SFP_SCREEN_SPRITE_LOOKUP_t, kSpriteCount> lookups{};
    for (s32 i = 0; i < kSpriteCount; ++i)
        lookups[i].name = kSpriteNames.name[i];
    return lookups;
}

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[] = {{"Btn1", 0}, {"Btn2", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {{"txtSelect", 0, {}}, {"txtBack", 0, {}}};
std::array<SFP_SCREEN_SPRITE_LOOKUP_t, kSpriteCount> s_Sprites = MakeLookups();

bool ProLeague() {
    return pLeagueManager != nullptr && pLeagueManager->GetLeagueType() == PRO_L1;
}

void ShowSprite(s32 handle, s32 sprite, bool show) {
    if (show)
        SFP2KSpriteShow(handle, sprite);
    else
        SFP2KSpriteHide(handle, sprite);
}

// A calendar row's text: the majors by name, the other events by their kind.
const char* RowText(const Event& event) {
    if (event.m_Tourn.ID == kMajorA || event.m_Tourn.ID == kMajorB)
        return event.m_Tourn.sTournName;
    return SymbolText(event.m_IsLeaguePlay ? kTextLeagueNight : kTextEvent);
}

// The venue's name by its alley level, the odd levels 1..19; 0 for none.
u32 VenueText(s32 location) {
    constexpr u32 kVenues[] = {6942, 6940, 6944, 6946, 6948, 6950, 6952, 6954, 6956, 6960};
    if (location < 1 || location > 19 || location % 2 == 0)
        return 0;
    return kVenues[(location - 1) / 2];
}

}  // namespace

u32 ProfessionalMonthOfWeek(u32 week) {
    u32 month = 0;
    for (u32 i = 0; i < EVENTSEL_PRO_MONTHS; ++i)
        if (ProfessionalMonthStartingWeeks[i] <= week)
            month = i;
    return month;
}

SFP_SCREEN_INFO_t CareerEventSelectFlashScreen[2] = {
    {
        .fileName = "MenuBG",
        .subScreens = s_Labels[0],
        .Draw = EventSelectDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "EventSel",
        .numButtons = s32(std::size(s_Buttons)),
        .subScreens = s_Labels[1],
        .Update = CCareerEventSelectFlash::UpdateOwner,
        .numSpriteLookups = kSpriteCount,
        .spriteLookups = s_Sprites.data(),
        .buttons = s_Buttons,
    },
};

void EventSelectDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CCareerEventSelectFlash* owner = FlashOwner<CCareerEventSelectFlash>(handle))
        owner->m_Ticker.Update();
}

s32 CCareerEventSelectFlash::LoadBG() {
    m_iScreenBG = FlashLoad(CareerEventSelectFlashScreen[0], this);
    if (m_iScreenBG == -1)
        return 0;
    s_Vector3 start{380, 430, 0, 0}, end{50, 430, 0, 0};
    m_Ticker.init(&start, &end, 0.75f, 0.75f, 2.0f, 0.5f);
    std::snprintf(m_TickerMessage1, sizeof(m_TickerMessage1), "%s", SymbolText(kTextTicker1));
    std::snprintf(m_TickerMessage2, sizeof(m_TickerMessage2), "%s", SymbolText(kTextTicker2));
    m_Ticker.setTickerText(m_TickerMessage1);
    m_Ticker.setTextColor(0xFFFFFFFF);
    m_Ticker.setDelayTime(1.0f);
    m_Ticker.m_NumQText = 2;
    m_Ticker.setQueueText(m_TickerMessage1, 0);
    m_Ticker.setQueueText(m_TickerMessage2, 1);
    return 1;
}

s32 CCareerEventSelectFlash::Load(EventManager* events) {
    pEventManager = events;
    m_iScreen = FlashLoad(CareerEventSelectFlashScreen[1], this);
    // The descriptor outlives the screen: a new calendar starts on its first button.
    CareerEventSelectFlashScreen[1].curButton = kButtonPlay;
    return m_iScreen != -1;
}

void CCareerEventSelectFlash::OpenBG() {
    if (m_iScreenBG == -1 || SFP2KIsScreenActive(m_iScreenBG))
        return;
    SFP2KSpriteSetText(m_iScreenBG, 0, SymbolText(kTextSelect));
    SFP2KSpriteSetText(m_iScreenBG, 1, SymbolText(kTextBack));
    FlashOpen(m_iScreenBG);
    m_Ticker.ResetPos();
    m_Ticker.m_bPaused = 0;
}

void CCareerEventSelectFlash::Open() {
    if (m_iScreen == -1 || SFP2KIsScreenActive(m_iScreen))
        return;
    m_EventNumOnEnter = pEventManager->GetCurrentEventNum();
    FlashOpen(m_iScreen);
    SFP2KSpriteSetText(m_iScreen, kTxtSel01, SymbolText(kTextGoToEvent));
    SFP2KSpriteHide(m_iScreen, kBtn3);
    SFP2KSpriteSetText(m_iScreen, kTxtSel02, SymbolText(kTextSimulate));
    SFP2KSpriteSetText(m_iScreen, kTxtPrize01, SymbolText(kTextPrize));
    SFP2KSpriteSetText(m_iScreen, kTxtFee01, SymbolText(kTextFee));
    SFP2KSpriteHide(m_iScreen, kSimAnim);
    HideSprites();
    SetListText();
    UpdateLabels();
    FlashPlaySound(kSfxOpen);
    g_ScreenTracker.m_CurrScreen = eScreen_List_Career_EventSelect;
    Physics.m_bPracticeMode = 0;
    g_GameSettings.m_Current.gameType = eGameType_Standard;
    pEventManager->SetPractice(0);
}

void CCareerEventSelectFlash::Close() {
    FlashPlaySound(kSfxClose);
    FlashClose(m_iScreen);
}

u32 CCareerEventSelectFlash::FirstShownWeek() {
    const u32 week = pEventManager->GetCurrentWeekNum();
    if (week >= AMATEUR_SEASON_WEEKS)
        return AMATEUR_SEASON_WEEKS - 2;
    return week > 1 ? week - 1 : 1;
}

void CCareerEventSelectFlash::WriteWeekLabels() {
    const s32 first = s32(FirstShownWeek());
    char* const labels[] = {m_Week1, m_Week2, m_Week3};
    for (s32 i = 0; i < 3; ++i) {
        SymbolTextFormat(labels[i], sizeof(m_Week1), kTextWeek, first + i);
        SFP2KSpriteSetText(m_iScreen, kFirstAmateurLabel + 1 + 3 * i, labels[i]);
    }
}

void CCareerEventSelectFlash::HideSprites() {
    for (s32 r = 0; r < kAmateurRows; ++r) {
        SFP2KSpriteHide(m_iScreen, kFirstAmateurRow + 3 * r + kRowOff);
        SFP2KSpriteHide(m_iScreen, kFirstAmateurRow + 3 * r + kRowSelected);
    }
    for (s32 m = 0; m < kProMonths; ++m) {
        SFP2KSpriteHide(m_iScreen, kFirstProRow + 3 * m + kRowOff);
        SFP2KSpriteHide(m_iScreen, kFirstProRow + 3 * m + kRowSelected);
    }
    const bool pro = ProLeague();
    for (s32 r = 0; r < kAmateurRows; ++r) {
        ShowSprite(m_iScreen, kFirstAmateurRow + 3 * r + kRowOn, !pro);
        ShowSprite(m_iScreen, kFirstAmateurLabel + r, !pro && r % 3 == 1);  // a week's middle row
        ShowSprite(m_iScreen, kFirstAmateurLine + 2 * r, !pro);
        ShowSprite(m_iScreen, kFirstAmateurLine + 2 * r + 1, !pro);
    }
    for (s32 m = 0; m < kProMonths; ++m) {
        ShowSprite(m_iScreen, kFirstProRow + 3 * m + kRowOn, pro);
        ShowSprite(m_iScreen, kFirstProLabel + m, pro);
        ShowSprite(m_iScreen, kFirstProLine + 2 * m, pro);
        ShowSprite(m_iScreen, kFirstProLine + 2 * m + 1, pro);
    }
    if (pro) {
        for (s32 m = 0; m < kProMonths; ++m)
            SFP2KSpriteSetText(m_iScreen, kFirstProLabel + m, SymbolText(kTextFirstMonth + u32(m)));
    } else {
        WriteWeekLabels();
    }
}

void CCareerEventSelectFlash::SetListText() {
    if (!ProLeague()) {
        const s32 first = s32(EVENTS_PER_WEEK * (FirstShownWeek() - 1));
        for (s32 r = 0; r < kAmateurRows; ++r)
            SFP2KSpriteSetText(m_iScreen, kFirstAmateurLine + 2 * r,
                               RowText(*pEventManager->GetEvent(s8(first + r))));
        return;
    }
    for (s32 m = 0; m < kProMonths; ++m) {
        SFP2KSpriteSetText(m_iScreen, kFirstProLine + 2 * m, "");
        SFP2KSpriteSetText(m_iScreen, kFirstProLine + 2 * m + 1, "");
    }
    // A month's first event goes on its first line, a second one on its second.
    s32 previous = -1;
    for (u32 e = 0; e < pEventManager->GetNumberOfEvents() && e < PRO_SEASON_EVENTS; ++e) {
        const Event& event = *pEventManager->GetEvent(s8(e));
        const s32 month = s32(ProfessionalMonthOfWeek(event.m_WeekNumber));
        SFP2KSpriteSetText(m_iScreen, kFirstProLine + 2 * month + (month == previous ? 1 : 0),
                           RowText(event));
        previous = month;
    }
}

void CCareerEventSelectFlash::UpdateLabels() {
    if (pEventManager->SeasonOver())
        return;
    const Event& event = *pEventManager->GetEvent();
    std::snprintf(m_Location, sizeof(m_Location), "%s", event.m_Tourn.sTournName);
    std::snprintf(m_Prize, sizeof(m_Prize), "$%u", event.m_Tourn.Pot);
    std::snprintf(m_Buyin, sizeof(m_Buyin), "$%u", event.m_Tourn.BuyIn);
    SFP2KSpriteSetText(m_iScreen, kTxtEvent01, m_Location);
    SFP2KSpriteSetText(m_iScreen, kTxtPrize02, m_Prize);
    SFP2KSpriteSetText(m_iScreen, kTxtFee02, m_Buyin);
    if (const u32 venue = VenueText(event.m_Tourn.Location))
        std::snprintf(m_LocationName, sizeof(m_LocationName), "%s", SymbolText(venue));
    else if (pEventManager->m_CurrentRound != 0)
        SymbolTextFormat(m_LocationName, sizeof(m_LocationName), kTextGameOf,
                         s32(pEventManager->m_CurrentRound) + 1);
    else
        std::snprintf(m_LocationName, sizeof(m_LocationName), "%s", SymbolText(kTextHometown));
    SFP2KSpriteSetText(m_iScreen, kTxtLoc01, m_LocationName);

    s32 rows = kAmateurRows, firstRow = kFirstAmateurRow, current = 0;
    if (ProLeague()) {
        rows = kProMonths;
        firstRow = kFirstProRow;
        current = s32(ProfessionalMonthOfWeek(pEventManager->GetCurrentWeekNum()));
    } else {
        const u32 week = pEventManager->GetCurrentWeekNum();
        current = pEventManager->GetCurrentEventNum() % s32(EVENTS_PER_WEEK) +
                  s32(EVENTS_PER_WEEK * (week - FirstShownWeek()));
    }
    for (s32 r = 0; r < rows; ++r) {
        const s32 shown = r < current ? kRowOff : r == current ? kRowSelected : kRowOn;
        for (s32 k = kRowOn; k <= kRowSelected; ++k)
            ShowSprite(m_iScreen, firstRow + 3 * r + k, k == shown);
    }
}

void CCareerEventSelectFlash::PickOpponent() {
    pEventManager->SetOpponent(pEventManager->DrawOpponent());
}

void CCareerEventSelectFlash::StartSimulation() {
    Sim = 1;
    m_SimCount = 0;
    SFP2KSpriteShow(m_iScreen, kSimAnim);
}

void CCareerEventSelectFlash::SkipEvent() {
    if (pEventManager->m_CurrentEventType != eEventType_Tournament)
        PickOpponent();
    StartSimulation();
}

void CCareerEventSelectFlash::Simulate() {
    PickOpponent();
    StartSimulation();
}

void CCareerEventSelectFlash::GoToGame() {
    const Event& event = *pEventManager->GetEvent();
    g_ScreenTracker.m_LevelToLoad = event.m_Tourn.Location;
    g_GameSettings.m_Current.iNumPlayers = 2;
    if (!(pEventManager->m_CurrentEventType == eEventType_LeagueNight && pEventManager->m_CurrentRound != 0))
        pEventManager->ResetOpponents();
    CareerSetUpBowler(g_Players[0]);
    if (pEventManager->GetOpponentID() == 0)
        PickOpponent();
    if (const s_DBBowler* opponent = FindDbBowler(pEventManager->GetOpponentID()))
        CareerSetUpOpponent(g_Players[1], *opponent);
    else
        g_GameSettings.m_Current.iNumPlayers = 1;  // a league of one bowls alone
    pEventManager->Update();
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
}

void CCareerEventSelectFlash::Update(SFP_SCREEN_INFO_t* info) {
    if (Sim) {
        const bool step = m_SimCount == EVENTSEL_SIM_FRAMES - 1;
        m_SimCount = step ? 0 : u8(m_SimCount + 1);
        if (step && pEventManager->SimulateEvent()) {
            Sim = 0;
            SFP2KSpriteHide(m_iScreen, kSimAnim);
            if (pEventManager->SeasonOver()) {
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
                return;
            }
            SetListText();
            if (!ProLeague())
                WriteWeekLabels();
            UpdateLabels();
        }
    } else {
        if (bPausedInput)
            return;
        SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
        if (SFP2KButton(kButtonAccept, kNewPress)) {
            FlashPlaySound(kSfxAccept);
            if (info->curButton == kButtonSimulate) {
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
                g_ScreenTracker.m_NextScreen = eScreen_List_Career_EventSim;
            } else {
                const u32 buyIn = pEventManager->GetEvent()->m_Tourn.BuyIn;
                CCareerCharacter& career = *CCareerCharacter::GetInstance();
                if (!pEventManager->EarnedInvitation() && career.GetMoney() < buyIn) {
                    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
                    g_ScreenTracker.m_NextScreen = eScreen_List_Career_EventQualifyPopup;
                } else if (pEventManager->m_CurrentEventType != eEventType_Tournament) {
                    if (pEventManager->m_CurrentRound == 0)
                        career.ChangeMoney(-s32(buyIn));
                    GoToGame();
                } else {
                    // The tournament flow takes the entry fee once the player enters.
                    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
                    g_ScreenTracker.m_NextScreen = eScreen_List_Career_TournMenu;
                }
            }
        } else if (SFP2KButton(kButtonBack, kNewPress)) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            if (pEventManager->GetCurrentEventNum() != m_EventNumOnEnter &&
                g_GameSettings.m_Current.bAutoSave)
                g_ScreenTracker.m_NextScreen = eScreen_List_Career_Autosave;
            FlashPlaySound(kSfxAccept);
        }
    }
    pEventManager->Update();
    if (pEventManager->SeasonOver()) {
        HideSprites();
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    }
}
