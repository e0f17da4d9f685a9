// The model half of CPlayerConstruction: the body of the bowler's gender, body
// type and shirt, the parts worn on its bones, their swapped textures, its
// animation and its placement.
#include <cmath>
#include <numbers>

#include "orblib47/source/DrawContext.h"
#include "source/Career/BowlerPartsInternal.h"
#include "source/Career/PlayerConstruction.h"

namespace {

f32 Radians(f32 degrees) {
    return degrees * std::numbers::pi_v<f32> / 180.0f;
}

f32 ColumnLength(const s_Matrix4& m, s32 c) {
    return std::sqrt(m.at(0, c) * m.at(0, c) + m.at(1, c) * m.at(1, c) + m.at(2, c) * m.at(2, c));
}

bool NearOne(f32 v) {
    return std::fabs(v - 1.0f) < 0.001f;
}

}  // namespace

void CPlayerConstruction::UpdateBodyTypeModel() {
    FreeAll();
    const s_Character_Attributes look = Look();
    char name[16];
    BowlerPartName(name, BOWLER_SKIN, look.gender, look.bodyType);
    m_hBodyAnim = BowlerPartLoad(name);
    if (m_hBodyAnim == nullptr)
        return;
    BowlerBodySetHand(m_hBodyAnim, look.hand);
    const s32 build = look.gender * 2 + look.bodyType;
    BowlerPartName(name, BOWLER_SHIRT, build, look.shirtType);
    ReplacePart(PART_SHIRT, name);
    BowlerPartName(name, BOWLER_PANTS, build);
    ReplacePart(PART_PANTS, name);
    BowlerPartName(name, BOWLER_SHOES, look.gender);
    ReplacePart(PART_SHOES, name);
    BowlerPartName(name, BOWLER_HEAD, look.gender, look.faceType);
    ReplacePart(PART_HEAD, name);
    UpdateHairModel();
    UpdateFacialHairModel();
    UpdateHatModel();
    UpdateGlassesModel();
    UpdateModelTextures(0);
    if (m_AnimId != 0)
        PlayAnim(m_AnimId, m_AnimSpeed, m_AnimFlags);
}

void CPlayerConstruction::ReplacePart(e_Part part, const char* name) {
    BowlerPartFree(&m_hParts[part]);
    if (m_hBodyAnim != nullptr && name != nullptr)
        m_hParts[part] = BowlerPartLoad(name);
}

void CPlayerConstruction::UpdateHairModel() {
    const s_Character_Attributes look = Look();
    char name[16];
    BowlerPartName(name, BOWLER_HAIR, look.gender, look.hairStyle);
    ReplacePart(PART_HAIR, name);
    UpdateHairTexture();
}

void CPlayerConstruction::UpdateFacialHairModel() {
    const s_Character_Attributes look = Look();
    char name[16];
    BowlerPartName(name, BOWLER_BEARD, look.facialHair);
    ReplacePart(PART_BEARD, look.facialHair >= 0 ? name : nullptr);
    UpdateHairTexture();
}

void CPlayerConstruction::UpdateGlassesModel() {
    const s_Character_Attributes look = Look();
    char name[16];
    BowlerPartName(name, BOWLER_GLASSES, look.gender, look.glasses);
    ReplacePart(PART_GLASSES, look.glasses >= 0 ? name : nullptr);
}

void CPlayerConstruction::UpdateHatModel() {
    char name[16];
    BowlerPartName(name, BOWLER_HAT);
    ReplacePart(PART_HAT, Look().hat >= 0 ? name : nullptr);
    SwapHatTexture();
}

// Each swap shows every texture from the attributes, after the wait still running.
void CPlayerConstruction::UpdateHairTexture() {
    UpdateModelTextures(m_TextureWait);
}

void CPlayerConstruction::SwapShirtTexture() {
    UpdateModelTextures(m_TextureWait);
}

void CPlayerConstruction::SwapShoesTexture() {
    UpdateModelTextures(m_TextureWait);
}

void CPlayerConstruction::SwapHatTexture() {
    UpdateModelTextures(m_TextureWait);
}

void CPlayerConstruction::UpdateModelTextures(s32 waitFrames) {
    m_TextureWait = waitFrames > 0 ? waitFrames : 0;
    if (m_TextureWait == 0)
        ApplyTextures();
}

// Every swap from the attributes: shirt colour, pants, shoes, hair and facial-hair
// colour, the hat's texture.
void CPlayerConstruction::ApplyTextures() {
    const s_Character_Attributes look = Look();
    BowlerPartSetChoice(m_hParts[PART_SHIRT], BOWLER_TEX_SHIRT, look.gender, look.shirtColor);
    BowlerPartSetChoice(m_hParts[PART_PANTS], BOWLER_TEX_PANTS, look.gender, look.pants);
    BowlerPartSetChoice(m_hParts[PART_SHOES], BOWLER_TEX_SHOES, look.gender, look.shoes);
    BowlerPartSetChoice(m_hParts[PART_HAIR], BOWLER_TEX_HAIR, -1, look.hairColor);
    BowlerPartSetChoice(m_hParts[PART_BEARD], BOWLER_TEX_HAIR, -1, look.facialHairColor);
    BowlerPartSetChoice(m_hParts[PART_HAT], BOWLER_TEX_HAT, -1, look.hat);
}

void CPlayerConstruction::PlayAnim(u32 animId, f32 speed, u32 flags) {
    m_AnimId = animId;
    m_AnimSpeed = speed;
    m_AnimFlags = flags;
    if (m_hBodyAnim != nullptr)
        HModelPlayAnim(m_hBodyAnim, animId, speed, flags);
}

void CPlayerConstruction::AnimInit(f32 x, f32 y, f32 z) {
    Matrix4CreateTranslate(&m_BodyTypeMatrix, x, y, z);
}

void CPlayerConstruction::SetTranslation(f32 x, f32 y, f32 z) {
    m_BodyTypeMatrix.at(0, 3) = x;
    m_BodyTypeMatrix.at(1, 3) = y;
    m_BodyTypeMatrix.at(2, 3) = z;
}

void CPlayerConstruction::SetRotationX(f32 degrees) {
    Matrix4RotateX(&m_BodyTypeMatrix, Radians(degrees));
}

void CPlayerConstruction::SetRotationY(f32 degrees) {
    Matrix4RotateY(&m_BodyTypeMatrix, Radians(degrees));
}

void CPlayerConstruction::SetRotationZ(f32 degrees) {
    Matrix4RotateZ(&m_BodyTypeMatrix, Radians(degrees));
}

void CPlayerConstruction::DrawFE() {
    if (m_hBodyAnim == nullptr)
        return;
    if (m_TextureWait > 0 && --m_TextureWait == 0)
        ApplyTextures();
    // A placement carrying a scale is handed over as a turn and a scale, so the
    // normals are lit as they should be.
    const s_Vector3 scale = {ColumnLength(m_BodyTypeMatrix, 0), ColumnLength(m_BodyTypeMatrix, 1),
                             ColumnLength(m_BodyTypeMatrix, 2), 0};
    if (NearOne(scale.x) && NearOne(scale.y) && NearOne(scale.z)) {
        HModelUpdateMatrix(m_hBodyAnim, &m_BodyTypeMatrix);
    } else {
        s_Matrix4 turn = m_BodyTypeMatrix;
        for (s32 r = 0; r < 3; ++r)
            for (s32 c = 0; c < 3; ++c)
                turn.at(r, c) /= c == 0 ? scale.x : c == 1 ? scale.y : scale.z;
        HModelUpdateMatrixAndScale(m_hBodyAnim, &turn, &scale);
    }
    // A bowler out of view costs nothing; the body's sphere holds the parts.
    if (HModelClip(m_hBodyAnim) != DC_CLIP_NONE)
        return;
    HModelDraw(m_hBodyAnim);
    for (s_hmodel* part : m_hParts) {
        if (part == nullptr)
            continue;
        part->flags = (part->flags & ~HMODEL_FLAG_SCALED) | (m_hBodyAnim->flags & HMODEL_FLAG_SCALED);
        HModelDrawAttachment(part, m_hBodyAnim);
    }
}

void CPlayerConstruction::FreeAll() {
    for (s_hmodel*& part : m_hParts)
        BowlerPartFree(&part);
    BowlerBodyForget(m_hBodyAnim);
    BowlerPartFree(&m_hBodyAnim);
}
