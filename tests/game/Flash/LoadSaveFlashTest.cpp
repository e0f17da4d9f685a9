// The save/load popup on the demo disc's movie: the answer each button set gives
// to a run of presses, the block count in sized messages, and how it looks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/Flash/LoadSaveFlash.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/PadScript.h"

namespace {

using LoadSaveFlashTest = MenuScreenFixture;

enum Kind { kYesNo, kRetryContinue, kContinueReturn, kOK, kTimed, kTimedThenAsked };

void Show(CLoadSaveFlash& popup, Kind kind, s32 defaultButton) {
    ASSERT_EQ(popup.Load(), 1);
    popup.Open();
    if (kind == kTimed || kind == kTimedThenAsked)
        popup.SetDisplayTime(1.0f);
    if (kind == kYesNo || kind == kTimedThenAsked)
        popup.SetYesNoButtonsActive(1, defaultButton);
    else if (kind == kRetryContinue)
        popup.SetRetryContinueButtonsActive(1, defaultButton);
    else if (kind == kContinueReturn)
        popup.SetContinueReturnToMenuWiiButtonsActive(1, defaultButton);
    else if (kind == kOK)
        popup.SetOKButtonActive(1);
}

TEST_F(LoadSaveFlashTest, EachSetAnswersByItsCursor) {
    constexpr auto kNone = SFP_SCREEN_NAV_NONE, kNext = SFP_SCREEN_NAV_NEXT,
                   kPrevious = SFP_SCREEN_NAV_PREVIOUS;
    const struct {
        const char* what;
        Kind kind;
        s32 defaultButton;
        const char* presses;
        eScreenNavigation answer;
    } rows[] = {
        {"Yes/No, on No", kYesNo, 1, "a", kPrevious},
        {"Yes/No, left wraps to Yes", kYesNo, 1, "la", kNext},
        {"Retry/Continue, on Continue", kRetryContinue, 1, "a", kPrevious},
        {"Retry/Continue, right wraps to Retry", kRetryContinue, 1, "ra", kNext},
        {"Continue/Return, on continue without saving", kContinueReturn, 1, "a", kNext},
        {"Continue/Return, down to return", kContinueReturn, 1, "da", kPrevious},
        {"Continue/Return, up wraps to return", kContinueReturn, 1, "ua", kPrevious},
        {"Continue/Return, a second accept while closing", kContinueReturn, 1, "ada", kNext},
        {"OK", kOK, 0, "-a", kNext},
        {"timed, a second past its time", kTimed, 0, "---------", kNext},
        {"timed, the frame before", kTimed, 0, "--------", kNone},
        {"timed, then a question: the timer stops", kTimedThenAsked, 0, "---------", kNone},
    };
    RealDeltaTime = 0.25f;  // the timer counts down by exact steps
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_ScreenTracker.ResetScreenNav();
        CLoadSaveFlash popup;
        Show(popup, row.kind, row.defaultButton);
        PressOn(popup.m_iScreen, row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer);
    }
}

// The disc's string is the format only when it takes the count and then a word.
TEST_F(LoadSaveFlashTest, ASizedMessageTakesTheBlockCountSafely) {
    const std::string longText(400, 'x');
    const struct {
        std::string format, shown;
    } rows[] = {
        {"Needs %d free %s.", "Needs 1 free block."},
        {"100%% full: %d %s", "100% full: 1 block"},
        {"%s before %d", "%s before %d"},
        {"Needs %d %s %s", "Needs %d %s %s"},
        {"Needs %d.", "Needs %d."},
        {"%n%d %s", "%n%d %s"},
        {longText + "%d %s", longText.substr(0, LOADSAVE_MESSAGE_SIZE - 1)},
    };
    CLoadSaveFlash popup;
    for (const auto& row : rows)
        EXPECT_EQ(popup.FormatSizeBasedMessage(row.format.c_str()), row.shown) << row.format;
}

// The storage-full message with its two long buttons, the cursor on going on.
TEST_F(LoadSaveFlashTest, TheStorageFullChoiceLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CLoadSaveFlash popup;
    Show(popup, kContinueReturn, 1);
    popup.SetLoadSaveText(eLoadSaveText_MemCardFull);
    popup.SetLoadSaveText(e_LoadSaveTextType(35));  // no such message: the shown one stays
    EventWait(20);
    ExpectLooksAsKept("loadsave_storage_full");
}

}  // namespace
