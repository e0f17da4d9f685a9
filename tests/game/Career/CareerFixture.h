// A fresh game with the test database and a new career bowler in save slot 0.
#pragma once

#include "source/Career/CareerCharacter.h"
#include "tests/game/Career/TestBowlingDb.h"
#include "tests/support/GameFixture.h"

class CareerFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        InstallTestBowlingDb();
        CCareerCharacter::CreateInstance();
        career = CCareerCharacter::GetInstance();
        career->SetCurrSlot(0);
        career->SetName("ROLLER");
        career->Init();
    }
    void TearDown() override {
        RemoveTestBowlingDb();
        GameFixture::TearDown();
    }

    // Buys and equips an item, as the shop does.
    void Own(s32 item, bool equip) {
        career->ItemBuy(item);
        if (equip)
            career->EquipItem(item);
    }

    CCareerCharacter* career = nullptr;
};
