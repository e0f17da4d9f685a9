#include "source/Flash/CacModelScreens.h"

#include <cstdio>
#include <iterator>

#include "orblib47/source/DrawPrim.h"
#include "source/Flash/CacModelScreensInternal.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr u32 kTextSelect = 6888, kTextBack = 6889, kTextKeyboardSelect = 6890, kTextHint1 = 6980,
              kTextHint2 = 6981, kTextTypeName = 6982, kTextName = 6983, kTextGender = 6984, kTextMale = 6985,
              kTextFemale = 6986, kTextHand = 7007, kTextLeft = 7008, kTextRight = 7009;

enum { kTxtSelect, kTxtBack, kTxtRotate1 };             // background sprites
enum { kRowName, kRowGender, kRowHand, kNumMainRows };  // main page rows
constexpr s32 kTxtRotate = 6;                           // main page sprite

SFP_SCREEN_LABEL_t s_Labels[CAC_NUM_LAYERS][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                                  {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                                  {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_MainButtons[kNumMainRows] = {{"Button01", 0}, {"Button02", 0}, {"Button03", 0}};
SFP_SCREEN_BTN_t s_PageButtons[CAC_PAGE_ROWS] = {
    {"Button00", 0}, {"Button01", 0}, {"Button02", 0}, {"Button03", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {{"txtSelect", 0, {}}, {"txtBack", 0, {}}, {"TxtRotate1", 0, {}}};
SFP_SCREEN_SPRITE_LOOKUP_t s_MainSprites[] = {
    {"TxtBtn01", 0, {}}, {"TxtSel01", 0, {}}, {"TxtBtn02", 0, {}},  {"TxtSel02", 0, {}},
    {"TxtBtn03", 0, {}}, {"TxtSel03", 0, {}}, {"TxtRotate", 0, {}},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_PageSprites[] = {
    {"TxtBtn00", 0, {}}, {"TxtSel00", 0, {}}, {"TxtBtn01", 0, {}}, {"TxtSel01", 0, {}},
    {"TxtBtn02", 0, {}}, {"TxtSel02", 0, {}}, {"TxtBtn03", 0, {}}, {"TxtSel03", 0, {}},
    {"Button00", 0, {}}, {"Button01", 0, {}}, {"Button02", 0, {}}, {"Button03", 0, {}},
};

// Whether a page is playing its way out: it takes no more input, so a press after
// its answer cannot answer again.
bool Leaving(s32 handle) {
    const SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(handle);
    const s32 transOut = info != nullptr ? info->subScreens[SFP_LABEL_TRANS_OUT].frame : -1;
    return transOut >= 0 && SFP2KGetCurFrame(handle) >= u32(transOut);
}

}  // namespace

SFP_SCREEN_INFO_t CacModelScreen[CAC_NUM_LAYERS] = {
    {
        .fileName = "CACBG",
        .subScreens = s_Labels[0],
        .Draw = MenuCACDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "CACMAIN1",
        .numButtons = kNumMainRows,
        .subScreens = s_Labels[1],
        .Update = CacModelScreensUpdate,
        .numSpriteLookups = s32(std::size(s_MainSprites)),
        .spriteLookups = s_MainSprites,
        .buttons = s_MainButtons,
    },
    {
        .fileName = "CAC3GENE",
        .numButtons = CAC_PAGE_ROWS,
        .subScreens = s_Labels[2],
        .Update = CacModelScreensUpdate,
        .numSpriteLookups = s32(std::size(s_PageSprites)),
        .spriteLookups = s_PageSprites,
        .buttons = s_PageButtons,
    },
};

void CacModelScreensUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    CCacModelScreens* owner = FlashOwner<CCacModelScreens>(handle);
    if (owner != nullptr && !Leaving(handle))
        owner->Update(info);
}

CPlayerConstruction& CacModel() {
    return g_Players[0].m_PlayerConstruction;
}

CCacModelScreens::CCacModelScreens()
    : m_vCurrModelPos(CAC_FULL_BODY_POS),
      m_vModelFullBodyPos(CAC_FULL_BODY_POS),
      m_vModelHeadCloseUpPos(CAC_HEAD_CLOSE_UP_POS) {
    s_Vector3 start{380, 430, 0, 0}, end{50, 430, 0, 0};
    m_Ticker.init(&start, &end, 0.75f, 0.75f, 2.0f, 0.5f);
    m_Camera.SetAutoCameraMode(E_CAMERA_MODE_INVALID);
}

CCacModelScreens::~CCacModelScreens() {
    Kill();
    CacModel().FreeAll();
}

s32 CCacModelScreens::LoadBG() {
    m_iScreenBG = FlashLoad(CacModelScreen[0], this);
    if (m_iScreenBG == -1)
        return 0;
    // Disc texts: a long one is cut to its buffer.
    std::snprintf(m_TickerMessage2, sizeof(m_TickerMessage2), "%s", SymbolText(kTextHint1));
    std::snprintf(m_TickerMessage3, sizeof(m_TickerMessage3), "%s", SymbolText(kTextHint2));
    m_Ticker.setTickerText(m_TickerMessage2);
    m_Ticker.setTextColor(0xFFFFFFFF);
    m_Ticker.setDelayTime(1.0f);
    m_Ticker.m_NumQText = 2;
    m_Ticker.setQueueText(m_TickerMessage2, 0);
    m_Ticker.setQueueText(m_TickerMessage3, 1);
    return 1;
}

void CCacModelScreens::LoadCACScreens() {
    m_iScreenSubMain = FlashLoad(CacModelScreen[1], this);
    m_iScreenSubGeneric = FlashLoad(CacModelScreen[2], this);
}

void CCacModelScreens::OpenBG(s32 editFlag) {
    if (!FlashOpenOnce(m_iScreenBG))
        return;
    SFP2KSpriteSetText(m_iScreenBG, kTxtSelect, SymbolText(kTextSelect));
    SFP2KSpriteSetText(m_iScreenBG, kTxtBack, SymbolText(kTextBack));
    m_Camera.SetLookAt(&CAC_CAMERA_LOOK_AT);
    m_Camera.SetPosition(&CAC_CAMERA_POSITION);
    m_Camera.m_fov = 45.0f;
    m_Camera.Update();
    CPlayerConstruction& model = CacModel();
    model.AnimInit(m_vCurrModelPos.x, m_vCurrModelPos.y, m_vCurrModelPos.z);
    if (editFlag == 0)
        model.SetDefaultCACAttributes();
    UpdateAndResetBodyType();
    SFP2KSpriteHide(m_iScreenBG, kTxtRotate1);
    model.SetRotationY(CAC_TURN_Y);
    model.SetRotationZ(9.0f);
    model.SetRotationX(-3.0f);
}

void CCacModelScreens::CloseBG() {
    if (!FlashClose(m_iScreenBG))
        return;
    DrawSetProjection(m_oldProjMode);
    DrawSetCombineMode(m_oldCombineMode);
}

void CCacModelScreens::OpenSubScreenMain() {
    if (!FlashOpenOnce(m_iScreenSubMain))
        return;
    CacModelScreen[1].curButton = kRowName;
    SFP2KSpriteSetText(m_iScreenSubMain, 2 * kRowName, SymbolText(kTextName));
    SFP2KSpriteSetText(m_iScreenSubMain, 2 * kRowGender, SymbolText(kTextGender));
    SFP2KSpriteSetText(m_iScreenSubMain, 2 * kRowHand, SymbolText(kTextHand));
    SetMainValueTexts();
    SetNewBodyPos(&m_vModelFullBodyPos, CAC_GLIDE_SECONDS);
    g_ScreenTracker.m_CurrScreen = eScreen_List_CAC_Main;
    ShowAcceptHint();
    m_Ticker.m_bQueueLocked = 0;
    m_Ticker.ResetQueue();
    m_Ticker.setQueueText(m_TickerMessage2, 0);
    m_Ticker.ResetPos();
    m_Ticker.m_bPaused = 0;
}

void CCacModelScreens::SetMainValueTexts() {
    const s_Character_Attributes& look = CacModel().m_CharacterAttributes;
    SFP2KSpriteSetText(m_iScreenSubMain, 2 * kRowGender + 1,
                       SymbolText(look.gender ? kTextFemale : kTextMale));
    SFP2KSpriteSetText(m_iScreenSubMain, 2 * kRowHand + 1, SymbolText(look.hand ? kTextLeft : kTextRight));
}

void CCacModelScreens::SetNameText(const char* name) {
    SFP2KSpriteSetText(m_iScreenSubMain, 2 * kRowName + 1, name);
}

void CCacModelScreens::CloseSubScreenMain() {
    FlashClose(m_iScreenSubMain);
    if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS)
        FlashPlaySound(CAC_SFX_CLOSE);
    m_Ticker.m_bPaused = 1;
}

void CCacModelScreens::CloseSubScreenGeneric() {
    FlashClose(m_iScreenSubGeneric);
    m_Ticker.m_bPaused = 1;
}

void CCacModelScreens::KillSubScreenMain() {
    FlashKill(m_iScreenSubMain);
}

void CCacModelScreens::KillSubScreenGeneric() {
    FlashKill(m_iScreenSubGeneric);
}

void CCacModelScreens::Kill() {
    FlashKill(m_iScreenBG);
    KillSubScreenMain();
    KillSubScreenGeneric();
}

void CCacModelScreens::EnableTicker(s32 on) {
    if (on)
        m_Ticker.ResetPos();
    m_Ticker.m_bPaused = on ? 0 : 1;
}

void CCacModelScreens::ToggleRotateIcon(s32 show) {
    if (show)
        SFP2KSpriteShow(m_iScreenSubMain, kTxtRotate);
    else
        SFP2KSpriteHide(m_iScreenSubMain, kTxtRotate);
}

void CCacModelScreens::SetKeyboardNavText(s32 keyboard) {
    if (keyboard)
        SFP2KSpriteSetText(m_iScreenBG, kTxtSelect, SymbolText(kTextKeyboardSelect));
    else
        ShowAcceptHint();
}

void CCacModelScreens::ShowAcceptHint() {
    const bool nameRow =
        g_ScreenTracker.m_CurrScreen == eScreen_List_CAC_Main && CacModelScreen[1].curButton == kRowName;
    SFP2KSpriteSetText(m_iScreenBG, kTxtSelect, SymbolText(nameRow ? kTextTypeName : kTextSelect));
}

void CCacModelScreens::Update(SFP_SCREEN_INFO_t* info) {
    m_fRotation = 0.0f;
    m_Camera.Update();
    UpdateBodyPos();
    switch (g_ScreenTracker.m_CurrScreen) {
        case eScreen_List_CAC_Main:
            if (UpdateMain(info))
                return;  // the keyboard opens
            break;
        case eScreen_List_CAC_SubMale1:
        case eScreen_List_CAC_SubFemale1:
        case eScreen_List_CAC_Sub2:
            UpdatePage(info);
            break;
        default:
            return;  // the keyboard or a popup is up
    }
    const bool back = SFP2KButton(CAC_BUTTON_BACK, CAC_NEW_PRESS) != 0;
    if (back || SFP2KButton(CAC_BUTTON_ACCEPT, CAC_NEW_PRESS)) {
        for (char* text : m_sButtonTextBuf)
            text[0] = '\0';
        g_ScreenTracker.m_ScreenNav = back ? SFP_SCREEN_NAV_PREVIOUS : SFP_SCREEN_NAV_NEXT;
        FlashPlaySound(CAC_SFX_ACCEPT);
    } else if (SFP2KButton(CAC_BUTTON_TURN_MINUS, CAC_HELD)) {
        m_fRotation = -1.0f;
    } else if (SFP2KButton(CAC_BUTTON_TURN_PLUS, CAC_HELD)) {
        m_fRotation = 1.0f;
    } else if (SFP2KButton(CAC_BUTTON_FINISH, CAC_NEW_PRESS)) {
        FlashPlaySound(CAC_SFX_ACCEPT);
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        g_ScreenTracker.m_NextScreen = eScreen_List_Career_MainMenu;
    }
}

bool CCacModelScreens::UpdateMain(SFP_SCREEN_INFO_t* info) {
    // A on the name row types the name, as the name button does.
    if (info->curButton == kRowName &&
        (SFP2KButton(CAC_BUTTON_NAME, CAC_NEW_PRESS) || SFP2KButton(CAC_BUTTON_ACCEPT, CAC_NEW_PRESS))) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        g_ScreenTracker.m_NextScreen = eScreen_List_Keyboard;
        FlashPlaySound(CAC_SFX_ACCEPT);
        return true;
    }
    const s32 down = SFP2KButton(CAC_BUTTON_DOWN, CAC_NEW_PRESS);
    if (down || SFP2KButton(CAC_BUTTON_UP, CAC_NEW_PRESS)) {
        info->curButton = (info->curButton + (down ? 1 : kNumMainRows - 1)) % kNumMainRows;
        if (info->curButton == kRowName) {
            // Only the name row alternates the two hints.
            m_Ticker.setQueueText(m_TickerMessage2, 0);
            m_Ticker.ResetPos();
            m_Ticker.ResetQueue();
            m_Ticker.m_bQueueLocked = 0;
        } else if (m_Ticker.LockQueueToId(1)) {
            m_Ticker.ResetPos();
        }
        ShowAcceptHint();
        FlashPlaySound(CAC_SFX_MOVE);
    }
    const s32 right = SFP2KButton(CAC_BUTTON_RIGHT, CAC_NEW_PRESS);
    if (!right && !SFP2KButton(CAC_BUTTON_LEFT, CAC_NEW_PRESS))
        return false;
    CPlayerConstruction& model = CacModel();
    if (info->curButton == kRowGender) {
        // Two values: either way is the other one.
        model.SetCharGender(!model.m_CharacterAttributes.gender, 1);
        SetMainValueTexts();
        UpdateAndResetBodyType();
        FlashPlaySound(CAC_SFX_MOVE);
    } else if (info->curButton == kRowHand) {
        model.m_CharacterAttributes.hand = !model.m_CharacterAttributes.hand;
        SetMainValueTexts();
        FlashPlaySound(CAC_SFX_MOVE);
    }
    return false;
}
