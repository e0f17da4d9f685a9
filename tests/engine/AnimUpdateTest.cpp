#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/engine/AnimEventKeys.h"
#include "tests/engine/AnimSkeletonFixture.h"

namespace {

using namespace discbuild;

s32 Record(void* record, s_hanim_event_parms* parms) {
    static_cast<std::vector<s32>*>(record)->push_back(parms->type);
    return 0;
}

// Bone 2 moves from the origin to (0, 0, 10) over the second.
VhaChannel Slide() {
    return Moves(2, {{0, 0, 0, 0}, {1, 0, 0, 10}});
}

class AnimUpdateTest : public AnimSkeletonFixture {
protected:
    std::vector<u8> Bytes(const void* at, size_t size) {
        const auto* p = static_cast<const u8*>(at);
        return {p, p + size};
    }
    std::vector<s32> fired_;
};

TEST_F(AnimUpdateTest, RootMotionExportsSumToBoneOnesMotion) {
    DeltaTime = 1.0f / 30.0f;
    s_hanim* hanim = Play({"WALK",
                           0,
                           0,
                           1,
                           0,
                           {Turns(1, {{0, 0, 0, 0}, {0.5f, 0, 45, 0}, {1, 0, 90, 0}}),
                            Moves(1, {{0, 1, 0, 0}, {0.5f, 3, 0, 2}, {1, 4, 0, 6}})}},
                          0, 0x80000000u);
    // The object turns by each exported rotation and moves by each exported
    // translation, taken in the frame it had before the step.
    s_Matrix4 turned = IDMatrix4;
    s_Vector3 moved = {};
    for (int frame = 0; frame < 40 && !HAnimDone(hanim); ++frame) {
        HAnimUpdate(hanim, hmatrix_, nullptr);
        s_Vector3 step;
        Matrix4RotPoints(&turned, &step, &hanim->exportTrans, 1);
        moved = V3(moved.x + step.x, moved.y + step.y, moved.z + step.z);
        Matrix4MultMatrix4x4(&turned, &turned, &hanim->exportMatrix);
        // The motion bone itself stays put.
        EXPECT_EQ(Bone(1).localQuatSys.quat.w, IDQuaternion.w);
        ExpectVec3Near(Bone(1).localQuatSys.trans, 0, 0, 0, 0);
    }
    ASSERT_TRUE(HAnimDone(hanim));
    ExpectVec3Near(moved, 4, 0, 6, 1e-3f);
    ExpectMatrixNear(turned, Pose(0, 90, 0, 0, 0, 0), 1e-3f);
}

TEST_F(AnimUpdateTest, AfterALoopTheFirstExportIsMeasuredFromTheOrigin) {
    DeltaTime = 0.3f;
    s_hanim* hanim =
        Play({"LOOP",
              HANIM_FLAG_REPEAT,
              0,
              1,
              0,
              {Turns(1, {{0, 0, 0, 0}, {1, 0, 90, 0}}), Moves(1, {{0, 0, 0, 0}, {1, 0, 0, 10}})}},
             0, 0x80000000u);
    for (int frame = 0; frame < 3; ++frame)
        HAnimUpdate(hanim, hmatrix_, nullptr);
    // Before the loop each step is measured from the last, in its turned frame.
    const s_Vector3& step = hanim->exportTrans;
    EXPECT_NEAR(step.x * step.x + step.y * step.y + step.z * step.z, 9, 1e-3f);
    HAnimUpdate(hanim, hmatrix_, nullptr);  // 1.2 wraps to 0.2
    ASSERT_TRUE(HAnimDone(hanim));
    ExpectVec3Near(hanim->exportTrans, 0, 0, 2, 1e-3f);
    ExpectMatrixNear(hanim->exportMatrix, Pose(0, 18, 0, 0, 0, 0), 1e-3f);
}

TEST_F(AnimUpdateTest, PausedOrFinishedAnimationsLeaveEverythingAsItWas) {
    for (const bool paused : {true, false}) {
        SCOPED_TRACE(paused ? "paused" : "finished");
        s_hanim* hanim =
            Play({"STILL",
                  0,
                  0,
                  1,
                  0,
                  {Events({{0.9f, ANIM_EVENT_TYPE_GAME_STATE, 0}}), Slide(), Moves(1, {{0, 1, 2, 3}})}},
                 0, 0x80000000u);
        HAnimSetEventFunc(hanim, Record, &fired_);
        if (paused) {
            hanim->flags |= HANIM_FLAG_PAUSE;
        } else {
            DeltaTime = 2.0f;
            HAnimUpdate(hanim, hmatrix_, nullptr);
            ASSERT_TRUE(HAnimDone(hanim));
        }
        Build();
        fired_.clear();
        const std::vector<u8> bones = Bytes(hmatrix_->boneList, kBones * sizeof(s_hmatrix_bone));
        const std::vector<u8> animation = Bytes(hanim, sizeof(s_hanim));
        DeltaTime = 0.95f;
        HAnimUpdate(hanim, hmatrix_, nullptr);
        EXPECT_EQ(Bytes(hmatrix_->boneList, kBones * sizeof(s_hmatrix_bone)), bones);
        EXPECT_EQ(Bytes(hanim, sizeof(s_hanim)), animation);
        EXPECT_TRUE(fired_.empty());
    }
}

TEST_F(AnimUpdateTest, SetTimeReposesAtOnceWithoutCallbacksOrPauses) {
    s_hanim* hanim = Play({"SEEK",
                           HANIM_FLAG_REPEAT,
                           0,
                           1,
                           0,
                           {Events({{0.4f, ANIM_EVENT_TYPE_LOOP_BEGIN, 0},
                                    {0.5f, ANIM_EVENT_TYPE_PAUSE, 0},
                                    {0.6f, ANIM_EVENT_TYPE_GAME_STATE, 0}}),
                            Slide()}},
                          0, 0x80000000u);
    HAnimSetEventFunc(hanim, Record, &fired_);
    EXPECT_EQ(HAnimSetTime(hanim, hmatrix_, 0.75f, nullptr), 0.0f);
    EXPECT_EQ(HAnimGetTime(hanim), 0.75f);
    EXPECT_NEAR(Bone(2).localQuatSys.trans.z, 7.5f, kTol);
    EXPECT_NE(Bone(2).flags & HBONE_FLAG_TRANS_CHANGED, 0u);
    EXPECT_TRUE(fired_.empty());
    EXPECT_EQ(hanim->flags & HANIM_FLAG_PAUSE, 0);
    EXPECT_EQ(hanim->loopStart, 0.4f);
    EXPECT_EQ(HAnimSetTime(nullptr, hmatrix_, 1.0f, nullptr), 0.0f);
}

TEST_F(AnimUpdateTest, PlayFromARequestStartsAtItsSubAnimationWithItsTransition) {
    const std::vector<u8> chunk = VhaPayload(
        {0, 1, {{"SUBS", 0, 0, 1, 0, {Events({{0.5f, ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, 3}}), Slide()}}}});
    s_hanim_header* bank = HAnimLoad("SUBS", Image(chunk), u32(chunk.size()), 0);
    ASSERT_NE(bank, nullptr);
    banks_.push_back(bank);
    DataRegister("SUBS", "VHA", 0x21);
    constexpr s32 kId = 0x00210000;
    const s_HANIM_TRANS leads[] = {{kId + 1, HANIM_TRANS_TYPE_BLEND_STATIC, 0.9f},
                                   {kId, HANIM_TRANS_TYPE_BLEND_DYNAMIC, 0.3f},
                                   {kId, HANIM_TRANS_TYPE_BLEND_STATIC, 0.7f}};
    const s_HANIM_TRANS statics[] = {{kId, HANIM_TRANS_TYPE_BLEND_STATIC, 0.4f}};
    const s_HANIM_TRANS plain[] = {{kId, HANIM_TRANS_TYPE_PLAY, 0.4f}};
    struct Case {
        const char* name;
        s32 subAnimId;
        s_HANIM_ATTR prev;
        f32 time, blendTime, dynamic;
    } cases[] = {
        {"from the start", 0, {}, 0, 0, 0},
        {"at the sub-animation", 3, {}, 0.5f, 0, 0},
        {"by the low byte", 0x103, {}, 0.5f, 0, 0},
        {"unknown sub-animation", 7, {}, 0, 0, 0},
        {"first matching transition", 0, {0, 0, 1, 0, 0, 3, leads}, 0, 0, 0.3f},
        {"static transition", 0, {0, 0, 1, 0, 0, 1, statics}, 0, 0.4f, 0},
        {"plain transition", 0, {0, 0, 1, 0, 0, 1, plain}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const s_HANIM_ATTR attr = {0, 0, 1.0f, kId, c.subAnimId, 0, nullptr};
        s_hanim* hanim = HAnimPlayFromAttr(&attr, c.prev.transitionList != nullptr ? &c.prev : nullptr,
                                           hmatrix_, nullptr, nullptr, nullptr);
        ASSERT_NE(hanim, nullptr);
        playing_.push_back(hanim);
        EXPECT_EQ(HAnimGetTime(hanim), c.time);
        // Starting re-poses nothing; the jump to a sub-animation does.
        if (c.time != 0) {
            EXPECT_NEAR(Bone(2).localQuatSys.trans.z, c.time * 10, kTol);
        }
        EXPECT_EQ(hanim->blendTime, c.blendTime);
        EXPECT_EQ(hanim->dynamicBlendPercent, c.dynamic);
    }
    const s_HANIM_ATTR missing = {0, 0, 1.0f, kId + 5, 0, 0, nullptr};
    EXPECT_EQ(HAnimPlayFromAttr(&missing, nullptr, hmatrix_, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(AnimUpdateTest, MorphChannelsGiveNoTargets) {
    s_hanim_morph morphs[HANIM_MAX_MORPHS];
    std::memset(morphs, 0xAB, sizeof morphs);
    f32 time = 5.0f;
    EXPECT_EQ(HAnimGetMorphTargets(morphs, &time), 0);
    EXPECT_EQ(morphs[HANIM_MAX_MORPHS - 1].num, 0);
    EXPECT_EQ(time, 0.0f);
}

class AnimUpdateDeathTest : public AnimUpdateTest {
protected:
    void SetUp() override {
        AnimUpdateTest::SetUp();
        report_.reset();
    }
};

TEST_F(AnimUpdateDeathTest, RequestIsRequired) {
    EXPECT_DEATH(HAnimPlayFromAttr(nullptr, nullptr, hmatrix_, nullptr, nullptr, nullptr),
                 "HAnimPlayAttr: animAttr == NULL.");
}

}  // namespace
