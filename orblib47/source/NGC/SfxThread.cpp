// The audio frame callback: each audio frame it carries out what the task side
// asked of the channels (start, pause, resume, stop) and gives back the channels of
// sounds that have ended. Also the voice-drop callback and the pause requests.
#include "console/ax.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/Stream.h"
#include "orblib47/source/Sound.h"

namespace {

// A pause this close to the end lets the sound go instead.
constexpr u32 kPauseMinBytesLeft = 4096;

constexpr u16 kPauseBlockers = CHANNEL_FLAG_START_PENDING | CHANNEL_FLAG_PAUSED | CHANNEL_FLAG_PAUSE_REQUEST |
                               CHANNEL_FLAG_RESUME_REQUEST | CHANNEL_FLAG_STREAM | CHANNEL_FLAG_STOP_REQUEST;
constexpr u16 kResumeBlockers =
    CHANNEL_FLAG_START_PENDING | CHANNEL_FLAG_PAUSE_REQUEST | CHANNEL_FLAG_STREAM | CHANNEL_FLAG_STOP_REQUEST;

bool NearEnd(const AXVPB* voice) {
    const u32 current = voice->pb.addr.currentAddress / 2;
    const u32 end = voice->pb.addr.endAddress / 2;
    return current >= end || end - current <= kPauseMinBytesLeft;
}

void Pause(s32 channel, AXVPB* voice) {
    if (voice->pb.state == AX_PB_STATE_RUN && !NearEnd(voice)) {
        AXSetVoiceState(voice, AX_PB_STATE_STOP);
        u16& flags = ChannelStatus[channel].header.flags;
        flags = u16((flags & ~CHANNEL_FLAG_PAUSE_REQUEST) | CHANNEL_FLAG_PAUSED);
    } else {
        SfxVoiceFree(channel);
    }
}

}  // namespace

void SfxThread() {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        s_channel_status& status = ChannelStatus[channel];
        u16& flags = status.header.flags;
        if ((flags & CHANNEL_FLAG_LOCKED) != 0 || (flags & CHANNEL_FLAG_IN_USE) == 0)
            continue;
        if (flags & CHANNEL_FLAG_STREAM) {
            StreamProcess(channel);
            continue;
        }
        AXVPB* voice = status.voiceData;
        if (voice == nullptr) {
            // No voice was had (or audio is off): the sound can never be heard.
            AudioReleaseChannel(u32(channel));
        } else if (flags & CHANNEL_FLAG_START_PENDING) {
            flags &= u16(~CHANNEL_FLAG_START_PENDING);
            SfxVoiceOn(&status, channel);
        } else if (flags & CHANNEL_FLAG_STOP_REQUEST) {
            SfxVoiceFree(channel);
        } else if (flags & CHANNEL_FLAG_PAUSE_REQUEST) {
            Pause(channel, voice);
        } else if (flags & CHANNEL_FLAG_RESUME_REQUEST) {
            AXSetVoiceState(voice, AX_PB_STATE_RUN);
            flags &= u16(~CHANNEL_FLAG_RESUME_REQUEST);
        } else if (SfxGetKeyStatus(channel) == 0) {
            SfxVoiceFree(channel);
        }
    }
}

void SfxVoiceDropCallback(void* vpb) {
    auto* voice = static_cast<AXVPB*>(vpb);
    const s32 channel = s32(voice->userContext);
    if (!AudioChannelValid(channel))
        return;
    ChannelStatus[channel].header.flags |= CHANNEL_FLAG_DROPPED;
    DEBUG_PRINT("PVPB %.8x is being dropped context %d\n", voice->index, channel);
    AudioReleaseChannel(u32(channel));
}

void SfxPause() {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        s_channel_status& status = ChannelStatus[channel];
        const u16 flags = status.header.flags;
        if ((flags & CHANNEL_FLAG_IN_USE) == 0 || (flags & kPauseBlockers) != 0)
            continue;
        if (status.voiceData != nullptr)
            status.header.flags |= CHANNEL_FLAG_PAUSE_REQUEST;
        else
            AudioReleaseChannel(u32(channel));
    }
}

void SfxResume() {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        s_channel_status& status = ChannelStatus[channel];
        const u16 flags = status.header.flags;
        if ((flags & CHANNEL_FLAG_IN_USE) == 0 || (flags & CHANNEL_FLAG_PAUSED) == 0 ||
            (flags & kResumeBlockers) != 0)
            continue;
        if (status.voiceData != nullptr)
            status.header.flags = u16((flags & ~CHANNEL_FLAG_PAUSED) | CHANNEL_FLAG_RESUME_REQUEST);
        else
            AudioReleaseChannel(u32(channel));
    }
}
