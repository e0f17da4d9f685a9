#include "tests/support/GameFixture.h"

#include "orblib47/source/Instance.h"
#include "orblib47/source/NGC/File.h"
#include "source/DefaultDisc.h"
#include "source/GameReset.h"
#include "source/OrbMain.h"

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

HostConfig MenuDiscFixture::Config() const {
    HostConfig config = DemoDiscFixture::Config();
    config.mem1Size = HostConfig{}.mem1Size;
    config.mem2Size = HostConfig{}.mem2Size;
    return config;
}

void MenuDiscFixture::SetUp() {
    DemoDiscFixture::SetUp();
    FileChangeDirectory(GAME_DATA_FOLDER);
}
