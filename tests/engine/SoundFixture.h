// The engine with sound banks made by the test: loading them, playing their sounds
// on channels, and running the audio frames on the virtual clock.
#pragma once

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "console/os.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "orblib47/source/Sound.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/SfxWriter.h"

class SoundFixture : public LeakCheckedFixture {
protected:
    static constexpr OSTime kAudioFrame = OS_TIMER_CLOCK / 1000 * 3;
    static constexpr s_VOLUME_MIX kFull = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};

    static std::vector<s16> Sine(f64 hz, u32 rate, u32 count, f64 amplitude = 32767.0) {
        std::vector<s16> pcm(count);
        for (u32 i = 0; i < count; ++i)
            pcm[i] = s16(std::lround(amplitude * std::sin(2.0 * std::numbers::pi * hz * i / rate)));
        return pcm;
    }
    static discbuild::SfxSound Sound(const std::string& name, std::vector<s16> pcm, u32 rate = 32000,
                                     std::optional<u32> loopStart = std::nullopt) {
        return {name, std::move(pcm), rate, loopStart, 0};
    }
    // A looped tone long enough to play through any test.
    static discbuild::SfxSound Hum() { return Sound("HUM", Sine(1000.0, 32000, 3200), 32000, 0u); }

    static std::vector<u8> Bank(const std::vector<discbuild::SfxSound>& sounds) {
        return discbuild::SfxPayload(sounds);
    }
    static s_sfx_bank* Load(const char* name, const std::vector<u8>& payload) {
        return SfxLoad(name, Image(payload), u32(payload.size()));
    }
    static s_sfx_bank* Load(const char* name, const std::vector<discbuild::SfxSound>& sounds) {
        return Load(name, Bank(sounds));
    }

    // Sound `index` of the default bank on a channel of its own; -1 when none.
    static s32 Play(s32 index, u32 priority = 10, const s_VOLUME_MIX& mix = kFull, bool looped = false) {
        const s32 channel = AudioAllocChannel(priority);
        if (channel < 0)
            return -1;
        const s32 played = looped ? SfxPlayChannelLooped(index, &mix, priority, channel)
                                  : SfxPlayChannel(index, &mix, priority, channel);
        if (played < 0)
            AudioFreeChannel(u32(channel));
        return played;
    }

    static void RunAudioFrames(u32 count) {
        console::PollWaitUntil(console::ClockNow() + count * kAudioFrame);
    }
};
