// The shot of the bowler up: its ShotParameters and ball made into the released
// ball, for the throw and for the aim's guide line.
#include "source/Physics/LaneManager.h"

s32 CLaneManager::ComputeShot() {
    const CPlayer& bowler = g_Players[iCurrentBowler];
    return ComputeShot(BuildReleasedBall(bowler.m_Shot, bowler), bowler.GetShotBallRecord(),
                       bowler.bIsHumanPlayer);
}

s32 CLaneManager::ComputeBallAngle() {
    const CPlayer& bowler = g_Players[iCurrentBowler];
    return ComputeBallAngle(BuildAimedBall(bowler.m_Shot, bowler), bowler.GetShotBallRecord());
}
