#include <string>
#include <vector>

#include "orblib47/source/Bone.h"
#include "tests/engine/HeapFixture.h"
#include "tests/engine/OrbMathTestUtil.h"
#include "tests/support/SkeletonBuilder.h"

namespace {

constexpr float kTol = 1e-4f;
constexpr u32 kResetBits = HMATRIX_FLAG_RESET | HMATRIX_FLAG_BLEND | HMATRIX_FLAG_RESET_INIT;

// Plain row-major product a b, independent of the engine's.
s_Matrix4 Mul(const s_Matrix4& a, const s_Matrix4& b) {
    s_Matrix4 out{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < 4; ++k)
                out.at(r, c) += a.at(r, k) * b.at(k, c);
    return out;
}

s_Matrix4 Inverse(const s_Matrix4& m) {
    s_Matrix4 out;
    Matrix4InvertRot(&out, &m);
    return out;
}

// Root 0 with the sibling children 1 and 3; 2 below 1. Each bone's model-to-bone
// matrix undoes its bind pose, so skinning is the identity there.
class BoneChainTest : public HeapFixture {
protected:
    void SetUp() override {
        HeapFixture::SetUp();
        defs_ = Skeleton({{-1, -1, 1}, {0, 3, 2}, {1, -1, -1}, {0, -1, -1}});
        const s_Matrix4 locals[kBones] = {Pose(0, 0, 90, 1, 0, 0), Pose(30, 0, 0, 0, 2, 0),
                                          Pose(0, 0, 0, 0, 0, 3), Pose(0, 45, 0, -1, 0, 0)};
        for (int i = 0; i < kBones; ++i) {
            defs_[i].localMatrix = locals[i];
            bind_[i] = Model(i, locals);
            defs_[i].model2BoneMatrix = Inverse(bind_[i]);
        }
        hmatrix_ = HMatrixAlloc(defs_.data(), kBones, 0, nullptr);
        ASSERT_NE(hmatrix_, nullptr);
    }
    void TearDown() override {
        HMatrixFree(hmatrix_);
        HeapFixture::TearDown();
    }

    // Model matrix of bone i from the given locals, parent times local.
    s_Matrix4 Model(int i, const s_Matrix4* locals) const {
        const s16 parent = defs_[i].parentId;
        return parent == -1 ? locals[i] : Mul(Model(parent, locals), locals[i]);
    }
    s_hmatrix_bone& Bone(int i) { return hmatrix_->boneList[i]; }

    static constexpr int kBones = 4;
    std::vector<s_hmatrix_bone_def> defs_;
    s_Matrix4 bind_[kBones];
    s_hmatrix* hmatrix_ = nullptr;
    const s_Matrix4 world_ = Pose(0, 90, 0, 10, 20, 30);
};

TEST_F(BoneChainTest, BindPoseChainsParentTimesLocalWithIdentitySkinning) {
    HMatrixUpdateMatrix(hmatrix_, &world_);
    EXPECT_EQ(hmatrix_->flags, HMATRIX_FLAG_VALID);
    for (int i = 0; i < kBones; ++i) {
        SCOPED_TRACE(i);
        ExpectMatrixNear(Bone(i).modelMatrix, bind_[i], kTol);
        ExpectMatrixNear(Bone(i).worldMatrix, Mul(world_, bind_[i]), kTol);
        ExpectMatrixNear(Bone(i).modelMatrixInv, IDMatrix4, kTol);
    }
}

TEST_F(BoneChainTest, AnimatedBoneMovesItsDescendantsOnly) {
    s_Matrix4 locals[kBones];
    for (int i = 0; i < kBones; ++i)
        locals[i] = defs_[i].localMatrix;
    locals[1] = Pose(-60, 0, 20, 0, 5, 1);
    Matrix4ToQuatCoordSys(&Bone(1).localQuatSys, &locals[1]);
    Bone(1).flags |= HBONE_FLAG_QUAT_CHANGED | HBONE_FLAG_TRANS_CHANGED;

    HMatrixUpdateMatrix(hmatrix_, &world_);
    EXPECT_EQ(Bone(1).flags & HBONE_FLAGS_CHANGED, 0u);
    for (int i = 0; i < kBones; ++i) {
        SCOPED_TRACE(i);
        const s_Matrix4 posed = Model(i, locals);
        ExpectMatrixNear(Bone(i).modelMatrix, posed, kTol);
        ExpectMatrixNear(Bone(i).modelMatrixInv, Mul(posed, Inverse(bind_[i])), kTol);
    }
    ExpectMatrixNear(Bone(3).modelMatrixInv, IDMatrix4, kTol);
}

TEST_F(BoneChainTest, InstantResetSnapsOnlyTheBonesNoChannelWrote) {
    Bone(1).localQuatSys.trans = V3(0, 9, 0);
    Bone(2).localQuatSys.trans = V3(4, 0, 0);
    Bone(1).flags |= HBONE_FLAG_TRANS_CHANGED;
    Bone(2).flags |= HBONE_FLAG_TRANS_CHANGED;
    HMatrixUpdateMatrix(hmatrix_, &world_);

    hmatrix_->flags = HMATRIX_FLAG_RESET;
    Bone(2).localQuatSys.trans = V3(5, 0, 0);
    Bone(2).flags |= HBONE_FLAG_TRANS_CHANGED;
    HMatrixUpdateMatrix(hmatrix_, &world_);
    EXPECT_EQ(hmatrix_->flags & kResetBits, 0u);
    ExpectMatrixNear(Bone(1).localMatrix, defs_[1].localMatrix, kTol);
    ExpectMatrixNear(Bone(2).localMatrix, Pose(0, 0, 0, 5, 0, 0), kTol);
}

TEST_F(BoneChainTest, GradualResetGlidesUnwrittenBonesToTheBindPose) {
    // Bone 1 binds at 30 degrees about x, 2 up; bone 3 is animated every frame.
    const s_Matrix4 away = Pose(90, 0, 0, 0, 4, 0);
    Matrix4ToQuatCoordSys(&Bone(1).localQuatSys, &away);
    Bone(1).localQuatSys.scale = V3(3, 3, 3);
    hmatrix_->flags = HMATRIX_FLAG_RESET | HMATRIX_FLAG_BLEND;
    hmatrix_->blendPercent = 0.5f;
    const s_Matrix4 animated = Pose(0, 0, 10, 7, 0, 0);
    auto frame = [&] {
        Matrix4ToQuatCoordSys(&Bone(3).localQuatSys, &animated);
        Bone(3).flags |= HBONE_FLAGS_CHANGED;
        HMatrixUpdateMatrix(hmatrix_, &world_);
    };

    frame();
    EXPECT_EQ(hmatrix_->flags & kResetBits, kResetBits);
    // Halfway: 60 degrees, 3 up, scale 2.
    s_Matrix4 half = Pose(60, 0, 0, 0, 3, 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            half.at(r, c) *= 2.0f;
    ExpectMatrixNear(Bone(1).localMatrix, half, kTol);
    ExpectMatrixNear(Bone(3).localMatrix, animated, kTol);

    // The snapshot stays: the same percent gives the same pose.
    frame();
    ExpectMatrixNear(Bone(1).localMatrix, half, kTol);

    hmatrix_->blendPercent = 1.0f;
    frame();
    EXPECT_EQ(hmatrix_->flags & kResetBits, 0u);
    ExpectMatrixNear(Bone(1).localMatrix, defs_[1].localMatrix, kTol);
    ExpectMatrixNear(Bone(3).localMatrix, animated, kTol);
}

class BoneHierarchyTest : public HeapFixture {};

TEST_F(BoneHierarchyTest, WithoutDefinitionsBonesAreIdentitySiblings) {
    s_hmatrix* hmatrix = HMatrixAlloc(nullptr, 3, 0, nullptr);
    ASSERT_NE(hmatrix, nullptr);
    const s_Matrix4 world = Pose(0, 0, 0, 1, 2, 3);
    HMatrixUpdateMatrix(hmatrix, &world);
    for (int i = 0; i < 3; ++i) {
        const s_hmatrix_bone& bone = hmatrix->boneList[i];
        EXPECT_EQ(bone.parent, nullptr);
        EXPECT_EQ(bone.child, nullptr);
        EXPECT_EQ(bone.sibling, i < 2 ? &bone + 1 : nullptr);
        ExpectMatrixNear(bone.modelMatrix, IDMatrix4, 0);
        ExpectMatrixNear(bone.worldMatrix, world, 0);
    }
    HMatrixFree(hmatrix);
}

TEST_F(BoneHierarchyTest, BonesOutsideTheRootsTreeAreNotBuilt) {
    // Root 1 sits below bone 0, which the build never reaches.
    auto defs = Skeleton({{-1, -1, 1}, {0, 2, -1}, {0, -1, -1}});
    for (auto& def : defs)
        def.localMatrix = Pose(0, 0, 0, 1, 0, 0);
    s_hmatrix* hmatrix = HMatrixAlloc(defs.data(), 3, 1, nullptr);
    ASSERT_NE(hmatrix, nullptr);
    HMatrixUpdateMatrix(hmatrix, &IDMatrix4);
    ExpectMatrixNear(hmatrix->boneList[0].modelMatrix, IDMatrix4, 0);
    ExpectMatrixNear(hmatrix->boneList[1].modelMatrix, defs[1].localMatrix, 0);
    ExpectMatrixNear(hmatrix->boneList[2].modelMatrix, defs[2].localMatrix, 0);
    HMatrixFree(hmatrix);
}

struct BadSkeleton {
    const char* name;
    std::vector<Links> links;
    s16 rootBone;
    const char* message;
};

TEST_F(BoneHierarchyTest, BadHierarchiesAreRefusedWithOneLine) {
    const BadSkeleton cases[] = {
        {"child past the count", {{-1, -1, 3}, {0, -1, -1}, {0, -1, -1}}, 0, "links to a bone past 3"},
        {"sibling past the count", {{-1, -1, 1}, {0, 7, -1}, {-1, -1, -1}}, 0, "links to a bone past 3"},
        {"parent past the count", {{-1, -1, -1}, {-1, -1, -1}, {100, -1, -1}}, 0, "links to a bone past 3"},
        {"negative id", {{-2, -1, -1}, {-1, -1, -1}, {-1, -1, -1}}, 0, "links to a bone past 3"},
        {"root past the count", {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}}, 3, "root bone 3"},
        {"self-parent", {{0, -1, -1}, {-1, -1, -1}, {-1, -1, -1}}, 0, "bone 0 is its own ancestor"},
        {"own child", {{0, -1, 0}, {-1, -1, -1}, {-1, -1, -1}}, 0, "bone 0 is its own ancestor"},
        {"child loop", {{1, -1, 1}, {0, -1, 0}, {-1, -1, -1}}, 0, "its own ancestor"},
        {"own sibling", {{-1, 0, -1}, {-1, -1, -1}, {-1, -1, -1}}, 0, "1 bones lie on a sibling loop"},
        {"sibling loop", {{-1, -1, 1}, {0, 2, -1}, {0, 1, -1}}, 0, "bone 1 is linked to twice"},
        {"detached sibling loop",
         {{-1, -1, -1}, {-1, 2, -1}, {-1, 1, -1}},
         0,
         "2 bones lie on a sibling loop"},
        {"two links to one bone", {{-1, -1, 1}, {0, -1, -1}, {0, 1, -1}}, 0, "bone 1 is linked to twice"},
        {"child of another parent", {{-1, -1, 1}, {-1, -1, -1}, {-1, -1, -1}}, 0, "bone 0 has a child"},
        {"sibling of another parent", {{-1, -1, 1}, {0, 2, -1}, {-1, -1, -1}}, 0, "bone 1 has a sibling"},
    };
    const u32 avail = HeapAvail(&MainHeap);
    for (const BadSkeleton& bad : cases) {
        SCOPED_TRACE(bad.name);
        clearOutput();
        const auto defs = Skeleton(bad.links);
        EXPECT_EQ(HMatrixAlloc(defs.data(), s16(defs.size()), bad.rootBone, nullptr), nullptr);
        EXPECT_EQ(Count(output(), "HMATRIX: "), 1u) << output();
        EXPECT_NE(output().find(bad.message), std::string::npos) << output();
        EXPECT_EQ(HeapAvail(&MainHeap), avail);
    }
}

TEST_F(BoneHierarchyTest, RefusedReseatLeavesTheBonesAsTheyWere) {
    const auto good = Skeleton({{-1, -1, 1}, {0, -1, -1}});
    const auto bad = Skeleton({{-1, -1, 1}, {1, -1, -1}});
    s_hmatrix* hmatrix = HMatrixAllocEx(good.data(), 2, 2, 0, nullptr);
    ASSERT_NE(hmatrix, nullptr);
    EXPECT_FALSE(HMatrixInit(hmatrix, bad.data()));
    EXPECT_EQ(hmatrix->boneList[1].parent, &hmatrix->boneList[0]);
    EXPECT_EQ(hmatrix->boneList[1].baseLocalMatrix, &good[1].localMatrix);
    hmatrix->numBones = 3;
    EXPECT_FALSE(HMatrixInit(hmatrix, nullptr));
    EXPECT_NE(output().find("3 bones do not fit a hierarchy of 2"), std::string::npos) << output();
    HMatrixFree(hmatrix);
}

TEST_F(BoneHierarchyTest, FlatMatrixPoolHandsOutItsHeadersThenNull) {
    FMatrixWarmReset();
    std::vector<s_flat_matrix*> taken;
    for (u32 i = 0; i < FMATRIX_MAX_RECORDS; ++i) {
        s_flat_matrix* flat = FMatrixAlloc(3);
        ASSERT_NE(flat, nullptr) << i;
        EXPECT_EQ(flat->numBones, 3);
        EXPECT_EQ(flat->boneList[2].flags, 0u);
        taken.push_back(flat);
    }
    EXPECT_EQ(FMatrixAlloc(3), nullptr);
    FMatrixFree(taken.back());
    FMatrixFree(nullptr);
    taken.back() = FMatrixAlloc(1);
    EXPECT_NE(taken.back(), nullptr);
    for (s_flat_matrix* flat : taken)
        FMatrixFree(flat);
}

}  // namespace
