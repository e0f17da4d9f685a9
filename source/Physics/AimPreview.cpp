// The aim preview: the shot being aimed rolled down the lane as far as the arrows
// without touching the lane's oil, and the smoothing of a coarse roll's film.
#include "source/Physics/BallMotion.h"
#include "source/Physics/Physics.h"

namespace {

RefFrame_t& FramePose(LaneContext& lane, s32 frame) {
    return lane.PhysOrientFrame[lane.PhysDataIndex[frame]];
}

}  // namespace

s32 ApproximatePhysics(LaneContext& lane, const BallData_t* ball, f64 mu, f64 rg, u16 absorb, u16 flare,
                       s32 rate, OilGrid oil, ThrowType type) {
    lane.NumPhysFrames = 1;
    lane.OutputFramesUsed = lane.OutputFramesUsedSave;
    PlaceReleasedBall(lane.PhysBall, *ball, 0.0f);  // not lofted, unlike a real throw
    // The pin action's frames of the last throw stay as they were.
    lane.FrameBallHitGutter = 0;
    lane.FrameBallPastEnd = 0;
    lane.FrameBallHitsBackWall = 0;
    SetThrowParameters(lane, mu, rg, absorb, flare, rate, oil, type);

    ApproximateBallRoll(lane);
    InterpolateBallRollFrames(lane);
    if (lane.PhysicsDone)
        return 0;
    HandOverToFineSteps(lane);
    return 1;
}

void ApproximateBallRoll(LaneContext& lane) {
    lane.FrameBallReachesArrows = 0;
    lane.PinsToOutput = 0;
    OutputFrame(lane);
    while (!CoarseRollStep(lane, PreviewRollRules)) {
    }
}

void InterpolateBallRollFrames(LaneContext& lane) {
    // Frames i and i + 4 are the real poses of two consecutive coarse steps. A roll cut
    // short by a full film has no real pose after its last fillers: those stay copies.
    for (s32 i = 1; i + 4 < lane.NumPhysFrames; i += 4) {
        const RefFrame_t& a = FramePose(lane, i);
        const RefFrame_t& b = FramePose(lane, i + 4);
        RefFrame_t& half = FramePose(lane, i + 2);
        InterpolateBallRollFrame(a, b, half);
        InterpolateBallRollFrame(half, b, FramePose(lane, i + 3));
        InterpolateBallRollFrame(a, half, FramePose(lane, i + 1));
    }
}

void InterpolateBallRollFrame(const RefFrame_t& a, const RefFrame_t& b, RefFrame_t& out) {
    const auto sum = [](const s_Vector3& p, const s_Vector3& q) {
        return s_Vector3{p.x + q.x, p.y + q.y, p.z + q.z, 0.0f};
    };
    s_Vector3 up = sum(a.O.up, b.O.up);
    s_Vector3 right = sum(a.O.right, b.O.right);
    NormalizeVector(&up);
    NormalizeVector(&right);
    const s_Vector3 position = sum(a.position, b.position);
    out.position = {position.x * 0.5f, position.y * 0.5f, position.z * 0.5f, 0.0f};
    out.O.up = up;
    out.O.right = right;
}
