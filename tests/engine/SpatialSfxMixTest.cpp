// The positional mix: distance gain, bearing over the speakers by audio mode, and
// the listener that measures distance against the camera that gives the bearing.
#include <gtest/gtest.h>

#include <cmath>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/SpatialSfx.h"
#include "tests/support/EngineFixture.h"

namespace {

// The warm reset's viewport: identity camera at the origin looking down -z, so a
// sound at -z lies ahead (a = 0) and one at +x to the right.
class SpatialSfxMixTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        savedMode_ = AudioMode;
    }
    void TearDown() override {
        AudioMode = savedMode_;
        UseCustomListener = 0;
        EngineFixture::TearDown();
    }

    static s_VOLUME_MIX Mix(s_Vector3 pos, f32 maxAudDistSq, f32 maxVol = 1.0f,
                            e_spatial_sfx_falloff_type falloff = SPATIAL_SFX_FALLOFF_TYPE_LINEAR) {
        s_VOLUME_MIX mix;
        SpatialSfxCalcVolumeMix(&mix, SpatialSfxListenerDistSq(&pos), maxAudDistSq, maxVol, &pos, falloff);
        return mix;
    }

    e_AUDIO_MODE savedMode_ = AUDIO_MODE_STEREO;
};

TEST(SpatialSfxNearestAngle, IsTheAngularDistanceFromZero) {
    const struct {
        s32 angle, nearest;
    } cases[] = {{0, 0},    {45, 45},  {179, 179}, {180, 180}, {181, 179},
                 {270, 90}, {-45, 45}, {-315, 45}, {765, 45}};
    for (const auto& c : cases)
        EXPECT_EQ(SpatialSfxNearestAngle(c.angle), c.nearest) << c.angle;
}

// Without a speaker mode the mix is the bare distance gain (the LFE always 0).
TEST_F(SpatialSfxMixTest, DistanceGainFallsWithTheSquaredDistance) {
    AudioMode = AUDIO_MODE_DTS;
    const struct {
        f32 z;
        e_spatial_sfx_falloff_type falloff;
        f32 gain;
    } cases[] = {
        {0.0f, SPATIAL_SFX_FALLOFF_TYPE_LINEAR, 1.0f},
        {-5.0f, SPATIAL_SFX_FALLOFF_TYPE_LINEAR, 0.75f},  // half the distance
        {-10.0f, SPATIAL_SFX_FALLOFF_TYPE_LINEAR, 0.0f},
        {-12.0f, SPATIAL_SFX_FALLOFF_TYPE_LINEAR, 0.0f},
        {-5.0f, SPATIAL_SFX_FALLOFF_TYPE_COSINE, std::cos(3.14159265f / 8.0f)},
        {-10.0f / std::sqrt(2.0f), SPATIAL_SFX_FALLOFF_TYPE_COSINE, std::cos(3.14159265f / 4.0f)},
    };
    for (const auto& c : cases) {
        const s_VOLUME_MIX mix = Mix({0.0f, 0.0f, c.z, 0.0f}, 100.0f, 1.0f, c.falloff);
        EXPECT_NEAR(mix.volL, c.gain, 1e-3f) << c.z;
        EXPECT_NEAR(mix.volRS, c.gain, 1e-3f) << c.z;
        EXPECT_EQ(mix.volLFE, 0.0f);
    }
}

// The bearing is taken in whole degrees (truncated, from a factor just under
// 180 / pi), so a sound straight ahead or abeam is one degree off: shares within
// 0.006 of the exact ones.
constexpr f32 kWholeDegrees = 6e-3f;

TEST_F(SpatialSfxMixTest, StereoSpreadsTheBearingOverTwoSpeakers) {
    AudioMode = AUDIO_MODE_STEREO;
    const struct {
        const char* where;
        s_Vector3 pos;
        f32 left, right;
    } cases[] = {
        {"ahead", {0.0f, 0.0f, -5.0f, 0.0f}, 0.75f, 0.75f},
        {"behind", {0.0f, 0.0f, 5.0f, 0.0f}, 0.75f, 0.75f},
        {"right", {5.0f, 0.0f, 0.0f, 0.0f}, 0.25f, 0.75f},
        {"left", {-5.0f, 0.0f, 0.0f, 0.0f}, 0.75f, 0.25f},
    };
    for (const auto& c : cases) {
        // Distance gain 0.75 (half the distance), then the bearing, then maxVol.
        const s_VOLUME_MIX mix = Mix(c.pos, 100.0f, 0.5f);
        EXPECT_NEAR(mix.volL, 0.75f * c.left * 0.5f, kWholeDegrees) << c.where;
        EXPECT_NEAR(mix.volR, 0.75f * c.right * 0.5f, kWholeDegrees) << c.where;
        EXPECT_EQ(mix.volC + mix.volLS + mix.volRS + mix.volLFE, 0.0f) << c.where;
    }
}

TEST_F(SpatialSfxMixTest, SpeakerInfluenceByMode) {
    const s_VOLUME_MIX full = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f};
    const struct {
        e_AUDIO_MODE mode;
        s32 a;
        f32 side;
        s_VOLUME_MIX expected;
    } cases[] = {
        {AUDIO_MODE_STEREO, 180, 0.0f, {0.75f, 0.75f, 0.0f, 0.0f, 0.0f, 0.0f}},
        {AUDIO_MODE_MONO, 0, -1.0f, {0.75f, 0.75f, 0.0f, 0.0f, 0.0f, 0.0f}},
        {AUDIO_MODE_PRO_LOGIC_2, 90, -1.0f, {0.25f, 0.75f, 0.0f, 0.0f, 0.0f, 0.0f}},
        {AUDIO_MODE_DOLBY_DIGITAL, 0, 0.0f, {0.75f, 0.75f, 1.0f, 0.25f, 0.25f, 0.0f}},
        {AUDIO_MODE_DOLBY_DIGITAL, 180, 0.0f, {0.25f, 0.25f, 0.0f, 0.75f, 0.75f, 0.0f}},
        {AUDIO_MODE_DOLBY_DIGITAL, 90, 1.0f, {0.75f, 0.25f, 0.5f, 0.75f, 0.25f, 0.0f}},
        {AUDIO_MODE_DTS, 90, 1.0f, full},
    };
    for (const auto& c : cases) {
        AudioMode = c.mode;
        s_VOLUME_MIX mix = full;
        SpatialSfxSetSpeakerInfluence(&mix, 0.5f, c.a, c.side);
        const f32 scale = c.mode == AUDIO_MODE_DTS ? 1.0f : 0.5f;
        const f32 got[] = {mix.volL, mix.volR, mix.volC, mix.volLS, mix.volRS, mix.volLFE};
        const f32 want[] = {c.expected.volL,  c.expected.volR,  c.expected.volC,
                            c.expected.volLS, c.expected.volRS, c.expected.volLFE};
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(got[i], want[i] * scale, 1e-4f)
                << "mode " << c.mode << " a " << c.a << " speaker " << i;
    }
}

// A custom listener moves only the loudness: the sound at +x is heard at full
// gain from the listener standing on it, and still from the camera's right.
TEST_F(SpatialSfxMixTest, CustomListenerMeasuresDistanceWhileTheCameraGivesTheBearing) {
    AudioMode = AUDIO_MODE_STEREO;
    const s_Vector3 sound = {10.0f, 0.0f, 0.0f, 0.0f};
    const s_VOLUME_MIX fromCamera = Mix(sound, 400.0f);
    EXPECT_NEAR(fromCamera.volL, 0.75f * 0.25f, kWholeDegrees);
    EXPECT_NEAR(fromCamera.volR, 0.75f * 0.75f, kWholeDegrees);

    SpatialSfxSetListenerPos(&sound);
    EXPECT_EQ(SpatialSfxListenerPos().x, 10.0f);
    EXPECT_EQ(SpatialSfxBearingOrigin().x, 0.0f);
    const s_VOLUME_MIX fromListener = Mix(sound, 400.0f);
    EXPECT_NEAR(fromListener.volL, 0.25f, kWholeDegrees);
    EXPECT_NEAR(fromListener.volR, 0.75f, kWholeDegrees);
}

}  // namespace
