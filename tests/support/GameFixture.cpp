#include "tests/support/GameFixture.h"

#include "orblib47/source/Instance.h"
#include "source/GameReset.h"

void GameFixture::SetUp() {
    InstanceSetGameColdReset(GameEngineColdReset);
    EngineFixture::SetUp();
    GameColdReset();
    GameWarmReset();
}
