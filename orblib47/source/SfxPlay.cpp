// The sound-effect interface: play a sound by symbol id on a channel of its own,
// stop it, ask after it, and the global sound-effect volume.
#include <initializer_list>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/SymbolTrans.h"

f32 SfxVolume = 1.0f;
f32 SfxPitchOffset = 0.0f;
s_sfx_bank* SfxDefaultBank = nullptr;

namespace {

constexpr f32 kMinSfxVolume = 0.0001f;

// The sound id a symbol stands for; -1 when it stands for none.
s32 Translate(s32 symbol) {
    u32 real = 0;
    if (SymbolTransLookup(u32(symbol) & 0x7FFFFFFFu, &real) != RET_NO_ERROR)
        return -1;
    return s32(real);
}

s32 Play(s32 id, const s_VOLUME_MIX* mix, u32 priority, bool looped) {
    if (id == -1 || (u32(id) & 0x80000000u) == 0)
        return -1;
    const s32 real = Translate(id);
    if (real == -1)
        return -1;
    s_VOLUME_MIX scaled = *mix;
    for (f32* value :
         {&scaled.volL, &scaled.volR, &scaled.volC, &scaled.volLS, &scaled.volRS, &scaled.volLFE})
        *value *= SfxVolume;
    const s32 channel = AudioAllocChannel(priority);
    if (channel == -1) {
        if (priority != 0)
            DEBUG_PRINT(looped ? "SfxPlayLooped: Unable to allocate sfx channel for sfx number %d.\n"
                               : "SfxPlay: Unable to allocate sfx channel for sfx number %d.\n",
                        real);
        return -1;
    }
    const s32 played = looped ? SfxPlayChannelLooped(real, &scaled, priority, channel)
                              : SfxPlayChannel(real, &scaled, priority, channel);
    if (played == -1) {
        // A stolen channel's old sound goes with it.
        if (ChannelStatus[channel].voiceData != nullptr)
            SfxVoiceFree(channel);
        else
            AudioFreeChannel(u32(channel));
        return -1;
    }
    return channel;
}

}  // namespace

void SfxColdReset() {
    SfxVolume = 1.0f;
    SfxPitchOffset = 0.0f;
}

e_error_code SfxWarmReset() {
    SfxDefaultBank = nullptr;  // it lived in the heap that was just made anew
    return RET_NO_ERROR;
}

s_sfx_bank* SfxSetDefaultBank(s_sfx_bank* bank) {
    s_sfx_bank* previous = SfxDefaultBank;
    SfxDefaultBank = bank;
    return previous;
}

s32 SfxPlay(s32 id, const s_VOLUME_MIX* mix, u32 priority) {
    return Play(id, mix, priority, false);
}

s32 SfxPlayLooped(s32 id, const s_VOLUME_MIX* mix, u32 priority) {
    return Play(id, mix, priority, true);
}

void SfxStopChannel(s32 channel) {
    if (AudioChannelValid(channel) && ChannelStatus[channel].header.stream == nullptr)
        SfxStop(channel);
}

void SfxStopAll() {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        if (SfxIsPlaying(channel))
            SfxStopChannel(channel);
    }
}

bool SfxIsPlaying(s32 channel) {
    return AudioChannelValid(channel) && (ChannelStatus[channel].header.flags & CHANNEL_FLAG_IN_USE) != 0;
}

s32 SfxGetId(s32 channel) {
    return AudioChannelValid(channel) ? ChannelStatus[channel].header.id : 0;
}

bool SfxIsSameBank(s32 id, s32 channel) {
    if (!AudioChannelValid(channel))
        return false;
    const u32 dataId = u32(id) >> 16;
    const void* bank = dataId == 0 ? SfxDefaultBank : DataGetAddr(dataId);
    return ChannelStatus[channel].header.bank == bank;
}

bool SfxIsIdPlaying(s32 id, s32 channel) {
    if (u32(id) & 0x80000000u)
        id = Translate(id);
    if (id == -1 || !AudioChannelValid(channel))
        return false;
    return (id & 0xFFFF) == SfxGetId(channel) && SfxIsSameBank(id, channel) && SfxIsPlaying(channel);
}

f32 SfxGetPitch(s32 channel) {
    return AudioChannelValid(channel) ? ChannelStatus[channel].header.pitch : 1.0f;
}

// Playing effects follow the new volume, each from the volume it was last set for:
// a sound that played through a mute comes back at its level when the volume does.
void SfxSetSfxVolume(f32 volume) {
    if (volume > kMinSfxVolume) {
        for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
            s_channel_status_header& header = ChannelStatus[channel].header;
            if ((header.flags & CHANNEL_FLAG_IN_USE) == 0 || header.stream != nullptr)
                continue;
            s_VOLUME_MIX mix = header.volumeMix;
            for (f32* value : {&mix.volL, &mix.volR, &mix.volC, &mix.volLS, &mix.volRS, &mix.volLFE})
                *value = volume * (*value / header.volumeScale);
            header.volumeScale = volume;
            SfxSetVolume(channel, &mix);
        }
    }
    SfxVolume = volume > kMinSfxVolume ? volume : kMinSfxVolume;
}
