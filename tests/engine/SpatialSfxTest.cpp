// Positional sounds on channels: starting in and out of range, the records the
// task keeps up to date, fades, a full pool, and records that follow a position.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "tests/engine/SymbolBankFixture.h"

namespace {

constexpr s32 kHum = s32(0x80000000u);    // looped
constexpr s32 kClick = s32(0x80000001u);  // 10 ms one-shot
constexpr f32 kRangeSq = 100.0f;

// The camera of the warm reset's viewport sits at the origin looking down -z.
class SpatialSfxTest : public SymbolBankFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        UseBank("SPATIAL", {Hum(), Sound("CLICK", Sine(1000.0, 32000, 320))});
        savedMode_ = AudioMode;
        AudioMode = AUDIO_MODE_STEREO;
    }
    void TearDown() override {
        DropBank();
        AudioMode = savedMode_;
        UseCustomListener = 0;
        SoundFixture::TearDown();
    }

    static const s_VOLUME_MIX& ChannelMix(s32 channel) { return ChannelStatus[channel].header.volumeMix; }
    // One frame of the task list (the positional task among them) and its audio.
    static void Frame() { EventWait(1); }
    // Frames until `seconds` of frame time have passed since `elapsed`.
    static void FramesUntil(f32 seconds, f32* elapsed) {
        for (u32 i = 0; i < 600 && *elapsed < seconds; ++i) {
            Frame();
            *elapsed += RealDeltaTime;
        }
        EXPECT_GE(*elapsed, seconds);
    }

    e_AUDIO_MODE savedMode_ = AUDIO_MODE_STEREO;
};

TEST_F(SpatialSfxTest, BadArgumentsStartNothing) {
    const s_Vector3 pos = {0.0f, 0.0f, -1.0f, 0.0f};
    const struct {
        bool looped;
        const s_Vector3* pos;
        f32 rangeSq;
        const char* message;
    } cases[] = {
        {false, &pos, 0.0f, "SfxPlaySpatialFromPos: Invalid maxAudDistSq 0.000000!\n"},
        {true, &pos, -4.0f, "SfxPlaySpatialLoopedFromPos: Invalid maxAudDistSq -4.000000!\n"},
        {false, nullptr, kRangeSq, "SfxPlaySpatialFromPos: Invalid position!\n"},
        {true, nullptr, kRangeSq, "SfxPlaySpatialLoopedFromPos: Invalid position!\n"},
    };
    for (const auto& c : cases) {
        report_->clear();
        const s32 channel = c.looped ? SpatialSfxPlayLooped(c.pos, kHum, 1.0f, c.rangeSq, 10)
                                     : SpatialSfxPlay(c.pos, kClick, 1.0f, c.rangeSq, 10);
        EXPECT_EQ(channel, -1) << c.message;
        EXPECT_EQ(report().text(), c.message);
    }
    EXPECT_EQ(SpatialSfxRecords->next, nullptr);
}

// A one-shot at the edge of its range is not started; a looped one starts silent,
// is tracked, and is heard once the listener comes near.
TEST_F(SpatialSfxTest, OutOfRangeOneShotsAreDroppedAndLoopsWait) {
    const s_Vector3 edge = {0.0f, 0.0f, -10.0f, 0.0f};
    EXPECT_EQ(SpatialSfxPlay(&edge, kClick, 1.0f, kRangeSq, 10), -1);
    EXPECT_EQ(SpatialSfxRecords->next, nullptr);

    const s32 channel = SpatialSfxPlayLooped(&edge, kHum, 1.0f, kRangeSq, 10);
    ASSERT_GE(channel, 0) << report().text();
    ASSERT_NE(SpatialSfxGet(channel), nullptr);
    EXPECT_FALSE(AudioCheckVolumeMix(&ChannelMix(channel)));
    Frame();
    EXPECT_TRUE(SfxIsIdPlaying(kHum, channel));
    EXPECT_FALSE(AudioCheckVolumeMix(&ChannelMix(channel)));

    const s_Vector3 near = {0.0f, 0.0f, -5.0f, 0.0f};
    SpatialSfxSetListenerPos(&near);
    Frame();
    // 5 from the new listener (gain 0.75), ahead of the camera (0.75 a side).
    EXPECT_NEAR(ChannelMix(channel).volL, 0.75f * 0.75f, 0.01f);
    EXPECT_NEAR(ChannelMix(channel).volR, 0.75f * 0.75f, 0.01f);
}

// Each frame takes the already faded volume down by the share of time left, so
// half-way it is well under half; at the end the channel stops and the record goes.
TEST_F(SpatialSfxTest, AFadeOutCompoundsAndStopsTheSound) {
    const s_Vector3 pos = {0.0f, 0.0f, 0.0f, 0.0f};
    const s32 channel = SpatialSfxPlayLooped(&pos, kHum, 1.0f, kRangeSq, 10);
    ASSERT_GE(channel, 0);
    s_spatial_sfx* record = SpatialSfxGet(channel);
    ASSERT_NE(record, nullptr);
    record->fadeOutTime = record->fadeOutTotalTime = 1.0f;

    f32 elapsed = 0.0f;
    FramesUntil(0.5f, &elapsed);
    EXPECT_LT(record->maxVol, 0.25f);
    EXPECT_GT(record->maxVol, 0.0f);
    FramesUntil(1.1f, &elapsed);
    EXPECT_FALSE(SfxIsPlaying(channel));
    EXPECT_EQ(SpatialSfxRecords->next, nullptr);
}

// With every record taken, a 49th sound still plays, at its start mix for good.
TEST_F(SpatialSfxTest, The49thSoundPlaysWithoutUpdates) {
    for (u32 i = 0; i < SPATIAL_SFX_RECORDS; ++i) {
        s_spatial_sfx* taken = SpatialSfxAllocate();
        ASSERT_NE(taken, nullptr);
        taken->channel = -1;
    }
    const s_Vector3 pos = {0.0f, 0.0f, 5.0f, 0.0f};
    const s32 channel = SpatialSfxPlayLooped(&pos, kHum, 1.0f, kRangeSq, 10);
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(report().contains("SpatialSfxListAddSfx: Last Spatial Sfx won't update spatially.\n"));
    EXPECT_EQ(SpatialSfxGet(channel), nullptr);
    const s_VOLUME_MIX start = ChannelMix(channel);
    EXPECT_NEAR(start.volL, 0.75f * 0.75f, 0.01f);

    SpatialSfxSetListenerPos(&pos);
    Frame();
    EXPECT_EQ(ChannelMix(channel).volL, start.volL);
    EXPECT_TRUE(SfxIsPlaying(channel));
}

TEST_F(SpatialSfxTest, RecordsFollowTheirPositionAndGoWhenTheSoundEnds) {
    const s_Vector3 pos = {0.0f, 0.0f, -1.0f, 0.0f};
    const s32 hum = SpatialSfxPlayLooped(&pos, kHum, 1.0f, kRangeSq, 10);
    const s32 click = SpatialSfxPlay(&pos, kClick, 1.0f, kRangeSq, 10);
    ASSERT_GE(hum, 0);
    ASSERT_GE(click, 0);

    s_Vector3 moving = {0.0f, 0.0f, -5.0f, 0.0f};
    SpatialSfxSetUpdatePosition(SpatialSfxGet(hum), &moving);
    Frame();
    EXPECT_NEAR(ChannelMix(hum).volL, 0.75f * 0.75f, 0.01f);
    s_Matrix4 matrix = IDMatrix4;
    matrix.at(2, 3) = -10.0f;
    SpatialSfxGet(hum)->updateMatrix = &matrix;  // wins over the position
    Frame();
    EXPECT_FALSE(AudioCheckVolumeMix(&ChannelMix(hum)));

    // The 10 ms click has ended: its record went on the task's pass.
    EXPECT_EQ(SpatialSfxGet(click), nullptr);
    SpatialSfxStopChannel(hum);
    EXPECT_EQ(SpatialSfxGet(hum), nullptr);
    RunAudioFrames(2);
    EXPECT_FALSE(SfxIsPlaying(hum));
    EXPECT_EQ(SpatialSfxGet(-1), nullptr);
    EXPECT_EQ(SpatialSfxGet(AUDIO_CHANNEL_COUNT), nullptr);
}

}  // namespace
