#include "tools/modelgen/Figure.h"

#include <cmath>
#include <numbers>

#include "orblib47/source/Anim.h"
#include "tools/modelgen/SkeletonLinks.h"

namespace modelgen {

namespace {

struct Joint {
    s8 parent;
    s_Vector3 offset;          // the joint from its parent's, in the bind pose
    s_Vector3 boxMin, boxMax;  // about the joint
    std::array<u32, 3> divisions;
    std::array<f32, 3> jointWeights;  // at the joint: this bone, its parent, the grandparent
    u32 color;
};

constexpr u32 kTrousers = 0x3050A0FFu, kShirt = 0xC03030FFu, kSkin = 0xF0C8A0FFu;

// Arms and legs hang from their joints; the spine and head stand on theirs.
// clang-format off
constexpr Joint kJoints[kFigureBoneCount] = {
    // parent      offset                  box min                     box max                divisions  joint weights      colour
    {-1,           {0, 1.0f, 0, 0},        {-0.18f, -0.1f, -0.1f, 0},  {0.18f, 0.1f, 0.1f, 0},  {1, 1, 1}, {1, 0, 0},          kTrousers},
    {kFigureHips,  {0, 0.1f, 0, 0},        {-0.2f, 0, -0.11f, 0},      {0.2f, 0.5f, 0.11f, 0},  {1, 3, 1}, {0.6f, 0.4f, 0},    kShirt},
    {kFigureSpine, {0, 0.5f, 0, 0},        {-0.1f, 0, -0.1f, 0},       {0.1f, 0.25f, 0.1f, 0},  {1, 2, 1}, {0.5f, 0.3f, 0.2f}, kSkin},
    {kFigureSpine, {0.26f, 0.45f, 0, 0},   {-0.05f, -0.6f, -0.05f, 0}, {0.05f, 0, 0.05f, 0},    {1, 3, 1}, {0.6f, 0.4f, 0},    kShirt},
    {kFigureSpine, {-0.26f, 0.45f, 0, 0},  {-0.05f, -0.6f, -0.05f, 0}, {0.05f, 0, 0.05f, 0},    {1, 3, 1}, {0.6f, 0.4f, 0},    kShirt},
    {kFigureHips,  {0.1f, -0.1f, 0, 0},    {-0.07f, -0.9f, -0.07f, 0}, {0.07f, 0, 0.07f, 0},    {1, 3, 1}, {0.6f, 0.4f, 0},    kTrousers},
    {kFigureHips,  {-0.1f, -0.1f, 0, 0},   {-0.07f, -0.9f, -0.07f, 0}, {0.07f, 0, 0.07f, 0},    {1, 3, 1}, {0.6f, 0.4f, 0},    kTrousers},
};
// clang-format on

std::vector<s_hmatrix_bone_def> Skeleton(std::array<s_Matrix4, kFigureBoneCount>* modelMatrices) {
    std::vector<s_hmatrix_bone_def> bones(kFigureBoneCount);
    for (s32 b = 0; b < kFigureBoneCount; ++b) {
        const Joint& joint = kJoints[b];
        s_hmatrix_bone_def& def = bones[b];
        Matrix4CreateTranslate(&def.localMatrix, joint.offset.x, joint.offset.y, joint.offset.z);
        s_Matrix4& model = (*modelMatrices)[b];
        model = def.localMatrix;
        if (joint.parent >= 0)
            Matrix4MultMatrix3x4(&model, &def.localMatrix, &(*modelMatrices)[joint.parent]);
        Matrix4InvertRot(&def.model2BoneMatrix, &model);
        def.parentId = joint.parent;
        def.siblingId = NextSibling(std::span<const Joint>(kJoints), b);
        def.childId = FirstChild(std::span<const Joint>(kJoints), b);
        def.meshId = -1;  // skinned: every mesh is drawn with the whole skeleton
        def.boneId = s16(b);
    }
    return bones;
}

u32 LongestAxis(const Joint& joint) {
    const f32 x = joint.boxMax.x - joint.boxMin.x, y = joint.boxMax.y - joint.boxMin.y,
              z = joint.boxMax.z - joint.boxMin.z;
    return x >= y && x >= z ? 0 : y >= z ? 1 : 2;
}

// The vertices where the box meets its joint follow the bones above it too.
Influences InfluencesAt(u8 bone, const s_Vector3& local) {
    const Joint& joint = kJoints[bone];
    const u32 axis = LongestAxis(joint);
    const f32 along = axis == 0 ? local.x : axis == 1 ? local.y : local.z;
    Influences in;
    in.bones[0] = bone;
    in.weights[0] = 1;
    if (joint.parent < 0 || std::fabs(along) > 1e-6f)
        return in;
    const s8 grandparent = kJoints[joint.parent].parent;
    in.bones = {bone, u8(joint.parent), grandparent < 0 ? kNoBone : u8(grandparent)};
    in.weights = joint.jointWeights;
    return in;
}

using Rotate = void (*)(s_Matrix4* m, float a);

discbuild::VhaKey RotationKey(f32 time, Rotate rotate, f32 angle) {
    s_Matrix4 m = IDMatrix4;
    rotate(&m, angle);
    s_Quaternion q;
    Matrix4ToQuat(&q, &m);
    return {time, {q.x, q.y, q.z, q.w}, {}};
}

discbuild::VhaChannel Swing(u8 bone, Rotate rotate, f32 amplitude) {
    discbuild::VhaChannel channel{ANIM_QUAT, HCHANNEL_FLAG_IS_KEYED, 0, bone, {}};
    for (u32 k = 0; k < kFigureWalkKeys; ++k) {
        const f32 t = kFigureWalkTime * f32(k) / f32(kFigureWalkKeys - 1);
        const f32 phase = 2 * std::numbers::pi_v<f32> * f32(k) / f32(kFigureWalkKeys - 1);
        channel.keys.push_back(RotationKey(t, rotate, amplitude * std::sin(phase)));
    }
    return channel;
}

// The hips dip as each foot passes under them.
discbuild::VhaChannel Bob() {
    discbuild::VhaChannel channel{ANIM_FPOS, HCHANNEL_FLAG_IS_KEYED, 0, kFigureHips, {}};
    const s_Vector3& rest = kJoints[kFigureHips].offset;
    for (u32 k = 0; k < kFigureWalkKeys; ++k) {
        const f32 t = kFigureWalkTime * f32(k) / f32(kFigureWalkKeys - 1);
        const f32 phase = 4 * std::numbers::pi_v<f32> * f32(k) / f32(kFigureWalkKeys - 1);
        channel.keys.push_back({t, {rest.x, rest.y + 0.03f * std::cos(phase), rest.z, 0}, {}});
    }
    return channel;
}

discbuild::VhaChannel Footsteps() {
    discbuild::VhaChannel channel{ANIM_EVENT, HCHANNEL_FLAG_IS_KEYED, 0, HANIM_CHANNEL_NO_BONE, {}};
    channel.keys.push_back({kFigureWalkTime / 4, {}, {ANIM_EVENT_TYPE_FOOTSTEP_PLAY_LEFT, 0, 0, 0}});
    channel.keys.push_back({kFigureWalkTime * 3 / 4, {}, {ANIM_EVENT_TYPE_FOOTSTEP_PLAY_RIGHT, 0, 0, 0}});
    return channel;
}

// Light and dark threads crossing every four texels, so a turning face shows.
discbuild::RgbaImage Weave() {
    constexpr u32 kSize = 32;
    discbuild::RgbaImage image{kSize, kSize, std::vector<u8>(kSize * kSize * 4)};
    for (u32 y = 0; y < kSize; ++y)
        for (u32 x = 0; x < kSize; ++x) {
            const bool over = ((x / 4) + (y / 4)) % 2 == 0;
            const u8 shade = over ? ((y % 4 == 0) ? 200 : 255) : ((x % 4 == 0) ? 120 : 170);
            u8* texel = &image.rgba[(y * kSize + x) * 4];
            texel[0] = texel[1] = texel[2] = shade;
            texel[3] = 255;
        }
    return image;
}

}  // namespace

Figure MakeFigure() {
    std::array<s_Matrix4, kFigureBoneCount> modelMatrices{};
    std::vector<s_hmatrix_bone_def> bones = Skeleton(&modelMatrices);

    Mesh mesh;
    std::vector<Influences> influences;
    for (u8 b = 0; b < kFigureBoneCount; ++b) {
        const Joint& joint = kJoints[b];
        const Mesh box = Box(joint.boxMin, joint.boxMax, joint.divisions, joint.color);
        const u32 base = u32(mesh.vertices.size());
        for (Vertex v : box.vertices) {
            influences.push_back(InfluencesAt(b, v.pos));
            Matrix4MultPoints(&modelMatrices[b], &v.pos, &v.pos, 1);
            mesh.vertices.push_back(v);
        }
        for (u16 i : box.triangles)
            mesh.triangles.push_back(u16(base + i));
    }

    Figure figure;
    figure.model = SkinnedModel(std::move(mesh), influences, PlainMaterial(0xFFFFFFFFu, kFigureTextureName),
                                std::move(bones));
    figure.texture = Weave();
    figure.model.vhm.animNames = {kFigureBankName};

    const f32 s = kFigureWalkSwing;
    discbuild::VhaAnimation walk{"WALK", HANIM_FLAG_REPEAT, 0, kFigureWalkTime, 0.25f, {}};
    walk.channels = {Swing(kFigureLegLeft, Matrix4RotateX, s),
                     Swing(kFigureLegRight, Matrix4RotateX, -s),
                     Swing(kFigureArmLeft, Matrix4RotateX, -0.8f * s),
                     Swing(kFigureArmRight, Matrix4RotateX, 0.8f * s),
                     Swing(kFigureSpine, Matrix4RotateY, 0.3f * s),
                     Bob(),
                     Footsteps()};
    figure.animations = {0, 0, {walk}};
    return figure;
}

}  // namespace modelgen
