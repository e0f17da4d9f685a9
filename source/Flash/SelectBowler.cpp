#include "source/Flash/SelectBowler.h"

#include <iterator>

#include "orblib47/source/Sound.h"
#include "source/Career/CareerCharacter.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/ShellLights.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LoadSave/LoadSave.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxRefused = s32(0x8000199Au);
constexpr u32 kTextSelect = 6890, kTextBack = 6889, kTextNewCareer = 6967, kTextLoadCareer = 6968,
              kTextEmpty = 6975;
constexpr s32 kBG = 0, kSelect = 1;
constexpr s32 kNumSlots = 4;
constexpr s32 kTextsPerSlot = 3;

// Select layer sprites.
constexpr s32 kYesSprite = 12, kNoSprite = 13, kMessageSpr = 14, kFirstButtonSprite = 16;
constexpr s32 kNoFrame = 9;
constexpr u32 kPlayChosen = 48;

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[kNumSlots] = {{"Button1", 0}, {"Button2", 0}, {"Button3", 0}, {"Button4", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {{"txtSelect", 0, {}}, {"txtBack", 0, {}}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"TxtTitleA1", 0, {}}, {"TxtTitleA2", 0, {}}, {"TxtTitleA3", 0, {}}, {"TxtTitleB1", 0, {}},
    {"TxtTitleB2", 0, {}}, {"TxtTitleB3", 0, {}}, {"TxtTitleC1", 0, {}}, {"TxtTitleC2", 0, {}},
    {"TxtTitleC3", 0, {}}, {"TxtTitleD1", 0, {}}, {"TxtTitleD2", 0, {}}, {"TxtTitleD3", 0, {}},
    {"YesSprite", 0, {}},  {"NoSprite", 0, {}},   {"messageSpr", 0, {}}, {"txtMessage", 0, {}},
    {"Button1", 0, {}},    {"Button2", 0, {}},    {"Button3", 0, {}},    {"Button4", 0, {}},
};

void SetSlotTexts(s32 screen, s32 slot, const char* text) {
    for (s32 i = 0; i < kTextsPerSlot; ++i)
        SFP2KSpriteSetText(screen, slot * kTextsPerSlot + i, text);
}

}  // namespace

SFP_SCREEN_INFO_t selectBowlerScreen[2] = {
    {
        .fileName = "SlctBBG",
        .subScreens = s_Labels[0],
        .Draw = SelectBowlerDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "SlctBwlr",
        .numButtons = kNumSlots,
        .subScreens = s_Labels[1],
        .Update = SelectBowlerUpdate,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
        .buttons = s_Buttons,
    },
};

void SelectBowlerUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CSelectBowler* owner = FlashOwner<CSelectBowler>(handle))
        owner->Update(info);
}

void SelectBowlerDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CSelectBowler* owner = FlashOwner<CSelectBowler>(handle))
        owner->Draw();
}

CSelectBowler::CSelectBowler() = default;

CSelectBowler::~CSelectBowler() {
    Kill();
}

s32 CSelectBowler::Load() {
    for (s32 row = 0; row < 2; ++row)
        m_iScreenIds[row] = FlashLoad(selectBowlerScreen[row], this);
    m_Camera.SetAutoCameraMode(E_CAMERA_MODE_INVALID);
    // Framed like the quick-play front place, for the bowlers of our parts archive.
    const s_Vector3 lookAt{0, 0.2f, -1, 0}, position{0, 0.2f, 1.0f, 0};
    m_Camera.SetLookAt(&lookAt);
    m_Camera.SetPosition(&position);
    m_Camera.m_fov = 45.0f;
    CPlayerConstruction& model = g_Players[0].m_PlayerConstruction;
    model.AnimInit(m_vCurrModelPos.x, m_vCurrModelPos.y, m_vCurrModelPos.z);
    model.SetRotationY(-30.0f);
    model.SetRotationZ(9.0f);
    model.SetRotationX(-3.0f);
    return m_iScreenIds[kBG] != -1 && m_iScreenIds[kSelect] != -1;
}

void CSelectBowler::OpenBG() {
    const s32 screen = m_iScreenIds[kBG];
    if (screen == -1 || SFP2KIsScreenActive(screen))
        return;
    FlashOpen(screen);
    SFP2KSpriteSetText(screen, 0, SymbolText(kTextSelect));
    SFP2KSpriteSetText(screen, 1, SymbolText(kTextBack));
}

void CSelectBowler::CloseBG() {
    FlashClose(m_iScreenIds[kBG]);
}

void CSelectBowler::OpenSelectBowler(s32 career) {
    const s32 screen = m_iScreenIds[kSelect];
    if (screen == -1 || SFP2KIsScreenActive(screen))
        return;
    m_bCareer = career;
    FlashOpen(screen);
    SetSlotTexts(screen, 0, SymbolText(kTextNewCareer));
    SetSlotTexts(screen, 1, SymbolText(kTextLoadCareer));
    SetSlotTexts(screen, 2, "");
    SetSlotTexts(screen, 3, "");
    SFP2KSpritePause(screen, kYesSprite);
    SFP2KSpritePause(screen, kNoSprite);
    SFP2KSpriteSetFrame(screen, kNoSprite, kNoFrame);
    for (s32 sprite : {kYesSprite, kNoSprite, kMessageSpr, kFirstButtonSprite + 2, kFirstButtonSprite + 3})
        SFP2KSpriteHide(screen, sprite);
    selectBowlerScreen[kSelect].numButtons = 2;
    selectBowlerScreen[kSelect].curButton = 0;
    m_bDisplayModel = 0;
    g_ScreenTracker.m_CurrScreen = eScreen_List_SelectBowler;
    FlashPlaySound(kSfxOpen);
}

void CSelectBowler::OpenLoadSaveBowler() {
    const s32 screen = m_iScreenIds[kSelect];
    if (screen == -1 || SFP2KIsScreenActive(screen))
        return;
    FlashOpen(screen);
    SFP2KSpritePause(screen, kYesSprite);
    SFP2KSpritePause(screen, kNoSprite);
    SFP2KSpriteSetFrame(screen, kNoSprite, kNoFrame);
    SFP2KSpriteHide(screen, kYesSprite);
    SFP2KSpriteHide(screen, kNoSprite);
    for (s32 slot = 0; slot < kNumSlots; ++slot)
        SetSlotTexts(screen, slot, "");
    SFP2KSpriteHide(screen, kMessageSpr);
    SFP2KSpriteShow(screen, kFirstButtonSprite + 2);
    SFP2KSpriteShow(screen, kFirstButtonSprite + 3);
    selectBowlerScreen[kSelect].numButtons = kNumSlots;
    g_ScreenTracker.m_CurrScreen = eScreen_List_LoadSaveBowler;
    selectBowlerScreen[kSelect].curButton = 0;
    m_bDisplayModel = UpdateDisplayModel(0);
    FlashPlaySound(kSfxOpen);
}

void CSelectBowler::SetButtonText() {
    for (s32 slot = 0; slot < kNumSlots; ++slot) {
        const char* text = g_LoadSave.CharacterSlotFree(s8(slot)) != 0
                               ? SymbolText(kTextEmpty)
                               : g_LoadSave.GetCharacterSlotName(s8(slot));
        SetSlotTexts(m_iScreenIds[kSelect], slot, text);
    }
}

void CSelectBowler::Update(SFP_SCREEN_INFO_t* info) {
    if (g_ScreenTracker.m_CurrScreen == eScreen_List_SelectBowler) {
        SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
        UpdateSelectBowler(info);
    } else if (g_ScreenTracker.m_CurrScreen == eScreen_List_LoadSaveBowler) {
        UpdateLoadSaveBowler(info);
    }
    m_Camera.Update();
}

void CSelectBowler::ToggleYesNoSprite() {
    const s32 screen = m_iScreenIds[kSelect];
    const s32 shown = m_bPlayerAccept ? kYesSprite : kNoSprite;
    SFP2KSpriteHide(screen, m_bPlayerAccept ? kNoSprite : kYesSprite);
    SFP2KSpriteShow(screen, shown);
    SFP2KSpriteSetFrame(screen, shown, 0);
    SFP2KSpritePlay(screen, shown, kPlayChosen);
}

void CSelectBowler::UpdateSelectBowler(SFP_SCREEN_INFO_t* info) {
    if (m_bYesNoDisplayed && info->curButton == 2 &&
        (SFP2KButton(kButtonLeft, kNewPress) || SFP2KButton(kButtonRight, kNewPress))) {
        m_bPlayerAccept = !m_bPlayerAccept;
        ToggleYesNoSprite();
    }
    if (SFP2KButton(kButtonBack, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    } else if (SFP2KButton(kButtonAccept, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        if (info->curButton == 0) {
            CPlayerConstruction& model = g_Players[0].m_PlayerConstruction;
            model.FreeAll();
            model.SetDefaultCACAttributes();
            g_ScreenTracker.m_NextScreen = eScreen_List_CAC_Main;
            m_eSaveLoadProcess = SAVELOAD_PROCESS_SAVING;
        } else {
            g_ScreenTracker.m_NextScreen = eScreen_List_LoadSaveBowler;
            m_eSaveLoadProcess = SAVELOAD_PROCESS_LOADING;
        }
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    }
}

void CSelectBowler::UpdateLoadSaveBowler(SFP_SCREEN_INFO_t* info) {
    s32 step = SFP2KButton(kButtonDown, kNewPress) ? 1 : 0;
    if (SFP2KButton(kButtonUp, kNewPress))
        step = kNumSlots - 1;
    if (step != 0) {
        FlashPlaySound(kSfxMove);
        info->curButton = (info->curButton + step) % kNumSlots;
        m_bDisplayModel = UpdateDisplayModel(u32(info->curButton));
    }
    const s8 slot = s8(info->curButton);
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (SFP2KButton(kButtonBack, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    } else if (SFP2KButton(kButtonAccept, kNewPress)) {
        if (m_eSaveLoadProcess == SAVELOAD_PROCESS_LOADING && g_LoadSave.CharacterSlotFree(slot)) {
            FlashPlaySound(kSfxRefused);
            return;
        }
        FlashPlaySound(kSfxAccept);
        // The slot changes only now: saving takes the new bowler into it; loading
        // leaves any unsaved bowler behind and restores the saved career.
        const bool loading = m_eSaveLoadProcess == SAVELOAD_PROCESS_LOADING;
        if (career != nullptr && loading)
            career->SetCurrSlot(CAREER_SLOT_INVALID);
        if (career != nullptr)
            career->SetCurrSlot(slot);
        if (loading)
            g_LoadSave.RestoreCharacterSaveData();
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    }
}

s32 CSelectBowler::UpdateDisplayModel(u32 slot) {
    s_CareerSlot saved = EmptyCareerSlot();
    if (slot >= u32(kNumSlots) || !g_LoadSave.PeekCharacterSaveData(s8(slot), &saved))
        return 0;
    CPlayer& player = g_Players[0];
    CPlayerConstruction& model = player.m_PlayerConstruction;
    model.m_CharacterAttributes = saved.m_Attributes;
    model.SetCharGender(saved.m_Attributes.gender, 0);
    model.UpdateBodyTypeModel();
    model.PlayAnim(saved.m_Attributes.gender ? BOWLER_ANIM_IDLE_FEMALE : BOWLER_ANIM_IDLE_MALE, 1.0f, 0);
    const s_DBItem* guard = saved.m_Equipment.Acc1 != -1 ? FindDbItem(saved.m_Equipment.Acc1) : nullptr;
    player.m_GuardConstruction.UpdateGuardModel(guard != nullptr ? guard->m_TextureID : -1);
    return 1;
}

void CSelectBowler::Draw() {
    if (m_bDisplayModel == 0)
        return;
    ShellPreviewBegin(eShellLightUsage_SelectBowler);
    CPlayer& player = g_Players[0];
    player.m_PlayerConstruction.SetTranslation(m_vCurrModelPos.x, m_vCurrModelPos.y, m_vCurrModelPos.z);
    player.m_PlayerConstruction.DrawFE();
    player.m_GuardConstruction.Draw(player.m_PlayerConstruction.GetBodyTypeModel());
}

void CSelectBowler::Close() {
    FlashClose(m_iScreenIds[kSelect]);
    g_Players[0].m_PlayerConstruction.FreeAll();
    g_Players[0].m_GuardConstruction.Reset();
}

void CSelectBowler::Kill() {
    for (s32& screen : m_iScreenIds)
        FlashKill(screen);
}
