// The bowlers of a game: statistics, name, ball bag and where the ball is held.
#include "source/Players/Player.h"

#include <algorithm>
#include <cstring>

#include "source/Career/CareerCharacter.h"

CPlayer g_Players[MAX_PLAYERS];

namespace {

constexpr s32 kHouseBall = 0;
// A plain ball for a game without a database.
constexpr BallRecord kPlainBall = {0.2, 0.6175, 40, 0, 0};
// A ball held at the bowler's side, in inches: beside the hip, at the hand's height.
constexpr f32 kHandSide = 8.0f;
constexpr f32 kHandHeight = 30.0f;

bool IsBall(const s_DBItem* item) {
    return item != nullptr && item->e_EquipType == EQUIP_TYPE_BALL;
}

// The career bowler is player slot 0 while a career slot is in use.
CCareerCharacter* CareerOf(const CPlayer* player) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (player != &g_Players[0] || career == nullptr || career->GetSlot(career->GetCurrSlot()) == nullptr)
        return nullptr;
    return career;
}

}  // namespace

void CPlayer::setStats(u8 armStrength, u8 accuracy, u8 hookControl, u8 stamina, s32 rightHanded) {
    m_ArmStrength = armStrength;
    m_Accuracy = accuracy;
    m_HookControl = hookControl;
    m_Stamina = stamina;
    m_PlayerConstruction.m_CharacterAttributes.hand = rightHanded != 0 ? 1 : 0;
}

void CPlayer::SetName(const char* name) {
    std::memset(m_Name, 0, sizeof(m_Name));
    if (name != nullptr)
        std::strncpy(m_Name, name, sizeof(m_Name) - 1);
}

const char* CPlayer::GetName() const {
    return m_Name;
}

void CPlayer::equipBowler(const s_DBItem* ball1, const s_DBItem* ball2) {
    if (IsBall(ball1))
        m_Balls[0] = ball1;
    if (IsBall(ball2))
        m_Balls[1] = ball2;
}

void CPlayer::equipBowlerDefault() {
    const s_DBItem* house = FindDbItem(kHouseBall);
    m_Balls[0] = m_Balls[1] = IsBall(house) ? house : nullptr;
    if (CCareerCharacter* career = CareerOf(this)) {
        career->ItemBuy(kHouseBall);
        career->GetEquipment()->Ball1 = kHouseBall;
    }
}

void CPlayer::getPlayerBallTransform(s_Matrix4* out) const {
    const s32 left = LeftHanded();
    const s_hmodel* body = m_PlayerConstruction.GetBodyTypeModel();
    const u32 bone = left ? BOWLER_BONE_HAND_LEFT : BOWLER_BONE_HAND_RIGHT;
    if (body != nullptr && body->hmatrix != nullptr && bone < u32(body->hmatrix->numBones)) {
        *out = *HModelGetBoneMatrix(body, bone);
        return;
    }
    // No model: beside the body's place, the bowler facing +z with y up, so the
    // right hand is towards -x.
    const s_Matrix4& place = m_PlayerConstruction.m_BodyTypeMatrix;
    *out = place.element[15] != 0.0f ? place : IDMatrix4;
    const f32 side = (left ? kHandSide : -kHandSide) * PHYS_WORLD_SCALE;
    const f32 up = kHandHeight * PHYS_WORLD_SCALE;
    for (s32 row = 0; row < 3; ++row)
        out->at(row, 3) += out->at(row, 0) * side + out->at(row, 1) * up;
}

const s_DBItem* CPlayer::GetShotBall() const {
    const s_DBItem* ball = m_Balls[m_Shot.Ball == 1 ? 1 : 0];
    if (ball == nullptr)
        ball = FindDbItem(kHouseBall);
    return IsBall(ball) ? ball : nullptr;
}

BallRecord CPlayer::GetShotBallRecord() const {
    const s_DBItem* ball = GetShotBall();
    if (ball == nullptr || BallInfosList == nullptr || ball->m_Index < 0 ||
        u32(ball->m_Index) >= DB_ITEM_COUNT)
        return kPlainBall;
    const s_DBBallInfo& info = BallInfosList[ball->m_Index];
    return {info.m_Friction, info.m_RadiusOfGyration, info.m_Absorb, info.m_Flare, info.m_AbsorbRate};
}
