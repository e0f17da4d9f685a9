// Animations played on a four-bone skeleton with bind poses of its own: root 0 with
// the sibling children 1 (the motion bone) and 3, and 2 below 1. Banks are made by
// the VHA writer and loaded through the real loader.
#pragma once

#include <string>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/OrbMathTestUtil.h"
#include "tests/support/SkeletonBuilder.h"
#include "tools/discbuild/VhaWriter.h"

// A channel key: at `time`, a rotation by angles in degrees or a vector.
struct AnimKey {
    f32 time;
    f32 x, y, z;
};

// Keyed rotations of a bone (or a flat bone when `flags` has the material bit).
inline discbuild::VhaChannel Turns(u32 boneId, const std::vector<AnimKey>& keys, u8 flags = 0) {
    discbuild::VhaChannel channel{ANIM_FQUAT, u8(HCHANNEL_FLAG_IS_KEYED | flags), 0, boneId, {}};
    for (const AnimKey& k : keys) {
        const s_Matrix4 m = Pose(k.x, k.y, k.z, 0, 0, 0);
        s_Quaternion q;
        Matrix4ToQuat(&q, &m);
        channel.keys.push_back({k.time, {q.x, q.y, q.z, q.w}, {}});
    }
    return channel;
}

// Keyed translations (ANIM_FPOS) or scales (ANIM_FSCALE).
inline discbuild::VhaChannel Vectors(u8 type, u32 boneId, const std::vector<AnimKey>& keys, u8 flags = 0) {
    discbuild::VhaChannel channel{type, u8(HCHANNEL_FLAG_IS_KEYED | flags), 0, boneId, {}};
    for (const AnimKey& k : keys)
        channel.keys.push_back({k.time, {k.x, k.y, k.z, 0}, {}});
    return channel;
}

inline discbuild::VhaChannel Moves(u32 boneId, const std::vector<AnimKey>& keys, u8 flags = 0) {
    return Vectors(ANIM_FPOS, boneId, keys, flags);
}

class AnimSkeletonFixture : public DataFixture {
protected:
    static constexpr int kBones = 4;
    static constexpr float kTol = 1e-4f;

    void SetUp() override {
        DataFixture::SetUp();
        defs_ = Skeleton({{-1, -1, 1}, {0, 3, 2}, {1, -1, -1}, {0, -1, -1}});
        defs_[1].localMatrix = Pose(0, 0, 0, 0, 1, 0);
        defs_[2].localMatrix = Pose(30, 0, 0, 0, 0, 2);
        defs_[3].localMatrix = Pose(0, 30, 0, -1, 0, 0);
        hmatrix_ = HMatrixAlloc(defs_.data(), kBones, 0, nullptr);
        ASSERT_NE(hmatrix_, nullptr);
        DeltaTime = 0.1f;
    }
    void TearDown() override {
        for (s_hanim* hanim : playing_)
            HAnimStop(hanim);
        for (s_hanim_header* bank : banks_)
            HAnimFree(bank);
        HMatrixFree(hmatrix_);
        DataFixture::TearDown();
    }

    // Loads a bank of one animation and starts it on the skeleton.
    s_hanim* Play(const discbuild::VhaAnimation& animation, u16 flags, u32 sysFlags = 0) {
        const std::vector<u8> chunk = discbuild::VhaPayload({0, 1, {animation}});
        const std::string name = "BANK" + std::to_string(banks_.size());
        s_hanim_header* bank = HAnimLoad(name.c_str(), Image(chunk), u32(chunk.size()), 0);
        EXPECT_NE(bank, nullptr);
        banks_.push_back(bank);
        s_hanim* hanim =
            HAnimPlayFromBankAndId(bank, 0, 1.0f, flags, sysFlags, hmatrix_, nullptr, nullptr, nullptr);
        EXPECT_NE(hanim, nullptr);
        playing_.push_back(hanim);
        return hanim;
    }

    // Poses bone i at a local matrix, as a channel would, and builds the matrices.
    void Place(int i, const s_Matrix4& local) {
        Matrix4ToQuatCoordSys(&Bone(i).localQuatSys, &local);
        Bone(i).flags |= HBONE_FLAGS_CHANGED;
        Build();
    }
    void Build() { HMatrixUpdateMatrix(hmatrix_, &IDMatrix4); }
    s_hmatrix_bone& Bone(int i) { return hmatrix_->boneList[i]; }

    std::vector<s_hmatrix_bone_def> defs_;
    s_hmatrix* hmatrix_ = nullptr;
    std::vector<s_hanim_header*> banks_;
    std::vector<s_hanim*> playing_;
};
