// Every index a parsed model holds, checked once against what it indexes, so that
// drawing, skinning and collision index within the counts without checks of their own.
#include <algorithm>
#include <initializer_list>

#include "orblib47/source/ModelInternal.h"

namespace {

constexpr u16 kFaceQuad = 0x8000;  // four corners, else three
constexpr u8 kNoBone = 0xFF;

bool Below(u32 value, s32 count) {
    return count > 0 && value < u32(count);
}

// Four bone bytes, most significant first, each a bone or none.
bool PackedBones(u32 word, s32 numBones) {
    for (u32 shift = 0; shift < 32; shift += 8) {
        const u8 bone = u8(word >> shift);
        if (bone != kNoBone && !Below(bone, numBones))
            return false;
    }
    return true;
}

const char* CheckSkeleton(const s_model& m) {
    if (m.numBones > 0 && !HMatrixCheckBones(m.boneList, m.numBones, m.rootBoneId))
        return "skeleton";
    for (s32 b = 0; b < m.numBones; ++b)
        if (m.boneList[b].meshId != -1 && !Below(u32(m.boneList[b].meshId), m.numMeshes))
            return "bone mesh out of range";
    return nullptr;
}

const char* CheckCommands(const s_model& m, const s_model_mesh& mesh) {
    const bool skinned = (m.flags & MODEL_FLAG_SKINNED) != 0;
    const auto bones = [&](std::initializer_list<u32> ids) {
        return std::all_of(ids.begin(), ids.end(), [&](u32 id) { return Below(id, m.numBones); });
    };
    for (u32 k = 0; k + 1 < mesh.numCommands; ++k) {
        const s_model_command c = ModelCommandAt(mesh.commands, k);
        u32 run = 0;
        switch (c.type) {
            case MODEL_CMD_BONES1:
                if (!bones({c.parm8}))
                    return "bone command past the bones";
                break;
            case MODEL_CMD_BONES2:
                if (!bones({c.parm8, c.parm16}))
                    return "bone command past the bones";
                break;
            case MODEL_CMD_BONES3:
                if (!bones({c.parm8, c.parm16, c.parm32}))
                    return "bone command past the bones";
                break;
            case MODEL_CMD_BONES4:
                if (!bones({c.parm8, c.parm16, c.parm32 >> 16, c.parm32 & 0xFFFF}))
                    return "bone command past the bones";
                break;
            case MODEL_CMD_SKIN_TRIS:
                run = 3 * u32(c.parm16);
                break;
            case MODEL_CMD_STRIP:
            case MODEL_CMD_SKIN_STRIP:
                run = u32(c.parm16) + 2;
                break;
            case MODEL_CMD_WEIGHT_VERT:
                if (skinned && (c.parm8 > 2 || !Below(c.parm16, m.numVertex)))
                    return "weighted vertex out of range";
                break;
            default:  // materials past the list are drawn by nothing; other types are skipped
                break;
        }
        if (run == 0)
            continue;
        if ((c.type == MODEL_CMD_STRIP) == skinned)
            return skinned ? "static strip in a skinned model" : "skinned primitive in a static model";
        if (u64(c.parm32) + run > u64(mesh.numIndices))
            return "primitive past the mesh's indices";
    }
    return nullptr;
}

const char* CheckMeshes(const s_model& m) {
    for (s32 i = 0; i < m.numIndices; ++i)
        if (!Below(m.indexList[i], m.numVertex))
            return "index past the vertices";
    for (s32 i = 0; i < m.numMeshes; ++i)
        if (const char* why = CheckCommands(m, m.meshList[i]))
            return why;
    return nullptr;
}

const char* CheckSpheres(const s_model_collision_sphere* spheres, s32 count, s32 numBones) {
    for (s32 i = 0; i < count; ++i) {
        const s_model_collision_sphere& s = spheres[i];
        if (!Below(u8(s.boneId), numBones))
            return "sphere bone out of range";
        if (s.link != -1 && !Below(u32(s.link), count))
            return "sphere link out of range";
    }
    return nullptr;
}

const char* CheckFaces(const s_model& m) {
    for (s32 i = 0; i < m.numCollisionFaces; ++i) {
        const s_model_collision_face& f = m.collisionFaceList[i];
        const u32 corners = (f.flags & kFaceQuad) != 0 ? 4 : 3;
        for (u32 c = 0; c < corners; ++c)
            if (!Below(f.vertIndex[c], m.numCollisionVertex))
                return "face corner out of range";
        if (!Below(f.normalIndex, m.numNormals))
            return "face normal out of range";
        // Faces of a model without bones stay where they are.
        if (m.numBones > 0 && !Below(f.boneId, m.numBones))
            return "face bone out of range";
    }
    return nullptr;
}

const char* CheckSets(const s_model& m) {
    const auto within = [](const u16* list, u16 first, u16 count, s32 limit) {
        return std::all_of(list + first, list + first + count, [&](u16 i) { return Below(i, limit); });
    };
    for (s32 i = 0; i < m.numSelectionSets; ++i) {
        const s_model_selection_set& s = m.selectionSetList[i];
        if (!within(m.vertexIndexList, s.vertexIndex, s.numVertex, m.numSelectionSetVertex) ||
            !within(m.faceIndexList, s.faceIndex, s.numFace, m.numCollisionFaces) ||
            !within(m.veilIndexList, s.veilIndex, s.numVeil, m.numVeils))
            return "selection set index out of range";
    }
    for (s32 i = 0; i < m.numSelectionSetVertex; ++i)
        if (!PackedBones(m.selectionSetVertexList[i].bones, m.numBones))
            return "selection set vertex bone out of range";
    return nullptr;
}

const char* CheckSkin(const s_model& m) {
    if (m.skinnedVertices.empty() && m.quantVertices.empty())
        return nullptr;
    const s_quant_load q = QuantLoadDecode(m.vertNormGQR);
    if (q.type != QUANT_TYPE_U16 && q.type != QUANT_TYPE_S16)
        return "vertices are not 16-bit";
    for (u32 bones : m.weightBones)
        if (!PackedBones(bones, m.numBones))
            return "skin bone out of range";
    if (!m.skinnedVertices.empty() && !ModelCheckVertexCommands(ModelSkinView(m), u32(m.numBones)))
        return "vertex commands";
    return nullptr;
}

}  // namespace

const char* ModelCheckIndices(const s_model& m) {
    // In order, stopping at the first fault: only one line is printed.
    const char* why = CheckSkeleton(m);
    why = why ? why : CheckMeshes(m);
    why = why ? why : CheckSpheres(m.collisionSphereList, m.numCollisionSpheres, m.numBones);
    why = why ? why : CheckSpheres(m.linkPointList, s32(m.numLinkPoints), m.numBones);
    why = why ? why : CheckFaces(m);
    why = why ? why : CheckSets(m);
    return why ? why : CheckSkin(m);
}
