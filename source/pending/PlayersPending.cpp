// Stand-ins until the players land; the owner deletes this file.
#include "source/Players/ThrowInput.h"

CPlayer g_Players[MAX_PLAYERS];
void CPlayer::setStats(u8, u8, u8, u8, s32) {}
void CPlayer::SetName(const char*) {}
const char* CPlayer::GetName() const {
    return m_Name;
}
void CPlayer::equipBowler(const s_DBItem*, const s_DBItem*) {}
void CPlayer::equipBowlerDefault() {}
void CPlayer::getPlayerBallTransform(s_Matrix4*) const {}
void CPlayer::calculateShot(PinMask, s32) {}
const s_DBItem* CPlayer::GetShotBall() const {
    return nullptr;
}
BallRecord CPlayer::GetShotBallRecord() const {
    return {0.2, 0.6175, 40, 0, 0};
}
BallData_t BuildReleasedBall(const ShotParameters&, const CPlayer&) {
    return {};
}
void CThrowInput::Begin(s32, const ShotParameters&) {}
e_ThrowPhase CThrowInput::Update(const CPlayer&, ShotParameters*) {
    return THROW_RELEASED;
}
