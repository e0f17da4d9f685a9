// The shot of the bowler up: its ShotParameters and ball made into the released
// ball, for the throw and for the aim's guide line.
#include "orblib47/source/OrbRandom.h"
#include "source/Physics/LaneManager.h"

s32 CLaneManager::ComputeShot() {
    const CPlayer& bowler = g_Players[iCurrentBowler];
    return ComputeShot(BuildReleasedBall(bowler.m_Shot, bowler), bowler.GetShotBallRecord(),
                       bowler.bIsHumanPlayer);
}

s32 CLaneManager::ComputeBallAngle() {
    const CPlayer& bowler = g_Players[iCurrentBowler];
    // The guide line shows the ball as aimed: no scatter, and the game's random
    // sequence does not depend on how often the aim moved.
    ShotParameters aimed = bowler.m_Shot;
    aimed.Accuracy = 1.0f;
    const s_orb_random saved = *OrbRandomPtr;
    const BallData_t ball = BuildReleasedBall(aimed, bowler);
    *OrbRandomPtr = saved;
    return ComputeBallAngle(ball, bowler.GetShotBallRecord());
}
