// The career attributes page: the four skills, and the spare skill points waiting
// to be spent on them. Right on a skill spends a point on it, left takes back one
// spent here; closing the page keeps what was spent.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"
#include "source/Flash/FlashLocals.h"

constexpr u32 CAREER_SKILL_COUNT = 4;  // arm strength, accuracy, hook control, stamina

extern SFP_SCREEN_INFO_t CareerAttributesFlashScreen;

class CCareerAttributesFlash : public CFlashScreen<CCareerAttributesFlash, CareerAttributesFlashScreen> {
public:
    // Takes the skills and the spare points of the current career slot.
    CCareerAttributesFlash();

    s32 Load();
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
    // Also stores the skills into the career and spends the points used.
    void Close();

    char cName[CAREER_NAME_SIZE] = "";
    char temp[CAREER_SKILL_COUNT + 1][12] = {};  // the skills, then the spare points
    u8 attrib[CAREER_SKILL_COUNT] = {};
    u32 sp = 0;  // spare points: each raises a skill by one

private:
    u32 m_SpOnOpen = 0;
};
