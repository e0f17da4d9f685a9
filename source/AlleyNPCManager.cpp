#include "source/AlleyNPCManager.h"

s32 g_LevelIsPlaying = 0;
AlleyNPCManager g_AlleyNPCManager;

s32 AlleyNPCManager::ComputeNPCPhysicsTimeslice(s32 /*busy*/, s32* bowlerIndex) {
    if (!g_LevelIsPlaying)
        return 0;
    if (*bowlerIndex < 0 || *bowlerIndex >= NUM_NPC_BOWLERS)
        *bowlerIndex = 0;
    for (s32 i = *bowlerIndex; i < NUM_NPC_BOWLERS; ++i) {
        CNPCBowler& bowler = m_NPCBowlers[i];
        if (!bowler.m_bNPCIsBowling)
            continue;
        if (bowler.computePhysicsTimeslice())
            return 1;
        *bowlerIndex = i + 1;
        return 0;
    }
    *bowlerIndex = 0;
    return 0;
}

void AlleyNPCManager::run() {
    if (!g_LevelIsPlaying)
        return;
    for (CNPCBowler& bowler : m_NPCBowlers)
        if (bowler.m_bNPCIsBowling)
            bowler.run();
}
