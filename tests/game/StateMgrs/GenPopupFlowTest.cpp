// The general popup's flow as its callers run it, once a frame on the demo disc:
// open, answer, close, free; and the safe answer when no popup can be shown.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/OrbLib.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "tests/support/GameFixture.h"
#include "tests/support/ReportCapture.h"

namespace {

using GenPopupFlowTest = MenuScreenFixture;

// Runs the flow a frame at a time until it reports done; the frame it did, and the
// first frame the tracker held an answer. A shown popup is up until it answers.
s32 RunToEnd(bool shown, s32* answeredAt) {
    for (s32 frame = 0; frame < 200; ++frame) {
        if (g_GenPopupFlow.run() == 1)
            return frame;
        if (*answeredAt < 0 && g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_NONE)
            *answeredAt = frame;
        if (*answeredAt < 0) {
            EXPECT_EQ(g_GenPopupFlow.IsActive(), shown ? 1 : 0) << "frame " << frame;
        }
        EventWait(1);
    }
    return -1;
}

// No, the default, then right to Yes and A: the popup answers, closes, and is freed
// with the answer left on the tracker.
TEST_F(GenPopupFlowTest, AQuestionOpensTakesItsAnswerClosesAndIsFreed) {
    ScriptFromNow("0 0 connect\n20 0 button right down\n22 0 button right up\n30 0 button a down\n");
    g_GenPopupFlow.SetButtons(eGenPopupButtons_YesNo, 1);
    for (const size_t length : {size_t(299), size_t(300)})  // the message is cut to its buffer
        EXPECT_EQ(std::strlen(g_GenPopupFlow.SetMessage(std::string(length, 'x').c_str())), 299u) << length;
    s32 answeredAt = -1;
    const s32 done = RunToEnd(true, &answeredAt);
    EXPECT_GE(answeredAt, 25);
    EXPECT_LE(answeredAt, 32);
    EXPECT_GE(done, answeredAt + 15) << "the popup plays its way out before it is freed";
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT);
    EXPECT_EQ(g_ScreenTracker.m_CurrScreen, eScreen_List_GenPopup);
    EXPECT_EQ(g_GenPopupFlow.pPopup, nullptr);
    EXPECT_EQ(g_GenPopupFlow.IsActive(), 0);
    EXPECT_EQ(g_GenPopupFlow.state.m_value[0], 0);
}

// Without its movie a popup answers what its first cursor would, prints once and
// ends a frame later, timed settings cleared for the next popup.
TEST_F(GenPopupFlowTest, APopupThatCannotBeShownAnswersItsDefault) {
    SFP2KSetFlashFileRootPath("nowhere");
    const struct {
        eGenPopupButtons buttons;
        s32 defaultButton;
        f32 time;
        eScreenNavigation answer;
    } rows[] = {
        {eGenPopupButtons_YesNo, 1, -1.0f, SFP_SCREEN_NAV_PREVIOUS},
        {eGenPopupButtons_YesNo, 0, -1.0f, SFP_SCREEN_NAV_NEXT},
        {eGenPopupButtons_ContinueExit, 1, -1.0f, SFP_SCREEN_NAV_NEXT},
        {eGenPopupButtons_ContinueExit, 0, -1.0f, SFP_SCREEN_NAV_PREVIOUS},
        {eGenPopupButtons_OK, 0, -1.0f, SFP_SCREEN_NAV_NEXT},
        {eGenPopupButtons_YesNo, 1, 2.0f, SFP_SCREEN_NAV_NEXT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "buttons " << row.buttons << ", default " << row.defaultButton
                                        << ", time " << row.time);
        ReportCapture report;
        g_ScreenTracker.ResetScreenNav();
        g_GenPopupFlow.SetButtons(row.buttons, row.defaultButton);
        g_GenPopupFlow.m_fMessageTime = row.time;
        s32 answeredAt = -1;
        EXPECT_EQ(RunToEnd(false, &answeredAt), 1);
        EXPECT_EQ(answeredAt, 0);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer);
        EXPECT_EQ(g_GenPopupFlow.pPopup, nullptr);
        EXPECT_EQ(g_GenPopupFlow.m_fMessageTime, -1.0f);
        const std::string& text = report.text();
        EXPECT_NE(text.find("GenPopupFlow: "), std::string::npos) << text;
        EXPECT_EQ(text.find("GenPopupFlow: "), text.rfind("GenPopupFlow: ")) << text;
    }
}

}  // namespace
