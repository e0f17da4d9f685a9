// AX: the console's audio voice mixer. 64 voices play sample data from main
// memory (DSP-ADPCM or 16-bit PCM, addressed in samples or nibbles of physical
// memory, see OSCachedToPhysical), each through a sample-rate converter, an
// envelope and a left/right gain, into one stereo output at 32 kHz. The mixer runs
// once per audio frame (3 ms, 96 stereo samples), driven by the AI's DMA: the user
// callback runs first (so what it sets takes effect in that frame), then the
// voices are mixed and the block is queued for output.
#pragma once

#include "console/types.h"

constexpr u32 AX_MAX_VOICES = 64;
constexpr u32 AX_SAMPLE_RATE = 32000;
constexpr u32 AX_FRAME_SAMPLES = 96;  // stereo samples per audio frame

// Voice priorities: 1 lowest .. 31 (never dropped); 0 marks a free voice.
constexpr u32 AX_PRIORITY_FREE = 0;
constexpr u32 AX_PRIORITY_LOWEST = 1;
constexpr u32 AX_PRIORITY_NODROP = 31;

constexpr u16 AX_PB_STATE_STOP = 0;
constexpr u16 AX_PB_STATE_RUN = 1;

constexpr u16 AX_PB_TYPE_NORMAL = 0;
constexpr u16 AX_PB_TYPE_STREAM = 1;  // a ring the caller refills: looping never resets the decoder

constexpr u16 AX_PB_FORMAT_ADPCM = 0x00;  // addresses in nibbles
constexpr u16 AX_PB_FORMAT_PCM16 = 0x0A;  // addresses in 16-bit samples (host byte order)

constexpr u16 AX_SRC_TYPE_NONE = 0;    // one output sample per input sample
constexpr u16 AX_SRC_TYPE_LINEAR = 1;  // linear interpolation by the ratio

struct AXPBADDR {
    u16 loopFlag;  // 1: at the end address, go on at the loop address
    u16 format;    // AX_PB_FORMAT_*
    u32 loopAddress;
    u32 endAddress;      // the last nibble (or sample) played
    u32 currentAddress;  // the next nibble (or sample) to decode
};

// The DSP-ADPCM decoder state: eight coefficient pairs (signed 4.11 fixed point,
// stored as their 16-bit patterns), the gain, the predictor/scale byte and the two
// previous output samples.
struct AXPBADPCM {
    u16 a[8][2];
    u16 gain;
    u16 pred_scale;
    u16 yn1;
    u16 yn2;
};

// Decoder state loaded when a voice jumps to its loop address (normal voices).
struct AXPBADPCMLOOP {
    u16 loop_pred_scale;
    u16 loop_yn1;
    u16 loop_yn2;
};

// Gains, 0x8000 = unity; each gain moves by its delta per sample. Only the main
// left and right reach the output; the auxiliary and surround sends are kept.
struct AXPBMIX {
    u16 vL, vDeltaL, vR, vDeltaR;
    u16 vAuxAL, vDeltaAuxAL, vAuxAR, vDeltaAuxAR;
    u16 vAuxBL, vDeltaAuxBL, vAuxBR, vDeltaAuxBR;
    u16 vS, vDeltaS, vAuxAS, vDeltaAuxAS, vAuxBS, vDeltaAuxBS;
};

// The envelope: a volume (0x8000 = unity) that moves by delta per sample.
struct AXPBVE {
    u16 currentVolume;
    s16 currentDelta;
};

// The sample-rate converter: ratio 16.16 fixed point (0x00010000 = one input sample
// per output sample; above 8.0 it plays as 8.0), the fraction of the position and
// the last input samples (last_samples[0] the newest).
struct AXPBSRC {
    u16 ratioHi;
    u16 ratioLo;
    u16 currentAddressFrac;
    u16 last_samples[4];
};

struct AXPB {
    u16 state;  // AX_PB_STATE_*
    u16 type;   // AX_PB_TYPE_*
    u16 srcSelect;
    AXPBMIX mix;
    AXPBVE ve;
    AXPBADDR addr;
    AXPBADPCM adpcm;
    AXPBSRC src;
    AXPBADPCMLOOP adpcmLoop;
};

struct AXVPB;
// Called when a voice is taken away for a voice of higher priority.
using AXVoiceCallback = void (*)(void* vpb);
// The audio frame callback.
using AXUserCallback = void (*)();

// A voice. Readers may look at pb (state, addresses) at any time; only the calls
// below change it.
struct AXVPB {
    u32 index;     // 0..63
    u32 priority;  // AX_PRIORITY_FREE when not acquired
    u32 userContext;
    AXVoiceCallback callback;
    AXPB pb;
};

void AXInit();
void AXQuit();
// Returns the callback that was registered before.
AXUserCallback AXRegisterCallback(AXUserCallback callback);

// A free voice, else the voice of lowest priority below `priority` (the most
// recently acquired of equals), whose owner's callback is called first; null when
// every voice has this priority or more. The voice comes back stopped and zeroed.
AXVPB* AXAcquireVoice(u32 priority, AXVoiceCallback callback, u32 userContext);
void AXFreeVoice(AXVPB* voice);
void AXSetVoicePriority(AXVPB* voice, u32 priority);

void AXSetVoiceState(AXVPB* voice, u16 state);
void AXSetVoiceType(AXVPB* voice, u16 type);
void AXSetVoiceAddr(AXVPB* voice, const AXPBADDR* addr);
void AXSetVoiceAdpcm(AXVPB* voice, const AXPBADPCM* adpcm);
void AXSetVoiceAdpcmLoop(AXVPB* voice, const AXPBADPCMLOOP* loop);
void AXSetVoiceMix(AXVPB* voice, const AXPBMIX* mix);
void AXSetVoiceVe(AXVPB* voice, const AXPBVE* ve);
void AXSetVoiceSrcType(AXVPB* voice, u32 type);
void AXSetVoiceSrc(AXVPB* voice, const AXPBSRC* src);
// The ratio update: the new ratio takes effect from the next audio frame.
void AXSetVoiceSrcRatio(AXVPB* voice, f32 ratio);
void AXSetVoiceLoop(AXVPB* voice, u16 loop);
void AXSetVoiceLoopAddr(AXVPB* voice, u32 address);
void AXSetVoiceEndAddr(AXVPB* voice, u32 address);
void AXSetVoiceCurrentAddr(AXVPB* voice, u32 address);
