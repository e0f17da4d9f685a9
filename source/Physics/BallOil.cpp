// Oil under the ball: the friction it leaves, and the oil that moves between the lane
// and the ball while the ball runs over the oiled part.
#include <algorithm>

#include "source/Physics/BallMotion.h"

namespace {

constexpr s32 kOilMax = 0xffff;
constexpr f64 kOilMeasureUnit = 2048.0;

// Truncated grid index of a coordinate, kept inside 0..last (x = 10.5 can round to
// board 39, a ball behind the foul line would give a negative row).
s32 GridIndex(f32 q, s32 last) {
    if (!(q > 0.0f))
        return 0;
    if (q >= f32(last))
        return last;
    return s32(q);
}

}  // namespace

u16* OilCellUnderBall(LaneContext& lane) {
    if (lane.Oil == nullptr)
        return nullptr;
    const s_Vector3& p = lane.PhysBall.position;
    const s32 row = GridIndex(p.z / OIL_ROW_LENGTH, OIL_ROWS - 1);
    const s32 board = GridIndex(p.x / PHYS_BOARD_WIDTH, OIL_BOARDS - 1);
    return &lane.Oil[row][board];
}

s32 ExcessBallOil(const LaneContext& lane) {
    if (lane.BallOil <= lane.BallOilAbsorb)
        return 0;
    return (s32(lane.BallOil) - s32(lane.BallOilAbsorb)) / 8;
}

f64 OilFriction(f64 ballMu, u16 cell, s32 excess) {
    // Two straight lines meeting at o = 5.4957981 (mu 0.02521); mu stays positive up
    // to the fullest level.
    const f64 o = f64(std::min(s32(cell) + excess, kOilMax)) / kOilMeasureUnit;
    f64 mu;
    if (o <= 0.0)
        mu = ballMu;
    else if (o < f64(5.4957981f))
        mu = f64(0.3f) - f64(0.05f) * o;
    else
        mu = f64(0.0275f) - f64(0.000416667f) * o;
    return std::min(mu, ballMu);
}

f64 OiledLaneFriction(const LaneContext& lane, u16 cell) {
    if (lane.whichthrow == CPUDryLane)
        return lane.PhysBall.position.z < lane.PhysCPUOilLength * 0.25f ? f64(0.04f) : lane.BallMu;
    return OilFriction(lane.BallMu, cell, ExcessBallOil(lane));
}

void ExchangeOil(LaneContext& lane, u16& cell) {
    const s32 rate = std::clamp(lane.BallAbsorbRate, 0, 10);
    s32 taken = (s32(cell) >> (10 - rate)) - ExcessBallOil(lane);
    // Neither the cell nor the ball may leave 0..65535; limiting the transfer rather
    // than the amounts keeps the total oil of lane and ball.
    taken = std::clamp(taken, s32(cell) - kOilMax, kOilMax - s32(lane.BallOil));
    cell = u16(s32(cell) - taken);
    lane.BallOil = u16(s32(lane.BallOil) + taken);
}

void ApplyTrackFlare(LaneContext& lane) {
    lane.BallOil = lane.BallOil > lane.BallTrackFlare ? u16(lane.BallOil - lane.BallTrackFlare) : u16(0);
}
