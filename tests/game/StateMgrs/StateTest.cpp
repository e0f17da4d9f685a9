// The flows' state stack and the screen tracker's reset of an answer.
#include <gtest/gtest.h>

#include <numeric>

#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

namespace {

// A transition at depth d keeps the entries above it, sets d and restarts every
// flow below it.
TEST(StateTest, ATransitionRestartsTheFlowsBelowIt) {
    const struct {
        s32 depth;
        bool advance;
        s32 to;
    } rows[] = {{1, false, 5},
                {0, true, 1},
                {STATE_MAX_DEPTH - 2, true, STATE_MAX_DEPTH - 1},
                {STATE_MAX_DEPTH - 1, false, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "depth " << row.depth);
        State state;
        std::iota(std::begin(state.m_value), std::end(state.m_value), 0);  // entry d holds d
        if (row.advance)
            state.Advance(row.depth);
        else
            state.Transition(row.depth, row.to);
        for (s32 d = 0; d < STATE_MAX_DEPTH; ++d)
            EXPECT_EQ(state.m_value[d], d < row.depth ? d : d == row.depth ? row.to : 0) << "entry " << d;
    }
}

TEST(StateTest, ResetScreenNavKeepsTheOpenedScreenAndTheLevel) {
    CScreenTracker tracker;
    tracker.m_CurrScreen = eScreen_List_MainMenu;
    tracker.m_NextScreen = eScreen_List_Credits;
    tracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    tracker.m_LevelToLoad = 3;
    tracker.ResetScreenNav();
    EXPECT_EQ(tracker.m_CurrScreen, eScreen_List_MainMenu);
    EXPECT_EQ(tracker.m_NextScreen, eScreen_List_Invalid);
    EXPECT_EQ(tracker.m_ScreenNav, SFP_SCREEN_NAV_NONE);
    EXPECT_EQ(tracker.m_LevelToLoad, 3);
}

}  // namespace
