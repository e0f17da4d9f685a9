// Skill points and reputation: earned during a career game, applied after it.
#include <algorithm>

#include "source/Career/CareerCharacter.h"

void CCareerCharacter::AddSkillPoints(u32 points) {
    u32& pending = GetStats().m_SkillPoints;
    pending = std::max(pending, pending + points);  // saturates instead of wrapping
}

void CCareerCharacter::ChangeReputation(s32 change) {
    if (m_RepApplied) {
        m_RepChange = 0;
        m_RepApplied = false;
    }
    m_RepChange += change;
}

// Every SKILL_POINTS_PER_RAISE points raise the lowest skill below the maximum by one
// (ties go to arm strength, accuracy, hook control, stamina in that order); points
// left over wait for the next game. The pending reputation change is then applied
// within 0..CAREER_REPUTATION_MAX and m_RepChange becomes the change really made.
u32 CCareerCharacter::ApplySkillPoints() {
    s_Character_Stats& stats = GetStats();
    u32* skills[] = {&stats.m_ArmStrength, &stats.m_Accuracy, &stats.m_HookControl, &stats.m_Stamina};
    const u32 flags[] = {SKILL_RAISED_ARM_STRENGTH, SKILL_RAISED_ACCURACY, SKILL_RAISED_HOOK_CONTROL,
                         SKILL_RAISED_STAMINA};
    u32 raised = 0;
    while (stats.m_SkillPoints >= SKILL_POINTS_PER_RAISE) {
        u32 lowest = 0;
        for (u32 i = 1; i < 4; ++i)
            if (*skills[i] < *skills[lowest])
                lowest = i;
        if (*skills[lowest] >= CAREER_SKILL_MAX)
            break;
        ++*skills[lowest];
        raised |= flags[lowest];
        stats.m_SkillPoints -= SKILL_POINTS_PER_RAISE;
    }

    if (!m_RepApplied) {
        s32 before = stats.m_Reputation;
        s64 after = std::clamp<s64>(s64(before) + m_RepChange, 0, CAREER_REPUTATION_MAX);
        stats.m_Reputation = s32(after);
        m_RepChange = stats.m_Reputation - before;
        m_RepApplied = true;
        if (m_RepChange > 0)
            raised |= REPUTATION_UP;
        else if (m_RepChange < 0)
            raised |= REPUTATION_DOWN;
    }
    return raised;
}
