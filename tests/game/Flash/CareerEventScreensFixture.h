// The tournament and league screens' fixture: the demo disc's movies, database and
// bowler parts, a career bowler in the second amateur league at the season's first
// tournament, and one update a character of input.
#pragma once

#include <gtest/gtest.h>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/PlayerConstruction.h"
#include "source/OrbMain.h"
#include "source/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/support/GameFixture.h"

class CareerEventScreensFixture : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        FileChangeDirectory(GAME_DATABASE_FOLDER);
        BowlingDbLoad();
        FileChangeDirectory(GAME_DATA_FOLDER);
        ASSERT_TRUE(PlayerPartsLoad());
        CareerManagersCreate();
        CCareerCharacter::CreateInstance();
        career = CCareerCharacter::GetInstance();
        career->SetCurrSlot(0);
        career->SetName("ROLLER");
        career->Init();
        pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
        for (s32 i = 0; i < 64 && pEventManager->m_CurrentEventType != eEventType_Tournament; ++i)
            pEventManager->SimulateEvent();
        ASSERT_EQ(pEventManager->m_CurrentEventType, eEventType_Tournament);
        g_ScreenTracker.Reset();
    }
    void TearDown() override {
        PlayerPartsFree();
        MenuScreenFixture::TearDown();
    }

    CCareerCharacter* career = nullptr;
};

// One update of the screen per character: d down, u up, a A, b B, - nothing.
inline void PressOn(s32 screen, const char* presses) {
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(screen);
    ASSERT_NE(info, nullptr);
    for (const char* c = presses; *c != '\0'; ++c) {
        const u32 word = *c == 'd'   ? PAD_DOWN
                         : *c == 'u' ? PAD_UP
                         : *c == 'a' ? PAD_A
                         : *c == 'b' ? PAD_B
                                     : 0;
        Pad[0].bdown = Pad[0].bnew = word;
        info->Update(screen, info);
    }
    Pad[0].bdown = Pad[0].bnew = 0;
}
