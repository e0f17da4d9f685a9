// The 32 sound channels: a first-in first-out queue of free channels, and stealing
// the lowest-priority sound when none is free.
#include "orblib47/source/Debug.h"
#include "orblib47/source/Sound.h"

namespace {

constexpr u32 kNoPriority = 0xFFFF;  // above every stealable sound

s_channel_queue_elem* QueueHead() {
    return ChannelQueue != nullptr ? static_cast<s_channel_queue_elem*>(ChannelQueue->next) : nullptr;
}

}  // namespace

s_channel_queue_elem* AudioChannelQueueAdd(u32 channel) {
    auto* elem =
        ChannelQueue != nullptr ? static_cast<s_channel_queue_elem*>(RecordAlloc(ChannelQueue)) : nullptr;
    if (elem == nullptr)
        return nullptr;
    *elem = {};
    elem->chID = channel;
    RecordAppendList(ChannelQueue, elem);
    ChannelStatus[channel].header.freeCallback = nullptr;
    ChannelStatus[channel].header.freeCallbackParm = nullptr;
    return elem;
}

void AudioChannelQueueFree(s_channel_queue_elem* elem) {
    if (elem == nullptr || ChannelQueue == nullptr)
        return;
    RecordRemoveList(elem);
    RecordFree(ChannelQueue, elem);
}

int AudioQueueChannelExists(u32 channel) {
    for (s_channel_queue_elem* elem = QueueHead(); elem != nullptr;
         elem = static_cast<s_channel_queue_elem*>(elem->next)) {
        if (elem->chID == channel)
            return 1;
    }
    return 0;
}

s32 AudioAllocChannel(u32 /*priority*/) {
    if (s_channel_queue_elem* head = QueueHead()) {
        const u32 channel = head->chID;
        ORB_ASSERT(ChannelStatus[channel].header.stream == nullptr,
                   "AudioAllocChannel: Attempting to alloc an active stream's channel.\n");
        AudioChannelQueueFree(head);
        return s32(channel);
    }
    // Steal the first channel of the lowest priority, whatever the new sound's own:
    // the newest sound wins. Streams hold theirs at the top priority and keep them.
    s32 chosen = -1;
    u32 lowest = kNoPriority;
    for (u32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        const s_channel_status_header& header = ChannelStatus[channel].header;
        if ((header.flags & CHANNEL_FLAG_IN_USE) == 0 || (header.flags & CHANNEL_FLAG_LOCKED) != 0)
            continue;
        if (header.priority < lowest) {
            lowest = header.priority;
            chosen = s32(channel);
        }
    }
    if (chosen < 0)
        return -1;
    if (ChannelStatus[chosen].header.stream != nullptr)
        DebugAssertWarn("FALSE", __FILE_NAME__, __LINE__,
                        "AudioAllocChannel: Attempting to alloc an active stream's channel.\n");
    return chosen;
}

void AudioFreeChannel(u32 channel) {
    if (channel >= AUDIO_CHANNEL_COUNT)
        return;
    s_channel_status_header& header = ChannelStatus[channel].header;
    if (header.stream != nullptr)
        DebugAssertFail("ChannelStatus[channel].header.stream == NULL", __FILE_NAME__, __LINE__,
                        "AudioFreeChannel: Deallocating channel that has an active stream.\n");
    if (AudioQueueChannelExists(channel)) {
        DebugAssertWarn("!channelOnQueue", __FILE_NAME__, __LINE__,
                        "AudioFreeChannel: Channel %d already exists on the queue.\n", channel);
        return;
    }
    if (header.freeCallback != nullptr)
        header.freeCallback(header.freeCallbackParm);
    AudioChannelQueueAdd(channel);
}

void AudioReleaseChannel(u32 channel) {
    if (channel >= AUDIO_CHANNEL_COUNT)
        return;
    AudioFreeChannel(channel);
    ChannelStatus[channel].header.flags = 0;
    ChannelStatus[channel].voiceData = nullptr;
}
