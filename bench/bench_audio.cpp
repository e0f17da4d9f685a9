// The voice mixer at full load: 64 looping DSP-ADPCM voices at assorted pitches,
// one second of 32 kHz audio (334 frames) per iteration, so the time of one
// iteration in milliseconds, divided by 10, is the percentage of one core that
// mixing in real time costs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "console/ax.h"
#include "console/ax/ax_control.h"
#include "console/os.h"
#include "console/system.h"
#include "tools/discbuild/DspAdpcm.h"

namespace {

void BM_MixSecond64AdpcmVoices(benchmark::State& state) {
    HostConfig config;
    config.mem1Size = 1024 * 1024;
    config.mem2Size = 1024 * 1024;
    HostInit(config);
    // Half a second of a chord, looped from its start.
    std::vector<s16> pcm(16000);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = s16(6000 * (std::sin(i * 0.0863) + std::sin(i * 0.1291) + std::sin(i * 0.2177)));
    const discbuild::DspAdpcmSound sound = discbuild::DspAdpcmEncode(pcm, 32000, 0u);
    u8* data = static_cast<u8*>(OSGetMEM2ArenaLo());
    std::memcpy(data, sound.data.data(), sound.data.size());
    const u32 start = 2 * OSCachedToPhysical(data);

    std::vector<AXVPB> voices(AX_MAX_VOICES);
    for (u32 v = 0; v < AX_MAX_VOICES; ++v) {
        AXPB& pb = voices[v].pb;
        pb.state = AX_PB_STATE_RUN;
        pb.addr = {1, AX_PB_FORMAT_ADPCM, start + sound.header.sa, start + sound.header.ea,
                   start + sound.header.ca};
        for (u32 i = 0; i < 16; ++i)
            pb.adpcm.a[i / 2][i % 2] = u16(sound.header.coef[i]);
        pb.adpcm.pred_scale = sound.header.ps;
        pb.adpcmLoop.loop_pred_scale = sound.header.lps;
        pb.mix.vL = u16(0x0400 + v * 0x80);
        pb.mix.vR = u16(0x2400 - v * 0x80);
        pb.ve.currentVolume = 0x8000;
        pb.srcSelect = AX_SRC_TYPE_LINEAR;
        const u32 ratio = 0x8000 + v * 0x0400;  // 0.5 .. 1.5
        pb.src.ratioHi = u16(ratio >> 16);
        pb.src.ratioLo = u16(ratio);
    }
    constexpr u32 kFramesPerSecond = (AX_SAMPLE_RATE + AX_FRAME_SAMPLES - 1) / AX_FRAME_SAMPLES;
    s16 out[AX_FRAME_SAMPLES * 2];
    for (auto _ : state) {
        for (u32 f = 0; f < kFramesPerSecond; ++f) {
            console::AXMixFrame(voices.data(), AX_MAX_VOICES, out);
            benchmark::DoNotOptimize(out);
        }
    }
    HostShutdown();
}
BENCHMARK(BM_MixSecond64AdpcmVoices)->Unit(benchmark::kMillisecond);

}  // namespace
