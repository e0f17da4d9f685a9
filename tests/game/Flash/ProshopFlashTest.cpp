// The pro shop on the demo disc's movies: what accept does to an item by what
// the bowler owns, wears and can pay, the rows whose data has holes, what makes
// leaving the shop save, room on the ball cards' lines, and how it looks.
#include <gtest/gtest.h>

#include <functional>

#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/ProshopFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/Flash/ProshopFixture.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

using ProshopFlashTest = ProshopFixture;

// The n-th men's item of a type, in database order.
s32 MensItem(EquipType type, u32 n) {
    for (u32 row = 0; row < uDBItemCount; ++row) {
        const s_DBItem& item = ItemsList[row];
        if (item.e_EquipType == type && item.m_Male == 1 && n-- == 0)
            return item.m_Index;
    }
    return -1;
}

s_DBItem& Row(s32 index) {
    return ItemsList[FindDbItem(index) - ItemsList];
}

TEST_F(ProshopFlashTest, AcceptBuysEquipsOrTakesOff) {
    const s32 spare = MensItem(EQUIP_TYPE_BALL, 1), second = MensItem(EQUIP_TYPE_BALL, 2),
              third = MensItem(EQUIP_TYPE_BALL, 3), shirt = MensItem(EQUIP_TYPE_SHIRT, 0),
              hat = MensItem(EQUIP_TYPE_HAT, 0);
    const u32 price = FindDbItem(spare)->m_Price;
    ASSERT_GT(price, 0u);
    auto own = [&](s32 item, bool wear) {
        career->ItemBuy(item);
        if (wear)
            career->EquipItem(item);
    };
    const struct {
        const char* what;
        u32 money;
        std::function<void()> before;
        const char* presses;
        eScreenNavigation nav;
        s32 buyPopup;  // -1: no purchase handed over
        s32 item;      // worn or not after
        s32 worn;
    } rows[] = {
        {"money equal to the price is enough", price, [] {}, "ra", SFP_SCREEN_NAV_NEXT, 1, spare, 0},
        {"a dollar short", price - 1, [] {}, "ra", SFP_SCREEN_NAV_NEXT, 0, spare, 0},
        {"a locked item", 5000, [&] { Row(spare).bLocked = 1; }, "ra", SFP_SCREEN_NAV_NONE, -1, spare, 0},
        // Sorted: the two worn, then the one owned.
        {"an owned ball with both slots full stays off", 0,
         [&] {
             own(spare, true);
             own(second, true);
             own(third, false);
         },
         "rra", SFP_SCREEN_NAV_NONE, -1, third, 0},
        {"a worn ball comes off", 0, [&] { own(spare, true); }, "a", SFP_SCREEN_NAV_NONE, -1, spare, 0},
        {"the shirt worn stays on", 0, [&] { own(shirt, true); }, "da", SFP_SCREEN_NAV_NONE, -1, shirt, 1},
        {"a worn hat comes off", 0, [&] { own(hat, true); }, "dddda", SFP_SCREEN_NAV_NONE, -1, hat, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        career->Init();
        Row(spare).bLocked = 0;
        SetMoney(row.money);
        row.before();
        g_ScreenTracker.Reset();
        CCareerProshopFlash shop;
        Show(shop);
        PressOn(shop.m_iScreen, row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.nav);
        if (row.buyPopup >= 0) {
            EXPECT_EQ(gProshopData->m_Buy_popup, row.buyPopup);
            EXPECT_EQ(gProshopData->m_Item_Index, u32(spare));
        }
        if (row.buyPopup == 1) {
            EXPECT_EQ(gProshopData->m_Item_Price, s32(price));
        }
        EXPECT_EQ(career->ItemEquiped(row.item), row.worn);
        EXPECT_EQ(career->GetMoney(), row.money) << "the flow takes the money, not the screen";
    }
    Row(spare).bLocked = 0;
}

// A hat row with no hat in the accessory list, a ball whose card sub-type is past
// the cards and one whose index is past the ball-info table: the shop shows no
// item or no card, and neither searches for ever nor reads past a table.
TEST_F(ProshopFlashTest, RowsWithHolesInTheirDataShowNothing) {
    std::vector<s32> hats;
    for (u32 row = 0; row < uDBItemCount; ++row)
        if (ItemsList[row].e_EquipType == EQUIP_TYPE_HAT) {
            hats.push_back(s32(row));
            ItemsList[row].e_EquipType = EQUIP_TYPE_ACC;
        }
    s_DBItem& house = ItemsList[0];
    const s_DBItem kept = house;
    house.m_SubType = 8;
    house.m_Index = s32(DB_ITEM_COUNT) + 100;
    pEquipmentManager->Init();
    {
        CCareerProshopFlash shop;
        Show(shop);
        EXPECT_EQ(shop.Item.GetIndex(), house.m_Index);
        PressOn(shop.m_iScreen, "dddd");
        EXPECT_EQ(shop.Item.GetIndex(), -1) << "no hat to show";
        PressOn(shop.m_iScreen, "rla");
        EXPECT_EQ(shop.Item.GetIndex(), -1);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE) << "nothing to buy";
        PressOn(shop.m_iScreen, "d");
        EXPECT_EQ(shop.Item.GetEquipType(), EQUIP_TYPE_GLASSES);
    }
    house = kept;
    for (s32 row : hats)
        ItemsList[row].e_EquipType = EQUIP_TYPE_HAT;
}

// Leaving saves when anything the save holds has changed: the money, what is
// owned, what is worn (balls too) or the look.
TEST_F(ProshopFlashTest, ChangedSeesEverythingTheSaveHolds) {
    // Owned before every visit; the other ball is not.
    const s32 ball = MensItem(EQUIP_TYPE_BALL, 1), guard = MensItem(EQUIP_TYPE_ACC, 0),
              other = MensItem(EQUIP_TYPE_BALL, 2);
    const struct {
        const char* what;
        std::function<void()> inShop;
        s32 changed;
        s32 glasses = -1;  // of the bowler's own making
    } rows[] = {
        {"nothing", [] {}, 0},
        {"nothing, in glasses the bowler was made with", [] {}, 0, 1},
        {"a ball bought",
         [&] {
             career->ChangeMoney(-s32(FindDbItem(other)->m_Price));
             career->ItemBuy(other);
         },
         1},
        {"an owned ball put on", [&] { career->EquipItem(ball); }, 1},
        {"an owned wrist guard put on", [&] { career->EquipItem(guard); }, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        career->Init();
        s_Character_Attributes look = CPlayerConstruction().m_CharacterAttributes;
        look.glasses = row.glasses;
        career->SetCareerAttributes(look);
        career->ItemBuy(ball);
        career->ItemBuy(guard);
        CCareerProshopFlash shop;
        Show(shop);
        row.inShop();
        shop.RestoreEquippedItems(1);
        EXPECT_EQ(shop.Changed(), row.changed);
        EXPECT_EQ(career->GetCareerAttributes().glasses, row.glasses);
    }
}

// Every ball's card gives each row's label and value room on their line: neither
// runs into the other.
TEST_F(ProshopFlashTest, EveryBallCardRowFitsItsLine) {
    // The cards' text lines in the movie: labels from x 6, values right-aligned to
    // x 156, in 17-pixel DORVACOND15.
    constexpr f32 kLine = 150.0f, kSize = 17.0f, kGap = 4.0f;
    CCareerProshopFlash shop;
    Show(shop);
    const s32 row = SFPFontAcquire("DORVACOND15", "the test");
    ASSERT_GE(row, 0);
    s_font* previous = FontSet(SFPFontOf(row));
    const s32 mode = FontSetMode(FONT_MODE_PROPORTIONAL);
    f32 scaleX, scaleY;
    FontGetScale(&scaleX, &scaleY);
    FontSetScale(kSize / f32(CurrentFont->height), kSize / f32(CurrentFont->height));
    const char* labels[4] = {SymbolText(kTextShopCardCover), SymbolText(kTextShopCardCore),
                             SymbolText(kTextShopCardFinish), SymbolText(kTextShopCardOil)};
    for (u32 i = 0; i < uDBItemCount; ++i) {
        const s_DBItem& item = ItemsList[i];
        if (item.e_EquipType != EQUIP_TYPE_BALL)
            continue;
        const s_DBBallInfo& info = BallInfosList[item.m_Index];
        const char* values[4] = {info.m_CoverStock, info.m_Core, info.m_FactoryFinish, info.m_Oil};
        for (s32 k = 0; k < 4; ++k)
            EXPECT_LE(FontStringWidth(labels[k]) + kGap + FontStringWidth(values[k]), kLine)
                << item.m_Name << ": " << labels[k] << " " << values[k];
    }
    FontSetScale(scaleX, scaleY);
    FontSetMode(mode);
    FontSet(previous);
    SFPFontRelease(row);
}

TEST_F(ProshopFlashTest, TheShopLooksAsKept) {
    const struct {
        const char* presses;
        const char* name;
    } pictures[] = {{"r", "proshop_balls"}, {"drr", "proshop_shirts"}};
    EventWait(GPU_BLACK_FRAMES);
    // Inside the menu's border, as the career shows it.
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    menu.OpenBorder(SymbolText(kTextShopTitle), "");
    for (const auto& picture : pictures) {
        CCareerProshopFlash shop;
        Show(shop);
        PressOn(shop.m_iScreen, picture.presses);
        EventWait(60);
        ExpectLooksAsKept(picture.name);
    }
}

}  // namespace
