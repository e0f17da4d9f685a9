// Landmarks of the lane and helpers shared by the ball's coarse roll, its fine steps
// and the aim preview. Lengths in physics units (4 inches), speeds per step.
#pragma once

#include "source/Physics/LaneContext.h"

constexpr f32 LANE_RIGHT_EDGE = 10.5f;
constexpr f32 OIL_GRID_END_Z = 150.0f;
constexpr f32 OIL_ROW_LENGTH = 3.0f;
constexpr f32 COARSE_GRAVITY = 0.026805555f;  // per coarse step squared
constexpr f32 FINE_STEPS_PER_COARSE = 0.25f;  // a coarse-step speed times this is per fine step
constexpr f32 BALL_ON_LANE_Y = -PHYS_BALL_RADIUS;
constexpr f32 BALL_IN_GUTTER_Y = -0.19375f;
constexpr f32 LEFT_GUTTER_CENTRE_X = -1.15625f;
constexpr f32 RIGHT_GUTTER_CENTRE_X = 11.65625f;
constexpr f32 PIN_DECK_END_Z = 189.046875f;
constexpr f32 BACK_WALL_Z = 194.546875f;
constexpr f32 PIT_FLOOR_Y = 4.25f;  // a ball or pin below this is out of play

inline bool BallOverLane(f32 x) {
    return x >= 0.0f && x <= LANE_RIGHT_EDGE;
}

// Unit up, right made orthogonal to it and unit.
void OrthonormaliseOrientation(Orientation_t& o);

// The oil under the ball (BallOil.cpp).
// The cell under the ball, clamped to the grid; null when the lane has no grid.
u16* OilCellUnderBall(LaneContext& lane);
// The eighth of the ball's oil beyond what it holds without giving any back.
s32 ExcessBallOil(const LaneContext& lane);
// Friction of a skidding ball over an oiled cell: ballMu on a dry one, falling with
// the oil level, never above ballMu.
f64 OilFriction(f64 ballMu, u16 cell, s32 excess);
// Friction of a skidding ball on the oiled part, by the throw type.
f64 OiledLaneFriction(const LaneContext& lane, u16 cell);
// The ball soaks oil off the cell and gives back an eighth of its excess.
void ExchangeOil(LaneContext& lane, u16& cell);
// Oil a skidding ball loses per coarse step.
void ApplyTrackFlare(LaneContext& lane);

// Coarse roll (CoarseRoll.cpp).
struct CoarseRollRules {
    bool verticalMotion;  // gravity, landing and the vertical move (a throw is lofted)
    bool stopsAtPins;     // the pin wedge ends the roll
    f32 arrowsZ;          // the arrows frame is set once the ball passes this
    bool endsAtArrows;
};
extern const CoarseRollRules ThrowRollRules;
extern const CoarseRollRules PreviewRollRules;
// One coarse step and its four film frames; 1 when the roll is over.
s32 CoarseRollStep(LaneContext& lane, const CoarseRollRules& rules);
