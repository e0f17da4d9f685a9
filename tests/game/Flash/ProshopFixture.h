// The pro shop on the demo disc: its database, the bowler parts, the career's
// managers and a new career bowler in save slot 0 with the starting money.
#pragma once

#include "orblib47/source/NGC/File.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EquipmentManager.h"
#include "source/Career/PlayerConstruction.h"
#include "source/OrbMain.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/support/GameFixture.h"

class ProshopFixture : public MenuScreenFixture {
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
        career->SetCareerAttributes(CPlayerConstruction().m_CharacterAttributes);  // a made bowler's look
        pEquipmentManager->Init();
        g_ScreenTracker.Reset();
    }
    void TearDown() override {
        PlayerPartsFree();
        MenuScreenFixture::TearDown();
    }

    void SetMoney(u32 money) { career->ChangeMoney(s32(money) - s32(career->GetMoney())); }

    CCareerCharacter* career = nullptr;
};
