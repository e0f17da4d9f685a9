// The movie player's core: header checks, the frame ring, decoding to the end,
// and the sound: full buffers, the volume table, resampling to 32 kHz.
#include <gtest/gtest.h>

#include <cstring>

#include "console/ai.h"
#include "console/ax.h"
#include "orblib47/source/NGC/THPSimpleInternal.h"
#include "orblib47/source/OrbLib.h"
#include "tests/engine/MovieFixture.h"

namespace {

using thp::SimpleControl;

class THPSimpleTest : public MovieFixture {};

void PutBE32(std::vector<u8>* bytes, u32 at, u32 value) {
    for (u32 i = 0; i < 4; ++i)
        (*bytes)[at + i] = u8(value >> (24 - 8 * i));
}

u32 BE32(const std::vector<u8>& bytes, u32 at) {
    return u32(bytes[at]) << 24 | u32(bytes[at + 1]) << 16 | u32(bytes[at + 2]) << 8 | bytes[at + 3];
}

TEST_F(THPSimpleTest, AFourFrameMovieDecodesFourFramesThenRunsDry) {
    Write("FOUR.thp", Movie(4));
    ASSERT_TRUE(Start("FOUR.thp"));
    for (s32 frame = 0; frame < 4; ++frame) {
        ASSERT_EQ(THPSimpleDecode(0), THP_DECODE_OK) << frame;
        EXPECT_EQ(SimpleControl.textureSet.frameNumber, frame);
    }
    EXPECT_EQ(THPSimpleDecode(0), THP_DECODE_NO_FRAME);
    EventWait(2);  // no read is pending that could bring a fifth
    EXPECT_EQ(THPSimpleDecode(0), THP_DECODE_NO_FRAME);
    Stop();
}

TEST_F(THPSimpleTest, TheRingRefillsFromTheDiscBeyondTenFrames) {
    Write("LONG.thp", Movie(25));
    ASSERT_TRUE(Start("LONG.thp"));
    s32 decoded = 0;
    for (s32 pass = 0; pass < 100 && decoded < 25; ++pass) {
        if (THPSimpleDecode(0) == THP_DECODE_OK) {
            EXPECT_EQ(SimpleControl.textureSet.frameNumber, decoded);
            ++decoded;
        }
        EventWait(1);
    }
    EXPECT_EQ(decoded, 25);
    EXPECT_EQ(THPSimpleDecode(0), THP_DECODE_NO_FRAME);
    Stop();
}

TEST_F(THPSimpleTest, HeadersThatDoNotHoldUpAreRefused) {
    const std::vector<u8> good = discbuild::ThpWrite(Movie(2));
    discbuild::ThpMovie withSound = Movie(2);
    AddRamp(&withSound, 32000, 2000, 0, 1);
    const std::vector<u8> sound = discbuild::ThpWrite(withSound);
    const u32 table = BE32(good, 32);
    struct Case {
        const char* name;
        const std::vector<u8>& base;
        u32 at;
        u32 value;
    };
    const Case cases[] = {
        {"magic", good, 0, 0x54485800},
        {"version", good, 4, 0x00010000},
        {"buffer smaller than the first frame", good, 8, 32},
        {"no frames", good, 20, 0},
        {"first frame too small", good, 24, 8},
        {"no frame rate", good, 16, 0},
        {"frames past the file", good, 40, u32(good.size())},
        {"component of another kind", good, table + 4, 0x02FFFFFF},
        {"no components", good, table, 0},
        {"width not a multiple of 16", good, table + 20, 40},
        {"no height", good, table + 24, 0},
        {"three channels", sound, table + 32, 3},
        {"no tracks", sound, table + 44, 0},
        {"no audio samples", sound, 12, 0},
    };
    ASSERT_TRUE(THPSimpleInit(THP_MODE_ALONE));
    for (const Case& c : cases) {
        std::vector<u8> bad = c.base;
        PutBE32(&bad, c.at, c.value);
        Write("BAD.thp", bad);
        EXPECT_FALSE(THPSimpleOpen("BAD.thp")) << c.name;
        EXPECT_FALSE(SimpleControl.open) << c.name;
    }
    Write("GOOD.thp", good);
    EXPECT_TRUE(THPSimpleOpen("GOOD.thp"));
    EXPECT_TRUE(THPSimpleClose());
    THPSimpleQuit();
}

// A next-size word beyond the read buffers ends reading: the frames before it
// still play.
TEST_F(THPSimpleTest, AFrameSizeBeyondTheBufferStopsTheReader) {
    std::vector<u8> bytes = discbuild::ThpWrite(Movie(14));
    const u32 bufSize = BE32(bytes, 8);
    u32 at = BE32(bytes, 40), size = BE32(bytes, 24);
    for (u32 frame = 0; frame < 11; ++frame) {
        const u32 next = BE32(bytes, at);
        at += size;
        size = next;
    }
    // Frame 11's next size: frames 0..11 are read, 12 is not.
    PutBE32(&bytes, at, bufSize + 32);
    Write("SIZE.thp", bytes);
    ASSERT_TRUE(Start("SIZE.thp"));
    s32 decoded = 0;
    for (s32 pass = 0; pass < 60; ++pass) {
        decoded += THPSimpleDecode(0) == THP_DECODE_OK;
        EventWait(1);
    }
    EXPECT_EQ(decoded, 12);
    EXPECT_TRUE(SimpleControl.dvdError);
    Stop();

    PutBE32(&bytes, BE32(bytes, 40), bufSize + 32);  // the first frame's
    Write("SIZE.thp", bytes);
    EXPECT_FALSE(Start("SIZE.thp"));
    Stop();
}

// Component sizes that run past the frame are a decode error, for the video and
// for an audio component's tracks.
TEST_F(THPSimpleTest, ComponentsRunningPastTheirFrameAreADecodeError) {
    discbuild::ThpMovie movie = Movie(2);
    AddRamp(&movie, 32000, 1000, 0, 1);
    movie.tracks.push_back(movie.tracks[0]);
    const std::vector<u8> good = discbuild::ThpWrite(movie);
    const u32 frame = BE32(good, 40), size = BE32(good, 24);
    for (const u32 word : {8u, 12u}) {
        std::vector<u8> bad = good;
        PutBE32(&bad, frame + word, size / (word == 12 ? 2 : 1));
        Write("OVER.thp", bad);
        ASSERT_TRUE(Start("OVER.thp"));
        EXPECT_EQ(THPSimpleDecode(0), THP_DECODE_VIDEO_ERROR) << word;
        Stop();
    }
}

TEST_F(THPSimpleTest, AFullAudioBufferKeepsTheFrameForTheNextCall) {
    discbuild::ThpMovie movie = Movie(5);
    AddRamp(&movie, 32000, 5 * 500, 0, 4);
    Write("FULL.thp", movie);
    ASSERT_TRUE(Start("FULL.thp"));
    EXPECT_EQ(THPSimpleDecode(1), THP_DECODE_BAD_TRACK);
    for (s32 frame = 0; frame < 3; ++frame)
        ASSERT_EQ(THPSimpleDecode(0), THP_DECODE_OK);
    EXPECT_EQ(THPSimpleDecode(0), THP_DECODE_AUDIO_FULL);
    EXPECT_EQ(SimpleControl.textureSet.frameNumber, 2);
    THPSimpleAudioStart();
    s16 block[96 * 2];
    for (s32 i = 0; i < 6; ++i)  // 576 samples: the first buffer is empty again
        thp::THPMixAudio(block, nullptr, 96);
    EXPECT_EQ(THPSimpleDecode(0), THP_DECODE_OK);
    EXPECT_EQ(SimpleControl.textureSet.frameNumber, 3);
    Stop();
}

AIDCallback CurrentDMACallback() {
    const AIDCallback current = AIRegisterDMACallback(nullptr);
    AIRegisterDMACallback(current);
    return current;
}

// Alone the player drives the audio DMA and stops it again; over the sound
// system it chains in front of its callback and puts it back.
TEST_F(THPSimpleTest, QuittingLeavesTheAudioAsItWas) {
    AXQuit();
    ASSERT_EQ(CurrentDMACallback(), nullptr);
    ASSERT_TRUE(THPSimpleInit(THP_MODE_ALONE));
    EXPECT_EQ(CurrentDMACallback(), thp::THPAudioMixCallback);
    THPSimpleQuit();
    EXPECT_EQ(CurrentDMACallback(), nullptr);
    EventWait(3);  // no block plays from the freed buffers

    EXPECT_FALSE(THPSimpleInit(THP_MODE_WITH_AX)) << "no sound system to mix into";
    AXInit();
    const AIDCallback ax = CurrentDMACallback();
    ASSERT_TRUE(THPSimpleInit(THP_MODE_WITH_AX));
    EXPECT_EQ(CurrentDMACallback(), thp::THPAudioMixCallback);
    THPSimpleQuit();
    EXPECT_EQ(CurrentDMACallback(), ax);
    AXQuit();
}

TEST_F(THPSimpleTest, VolumeTableFollowsTheSquareCurve) {
    EXPECT_EQ(thp::VolumeTable[0], 0);
    EXPECT_EQ(thp::VolumeTable[1], 2);
    EXPECT_EQ(thp::VolumeTable[64], 8321);
    EXPECT_EQ(thp::VolumeTable[126], 32254);
    EXPECT_EQ(thp::VolumeTable[127], 32768);
}

TEST_F(THPSimpleTest, WithTheMovieSoundStoppedBlocksCarryTheSourceUnchanged) {
    discbuild::ThpMovie movie = Movie(2);
    AddRamp(&movie, 32000, 1000, 1000, 1);
    Write("QUIET.thp", movie);
    ASSERT_TRUE(Start("QUIET.thp"));
    ASSERT_EQ(THPSimpleDecode(0), THP_DECODE_OK);
    s16 source[96 * 2], block[96 * 2];
    for (s32 i = 0; i < 96 * 2; ++i)
        source[i] = s16(i * 100 - 9000);
    thp::THPMixAudio(block, source, 96);
    EXPECT_EQ(std::memcmp(block, source, sizeof block), 0);
    thp::THPMixAudio(block, nullptr, 96);
    EXPECT_EQ(block[0], 0);
    EXPECT_EQ(block[191], 0);
    Stop();
}

// A ramp at the movie's rate comes out at 32 kHz with its slope scaled by
// rate / 32000, over the source block.
TEST_F(THPSimpleTest, SoundIsResampledFromTheMovieRateTo32kHz) {
    for (const u32 rate : {16000u, 32000u, 48000u}) {
        discbuild::ThpMovie movie = Movie(3);
        AddRamp(&movie, rate, 3 * 600, 0, 8);
        Write("RATE.thp", movie);
        ASSERT_TRUE(Start("RATE.thp")) << rate;
        for (s32 frame = 0; frame < 3; ++frame)
            ASSERT_EQ(THPSimpleDecode(0), THP_DECODE_OK);
        THPSimpleAudioStart();
        std::vector<s16> out;
        s16 source[96 * 2], block[96 * 2];
        for (s32 i = 0; i < 96 * 2; ++i)
            source[i] = 100;
        for (s32 i = 0; i < 40; ++i) {
            thp::THPMixAudio(block, source, 96);
            out.insert(out.end(), block, block + 96 * 2);
        }
        // Output frame k sits at source sample k * rate / 32000.
        const f64 ratio = f64(rate) / 32000.0;
        const u32 played = u32(1800 / ratio) - 2;
        for (u32 k = 0; k < played; k += 37) {
            const f64 expected = 8 * k * ratio + 100;
            EXPECT_NEAR(out[2 * k], expected, 40) << rate << " at " << k;
            EXPECT_EQ(out[2 * k + 1], out[2 * k]) << rate << " at " << k;
        }
        const u32 after = u32(1800 / ratio) + 2;
        EXPECT_EQ(out[2 * after], 100) << rate << ": after the sound, the source";
        THPSimpleAudioStop();
        Stop();
    }
}

}  // namespace
