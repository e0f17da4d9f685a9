#include "source/Flash/CareerAttributesFlash.h"

#include <cstdio>
#include <iterator>

#include "source/Career/CareerCharacter.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u);
constexpr u32 kTextName = 7119, kTextFirstSkill = 7120;
constexpr s32 kLblName = 2, kTxtName = 3, kFirstSkillLabel = 4, kTxtSkillpoints = 13;

SFP_SCREEN_LABEL_t s_Labels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_BTN_t s_Buttons[CAREER_SKILL_COUNT] = {{"Btn1", 0}, {"Btn2", 0}, {"Btn3", 0}, {"Btn4", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},           {"TxtSampleText1", 0, {}},
    {"Txt_lblName", 0, {}},        {"TxtName", 0, {}},
    {"Txt_lblArmStr", 0, {}},      {"TxtArmStr", 0, {}},
    {"Txt_lblAccuracy", 0, {}},    {"TxtAccuracy", 0, {}},
    {"Txt_lblHookCon", 0, {}},     {"TxtHookCon", 0, {}},
    {"Txt_lblStamina", 0, {}},     {"TxtStamina", 0, {}},
    {"Txt_lblSkillpoints", 0, {}}, {"TxtSkillpoints", 0, {}},
};

CCareerCharacter& Career() {
    return *CCareerCharacter::GetInstance();
}

// The slot record's skills, in the page's order.
void OwnSkills(u32 (&out)[CAREER_SKILL_COUNT]) {
    const s_Character_Stats& stats = Career().GetStats();
    out[0] = stats.m_ArmStrength;
    out[1] = stats.m_Accuracy;
    out[2] = stats.m_HookControl;
    out[3] = stats.m_Stamina;
}

}  // namespace

SFP_SCREEN_INFO_t CareerAttributesFlashScreen = {
    .fileName = "Attribut",
    .numButtons = CAREER_SKILL_COUNT,
    .subScreens = s_Labels,
    .Update = CCareerAttributesFlash::UpdateOwner,
    .numSpriteLookups = s32(std::size(s_Sprites)),
    .spriteLookups = s_Sprites,
    .buttons = s_Buttons,
};

CCareerAttributesFlash::CCareerAttributesFlash() {
    u32 own[CAREER_SKILL_COUNT];
    OwnSkills(own);
    for (u32 i = 0; i < CAREER_SKILL_COUNT; ++i)
        attrib[i] = u8(own[i]);
    // The career raises a skill by one for every SKILL_POINTS_PER_RAISE points earned.
    sp = m_SpOnOpen = Career().GetStats().m_SkillPoints / SKILL_POINTS_PER_RAISE;
}

s32 CCareerAttributesFlash::Load() {
    m_iScreen = FlashLoad(CareerAttributesFlashScreen, this);
    CareerAttributesFlashScreen.curButton = 0;
    return m_iScreen != -1;
}

void CCareerAttributesFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    SFP2KSpriteSetText(m_iScreen, kLblName, SymbolText(kTextName));
    for (u32 i = 0; i < CAREER_SKILL_COUNT; ++i)
        SFP2KSpriteSetText(m_iScreen, kFirstSkillLabel + 2 * s32(i), SymbolText(kTextFirstSkill + i));
    g_ScreenTracker.m_CurrScreen = eScreen_List_Attributes;
}

void CCareerAttributesFlash::Update(SFP_SCREEN_INFO_t* info) {
    SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        FlashPlaySound(kSfxAccept);
    } else if (SFP2KButton(kButtonBack, kNewPress)) {
        g_ScreenTracker.m_NextScreen = eScreen_List_Career_Overview;
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
        FlashPlaySound(kSfxAccept);
    }
    const u32 skill = u32(info->curButton) % CAREER_SKILL_COUNT;
    u32 own[CAREER_SKILL_COUNT];
    OwnSkills(own);
    if (SFP2KButton(kButtonRight, kNewPress) && sp != 0 && attrib[skill] < CAREER_SKILL_MAX) {
        --sp;
        ++attrib[skill];
    } else if (SFP2KButton(kButtonLeft, kNewPress) && attrib[skill] > own[skill]) {
        ++sp;
        --attrib[skill];
    }
    std::snprintf(cName, sizeof(cName), "%s", Career().GetName());
    SFP2KSpriteSetText(m_iScreen, kTxtName, cName);
    for (u32 i = 0; i < CAREER_SKILL_COUNT; ++i) {
        std::snprintf(temp[i], sizeof(temp[i]), "%u", u32(attrib[i]));
        SFP2KSpriteSetText(m_iScreen, kFirstSkillLabel + 2 * s32(i) + 1, temp[i]);
    }
    std::snprintf(temp[CAREER_SKILL_COUNT], sizeof(temp[CAREER_SKILL_COUNT]), "%u", sp);
    SFP2KSpriteSetText(m_iScreen, kTxtSkillpoints, temp[CAREER_SKILL_COUNT]);
}

void CCareerAttributesFlash::Close() {
    if (!FlashClose(m_iScreen))
        return;
    CCareerCharacter& career = Career();
    career.SetArmStrength(attrib[0]);
    career.SetAccuracy(attrib[1]);
    career.SetHookControl(attrib[2]);
    career.SetStamina(attrib[3]);
    career.GetStats().m_SkillPoints -= (m_SpOnOpen - sp) * SKILL_POINTS_PER_RAISE;
    m_SpOnOpen = sp;
}
