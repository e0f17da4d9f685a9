// The general popup on the demo disc's movie: the answer each button set gives to
// a run of presses, which pad answers a question, and how it looks.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/GenPopupFlash.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP/SFP2K.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/PadScript.h"

namespace {

using GenPopupFlashTest = MenuScreenFixture;

// The move and accept sounds playing.
s32 ClicksPlaying() {
    s32 playing = 0;
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        playing += SfxIsIdPlaying(s32(0x80001998u), channel) || SfxIsIdPlaying(s32(0x80001997u), channel);
    return playing;
}

enum Kind { kYesNo, kContinueExit, kOK, kTimed, kTimedSkippable };

void Show(CGenPopupFlash& popup, Kind kind, s32 defaultButton) {
    ASSERT_EQ(popup.Load(), 1);
    popup.Open();
    switch (kind) {
        case kYesNo:
            popup.SetYesNoButtonsActive(1, defaultButton);
            break;
        case kContinueExit:
            popup.SetContinueExitButtonsActive(1, defaultButton);
            break;
        case kOK:
            popup.SetOKButtonActive(1);
            break;
        case kTimed:
        case kTimedSkippable:
            popup.SetTimerActive(1);
            popup.SetDisplayTime(1.0f);
            popup.SetTimerSkipAllowed(kind == kTimedSkippable);
            break;
    }
}

TEST_F(GenPopupFlashTest, EachSetAnswersByItsCursor) {
    constexpr auto kNone = SFP_SCREEN_NAV_NONE, kNext = SFP_SCREEN_NAV_NEXT,
                   kPrevious = SFP_SCREEN_NAV_PREVIOUS;
    const struct {
        const char* what;
        Kind kind;
        s32 defaultButton;
        const char* presses;
        eScreenNavigation answer;
        s32 clicks;  // move and accept sounds
    } rows[] = {
        {"Yes/No, default on No, accepted at once", kYesNo, 1, "a", kPrevious, 1},
        {"Yes/No, right twice comes back", kYesNo, 0, "rr-a", kNext, 3},
        {"Yes/No, left from Yes wraps to No", kYesNo, 0, "la", kPrevious, 2},
        {"Yes/No, presses while it closes change nothing", kYesNo, 0, "ara", kNext, 1},
        {"Continue/Exit, default on Continue", kContinueExit, 1, "a", kNext, 1},
        {"Continue/Exit, default on Exit", kContinueExit, 0, "a", kPrevious, 1},
        {"Continue/Exit, right is Exit", kContinueExit, 1, "rra", kPrevious, 3},
        {"OK", kOK, 0, "--a", kNext, 1},
        {"timed, a second past its time", kTimed, 0, "---------", kNext, 0},
        {"timed, the frame before", kTimed, 0, "--------", kNone, 0},
        {"timed, A without skipping", kTimed, 0, "a", kNone, 0},
        {"timed, skipped", kTimedSkippable, 0, "a", kNext, 0},
    };
    RealDeltaTime = 0.25f;  // the timer counts down by exact steps
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        SfxStopAll();
        g_ScreenTracker.ResetScreenNav();
        CGenPopupFlash popup;
        Show(popup, row.kind, row.defaultButton);
        PressOn(popup.m_iScreen, row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer);
        EXPECT_EQ(ClicksPlaying(), row.clicks);
    }
}

// A quick-play game's question is answered on the pad of the bowler whose turn it
// is; the menus' and a career's on pad 0; nothing while the player blocks input.
TEST_F(GenPopupFlashTest, TheControllingPadAnswersAQuestion) {
    const struct {
        const char* what;
        s32 levelActive;
        eGameMode mode;
        s32 mapping;  // of bowler 1, whose turn it is
        s32 block;
        s32 pad;  // pressing A
        bool answered;
    } rows[] = {
        {"quick play, the bowler's pad", 1, eGameMode_QuickPlay, 2, 0, 2, true},
        {"quick play, pad 0", 1, eGameMode_QuickPlay, 2, 0, 0, false},
        {"quick play, bowler unmapped, pad 0", 1, eGameMode_QuickPlay, -1, 0, 0, true},
        {"career, pad 0", 1, eGameMode_Career, 2, 0, 0, true},
        {"career, the bowler's pad", 1, eGameMode_Career, 2, 0, 2, false},
        {"menus, pad 0", 0, eGameMode_QuickPlay, 2, 0, 0, true},
        {"menus, the bowler's pad", 0, eGameMode_QuickPlay, 2, 0, 2, false},
        {"input blocked", 1, eGameMode_QuickPlay, 2, 1, 2, false},
    };
    g_GameSettings.m_Current.iNumPlayers = 2;
    Physics.iCurrentBowler = 1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_LevelMgr.m_bActive = row.levelActive;
        g_GameSettings.SetGameMode(row.mode);
        g_GameSettings.m_ControllerMapping[1] = row.mapping;
        g_BlockPadInput = row.block;
        g_ScreenTracker.ResetScreenNav();
        CGenPopupFlash popup;
        Show(popup, kYesNo, 0);
        PressOn(popup.m_iScreen, "a", row.pad);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answered ? SFP_SCREEN_NAV_NEXT : SFP_SCREEN_NAV_NONE);
    }
    g_BlockPadInput = 0;
}

// A question of three lines a third of a second after it opens, the cursor on No.
TEST_F(GenPopupFlashTest, AQuestionLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CGenPopupFlash popup;
    Show(popup, kYesNo, 1);
    popup.SetText(
        "Your career has not been saved since the last league night. If you leave now, the games you "
        "bowled tonight are lost. Do you want to leave without saving?");
    EventWait(20);
    ExpectLooksAsKept("genpopup_question");
}

}  // namespace
