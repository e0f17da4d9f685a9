// The launcher's entry 2 through the program's own path: the resource viewer ends
// at the program's frame limit, and its "Quit" leaves it. (Its screens' pictures
// are the engine's tests'.)
#include <gtest/gtest.h>

#include "console/system.h"
#include "tests/support/EntryRun.h"

namespace {

constexpr s32 kViewerEntry = 2;

// The pad's minus drops "File" down; three down to "Quit", A.
constexpr const char* kQuit =
    "0 0 connect\n"
    "200 0 button minus down\n202 0 button minus up\n"
    "210 0 button down down\n212 0 button down up\n"
    "220 0 button down down\n222 0 button down up\n"
    "230 0 button down down\n232 0 button down up\n"
    "240 0 button a down\n242 0 button a up\n";

TEST(RViewerLauncherTest, EndsAtTheFrameLimitAndOnQuit) {
    // The viewer fades out for half a second after the limit.
    EXPECT_LE(RunEntry({kViewerEntry, 150, "0 0 connect\n", true}), 150u + 35u);
    HostShutdown();

    EXPECT_LT(RunEntry({kViewerEntry, 900, kQuit, true}), 400u) << "Quit leaves the viewer";
    HostShutdown();
}

}  // namespace
