// The THP decoders: pictures written by the movie writer come back as Y, U and V
// texture planes; hand-made ADPCM tracks decode sample for sample; bad data is
// refused.
#include "console/thp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tools/discbuild/ThpWriter.h"

namespace {

struct Rgb {
    u8 r, g, b;
};

std::vector<u8> Picture(u32 width, u32 height, Rgb (*color)(u32 x, u32 y)) {
    std::vector<u8> rgb;
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x) {
            const Rgb c = color(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return rgb;
}

// Texel (x, y) of an I8 texture `width` texels wide (8x4 tiles).
u8 Texel(const std::vector<u8>& plane, u32 width, u32 x, u32 y) {
    return plane[((y / 4) * (width / 8) + x / 8) * 32 + (y % 4) * 8 + x % 8];
}

struct Planes {
    std::vector<u8> y, u, v;
    explicit Planes(u32 width, u32 height)
        : y(width * height), u(width * height / 4), v(width * height / 4) {}
    s32 Decode(const std::vector<u8>& data, u32 width, u32 height) {
        return THPVideoDecode(data.data(), u32(data.size()), width, height, y.data(), u.data(), v.data());
    }
};

// Four patches of 32x16, each a whole number of blocks.
constexpr Rgb kPatches[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {200, 180, 40}};

Rgb PatchColor(u32 x, u32 y) {
    return kPatches[(y / 16) * 2 + x / 32];
}

TEST(ThpVideo, ColourPatchesDecodeToTheirLumaAndChroma) {
    const std::vector<u8> frame = discbuild::ThpEncodeVideo(Picture(64, 32, PatchColor).data(), 64, 32, 95);
    Planes planes(64, 32);
    ASSERT_EQ(planes.Decode(frame, 64, 32), THP_OK);
    for (u32 p = 0; p < 4; ++p) {
        const Rgb c = kPatches[p];
        const u32 x = (p % 2) * 32 + 16, y = (p / 2) * 16 + 8;
        const double luma = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
        const double cb = 128 - 0.168736 * c.r - 0.331264 * c.g + 0.5 * c.b;
        const double cr = 128 + 0.5 * c.r - 0.418688 * c.g - 0.081312 * c.b;
        EXPECT_NEAR(Texel(planes.y, 64, x, y), luma, 4) << p;
        EXPECT_NEAR(Texel(planes.u, 32, x / 2, y / 2), cb, 4) << p;
        EXPECT_NEAR(Texel(planes.v, 32, x / 2, y / 2), cr, 4) << p;
    }
}

// Noise makes a scan full of 0xFF bytes, whose stuffing the decoder restores.
TEST(ThpVideo, ANoisyPictureSurvivesTheStuffingRoundTrip) {
    std::srand(7);
    std::vector<u8> rgb(48 * 48 * 3);
    for (u8& byte : rgb)
        byte = u8(std::rand());
    const std::vector<u8> frame = discbuild::ThpEncodeVideo(rgb.data(), 48, 48, 100);
    Planes planes(48, 48);
    ASSERT_EQ(planes.Decode(frame, 48, 48), THP_OK);
    double error = 0;
    for (u32 y = 0; y < 48; ++y)
        for (u32 x = 0; x < 48; ++x) {
            const u8* c = &rgb[(y * 48 + x) * 3];
            error += std::abs(Texel(planes.y, 48, x, y) - (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]));
        }
    EXPECT_LT(error / (48 * 48), 2.0);
}

TEST(ThpVideo, BadDataAndWrongSizesAreRefused) {
    const std::vector<u8> good = discbuild::ThpEncodeVideo(Picture(64, 32, PatchColor).data(), 64, 32, 80);
    struct Case {
        const char* name;
        std::vector<u8> data;
        u32 width, height;
    };
    std::vector<u8> noEoi(good.begin(), good.end() - 1);
    std::vector<u8> noSoi = good;
    noSoi[1] = 0;
    std::vector<u8> longSegment = good;
    longSegment[4] = 0xFF;  // the first segment's length runs past the end
    std::vector<u8> restart = good;
    restart.insert(restart.begin() + 2, {0xFF, 0xDD, 0x00, 0x04, 0x00, 0x01});
    std::vector<u8> shortScan(good.begin(), good.begin() + good.size() / 2);
    shortScan.insert(shortScan.end(), {0xFF, 0xD9});
    const Case cases[] = {
        {"empty", {}, 64, 32},
        {"no EOI", noEoi, 64, 32},
        {"no SOI", noSoi, 64, 32},
        {"segment overrun", longSegment, 64, 32},
        {"restart interval", restart, 64, 32},
        {"truncated scan", shortScan, 64, 32},
        {"other width", good, 48, 32},
        {"other height", good, 64, 48},
        {"width not a multiple of 16", good, 60, 32},
        {"too wide", good, 2048, 32},
    };
    for (const Case& c : cases) {
        Planes planes(2048, 48);
        EXPECT_EQ(planes.Decode(c.data, c.width, c.height), THP_ERROR) << c.name;
    }
    // Damage anywhere gives a picture or a refusal, never a fault.
    for (size_t at = 0; at < good.size(); at += 7) {
        std::vector<u8> damaged = good;
        damaged[at] ^= 0x5A;
        Planes planes(64, 32);
        const s32 result = planes.Decode(damaged, 64, 32);
        EXPECT_TRUE(result == THP_OK || result == THP_ERROR);
    }
}

// An audio track: the header, then per channel the coefficients and history,
// then the ADPCM frames.
struct Track {
    u32 channels, samples;
    std::vector<std::vector<s16>> info;  // per channel: 16 coefficients, yn1, yn2
    std::vector<std::vector<u8>> frames;

    std::vector<u8> Bytes() const {
        std::vector<u8> out;
        auto word = [&](u32 v) { out.insert(out.end(), {u8(v >> 24), u8(v >> 16), u8(v >> 8), u8(v)}); };
        word(channels);
        word(samples);
        for (const std::vector<s16>& values : info)
            for (s16 v : values)
                out.insert(out.end(), {u8(u16(v) >> 8), u8(v)});
        for (const std::vector<u8>& bytes : frames)
            out.insert(out.end(), bytes.begin(), bytes.end());
        return out;
    }
};

// Pair 0 = (1.0, 0): each sample is the last plus nibble << shift. Pair 1 =
// (0, 1.0): each is the one before the last plus the step.
std::vector<s16> Info(s16 yn1 = 0, s16 yn2 = 0) {
    std::vector<s16> info(18, 0);
    info[0] = 2048;
    info[3] = 2048;
    info[16] = yn1;
    info[17] = yn2;
    return info;
}

std::vector<u8> Frame(u8 header, u8 nibble) {
    return {header,          u8(nibble * 17), u8(nibble * 17), u8(nibble * 17),
            u8(nibble * 17), u8(nibble * 17), u8(nibble * 17), u8(nibble * 17)};
}

TEST(ThpAudio, TracksDecodeSampleForSampleIntoStereo) {
    struct Case {
        const char* name;
        Track track;
        std::vector<s16> expected;  // the first samples, interleaved
    };
    const Case cases[] = {
        {"mono ramp feeds both channels",
         {1, 16, {Info()}, {Frame(0x00, 1), Frame(0x00, 1), {}}},
         {1, 1, 2, 2, 3, 3, 4, 4}},
        {"negative nibble, shift 4", {1, 3, {Info()}, {Frame(0x04, 0xF)}}, {-16, -16, -32, -32, -48, -48}},
        {"stereo keeps its channels apart",
         {2, 2, {Info(), Info()}, {Frame(0x00, 2), Frame(0x00, 0xE)}},
         {2, -2, 4, -4}},
        {"history and the second coefficient",
         {1, 4, {Info(100, 50)}, {Frame(0x10, 1)}},
         {51, 51, 101, 101, 52, 52, 102, 102}},
        {"clamped to 16 bits", {1, 2, {Info(32767)}, {Frame(0x0B, 7)}}, {32767, 32767, 32767, 32767}},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes = c.track.Bytes();
        std::vector<s16> out(64, 0x5555);
        ASSERT_EQ(THPAudioDecode(out.data(), 32, bytes.data(), u32(bytes.size())), c.track.samples) << c.name;
        EXPECT_EQ(std::vector<s16>(out.begin(), out.begin() + c.expected.size()), c.expected) << c.name;
    }
}

TEST(ThpAudio, MalformedTracksAreRefused) {
    const Track good{1, 14, {Info()}, {Frame(0x00, 1)}};
    std::vector<u8> bytes = good.Bytes();
    std::vector<s16> out(64);
    ASSERT_EQ(THPAudioDecode(out.data(), 14, bytes.data(), u32(bytes.size())), 14u);
    EXPECT_EQ(THPAudioDecode(out.data(), 13, bytes.data(), u32(bytes.size())), 0u)
        << "longer than the buffer";
    EXPECT_EQ(THPAudioDecode(out.data(), 14, bytes.data(), u32(bytes.size() - 1)), 0u) << "short data";
    EXPECT_EQ(THPAudioDecode(out.data(), 14, bytes.data(), 7), 0u) << "no header";
    for (u32 channels : {0u, 3u}) {
        std::vector<u8> bad = bytes;
        bad[3] = u8(channels);
        EXPECT_EQ(THPAudioDecode(out.data(), 14, bad.data(), u32(bad.size())), 0u) << channels << " channels";
    }
}

}  // namespace
