#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "tests/engine/AnimEventKeys.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using namespace discbuild;

class AnimEventTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        hmatrix_ = HMatrixAlloc(nullptr, 2, 0, nullptr);
        DeltaTime = 0.25f;
    }
    void TearDown() override {
        HAnimStop(hanim_);
        HAnimFree(bank_);
        HMatrixFree(hmatrix_);
        DataFixture::TearDown();
    }
    void Play(u16 flags, const std::vector<AnimEventKey>& events, f32 scale = 1.0f) {
        const std::vector<u8> chunk = VhaPayload({0, 1, {{"EVENTS", flags, 0, 2, 0, {Events(events)}}}});
        bank_ = HAnimLoad("EVENTS", Image(chunk), u32(chunk.size()), 0);
        ASSERT_NE(bank_, nullptr);
        hanim_ = HAnimPlayFromBankAndId(bank_, 0, scale, 0, 0, hmatrix_, nullptr, nullptr, nullptr);
        ASSERT_NE(hanim_, nullptr);
        HAnimSetEventFunc(hanim_, Record, &fired_);
    }
    // One update of the clock and the event channel.
    void Step() {
        HAnimUpdateTime(hanim_, hmatrix_);
        HAnimExtractChannelData(hanim_, hanim_->channels);
    }
    static s32 Record(void* record, s_hanim_event_parms* parms) {
        static_cast<std::vector<s32>*>(record)->push_back(parms->type);
        return 0;
    }

    s_hmatrix* hmatrix_ = nullptr;
    s_hanim_header* bank_ = nullptr;
    s_hanim* hanim_ = nullptr;
    std::vector<s32> fired_;
};

TEST_F(AnimEventTest, EachEventFiresOncePerPassOneStepAhead) {
    Play(HANIM_FLAG_REPEAT, {{0.0f, ANIM_EVENT_TYPE_NULL, 0}, {1.0f, ANIM_EVENT_TYPE_PLAY_SFX, 0}});
    // The start fired the key at 0 before the callback was set.
    EXPECT_EQ(hanim_->channels->dataIndex, 1);
    const std::vector<std::vector<s32>> want = {
        {}, {}, {ANIM_EVENT_TYPE_PLAY_SFX},
        {}, {}, {},
        {}, {}, {ANIM_EVENT_TYPE_LOOPED, ANIM_EVENT_TYPE_NULL},
    };
    for (size_t s = 0; s < want.size(); ++s) {
        fired_.clear();
        Step();
        EXPECT_EQ(fired_, want[s]) << "step " << s << " at " << hanim_->time;
    }
}

TEST_F(AnimEventTest, DoneIsSentOnceAndBackwardPlayFiresInReverse) {
    Play(0, {{0.5f, ANIM_EVENT_TYPE_GAME_STATE, 0}, {1.5f, ANIM_EVENT_TYPE_PLAY_SFX, 0}}, -1.0f);
    for (int s = 0; s < 12; ++s)
        Step();
    EXPECT_EQ(fired_,
              (std::vector<s32>{ANIM_EVENT_TYPE_PLAY_SFX, ANIM_EVENT_TYPE_GAME_STATE, ANIM_EVENT_TYPE_DONE}));
    EXPECT_TRUE(HAnimDone(hanim_));
}

TEST_F(AnimEventTest, LoopPointsAndPausesBelongToTheAnimation) {
    Play(HANIM_FLAG_REPEAT, {{0.5f, ANIM_EVENT_TYPE_LOOP_BEGIN, 0},
                             {1.5f, ANIM_EVENT_TYPE_LOOP_END, 0},
                             {1.9f, ANIM_EVENT_TYPE_PAUSE, 0}});
    for (int s = 0; s < 6; ++s)
        Step();
    EXPECT_EQ(hanim_->loopStart, 0.5f);
    EXPECT_EQ(hanim_->loopEnd, 1.5f);
    EXPECT_TRUE(fired_.empty());
    // The clock wraps by the new loop; the pause beyond its end is never reached.
    Step();
    EXPECT_EQ(hanim_->time, 0.75f);
    EXPECT_EQ(hanim_->flags & HANIM_FLAG_PAUSE, 0);

    HAnimFastForward = 1;
    HAnimDoEvent(hanim_, 1.0f, &HAnimFindEvent(hanim_, ANIM_EVENT_TYPE_PAUSE, 0)->parms);
    EXPECT_EQ(hanim_->flags & HANIM_FLAG_PAUSE, 0);
    HAnimFastForward = 0;
    HAnimDoEvent(hanim_, 1.0f, &HAnimFindEvent(hanim_, ANIM_EVENT_TYPE_PAUSE, 0)->parms);
    EXPECT_NE(hanim_->flags & HANIM_FLAG_PAUSE, 0);
}

TEST_F(AnimEventTest, FindEventMatchesTheLowByteOfParm8) {
    Play(0, {{0.25f, ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, 3}, {0.75f, ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, 7}});
    const s_event_key* key = HAnimFindEvent(hanim_, ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, 0x107);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->time, 0.75f);
    EXPECT_EQ(HAnimFindEvent(hanim_, ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, 5), nullptr);
    EXPECT_EQ(HAnimFindEvent(hanim_, ANIM_EVENT_TYPE_PAUSE, 3), nullptr);
}

TEST_F(AnimEventTest, CameraFiresBetweenUpdatesButNotAcrossACut) {
    Play(HANIM_FLAG_IS_CAMERA_ANIM, {{0.5f, ANIM_EVENT_TYPE_CUTSCENE_START, 0}});
    struct Case {
        f32 oldTime, time;
        size_t fired;
    } cases[] = {{0.45f, 0.52f, 1}, {0.52f, 0.45f, 1}, {0.3f, 0.6f, 0}, {0.5f, 0.55f, 0}};
    for (const Case& c : cases) {
        fired_.clear();
        hanim_->oldTime = c.oldTime;
        hanim_->time = c.time;
        HAnimExtractChannelData(hanim_, hanim_->channels);
        EXPECT_EQ(fired_.size(), c.fired) << c.oldTime << " to " << c.time;
    }
}

}  // namespace
