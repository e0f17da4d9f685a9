#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/SymbolTrans.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/SymTableWriter.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using namespace discbuild;

constexpr u8 kKeyed = HCHANNEL_FLAG_IS_KEYED;
constexpr s16 kBones = 3;

// Float positions (x = key index + 1), keyed at `times` or sampled at `rate`.
VhaChannel Positions(u32 boneId, u8 flags, u8 rate, const std::vector<f32>& times) {
    VhaChannel channel{ANIM_FPOS, flags, rate, boneId, {}};
    for (size_t k = 0; k < times.size(); ++k)
        channel.keys.push_back({times[k], {f32(k + 1), 0, 0, 0}, {}});
    return channel;
}

class AnimPlayTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        hmatrix_ = HMatrixAlloc(nullptr, kBones, 0, nullptr);
    }
    void TearDown() override {
        HAnimStop(hanim_);
        HAnimFree(bank_);
        HMatrixFree(hmatrix_);
        DataFixture::TearDown();
    }
    // Loads a bank of one animation and plays it.
    s_hanim* Play(const VhaAnimation& animation, f32 scale = 1.0f, u32 loadFlags = 0) {
        const std::vector<u8> chunk = VhaPayload({0, 1, {animation}});
        bank_ = HAnimLoad("PLAY", Image(chunk), u32(chunk.size()), loadFlags);
        EXPECT_NE(bank_, nullptr);
        hanim_ = HAnimPlayFromBankAndId(bank_, 0, scale, 0, 0, hmatrix_, nullptr, nullptr, nullptr);
        return hanim_;
    }
    s_hchannel* Sample(f32 time) {
        hanim_->time = time;
        HAnimExtractChannelData(hanim_, hanim_->channels);
        return hanim_->channels;
    }

    s_hmatrix* hmatrix_ = nullptr;
    s_hanim_header* bank_ = nullptr;
    s_hanim* hanim_ = nullptr;
};

TEST_F(AnimPlayTest, FindKeyFromAnyCachedIndexAgreesWithBruteForce) {
    const std::vector<f32> times = {0.0f, 0.25f, 0.25f, 0.5f, 1.0f, 1.5f};
    ASSERT_NE(Play({"KEYS", 0, 0, 2, 0, {Positions(1, kKeyed, 0, times)}}), nullptr);
    s_hchannel* channel = hanim_->channels;
    const s32 count = s32(times.size());
    for (f32 t : {-1.0f, 0.0f, 0.1f, 0.25f, 0.3f, 0.5f, 0.99f, 1.5f, 9.0f}) {
        s32 want = 0;
        for (s32 i = 0; i < count; ++i)
            if (times[size_t(i)] <= t)
                want = i;
        for (s32 start = -2; start < count + 2; ++start) {
            channel->dataIndex = start;
            EXPECT_EQ(HAnimFindKey(channel, t), want) << "t " << t << " from " << start;
            EXPECT_EQ(channel->dataIndex, want);
        }
    }
}

TEST_F(AnimPlayTest, ClockLoopsClampsAndNotifies) {
    struct Case {
        const char* name;
        u16 flags;
        f32 scale, from, delta, want;
        u32 sysFlags;
        s32 event;
    } cases[] = {
        {"within", HANIM_FLAG_REPEAT, 1, 0.5f, 0.25f, 0.75f, 0, 0},
        {"wraps by the loop", HANIM_FLAG_REPEAT, 1, 1.5f, 0.75f, 1.25f, HANIM_SYS_LOOPED, 253},
        {"step longer than the loop", HANIM_FLAG_REPEAT, 1, 1.5f, 3.0f, 1.0f, HANIM_SYS_LOOPED, 253},
        {"backward longer than the loop", HANIM_FLAG_REPEAT, -1, 1.5f, 3.0f, 2.0f, HANIM_SYS_LOOPED, 253},
        {"backward wraps", HANIM_FLAG_REPEAT, -1, 1.25f, 0.5f, 1.75f, HANIM_SYS_LOOPED, 253},
        {"clamps at the end", 0, 2, 3.5f, 0.5f, 4.0f, HANIM_SYS_DONE, 254},
        {"clamps at the start", 0, -1, 0.25f, 0.5f, 0.0f, HANIM_SYS_DONE, 254},
        {"stopped", HANIM_FLAG_REPEAT, 0, 1.5f, 9.0f, 1.5f, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(Play({"CLOCK", c.flags, 0, 4, 0, {Positions(1, kKeyed, 0, {0, 4})}}, c.scale), nullptr);
        hanim_->loopStart = 1.0f;
        hanim_->loopEnd = 2.0f;
        hanim_->time = c.from;
        std::vector<s32> events;
        HAnimSetEventFunc(
            hanim_,
            [](void* record, s_hanim_event_parms* parms) {
                static_cast<std::vector<s32>*>(record)->push_back(parms->type);
                return 0;
            },
            &events);
        DeltaTime = c.delta;
        EXPECT_EQ(HAnimUpdateTime(hanim_, hmatrix_), c.want);
        EXPECT_EQ(hanim_->sysFlags, c.sysFlags);
        EXPECT_EQ(HAnimDone(hanim_), c.sysFlags != 0);
        EXPECT_EQ(events, c.event != 0 ? std::vector<s32>{c.event} : std::vector<s32>{});
        // A wrap is done for one step only; an end stays done and is announced once.
        DeltaTime = 0.01f;
        HAnimUpdateTime(hanim_, hmatrix_);
        EXPECT_EQ(HAnimDone(hanim_), c.sysFlags == HANIM_SYS_DONE);
        EXPECT_EQ(events.size(), c.event != 0 ? 1u : 0u);
        HAnimStop(hanim_);
        hanim_ = nullptr;
        HAnimFree(bank_);
        bank_ = nullptr;
    }
}

TEST_F(AnimPlayTest, SamplesStayBetweenTheirKeys) {
    struct Case {
        const char* name;
        VhaChannel channel;
        f32 time, wantX;
    } cases[] = {
        {"keyed between", Positions(2, kKeyed, 0, {0, 1}), 0.25f, 1.25f},
        {"keyed past the last key holds it", Positions(2, kKeyed, 0, {0, 1}), 1.5f, 2.0f},
        {"keyed before the first key", Positions(2, kKeyed, 0, {0.5f, 1}), 0.0f, 1.0f},
        {"negative time", Positions(2, 0, 4, {0, 0, 0}), -2.0f, 1.0f},
        {"rate 0 holds the first sample", Positions(2, 0, 0, {0, 0}), 0.75f, 1.0f},
        {"unkeyed between", Positions(2, 0, 4, {0, 0, 0}), 0.125f, 1.5f},
        {"last sample heads for sample 0", Positions(2, 0, 4, {0, 0, 0}), 0.625f, 2.0f},
        {"far past the samples", Positions(2, 0, 4, {0, 0, 0}), 5.0f, 1.0f},
        {"bone 1 holds its last sample", Positions(1, 0, 4, {0, 0, 0}), 0.625f, 3.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(Play({"SAMPLE", 0, 0, 1, 0, {c.channel}}), nullptr);
        ASSERT_NE(hanim_->channels, nullptr);
        EXPECT_FLOAT_EQ(Sample(c.time)->currentData.x, c.wantX);
        HAnimStop(hanim_);
        hanim_ = nullptr;
        HAnimFree(bank_);
        bank_ = nullptr;
    }
}

TEST_F(AnimPlayTest, ChannelsWithoutKeysOrBonesAreNotPlayed) {
    VhaChannel empty = Positions(1, kKeyed, 0, {});
    ASSERT_NE(Play({"SKIP",
                    0,
                    0,
                    1,
                    0,
                    {empty, Positions(kBones, kKeyed, 0, {0}), Positions(2, kKeyed, 0, {0, 1})}}),
              nullptr);
    ASSERT_NE(hanim_->channels, nullptr);
    EXPECT_EQ(hanim_->channels->boneId, 2u);
    EXPECT_EQ(hanim_->channels->next, nullptr);
}

TEST_F(AnimPlayTest, SpooledAnimationIsNotPlayedBeforeItsChannelsLoad) {
    EXPECT_EQ(Play({"SPOOL", 0, 0, 1, 0, {Positions(1, kKeyed, 0, {0, 1})}}, 1.0f, 1), nullptr);
}

TEST_F(AnimPlayTest, StartsAtTheEndWhenPlayedBackwards) {
    ASSERT_NE(Play({"BACK", HANIM_FLAG_REPEAT, 0.5f, 3, 0, {Positions(1, kKeyed, 0, {0.5f, 3})}}, -1.0f),
              nullptr);
    EXPECT_EQ(HAnimGetTime(hanim_), 3.0f);
    EXPECT_EQ(HAnimGetDuration(hanim_), 2.5f);
    EXPECT_EQ(hanim_->flags, HANIM_FLAG_REPEAT);
    EXPECT_FLOAT_EQ(hanim_->channels->currentData.x, 2.0f);
}

// A symbol names a bank's data-file id and an animation of it: the animation
// played is the one the translated id indexes, whatever the symbol's number.
TEST_F(AnimPlayTest, ASymbolPlaysTheAnimationItTranslatesTo) {
    constexpr s32 kBankId = 7;
    const std::vector<u8> table = SymTableImage({0, 0, 0, (kBankId << 16) | 1});
    ASSERT_EQ(SymbolTransLoadImage(table.data(), u32(table.size())), RET_NO_ERROR);
    const std::vector<u8> chunk = VhaPayload({0,
                                              1,
                                              {{"FIRST", 0, 0, 1, 0, {Positions(1, kKeyed, 0, {0, 1})}},
                                               {"SECOND", 0, 0, 4, 0, {Positions(1, kKeyed, 0, {0, 4})}}}});
    bank_ = HAnimLoad("SYMBOLS", Image(chunk), u32(chunk.size()), 0);
    ASSERT_NE(bank_, nullptr);
    DataRegister("SYMBOLS", "VHA", kBankId);
    hanim_ = HAnimPlay(0x80000003u, 1.0f, 0, 0, hmatrix_, nullptr, nullptr, nullptr);
    ASSERT_NE(hanim_, nullptr);
    EXPECT_EQ(HAnimGetDuration(hanim_), 4.0f);
}

// Death tests read the fatal message on standard error, so nothing is captured.
class AnimPlayDeathTest : public AnimPlayTest {
protected:
    void SetUp() override {
        AnimPlayTest::SetUp();
        report_.reset();
    }
};

TEST_F(AnimPlayDeathTest, EveryNaNScaleIsRefused) {
    ASSERT_NE(Play({"NAN", 0, 0, 1, 0, {Positions(1, kKeyed, 0, {0, 1})}}), nullptr);
    for (u32 bits : {0x7FC00000u, 0xFFC00000u, 0x7F800001u}) {
        const f32 nan = std::bit_cast<f32>(bits);
        EXPECT_DEATH(HAnimSetScale(hanim_, nan), "Invalid timeScale value!");
    }
    HAnimSetScale(hanim_, -2.0f);
    EXPECT_EQ(HAnimGetScale(hanim_), -2.0f);
}

}  // namespace
