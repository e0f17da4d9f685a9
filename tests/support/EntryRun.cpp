#include "tests/support/EntryRun.h"

#include <gtest/gtest.h>

#include <fstream>

#include "console/screenshot.h"
#include "console/system.h"
#include "console/vi.h"
#include "source/DefaultDisc.h"
#include "source/Dev/DevEntries.h"
#include "source/OrbMain.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestHost.h"

u32 RunEntry(const EntryRun& run) {
    HostConfig config = TestHostConfig();
    if (run.wholeMemory) {
        config.mem1Size = HostConfig{}.mem1Size;
        config.mem2Size = HostConfig{}.mem2Size;
    }
    config.discRoot = DefaultDiscRoot();
    if (!run.script.empty()) {
        // One file per test: CTest runs tests side by side in one folder.
        config.inputScript =
            testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + ".pad";
        std::ofstream(config.inputScript) << run.script;
    }
    HostInit(config);
    HostVIKeepShownFrames();
    g_LauncherEntry = run.entry;
    g_FrameLimit = run.retraces;
    EXPECT_EQ(OrbMain(), 0);
    g_FrameLimit = 0;
    g_LauncherEntry = DEV_ENTRY_GAME_SHELL;
    return VIGetRetraceCount();
}

u32 RunEntry(s32 (*entry)(), const std::string& script, u32 frames) {
    ScriptFromNow("0 0 connect\n" + script);
    const u32 start = VIGetRetraceCount();
    g_FrameLimit = start + frames;
    EXPECT_EQ(entry(), 0);
    g_FrameLimit = 0;
    return VIGetRetraceCount() - start;
}
