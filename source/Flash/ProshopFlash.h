// The pro shop: six rows (balls, shirts, shoes, wrist guards, hats, glasses)
// browse the equipment manager's lists, with the bowler wearing the item under
// the cursor, or the ball itself, beside them. Accept equips or takes off an
// owned item, or asks the flow (through gProshopData and the general popup) to
// buy one. The career flows own the object and its two layers.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Camera.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/EquipmentManager.h"
#include "source/Career/ItemConstruction.h"
#include "source/Flash/FlashLocals.h"

constexpr s32 PROSHOP_NUM_ROWS = 6;
constexpr u32 PROSHOP_TEXT_SIZE = 32;
constexpr u32 PROSHOP_INV_SIZE = 20;

// The purchase the shop hands to the flow.
struct ProshopData {
    s32 m_Buy_popup;   // 1: the popup asks to buy; 0: it says there is not enough money
    u32 m_Item_Index;  // the item accepted last
    s32 m_Item_Price;
};
extern ProshopData* gProshopData;  // made by the shop, freed with it

extern SFP_SCREEN_INFO_t CareerProshopFlashScreen[2];

class CCareerProshopFlash : public CFlashPage<CCareerProshopFlash, CareerProshopFlashScreen> {
public:
    CCareerProshopFlash();
    ~CCareerProshopFlash();

    s32 Load();  // 0 when the layer could not be loaded
    void OpenBG();
    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);
    void Draw();

    // Whether leaving must save: money, what is owned, what is worn or the look
    // differs from when the shop opened.
    s32 Changed();
    // The preview back to what the career bowler wears, stored as the career look.
    void RestoreEquippedItems(s32 skipModels);
    void RestoreEquippedItem(EquipType type, s32 skipModels);
    void UpdateEquipmentCount();

    s_Vector3 m_vCurrModelPos;
    f32 m_fRotation = 0.0f;  // degrees to turn the bowler on the next draw
    s32 m_bDisplayBodyModel = 0;
    s32 m_bDisplayBallModel = 1;
    CBallConstruction m_BallConstruction;
    u8 CurrentList = EQUIPMENT_LIST_BALLS;
    Equipment Item;
    char m_Price[PROSHOP_TEXT_SIZE] = {};
    char m_Att1[PROSHOP_TEXT_SIZE] = {};
    char m_Att2[PROSHOP_TEXT_SIZE] = {};
    char m_Balls[PROSHOP_INV_SIZE] = {};
    char m_Clothes[PROSHOP_INV_SIZE] = {};
    char m_Other[PROSHOP_INV_SIZE] = {};
    char m_Cash[PROSHOP_INV_SIZE] = {};
    CCamera m_Camera;
    s_Vector3 m_vBallPosition;
    s_Character_Attributes m_OriginalPlayerAttributes{};
    // What the career bowler had when the shop opened, for Changed.
    s_Character_Equipment m_OriginalEquipment{};
    u32 m_OriginalMoney = 0;
    u8 m_OriginalOwned[DB_ITEM_COUNT] = {};
    u8 m_uEquipmentPurchasedCounts[EQUIP_TYPE_COUNT] = {};
    s32 m_bSortRequired[PROSHOP_NUM_ROWS] = {};

private:
    s32 Row() const;
    // The manager's item, or none on an accessory row without an item of its type.
    Equipment ShownItem() const;
    // Steps the accessory list (right: forwards) to an item of the row's type, at
    // most once round the list.
    void StepToRowType(s32 right);
    void MoveCursor(SFP_SCREEN_INFO_t* info, s32 down);
    void ChangeItem(s32 right);
    void Accept();
    void EquipOwned(s32 row);
    void UpdateSort(s32 row);
    void SetSelectText();
    void SetPriceText();
    void SetItemTexts();
    void ToggleBallCards();
    void UpdateItemModels();
    void RebuildBody(s32 oldShirtType);
};

void CareerProshopDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);
