#include "tests/support/EngineFixture.h"

#include "orblib47/source/OrbLib.h"
#include "source/OrbMain.h"

HostConfig TestHostConfig() {
    HostConfig config;
    config.clock = HostClockMode::Virtual;
    config.window = false;
    config.mem1Size = 8u * 1024 * 1024;
    config.mem2Size = 8u * 1024 * 1024;
    return config;
}

void EngineFixture::SetUp() {
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
