#include "tests/support/GameFixture.h"

#include "source/GameReset.h"

void GameFixture::SetUp() {
    EngineFixture::SetUp();
    GameColdReset();
    GameWarmReset();
}
