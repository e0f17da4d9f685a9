#include "tests/support/EngineFixture.h"

#include "orblib47/source/OrbLib.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"

void EngineFixture::SetUp() {
    TestHostClearStorage();  // saves an earlier test left behind are not this test's
    HostInit(Config());
    report_ = std::make_unique<ReportCapture>();
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
}

void EngineFixture::TearDown() {
    OrblibExit();
    report_.reset();
    HostShutdown();
}
