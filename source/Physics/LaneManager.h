// The lane manager's physics side: racking the player's lane, starting a throw,
// slicing the simulation into idle time and playing its film back.
#pragma once

#include "source/Physics/FilmPlayback.h"

// The fields of a ball's record that the physics takes.
struct BallRecord {
    f64 ball_mu;
    f64 ball_rg;
    u16 ball_absorb;
    u16 ball_flare;
    s32 ball_absorb_rate;
};

class CLaneManager {
public:
    // One physics slice of the player's lane; 1 while there was work.
    s32 ComputePhysicsTimeSlice();
    void InitLane(s32 freshRack);
    // Rolls the shot being aimed from the foul line as far as the arrows.
    s32 ComputeBallAngle(const BallData_t& aimed, const BallRecord& ball);
    // Starts a throw; ball speeds in units per second.
    s32 ComputeShot(const BallData_t& released, const BallRecord& ball, s32 bIsHumanPlayer);
    // Point i of n of the aim guide line, in inches.
    s_Vector3 GetShotLineCoord(u32 i, u32 n) const;

    // Playback: shows the film up to the playback position, then advances it.
    void DisplayFrame();
    void UpdatePinModelTransforms();

    OilGrid LaneOil() { return bLeftLane ? LeftOil : RightOil; }

    s32 m_state = 0;  // turn state; physics runs in 10..19
    // Nothing to simulate until the first throw.
    s32 bPhysicsDone = 1;
    s32 bPinsetterUpDone = 1;
    s32 bSweepDone = 1;
    s32 iCurrentBowlThrow = 0;
    f32 fLaneOffset = 0.0f;
    s32 bLeftLane = 0;
    u16 LeftOil[OIL_ROWS][OIL_BOARDS]{};
    u16 RightOil[OIL_ROWS][OIL_BOARDS]{};
    PinMask m_iLastPinSetup = 0;
    PinMask m_iPracticePinSetup = 0;
    s32 m_bPracticeMode = 0;
    f32 fCurrentFrame = 0.0f;  // playback position in film frames

    FilmPoses m_displayPoses{};
    s32 m_iLastDisplayedFrame = -1;
    s_Matrix4 m_pinTransform[NUM_PINS]{};
    s_Matrix4 m_ballTransform{};
};

// The lane manager.
extern CLaneManager Physics;
