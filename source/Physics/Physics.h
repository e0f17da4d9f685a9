// The operations of the ball and pin simulation. Every operation works on the lane
// context it is given: the player's lane (PlayerLane) or a computer bowler's.
#pragma once

#include "source/Physics/LaneContext.h"

// PhysicsWorld.cpp: the world, racking and the throw's run.
void SetupPins(LaneContext& lane, PinMask pins, s32 randomTurn);
// Where pin 0..9 stands in a rack without jitter.
s_Vector3 PinRackSpot(s32 pin);
s32 StartPhysics(LaneContext& lane, const BallData_t* ball, f64 mu, f64 rg, u16 absorb, u16 flare, s32 rate,
                 OilGrid oil, ThrowType type);
// A computer lane's start: the constructed ball parameters, frame 1 written, no
// coarse roll (that runs one step per slice, InitialBallRollStep).
s32 StartComputerPhysics(LaneContext& lane, const BallData_t* ball);
s32 RunPhysics(LaneContext& lane);
PinMask GetPhysicsResult(const LaneContext& lane);
s32 GetFrameFirstPinStruck(const LaneContext& lane);
s_Vector3 PhysicsToWorldSpace(const s_Vector3* p);
// Places a pin's collision spheres on its axis again (after it was moved).
inline void UpdatePinSpheres(PinData& pin) {
    for (s32 k = 0; k < 3; ++k) {
        const f32 offset = PinCollisionSphereOffset[k];
        pin.collisionSpheres[k].x = pin.position.x + offset * pin.O.up.x;
        pin.collisionSpheres[k].y = pin.position.y + offset * pin.O.up.y;
        pin.collisionSpheres[k].z = pin.position.z + offset * pin.O.up.z;
    }
}

// Film.cpp: the film's frames.
void OutputFrame(LaneContext& lane);
void OutputDummyBallRollFrames(LaneContext& lane);

// CollisionPass.cpp: the collision pass of one fine or sweep step.
void CollisionDetection(LaneContext& lane);

// Pinsetter.cpp: the pinsetter.
s32 PickupPins(LaneContext& lane);
s32 SweepPins(LaneContext& lane, u16 ball);
s32 CheckSweepPin(const LaneContext& lane, s32 pin, f32 z, u16 ball);

// BallMotion.cpp: the ball's motion.
// Puts the released ball on the foul line with the shot's speeds and spin; `loft` is
// its upward speed per coarse step (none for the aim preview).
void PlaceReleasedBall(BallData_t& ball, const BallData_t& shot, f32 loft);
// The ball's friction and oil parameters, the grid and the throw type of a throw or
// preview; an unusable radius of gyration (not positive, not finite) is taken as a
// uniform sphere's and the others are kept within R / 10..R.
void SetThrowParameters(LaneContext& lane, f64 mu, f64 rg, u16 absorb, u16 flare, s32 rate, OilGrid oil,
                        ThrowType type);
void DoBallSlip(LaneContext& lane, f64 mu, f64 g);
void DoBallRotate(LaneContext& lane);
void DoGutterBall(LaneContext& lane, f64 g);
void DoBallPastEnd(LaneContext& lane);
void CalculateForces(LaneContext& lane);
void EulerIntegration(LaneContext& lane);
void NormalizeOrientVectors(LaneContext& lane);
// Inline, as every moving body takes a few in every step. A squared length of 1, or
// of the float just above it, is a length of exactly 1, which leaves v as it is: the
// commonest case, for vectors already normalised.
inline void NormalizeVector(s_Vector3* v) {
    const f32 squared = v->x * v->x + v->y * v->y + v->z * v->z;
    if (squared == 1.0f || squared == 0x1.000002p+0f)
        return;
    const f32 length = f32(OrbSqrt(squared));
    if (length <= 0.0f)
        return;
    v->x /= length;
    v->y /= length;
    v->z /= length;
}
// The square root never gives a negative length, so the collision code's variant is
// the same operation.
inline void FastNormalizeVector(s_Vector3* v) {
    NormalizeVector(v);
}

// CoarseRoll.cpp: the roll to the pins in coarse steps.
void InitialBallRoll(LaneContext& lane);     // the player's whole coarse roll
s32 InitialBallRollStep(LaneContext& lane);  // one coarse step; 1 when the roll is over
// After a roll that reached the pins or passed the deck in a gutter: coarse-step
// speeds become fine-step speeds and the next fine step is recorded.
void HandOverToFineSteps(LaneContext& lane);

// AimPreview.cpp: the aim preview and frame interpolation.
s32 ApproximatePhysics(LaneContext& lane, const BallData_t* ball, f64 mu, f64 rg, u16 absorb, u16 flare,
                       s32 rate, OilGrid oil, ThrowType type);
void ApproximateBallRoll(LaneContext& lane);
void InterpolateBallRollFrames(LaneContext& lane);
void InterpolateBallRollFrame(const RefFrame_t& a, const RefFrame_t& b, RefFrame_t& out);

// BallPinCollision.cpp: ball-pin contacts.
void DetectBallPinCollision(LaneContext& lane, s32 pin);
void BallPinCollision(LaneContext& lane, s32 pin, f64 dist, f64 rSum, s_Vector3* radVect, s_Vector3* cVect,
                      const f64* norms);

// PinImpulse.cpp: the impulse primitives of every pin contact.
void ApplyPinImpulse(LaneContext& lane, s32 pin, const s_Vector3* relContact, const s_Vector3* deltaV);
void ApplySpinImpulse(LaneContext& lane, s32 pin, const s_Vector3* relContact, const s_Vector3* deltaV);

// PinSurfaces.cpp: pins against the fixed surfaces.
void DetectPinWallCollision(LaneContext& lane, s32 pin);

// PinSurfaceImpulses.cpp: the impulses of a pin against a wall or the floor.
void PinWallCollision(LaneContext& lane, s32 pin, f64 dist, f64 r, f64 elas, s_Vector3* radVect,
                      s_Vector3* cVect);
void PinFloorCollision(LaneContext& lane, s32 pin, f64 dist, f64 r, f64 elas, f64 muS, f64 muK,
                       s_Vector3* cVect);

// PinWobble.cpp: rocking pins.
void DoWobblePin(LaneContext& lane, s32 pin);

// PinPinCollision.cpp: pin-pin contacts.
void DetectPinPinCollision(LaneContext& lane, s32 pin1, s32 pin2);
void PinPinCollision(LaneContext& lane, s32 pin1, s32 pin2, f64 dist, f64 rSum, s_Vector3* radVect,
                     s_Vector3* cVect1, s_Vector3* cVect2, const f64* normP1, const f64* normP2);
