// A material's texture passes: what each texture mode binds on this platform,
// and the second-pass specular reflection.
#include "orblib47/source/Bone.h"
#include "orblib47/source/NGC/DrawCombine.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/MaterialHW.h"
#include "orblib47/source/Texture.h"

namespace {

// Set while the last passes added the reflection stage: DrawSetTexture skips an
// unchanged texture, so the next material must take the stage out itself.
bool ReflectStageAdded = false;

// The variant child of a pass texture, for this binding only.
s_texture* Variant(const s_TEXTURE_PASS& pass) {
    return TextureGetChild(pass.texture, u8(OrbMaterial.m_TextureVariant - 1));
}

// The material's entry of the flat matrices when it has been animated, else the
// identity.
s_Matrix4 AnimationMatrix() {
    const s_flat_matrix* list = OrbMaterial.m_MatrixList;
    const u32 index = OrbMaterial.m_Index;
    if (list != nullptr && index < list->numBones && (list->boneList[index].flags & FBONE_FLAG_VALID) != 0)
        return list->boneList[index].matrix;
    return DefaultColorMatrix;
}

// Pass 0 binds on stage 0; false when the modes after it are not set up here.
bool FirstPass(s_ORB_MATERIAL* material, const s_TEXTURE_PASS& pass) {
    s_texture* texture = Variant(pass);
    switch (pass.mode) {
        case TEXTURE_MODE_ANIMATE:
            material->matrix = AnimationMatrix();
            MaterialBindStage0(texture);
            DrawSetTextureMatrix(&material->matrix);
            return true;
        case TEXTURE_MODE_PROJECT:
            if (OrbMaterial.m_ObjectWorldMatrix != nullptr)
                MaterialBindStage0(texture);
            return true;
        case TEXTURE_MODE_DIFFUSE:
        case TEXTURE_MODE_REFRACT:
        case TEXTURE_MODE_SPECULAR_MAP:
        case TEXTURE_MODE_REFLECT:
        case TEXTURE_MODE_SPECULAR_REFLECT:
            MaterialBindStage0(texture);
            return true;
        default:
            MaterialBindStage0(texture);
            return false;
    }
}

// A later pass; false once one of them has been set up.
bool LaterPass(s_ORB_MATERIAL* material, const s_TEXTURE_PASS& pass) {
    s_texture* texture = Variant(pass);
    switch (pass.mode) {
        case TEXTURE_MODE_REFLECT:
        case TEXTURE_MODE_REFRACT:
            MaterialBindStage1(texture);
            return false;
        case TEXTURE_MODE_SPECULAR_MAP:
            MaterialBindStage1(texture);
            DrawSetCombineMode2(DC_COMBINE_ALPHA_ADD_STENCIL);
            return false;
        case TEXTURE_MODE_SPECULAR_REFLECT:
            TexturePass1SpecularReflect(material, texture);
            return false;
        default:
            return true;
    }
}

}  // namespace

void COrbMaterial::SetTexturePasses(s_ORB_MATERIAL* material) {
    TextureStageDefault = 0;
    if (ReflectStageAdded) {
        DrawResetCombineStages();
        ReflectStageAdded = false;
    }
    DrawSetTextureMatrix(nullptr);
    const s32 count = material->numTexturePasses;
    if (count <= 0) {
        DrawSetTexture(nullptr, 0);
        return;
    }
    if (!FirstPass(material, material->texturePassList[0]))
        return;
    for (s32 i = 1; i < count && i < MATERIAL_MAX_TEXTURE_PASSES; ++i)
        if (!LaterPass(material, material->texturePassList[i]))
            return;
}

void TexturePass1SpecularReflect(const s_ORB_MATERIAL* material, s_texture* texture) {
    if (material->specular.w == 0.0f || texture == nullptr)
        return;
    // A basis looking along the specular light: right and up across it, the
    // third row kept from the identity.
    const s_Vector3 towards = {-DrawSpecularDir.x, -DrawSpecularDir.y, -DrawSpecularDir.z, 0.0f};
    const s_Vector3 up = {0.0f, 1.0f, 0.0f, 0.0f};
    s_Vector3 right, upAcross;
    Vect3Cross(&right, &towards, &up);
    if (Vect3Normal(&right, &right) == 0.0f)
        right = {1.0f, 0.0f, 0.0f, 0.0f};
    Vect3Cross(&upAcross, &right, &towards);
    Vect3Normal(&upAcross, &upAcross);
    s_Matrix4 basis = DefaultColorMatrix;
    for (int c = 0; c < 3; ++c) {
        basis.at(0, c) = (&right.x)[c];
        basis.at(1, c) = (&upAcross.x)[c];
    }
    // Normals go through the bone's rotation first, then into the basis.
    s_Matrix4 rotation =
        OrbMaterial.m_BoneWorldMatrix != nullptr ? *OrbMaterial.m_BoneWorldMatrix : DefaultColorMatrix;
    Matrix4MultMatrix3x3(&rotation, &rotation, &basis);
    Mtx texMtx;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            texMtx[r][c] = scaleOffset[r][0] * rotation.at(0, c) + scaleOffset[r][1] * rotation.at(1, c) +
                           scaleOffset[r][2] * rotation.at(2, c);
        texMtx[r][3] = scaleOffset[r][3];
    }
    GXLoadTexMtxImm(texMtx, GX_TEXMTX8, GX_MTX3x4);

    // One stage after the modulated texture (and after the stencil stage when on).
    const bool stencil = DrawContext.stencilMode == DC_STENCIL_ON;
    const GXTexCoordID coord = stencil ? GX_TEXCOORD2 : GX_TEXCOORD1;
    const GXTevStageID stage = stencil ? GX_TEVSTAGE2 : GX_TEVSTAGE1;
    GXSetTexCoordGen2(coord, GX_TG_MTX3x4, GX_TG_NRM, GX_TEXMTX8, GX_FALSE, GX_PTIDENTITY);
    GXSetNumTexGens(stencil ? 3 : 2);
    GXLoadTexObj(&texture->file.maps[0].textureObj[0], GX_TEXMAP6);
    GXSetNumTevStages(stencil ? 3 : 2);
    GXSetTevOrder(stage, coord, GX_TEXMAP6, GX_COLOR_NULL);
    GXSetTevColorIn(stage, GX_CC_TEXC, GX_CC_ZERO, GX_CC_ZERO, GX_CC_CPREV);
    GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, GX_CA_APREV);
    GXSetTevColorOp(stage, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevAlphaOp(stage, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevSwapMode(stage, GX_TEV_SWAP0, GX_TEV_SWAP0);
    ReflectStageAdded = true;
}
