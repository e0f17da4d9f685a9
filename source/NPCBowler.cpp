#include "source/NPCBowler.h"

#include <algorithm>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/Physics.h"

namespace {

// The shot's speed formula gives 2625 to 3255 units per second, thirty-odd times a
// real ball: it jumps the whole rack in one fine step and strikes pins only from
// behind, on its rebound off the back wall. Scaled, it gives 75 to 93 units per
// second (17 to 21 mph).
constexpr f32 kNpcSpeedScale = 1.0f / 35.0f;
// Film frames shown after the film's end before the next ball is racked.
constexpr f32 kRestFrames = 120.0f;
constexpr f32 kFilmFramesPerSecond = 120.0f;

}  // namespace

void FillComputerLaneOil(OilGrid grid) {
    for (s32 row = 0; row < OIL_ROWS; ++row) {
        // The first ten feet are oiled, thinning towards the pins and the edges.
        const u16 amount = row < 10 ? u16(2048.0f * (1.0f - f32(row) / 10.0f)) : u16(0);
        for (s32 board = 0; board < OIL_BOARDS; ++board)
            grid[row][board] = board >= row && board <= OIL_BOARDS - 1 - row ? amount : u16(0);
    }
}

CNPCBowler::CNPCBowler() {
    SetThrowParameters(lane, 0.5, 0.6175, 40, 0, 0, m_Oil, CPUDryLane);
    lane.SweeperPose.O.up = {0.0f, -1.0f, 0.0f, 0.0f};
    lane.SweeperPose.O.right = {1.0f, 0.0f, 0.0f, 0.0f};
    FillComputerLaneOil(m_Oil);
}

s32 CNPCBowler::computePhysicsTimeslice() {
    if (m_BowlState != BowlState_Prep)
        return 0;
    if (!m_BallRollDone) {
        m_BallRollDone = NPC_InitialBallRoll();
        return 1;
    }
    if (!lane.PhysicsDone) {
        NPC_RunPhysics();  // sets PhysicsDone when the pin action is over
        return 1;
    }
    if (!m_PinsetterDone) {
        if (iCurrentThrow == 0) {
            m_PinsetterDone = NPC_PickupPins();
            if (lane.FramePinsetterStarts == 0)
                lane.FramePinsetterStarts = lane.NumPhysFrames;
        } else {
            m_PinsetterDone = 1;
        }
        return 1;
    }
    if (!m_SweepDone) {
        if (lane.FrameSweepStarts == 0)
            lane.FrameSweepStarts = lane.NumPhysFrames;
        m_SweepDone = NPC_SweepPins();
        return 1;
    }
    return 0;
}

void CNPCBowler::run() {
    if (m_BowlState == BowlState_Prep) {
        if (m_BallRollDone && lane.PhysicsDone && m_PinsetterDone && m_SweepDone) {
            m_BowlState = BowlState_Approach;
            m_fApproachTime = 0.0f;
            fCurrentFrame = 0.0f;
        }
        return;
    }
    if (!m_bNPCIsBowling)
        return;
    m_fApproachTime += GamePaused() ? 0.0f : RealDeltaTime;
    if (m_fApproachTime < NPC_RELEASE_TIME)
        return;
    fCurrentFrame = (m_fApproachTime - NPC_RELEASE_TIME) * kFilmFramesPerSecond;
    DisplayFrame();
    if (fCurrentFrame < f32(lane.NumPhysFrames) + kRestFrames)
        return;
    // A first ball that left pins is followed by the second at the leave.
    const PinMask leave = GetRemainingPins();
    if (iCurrentThrow == 0 && leave != 0) {
        iCurrentThrow = 1;
        Throw(leave, 0);
    } else {
        iCurrentThrow = 0;
        Throw(PIN_MASK_ALL, 1);
    }
}

void CNPCBowler::StartBowling() {
    m_bNPCIsBowling = 1;
    iCurrentThrow = 0;
    Throw(PIN_MASK_ALL, 1);
}

void CNPCBowler::Throw(PinMask rack, s32 freshRack) {
    NPC_SetupPins(rack, freshRack);
    SetupRandomShot();
    EnterPrep();
}

void CNPCBowler::DisplayFrame() {
    const s32 target = std::min(s32(fCurrentFrame), lane.NumPhysFrames - 1);
    for (s32 frame = m_iLastDisplayedFrame + 1; frame <= target; ++frame) {
        ForEachFramePose(lane, frame, [&](s32 body, const RefFrame_t& pose) {
            if (body < NUM_PINS) {
                m_pinPosition[body] = LaneDisplayPosition(pose.position, fLaneOffset);
                m_pinOrientation[body] = LaneDisplayOrientation(pose.O);
            } else if (body == FILM_BODY_BALL) {
                m_ballPosition = LaneDisplayPosition(pose.position, fLaneOffset);
                m_ballOrientation = LaneDisplayOrientation(pose.O);
            }
        });
    }
    m_iLastDisplayedFrame = std::max(m_iLastDisplayedFrame, target);
}

bool CNPCBowler::BallShown() const {
    return m_BowlState == BowlState_Approach && m_fApproachTime >= NPC_RELEASE_TIME &&
           FilmShowsBall(lane, m_iLastDisplayedFrame);
}

s32 CNPCBowler::SetupRandomShot() {
    BallData_t ball{};
    const f32 releaseX = f32(OrbRand() % 50 + 25) / 100.0f;
    ball.position.x = (5.0f + 410.0f * releaseX) / 40.0f;
    ball.position.z = 0.0f;
    ball.velocity.z = 42.0f * f32(OrbRand() % 600 + 2500) / 10.0f * 0.25f * kNpcSpeedScale;
    ball.VSpin.x = f32(OrbRand() % 21 - 10) / 10.0f * 0.25f;
    ball.mass = m_bMale ? 16 : 10;
    return NPC_StartPhysics(&ball);
}

void CNPCBowler::EnterPrep() {
    m_BowlState = BowlState_Prep;
    m_BallRollDone = 0;
    lane.PhysicsDone = 0;
    m_PinsetterDone = 0;
    m_SweepDone = 0;
    lane.SweeperZCoord = 179.375f;
}

PinMask CNPCBowler::GetRemainingPins() const {
    return lane.iPhysicsResult;
}

void CNPCBowler::NPC_SetupPins(PinMask pins, s32 randomTurn) {
    SetupPins(lane, pins, randomTurn);
    m_iLastDisplayedFrame = -1;
    m_ballPosition = LaneDisplayPosition(lane.PhysBall.position, fLaneOffset);
    m_ballOrientation = LaneDisplayOrientation(lane.PhysBall.O);
    for (s32 i = 0; i < NUM_PINS; ++i) {
        m_pinPosition[i] = LaneDisplayPosition(lane.PhysPins[i].position, fLaneOffset);
        m_pinOrientation[i] = LaneDisplayOrientation(lane.PhysPins[i].O);
    }
}

s32 CNPCBowler::NPC_StartPhysics(const BallData_t* ball) {
    return StartComputerPhysics(lane, ball);
}

s32 CNPCBowler::NPC_InitialBallRoll() {
    if (lane.PhysicsDone)
        return 1;
    if (!InitialBallRollStep(lane))
        return 0;
    if (!lane.PhysicsDone)
        HandOverToFineSteps(lane);
    return 1;
}

s32 CNPCBowler::NPC_RunPhysics() {
    return RunPhysics(lane);
}

s32 CNPCBowler::NPC_PickupPins() {
    return PickupPins(lane);
}

s32 CNPCBowler::NPC_SweepPins() {
    return SweepPins(lane, u16(iCurrentThrow));
}
