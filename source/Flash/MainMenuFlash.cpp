#include "source/Flash/MainMenuFlash.h"

#include <iterator>

#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u);
constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr s32 kSfxMove = s32(0x80001998u);
constexpr s32 kSfxClose = s32(0x80001999u);

constexpr u32 kStrNext = 6888;
constexpr u32 kStrBack = 6889;

enum { kTxtNext, kTxtBack, kTxtBorderTitle, kTxtBorderSub, kNumBorderSprites };
enum { kTxtCareer, kTxtOptions, kTxtPractice, kTxtCredits, kTxtSelect, kNumMenuSprites };
constexpr s32 kNumMenuButtons = 4;

// Each layer has its own labels: the player writes their frames when it loads.
SFP_SCREEN_LABEL_t s_Labels[MAINMENU_NUM_LAYERS][3] = {
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_BorderSprites[kNumBorderSprites] = {
    {"txtNext", 0, {}}, {"txtBack", 0, {}}, {"txtBorderTitle", 0, {}}, {"txtBorderSub", 0, {}}};
SFP_SCREEN_BTN_t s_MenuButtons[kNumMenuButtons] = {
    {"Button1", 0}, {"Button2", 0}, {"Button3", 0}, {"Button4", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_MenuSprites[kNumMenuSprites] = {
    {"txtCareer", 0, {}},  {"txtOptions", 0, {}}, {"txtPractice", 0, {}},
    {"txtCredits", 0, {}}, {"txtSelect", 0, {}},
};
SFP_SCREEN_BTN_t s_SettingsButtons[SETTINGS_NUM_ROWS] = {
    {"Button02", 0}, {"Button03", 0}, {"Button04", 0}, {"Button05", 0}, {"Button06", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_SettingsSprites[] = {
    {"TxtBtn02", 0, {}}, {"txt02_down", 0, {}}, {"TxtBtn03", 0, {}},  {"txt03_down", 0, {}},
    {"TxtBtn04", 0, {}}, {"txt04_down", 0, {}}, {"TxtBtn05", 0, {}},  {"txt05_down", 0, {}},
    {"TxtBtn06", 0, {}}, {"txt06_down", 0, {}}, {"txtSelect", 0, {}}, {"txtBack", 0, {}},
};

// The main menu's labels by sprite; the cursor's destinations by button.
constexpr struct {
    s32 sprite;
    u32 symbol;
} kMenuTexts[] = {
    {kTxtCareer, 6913}, {kTxtPractice, 6914}, {kTxtOptions, 6915}, {kTxtCredits, 6916}, {kTxtSelect, 6917},
};
constexpr eScreen_List kMenuChoices[kNumMenuButtons] = {
    eScreen_List_QuickPlayMain,
    eScreen_List_Career_NewCharacterPopup,
    eScreen_List_MainMenuOptions,
    eScreen_List_Credits,
};

constexpr SFP_SCREEN_INFO_t Layer(const char* movie, SFP_SCREEN_LABEL_t* labels, s32 numButtons,
                                  SFP_SCREEN_BTN_t* buttons, s32 numSprites,
                                  SFP_SCREEN_SPRITE_LOOKUP_t* sprites, SFPScreenFunc update, s32 userData) {
    return {
        .fileName = movie,
        .numButtons = numButtons,
        .subScreens = labels,
        .Update = update,
        .numSpriteLookups = numSprites,
        .spriteLookups = sprites,
        .userData = userData,
        .buttons = buttons,
    };
}

}  // namespace

SFP_SCREEN_INFO_t FlashMainMenuScreen[MAINMENU_NUM_LAYERS] = {
    Layer("MM_Bkgr", s_Labels[0], 0, nullptr, 0, nullptr, nullptr, 0),
    Layer("MM_Bar", s_Labels[1], 0, nullptr, kNumBorderSprites, s_BorderSprites, nullptr, 16),
    Layer("MainMenu", s_Labels[2], kNumMenuButtons, s_MenuButtons, kNumMenuSprites, s_MenuSprites,
          FlashMainMenuUpdate, 0),
    Layer("WiiSettings", s_Labels[3], SETTINGS_NUM_ROWS, s_SettingsButtons, s32(std::size(s_SettingsSprites)),
          s_SettingsSprites, FlashSettingsUpdate, 0),
};

void MainMenuFlashColdReset() {
    for (SFP_SCREEN_INFO_t& layer : FlashMainMenuScreen)
        layer.curButton = 0;
}

void FlashMainMenuUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CFlashMainMenu* owner = FlashOwner<CFlashMainMenu>(handle))
        owner->UpdateMainMenu(info);
}

void FlashSettingsUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CFlashMainMenu* owner = FlashOwner<CFlashMainMenu>(handle))
        owner->UpdateSettings(info);
}

CFlashMainMenu::CFlashMainMenu()
    : m_iScreenIds{-1, -1, -1, -1},
      m_bActive(0),
      m_LoadSaveProcess(SAVELOAD_PROCESS_NONE),
      m_szMusicVol{},
      m_szEffectsVol{} {}

s32 CFlashMainMenu::LoadLayer(eMainMenuLayer layer) {
    SFP_SCREEN_INFO_t& info = FlashMainMenuScreen[layer];
    s32& id = m_iScreenIds[layer];
    if (id == -1)
        id = FlashLoad(info, this);
    return id;
}

void CFlashMainMenu::CloseLayer(eMainMenuLayer layer) {
    FlashClose(m_iScreenIds[layer]);
}

s32 CFlashMainMenu::Leaving(eMainMenuLayer layer) const {
    const s32 transOut = FlashMainMenuScreen[layer].subScreens[SFP_LABEL_TRANS_OUT].frame;
    return transOut >= 0 && SFP2KGetCurFrame(m_iScreenIds[layer]) >= u32(transOut) ? 1 : 0;
}

void CFlashMainMenu::KillLayer(eMainMenuLayer layer) {
    FlashKill(m_iScreenIds[layer]);
}

void CFlashMainMenu::Kill() {
    for (s32 layer = 0; layer < MAINMENU_NUM_LAYERS; ++layer)
        KillLayer(eMainMenuLayer(layer));
    m_bActive = 0;
}

void CFlashMainMenu::LoadBackground() {
    const s32 id = LoadLayer(MAINMENU_LAYER_BACKGROUND);
    if (id == -1)
        return;
    FlashOpen(id);
    m_bActive = 1;
}

void CFlashMainMenu::CloseBackground() {
    CloseLayer(MAINMENU_LAYER_BACKGROUND);
}

void CFlashMainMenu::LoadBorder() {
    LoadLayer(MAINMENU_LAYER_BORDER);
}

void CFlashMainMenu::OpenBorder(const char* title, const char* subtitle) {
    const s32 id = m_iScreenIds[MAINMENU_LAYER_BORDER];
    if (!SFP2KIsScreenActive(id))
        FlashOpen(id);
    SFP2KSpriteSetText(id, kTxtNext, SymbolText(kStrNext));
    SFP2KSpriteSetText(id, kTxtBack, SymbolText(kStrBack));
    SFP2KSpriteSetText(id, kTxtBorderTitle, title);
    if (subtitle != nullptr)
        SFP2KSpriteSetText(id, kTxtBorderSub, subtitle);
}

void CFlashMainMenu::CloseBorder() {
    CloseLayer(MAINMENU_LAYER_BORDER);
}

void CFlashMainMenu::LoadMainMenu() {
    LoadLayer(MAINMENU_LAYER_MENU);
}

void CFlashMainMenu::OpenMainMenu() {
    const s32 id = m_iScreenIds[MAINMENU_LAYER_MENU];
    if (!SFP2KIsScreenActive(id))
        FlashOpen(id);
    for (const auto& text : kMenuTexts)
        SFP2KSpriteSetText(id, text.sprite, SymbolText(text.symbol));
    g_ScreenTracker.m_CurrScreen = eScreen_List_MainMenu;
    FlashPlaySound(kSfxOpen);
}

void CFlashMainMenu::CloseMainMenu() {
    CloseLayer(MAINMENU_LAYER_MENU);
    FlashPlaySound(kSfxClose);
}

void CFlashMainMenu::UpdateMainMenu(SFP_SCREEN_INFO_t* info) {
    if (Leaving(MAINMENU_LAYER_MENU))
        return;
    SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
    if (SFP2KButton(kButtonAccept, kNewPress) != 0) {
        g_ScreenTracker.m_NextScreen = kMenuChoices[info->curButton];
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        FlashPlaySound(kSfxAccept);
    } else if (SFP2KButton(kButtonBack, kNewPress) != 0) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    }
}
