#include "source/Physics/LaneManager.h"

#include "orblib47/source/NGC/FrameClock.h"
#include "source/Physics/Physics.h"

CLaneManager Physics;

s32 CLaneManager::ComputePhysicsTimeSlice() {
    if (m_state < 10 || m_state > 19)
        return 0;
    LaneContext& lane = PlayerLane;
    if (!bPhysicsDone) {
        bPhysicsDone = !RunPhysics(lane);
        return 1;
    }
    if (iCurrentBowlThrow == 0 && !bPinsetterUpDone) {
        bPinsetterUpDone = PickupPins(lane);
        if (lane.FramePinsetterStarts == 0 && !bPinsetterUpDone)
            lane.FramePinsetterStarts = lane.NumPhysFrames;
        return 1;
    }
    if (!bSweepDone) {
        bSweepDone = SweepPins(lane, u16(iCurrentBowlThrow));
        return 1;
    }
    return 0;
}

void CLaneManager::InitLane(s32 freshRack) {
    LaneContext& lane = PlayerLane;
    const bool newRack = m_bPracticeMode || freshRack;
    const PinMask rack = m_bPracticeMode ? m_iPracticePinSetup
                         : freshRack     ? PIN_MASK_ALL
                                         : GetPhysicsResult(lane);
    SetupPins(lane, rack, newRack ? 1 : 0);
    m_iLastPinSetup = rack;
    LoadLanePoses(lane, m_displayPoses);
    m_displayPoses.body[FILM_BODY_SWEEPER] = RefFrame_t{};  // the bar is up again
    m_iLastDisplayedFrame = 0;
}

s32 CLaneManager::ComputeBallAngle(const BallData_t& aimed, const BallRecord& ball) {
    LaneContext& lane = PlayerLane;
    BallData_t shot = aimed;
    shot.position.z = 0.0f;
    SetupPins(lane, GetPhysicsResult(lane), 0);
    return ApproximatePhysics(lane, &shot, ball.ball_mu, ball.ball_rg, ball.ball_absorb, ball.ball_flare,
                              ball.ball_absorb_rate, LaneOil(), TestThrow);
}

s32 CLaneManager::ComputeShot(const BallData_t& released, const BallRecord& ball, s32 bIsHumanPlayer) {
    LaneContext& lane = PlayerLane;
    const s32 started =
        StartPhysics(lane, &released, ball.ball_mu, ball.ball_rg, ball.ball_absorb, ball.ball_flare,
                     ball.ball_absorb_rate, LaneOil(), bIsHumanPlayer ? UserDryLane : CPUDryLane);
    InterpolateBallRollFrames(lane);
    bPhysicsDone = 0;
    bPinsetterUpDone = 0;
    bSweepDone = 0;
    fCurrentFrame = 0.0f;
    // An aim preview may have re-racked the pins since InitLane: show frame 0 again.
    m_iLastDisplayedFrame = -1;
    return started;
}

s_Vector3 CLaneManager::GetShotLineCoord(u32 i, u32 n) const {
    const LaneContext& lane = PlayerLane;
    // n = 0 would divide by zero.
    if (lane.FrameBallReachesArrows == 0 || i > n || n == 0)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    s32 frame = s32(u64(u32(lane.FrameBallReachesArrows)) * i / n);
    if (frame < 1)
        frame = 1;
    s_Vector3 p = lane.PhysOrientFrame[lane.PhysDataIndex[frame]].position;
    if (!bLeftLane)
        p.x += 17.91f;
    return {p.x * 4.0f, p.y * 4.0f, p.z * 4.0f, 0.0f};
}

void CLaneManager::DisplayFrame() {
    const LaneContext& lane = PlayerLane;
    s32 target = s32(fCurrentFrame);
    if (target > lane.NumPhysFrames - 1)
        target = lane.NumPhysFrames - 1;
    for (s32 frame = m_iLastDisplayedFrame + 1; frame <= target; ++frame)
        ApplyFilmFrame(lane, frame, m_displayPoses);
    if (target > m_iLastDisplayedFrame)
        m_iLastDisplayedFrame = target;
    UpdatePinModelTransforms();
    fCurrentFrame += RealDeltaTime * 120.0f;
}

void CLaneManager::UpdatePinModelTransforms() {
    for (s32 i = 0; i < NUM_PINS; ++i)
        m_pinTransform[i] = LaneWorldTransform(m_displayPoses.body[i], fLaneOffset);
    m_ballTransform = LaneWorldTransform(m_displayPoses.body[FILM_BODY_BALL], fLaneOffset);
}
