// The engine's sound: the audio front end and its 32 sound channels, sound banks
// and the voices that play them, and the sound-effect interface every caller
// uses. Disc streams (NGC/Stream.h) share the channels and the audio frame
// callback.
#pragma once

#include "console/ax.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

struct s_DATA_ENTRY;
struct s_mem_handle;
struct s_stream;

constexpr s32 AUDIO_CHANNEL_COUNT = 32;

inline bool AudioChannelValid(s32 channel) {
    return channel >= 0 && channel < AUDIO_CHANNEL_COUNT;
}

// A six-speaker mix. A value is valid (audible) in [0.0001, 1.0]; anything else,
// not-a-number included, is silence for that speaker.
struct s_VOLUME_MIX {
    f32 volL;
    f32 volR;
    f32 volC;
    f32 volLS;
    f32 volRS;
    f32 volLFE;
};

enum e_AUDIO_MODE : u32 {
    AUDIO_MODE_MONO = 0,
    AUDIO_MODE_STEREO = 1,
    AUDIO_MODE_PRO_LOGIC = 2,
    AUDIO_MODE_PRO_LOGIC_2 = 3,
    AUDIO_MODE_DOLBY_DIGITAL = 4,
    AUDIO_MODE_DTS = 5,
    AUDIO_MODE_COUNT = 6,
    AUDIO_MODE_INVALID = 0x7FFFFFFF,
};

// u_AUDIO_PLAY_FLAGS: single bits from the most significant.
constexpr u32 AUDIO_PLAY_IS_LOOPED = 0x80000000u;
constexpr u32 AUDIO_PLAY_DISABLE_EFFECTS = 0x40000000u;
constexpr u32 AUDIO_PLAY_DISABLE_PITCH_OFFSET = 0x20000000u;

// A channel's state bits.
constexpr u16 CHANNEL_FLAG_IN_USE = 0x8000;
constexpr u16 CHANNEL_FLAG_START_PENDING = 0x4000;
constexpr u16 CHANNEL_FLAG_LOCKED = 0x2000;
constexpr u16 CHANNEL_FLAG_LOOPED = 0x1000;
constexpr u16 CHANNEL_FLAG_STREAM = 0x0800;
constexpr u16 CHANNEL_FLAG_PAUSED = 0x0400;
constexpr u16 CHANNEL_FLAG_PAUSE_REQUEST = 0x0040;
constexpr u16 CHANNEL_FLAG_RESUME_REQUEST = 0x0020;
constexpr u16 CHANNEL_FLAG_STOP_REQUEST = 0x0010;
constexpr u16 CHANNEL_FLAG_DROPPED = 0x0001;

struct s_sfx_bank;

struct s_channel_status_header {
    u32 playFlags;  // AUDIO_PLAY_*
    u16 flags;      // CHANNEL_FLAG_*
    u16 priority;
    s_VOLUME_MIX volumeMix;
    f32 volumeScale;
    f32 pitch;
    s32 id;  // index of the sound in its bank; -1 when never played
    s_sfx_bank* bank;
    s_stream* stream;
    void (*freeCallback)(void* parm);
    void* freeCallbackParm;
};

struct s_pcm_header;

struct s_channel_status {
    s_channel_status_header header;
    u16 attack, decay, sustain, release;
    u32 sampleRate;
    AXVPB* voiceData;
    u32 address;  // physical address of the sample data
    const s_pcm_header* adpcmHdr;
};

// An entry of the free-channel queue; the queue is the pool's own list.
struct s_channel_queue_elem : s_linked_list {
    u32 chID;
};

// ---- Audio.cpp, AudioChannel.cpp, AudioMix.cpp: the front end and the channels

extern f32 MasterVolume;
extern s32 AudioEnabled;
extern e_AUDIO_MODE AudioMode;
extern s_stdrec* ChannelQueue;
extern s_channel_status ChannelStatus[AUDIO_CHANNEL_COUNT];
extern u32 ARamZeroBuffer;  // physical address of 256 bytes of silence
extern AXPBVE DefaultVoiceEnvelope;

e_error_code AudioColdReset();
e_error_code AudioHardwareColdReset();
e_error_code AudioWarmReset(u32 a, u32 b);
e_error_code AudioHardwareWarmReset(u32 a, u32 b);
void AudioExit();
void AudioPause();
void AudioResume();

s32 AudioAllocChannel(u32 priority);
void AudioFreeChannel(u32 channel);
// Frees the channel and clears its state and voice (a voice it had is the caller's
// concern: already freed, or taken away by the mixer).
void AudioReleaseChannel(u32 channel);
s_channel_queue_elem* AudioChannelQueueAdd(u32 channel);
void AudioChannelQueueFree(s_channel_queue_elem* elem);
int AudioQueueChannelExists(u32 channel);

void AudioSetValidVolumeMix(s_VOLUME_MIX* mix);
void AudioSetVolumeMixOffset(s_VOLUME_MIX* mix, f32 offset);
void AudioSetVolumeMixScale(s_VOLUME_MIX* mix, f32 scale);
int AudioCheckVolumeMix(const s_VOLUME_MIX* mix);

// ---- NGC/Sfx*.cpp: sound banks, voices and the audio frame callback

// The standard DSP-ADPCM sound header, 96 bytes big-endian on disc; native here.
struct s_pcm_header {
    u32 numSamples;
    u32 numADPCMNibbles;
    u32 sampleRate;
    u16 loopFlags;
    u16 format;
    u32 sa;  // loop start, nibbles from the sample data
    u32 ea;  // end, nibbles from the sample data
    u32 ca;
    s16 coef[16];  // eight signed 4.11 coefficient pairs
    u16 gain;
    u16 ps;
    u16 yn1;
    u16 yn2;
    u16 lps;
    u16 lyn1;
    u16 lyn2;
    u16 pad[11];
};
constexpr u32 PCM_HEADER_SIZE = 96;

// Reads a 96-byte big-endian header; false when `size` is short.
bool PcmHeaderRead(const u8* data, u32 size, s_pcm_header* header);

struct s_sfx {
    s_pcm_header* pcmHeader;
    s_mem_handle* aramHandle;  // the samples in audio-readable memory, or null
    u32 pitch;                 // carried, not used
    u32 size;                  // header and samples in the file
    const char* name;
};

struct s_sfx_bank {
    s_DATA_ENTRY* dataEntry;
    s32 numSfx;
    s_sfx* sfxList;
};

// Takes over `buffer` (a heap block of `size` bytes). Null for a bad bank, after a
// one-line "SfxLoad: ..." message.
s_sfx_bank* SfxLoad(const char* name, void* buffer, u32 size);
// With the last reference, the bank's sounds stop and its samples are freed.
void SfxFree(s_sfx_bank* bank);
s_mem_handle* SfxTransferToARAM(const void* header, u32 size);
s_mem_handle* SfxAllocARAM(u32 size);

s32 SfxPlayChannel(s32 id, const s_VOLUME_MIX* mix, u32 priority, s32 channel);
s32 SfxPlayChannelLooped(s32 id, const s_VOLUME_MIX* mix, u32 priority, s32 channel);
void SfxVoiceSetup(s_channel_status* status, s32 channel);
void SfxVoiceOn(s_channel_status* status, s32 channel);
void SfxStop(s32 channel);
void SfxVoiceFree(s32 channel);
int SfxGetKeyStatus(s32 channel);
void SfxSetVolume(s32 channel, const s_VOLUME_MIX* mix);
void SfxGetVolume(s32 channel, f32* left, f32* right);
void SfxSetPitch(s32 channel, f32 pitch);
void SfxPause();
void SfxResume();
void SfxEffectOn(s32 channel);
void SfxEffectOff(s32 channel);

// The audio frame callback and the voice-drop callback of sound-effect voices.
void SfxThread();
void SfxVoiceDropCallback(void* voice);
// The voice's left/right gains for a mix, by AudioMode and MasterVolume.
void SfxMixToVoiceMix(const s_VOLUME_MIX* mix, AXPBMIX* voiceMix);

// ---- SfxPlay.cpp: the sound-effect interface

extern f32 SfxVolume;
extern f32 SfxPitchOffset;
extern s_sfx_bank* SfxDefaultBank;

// The sound-effect volume (1.0) and pitch offset (0) of a fresh start.
void SfxColdReset();
e_error_code SfxWarmReset();
s_sfx_bank* SfxSetDefaultBank(s_sfx_bank* bank);
s32 SfxPlay(s32 id, const s_VOLUME_MIX* mix, u32 priority);
s32 SfxPlayLooped(s32 id, const s_VOLUME_MIX* mix, u32 priority);
void SfxStopChannel(s32 channel);
void SfxStopAll();
bool SfxIsPlaying(s32 channel);
s32 SfxGetId(s32 channel);
bool SfxIsSameBank(s32 id, s32 channel);
bool SfxIsIdPlaying(s32 id, s32 channel);
f32 SfxGetPitch(s32 channel);
void SfxSetSfxVolume(f32 volume);
