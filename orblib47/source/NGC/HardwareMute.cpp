// Silencing the sound channels while a disc error shows. A channel's whole mix is
// saved when it is muted here and given back only to the same sound: a channel
// that was silent already, or that another sound took meanwhile, is left alone.
#include <algorithm>

#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/HardwareInternal.h"
#include "orblib47/source/Sound.h"

namespace {

struct s_muted_channel {
    bool muted;
    s_VOLUME_MIX mix;
    // Which sound the mix belongs to.
    s32 id;
    s_sfx_bank* bank;
    s_stream* stream;
};

s_muted_channel ChannelVolumes[AUDIO_CHANNEL_COUNT];
s32 MuteLock = 0;

bool InUse(s32 channel) {
    return (ChannelStatus[channel].header.flags & CHANNEL_FLAG_IN_USE) != 0;
}

bool SameSound(const s_muted_channel& saved, const s_channel_status_header& header) {
    return saved.id == header.id && saved.bank == header.bank && saved.stream == header.stream;
}

bool Audible(const s_VOLUME_MIX& mix) {
    const f32 values[] = {mix.volL, mix.volR, mix.volC, mix.volLS, mix.volRS, mix.volLFE};
    return std::any_of(std::begin(values), std::end(values), [](f32 v) { return v != 0.0f; });
}

}  // namespace

void HardwareMuteForget() {
    for (s_muted_channel& saved : ChannelVolumes)
        saved = s_muted_channel{};
    MuteLock = 0;
}

void HardwareMuteAllChannels() {
    static const s_VOLUME_MIX kSilence{};
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        if (!InUse(channel))
            continue;
        s_muted_channel& saved = ChannelVolumes[channel];
        const s_channel_status_header& header = ChannelStatus[channel].header;
        if (saved.muted && !SameSound(saved, header))
            saved.muted = false;
        // Silent (by us or by the game): keep what was saved. A mix set since, or
        // one the channel did not take, is saved again.
        if (!Audible(header.volumeMix))
            continue;
        saved = {true, header.volumeMix, header.id, header.bank, header.stream};
        SfxSetVolume(channel, &kSilence);
    }
}

void HardwareUnMuteAllChannels() {
    if (MuteLock != 0)
        return;
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        s_muted_channel& saved = ChannelVolumes[channel];
        if (saved.muted && InUse(channel) && SameSound(saved, ChannelStatus[channel].header))
            SfxSetVolume(channel, &saved.mix);
        saved.muted = false;
    }
}

void HardwareSetMuteLock(s32 on) {
    MuteLock = on;
}
