#include <cmath>

#include "tools/modelgen/BowlerInternal.h"
#include "tools/modelgen/SkeletonLinks.h"

namespace modelgen {

namespace bowler {

// The right side lies at -x: the bowler faces +z.
// clang-format off
const Joint kJoints[BOWLER_BONE_COUNT] = {
    {-1,                          {0, 0.95f, 0, 0}},
    {BOWLER_BONE_HIPS,            {0, 0.10f, 0, 0}},
    {BOWLER_BONE_SPINE,           {0, 0.22f, 0, 0}},
    {BOWLER_BONE_CHEST,           {0, 0.24f, 0, 0}},
    {BOWLER_BONE_NECK,            {0, 0.10f, 0, 0}},
    {BOWLER_BONE_CHEST,           {-0.06f, 0.18f, 0, 0}},
    {BOWLER_BONE_SHOULDER_RIGHT,  {-0.13f, 0, 0, 0}},
    {BOWLER_BONE_UPPER_ARM_RIGHT, {0, -0.29f, 0, 0}},
    {BOWLER_BONE_FOREARM_RIGHT,   {0, -0.26f, 0, 0}},
    {BOWLER_BONE_CHEST,           {0.06f, 0.18f, 0, 0}},
    {BOWLER_BONE_SHOULDER_LEFT,   {0.13f, 0, 0, 0}},
    {BOWLER_BONE_UPPER_ARM_LEFT,  {0, -0.29f, 0, 0}},
    {BOWLER_BONE_FOREARM_LEFT,    {0, -0.26f, 0, 0}},
    {BOWLER_BONE_HIPS,            {-0.10f, -0.04f, 0, 0}},
    {BOWLER_BONE_THIGH_RIGHT,     {0, -0.43f, 0, 0}},
    {BOWLER_BONE_SHIN_RIGHT,      {0, -0.43f, 0, 0}},
    {BOWLER_BONE_HIPS,            {0.10f, -0.04f, 0, 0}},
    {BOWLER_BONE_THIGH_LEFT,      {0, -0.43f, 0, 0}},
    {BOWLER_BONE_SHIN_LEFT,       {0, -0.43f, 0, 0}},
};
// clang-format on

namespace {

constexpr f32 kScale = BOWLER_UNITS_PER_METRE;

s_Matrix4 LocalMatrix(s32 bone) {
    const s_Vector3& o = kJoints[bone].offset;
    s_Matrix4 m;
    Matrix4CreateTranslate(&m, o.x * kScale, o.y * kScale, o.z * kScale);
    return m;
}

}  // namespace

std::array<s_Matrix4, BOWLER_BONE_COUNT> BindMatrices() {
    std::array<s_Matrix4, BOWLER_BONE_COUNT> model{};
    for (s32 b = 0; b < BOWLER_BONE_COUNT; ++b) {
        const s_Matrix4 local = LocalMatrix(b);
        model[b] = local;
        if (kJoints[b].parent >= 0)
            Matrix4MultMatrix3x4(&model[b], &local, &model[kJoints[b].parent]);
    }
    return model;
}

Mesh Placed(Mesh mesh, const s_Vector3& scale, const s_Vector3& offset) {
    for (Vertex& v : mesh.vertices) {
        v.pos = {v.pos.x * scale.x + offset.x, v.pos.y * scale.y + offset.y, v.pos.z * scale.z + offset.z, 0};
        s_Vector3 n = {v.normal.x / scale.x, v.normal.y / scale.y, v.normal.z / scale.z, 0};
        const f32 length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (length > 0)
            v.normal = {n.x / length, n.y / length, n.z / length, 0};
    }
    return mesh;
}

void Append(Mesh* mesh, const Mesh& part) {
    const u16 base = u16(mesh->vertices.size());
    mesh->vertices.insert(mesh->vertices.end(), part.vertices.begin(), part.vertices.end());
    for (u16 i : part.triangles)
        mesh->triangles.push_back(u16(base + i));
}

void SkinBuilder::Add(s32 bone, const Mesh& shape, f32 blend) {
    static const std::array<s_Matrix4, BOWLER_BONE_COUNT> bind = BindMatrices();
    const s8 parent = kJoints[bone].parent;
    const u16 base = u16(mesh_.vertices.size());
    for (Vertex v : shape.vertices) {
        Influences in;
        in.bones[0] = u8(bone);
        in.weights[0] = 1;
        const f32 d = std::sqrt(v.pos.x * v.pos.x + v.pos.y * v.pos.y + v.pos.z * v.pos.z);
        if (parent >= 0 && d < blend) {
            const f32 share = 0.5f * (1 - d / blend);
            in.bones[1] = u8(parent);
            in.weights = {1 - share, share, 0};
        }
        influences_.push_back(in);
        v.pos = {v.pos.x * kScale, v.pos.y * kScale, v.pos.z * kScale, 0};
        Matrix4MultPoints(&bind[bone], &v.pos, &v.pos, 1);
        mesh_.vertices.push_back(v);
    }
    for (u16 i : shape.triangles)
        mesh_.triangles.push_back(u16(base + i));
}

GeneratedModel SkinBuilder::Build(const s_ORB_MATERIAL& material) const {
    GeneratedModel model = SkinnedModel(mesh_, influences_, material, BowlerSkeleton());
    model.vhm.animNames = {BOWLER_ANIM_BANK};
    return model;
}

s32 MirrorBone(s32 bone) {
    constexpr s32 kSideBones = BOWLER_BONE_SHOULDER_LEFT - BOWLER_BONE_SHOULDER_RIGHT;
    constexpr s32 kLegBones = BOWLER_BONE_THIGH_LEFT - BOWLER_BONE_THIGH_RIGHT;
    if (bone >= BOWLER_BONE_SHOULDER_RIGHT && bone < BOWLER_BONE_SHOULDER_LEFT)
        return bone + kSideBones;
    if (bone >= BOWLER_BONE_SHOULDER_LEFT && bone < BOWLER_BONE_THIGH_RIGHT)
        return bone - kSideBones;
    if (bone >= BOWLER_BONE_THIGH_RIGHT && bone < BOWLER_BONE_THIGH_LEFT)
        return bone + kLegBones;
    if (bone >= BOWLER_BONE_THIGH_LEFT)
        return bone - kLegBones;
    return bone;
}

}  // namespace bowler

std::vector<s_hmatrix_bone_def> BowlerSkeleton() {
    using namespace bowler;
    const std::array<s_Matrix4, BOWLER_BONE_COUNT> model = BindMatrices();
    std::vector<s_hmatrix_bone_def> bones(BOWLER_BONE_COUNT);
    for (s32 b = 0; b < BOWLER_BONE_COUNT; ++b) {
        s_hmatrix_bone_def& def = bones[b];
        def.localMatrix = LocalMatrix(b);
        Matrix4InvertRot(&def.model2BoneMatrix, &model[b]);
        def.parentId = kJoints[b].parent;
        def.siblingId = NextSibling(std::span<const Joint>(kJoints), b);
        def.childId = FirstChild(std::span<const Joint>(kJoints), b);
        def.meshId = -1;  // skinned: every part draws with the whole skeleton
        def.boneId = s16(b);
    }
    return bones;
}

}  // namespace modelgen
