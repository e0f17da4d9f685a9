// The screen template through the program's developer entry, on the demo disc's
// movie: the cursor moves and wraps, a pressed button holds the cursor and shows
// its down look, and back ends the entry.
#include <gtest/gtest.h>

#include "console/screenshot.h"
#include "console/system.h"
#include "source/Dev/DevEntries.h"
#include "source/Flash/TemplateFlash.h"
#include "source/SFP/SFP2K.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EntryRun.h"
#include "tests/support/PadScript.h"

namespace {

// The entry's run up to `retraces`, as the program runs it; the retrace it ended at.
// Up wraps to the last button, down twice more to the first and second, A
// presses the second, and down then leaves the cursor on the pressed button; B
// at retrace 150.
u32 RunTemplate(u32 retraces) {
    return RunEntry({DEV_ENTRY_THIRD_STATE_TESTING, retraces, ScriptPresses("uddad......b", 40, 10), true});
}

TEST(TemplateFlashTest, MovesTogglesAndLeavesOnBack) {
    templateFlashScreen.curButton = 0;
    RunTemplate(120);
    EXPECT_EQ(templateFlashScreen.curButton, 1);
    ExpectLooksAsKept("template_screen");
    HostShutdown();

    templateFlashScreen.curButton = 0;
    EXPECT_LT(RunTemplate(600), 200u) << "back ends the entry";
    HostShutdown();
}

}  // namespace
