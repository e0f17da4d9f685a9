#include "tests/support/GameFixture.h"

#include "orblib47/source/Instance.h"
#include "source/DefaultDisc.h"
#include "source/GameReset.h"

void GameFixture::SetUp() {
    InstanceSetGameColdReset(GameEngineColdReset);
    EngineFixture::SetUp();
    GameColdReset();
    GameWarmReset();
}

HostConfig DemoDiscFixture::Config() const {
    HostConfig config = GameFixture::Config();
    config.discRoot = DefaultDiscRoot();
    return config;
}
