// The bowlers of a game: up to four players, human or computer, their statistics,
// their two balls and the shot each is about to bowl.
#pragma once

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/ItemConstruction.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Physics/PhysicsTypes.h"

constexpr s32 MAX_PLAYERS = 4;

// One shot. Positions run across the lane from 0 (the left edge, as the bowler
// faces the pins) to 1 (the right edge).
struct ShotParameters {
    f32 Power = 0.0f;     // 0..1 of the bowler's fastest ball
    f32 Accuracy = 1.0f;  // 0..1; 1 goes exactly where it was aimed
    f32 Spin = 0.0f;      // -1 (hooks left) .. 1 (hooks right)
    f32 ReleaseX = 0.5f;  // where the ball leaves the hand at the foul line
    f32 AimX = 0.5f;      // where it is aimed to cross the arrows
    s32 Ball = 0;         // the bag slot bowled: 0 or 1
};

class CPlayer {
public:
    // Statistics 0..100; `rightHanded` goes into the look as the database keeps it: 0
    // bowls right-handed, nonzero left-handed.
    void setStats(u8 armStrength, u8 accuracy, u8 hookControl, u8 stamina, s32 rightHanded);
    void SetName(const char* name);
    const char* GetName() const;
    // The two balls of the bag; null keeps a slot's ball.
    void equipBowler(const s_DBItem* ball1, const s_DBItem* ball2);
    // The house ball (item 0) in both slots; in a career also bought and worn.
    void equipBowlerDefault();
    // The ball in the bowler's hand (the model's hand of its look), for previews;
    // without a model, held at the side of the body's place.
    void getPlayerBallTransform(s_Matrix4* out) const;

    // A computer bowler's next shot at the standing pins (m_Shot); always a valid
    // throw, scattered by its statistics through the game's random generator.
    void calculateShot(PinMask standing, s32 ballInRack);
    // The ball of the shot's bag slot (the house ball when a slot is empty) and the
    // physics' record of it.
    const s_DBItem* GetShotBall() const;
    BallRecord GetShotBallRecord() const;
    // The hand lives in the look, which the model is built from.
    bool LeftHanded() const { return m_PlayerConstruction.m_CharacterAttributes.hand != 0; }

    s32 bIsHumanPlayer = 1;
    CPlayerConstruction m_PlayerConstruction;
    CWristGuardConstruction m_GuardConstruction;
    u32 m_NumThrows = 0;
    ShotParameters m_Shot;

    u8 m_ArmStrength = 50;
    u8 m_Accuracy = 50;
    u8 m_HookControl = 50;
    u8 m_Stamina = 50;
    char m_Name[16] = {};
    const s_DBItem* m_Balls[2] = {};
};

extern CPlayer g_Players[MAX_PLAYERS];

// The released ball of a shot: position at the foul line, horizontal velocity in
// units per second from the power and the player's arm (a human's swing spans
// more speeds than a computer bowler's power), towards the aim at the
// arrows, spin from the shot's spin and the player's hook control, the ball's
// weight (by the bowler's gender) as its mass. The aim strays by the shot's
// inaccuracy: one draw of the game's random generator for every ball.
BallData_t BuildReleasedBall(const ShotParameters& shot, const CPlayer& player);
// The same ball exactly as aimed, without a random draw: for the aim preview.
BallData_t BuildAimedBall(const ShotParameters& shot, const CPlayer& player);
