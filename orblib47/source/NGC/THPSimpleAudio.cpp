// The movie's sound: at each audio DMA block the player names its own block and
// fills it with the movie's samples, resampled to 32 kHz and scaled by the volume
// ramp, over the sound system's block when there is one.
#include <algorithm>

#include "console/os.h"
#include "orblib47/source/NGC/THPSimpleInternal.h"

namespace thp {

namespace {

constexpr u32 kOutputRate = 32000;
constexpr u32 kOne = 0x10000;  // 1.0 in the resampler's 16.16 phase

s16* CurAudioBuffer;
s16* LastAudioBuffer;

// Gains on a square curve: entry i = 32768 i^2 / 127^2.
constexpr auto MakeVolumeTable() {
    std::array<u16, 128> table{};
    for (u32 i = 0; i < 128; ++i)
        table[i] = u16(32768 * i * i / 16129);
    return table;
}

// Moves the resampler on by one output frame; false when the movie's buffers
// have run dry.
bool NextFrame(s16 out[2]) {
    THPSimple& c = SimpleControl;
    THPResampler& r = c.resampler;
    while (r.phase >= kOne) {
        THPAudioBuffer& buffer = c.audioBuffer[c.audioOutputIndex];
        if (buffer.validSample == 0)
            return false;
        r.from[0] = r.to[0];
        r.from[1] = r.to[1];
        r.to[0] = buffer.curPtr[0];
        r.to[1] = buffer.curPtr[1];
        buffer.curPtr += 2;
        if (--buffer.validSample == 0)
            c.audioOutputIndex = (c.audioOutputIndex + 1) % THP_AUDIO_BUFFERS;
        r.phase -= kOne;
    }
    for (u32 ch = 0; ch < 2; ++ch)
        out[ch] = s16(r.from[ch] + ((s64(r.to[ch]) - r.from[ch]) * r.phase >> 16));
    r.phase += r.step;
    return true;
}

s16 Clamp16(s32 v) {
    return s16(std::clamp(v, -32768, 32767));
}

}  // namespace

const std::array<u16, 128> VolumeTable = MakeVolumeTable();

void THPResamplerReset() {
    THPSimple& c = SimpleControl;
    // Two samples are taken before the first output, which is the first sample.
    c.resampler = {{0, 0}, {0, 0}, 2 * kOne, 0};
    if (c.audioExist)
        c.resampler.step = u32((u64(c.audioInfo.sndFrequency) << 16) / kOutputRate);
}

void THPMixAudio(s16* dest, const s16* source, u32 frames) {
    THPSimple& c = SimpleControl;
    u32 i = 0;
    if (c.open && c.audioState && c.audioExist) {
        for (s16 sample[2]; i < frames && NextFrame(sample); ++i) {
            if (c.rampCount > 0) {
                --c.rampCount;
                c.curVolume += c.deltaVolume;
            } else {
                c.curVolume = c.targetVolume;
            }
            const s32 gain = VolumeTable[std::clamp(s32(c.curVolume), 0, 127)];
            for (u32 ch = 0; ch < 2; ++ch)
                dest[2 * i + ch] = Clamp16((gain * sample[ch] >> 15) + (source ? source[2 * i + ch] : 0));
        }
    }
    for (; i < frames; ++i)
        for (u32 ch = 0; ch < 2; ++ch)
            dest[2 * i + ch] = source ? source[2 * i + ch] : 0;
}

void THPAudioMixCallback() {
    if (AudioSystem != THP_MODE_ALONE) {
        OldAIDCallback();
        s16* produced = static_cast<s16*>(OSPhysicalToCached(AIGetDMAStartAddr()));
        if (AudioSystem == THP_MODE_WITH_AX) {
            CurAudioBuffer = LastAudioBuffer;
            LastAudioBuffer = produced;
        } else {
            CurAudioBuffer = produced;
        }
    }
    SoundBufferIndex ^= 1;
    s16* block = SoundBuffer + SoundBufferIndex * THP_DMA_FRAMES * 2;
    AIInitDMA(OSCachedToPhysical(block), THP_DMA_BYTES);
    const BOOL level = OSEnableInterrupts();
    if (CurAudioBuffer != nullptr)
        DCInvalidateRange(CurAudioBuffer, THP_DMA_BYTES);
    THPMixAudio(block, CurAudioBuffer, THP_DMA_FRAMES);
    DCFlushRange(block, THP_DMA_BYTES);
    OSRestoreInterrupts(level);
}

void THPAudioMixReset() {
    CurAudioBuffer = nullptr;
    LastAudioBuffer = nullptr;
}

}  // namespace thp
