#include "source/Physics/ThrowRunner.h"

#include <cstring>

#include "source/Physics/Physics.h"

namespace {

// Any state of the turn logic in which the lane manager gives the physics slices.
constexpr s32 kLaneStateThrow = 10;

template <typename Slice, typename RollDone>
void RunSlices(const LaneContext& lane, ThrowSummary& summary, Slice&& slice, RollDone&& rollDone) {
    if (rollDone())
        summary.rollFrames = lane.NumPhysFrames;
    while (slice()) {
        ++summary.slices;
        if (summary.rollFrames == 0 && rollDone())
            summary.rollFrames = lane.NumPhysFrames;
        if (lane.PhysicsDone && summary.framesAtPinActionEnd == 0) {
            summary.framesAtPinActionEnd = lane.NumPhysFrames;
            summary.posesAtPinActionEnd = lane.OutputFramesUsed;
        }
    }
    summary.standing = lane.iPhysicsResult;
    summary.firstPinStruck = GetFrameFirstPinStruck(lane);
    summary.frames = lane.NumPhysFrames;
    summary.poses = lane.OutputFramesUsed;
}

void CopyOil(u16 (*to)[OIL_BOARDS], const u16 (*from)[OIL_BOARDS]) {
    if (from)
        std::memcpy(to, from, sizeof(u16) * OIL_ROWS * OIL_BOARDS);
}

}  // namespace

ThrowSummary RunPlayerThrow(CLaneManager& manager, const ThrowSetup& setup) {
    CopyOil(manager.LaneOil(), setup.oil);
    SetupPins(PlayerLane, setup.rack, setup.randomTurn);
    manager.iCurrentBowlThrow = setup.ballNumber;
    const s32 savedState = manager.m_state;
    manager.m_state = kLaneStateThrow;
    ThrowSummary summary;
    summary.started = manager.ComputeShot(setup.ball, setup.record, setup.human);
    RunSlices(
        PlayerLane, summary, [&] { return manager.ComputePhysicsTimeSlice(); }, [] { return true; });
    manager.m_state = savedState;
    return summary;
}

ThrowSummary RunComputerThrow(CNPCBowler& bowler, const ThrowSetup& setup) {
    CopyOil(bowler.m_Oil, setup.oil);
    bowler.iCurrentThrow = setup.ballNumber;
    bowler.NPC_SetupPins(setup.rack, setup.randomTurn);
    ThrowSummary summary;
    summary.started = bowler.NPC_StartPhysics(&setup.ball);
    bowler.EnterPrep();
    RunSlices(
        bowler.lane, summary, [&] { return bowler.computePhysicsTimeslice(); },
        [&] { return bowler.m_BallRollDone != 0; });
    bowler.run();
    return summary;
}

u64 FilmHash(const LaneContext& lane) {
    u64 hash = 14695981039346656037ull;
    auto mix = [&](const void* data, size_t size) {
        const u8* bytes = static_cast<const u8*>(data);
        for (size_t i = 0; i < size; ++i)
            hash = (hash ^ bytes[i]) * 1099511628211ull;
    };
    auto mixVector = [&](const s_Vector3& v) {
        const f32 xyz[3] = {v.x, v.y, v.z};
        mix(xyz, sizeof(xyz));
    };
    const s32 frames = lane.NumPhysFrames < PHYS_MAX_FRAMES ? lane.NumPhysFrames : PHYS_MAX_FRAMES;
    const s32 poses = lane.OutputFramesUsed < PHYS_MAX_POSES ? lane.OutputFramesUsed : PHYS_MAX_POSES;
    mix(&frames, sizeof(frames));
    mix(&poses, sizeof(poses));
    for (s32 n = 0; n < frames; ++n) {
        mix(&lane.PhysPinsMask[n], sizeof(PinMask));
        mix(&lane.PhysDataIndex[n], sizeof(u16));
    }
    for (s32 k = 0; k < poses; ++k) {
        mixVector(lane.PhysOrientFrame[k].position);
        mixVector(lane.PhysOrientFrame[k].O.up);
        mixVector(lane.PhysOrientFrame[k].O.right);
    }
    return hash;
}
