// Appending a hierarchical model's collision mesh, or the six faces of its
// bounding box, to a collision cache.
#include "orblib47/source/Bone.h"
#include "orblib47/source/CollisionCacheInternal.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Model.h"

namespace {

constexpr u16 kBoundsFlags = COLLISION_QUAD | COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS;

// A box face: its normal and its corners, bit 0 of a corner for max x, bit 1 for
// max y, bit 2 for max z.
struct s_box_face {
    s_Vector3 normal;
    u8 corner[4];
};
constexpr s_box_face kBoxFaces[6] = {
    {{0, 1, 0, 0}, {6, 7, 3, 2}}, {{0, -1, 0, 0}, {0, 1, 5, 4}}, {{-1, 0, 0, 0}, {0, 4, 6, 2}},
    {{1, 0, 0, 0}, {5, 1, 3, 7}}, {{0, 0, 1, 0}, {4, 5, 7, 6}},  {{0, 0, -1, 0}, {1, 0, 2, 3}},
};

// The world matrix a face of the hmodel's model moves with: its bone's, or the
// hmodel's own for a model without bones; null for a bone the hierarchy lacks.
const s_Matrix4* FaceMatrix(const s_hmodel* hmodel, u16 boneId) {
    const s_hmatrix* hmatrix = hmodel->hmatrix;
    if (hmatrix == nullptr || hmatrix->numBones == 0)
        return hmodel->model->numBones == 0 ? &hmodel->worldMatrix : nullptr;
    return boneId < u16(hmatrix->numBones) ? &hmatrix->boneList[boneId].worldMatrix : nullptr;
}

const s_Matrix4& RootMatrix(const s_hmodel* hmodel) {
    const s_hmatrix* hmatrix = hmodel->hmatrix;
    if (hmatrix == nullptr || hmatrix->numBones == 0)
        return hmodel->worldMatrix;
    return hmatrix->boneList[hmatrix->rootBone].worldMatrix;
}

}  // namespace

s_collision_cache* PolyCollideCacheHModel(s_collision_cache* cache, s_hmodel* hmodel,
                                          s_INSTANCE* objectInstance) {
    CollisionCacheStamp(cache);
    const s_model* model = hmodel->model;
    for (s32 i = 0; model != nullptr && i < model->numCollisionFaces; ++i) {
        if (cache->count >= cache->maxCount) {
            DEBUG_PRINT("PolyCollideCacheHModel: Warning - Cache Overflow\n");
            break;
        }
        const s_model_collision_face& face = model->collisionFaceList[i];
        const s_Matrix4* matrix = FaceMatrix(hmodel, face.boneId);
        if (matrix == nullptr)
            continue;
        s_cache_poly& poly = cache->polygons[cache->count];
        const u16 corners = (face.flags & COLLISION_QUAD) != 0 ? 4 : 3;
        for (u16 c = 0; c < corners; ++c) {
            const s_model_collision_vertex& v = model->collisionVertexList[face.vertIndex[c]];
            const s_Vector3 local = {v.x, v.y, v.z, 0.0f};
            Matrix4MultPoints(matrix, &poly.coord[c], &local, 1);
        }
        const s_Vector4& n = model->normalList[face.normalIndex];
        const s_Vector3 normal = {n.x, n.y, n.z, 0.0f};
        Matrix4RotPoints(matrix, &poly.normal, &normal, 1);
        Vect3Normal(&poly.normal, &poly.normal);
        CollisionCacheCommit(cache, face.flags, corners, s16(face.surface), s16(face.boneId), objectInstance);
    }
    PolyCollideCalcAxis(cache);
    return cache;
}

s_collision_cache* PolyCollideCacheHModelBounds(s_collision_cache* cache, s_hmodel* hmodel,
                                                s_INSTANCE* objectInstance) {
    CollisionCacheStamp(cache);
    const s_model* model = hmodel->model;
    if (model == nullptr)
        return cache;
    const s_Matrix4& world = RootMatrix(hmodel);
    // A scaled matrix would stretch the normals; they turn with its unit axes.
    s_Matrix4 unit;
    const bool scaled = (hmodel->flags & HMODEL_FLAG_SCALED) != 0;
    if (scaled)
        Matrix4Unitize(&unit, &world);
    const s_Matrix4& turn = scaled ? unit : world;

    s_Vector3 corners[8];
    for (u32 c = 0; c < 8; ++c) {
        const s_Vector3 local = {(c & 1) != 0 ? model->maxBounds.x : model->minBounds.x,
                                 (c & 2) != 0 ? model->maxBounds.y : model->minBounds.y,
                                 (c & 4) != 0 ? model->maxBounds.z : model->minBounds.z, 0.0f};
        Matrix4MultPoints(&world, &corners[c], &local, 1);
    }
    for (const s_box_face& face : kBoxFaces) {
        if (cache->count >= cache->maxCount) {
            DEBUG_PRINT("PolyCollideCacheHModelBounds: Warning - Cache Overflow\n");
            break;
        }
        s_cache_poly& poly = cache->polygons[cache->count];
        for (u32 c = 0; c < 4; ++c)
            poly.coord[c] = corners[face.corner[c]];
        Matrix4RotPoints(&turn, &poly.normal, &face.normal, 1);
        Vect3Normal(&poly.normal, &poly.normal);
        CollisionCacheCommit(cache, kBoundsFlags, 4, 0, 0, objectInstance);
    }
    PolyCollideCalcAxis(cache);
    return cache;
}
