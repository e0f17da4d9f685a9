// The career calendar: the season's events (nine rows, three weeks of three
// events, in an amateur league; twelve month rows in the pro league) with the
// current one marked, its name, place, prize and entry fee, and a help ticker.
// Its first button plays the current event (a tournament goes on to the
// tournament flow, which takes the entry fee), its second simulates it; the
// career flow asks its questions and calls Simulate or SkipEvent.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"
#include "source/Ticker.h"

class EventManager;

constexpr u32 EVENTSEL_AMATEUR_ROWS = 9;
constexpr u32 EVENTSEL_PRO_MONTHS = 12;
// The first week of each pro month.
constexpr u32 ProfessionalMonthStartingWeeks[EVENTSEL_PRO_MONTHS] = {1,  5,  9,  13, 18, 22,
                                                                     26, 31, 35, 40, 45, 49};
// Game frames between two steps of a simulation, the step's own frame included.
constexpr u8 EVENTSEL_SIM_FRAMES = 11;

// The pro month (0..11) of a week.
u32 ProfessionalMonthOfWeek(u32 week);

extern SFP_SCREEN_INFO_t CareerEventSelectFlashScreen[2];

class CCareerEventSelectFlash : public CFlashPage<CCareerEventSelectFlash, CareerEventSelectFlashScreen> {
public:
    CCareerEventSelectFlash() = default;

    s32 LoadBG();  // also sets up the ticker
    s32 Load(EventManager* events);
    void OpenBG();
    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);

    // The week labels of the amateur calendar.
    void HideSprites();
    // The rows' texts.
    void SetListText();
    // The current event's texts and the rows' marks.
    void UpdateLabels();
    // Forfeits the current event: it is simulated without the player's score.
    void SkipEvent();
    // Simulates the current event, a step every EVENTSEL_SIM_FRAMES frames.
    void Simulate();
    // Sets up the game of the current event against its opponent.
    void GoToGame();

    CTicker m_Ticker;
    s32 m_EventNumOnEnter = 0;
    char m_Prize[32] = "";
    char m_Location[32] = "";
    char m_Buyin[32] = "";
    char m_Week1[16] = "";
    char m_Week2[16] = "";
    char m_Week3[16] = "";
    s32 Sim = 0;
    s32 bPausedInput = 0;
    char m_TickerMessage1[64] = "";
    char m_TickerMessage2[64] = "";
    char m_LocationName[32] = "";
    u8 m_SimCount = 0;

private:
    // The first week of the three the amateur calendar shows.
    u32 FirstShownWeek();
    void WriteWeekLabels();
    // Draws the opponent of a league night or a simulation; none when the league has nobody.
    void PickOpponent();
    void StartSimulation();
};

void EventSelectDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);
