// A lane context on the heap with an oil grid of its own, for the ball's tests.
#pragma once

#include <memory>
#include <numeric>

#include "source/Physics/BallMotion.h"
#include "source/Physics/Physics.h"

struct BallTestLane {
    std::unique_ptr<LaneContext> context;
    u16 oil[OIL_ROWS][OIL_BOARDS] = {};

    explicit BallTestLane(LaneKind kind = LaneKind::Player) : context(std::make_unique<LaneContext>(kind)) {
        context->Oil = oil;
    }
    LaneContext& lane() { return *context; }

    void FillOil(u16 amount) {
        for (auto& row : oil)
            for (u16& cell : row)
                cell = amount;
    }
    u64 GridOil() const {
        u64 total = 0;
        for (const auto& row : oil)
            total = std::accumulate(std::begin(row), std::end(row), total);
        return total;
    }

    // A ball resting on the lane at (x, z), skidding, with speeds per step.
    void PlaceBall(f32 x, f32 z, s_Vector3 velocity, s_Vector3 vspin = {}) {
        BallData_t& ball = context->PhysBall;
        ball = {};
        ball.position = {x, BALL_ON_LANE_Y, z, 0.0f};
        ball.velocity = velocity;
        ball.VSpin = vspin;
        ball.Omega = {vspin.z / PHYS_BALL_RADIUS, 0.0f, -vspin.x / PHYS_BALL_RADIUS, 0.0f};
        ball.O.up = {0.0f, -1.0f, 0.0f, 0.0f};
        ball.O.right = {1.0f, 0.0f, 0.0f, 0.0f};
        ball.slip = 1;
        ball.visible = 1;
    }
};

// A released ball as the lane manager hands it over: speeds in units per second,
// spin per coarse step.
inline BallData_t ShotBall(f32 x, f32 speed, f32 spinX = 0.0f) {
    BallData_t shot{};
    shot.position = {x, 0.0f, 0.0f, 0.0f};
    shot.velocity = {0.0f, 0.0f, speed, 0.0f};
    shot.VSpin = {spinX, 0.0f, 0.0f, 0.0f};
    shot.mass = 16;
    return shot;
}

constexpr f64 kTestBallMu = 0.2;
constexpr f64 kTestBallRg = 0.65;
