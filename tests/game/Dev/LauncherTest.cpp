// The start-up launcher through the program's own path: an entry launched from
// the list comes back to the list with its line highlighted, and "Exit" leaves.
#include <gtest/gtest.h>

#include "console/system.h"
#include "orblib47/source/DbugMenu.h"
#include "source/Dev/DevEntries.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EntryRun.h"

namespace {

// Down three times to "Primitive Draw 2D Test", left again with Plus; back on
// the list, the pad's minus opens "File", down to "Exit", A.
constexpr const char* kScript =
    "0 0 connect\n"
    "80 0 button down down\n82 0 button down up\n"
    "90 0 button down down\n92 0 button down up\n"
    "100 0 button down down\n102 0 button down up\n"
    "110 0 button a down\n112 0 button a up\n"
    "180 0 button plus down\n182 0 button plus up\n"
    "280 0 button minus down\n282 0 button minus up\n"
    "290 0 button down down\n292 0 button down up\n"
    "300 0 button a down\n302 0 button a up\n";

u32 RunLauncher(u32 retraces) {
    DebugSelection = -1;
    const char* const stamp = DebugBuildStamp;
    DebugBuildStamp = "May  7 2007 at 10:03:18";  // the picture's build line
    const u32 ended = RunEntry({DEV_ENTRY_LAUNCHER, retraces, kScript, true});
    DebugBuildStamp = stamp;
    return ended;
}

// The frame limit ends the list at once, without its fade: the picture is the list.
TEST(LauncherTest, ComesBackToTheEntryLaunchedAndExits) {
    RunLauncher(260);
    EXPECT_EQ(DebugSelection, 3);
    ExpectLooksAsKept("launcher");
    HostShutdown();

    EXPECT_LT(RunLauncher(900), 400u) << "Exit leaves the launcher";
    HostShutdown();
}

}  // namespace
