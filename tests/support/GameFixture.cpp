#include "tests/support/GameFixture.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/Wad.h"
#include "source/DefaultDisc.h"
#include "source/GameReset.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "tests/support/HeapMark.h"

void GameFixture::SetUp() {
    InstanceSetGameColdReset(GameEngineColdReset);
    EngineFixture::SetUp();
    GameColdReset();
    GameWarmReset();
    HeapMarkTake();  // what the resets load stays for the whole run
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

void MenuScreenFixture::SetUp() {
    MenuDiscFixture::SetUp();
    SFP2KInit(SFP2KFonts, SFP2K_NUM_FONTS);
    SFP2KSetFlashFileRootPath("640");
    SystemTextWad = WadLoad(GAME_SYSTEM_TEXT_WAD, 4);
    MenuSFXWad = WadLoad(GAME_MENU_SOUND_WAD, 0);
}

void MenuScreenFixture::TearDown() {
    WadFree(MenuSFXWad);
    WadFree(SystemTextWad);
    MenuSFXWad = SystemTextWad = nullptr;
    SFP2KKill();
    MenuDiscFixture::TearDown();
}
