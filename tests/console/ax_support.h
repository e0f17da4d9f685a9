// Voices of the mixer tests: sample data placed in MEM2 and a voice that plays it
// at unity gain, mixed frame by frame.
#pragma once

#include <cstring>
#include <vector>

#include "console/ax.h"
#include "console/ax/ax_control.h"
#include "console/os.h"
#include "tests/console/support.h"

// Copies bytes to MEM2 at `offset` and returns their physical byte address.
inline u32 PutSampleBytes(const void* bytes, size_t size, u32 offset = 0) {
    u8* at = static_cast<u8*>(OSGetMEM2ArenaLo()) + offset;
    std::memcpy(at, bytes, size);
    return OSCachedToPhysical(at);
}

// A running voice at unity envelope and left/right gain, one input sample per
// output sample.
inline AXVPB UnityVoice(u16 format, u32 current, u32 end) {
    AXVPB voice{};
    voice.priority = AX_PRIORITY_LOWEST;
    voice.pb.state = AX_PB_STATE_RUN;
    voice.pb.addr.format = format;
    voice.pb.addr.currentAddress = current;
    voice.pb.addr.endAddress = end;
    voice.pb.mix.vL = 0x8000;
    voice.pb.mix.vR = 0x8000;
    voice.pb.ve.currentVolume = 0x8000;
    voice.pb.srcSelect = AX_SRC_TYPE_NONE;
    voice.pb.src.ratioHi = 1;
    return voice;
}

// Mixes `frames` audio frames of the voices; returns the stereo samples.
inline std::vector<s16> MixFrames(AXVPB* voices, u32 count, u32 frames) {
    std::vector<s16> out(size_t(frames) * AX_FRAME_SAMPLES * 2);
    for (u32 f = 0; f < frames; ++f)
        console::AXMixFrame(voices, count, out.data() + size_t(f) * AX_FRAME_SAMPLES * 2);
    return out;
}

inline std::vector<s16> Channel(const std::vector<s16>& stereo, int channel) {
    std::vector<s16> out;
    for (size_t i = channel; i < stereo.size(); i += 2)
        out.push_back(stereo[i]);
    return out;
}
