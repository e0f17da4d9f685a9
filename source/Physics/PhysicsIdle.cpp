#include "source/Physics/PhysicsIdle.h"

#include "source/AlleyNPCManager.h"
#include "source/Physics/LaneManager.h"

s32 g_NPCPhysicsBowlerIndex = 0;

s32 PhysicsIdleProcess(s32 busy) {
    const s32 playerWork = Physics.ComputePhysicsTimeSlice();
    const s32 npcWork = g_AlleyNPCManager.ComputeNPCPhysicsTimeslice(busy, &g_NPCPhysicsBowlerIndex);
    return playerWork || npcWork ? 1 : 0;
}
