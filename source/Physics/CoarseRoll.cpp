// The coarse lane roll: the ball's run from the release to the pins in steps of
// 1/30 s, each written to the film as three filler frames and one real frame.
#include "source/Physics/BallMotion.h"
#include "source/Physics/Physics.h"

const CoarseRollRules ThrowRollRules{true, true, 75.0f, false};
// The preview is not lofted, runs through the pins and stops at the arrows.
const CoarseRollRules PreviewRollRules{false, false, 60.0f, true};

namespace {

// Friction, oil exchange and flare of one coarse step.
void CoarseFriction(LaneContext& lane) {
    BallData_t& ball = lane.PhysBall;
    const f32 x = ball.position.x;
    const bool landedInGutter = lane.FrameBallHitGutter != 0;
    const bool overOil = ball.position.z < OIL_GRID_END_Z;
    if (ball.slip && ((x >= 0.0f && x < LANE_RIGHT_EDGE) || landedInGutter)) {
        f64 mu = lane.BallMu;
        if (overOil && !landedInGutter && lane.whichthrow != TestDryLane) {
            u16* cell = OilCellUnderBall(lane);
            mu = OiledLaneFriction(lane, cell ? *cell : u16(0));
            if (cell && lane.whichthrow != TestThrow)
                ExchangeOil(lane, *cell);
            ApplyTrackFlare(lane);
        }
        DoBallSlip(lane, mu, f64(COARSE_GRAVITY));
    } else if (BallOverLane(x) && overOil &&
               (lane.whichthrow == CPUDryLane || lane.whichthrow == UserDryLane)) {
        // A rolling ball still trades oil with the lane, but loses no flare.
        if (u16* cell = OilCellUnderBall(lane))
            ExchangeOil(lane, *cell);
    }
}

// The wedge in front of the rack: two lines parallel to its sides meeting at
// (5.25, 176.6875), cut off 1.65625 in front of the head pin.
bool BallReachesPins(f32 x, f32 z) {
    const f64 slope = f64(1.7320508f);
    return z > 178.34375f && slope * x + z >= 185.78076171875 && slope * x - z <= -167.59423828125;
}

}  // namespace

s32 CoarseRollStep(LaneContext& lane, const CoarseRollRules& rules) {
    if (lane.PhysicsDone)
        return 1;
    BallData_t& ball = lane.PhysBall;
    CoarseFriction(lane);

    if (rules.verticalMotion) {
        if (BallOverLane(ball.position.x)) {
            if (ball.position.y > BALL_ON_LANE_Y) {
                ball.position.y = BALL_ON_LANE_Y;
                ball.velocity.y = 0.0f;
            } else if (ball.position.y < BALL_ON_LANE_Y) {
                ball.velocity.y += COARSE_GRAVITY;
            }
        }
        ball.position.y += ball.velocity.y;
    }
    ball.position.x += ball.velocity.x;
    ball.position.z += ball.velocity.z;
    DoBallRotate(lane);
    OrthonormaliseOrientation(ball.O);

    // The ends of the roll look one step ahead.
    const f32 nextX = ball.position.x + ball.velocity.x;
    const f32 nextZ = ball.position.z + ball.velocity.z;
    bool over = false;
    if (rules.stopsAtPins && BallReachesPins(nextX, nextZ)) {
        lane.FrameBallReachesPins = lane.NumPhysFrames;
        over = true;
    }
    if (!BallOverLane(ball.position.x)) {
        if (nextZ > PIN_DECK_END_Z)
            over = true;
        else
            DoGutterBall(lane, f64(COARSE_GRAVITY));
    }

    OutputDummyBallRollFrames(lane);
    if (!lane.PhysicsDone)
        OutputFrame(lane);

    if (lane.FrameBallReachesArrows == 0 && ball.position.z > rules.arrowsZ) {
        // Name a frame that exists: the next one only when more frames will follow.
        const bool noMoreFrames = rules.endsAtArrows || lane.PhysicsDone;
        lane.FrameBallReachesArrows = noMoreFrames ? lane.NumPhysFrames - 1 : lane.NumPhysFrames;
        over = over || rules.endsAtArrows;
    }
    return over || lane.PhysicsDone ? 1 : 0;
}

s32 InitialBallRollStep(LaneContext& lane) {
    return CoarseRollStep(lane, ThrowRollRules);
}

void InitialBallRoll(LaneContext& lane) {
    lane.PinsToOutput = 0;
    OutputFrame(lane);
    lane.FrameBallReachesArrows = 0;
    lane.FramePinsetterStarts = 0;
    while (!InitialBallRollStep(lane)) {
    }
}

void HandOverToFineSteps(LaneContext& lane) {
    BallData_t& ball = lane.PhysBall;
    for (s_Vector3* v : {&ball.velocity, &ball.VSpin, &ball.Omega}) {
        v->x *= FINE_STEPS_PER_COARSE;
        v->z *= FINE_STEPS_PER_COARSE;
    }
    lane.SamplesTilFrame = 1;
}
