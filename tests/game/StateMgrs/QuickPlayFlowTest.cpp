// The quick-play flow over the set-up screen's movies: it runs to its end on
// either answer, accepted leaving the layers loaded for the main menu to free
// with the screen, backed out killing them.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/QuickPlayFlash.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/QuickPlayFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/support/MenuFixture.h"

namespace {

class QuickPlayFlowTest : public MenuFixture {
protected:
};

TEST_F(QuickPlayFlowTest, RunsToItsEndOnEitherAnswer) {
    for (const eScreenNavigation answer : {SFP_SCREEN_NAV_NEXT, SFP_SCREEN_NAV_PREVIOUS}) {
        g_ScreenTracker.Reset();
        State state;
        CFlashMainMenu menu;
        CQuickPlayFlash screen;
        s32 frames = 0;
        while (g_QuickPlayFlow.run(state, 1, &menu, &screen) == 0 && frames < 200) {
            if (state.m_value[1] == 2 && frames == 30) {
                ASSERT_EQ(g_ScreenTracker.m_CurrScreen, eScreen_List_QuickPlayMain);
                g_ScreenTracker.m_ScreenNav = answer;  // as the screen answers
            }
            EventWait(1);
            ++frames;
        }
        ASSERT_LT(frames, 200) << answer;
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, answer);
        EXPECT_FALSE(SFP2KIsScreenActive(screen.m_iScreenMain));
        EXPECT_EQ(screen.m_iScreenMain == -1, answer == SFP_SCREEN_NAV_PREVIOUS) << answer;
    }
}

}  // namespace
