// The career bowler: a new career, the slots, money, items and the skill rules.
#include <gtest/gtest.h>

#include "source/Career/CareerManagers.h"
#include "source/Career/EquipmentManager.h"
#include "source/GameReset.h"
#include "tests/game/Career/CareerFixture.h"

namespace {

using namespace testdb;

class CareerCharacterTest : public CareerFixture {};

TEST_F(CareerCharacterTest, NewCareerStartsFromTheSameValuesWhateverCameBefore) {
    // Leave something in every part of the record first.
    career->ChangeMoney(5000);
    career->SetArmStrength(90);
    career->GetStats().m_Strikes = 40;
    career->GetStats().TrophyProgress[3].place = 1;
    Own(BALL_FIRST, true);
    career->SetPlayerThrows(7);
    s_Character_Attributes look{};
    look.hairStyle = 3;
    career->SetCareerAttributes(look);

    career->Init();
    const s_Character_Stats& stats = career->GetStats();
    for (u32 skill : {stats.m_ArmStrength, stats.m_Accuracy, stats.m_HookControl, stats.m_Stamina})
        EXPECT_EQ(skill, 20u);
    EXPECT_EQ(career->GetMoney(), 600u);
    EXPECT_EQ(career->GetTotalEarnings(), 0u);
    EXPECT_EQ(stats.m_Strikes, 0u);
    EXPECT_EQ(stats.TrophyProgress[3].place, 0u);
    EXPECT_EQ(career->GetSlot(0)->m_PlayerThrows, 0u);
    for (s32 item = 0; item < s32(DB_ITEM_COUNT); ++item)
        ASSERT_EQ(career->ItemPurchased(item), 0) << item;
    const s_Character_Equipment& e = *career->GetEquipment();
    for (s32 slot : {e.Ball1, e.Ball2, e.Shirt, e.Shoe, e.Acc1, e.Hat, e.Glasses})
        EXPECT_EQ(slot, -1);
    // The name and the look were chosen before Init and stay.
    EXPECT_STREQ(career->GetName(), "ROLLER");
    EXPECT_EQ(career->GetCareerAttributes().hairStyle, 3);
}

TEST_F(CareerCharacterTest, OnlyTheExactCheatNameStartsRich) {
    const struct {
        const char* name;
        u32 money;
    } cases[] = {
        {"QORVANTE", 10000}, {"qorvante", 600}, {"QORVANT", 600}, {"QORVANTEX", 10000},  // cut to 8
        {"", 600},
    };
    for (const auto& c : cases) {
        career->SetName(c.name);
        career->Init();
        EXPECT_EQ(career->GetMoney(), c.money) << c.name;
    }
    career->SetName(nullptr);
    EXPECT_STREQ(career->GetName(), "");
}

TEST_F(CareerCharacterTest, LeavingTheScratchSlotForASaveSlotTakesTheBowlerAlong) {
    career->SetCurrSlot(CAREER_SCRATCH_SLOT);
    career->SetName("NEWBIE");
    career->Init();
    career->ChangeMoney(50);

    career->SetCurrSlot(2);
    EXPECT_STREQ(career->GetName(), "NEWBIE");
    career->ChangeMoney(100);
    EXPECT_EQ(career->GetSlot(CAREER_SCRATCH_SLOT)->m_Stats.m_Money, 650u) << "an independent copy";
    EXPECT_STREQ(career->GetSlot(0)->m_Name, "ROLLER");

    // Only leaving the scratch slot copies.
    career->SetCurrSlot(CAREER_SCRATCH_SLOT);
    career->SetCurrSlot(CAREER_SLOT_INVALID);
    career->SetCurrSlot(1);
    EXPECT_STREQ(career->GetName(), "");
}

TEST_F(CareerCharacterTest, SlotsOutsideTheRangeAreRefusedAndTheInvalidSlotKeepsNothing) {
    for (s8 bad : {5, -2}) {
        career->SetCurrSlot(bad);
        EXPECT_EQ(career->GetCurrSlot(), 0);
        EXPECT_EQ(career->GetSlot(bad), nullptr);
    }
    EXPECT_NE(career->GetSlot(CAREER_SCRATCH_SLOT), nullptr);

    career->SetCurrSlot(CAREER_SLOT_INVALID);
    EXPECT_EQ(career->GetSlot(CAREER_SLOT_INVALID), nullptr);
    EXPECT_EQ(career->ChangeMoney(300), 0);
    EXPECT_EQ(career->ItemBuy(BALL_FIRST), 0);
    career->SetName("GHOST");
    career->GetStats().m_TotalWins = 9;
    career->GetEquipment()->Ball1 = 3;
    career->Init();
    EXPECT_STREQ(career->GetName(), "");
    EXPECT_EQ(career->GetMoney(), 0u);
    EXPECT_EQ(career->GetTotalWins(), 0u);
    EXPECT_EQ(career->GetEquipment()->Ball1, -1);
    // No save slot changed.
    EXPECT_STREQ(career->GetSlot(0)->m_Name, "ROLLER");
    EXPECT_EQ(career->GetSlot(0)->m_Stats.m_Money, 600u);
}

TEST_F(CareerCharacterTest, MoneyNeverGoesBelowZeroAndOnlyGainsAreEarnings) {
    const struct {
        s32 amount;
        s32 applied;
        u32 money;
        u32 earnings;
    } steps[] = {
        {250, 1, 250, 250},
        {-250, 1, 0, 250},
        {-1, 0, 0, 250},
        {0, 1, 0, 250},
        {INT32_MIN, 0, 0, 250},
        {INT32_MAX, 1, u32(INT32_MAX), 250 + u32(INT32_MAX)},
        {INT32_MAX, 1, 2 * u32(INT32_MAX), UINT32_MAX},  // earnings saturate
        {INT32_MAX, 1, UINT32_MAX, UINT32_MAX},          // money too
    };
    career->ChangeMoney(-600);
    for (const auto& s : steps) {
        EXPECT_EQ(career->ChangeMoney(s.amount), s.applied) << s.amount;
        EXPECT_EQ(career->GetMoney(), s.money) << s.amount;
        EXPECT_EQ(career->GetTotalEarnings(), s.earnings) << s.amount;
    }
}

TEST_F(CareerCharacterTest, BuyingEquippingAndTakingOff) {
    EXPECT_EQ(career->EquipItem(BALL_FIRST), 0) << "not bought yet";
    EXPECT_EQ(career->ItemBuy(BALL_FIRST), 1);
    EXPECT_EQ(career->ItemBuy(BALL_FIRST), 0) << "bought twice";
    for (s32 bad : {-1, s32(DB_ITEM_COUNT), 100}) {
        EXPECT_EQ(career->ItemBuy(bad), 0) << bad;
        EXPECT_EQ(career->ItemEquiped(bad), 0) << bad;
    }
    EXPECT_EQ(career->UnEquipItem(BALL_FIRST), 0) << "not worn";
    EXPECT_EQ(career->EquipItem(BALL_FIRST), 1);
    EXPECT_EQ(career->EquipItem(BALL_FIRST), 1) << "again";
    EXPECT_EQ(career->ItemEquiped(BALL_FIRST), 1);
    EXPECT_EQ(career->UnEquipItem(BALL_FIRST), 1);
    EXPECT_EQ(career->ItemEquiped(BALL_FIRST), 0);
    EXPECT_EQ(career->ItemPurchased(BALL_FIRST), 1) << "still owned";
    EXPECT_EQ(career->GetEquipment()->Ball2, -1);
}

TEST_F(CareerCharacterTest, EachTypeGoesIntoItsSlot) {
    const struct {
        s32 item;
        s32 s_Character_Equipment::*slot;
    } cases[] = {
        {MALE_SHIRT, &s_Character_Equipment::Shirt},     {MALE_SHOES, &s_Character_Equipment::Shoe},
        {MALE_ACC, &s_Character_Equipment::Acc1},        {MALE_HAT, &s_Character_Equipment::Hat},
        {MALE_GLASSES, &s_Character_Equipment::Glasses},
    };
    s_Character_Equipment& e = *career->GetEquipment();
    for (const auto& c : cases) {
        Own(c.item, true);
        EXPECT_EQ(e.*c.slot, c.item);
        // The other item of the type replaces it and the first stays owned.
        Own(c.item + 1, true);
        EXPECT_EQ(e.*c.slot, c.item + 1);
        EXPECT_EQ(career->ItemEquiped(c.item), 0);
        EXPECT_EQ(career->ItemPurchased(c.item), 1);
    }
    EXPECT_EQ(e.Ball1, -1);
}

TEST_F(CareerCharacterTest, BallsFillBall1ThenBall2ThenReplaceBall2) {
    s_Character_Equipment& e = *career->GetEquipment();
    for (s32 ball = HOUSE_BALL; ball <= BALL_FIRST + 2; ++ball)
        Own(ball, true);
    EXPECT_EQ(e.Ball1, HOUSE_BALL);
    EXPECT_EQ(e.Ball2, BALL_FIRST + 2);
    EXPECT_EQ(career->ItemEquiped(BALL_FIRST), 0);
    // Taking off the first ball frees Ball1 for the next one.
    career->UnEquipItem(HOUSE_BALL);
    Own(BALL_LAST, true);
    EXPECT_EQ(e.Ball1, BALL_LAST);
    // Taking off clears every slot holding the item, even one written in place.
    e.Ball1 = e.Ball2;
    EXPECT_EQ(career->UnEquipItem(e.Ball2), 1);
    EXPECT_EQ(e.Ball1, -1);
    EXPECT_EQ(e.Ball2, -1);
}

TEST_F(CareerCharacterTest, ModifiedValuesAddTheBonusesOfWhatIsWorn) {
    Own(BALL_FIRST + 1, true);    // hook +10, arm +3
    Own(MALE_ACC, true);          // hook +4
    Own(MALE_HAT + 1, true);      // reputation +5
    Own(MALE_GLASSES + 1, true);  // accuracy +3, reputation -2
    Own(MALE_SHOES + 1, false);   // owned, not worn: accuracy +6 does not count
    EXPECT_EQ(career->GetModHookControl(), 34u);
    EXPECT_EQ(career->GetModArmStrength(), 23u);
    EXPECT_EQ(career->GetModAccuracy(), 23u);
    EXPECT_EQ(career->GetModReputation(), 3);
    EXPECT_EQ(career->GetStats().m_HookControl, 20u) << "the bowler's own value";

    // An item worn in both ball slots counts once.
    career->GetEquipment()->Ball2 = BALL_FIRST + 1;
    EXPECT_EQ(career->GetModHookControl(), 34u);

    // Capped at the skill maximum; reputation never below 0.
    career->SetHookControl(95);
    EXPECT_EQ(career->GetModHookControl(), 100u);
    career->UnEquipItem(MALE_HAT + 1);
    EXPECT_EQ(career->GetModReputation(), 0);
}

TEST_F(CareerCharacterTest, SkillPointsRaiseTheLowestSkillsAndReportThem) {
    s_Character_Stats& stats = career->GetStats();
    stats.m_ArmStrength = 30;
    stats.m_Accuracy = 25;
    stats.m_HookControl = 25;
    stats.m_Stamina = 40;
    career->AddSkillPoints(25);
    EXPECT_EQ(career->ApplySkillPoints(), SKILL_RAISED_ACCURACY | SKILL_RAISED_HOOK_CONTROL);
    EXPECT_EQ(stats.m_Accuracy, 26u);
    EXPECT_EQ(stats.m_HookControl, 26u);
    EXPECT_EQ(stats.m_SkillPoints, 5u);  // kept for later

    career->AddSkillPoints(5);
    career->ChangeReputation(4);
    career->ChangeReputation(3);
    EXPECT_EQ(career->ApplySkillPoints(), SKILL_RAISED_ACCURACY | REPUTATION_UP);
    // Applying again changes nothing more, and the last game's change stays readable.
    EXPECT_EQ(career->ApplySkillPoints(), 0u);
    EXPECT_EQ(career->GetReputation(), 7);
    EXPECT_EQ(career->m_RepChange, 7);

    // The next game starts a new change; a loss below 0 stops at 0 and says what it took.
    career->ChangeReputation(-20);
    EXPECT_EQ(career->ApplySkillPoints(), REPUTATION_DOWN);
    EXPECT_EQ(career->GetReputation(), 0);
    EXPECT_EQ(career->m_RepChange, -7);
}

TEST_F(CareerCharacterTest, SkillPointsStopWhenEverySkillIsFull) {
    for (auto set : {&CCareerCharacter::SetArmStrength, &CCareerCharacter::SetAccuracy,
                     &CCareerCharacter::SetHookControl, &CCareerCharacter::SetStamina})
        (career->*set)(150);  // capped at 100
    career->AddSkillPoints(UINT32_MAX);
    career->AddSkillPoints(10);  // saturates
    EXPECT_EQ(career->ApplySkillPoints(), 0u);
    EXPECT_EQ(career->GetStats().m_SkillPoints, UINT32_MAX);
    EXPECT_EQ(career->GetStats().m_ArmStrength, 100u);
}

TEST_F(CareerCharacterTest, AGameResetRemovesTheCareerAndTheShopLists) {
    CareerManagersCreate();
    GameColdReset();
    EXPECT_EQ(CCareerCharacter::GetInstance(), nullptr);
    EXPECT_EQ(pEquipmentManager, nullptr);
    CCareerCharacter::CreateInstance();
    EXPECT_EQ(CCareerCharacter::GetInstance()->GetCurrSlot(), CAREER_SLOT_INVALID);
}

}  // namespace
