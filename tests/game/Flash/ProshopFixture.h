// The pro shop on the demo disc: a new career bowler with the starting money,
// the look of a made bowler and the equipment manager ready.
#pragma once

#include "source/Career/CareerCharacter.h"
#include "source/Career/EquipmentManager.h"
#include "source/Career/PlayerConstruction.h"
#include "tests/support/MenuFixture.h"

class ProshopFixture : public MenuFixture {
protected:
    ProshopFixture() : MenuFixture(MenuCareer::kBowler) {}
    void SetUp() override {
        MenuFixture::SetUp();
        career->SetCareerAttributes(CPlayerConstruction().m_CharacterAttributes);  // a made bowler's look
        pEquipmentManager->Init();
    }

    void SetMoney(u32 money) { career->ChangeMoney(s32(money) - s32(career->GetMoney())); }
};
