// Types and constants of the ball and pin simulation. One physics unit is 4 inches;
// x runs across the lane, y points down (0 is the lane surface), z runs from the
// foul line towards the pins.
#pragma once

#include "orblib47/source/OrbMath.h"

constexpr s32 NUM_PINS = 10;

// A set of pins: bit (14 - i) stands for pin i, so 0x7fe0 is the full rack. The
// film's masks also use FILM_BALL_BIT and FILM_SWEEPER_BIT. Kept unsigned so that
// the top bit is an ordinary bit.
using PinMask = u16;
constexpr PinMask PIN_MASK_ALL = 0x7fe0;
constexpr PinMask FILM_BALL_BIT = 0x10;
constexpr PinMask FILM_SWEEPER_BIT = 0x08;
constexpr PinMask PinBit(s32 pin) {
    return PinMask(0x4000u >> pin);
}

// The film's capacity per lane. A computer lane's slow pick-up records every
// standing pin for 541 steps, so a full rack plus a busy pin action needs more
// than 7200 poses; 14400 leaves room for every throw measured.
constexpr s32 PHYS_MAX_FRAMES = 3600;
constexpr s32 PHYS_MAX_POSES = 14400;

constexpr f32 PHYS_GRAVITY = 0.0067013888f;  // per fine step squared
constexpr f32 PHYS_BALL_RADIUS = 1.06875f;
constexpr f32 PHYS_BOARD_WIDTH = 0.26923078f;
constexpr s32 OIL_ROWS = 50;
constexpr s32 OIL_BOARDS = 39;
constexpr f32 PHYS_WORLD_SCALE = 0.03057f;  // world units per inch

// Radii of a pin's three collision spheres.
extern const f64 PinCollisionSphereRadius[3];
// Offsets of the sphere centres along the pin's up axis from its centre of mass.
extern const f32 PinCollisionSphereOffset[3];

// The lane's oil: 50 rows (one foot each) of 39 boards.
using OilGrid = u16 (*)[OIL_BOARDS];

struct Orientation_t {
    s_Vector3 up;     // the body's axis; (0, -1, 0) upright
    s_Vector3 right;  // perpendicular to up
};

struct BallData_t {
    s_Vector3 position;
    s_Vector3 velocity;  // per step (coarse during the roll, fine afterwards)
    u8 mass;
    s_Vector3 VSpin;  // surface velocity due to spin, per step
    s_Vector3 Omega;  // angular velocity per step
    Orientation_t O;
    s32 slip;     // sliding rather than rolling
    s32 visible;  // part of the simulation
};

enum PinState : s32 {
    InactivePin = 0,  // parked, or fallen into the pit
    UntouchedPin = 1,
    WobblePin = 2,  // struck and rocking on its base
    ActivePin = 3,  // free body
};

struct PinData {
    s_Vector3 position;  // centre of mass
    s_Vector3 velocity;  // per fine step
    Orientation_t O;
    s_Vector3 Omega;
    PinState state;
    s_Vector3 collisionSpheres[3];
};

struct RefFrame_t {
    s_Vector3 position;
    Orientation_t O;
};

enum ThrowType : s32 {
    TestThrow = 0,
    CPUDryLane = 1,
    UserDryLane = 2,
    TestDryLane = 3,
};

// Physics-to-world transform of the player's lane (applied to inches x world scale).
extern const s_Matrix4 PhysLaneTransform;

// The fields of a ball's record that the physics takes.
struct BallRecord {
    f64 ball_mu;
    f64 ball_rg;
    u16 ball_absorb;
    u16 ball_flare;
    s32 ball_absorb_rate;
};
