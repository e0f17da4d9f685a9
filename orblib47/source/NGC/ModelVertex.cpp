// A model's vertices one at a time: at rest, and carried by the pose's bones.
#include <algorithm>

#include "orblib47/source/NGC/ModelDrawInternal.h"

namespace {

// The hardware reads a static vertex's normal bytes in 1/64 steps.
constexpr f32 kNormalByteStep = 1.0f / 64.0f;

bool Skinned(const s_model& model) {
    return (model.flags & MODEL_FLAG_SKINNED) != 0;
}

}  // namespace

void ModelAccumulateBone(const s_Matrix4& m, f32 w, const s_Vector4& rest, const s_Vector4& restNormal,
                         s_Vector4* coord, s_Vector4* normal) {
    f32* c = &coord->x;
    f32* n = &normal->x;
    for (s32 r = 0; r < 3; ++r) {
        const f32 p = m.at(r, 0) * rest.x + m.at(r, 1) * rest.y + m.at(r, 2) * rest.z + m.at(r, 3);
        const f32 q = m.at(r, 0) * restNormal.x + m.at(r, 1) * restNormal.y + m.at(r, 2) * restNormal.z;
        c[r] += w * p;
        n[r] += w * q;
    }
}

void ModelGetVertexCoord(const s_model* model, s32 index, s_Vector4* out) {
    const s_quant_load q = QuantLoadDecode(model->vertNormGQR);
    if (Skinned(*model)) {
        GetVector3GQR(model->skinnedVertices[index].coord, out, q);
    } else if (!model->quantVertices.empty()) {
        GetVector3GQR(model->quantVertices[index].coord, out, q);
    } else {
        const f32* c = model->floatVertices[index].coord;
        *out = {c[0], c[1], c[2], 1.0f};
    }
}

void ModelGetVertexNormal(const s_model* model, s32 index, s_Vector4* out) {
    if (Skinned(*model)) {
        GetVector3GQR(model->skinnedVertices[index].normal, out, QuantLoadDecode(model->vertNormGQR));
        return;
    }
    const s8* n = model->quantVertices.empty() ? model->floatVertices[index].normal
                                               : model->quantVertices[index].normal;
    *out = {n[0] * kNormalByteStep, n[1] * kNormalByteStep, n[2] * kNormalByteStep, 0.0f};
}

// The weights are the stored three (ModelSkinWeight); the bones the vertex's
// weightBones bytes, most significant first.
void ModelGetTransformedVertexCoordNormal(const s_model* model, const s_hmatrix* header, s32 index,
                                          s_Vector4* coord, s_Vector4* normal) {
    if (!Skinned(*model) || header == nullptr)
        return;
    *coord = {0.0f, 0.0f, 0.0f, 1.0f};
    *normal = {0.0f, 0.0f, 0.0f, 0.0f};
    s_Vector4 rest, restNormal;
    ModelGetVertexCoord(model, index, &rest);
    ModelGetVertexNormal(model, index, &restNormal);
    const u32 bones = model->weightBones[index];
    const u16* raw = model->vertexWeightList[index].weight;
    const u32 numBones = u32(std::max<s16>(header->numBones, 0));
    for (u32 k = 0; k < 3; ++k) {
        const u32 bone = (bones >> (24 - 8 * k)) & 0xFFu;
        const f32 w = ModelSkinWeight(raw[k]);
        if (bone != 0xFFu && bone < numBones && w != 0.0f)
            ModelAccumulateBone(header->boneList[bone].modelMatrixInv, w, rest, restNormal, coord, normal);
    }
    if (model->flags & MODEL_FLAG_SCALED)
        Vect4Normal(normal, normal);
}
