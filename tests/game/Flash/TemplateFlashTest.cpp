// The screen template through the program's developer entry, on the demo disc's
// movie: the cursor moves and wraps, a pressed button holds the cursor and shows
// its down look, and back ends the entry.
#include <gtest/gtest.h>

#include "console/screenshot.h"
#include "console/system.h"
#include "source/DevEntries.h"
#include "source/Flash/TemplateFlash.h"
#include "source/SFP2K.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EntryRun.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/template_screen.png";
constexpr const char* kDrawn = "template_screen_drawn.png";

// Up wraps to the last button, down twice more to the first and second, A
// presses the second, and down then leaves the cursor on the pressed button.
constexpr const char* kScript =
    "0 0 connect\n"
    "40 0 button up down\n42 0 button up up\n"
    "50 0 button down down\n52 0 button down up\n"
    "60 0 button down down\n62 0 button down up\n"
    "70 0 button a down\n72 0 button a up\n"
    "80 0 button down down\n82 0 button down up\n"
    "150 0 button b down\n152 0 button b up\n";

// The entry's run up to `retraces`, as the program runs it; the retrace it ended at.
u32 RunTemplate(u32 retraces) {
    return RunEntry({DEV_ENTRY_THIRD_STATE_TESTING, retraces, kScript, true});
}

TEST(TemplateFlashTest, MovesTogglesAndLeavesOnBack) {
    templateFlashScreen.curButton = 0;
    RunTemplate(120);
    EXPECT_EQ(templateFlashScreen.curButton, 1);
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
    HostShutdown();

    templateFlashScreen.curButton = 0;
    EXPECT_LT(RunTemplate(600), 200u) << "back ends the entry";
    HostShutdown();
}

}  // namespace
