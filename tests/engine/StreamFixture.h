// Stream packs made by the pack writer on a disc of the test's own, the engine
// on it with unity master volume, and the straight decode the played sound is
// compared with.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/vi.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/NGC/Stream.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Sound.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/AsfWriter.h"
#include "tools/discbuild/DspAdpcm.h"

// A tone that never crosses zero, so that silence in the output is told apart.
inline std::vector<s16> Tone(u32 samples, f64 period, s16 level = 6000) {
    std::vector<s16> tone(samples);
    for (u32 i = 0; i < samples; ++i)
        tone[i] = s16(9000 + level * std::sin(6.283185307179586 * i / period));
    return tone;
}

// Samples of `bytes` of ADPCM data.
inline u32 AdpcmSamples(u32 bytes) {
    return bytes / 8 * 14;
}

class StreamFixture : public EngineFixture {
protected:
    static constexpr char kPack[] = "STREAM/TEST.ASF";

    HostConfig Config() const override { return disc_.Config(); }

    void SetUp() override {
        pack_ = Pack();
        disc_.Write(kPack, pack_);
        EngineFixture::SetUp();
        MasterVolume = 1.0f;
    }

    // The test's pack, written once per program (encoding is slow).
    virtual const std::vector<u8>& Pack() const = 0;

    static void Retraces(int count) {
        for (int i = 0; i < count; ++i)
            VIWaitForRetrace();
    }

    // Decodes channel `channel` of stream `n` of the pack written, as stored.
    std::vector<s16> StraightDecode(u32 n, u32 channel) const {
        const ChunkReader pack(pack_.data(), u32(pack_.size()));
        const u8* entry = pack.Bytes(4 + n * STREAM_PAK_ENTRY_SIZE, STREAM_PAK_ENTRY_SIZE);
        const auto le = [](const u8* p) {
            return u32(p[0]) | u32(p[1]) << 8 | u32(p[2]) << 16 | u32(p[3]) << 24;
        };
        const u32 offset = le(entry) + PCM_HEADER_SIZE;
        const u32 length = le(entry + 4) - PCM_HEADER_SIZE;
        const bool stereo = (le(entry + 8) & STREAM_PAK_FLAG_STEREO) != 0;
        const u32 interleave = le(entry + 12);
        std::vector<u8> bytes;
        for (u32 at = 0; at < length;) {
            const u32 block = stereo ? interleave : length;
            if (!stereo || at / interleave % 2 == channel)
                bytes.insert(bytes.end(), pack_.begin() + offset + at, pack_.begin() + offset + at + block);
            at += block;
        }
        discbuild::DspAdpcmSound sound;
        for (u32 i = 0; i < 16; ++i)
            sound.header.coef[i] = s16(LoadBE16(entry + 16 + 28 + 2 * i));
        sound.data = std::move(bytes);
        return discbuild::DspAdpcmDecode(sound);
    }

    // One channel of captured stereo samples.
    static std::vector<s16> Side(const std::vector<s16>& stereo, u32 channel) {
        std::vector<s16> out;
        for (size_t i = channel; i < stereo.size(); i += 2)
            out.push_back(stereo[i]);
        return out;
    }

    TempDisc disc_;
    std::vector<u8> pack_;
};
