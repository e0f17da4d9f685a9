// The career calendar on the demo disc: its week and month rows, what playing,
// simulating and forfeiting do, a league without opponents, and how it looks.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/CareerEventSelectFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "tests/game/Flash/CareerScreenFixture.h"

namespace {

class CareerEventSelectFlashTest : public CareerScreenFixture {
protected:
    static void Show(CCareerEventSelectFlash& calendar) {
        ASSERT_EQ(calendar.LoadBG(), 1);
        ASSERT_EQ(calendar.Load(pEventManager), 1);
        calendar.OpenBG();
        calendar.Open();
    }
    // Simulates the season up to event `n`.
    static void SimulateTo(s32 n) {
        while (pEventManager->GetCurrentEventNum() < n)
            pEventManager->SimulateEvent();
    }
};

TEST_F(CareerEventSelectFlashTest, TheCalendarLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    menu.OpenBorder(SymbolText(7144), SymbolText(6907));
    SimulateTo(4);
    CCareerEventSelectFlash calendar;
    Show(calendar);
    EventWait(120);
    ExpectLooksAsKept("career_event_select");
}

}  // namespace
