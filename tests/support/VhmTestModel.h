// Small model descriptions with every list of the "VHM" chunk filled, for the model
// loader's tests and its fuzz seeds.
#pragma once

#include "tools/discbuild/VhmWriter.h"

namespace vhmtest {

constexpr u32 kGqr = 0x08070807u;  // signed 16-bit, 1/256 per step

inline s_hmatrix_bone_def Bone(s16 parent, s16 sibling, s16 child, s16 mesh, f32 x) {
    s_hmatrix_bone_def bone{};
    for (int i = 0; i < 4; ++i)
        bone.localMatrix.element[5 * i] = bone.model2BoneMatrix.element[5 * i] = 1.0f;
    bone.localMatrix.element[3] = x;
    bone.model2BoneMatrix.element[3] = -x;
    bone.parentId = parent, bone.siblingId = sibling, bone.childId = child, bone.meshId = mesh;
    return bone;
}

// A two-bone skinned quad: one mesh drawn as a skinned strip, a skinned triangle
// and a weighted triangle; with spheres forming a capsule, a link point, a
// collision triangle, a veil, the three octrees, a selection set, a texture, an
// animation and a physics record.
inline discbuild::VhmModel SkinnedQuad() {
    discbuild::VhmModel m;
    m.flags = MODEL_FLAG_SKINNED;
    m.vertexSize = 20;
    m.radius = 2.0f;
    m.minBounds = {-2, 0, -1, 0};
    m.maxBounds = {6, 3, 1, 0};
    m.vertNormGQR = kGqr;
    const s16 xs[4] = {0, 256, 256, 0}, ys[4] = {0, 0, 256, 256};
    for (u32 i = 0; i < 4; ++i) {
        const f32 x = f32(xs[i]) / 256, y = f32(ys[i]) / 256;
        m.vertices.push_back({x, y, {}, {x, y, 0, 1}, {0, 0, 1, 0}, {1, 1, 1, 1}});
        m.skinnedVertices.push_back(
            {s16(xs[i] * 4), s16(ys[i] * 4), {xs[i], ys[i], 0}, {0, 0, 256}, 0x204080FFu + i});
        m.vertexWeights.push_back({{0x8000, 0, 0}});
        m.weightBones.push_back(i < 2 ? 0x00FFFFFFu : 0x01FFFFFFu);
        m.collisionVertices.push_back({x, y, 0, 0xFFFFFFFFu});
    }
    m.vertexCommands = {{VERTEX_CMD_MATRIX1, 0, 0, 0},
                        {VERTEX_CMD_SKIN, 0, 0, 2},
                        {VERTEX_CMD_MATRIX1, 1, 0, 0},
                        {VERTEX_CMD_SKIN, 0, 2, 2}};
    m.indices = {0, 0, 1, 3, 2, 0, 1, 2};  // the first belongs to no mesh
    m.normals = {{0, 0, 1, 0}};
    m.rootBoneId = 0;
    m.bones = {Bone(-1, -1, 1, -1, 0.0f), Bone(0, -1, -1, -1, 1.0f)};
    discbuild::VhmMesh mesh;
    mesh.numPolygons = 4;
    mesh.firstIndex = 1;
    mesh.numIndices = 7;
    mesh.commands = {{MODEL_CMD_MATERIAL, 0, 0, 0},        {MODEL_CMD_BONES2, 0, 1, 0},
                     {MODEL_CMD_SKIN_STRIP, 0, 2, 0},      {MODEL_CMD_SKIN_TRIS, 0, 1, 4},
                     {MODEL_CMD_WEIGHT_VERT, 2, 3, 0},     {MODEL_CMD_WEIGHT_TRI, 0, 0, 0},
                     {MODEL_CMD_BONES4, 1, 0, 0x00010000}, {17, 0xFF, 0xFFFF, 0xFFFFFFFFu}};
    m.meshes = {mesh};
    m.collisionSpheres = {{{0, 0.5f, 0, 0}, 0, 0, 1, 1, 0.25f, 0}, {{0, 0.5f, 0, 0}, 0, 1, 0, 1, 0.25f, 0}};
    m.linkPoints = {{{0.5f, 0, 0, 0}, 0, 1, -1, 0, 0, 0}};
    m.collisionFaces = {{0.5f, 0.5f, 0, 1, 0x0000, 7, 0, 1, {0, 1, 2, 0xFFFF}}};
    m.veils = {{0.5f, 0.5f, 0, 1, 0, {0, 1, 2, 3}, 0}};
    const auto leaf = [](u16 item) { return discbuild::OctreeNode{{0.5f, 0.5f, 0}, 1.0f, 0, {item}, {}}; };
    m.octTree = discbuild::OctreeNode{{0.5f, 0.5f, 0}, 2.0f, 0, {}, {leaf(0)}};
    m.collisionOctTree = leaf(0);
    m.veilOctTree = leaf(0);
    m.selectionSets = {{"HAND", 1, 0, 1, 0, 1, 0}};
    m.selectionSetVertices = {{{0, 0, 0, 1}, {0, 0, 1, 0}, {1, 0, 0}, 0x01FFFFFFu}};
    m.vertexIndices = {0};
    m.faceIndices = {0};
    m.veilIndices = {0};
    m.textureNames = {"QUADSKIN"};
    m.animNames = {"QUADANM"};
    m.physicsPrims = {std::vector<u8>(discbuild::kVhmPhysicsPrimSize, 0x11)};
    return m;
}

// An unskinned, boneless quad of quantised vertices drawn as one static strip.
inline discbuild::VhmModel StaticQuad() {
    discbuild::VhmModel m;
    m.vertNormGQR = kGqr;
    m.vertexSize = 20;
    m.maxBounds = {1, 1, 0, 0};
    const s16 xs[4] = {0, 256, 256, 0}, ys[4] = {0, 0, 256, 256};
    for (u32 i = 0; i < 4; ++i) {
        m.vertices.push_back({});
        m.quantVertices.push_back({0, 0, {xs[i], ys[i], 0, 0}, {0, 0, 64, 0}, 0xFFFFFFFFu});
    }
    m.indices = {0, 1, 3, 2};
    discbuild::VhmMesh mesh;
    mesh.numPolygons = 2;
    mesh.numIndices = 4;
    mesh.commands = {{MODEL_CMD_MATERIAL, 0, 0, 0}, {MODEL_CMD_STRIP, 0, 2, 0}};
    m.meshes = {mesh};
    return m;
}

}  // namespace vhmtest
