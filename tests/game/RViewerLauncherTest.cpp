// The launcher's entry 2 through the program's own path: the resource viewer ends
// at the program's frame limit, and its "Quit" leaves it. (Its screens' pictures
// are the engine's tests'.)
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "console/system.h"
#include "console/vi.h"
#include "source/DefaultDisc.h"
#include "source/DevEntries.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"

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

// The retrace at which OrbMain returned.
u32 RunViewer(u32 retraces, const char* script) {
    const std::string path = testing::TempDir() + "rviewer_input.txt";
    std::ofstream(path) << script;
    HostConfig config = TestHostConfig();
    config.mem1Size = HostConfig{}.mem1Size;
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    config.inputScript = path;
    HostInit(config);
    g_LauncherEntry = kViewerEntry;
    g_FrameLimit = retraces;
    EXPECT_EQ(OrbMain(), 0);
    g_FrameLimit = 0;
    g_LauncherEntry = DEV_ENTRY_GAME_SHELL;
    return VIGetRetraceCount();
}

TEST(RViewerLauncherTest, EndsAtTheFrameLimitAndOnQuit) {
    // The viewer fades out for half a second after the limit.
    EXPECT_LE(RunViewer(150, "0 0 connect\n"), 150u + 35u);
    HostShutdown();

    EXPECT_LT(RunViewer(900, kQuit), 400u) << "Quit leaves the viewer";
    HostShutdown();
}

}  // namespace
