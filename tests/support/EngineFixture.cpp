#include "tests/support/EngineFixture.h"

#include <sstream>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "source/OrbMain.h"
#include "tests/support/HeapMark.h"
#include "tests/support/TestHost.h"

void EngineFixture::SetUp() {
    TestHostClearStorage();  // saves an earlier test left behind are not this test's
    HostInit(Config());
    report_ = std::make_unique<ReportCapture>();
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    HeapMarkForget();
}

void EngineFixture::TearDown() {
    HeapMallocFreeDelayedNow();  // the test drew its last frame: freed is freed
    const std::string leaks = HeapMarkLeaks();
    EXPECT_TRUE(leaks.empty()) << "The engine heap still holds:\n" << leaks;
    OrblibExit();
    report_.reset();
    HostShutdown();
}

void ScriptFromNow(const std::string& lines) {
    std::string script;
    std::istringstream in(lines);
    for (u32 retrace; in >> retrace;) {
        std::string rest;
        std::getline(in, rest);
        script += std::to_string(VIGetRetraceCount() + retrace) + rest + "\n";
    }
    std::string error;
    EXPECT_TRUE(HostInputSetScript(script, &error)) << error;
}
