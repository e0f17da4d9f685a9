// The controller-disconnected message on the demo disc, its wait driven by the
// remotes' script: when it waits, who ends it, and what it leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/ControllerMessage.h"
#include "source/Flash/GenPopupFlash.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/support/GameFixture.h"
#include "tests/support/ReportCapture.h"

namespace {

class ControllerMessageTest : public MenuScreenFixture {
protected:
    // Starts `script` with the four controllers there, lets three frames pass and
    // checks once: the retraces the check took.
    static u32 CheckRetraces(const std::string& script) {
        ScriptFromNow("0 0 connect\n0 1 connect\n0 2 connect\n0 3 connect\n" + script);
        EventWait(3);
        return CheckNow();
    }
    static u32 CheckNow() {
        const u32 before = VIGetRetraceCount();
        ControllerMessageCheck();
        return VIGetRetraceCount() - before;
    }
};

// Controller 0 goes at once, comes back at 10 and presses A at 20.
constexpr const char* kController0Returns =
    "0 0 disconnect\n10 0 connect\n20 0 button a down\n22 0 button a up\n";

TEST_F(ControllerMessageTest, ItWaitsOnlyWhenEnabledOutOfAttractModeAndLeavesThePauseAsItWas) {
    const struct {
        const char* what;
        s32 disables, enables;
        s32 attract;
        s32 paused;
        bool waits;
    } rows[] = {
        {"two disables, one enable", 2, 1, 0, 0, false},
        {"attract mode", 0, 0, 1, 0, false},
        {"disables paired, game running", 2, 2, 0, 0, true},
        {"game paused", 0, 0, 0, 1, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        for (s32 i = 0; i < row.disables; ++i)
            ControllerMessageDisable();
        for (s32 i = 0; i < row.enables; ++i)
            ControllerMessageEnable();
        g_LevelMgr.bAttractModeEnabled = row.attract;
        SetGamePause(row.paused);
        g_ScreenTracker.m_CurrScreen = eScreen_List_MainMenu;
        const u32 took = CheckRetraces(kController0Returns);
        EXPECT_EQ(took >= 17u, row.waits) << took << " retraces; A comes on the script's frame 20";
        EXPECT_EQ(GamePaused(), row.paused);
        EXPECT_EQ(g_ScreenTracker.m_CurrScreen, eScreen_List_MainMenu);
        EXPECT_EQ(Pad[0].bnew, 0u) << "the A that ended it is used up";
        for (s32 i = row.enables; i < row.disables; ++i)
            ControllerMessageEnable();
        g_LevelMgr.bAttractModeEnabled = 0;
        EventWait(30);  // the script's last frame
    }
}

// In a quick-play game the current bowler's controller is in charge: the first
// controller's A does nothing while it is away.
TEST_F(ControllerMessageTest, OnlyTheControllerInChargeEndsTheMessage) {
    g_GameSettings.m_Current.iNumPlayers = 2;
    g_GameSettings.SetGameMode(eGameMode_QuickPlay);
    g_GameSettings.m_ControllerMapping[1] = 1;
    Physics.iCurrentBowler = 1;
    ControllerMessageAllowSecondaryControllers(1);
    const u32 took = CheckRetraces(
        "0 1 disconnect\n10 0 button a down\n12 0 button a up\n15 1 connect\n30 1 button a down\n");
    EXPECT_GE(took, 27u) << "until A on the second controller";
    EXPECT_EQ(Pad[1].bnew, 0u);
}

// The message over a question in the same movie leaves the question's cursor
// where it was.
TEST_F(ControllerMessageTest, AQuestionUnderneathKeepsItsCursor) {
    CGenPopupFlash question;
    ASSERT_EQ(question.Load(), 1);
    question.Open();
    question.SetYesNoButtonsActive(1, 1);
    EXPECT_GE(CheckRetraces(kController0Returns), 17u);
    EXPECT_EQ(genPopupFlashScreen.curButton, 1) << "still on No";
}

// Without its movie the message is reported once each time the controller goes,
// and the game goes on.
TEST_F(ControllerMessageTest, AMessageThatCannotBeShownIsReportedOncePerDisconnection) {
    SFP2KSetFlashFileRootPath("nowhere");
    ReportCapture report;
    const auto reports = [&] {
        s32 count = 0;
        for (size_t at = 0; (at = report.text().find("ControllerMessage: ", at)) != std::string::npos; ++at)
            ++count;
        return count;
    };
    // A press at 60 would end a wait that should not have begun.
    EXPECT_EQ(
        CheckRetraces("0 0 disconnect\n10 0 connect\n20 0 disconnect\n60 0 connect\n61 0 button a down\n"),
        0u);
    EXPECT_EQ(CheckNow(), 0u);
    EXPECT_EQ(reports(), 1);
    EXPECT_FALSE(GamePaused());
    EventWait(10);
    EXPECT_EQ(CheckNow(), 0u) << "controller 1 is back";
    EventWait(10);
    EXPECT_EQ(CheckNow(), 0u);
    EXPECT_EQ(reports(), 2) << report.text();
}

}  // namespace
