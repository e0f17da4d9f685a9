// The movie player's record and module state, shared by its reader, decoder and
// audio mixer (and tests).
#pragma once

#include <array>

#include "console/ai.h"
#include "orblib47/source/NGC/THPSimple.h"

struct THPReadBuffer {
    u8* ptr;
    s32 frameNumber;
    BOOL isValid;
    u32 size;  // bytes read into it
};

struct THPTextureSet {
    u8* ytexture;
    u8* utexture;
    u8* vtexture;
    s32 frameNumber;  // of the picture in them, -1 = none
};

struct THPAudioBuffer {
    s16* buffer;  // interleaved stereo
    s16* curPtr;
    u32 validSample;  // stereo frames left from curPtr
};

// Linear interpolation from the movie's rate to the DMA's 32 kHz: the output lies
// `phase` (16.16) of the way from `from` to `to`.
struct THPResampler {
    s16 from[2];
    s16 to[2];
    u32 phase;
    u32 step;  // 16.16 source samples per output sample
};

struct THPSimple {
    DVDFileInfo fileInfo;
    THPHeader header;
    THPFrameCompInfo compInfo;
    THPVideoInfo videoInfo;
    THPAudioInfo audioInfo;
    u8* thpWork;
    BOOL open;
    u8 preFetchState;
    u8 audioState;
    u8 loop;
    u8 audioExist;
    s32 curOffset;
    BOOL dvdError;
    BOOL readProgress;
    s32 nextDecodeIndex;
    s32 readIndex;
    s32 readSize;
    s32 totalReadFrame;
    f32 curVolume;  // 0..127
    f32 targetVolume;
    f32 deltaVolume;
    s32 rampCount;
    THPReadBuffer readBuffer[THP_READ_BUFFERS];
    THPTextureSet textureSet;
    THPAudioBuffer audioBuffer[THP_AUDIO_BUFFERS];
    s32 audioDecodeIndex;
    s32 audioOutputIndex;
    THPResampler resampler;
};

namespace thp {

extern THPSimple SimpleControl;
extern BOOL Initialized;
extern s32 AudioSystem;
// The audio DMA block size: 96 stereo frames of 16-bit samples.
constexpr u32 THP_DMA_FRAMES = 96;
constexpr u32 THP_DMA_BYTES = THP_DMA_FRAMES * 4;
extern s16* SoundBuffer;  // two DMA blocks, one after the other
extern s32 SoundBufferIndex;
extern AIDCallback OldAIDCallback;  // the audio DMA callback in place before
extern const std::array<u16, 128> VolumeTable;

// The audio DMA callback (interrupt level).
void THPAudioMixCallback();
// Mixes `frames` stereo frames of the movie's sound over `source` (null: silence).
void THPMixAudio(s16* dest, const s16* source, u32 frames);
// Starts the resampler over at the movie's rate.
void THPResamplerReset();
// Forgets the sound system's blocks (no source until it produces one).
void THPAudioMixReset();

// Starts the next read of the chain when a buffer is free (interrupts disabled by
// the caller or at interrupt level).
void THPReadFrameAsync();
// Reads the frame at curOffset into the next read buffer and advances the reader;
// false on a failed read or a frame whose next size does not fit.
bool THPReadFrameSync();

}  // namespace thp
