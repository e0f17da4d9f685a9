// The audio front end: start-up of the sound hardware, the channel table, and
// pausing everything that plays.
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Sound.h"

f32 MasterVolume = 0.22f;
s32 AudioEnabled = 1;
e_AUDIO_MODE AudioMode = AUDIO_MODE_STEREO;
s_stdrec* ChannelQueue = nullptr;
s_channel_status ChannelStatus[AUDIO_CHANNEL_COUNT];

e_error_code AudioColdReset() {
    MasterVolume = 0.22f;
    AudioEnabled = 1;
    ChannelQueue = nullptr;
    for (s_channel_status& status : ChannelStatus) {
        status = {};
        status.header.id = -1;
    }
    return AudioHardwareColdReset();
}

e_error_code AudioWarmReset(u32 a, u32 b) {
    ChannelQueue = RecordCreate(AUDIO_CHANNEL_COUNT, sizeof(s_channel_queue_elem));
    HeapAddrAddComment(ChannelQueue, "AudioWarmReset:ChannelQueue");
    ChannelQueue->next = ChannelQueue->prev = nullptr;
    for (u32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        AudioChannelQueueAdd(channel);
    return AudioHardwareWarmReset(a, b);
}

void AudioExit() {}

void AudioPause() {
    SfxPause();
    OrbStreamManager.Pause();
}

void AudioResume() {
    OrbStreamManager.Resume();
    SfxResume();
}
