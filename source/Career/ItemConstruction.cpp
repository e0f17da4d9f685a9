#include "source/Career/ItemConstruction.h"

#include <numbers>

#include "source/Career/BowlerPartsInternal.h"

namespace {

f32 Radians(f32 degrees) {
    return degrees * std::numbers::pi_v<f32> / 180.0f;
}

// Places a lone item: at `position`, turned about x and then y, scaled.
void PlaceItem(s_hmodel* model, const s_Vector3& position, f32 turnX, f32 turnY, f32 scale) {
    s_Matrix4 place;
    Matrix4CreateTranslate(&place, position.x, position.y, position.z);
    Matrix4RotateX(&place, Radians(turnX));
    Matrix4RotateY(&place, Radians(turnY));
    const s_Vector3 scales = {scale, scale, scale, 0};
    HModelUpdateMatrixAndScale(model, &place, &scales);
}

}  // namespace

void CWristGuardConstruction::UpdateGuardModel(s32 textureId) {
    m_textureId = textureId;
    if (m_textureId < 0)
        BowlerPartFree(&m_hModel);
    else
        BowlerPartSetChoice(m_hModel, BOWLER_TEX_GUARD, -1, m_textureId);
}

void CWristGuardConstruction::Draw(s_hmodel* body) {
    if (body == nullptr || m_textureId < 0)
        return;
    const s32 hand = BowlerBodyHand(body);
    if (m_hModel == nullptr || hand != m_hand) {
        BowlerPartFree(&m_hModel);
        char name[16];
        BowlerPartName(name, BOWLER_GUARD, hand);
        m_hModel = BowlerPartLoad(name);
        m_hand = hand;
        BowlerPartSetChoice(m_hModel, BOWLER_TEX_GUARD, -1, m_textureId);
    }
    if (m_hModel == nullptr)
        return;
    m_hModel->flags = (m_hModel->flags & ~HMODEL_FLAG_SCALED) | (body->flags & HMODEL_FLAG_SCALED);
    HModelDrawAttachment(m_hModel, body);
}

void CWristGuardConstruction::SetScale(f32 scale) {
    m_scale = scale;
}

void CWristGuardConstruction::Reset() {
    BowlerPartFree(&m_hModel);
    m_textureId = -1;
    m_scale = 1.0f;
    m_hand = 0;
}

void CBallConstruction::UpdateBallTexture(s32 textureId, s32) {
    m_textureId = textureId;
    if (m_hModel == nullptr) {
        char name[16];
        BowlerPartName(name, BOWLER_BALL);
        m_hModel = BowlerPartLoad(name);
    }
    BowlerPartSetChoice(m_hModel, BOWLER_TEX_BALL, -1, m_textureId);
}

void CBallConstruction::SetBallPosition(f32 x, f32 y, f32 z) {
    m_position = {x, y, z, 0};
}

void CBallConstruction::SetScale(f32 scale) {
    m_scale = scale;
}

void CBallConstruction::Draw() {
    if (m_hModel == nullptr)
        return;
    m_turn = m_turn >= 359.0f ? 0.0f : m_turn + 1.0f;
    PlaceItem(m_hModel, m_position, 0.0f, m_turn, m_scale);
    HModelDraw(m_hModel);
}

void CBallConstruction::Reset() {
    BowlerPartFree(&m_hModel);
    *this = CBallConstruction{};
}

void CTrophyConstruction::UpdateTrophy(s32 index) {
    BowlerPartFree(&m_hModel);
    m_index = index >= 0 && index < BOWLER_TROPHY_COUNT ? index : -1;
    if (m_index < 0)
        return;
    char name[16];
    BowlerPartName(name, BOWLER_TROPHY, m_index);
    m_hModel = BowlerPartLoad(name);
}

void CTrophyConstruction::SetTrophyPosition(f32 x, f32 y, f32 z) {
    m_position = {x, y, z, 0};
}

void CTrophyConstruction::SetRotationX(f32 degrees) {
    m_rotationX = degrees;
}

void CTrophyConstruction::Draw() {
    if (m_hModel == nullptr)
        return;
    PlaceItem(m_hModel, m_position, m_rotationX, 0.0f, 1.0f);
    HModelDraw(m_hModel);
}

void CTrophyConstruction::Reset() {
    BowlerPartFree(&m_hModel);
    *this = CTrophyConstruction{};
}
