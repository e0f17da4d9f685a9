#include "tests/support/MenuFixture.h"

#include "orblib47/source/NGC/File.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EventManager.h"
#include "source/Career/PlayerConstruction.h"
#include "source/OrbMain.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/support/HeapMark.h"

void MenuFixture::SetUp() {
    MenuScreenFixture::SetUp();
    Prepare();
    HeapMarkTake();  // what the menus keep loaded is no test's leak
}

void MenuFixture::Prepare() {
    FileChangeDirectory(GAME_DATABASE_FOLDER);
    BowlingDbLoad();
    FileChangeDirectory(GAME_DATA_FOLDER);
    ASSERT_TRUE(PlayerPartsLoad());
    g_ScreenTracker.Reset();
    if (stage_ == MenuCareer::kNone)
        return;
    CareerManagersCreate();
    CCareerCharacter::CreateInstance();
    career = CCareerCharacter::GetInstance();
    career->SetCurrSlot(0);
    career->SetName("ROLLER");
    career->Init();
    if (stage_ == MenuCareer::kBowler)
        return;
    pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
    if (stage_ == MenuCareer::kInSeason)
        return;
    for (s32 i = 0; i < 64 && pEventManager->m_CurrentEventType != eEventType_Tournament; ++i)
        pEventManager->SimulateEvent();
    ASSERT_EQ(pEventManager->m_CurrentEventType, eEventType_Tournament);
}

void MenuFixture::TearDown() {
    PlayerPartsFree();
    MenuScreenFixture::TearDown();
}

const s_sfp_instance& Sprite(s32 handle, s32 sprite) {
    const s_sfp_screen* screen = SFPScreen(handle);
    return screen->instances[screen->info->spriteLookups[sprite].instanceIds[0]];
}

std::string SpriteText(s32 handle, s32 sprite) {
    return SFPScreen(handle)->info->spriteLookups[sprite].numInstances > 0 ? Sprite(handle, sprite).text
                                                                           : "(none)";
}

bool SpriteHidden(s32 handle, s32 sprite) {
    return Sprite(handle, sprite).hidden != 0;
}
