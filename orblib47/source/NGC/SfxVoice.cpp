// Starting a sound of a bank on a channel: the voice's addresses, decoder state,
// rate and gains; and the changes a playing sound takes (volume, pitch, stop).
#include <cmath>
#include <cstring>

#include "console/ax.h"
#include "console/os.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Stream.h"
#include "orblib47/source/Sound.h"

namespace {

constexpr u32 kVoicePriority = 15;

// The 16.16 sample-rate ratio of a sound of `rate` Hz played at `pitch`.
u32 SrcRatio(f32 pitch, u32 rate) {
    const f64 scaled = std::floor(65536.0 * f64(pitch) * f64(rate));
    if (!(scaled > 0.0))
        return 0;  // a negative or not-a-number pitch holds the voice still
    return u32(std::fmin(std::floor(scaled / f64(AX_SAMPLE_RATE)), f64(0xFFFFFFFFu)));
}

// A speaker's gain; an invalid volume is silence.
u16 Gain(f32 volume) {
    const f32 gain = 32768.0f * volume * MasterVolume;
    if (!(volume >= 0.0001f && volume <= 1.0f) || !(gain > 0.0f))
        return 0;
    return u16(std::fmin(gain, 65535.0f));
}

s_sfx_bank* BankOfId(s32 id) {
    const u32 dataId = u32(id) >> 16;
    if (dataId == 0)
        return SfxDefaultBank;
    const s_DATA_ENTRY* entry = DataGetEntry(dataId);
    if (entry == nullptr || std::memcmp(entry->type, "SFX", 4) != 0) {
        DebugAssertWarn("0", __FILE_NAME__, __LINE__, "SfxPlayChannel: Sfx bank not loaded!\n");
        return nullptr;
    }
    return static_cast<s_sfx_bank*>(entry->addr);
}

s32 PlayChannel(s32 id, const s_VOLUME_MIX* mix, u32 priority, s32 channel, bool looped) {
    if (!AudioChannelValid(channel))
        return -1;
    s_channel_status& status = ChannelStatus[channel];
    ORB_ASSERT(status.header.stream == nullptr, "SfxPlayChannel: Channel %d carries a stream.\n", channel);
    s_sfx_bank* bank = BankOfId(id);
    if (bank == nullptr) {
        DebugAssertWarn("bank", __FILE_NAME__, __LINE__, "SfxPlayChannel: Sfx bank not loaded!\n");
        return -1;
    }
    const s32 index = id & 0xFFFF;
    if (index >= bank->numSfx) {
        DebugAssertWarn("id < bank->numSfx", __FILE_NAME__, __LINE__, "SfxPlayChannel: Invalid id!\n");
        return -1;
    }
    const s_sfx& sfx = bank->sfxList[index];
    if (sfx.aramHandle == nullptr) {
        DEBUG_PRINT("SfxPlayChannel: Sfx %d not loaded!\n", index);
        return -1;
    }
    s_channel_status_header& header = status.header;
    // The channel counts as in use only once its voice is set up, so that an audio
    // frame in the middle of the set-up leaves it alone.
    header.flags = looped ? CHANNEL_FLAG_LOOPED : 0;
    header.priority = u16(priority);
    header.volumeMix = *mix;
    header.volumeScale = SfxVolume;
    header.pitch = 1.0f;
    header.id = index;
    header.playFlags = 0;
    header.bank = bank;
    header.stream = nullptr;
    status.address = OSCachedToPhysical(sfx.aramHandle->address);
    status.sampleRate = sfx.pcmHeader->sampleRate;
    status.attack = status.decay = status.sustain = status.release = 0;
    status.adpcmHdr = sfx.pcmHeader;
    SfxVoiceSetup(&status, channel);
    header.flags |= CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_START_PENDING;
    return channel;
}

}  // namespace

void SfxMixToVoiceMix(const s_VOLUME_MIX* mix, AXPBMIX* voiceMix) {
    *voiceMix = {};
    if (AudioMode == AUDIO_MODE_MONO) {
        const u16 both = Gain((mix->volL + mix->volR) * 0.5f);
        voiceMix->vL = voiceMix->vR = both;
    } else {
        voiceMix->vL = Gain(mix->volL);
        voiceMix->vR = Gain(mix->volR);
    }
}

s32 SfxPlayChannel(s32 id, const s_VOLUME_MIX* mix, u32 priority, s32 channel) {
    return PlayChannel(id, mix, priority, channel, false);
}

s32 SfxPlayChannelLooped(s32 id, const s_VOLUME_MIX* mix, u32 priority, s32 channel) {
    return PlayChannel(id, mix, priority, channel, true);
}

void SfxVoiceSetup(s_channel_status* status, s32 channel) {
    if (!AudioEnabled) {
        status->voiceData = nullptr;
        return;
    }
    AXVPB* voice = status->voiceData;  // a stolen channel keeps its voice
    if (voice == nullptr)
        voice = AXAcquireVoice(kVoicePriority, SfxVoiceDropCallback, u32(channel));
    status->voiceData = voice;
    if (voice == nullptr)
        return;

    const s_pcm_header& pcm = *status->adpcmHdr;
    const u32 start = status->address * 2;  // nibbles
    AXPBADDR addr{};
    addr.format = AX_PB_FORMAT_ADPCM;
    addr.endAddress = start + pcm.ea;
    if (pcm.loopFlags != 0 || (status->header.flags & CHANNEL_FLAG_LOOPED) != 0) {
        addr.loopFlag = 1;
        addr.loopAddress = start + pcm.sa;
        addr.currentAddress = start;
    } else {
        // A one-shot runs on into silence until the mixer stops it at its end.
        addr.loopFlag = 0;
        addr.loopAddress = ARamZeroBuffer * 2 + 2;
        addr.currentAddress = start + 2;
    }
    AXPBADPCM adpcm{};
    for (u32 i = 0; i < 16; ++i)
        adpcm.a[i / 2][i % 2] = u16(pcm.coef[i]);
    adpcm.gain = pcm.gain;
    adpcm.pred_scale = pcm.ps;
    adpcm.yn1 = pcm.yn1;
    adpcm.yn2 = pcm.yn2;
    const AXPBADPCMLOOP loop = {pcm.lps, pcm.lyn1, pcm.lyn2};
    AXPBMIX mix;
    SfxMixToVoiceMix(&status->header.volumeMix, &mix);
    const u32 ratio = SrcRatio(status->header.pitch, status->sampleRate);
    AXPBSRC src{};
    src.ratioHi = u16(ratio >> 16);
    src.ratioLo = u16(ratio);

    AXSetVoiceType(voice, AX_PB_TYPE_NORMAL);
    AXSetVoiceAddr(voice, &addr);
    AXSetVoiceAdpcm(voice, &adpcm);
    AXSetVoiceAdpcmLoop(voice, &loop);
    AXSetVoiceMix(voice, &mix);
    AXSetVoiceVe(voice, &DefaultVoiceEnvelope);
    AXSetVoiceSrcType(voice, AX_SRC_TYPE_LINEAR);
    AXSetVoiceSrc(voice, &src);
}

void SfxVoiceOn(s_channel_status* status, s32) {
    if (status->voiceData != nullptr)
        AXSetVoiceState(status->voiceData, AX_PB_STATE_RUN);
}

void SfxStop(s32 channel) {
    if (!AudioChannelValid(channel))
        return;
    s_channel_status& status = ChannelStatus[channel];
    if (status.voiceData == nullptr) {
        AudioReleaseChannel(u32(channel));
        return;
    }
    status.header.flags |= CHANNEL_FLAG_STOP_REQUEST;
}

void SfxVoiceFree(s32 channel) {
    if (!AudioChannelValid(channel) || ChannelStatus[channel].voiceData == nullptr)
        return;
    s_channel_status& status = ChannelStatus[channel];
    if (AudioEnabled) {
        AXSetVoiceState(status.voiceData, AX_PB_STATE_STOP);
        AXFreeVoice(status.voiceData);
    }
    ORB_ASSERT(status.header.stream == nullptr, "SfxStop: Used to stop an active stream!\n");
    AudioReleaseChannel(u32(channel));
}

int SfxGetKeyStatus(s32 channel) {
    if (!AudioChannelValid(channel))
        return 0;
    const s_channel_status& status = ChannelStatus[channel];
    if (status.header.stream != nullptr)
        return StreamGetKeyStatus(status.header.stream);
    if (status.header.flags & CHANNEL_FLAG_START_PENDING)
        return 1;
    if (status.voiceData == nullptr)
        return 0;
    return status.voiceData->pb.state != AX_PB_STATE_STOP || (status.header.flags & CHANNEL_FLAG_PAUSED) != 0;
}

// The mix is kept even while the channel has no voice, so that a rescale of the
// sound-effect volume sees what the sound was asked to play at.
void SfxSetVolume(s32 channel, const s_VOLUME_MIX* mix) {
    if (!AudioChannelValid(channel))
        return;
    s_channel_status& status = ChannelStatus[channel];
    status.header.volumeMix = *mix;
    if (status.voiceData == nullptr)
        return;
    AXPBMIX voiceMix;
    SfxMixToVoiceMix(mix, &voiceMix);
    AXSetVoiceMix(status.voiceData, &voiceMix);
}

void SfxGetVolume(s32 channel, f32* left, f32* right) {
    if (!AudioChannelValid(channel)) {
        *left = *right = 0.0f;
        return;
    }
    *left = ChannelStatus[channel].header.volumeMix.volL;
    *right = ChannelStatus[channel].header.volumeMix.volR;
}

void SfxSetPitch(s32 channel, f32 pitch) {
    if (!AudioChannelValid(channel))
        return;
    s_channel_status& status = ChannelStatus[channel];
    if (status.voiceData == nullptr || status.header.pitch == pitch)
        return;
    status.header.pitch = pitch;
    if (AudioEnabled)
        AXSetVoiceSrcRatio(status.voiceData, f32(SrcRatio(pitch, status.sampleRate)) / 65536.0f);
}

void SfxEffectOn(s32) {}

void SfxEffectOff(s32) {}
