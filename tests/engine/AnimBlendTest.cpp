#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/engine/AnimSkeletonFixture.h"

namespace {

using namespace discbuild;

constexpr u8 kMaterial = HCHANNEL_FLAG_MATERIAL;
// Poses take their angles through the cosine table, a few thousandths of a degree off.
constexpr float kAngleTol = 1e-3f;

class AnimBlendTest : public AnimSkeletonFixture {};

TEST_F(AnimBlendTest, StaticBlendAtHalfWayIsMidwayToTheBindPoseAndTheNewPose) {
    // The previous animation left bone 2 turned to 90 degrees and bone 3 turned and moved.
    Place(2, Pose(90, 0, 0, 0, 0, 2));
    Place(3, Pose(0, 90, 0, 5, 0, 0));
    // The new one turns bone 2 to 0 degrees, scales bone 1 and leaves bone 3 alone.
    s_hanim* hanim = Play(
        {"BLEND",
         0,
         0,
         1,
         0.2f,
         {Turns(2, {{0, 0, 0, 0}, {1, 0, 0, 0}}), Vectors(ANIM_FSCALE, 1, {{0, 2, 2, 2}, {1, 2, 2, 2}})}},
        HANIM_FLAG_BLEND_STATIC);
    EXPECT_EQ(hmatrix_->flags, HMATRIX_FLAG_RESET | HMATRIX_FLAG_BLEND);

    HAnimUpdate(hanim, hmatrix_, nullptr);
    Build();
    EXPECT_FLOAT_EQ(hmatrix_->blendPercent, 0.5f);
    ExpectMatrixNear(Bone(2).localMatrix, Pose(45, 0, 0, 0, 0, 2), kAngleTol);
    ExpectMatrixNear(Bone(3).localMatrix, Pose(0, 60, 0, 2, 0, 0), kAngleTol);
    // The motion bone is never blended.
    ExpectVec3Near(Bone(1).localQuatSys.scale, 2, 2, 2, kAngleTol);

    DeltaTime = 0.15f;  // past the blend's end: it stops there
    HAnimUpdate(hanim, hmatrix_, nullptr);
    Build();
    EXPECT_EQ(hmatrix_->blendPercent, 1.0f);
    ExpectMatrixNear(Bone(2).localMatrix, Pose(0, 0, 0, 0, 0, 2), kAngleTol);
    ExpectMatrixNear(Bone(3).localMatrix, defs_[3].localMatrix, kAngleTol);
    EXPECT_EQ(hmatrix_->flags, HMATRIX_FLAG_VALID);
}

TEST_F(AnimBlendTest, DynamicBlendMixesOverWhatTheEarlierLayerWrote) {
    s_hanim* base =
        Play({"BASE", HANIM_FLAG_REPEAT, 0, 1, 0, {Moves(2, {{0, 0, 0, 4}}), Turns(3, {{0, 0, 90, 0}})}}, 0,
             0x80000000u);
    s_hanim* over =
        Play({"OVER", HANIM_FLAG_REPEAT, 0, 1, 0, {Moves(2, {{0, 0, 0, 8}}), Turns(3, {{0, 0, 10, 0}})}},
             HANIM_FLAG_NO_RESET);
    over->dynamicBlendPercent = 0.25f;
    for (int frame = 0; frame < 3; ++frame) {
        HAnimUpdate(base, hmatrix_, nullptr);
        HAnimUpdate(over, hmatrix_, nullptr);
        Build();
        ExpectMatrixNear(Bone(2).localMatrix, Pose(30, 0, 0, 0, 0, 5), kAngleTol);
        ExpectMatrixNear(Bone(3).localMatrix, Pose(0, 70, 0, -1, 0, 0), kAngleTol);
    }
}

TEST_F(AnimBlendTest, AdditiveLayerAddsItsMotionAndItsResetRestoresTheBasePoseOver100Frames) {
    DeltaTime = 0.05f;
    s_hanim* base = Play({"BASE",
                          HANIM_FLAG_REPEAT,
                          0,
                          1,
                          0,
                          {Turns(2, {{0, 0, 0, 0}, {1, 60, 0, 0}}), Moves(3, {{0, 3, 0, 0}, {1, 3, 0, 0}})}},
                         0, 0x80000000u);
    // Bone 0 has no base channel: only the reset keeps its offset from piling up.
    s_hanim* add =
        Play({"ADD",
              HANIM_FLAG_REPEAT,
              0,
              0.7f,
              0,
              {Turns(2, {{0, 0, 0, 0}, {0.7f, 0, 0, 20}}), Moves(3, {{0, 0, 0, 0}, {0.7f, 0, 1.4f, 0}}),
               Moves(0, {{0, 0, 0, 0}, {0.7f, 0.7f, 0, 0}})}},
             HANIM_FLAG_ADD | HANIM_FLAG_NO_RESET);
    for (int frame = 0; frame < 100; ++frame) {
        SCOPED_TRACE(frame);
        HAnimUpdate(base, hmatrix_, nullptr);
        s_QuatCoordSys basePose[kBones];
        for (int i = 0; i < kBones; ++i)
            basePose[i] = Bone(i).localQuatSys;
        HAnimUpdate(add, hmatrix_, nullptr);
        Build();
        // Base plus the offset the layer has moved since its first frame.
        const f32 t = HAnimGetTime(add);
        EXPECT_NEAR(Bone(3).localMatrix.element[3], 3, kTol);
        EXPECT_NEAR(Bone(3).localMatrix.element[7], 2 * t, kTol);
        EXPECT_NEAR(Bone(0).localMatrix.element[3], t, kTol);
        HAnimResetAdd(add, hmatrix_);
        for (int i = 0; i < kBones; ++i) {
            const s_QuatCoordSys& pose = Bone(i).localQuatSys;
            EXPECT_EQ(pose.quat.x, basePose[i].quat.x);
            EXPECT_EQ(pose.quat.w, basePose[i].quat.w);
            ExpectVec3Near(pose.trans, basePose[i].trans.x, basePose[i].trans.y, basePose[i].trans.z, kTol);
        }
    }
    ExpectVec3Near(Bone(0).localQuatSys.trans, 0, 0, 0, kTol);
}

TEST_F(AnimBlendTest, ChannelsWriteOnlyTheBonesAndFlatBonesTheInstanceHas) {
    s_flat_matrix* flat = FMatrixAlloc(2);
    ASSERT_NE(flat, nullptr);
    // Flat bone 0 gets all three parts, flat bone 1 only a translation; the ids from
    // 2 on name flat bones this instance lacks.
    s_hanim* hanim =
        Play({"TRACKS",
              HANIM_FLAG_REPEAT,
              0,
              1,
              0,
              {Moves(2, {{0, 9, 9, 9}}, kMaterial), Moves(0x7FFF, {{0, 9, 9, 9}}, kMaterial),
               Moves(0, {{0, 0.5f, 0.25f, 0}}, kMaterial), Turns(0, {{0, 0, 0, 45}}, kMaterial),
               Vectors(ANIM_FSCALE, 0, {{0, 2, 3, 1}}, kMaterial), Moves(1, {{0, 4, 0, 0}}, kMaterial),
               Moves(2, {{0, 1, 2, 3}}), Moves(3, {{0, 9, 9, 9}})}},
             0);
    // Re-seated on three bones: the fourth stays as it was.
    hmatrix_->numBones = 3;
    u8 fourth[sizeof(s_hmatrix_bone)];
    std::memcpy(fourth, &Bone(3), sizeof fourth);
    HAnimUpdate(hanim, hmatrix_, nullptr);
    hmatrix_->numBones = kBones;
    EXPECT_EQ(flat->boneList[0].flags, 0u);
    ExpectVec3Near(Bone(2).localQuatSys.trans, 1, 2, 3, 0);
    EXPECT_EQ(std::memcmp(&Bone(3), fourth, sizeof fourth), 0);

    HAnimUpdate(hanim, hmatrix_, flat);
    EXPECT_EQ(flat->boneList[0].flags, FBONE_FLAG_VALID);
    // Texture coordinates scroll and scale; the rotation is not applied.
    s_Matrix4 want = {};
    want.element[0] = 2, want.element[5] = 3, want.element[10] = 1, want.element[15] = 1;
    want.element[3] = 0.5f, want.element[7] = 0.25f;
    ExpectMatrixNear(flat->boneList[0].matrix, want, kTol);
    // A track that only moves never rebuilds its matrix.
    EXPECT_EQ(flat->boneList[1].flags, FBONE_FLAG_TRANS_CHANGED);
    ExpectMatrixNear(flat->boneList[1].matrix, s_Matrix4{}, 0);
    FMatrixFree(flat);
}

TEST_F(AnimBlendTest, ABoneChannelOfAnotherTypeIsReportedAndLeftUnwritten) {
    VhaChannel events{
        ANIM_EVENT, HCHANNEL_FLAG_IS_KEYED, 0, 2, {{0.5f, {}, {ANIM_EVENT_TYPE_NULL, 0, 0, 0}}}};
    s_hanim* hanim = Play({"ODD", HANIM_FLAG_REPEAT, 0, 1, 0, {events}}, 0);
    const s_QuatCoordSys before = Bone(2).localQuatSys;
    HAnimUpdate(hanim, hmatrix_, nullptr);
    EXPECT_TRUE(report().contains("Need to implement anim type!!!!"));
    EXPECT_EQ(Bone(2).flags & HBONE_FLAGS_CHANGED, 0u);
    EXPECT_EQ(Bone(2).localQuatSys.trans.z, before.trans.z);
}

}  // namespace
