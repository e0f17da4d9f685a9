// The film: the poses the simulation records ahead of playback. Frames and poses
// never pass their last slots (frame PHYS_MAX_FRAMES - 1, pose PHYS_MAX_POSES - 1), which the reader never
// shows.
#include <algorithm>

#include "source/Physics/Physics.h"
#include "source/Physics/PhysicsWorld.h"

namespace {

constexpr s32 kLastFrame = PHYS_MAX_FRAMES - 1;
constexpr s32 kLastPose = PHYS_MAX_POSES - 1;
constexpr s32 kBallRollFillerFrames = 3;

// The film is full. A throw cut off before its pin action ended still gets a result
// from the pins as they stand, and an end frame the lane manager can reach.
void StopAtCap(LaneContext& lane) {
    lane.PhysicsDone = 1;
    if (lane.FramePinActionComplete == 0)
        CompletePinAction(lane, std::max(1, lane.NumPhysFrames - 1));
}

// Opens frame NumPhysFrames (the last slot once the film is full) and returns it.
s32 BeginFrame(LaneContext& lane, PinMask mask) {
    const s32 n = std::min(lane.NumPhysFrames, kLastFrame);
    lane.PhysPinsMask[n] = mask;
    lane.PhysDataIndex[n] = lane.OutputFramesUsed;
    return n;
}

// Counts frame n; false when that filled the film.
bool EndFrame(LaneContext& lane, s32 n) {
    lane.NumPhysFrames = n + 1;
    if (lane.NumPhysFrames < kLastFrame)
        return true;
    lane.NumPhysFrames = kLastFrame;
    StopAtCap(lane);
    return false;
}

}  // namespace

bool AppendPose(LaneContext& lane, const RefFrame_t& pose) {
    lane.PhysOrientFrame[std::min<s32>(lane.OutputFramesUsed, kLastPose)] = pose;
    if (lane.OutputFramesUsed + 1 < PHYS_MAX_POSES) {
        ++lane.OutputFramesUsed;
        return true;
    }
    lane.OutputFramesUsed = kLastPose;
    StopAtCap(lane);
    return false;
}

void OutputFrame(LaneContext& lane) {
    NormalizeOrientVectors(lane);
    const s32 n = BeginFrame(lane, lane.PinsToOutput);

    // The most poses a later fine step can need: every pin still in play, and the ball.
    s32 room = NUM_PINS + 1;
    for (s32 i = 0; i < NUM_PINS; ++i) {
        const PinData& pin = lane.PhysPins[i];
        if (lane.PinsToOutput & PinBit(i)) {
            if (!AppendPose(lane, {pin.position, pin.O}))
                return;  // the frame is not counted
        } else if (pin.state == InactivePin) {
            --room;
        }
    }
    if (lane.PhysBall.visible) {
        lane.PhysPinsMask[n] |= FILM_BALL_BIT;
        if (!AppendPose(lane, {lane.PhysBall.position, lane.PhysBall.O}))
            return;
    } else {
        --room;
    }

    if (EndFrame(lane, n) && lane.OutputFramesUsed + room >= PHYS_MAX_POSES)
        StopAtCap(lane);
}

void OutputDummyBallRollFrames(LaneContext& lane) {
    for (s32 k = 0; k < kBallRollFillerFrames; ++k) {
        const s32 n = BeginFrame(lane, FILM_BALL_BIT);
        const RefFrame_t previous = lane.PhysOrientFrame[std::max(lane.OutputFramesUsed - 1, 0)];
        if (!AppendPose(lane, previous) || !EndFrame(lane, n))
            return;
    }
}
