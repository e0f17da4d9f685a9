#include "source/Flash/ProshopFlash.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "orblib47/source/Anim.h"
#include "source/Career/CareerCharacter.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/ProshopInternal.h"
#include "source/Flash/SymbolText.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/ScreenTracker.h"

ProshopData* gProshopData = nullptr;

namespace {

constexpr s32 kButtonTurnPlus = 16, kButtonTurnMinus = 17;
constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxClose = s32(0x80001999u), kSfxRefused = s32(0x8000199Au);

// Texts by string symbol.
constexpr u32 kTextBack = 6889, kTextBuy = 6908, kTextEquip = 6909, kTextTakeOff = 6910,
              kTextDescription = 7095, kTextLaneCondition = 7100, kTextBuyQuestion = 7101,
              kTextNoMoney = 7102, kTextPrice = 7186, kTextOwned = 7188, kTextEquipped = 7190;
constexpr u32 kTextInventory[4] = {7096, 7097, 7098, 7099};
constexpr u32 kTextCard[4] = {7182, 7183, 7184, kTextLaneCondition};

constexpr EquipType kRowType[PROSHOP_NUM_ROWS] = {EQUIP_TYPE_BALL, EQUIP_TYPE_SHIRT, EQUIP_TYPE_SHOES,
                                                  EQUIP_TYPE_ACC,  EQUIP_TYPE_HAT,   EQUIP_TYPE_GLASSES};
constexpr u8 kRowList[PROSHOP_NUM_ROWS] = {EQUIPMENT_LIST_BALLS,       EQUIPMENT_LIST_SHIRTS,
                                           EQUIPMENT_LIST_SHOES,       EQUIPMENT_LIST_ACCESSORIES,
                                           EQUIPMENT_LIST_ACCESSORIES, EQUIPMENT_LIST_ACCESSORIES};
constexpr u32 kRowText[PROSHOP_NUM_ROWS] = {7176, 7177, 7178, 7179, 7180, 7181};
constexpr s32 kRowHat = 4;
constexpr s32 kFirstAccessoryRow = 3;

// Layer 0 sprites.
enum { kTxtSelect, kTxtBack, kTxtRotate1 };
// Layer 1 sprites.
enum {
    kTxtBtn01 = 0,
    kTxtDown01 = 6,
    kTxtPriceTitle = 12,
    kTxtPrice = 13,
    kTxtAttribute01 = 14,
    kTxtAttribute02 = 15,
    kTxtCard01A = 16,  // then B, and the other three pairs
    kBall01 = 24,
    kShirts01 = 32,
    kShoes01 = 33,
    kAccess01 = 34,
    kTxtDetail01 = 35,
    kTxtDetail02 = 36,
    kTxtTitle01 = 37,
    kTxtInv01 = 41,
    kSprLock = 45,
};
constexpr s32 kNumBallCards = 8;
// The ball card of each ball sub-type, by its sprite.
constexpr s32 kBallCardOfSubType[kNumBallCards] = {kBall01 + 7, kBall01 + 0, kBall01 + 1, kBall01 + 2,
                                                   kBall01 + 3, kBall01 + 6, kBall01 + 4, kBall01 + 5};
constexpr s32 kBallCardPlayFrom = 48;

constexpr f32 kModelScale = 0.9f;
constexpr f32 kBallScale = 1.5f;

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[PROSHOP_NUM_ROWS] = {{"Button1", 0}, {"Button2", 0},  {"Button3", 0},
                                                {"Button4", 0}, {"Button06", 0}, {"Button07", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {{"txtSelect", 0, {}}, {"txtBack", 0, {}}, {"TxtRotate1", 0, {}}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"TxtBtn01", 0, {}},      {"TxtBtn02", 0, {}},   {"TxtBtn03", 0, {}},       {"TxtBtn04", 0, {}},
    {"TxtBtn05", 0, {}},      {"TxtBtn06", 0, {}},   {"txt01_down", 0, {}},     {"txt02_down", 0, {}},
    {"txt03_down", 0, {}},    {"txt04_down", 0, {}}, {"txt05_down", 0, {}},     {"txt06_down", 0, {}},
    {"txtPriceTitle", 0, {}}, {"txtPrice", 0, {}},   {"txtAttribute01", 0, {}}, {"txtAttribute02", 0, {}},
    {"txtCard01A", 0, {}},    {"txtCard01B", 0, {}}, {"txtCard02A", 0, {}},     {"txtCard02B", 0, {}},
    {"txtCard04A", 0, {}},    {"txtCard04B", 0, {}}, {"txtCard03A", 0, {}},     {"txtCard03B", 0, {}},
    {"Ball01", 0, {}},        {"Ball02", 0, {}},     {"Ball03", 0, {}},         {"Ball04", 0, {}},
    {"Ball05", 0, {}},        {"Ball06", 0, {}},     {"Ball07", 0, {}},         {"Ball08", 0, {}},
    {"Shirts01", 0, {}},      {"Shoes01", 0, {}},    {"Access01", 0, {}},       {"txtDetail01", 0, {}},
    {"txtDetail02", 0, {}},   {"TxtTitle01", 0, {}}, {"TxtTitle02", 0, {}},     {"TxtTitle03", 0, {}},
    {"TxtTitle04", 0, {}},    {"TxtInv01", 0, {}},   {"TxtInv02", 0, {}},       {"TxtInv03", 0, {}},
    {"TxtInv04", 0, {}},      {"SprLock", 0, {}},
};
static_assert(std::size(s_Sprites) == kSprLock + 1);

const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

}  // namespace

SFP_SCREEN_INFO_t CareerProshopFlashScreen[2] = {
    {
        .fileName = "CACBG",
        .subScreens = s_Labels[0],
        .Draw = CareerProshopDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "Proshop",
        .numButtons = PROSHOP_NUM_ROWS,
        .subScreens = s_Labels[1],
        .Update = CCareerProshopFlash::UpdateOwner,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
        .buttons = s_Buttons,
    },
};

// The bowler stands whole on the back layer's floor, right of the details, under
// the menu's title; the ball turns above the same floor.
CCareerProshopFlash::CCareerProshopFlash()
    : m_vCurrModelPos{1.27f, -0.96f, -1.46f, 0}, m_vBallPosition{0.62f, -0.17f, 1.11f, 0} {
    if (gProshopData == nullptr)
        gProshopData = new ProshopData;
    *gProshopData = {};
}

CCareerProshopFlash::~CCareerProshopFlash() {
    Kill();
    KillBG();
    ShopModel().FreeAll();
    ShopGuard().Reset();
    m_BallConstruction.Reset();
    delete gProshopData;
    gProshopData = nullptr;
}

s32 CCareerProshopFlash::Load() {
    m_iScreen = FlashLoad(CareerProshopFlashScreen[1], this);
    // The descriptor outlives the screen: every visit starts on the balls.
    CareerProshopFlashScreen[1].curButton = 0;
    return m_iScreen != -1;
}

void CCareerProshopFlash::OpenBG() {
    if (!FlashOpenOnce(m_iScreenBG))
        return;
    SetSelectText();
    SFP2KSpriteSetText(m_iScreenBG, kTxtBack, SymbolText(kTextBack));
    m_Camera.SetAutoCameraMode(E_CAMERA_MODE_INVALID);
    const s_Vector3 lookAt{0, 0, 0, 0}, position{0, 0, 3.2f, 0};
    m_Camera.SetLookAt(&lookAt);
    m_Camera.SetPosition(&position);
    m_Camera.m_fov = 45.0f;
    m_Camera.Update();
    // The preview starts from the career bowler's own look.
    CPlayerConstruction& model = ShopModel();
    model.m_CharacterAttributes = ShopCareer().GetCareerAttributes();
    model.CheckShirtColorAttributes();
    ShopGuard().SetScale(kModelScale);
    ShopGuard().UpdateGuardModel(ShopTextureOf(ShopCareer().GetEquipment()->Acc1, -1));
    model.AnimInit(m_vCurrModelPos.x, m_vCurrModelPos.y, m_vCurrModelPos.z);
    for (s32 row = 0; row < 3; ++row)
        for (s32 column = 0; column < 3; ++column)
            model.m_BodyTypeMatrix.at(row, column) *= kModelScale;
    model.UpdateBodyTypeModel();
    const s32 female = model.m_CharacterAttributes.gender != 0;
    model.PlayAnim(female ? BOWLER_ANIM_IDLE_FEMALE : BOWLER_ANIM_IDLE_MALE, 1.0f, HANIM_FLAG_REPEAT);
    m_BallConstruction.SetBallPosition(m_vBallPosition.x, m_vBallPosition.y, m_vBallPosition.z);
    m_BallConstruction.SetScale(kBallScale);
    SFP2KSpriteHide(m_iScreenBG, kTxtRotate1);
}

void CCareerProshopFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    for (s32 row = 0; row < PROSHOP_NUM_ROWS; ++row)
        SFP2KSpriteSetText(m_iScreen, kTxtBtn01 + row, SymbolText(kRowText[row]));
    SFP2KSpriteSetText(m_iScreen, kTxtPriceTitle, SymbolText(kTextPrice));
    SFP2KSpriteSetText(m_iScreen, kTxtDetail01, SymbolText(kTextDescription));
    for (s32 i = 0; i < 4; ++i)
        SFP2KSpriteSetText(m_iScreen, kTxtTitle01 + i, SymbolText(kTextInventory[i]));
    for (s32 sprite : {kShirts01, kShoes01, kAccess01, kSprLock})
        SFP2KSpriteHide(m_iScreen, sprite);
    g_ScreenTracker.m_CurrScreen = eScreen_List_Career_Proshop;
    CCareerCharacter& career = ShopCareer();
    m_OriginalPlayerAttributes = ShopModel().m_CharacterAttributes;
    m_OriginalEquipment = *career.GetEquipment();
    m_OriginalMoney = career.GetMoney();
    for (u32 item = 0; item < DB_ITEM_COUNT; ++item)
        m_OriginalOwned[item] = u8(career.ItemPurchased(s32(item)));
    UpdateEquipmentCount();
    for (u32 type = 0; type < EQUIP_TYPE_COUNT; ++type)
        pEquipmentManager->SortEquipment(EquipType(type));
    CurrentList = EQUIPMENT_LIST_BALLS;
    pEquipmentManager->ChangeItemType(CurrentList);
    pEquipmentManager->SetItem(0);
    m_bDisplayBallModel = 1;
    m_bDisplayBodyModel = 0;
    Item = ShownItem();
    UpdateItemModels();
    ToggleBallCards();
    FlashPlaySound(kSfxOpen);
}

void CCareerProshopFlash::Close() {
    FlashClose(m_iScreen);
    FlashPlaySound(kSfxClose);
}

s32 CCareerProshopFlash::Row() const {
    return CareerProshopFlashScreen[1].curButton;
}

Equipment CCareerProshopFlash::ShownItem() const {
    const Equipment item = pEquipmentManager->CurrentItem();
    const s32 row = Row();
    if (row >= kFirstAccessoryRow && item.GetEquipType() != kRowType[row])
        return Equipment();
    return item;
}

// A list holds at most DB_ITEM_COUNT items: past that many steps the row has none
// of its type, and the row shows no item.
void CCareerProshopFlash::StepToRowType(s32 right) {
    const EquipType type = kRowType[Row()];
    for (u32 step = 0; step < DB_ITEM_COUNT; ++step) {
        const Equipment item = pEquipmentManager->CurrentItem();
        if (item.GetIndex() == -1 || item.GetEquipType() == type)
            return;
        if (right)
            pEquipmentManager->NextItem();
        else
            pEquipmentManager->PreviousItem();
    }
}

// Both records are whole s32 fields, without padding.
s32 CCareerProshopFlash::Changed() {
    CCareerCharacter& career = ShopCareer();
    if (career.GetMoney() != m_OriginalMoney ||
        std::memcmp(career.GetEquipment(), &m_OriginalEquipment, sizeof(m_OriginalEquipment)) != 0 ||
        std::memcmp(&ShopModel().m_CharacterAttributes, &m_OriginalPlayerAttributes,
                    sizeof(m_OriginalPlayerAttributes)) != 0)
        return 1;
    for (u32 item = 0; item < DB_ITEM_COUNT; ++item)
        if (career.ItemPurchased(s32(item)) != m_OriginalOwned[item])
            return 1;
    return 0;
}

void CCareerProshopFlash::UpdateEquipmentCount() {
    CCareerCharacter& career = ShopCareer();
    for (u8& count : m_uEquipmentPurchasedCounts)
        count = 0;
    for (u32 row = 0; ItemsList != nullptr && row < uDBItemCount; ++row) {
        const s_DBItem& item = ItemsList[row];
        if (item.e_EquipType < EQUIP_TYPE_COUNT && career.ItemPurchased(item.m_Index))
            ++m_uEquipmentPurchasedCounts[item.e_EquipType];
    }
    const u8* owned = m_uEquipmentPurchasedCounts;
    const bool male = career.GetCareerAttributes().gender == 0;
    const u32 clothes = male ? uDBMShirtCount + uDBMShoesCount : uDBFShirtCount + uDBFShoesCount;
    std::snprintf(m_Balls, sizeof(m_Balls), "%d/%u", owned[EQUIP_TYPE_BALL], uDBBallCount);
    std::snprintf(m_Clothes, sizeof(m_Clothes), "%d/%u", owned[EQUIP_TYPE_SHIRT] + owned[EQUIP_TYPE_SHOES],
                  clothes);
    std::snprintf(m_Other, sizeof(m_Other), "%d/%u",
                  owned[EQUIP_TYPE_ACC] + owned[EQUIP_TYPE_HAT] + owned[EQUIP_TYPE_GLASSES],
                  male ? uDBMAccCount : uDBFAccCount);
    std::snprintf(m_Cash, sizeof(m_Cash), "$%u", career.GetMoney());
    const char* texts[] = {m_Balls, m_Clothes, m_Other, m_Cash};
    for (s32 i = 0; i < 4; ++i)
        SFP2KSpriteSetText(m_iScreen, kTxtInv01 + i, texts[i]);
}

void CCareerProshopFlash::SetSelectText() {
    CCareerCharacter& career = ShopCareer();
    const s32 row = Row();
    u32 text = kTextBuy;
    if (career.ItemPurchased(Item.GetIndex()))
        text = row != 1 && row != 2 && career.ItemEquiped(Item.GetIndex()) ? kTextTakeOff : kTextEquip;
    SFP2KSpriteSetText(m_iScreenBG, kTxtSelect, SymbolText(text));
}

void CCareerProshopFlash::SetPriceText() {
    CCareerCharacter& career = ShopCareer();
    u32 title = kTextPrice;
    m_Price[0] = '\0';
    if (career.ItemPurchased(Item.GetIndex()))
        title = career.ItemEquiped(Item.GetIndex()) ? kTextEquipped : kTextOwned;
    else if (Item.GetIndex() != -1)
        std::snprintf(m_Price, sizeof(m_Price), "$%u", Item.GetPrice());
    SFP2KSpriteSetText(m_iScreen, kTxtPriceTitle, SymbolText(title));
    SFP2KSpriteSetText(m_iScreen, kTxtPrice, m_Price);
}

// The ball's card texts come from its ball-info row, when the item has one.
void CCareerProshopFlash::SetItemTexts() {
    SFP2KSpriteSetText(m_iScreen, kTxtAttribute01, Item.GetAttrib1Str(m_Att1));
    SFP2KSpriteSetText(m_iScreen, kTxtAttribute02, Item.GetAttrib2Str(m_Att2));
    SFP2KSpriteSetText(m_iScreen, kTxtDetail02, Item.GetDescription());
    if (Item.GetEquipType() != EQUIP_TYPE_BALL)
        return;
    const s32 index = Item.GetIndex();
    const s_DBBallInfo* info = BallInfosList != nullptr && index >= 0 && u32(index) < DB_ITEM_COUNT
                                   ? &BallInfosList[index]
                                   : nullptr;
    const char* values[4] = {"", "", "", ""};
    if (info != nullptr) {
        values[0] = OrEmpty(info->m_CoverStock);
        values[1] = OrEmpty(info->m_Core);
        values[2] = OrEmpty(info->m_FactoryFinish);
        values[3] = OrEmpty(info->m_Oil);
    }
    for (s32 i = 0; i < 4; ++i) {
        SFP2KSpriteSetText(m_iScreen, kTxtCard01A + 2 * i, SymbolText(kTextCard[i]));
        SFP2KSpriteSetText(m_iScreen, kTxtCard01A + 2 * i + 1, values[i]);
    }
}

// A sub-type outside the cards shows none.
void CCareerProshopFlash::ToggleBallCards() {
    for (s32 card = 0; card < kNumBallCards; ++card) {
        SFP2KSpriteSetFrame(m_iScreen, kBall01 + card, 0);
        SFP2KSpriteHide(m_iScreen, kBall01 + card);
    }
    SFP2KSpriteSetText(m_iScreen, kTxtDown01 + Row(), Item.GetName());
    const s32 shown = CurrentList == EQUIPMENT_LIST_SHIRTS  ? kShirts01
                      : CurrentList == EQUIPMENT_LIST_SHOES ? kShoes01
                                                            : kAccess01;
    for (s32 sprite : {kShirts01, kShoes01, kAccess01}) {
        if (CurrentList != EQUIPMENT_LIST_BALLS && sprite == shown)
            SFP2KSpriteShow(m_iScreen, sprite);
        else
            SFP2KSpriteHide(m_iScreen, sprite);
    }
    const s32 subType = Item.m_Item.m_SubType;
    if (CurrentList != EQUIPMENT_LIST_BALLS || Item.GetIndex() == -1 || subType < 0 ||
        subType >= kNumBallCards)
        return;
    const s32 card = kBallCardOfSubType[subType];
    SFP2KSpriteShow(m_iScreen, card);
    SFP2KSpriteSetFrame(m_iScreen, card, kBallCardPlayFrom);
    SFP2KSpritePlay(m_iScreen, card, 0);
}

void CCareerProshopFlash::UpdateSort(s32 row) {
    if (m_bSortRequired[row] == 0)
        return;
    pEquipmentManager->SortEquipment(kRowType[row]);
    m_bSortRequired[row] = 0;
}

void CCareerProshopFlash::MoveCursor(SFP_SCREEN_INFO_t* info, s32 down) {
    FlashPlaySound(kSfxMove);
    const s32 row = Row();
    UpdateSort(row);
    const s32 next = (row + (down ? 1 : PROSHOP_NUM_ROWS - 1)) % PROSHOP_NUM_ROWS;
    info->curButton = next;
    RestoreEquippedItem(kRowType[row], 0);
    if (kRowList[next] != CurrentList) {
        CurrentList = kRowList[next];
        pEquipmentManager->ChangeItemType(CurrentList);
    }
    pEquipmentManager->SetItem(0);
    m_bDisplayBallModel = next == 0;
    m_bDisplayBodyModel = next != 0;
    if (next >= kFirstAccessoryRow)
        StepToRowType(1);
    Item = ShownItem();
    UpdateItemModels();
    // The hat row shows the bowler's hair under the hat.
    if ((next == kRowHat) != (row == kRowHat)) {
        ShopModel().UpdateHairModel();
        ShopModel().UpdateHairTexture();
    }
    ToggleBallCards();
}

void CCareerProshopFlash::ChangeItem(s32 right) {
    if (right)
        pEquipmentManager->NextItem();
    else
        pEquipmentManager->PreviousItem();
    if (Row() >= kFirstAccessoryRow)
        StepToRowType(right);
    Item = ShownItem();
    UpdateItemModels();
    ToggleBallCards();
    FlashPlaySound(kSfxMove);
}

void CCareerProshopFlash::EquipOwned(s32 row) {
    CCareerCharacter& career = ShopCareer();
    s_Character_Equipment& worn = *career.GetEquipment();
    const s32 item = Item.GetIndex();
    const EquipType type = kRowType[row];
    if (type == EQUIP_TYPE_BALL) {
        if (career.ItemEquiped(item))
            career.UnEquipItem(item);
        else if (worn.Ball1 == -1 || worn.Ball2 == -1)
            career.EquipItem(item);
        return;
    }
    // Shirts and shoes stay on when accepted again; the others come off.
    if (type >= EQUIP_TYPE_ACC && career.ItemEquiped(item)) {
        career.UnEquipItem(item);
        return;
    }
    s32* slots[PROSHOP_NUM_ROWS] = {nullptr, &worn.Shirt, &worn.Shoe, &worn.Acc1, &worn.Hat, &worn.Glasses};
    if (*slots[row] != -1)
        career.UnEquipItem(*slots[row]);
    career.EquipItem(item);
}

void CCareerProshopFlash::Accept() {
    const s32 row = Row();
    if (Item.GetIndex() == -1) {
        FlashPlaySound(kSfxRefused);
        return;
    }
    FlashPlaySound(kSfxAccept);
    CCareerCharacter& career = ShopCareer();
    gProshopData->m_Item_Index = u32(Item.GetIndex());
    if (career.ItemPurchased(Item.GetIndex())) {
        EquipOwned(row);
        m_bSortRequired[row] = 1;
        return;
    }
    if (Item.m_Item.bLocked != 0)
        return;
    if (career.GetMoney() >= Item.GetPrice()) {
        gProshopData->m_Item_Price = s32(Item.GetPrice());
        gProshopData->m_Buy_popup = 1;
        g_GenPopupFlow.SetButtons(eGenPopupButtons_YesNo, 1);
        g_GenPopupFlow.SetMessage(SymbolText(kTextBuyQuestion));
    } else {
        gProshopData->m_Buy_popup = 0;
        g_GenPopupFlow.SetButtons(eGenPopupButtons_OK, 1);
        g_GenPopupFlow.SetMessage(SymbolText(kTextNoMoney));
    }
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    m_bSortRequired[row] = 1;
}

void CCareerProshopFlash::Update(SFP_SCREEN_INFO_t* info) {
    Item = ShownItem();
    m_fRotation = 0.0f;
    m_Camera.Update();
    if (g_ScreenTracker.m_CurrScreen != eScreen_List_Career_Proshop)
        return;  // a popup is up
    if (Item.m_Item.bLocked != 0)
        SFP2KSpriteShow(m_iScreen, kSprLock);
    else
        SFP2KSpriteHide(m_iScreen, kSprLock);
    SetSelectText();
    if (Row() != 0)
        SFP2KSpriteShow(m_iScreenBG, kTxtRotate1);
    else
        SFP2KSpriteHide(m_iScreenBG, kTxtRotate1);
    SetPriceText();
    SetItemTexts();
    if (SFP2KButton(kButtonUp, kNewPress))
        MoveCursor(info, 0);
    else if (SFP2KButton(kButtonDown, kNewPress))
        MoveCursor(info, 1);
    if (SFP2KButton(kButtonLeft, kNewPress))
        ChangeItem(0);
    else if (SFP2KButton(kButtonRight, kNewPress))
        ChangeItem(1);
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        Accept();
    } else if (SFP2KButton(kButtonBack, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    } else if (SFP2KButton(kButtonTurnMinus, kHeld)) {
        m_fRotation = -1.0f;
    } else if (SFP2KButton(kButtonTurnPlus, kHeld)) {
        m_fRotation = 1.0f;
    }
}
