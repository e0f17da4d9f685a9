#include "source/Flash/CareerOverviewFlash.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "source/Career/CareerCharacter.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/TrophyMgr.h"
#include "source/Flash/CareerFigure.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/ShellLights.h"
#include "source/Flash/SymbolText.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxClose = s32(0x80001999u);
constexpr s32 kButtonStats = 0, kButtonTrophies = 1;
constexpr u32 kTextSelect = 6890, kTextBack = 6889, kTextTrophies = 7116, kTextStats = 7118, kTextName = 7119,
              kTextArmStrength = 7120, kTextAccuracy = 7121, kTextHookControl = 7122, kTextStamina = 7123,
              kTextReputation = 7124, kTextAverage = 7125, kTextMoney = 7126, kTextFirstPlace = 7073,
              kTextFirstSeason = 7076;
constexpr u32 kPlaces = 3, kSeasons = 5, kAmateurWeeks = 9;

// Menu layer sprites.
enum {
    kBackDrop,
    kLblName,
    kTxtName,
    kLblArmStr,
    kTxtArmStr,
    kLblAccuracy,
    kTxtAccuracy,
    kLblHookCon,
    kTxtHookCon,
    kLblStamina,
    kTxtStamina,
    kLblRep,
    kTxtRep,
    kLblMoney,
    kTxtMoney,
    kTxtBtn1,
    kTxtBtn2,
    kTxtBtn3,
    kTxtAverage,
    kLblAverage,
    kTxtTName,
    kTxtTPlace,
    kTxtTSeason,
    kSprLock,
};

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[] = {{"Btn1", 0}, {"Btn2", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {{"txtSelect", 0, {}}, {"txtBack", 0, {}}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},   {"Txt_lblName", 0, {}},     {"TxtName", 0, {}},     {"Txt_lblArmStr", 0, {}},
    {"TxtArmStr", 0, {}},  {"Txt_lblAccuracy", 0, {}}, {"TxtAccuracy", 0, {}}, {"Txt_lblHookCon", 0, {}},
    {"TxtHookCon", 0, {}}, {"Txt_lblStamina", 0, {}},  {"TxtStamina", 0, {}},  {"Txt_lblRep", 0, {}},
    {"TxtRep", 0, {}},     {"Txt_lblMoney", 0, {}},    {"TxtMoney", 0, {}},    {"TxtBtn1", 0, {}},
    {"TxtBtn2", 0, {}},    {"TxtBtn3", 0, {}},         {"TxtAverage", 0, {}},  {"Txt_lblAverage", 0, {}},
    {"TxtTName", 0, {}},   {"TxtTPlace", 0, {}},       {"TxtTSeason", 0, {}},  {"SprLock", 0, {}},
};

CCareerCharacter& Career() {
    return *CCareerCharacter::GetInstance();
}

void ShowSprite(s32 handle, s32 sprite, bool show) {
    if (show)
        SFP2KSpriteShow(handle, sprite);
    else
        SFP2KSpriteHide(handle, sprite);
}

// A skill's value, orange when the equipment raises it above the bowler's own.
void SetSkill(s32 handle, s32 sprite, char (&out)[CAREER_VALUE_SIZE], s32 value, s32 own) {
    std::snprintf(out, sizeof(out), "%d", value);
    SFP2KSpriteSetText(handle, sprite, out);
    if (value > own)
        SFP2KSpriteSetColor(handle, sprite, 255, 153, 0, 255);
    else
        SFP2KSpriteSetColor(handle, sprite, 255, 255, 255, 255);
}

}  // namespace

SFP_SCREEN_INFO_t CareerOverviewFlashScreen[2] = {
    {
        .fileName = "MenuBG",
        .subScreens = s_Labels[0],
        .Draw = CareerOverviewDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "CarStat",
        .numButtons = s32(std::size(s_Buttons)),
        .subScreens = s_Labels[1],
        .Update = CCareerOverviewFlash::UpdateOwner,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
        .buttons = s_Buttons,
    },
};

void CareerOverviewDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CCareerOverviewFlash* owner = FlashOwner<CCareerOverviewFlash>(handle))
        owner->Draw();
}

const s_TournamentDef* TrophyTournament(const s_TrophyInfo& trophy) {
    if (LeagueSeasonList == nullptr || trophy.league < AMATEUR_L1 || trophy.league > PRO_L1)
        return nullptr;
    const u32 blocks[] = {BeginnerLeagueSeasonCount, IntermediateLeagueSeasonCount, AdvancedLeagueSeasonCount,
                          ExpertLeagueSeasonCount, ProLeagueSeasonCount};
    uint64_t first = 0;
    for (u32 league = AMATEUR_L1; league < trophy.league; ++league)
        first += blocks[league - 1];
    // Amateur trophies hold their week of a nine-week season, pro ones their record.
    const uint64_t record = trophy.league == PRO_L1
                                ? uint64_t(trophy.weekNum)
                                : uint64_t(trophy.weekNum) + uint64_t(kAmateurWeeks) * trophy.season;
    if (record < 1 || record > blocks[trophy.league - 1])
        return nullptr;
    const s32 id = LeagueSeasonList[first + record - 1].TournID;
    for (u32 i = 0; TournamentList != nullptr && i < TournamentCount; ++i)
        if (TournamentList[i].ID == id)
            return &TournamentList[i];
    return nullptr;
}

CCareerOverviewFlash::~CCareerOverviewFlash() {
    Kill();
    KillBG();
    CareerFigureFree();
    m_TrophyConstruction.Reset();
}

s32 CCareerOverviewFlash::LoadBG() {
    m_iScreenBG = FlashLoad(CareerOverviewFlashScreen[0], this);
    if (m_iScreenBG == -1)
        return 0;
    CareerFigureCamera(m_Camera);
    return 1;
}

s32 CCareerOverviewFlash::Load() {
    m_iScreen = FlashLoad(CareerOverviewFlashScreen[1], this);
    // The descriptor outlives the screen: a new overview starts on its first button.
    CareerOverviewFlashScreen[1].curButton = kButtonStats;
    return m_iScreen != -1;
}

void CCareerOverviewFlash::OpenBG() {
    if (!FlashOpenOnce(m_iScreenBG))
        return;
    SFP2KSpriteSetText(m_iScreenBG, 0, SymbolText(kTextSelect));
    SFP2KSpriteSetText(m_iScreenBG, 1, SymbolText(kTextBack));
    m_TrophyConstruction.UpdateTrophy(0);
    m_TrophyConstruction.SetTrophyPosition(m_vTrophyPosition.x, m_vTrophyPosition.y, m_vTrophyPosition.z);
    m_TrophyConstruction.SetRotationX(-5.0f);
}

void CCareerOverviewFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    const struct {
        s32 sprite;
        u32 text;
    } labels[] = {{kLblName, kTextName},         {kLblArmStr, kTextArmStrength},
                  {kLblAccuracy, kTextAccuracy}, {kLblHookCon, kTextHookControl},
                  {kLblStamina, kTextStamina},   {kLblRep, kTextReputation},
                  {kLblMoney, kTextMoney},       {kLblAverage, kTextAverage},
                  {kTxtBtn1, kTextStats},        {kTxtBtn2, kTextTrophies}};
    for (const auto& label : labels)
        SFP2KSpriteSetText(m_iScreen, label.sprite, SymbolText(label.text));
    SFP2KSpriteHide(m_iScreen, kTxtBtn3);

    CCareerCharacter& career = Career();
    const s_Character_Stats& own = career.GetStats();
    SFP2KSpriteSetText(m_iScreen, kTxtName, career.GetName());
    SetSkill(m_iScreen, kTxtArmStr, strength, s32(career.GetModArmStrength()), s32(own.m_ArmStrength));
    SetSkill(m_iScreen, kTxtAccuracy, accuracy, s32(career.GetModAccuracy()), s32(own.m_Accuracy));
    SetSkill(m_iScreen, kTxtHookCon, hook, s32(career.GetModHookControl()), s32(own.m_HookControl));
    SetSkill(m_iScreen, kTxtStamina, stamina, s32(career.GetModStamina()), s32(own.m_Stamina));
    SetSkill(m_iScreen, kTxtRep, reputation, career.GetModReputation(), career.GetReputation());
    std::snprintf(money, sizeof(money), "$%u", career.GetMoney());
    SFP2KSpriteSetText(m_iScreen, kTxtMoney, money);
    const s_PlaceBowler* standing =
        pLeagueManager != nullptr ? pLeagueManager->GetLeague()->GetBowlerByID(PLAYER_BOWLER_ID) : nullptr;
    std::snprintf(average, sizeof(average), "%u", standing != nullptr ? standing->TotalAverageScore : 0u);
    SFP2KSpriteSetText(m_iScreen, kTxtAverage, average);

    g_ScreenTracker.m_CurrScreen = eScreen_List_Career_Overview;
    g_TrophyMgr.m_nCurrTrophyIndex = 0;
    if (g_TrophyMgr.GetNumTrophies() > 0)
        m_TrophyConstruction.UpdateTrophy(s32(g_TrophyMgr.GetCurrTrophy().trophyIndex));
    CareerFigureBuild(m_vCurrModelPos, -80.0f);
    ShowCursor(CareerOverviewFlashScreen[1].curButton);
    FlashPlaySound(kSfxOpen);
}

void CCareerOverviewFlash::Close() {
    if (!FlashClose(m_iScreen))
        return;
    FlashPlaySound(kSfxClose);
}

void CCareerOverviewFlash::ShowCursor(s32 cursor) {
    const bool trophies = cursor == kButtonTrophies;
    const bool any = g_TrophyMgr.GetNumTrophies() > 0;
    m_bDisplayModel = !trophies;
    m_bDisplayTrophy = trophies && any;
    for (s32 sprite : {kTxtTName, kTxtTPlace, kTxtTSeason})
        ShowSprite(m_iScreen, sprite, trophies && any);
    ShowSprite(m_iScreen, kSprLock, trophies && !any);
    if (trophies && any)
        UpdateTrophyText();
}

void CCareerOverviewFlash::Update(SFP_SCREEN_INFO_t* info) {
    SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
    if (info->curButton == kButtonTrophies && g_TrophyMgr.GetNumTrophies() > 1) {
        const bool left = SFP2KButton(kButtonLeft, kNewPress), right = SFP2KButton(kButtonRight, kNewPress);
        if (left || right) {
            const s_TrophyInfo trophy = left ? g_TrophyMgr.GetPreviousTrophy() : g_TrophyMgr.GetNextTrophy();
            m_TrophyConstruction.UpdateTrophy(s32(trophy.trophyIndex));
            FlashPlaySound(kSfxMove);
        }
    }
    ShowCursor(info->curButton);
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        if (info->curButton == kButtonStats) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
            g_ScreenTracker.m_NextScreen = eScreen_List_Stats;
        }
        FlashPlaySound(kSfxAccept);
    } else if (SFP2KButton(kButtonBack, kNewPress)) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
        FlashPlaySound(kSfxAccept);
    }
    m_Camera.Update();
}

void CCareerOverviewFlash::UpdateTrophyText() {
    const s_TrophyInfo trophy = g_TrophyMgr.GetCurrTrophy();
    const bool podium = trophy.place >= 1 && trophy.place <= kPlaces;
    std::snprintf(m_sTrophyPlace, sizeof(m_sTrophyPlace), "%s",
                  podium ? SymbolText(kTextFirstPlace + trophy.place - 1) : "");
    std::snprintf(m_sTrophySeason, sizeof(m_sTrophySeason), "%s",
                  trophy.season < kSeasons ? SymbolText(kTextFirstSeason + trophy.season) : "");
    const s_TournamentDef* tournament = TrophyTournament(trophy);
    SFP2KSpriteSetText(m_iScreen, kTxtTName, tournament != nullptr ? tournament->sTournName : "");
    SFP2KSpriteSetText(m_iScreen, kTxtTPlace, m_sTrophyPlace);
    SFP2KSpriteSetText(m_iScreen, kTxtTSeason, m_sTrophySeason);
}

void CCareerOverviewFlash::Draw() {
    ShellPreviewBegin(eShellLightUsage_ProShop);
    if (m_bDisplayTrophy)
        m_TrophyConstruction.Draw();
    if (m_bDisplayModel)
        CareerFigureDraw(m_vCurrModelPos);
}
