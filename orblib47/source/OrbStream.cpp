// The stream manager: packs in three named slots, managed streams on a list of
// pooled objects, type volumes, pause and resume, and stopping.
#include "orblib47/source/OrbStream.h"

#include <cstring>
#include <new>

#include "orblib47/source/Debug.h"
#include "orblib47/source/OrbStreamInternal.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SpatialSfx.h"

COrbStreamManager OrbStreamManager;
s_orb_stream_file StreamFileArray[ORB_STREAM_FILE_SLOTS];
CLinkedList* StreamList = nullptr;

namespace {

constexpr u32 kUpdatePriority = 3699;
constexpr s32 kEventFinished = 1;

s_stdrec* StreamPool = nullptr;

u32 StartFlags(e_orb_stream_type type) {
    switch (type) {
        case ORB_STREAM_TYPE_MUSIC_LOOPING:
            return 0x46;
        case ORB_STREAM_TYPE_MUSIC:
            return 0x44;
        case ORB_STREAM_TYPE_EFFECT_LOOPING:
            return 0x03;
        case ORB_STREAM_TYPE_EFFECT:
            return 0x01;
        case ORB_STREAM_TYPE_DIALOG:
            return 0x81;
    }
    return 0;
}

bool OnList(const CLinkedList* node) {
    for (const CLinkedList* it = StreamList; it != nullptr; it = it->m_Next) {
        if (it == node)
            return true;
    }
    return false;
}

COrbStream* Construct(s_stream* stream, e_orb_stream_type type) {
    auto* object = static_cast<COrbStream*>(RecordAlloc(StreamPool));
    if (object == nullptr) {
        DEBUG_PRINT("COrbStream::Add - Unable to allocate OrbStream!\n");
        return nullptr;
    }
    if (OnList(object)) {
        DEBUG_PRINT("COrbStream::COrbStream: Reinitializing a stream that is already on StreamList.\n");
        return nullptr;
    }
    new (object) COrbStream{};
    object->m_Type = type;
    object->m_Flags = 0;
    object->m_Stream = stream;
    object->m_EventCallback = nullptr;
    object->m_EventCallbackParm = nullptr;
    object->m_Child = nullptr;
    object->m_FadeTime = 0.0f;
    object->m_FadeTotalTime = 0.0f;
    object->m_FadeVolumeMix = s_VOLUME_MIX{};
    object->m_Next = StreamList;
    object->m_Prev = &StreamList;
    if (StreamList != nullptr)
        StreamList->m_Prev = &object->m_Next;
    StreamList = object;
    return object;
}

void Destroy(COrbStream* object) {
    *object->m_Prev = object->m_Next;
    if (object->m_Next != nullptr)
        object->m_Next->m_Prev = object->m_Prev;
    object->m_Next = nullptr;
    object->m_Prev = nullptr;
    // A channel that outlives its object must not call back into the pool.
    if (s_channel_status* status = OrbStreamManager.GetChannelStatus(object);
        status != nullptr && status->header.freeCallbackParm == object) {
        status->header.freeCallback = nullptr;
        status->header.freeCallbackParm = nullptr;
    }
    RecordFree(StreamPool, object);
}

bool IsChild(const COrbStream* stream) {
    return (stream->m_Flags & ORB_STREAM_IS_CHILD) != 0;
}

// The managed streams that are no child halves and match `mask`, collected first:
// stopping one may free it.
u32 Parents(u32 mask, COrbStream* (&out)[ORB_STREAM_OBJECTS]) {
    u32 count = 0;
    for (CLinkedList* node = StreamList; node != nullptr && count < ORB_STREAM_OBJECTS; node = node->m_Next) {
        auto* stream = static_cast<COrbStream*>(node);
        if (!IsChild(stream) && (stream->m_Type & mask) != 0)
            out[count++] = stream;
    }
    return count;
}

constexpr u32 kAllTypes = 0xFFFFFFFFu;

void UpdateThread(s_thread*, void*) {
    OrbStreamManager.Update();
}

// The mix in force, the right value from the right half's channel.
s_VOLUME_MIX OrbStreamCurrentMix(const COrbStream* stream) {
    s_VOLUME_MIX mix = OrbStreamManager.GetChannelStatus(stream)->header.volumeMix;
    if (const s_channel_status* right = OrbStreamManager.GetChildChannelStatus(stream))
        mix.volR = right->header.volumeMix.volR;
    return mix;
}

}  // namespace

e_error_code COrbStreamManager::ColdReset() {
    for (s_orb_stream_file& slot : StreamFileArray)
        slot = s_orb_stream_file{};
    m_UpdateThreadPtr = nullptr;
    m_DialogVolume = m_EffectVolume = m_MusicVolume = 1.0f;
    return RET_NO_ERROR;
}

void COrbStreamManager::WarmReset() {
    m_UpdateThreadPtr = ThreadInsertPriorityDebug("COrbStreamManager::UpdateThread", nullptr, nullptr,
                                                  UpdateThread, nullptr, kUpdatePriority);
    StreamPool = RecordCreate(ORB_STREAM_OBJECTS, sizeof(COrbStream));
    StreamList = nullptr;
    m_Enabled = 1;
}

s_orb_stream_file* COrbStreamManager::LoadFile(const char* name) {
    if (name == nullptr || std::strlen(name) >= sizeof(StreamFileArray[0].name)) {
        DEBUG_PRINT("COrbStreamManager::LoadFile: Bad stream pack name.\n");
        return nullptr;
    }
    s_orb_stream_file* empty = nullptr;
    for (s_orb_stream_file& slot : StreamFileArray) {
        if (slot.file != nullptr && std::strcmp(slot.name, name) == 0)
            return &slot;
        if (slot.file == nullptr && empty == nullptr)
            empty = &slot;
    }
    if (empty == nullptr)
        return nullptr;
    empty->file = StreamSetFile(name);
    if (empty->file == nullptr)
        return nullptr;
    std::strcpy(empty->name, name);
    return empty;
}

void COrbStreamManager::FreeFile(s_orb_stream_file* slot) {
    for (s_orb_stream_file& candidate : StreamFileArray) {
        if (&candidate != slot)
            continue;
        StreamFreeFile(slot->file);
        *slot = s_orb_stream_file{};
    }
}

COrbStream* COrbStreamManager::Play(s_orb_stream_file* slot, s32 n, const s_VOLUME_MIX* mix,
                                    e_orb_stream_type type, f32 fadeInTime) {
    if (m_Enabled == 0 || slot == nullptr || mix == nullptr)
        return nullptr;
    const f32 volume = GetVolume(type);
    s_VOLUME_MIX scaled = *mix;
    AudioSetVolumeMixScale(&scaled, volume);
    const s_VOLUME_MIX start = fadeInTime > 0.0f ? s_VOLUME_MIX{} : scaled;
    s_stream* platform = StreamStart(slot->file, n, &start, StartFlags(type));
    if (platform == nullptr)
        return nullptr;
    COrbStream* stream = Construct(platform, type);
    if (stream == nullptr) {
        StreamStop(platform);
        return nullptr;
    }
    s_channel_status& status = ChannelStatus[platform->channel];
    status.header.volumeScale = volume;
    status.header.freeCallback = OrbStreamChannelCallback;
    status.header.freeCallbackParm = stream;
    if (platform->child != nullptr) {
        stream->m_Child = Construct(platform->child, type);
        if (stream->m_Child != nullptr)
            stream->m_Child->m_Flags = ORB_STREAM_IS_CHILD;
        ChannelStatus[platform->child->channel].header.volumeScale = volume;
    }
    if (fadeInTime > 0.0f) {
        stream->m_Flags |= ORB_STREAM_IS_FADING_IN;
        stream->m_FadeTime = 0.0f;
        stream->m_FadeTotalTime = fadeInTime;
        stream->m_FadeVolumeMix = *mix;
    }
    if (type == ORB_STREAM_TYPE_DIALOG)
        SetReverb(stream, 0);
    return stream;
}

void COrbStreamManager::Stop(COrbStream* stream, f32 fadeTime) {
    if (stream == nullptr)
        return;
    if (fadeTime > 0.0f && GetChannelStatus(stream) != nullptr) {
        s_VOLUME_MIX mix = OrbStreamCurrentMix(stream);
        const f32 volume = GetVolume(stream->m_Type);
        if (volume > 0.0f)
            AudioSetVolumeMixScale(&mix, 1.0f / volume);
        stream->m_Flags = (stream->m_Flags & ~ORB_STREAM_IS_FADING_IN) | ORB_STREAM_IS_FADING_OUT;
        stream->m_FadeTime = stream->m_FadeTotalTime = fadeTime;
        stream->m_FadeVolumeMix = mix;
        return;
    }
    if ((stream->m_Flags & ORB_STREAM_IS_SPATIAL) != 0 && stream->m_Stream != nullptr)
        SpatialSfxStopChannel(s32(stream->m_Stream->channel));
    OrbStreamFireEvent(stream);
    // The object goes when the engine returns the channel.
    StreamStop(stream->m_Stream);
}

void COrbStreamManager::Stop(e_orb_stream_type type, f32 fadeTime) {
    COrbStream* streams[ORB_STREAM_OBJECTS];
    const u32 count = Parents(type, streams);
    for (u32 i = 0; i < count; ++i)
        Stop(streams[i], fadeTime);
}

void COrbStreamManager::StopAll(f32 fadeTime) {
    COrbStream* streams[ORB_STREAM_OBJECTS];
    const u32 count = Parents(kAllTypes, streams);
    for (u32 i = 0; i < count; ++i)
        Stop(streams[i], fadeTime);
}

void COrbStreamManager::Pause() {
    m_Paused = 1;
    COrbStream* streams[ORB_STREAM_OBJECTS];
    const u32 count = Parents(kAllTypes, streams);
    for (u32 i = 0; i < count; ++i)
        StreamPause(streams[i]->m_Stream);
}

void COrbStreamManager::Resume() {
    Resume(e_orb_stream_type(kAllTypes));
}

void COrbStreamManager::Resume(e_orb_stream_type type) {
    m_Paused = 0;
    COrbStream* streams[ORB_STREAM_OBJECTS];
    const u32 count = Parents(type, streams);
    for (u32 i = 0; i < count; ++i)
        StreamResume(streams[i]->m_Stream);
}

void COrbStreamManager::SetVolume(COrbStream* stream, const s_VOLUME_MIX* mix) {
    if (stream == nullptr || stream->m_Stream == nullptr || mix == nullptr)
        return;
    s_VOLUME_MIX scaled = *mix;
    AudioSetVolumeMixScale(&scaled, GetVolume(stream->m_Type));
    StreamSetVolume(stream->m_Stream, &scaled);
}

int COrbStreamManager::SetVolume(u32 mask, f32 volume) {
    if (volume <= 0.0001f)
        return 0;
    const f32 current = GetVolume(mask);
    COrbStream* streams[ORB_STREAM_OBJECTS];
    const u32 count = Parents(mask, streams);
    for (u32 i = 0; i < count; ++i) {
        if (GetChannelStatus(streams[i]) == nullptr)
            continue;
        s_VOLUME_MIX mix = OrbStreamCurrentMix(streams[i]);
        for (f32* value : {&mix.volL, &mix.volR, &mix.volC, &mix.volLS, &mix.volRS, &mix.volLFE})
            *value = current > 0.0f ? *value / current * volume : 0.0f;
        StreamSetVolume(streams[i]->m_Stream, &mix);
    }
    return 1;
}

void COrbStreamManager::SetMusicVolume(f32 volume) {
    if (SetVolume(ORB_STREAM_MASK_MUSIC, volume))
        m_MusicVolume = volume;
}

void COrbStreamManager::SetEffectVolume(f32 volume) {
    if (SetVolume(ORB_STREAM_MASK_EFFECT, volume))
        m_EffectVolume = volume;
}

f32 COrbStreamManager::GetVolume(u32 typeOrMask) const {
    if ((typeOrMask & ORB_STREAM_MASK_DIALOG) != 0)
        return m_DialogVolume;
    if ((typeOrMask & ORB_STREAM_MASK_EFFECT) != 0)
        return m_EffectVolume;
    if ((typeOrMask & ORB_STREAM_MASK_MUSIC) != 0)
        return m_MusicVolume;
    return 0.0f;
}

void COrbStreamManager::SetReverb(COrbStream* stream, int on) {
    if (stream == nullptr || stream->m_Stream == nullptr)
        return;
    if (on)
        StreamEffectOn(stream->m_Stream);
    else
        StreamEffectOff(stream->m_Stream);
    for (s_channel_status* status : {GetChannelStatus(stream), GetChildChannelStatus(stream)}) {
        if (status == nullptr)
            continue;
        if (on)
            status->header.playFlags &= ~AUDIO_PLAY_DISABLE_EFFECTS;
        else
            status->header.playFlags |= AUDIO_PLAY_DISABLE_EFFECTS;
    }
}

bool COrbStreamManager::IsActive(const COrbStream* stream) const {
    return stream != nullptr && stream->m_Stream != nullptr && stream->m_Stream->status != 0;
}

bool COrbStreamManager::IsPlaying(const COrbStream* stream) const {
    return stream != nullptr && StreamIsPlaying(stream->m_Stream);
}

bool COrbStreamManager::IsFinished(const COrbStream* stream) const {
    return stream == nullptr || stream->m_Stream == nullptr || StreamIsFinished(stream->m_Stream);
}

s_channel_status* COrbStreamManager::GetChannelStatus(const COrbStream* stream) const {
    if (stream == nullptr || stream->m_Stream == nullptr)
        return nullptr;
    return &ChannelStatus[stream->m_Stream->channel];
}

s_channel_status* COrbStreamManager::GetChildChannelStatus(const COrbStream* stream) const {
    if (stream == nullptr || stream->m_Stream == nullptr || stream->m_Stream->child == nullptr)
        return nullptr;
    return &ChannelStatus[stream->m_Stream->child->channel];
}

void COrbStreamManager::ClearCallback(COrbStream* stream) {
    if (stream == nullptr)
        return;
    stream->m_EventCallback = nullptr;
    stream->m_EventCallbackParm = nullptr;
}

void COrbStreamManager::Remove(COrbStream* stream) {
    if (stream == nullptr)
        return;
    OrbStreamFireEvent(stream);
    Free(stream);
}

void COrbStreamManager::Free(COrbStream* stream) {
    if (stream == nullptr)
        return;
    if (stream->m_Child != nullptr)
        Destroy(stream->m_Child);
    Destroy(stream);
}

void OrbStreamFireEvent(COrbStream* stream) {
    OrbStreamEventCallback callback = stream->m_EventCallback;
    if (callback == nullptr)
        return;
    void* parm = stream->m_EventCallbackParm;
    stream->m_EventCallback = nullptr;
    stream->m_EventCallbackParm = nullptr;
    callback(stream, parm, kEventFinished);
}

void OrbStreamChannelCallback(void* parm) {
    OrbStreamManager.Remove(static_cast<COrbStream*>(parm));
}
