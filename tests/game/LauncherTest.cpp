// The start-up launcher through the program's own path: an entry launched from
// the list comes back to the list with its line highlighted, and "Exit" leaves.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "console/system.h"
#include "console/vi.h"
#include "orblib47/source/DbugMenu.h"
#include "source/DefaultDisc.h"
#include "source/DevEntries.h"
#include "source/OrbMain.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/ReportCapture.h"
#include "tests/support/TestHost.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/launcher.png";
constexpr const char* kDrawn = "launcher_drawn.png";

// Down three times to "Primitive Draw 2D Test", which returns at once; back on
// the list, the pad's minus opens "File", down to "Exit", A.
constexpr const char* kScript =
    "0 0 connect\n"
    "80 0 button down down\n82 0 button down up\n"
    "90 0 button down down\n92 0 button down up\n"
    "100 0 button down down\n102 0 button down up\n"
    "110 0 button a down\n112 0 button a up\n"
    "280 0 button minus down\n282 0 button minus up\n"
    "290 0 button down down\n292 0 button down up\n"
    "300 0 button a down\n302 0 button a up\n";

struct LauncherRun {
    u32 retraces;     // when OrbMain returned
    size_t showings;  // the list shown, by the free-memory line before each
};

LauncherRun RunLauncher(u32 retraces) {
    const std::string script = testing::TempDir() + "launcher_input.txt";
    std::ofstream(script) << kScript;
    HostConfig config = TestHostConfig();
    config.mem1Size = HostConfig{}.mem1Size;  // the menu fonts need the whole memory
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    config.inputScript = script;
    HostInit(config);
    HostVIKeepShownFrames();  // the picture outlives the engine's exit
    DebugSelection = -1;
    const char* const stamp = DebugBuildStamp;
    DebugBuildStamp = "May  7 2007 at 10:03:18";  // the picture's build line
    g_LauncherEntry = DEV_ENTRY_LAUNCHER;
    g_FrameLimit = retraces;
    LauncherRun run{};
    {
        ReportCapture capture;
        EXPECT_EQ(OrbMain(), 0);
        for (size_t at = 0; (at = capture.text().find("Heap MainLoop: ", at)) != std::string::npos; ++at)
            ++run.showings;
    }
    run.retraces = VIGetRetraceCount();
    g_FrameLimit = 0;
    g_LauncherEntry = DEV_ENTRY_GAME_SHELL;
    DebugBuildStamp = stamp;
    return run;
}

TEST(LauncherTest, ComesBackToTheEntryLaunchedAndExits) {
    const LauncherRun back = RunLauncher(260);
    EXPECT_EQ(back.showings, 2u);
    EXPECT_EQ(DebugSelection, 3);
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
    HostShutdown();

    const LauncherRun exited = RunLauncher(900);
    EXPECT_LT(exited.retraces, 400u) << "Exit leaves the launcher";
    EXPECT_EQ(exited.showings, 2u);
    HostShutdown();
}

}  // namespace
