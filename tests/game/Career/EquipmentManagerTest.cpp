// The pro shop's lists: by gender, wrapping, sorted by what the bowler has.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/Career/EquipmentManager.h"
#include "tests/game/Career/CareerFixture.h"

namespace {

using namespace testdb;

class EquipmentManagerTest : public CareerFixture {
protected:
    void SetGender(s32 gender) {
        s_Character_Attributes look = career->GetCareerAttributes();
        look.gender = gender;
        career->SetCareerAttributes(look);
        shop.Init();
    }

    // The item indices of a list, from its first item.
    std::vector<s32> List(u8 list) {
        shop.ChangeItemType(list);
        std::vector<s32> items;
        s32 first = shop.CurrentItem().GetIndex();
        if (first == -1)
            return items;
        items.push_back(first);
        for (s32 next = shop.NextItem().GetIndex(); next != first; next = shop.NextItem().GetIndex())
            items.push_back(next);
        return items;
    }

    CEquipmentManager shop;
};

TEST_F(EquipmentManagerTest, ListsHoldTheItemsOfTheBowlersGender) {
    const struct {
        s32 gender;
        u8 list;
        std::vector<s32> items;
    } cases[] = {
        {1, EQUIPMENT_LIST_BALLS, {0, 1, 2, 3, 4}},
        {0, EQUIPMENT_LIST_SHIRTS, {MALE_SHIRT, MALE_SHIRT + 1}},
        {1, EQUIPMENT_LIST_SHOES, {FEMALE_SHOES, FEMALE_SHOES + 1}},
        {0, EQUIPMENT_LIST_ACCESSORIES, {13, 14, 17, 18, 21, 22}},
        {1, EQUIPMENT_LIST_ACCESSORIES, {15, 16, 19, 20, 23, 24}},
    };
    for (const auto& c : cases) {
        SetGender(c.gender);
        EXPECT_EQ(List(c.list), c.items) << "gender " << c.gender << " list " << int(c.list);
    }
}

TEST_F(EquipmentManagerTest, TheCursorWrapsBothWays) {
    SetGender(0);
    shop.ChangeItemType(EQUIPMENT_LIST_SHIRTS);
    EXPECT_EQ(shop.PreviousItem().GetIndex(), MALE_SHIRT + 1);
    EXPECT_EQ(shop.NextItem().GetIndex(), MALE_SHIRT);
    shop.SetItem(1);
    shop.SetItem(2);  // past the end: stays
    EXPECT_EQ(shop.CurrentItem().GetIndex(), MALE_SHIRT + 1);
    // Other list numbers change nothing.
    for (u8 list : {0, 5, 255}) {
        shop.ChangeItemType(list);
        EXPECT_EQ(shop.CurrentItem().GetIndex(), MALE_SHIRT + 1) << int(list);
    }
}

TEST_F(EquipmentManagerTest, EmptyListsGiveEmptyItems) {
    uDBItemCount = 1;  // the house ball only
    shop.Init();
    for (u8 list = EQUIPMENT_LIST_SHIRTS; list <= EQUIPMENT_LIST_ACCESSORIES; ++list) {
        shop.ChangeItemType(list);
        for (const Equipment& e : {shop.CurrentItem(), shop.NextItem(), shop.PreviousItem()}) {
            EXPECT_EQ(e.GetIndex(), -1);
            EXPECT_STREQ(e.GetName(), "");
            EXPECT_STREQ(e.GetDescription(), "");
        }
        shop.SetItem(0);
        shop.SortEquipment(EQUIP_TYPE_HAT);
    }
    shop.ChangeItemType(EQUIPMENT_LIST_BALLS);
    EXPECT_EQ(shop.NextItem().GetIndex(), HOUSE_BALL);
}

TEST_F(EquipmentManagerTest, SortingPutsEquippedThenOwnedThenTheRest) {
    SetGender(0);
    Own(3, false);
    Own(4, true);
    Own(1, false);
    Own(2, true);
    shop.SortEquipment(EQUIP_TYPE_BALL);
    EXPECT_EQ(List(EQUIPMENT_LIST_BALLS), (std::vector<s32>{2, 4, 1, 3, 0}));
    // Sorting another type leaves the balls alone.
    career->UnEquipItem(2);
    shop.SortEquipment(EQUIP_TYPE_SHIRT);
    EXPECT_EQ(List(EQUIPMENT_LIST_BALLS), (std::vector<s32>{2, 4, 1, 3, 0}));
    // Sorting again follows the change, keeping database order within a group.
    shop.SortEquipment(EQUIP_TYPE_BALL);
    EXPECT_EQ(List(EQUIPMENT_LIST_BALLS), (std::vector<s32>{4, 1, 2, 3, 0}));

    // Hats, glasses and wrist guards share one list.
    Own(MALE_GLASSES + 1, true);
    Own(MALE_HAT, false);
    shop.SortEquipment(EQUIP_TYPE_HAT);
    EXPECT_EQ(List(EQUIPMENT_LIST_ACCESSORIES), (std::vector<s32>{22, 17, 13, 14, 18, 21}));
}

TEST_F(EquipmentManagerTest, BonusesReadAsText) {
    SetGender(0);
    shop.SetItem(2);
    Equipment ball = shop.CurrentItem();
    char text[EQUIPMENT_ATTRIB_STR_SIZE];
    EXPECT_STREQ(ball.GetAttrib1Str(text), "+10 Hook Control");
    EXPECT_STREQ(ball.GetAttrib2Str(text), "+3 Arm Strength");

    shop.ChangeItemType(EQUIPMENT_LIST_ACCESSORIES);
    shop.SetItem(5);
    Equipment goggles = shop.CurrentItem();
    EXPECT_STREQ(goggles.GetAttrib2Str(text), "-2 Reputation");
    shop.SetItem(0);
    EXPECT_STREQ(shop.CurrentItem().GetAttrib2Str(text), "");
}

}  // namespace
