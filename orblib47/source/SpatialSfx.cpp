// The positional sounds in flight: their pool, the per-frame task that fades,
// updates and retires them, and one record's update.
#include "orblib47/source/SpatialSfx.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/OrbThread.h"

s_stdrec* SpatialSfxRecords = nullptr;

namespace {

constexpr u32 kThreadPriority = 3700;

s_spatial_sfx* First() {
    return static_cast<s_spatial_sfx*>(SpatialSfxRecords->next);
}

s_spatial_sfx* Next(const s_spatial_sfx* record) {
    return static_cast<s_spatial_sfx*>(record->next);
}

bool ChannelInRange(s32 channel) {
    return channel >= 0 && channel < AUDIO_CHANNEL_COUNT;
}

// Runs a fade-out on; false when it has just ended (the sound is then stopped and
// the record retires on a later pass). Each frame scales the already faded volume,
// so the fade compounds.
bool Fade(s_spatial_sfx* record) {
    record->fadeOutTime -= RealDeltaTime;
    if (record->fadeOutTime <= 0.0f) {
        if (SpatialSfxIsPlaying(record)) {
            SfxStopChannel(record->channel);
            record->channel = -1;
        }
        record->fadeOutTime = 0.0f;
        record->fadeOutTotalTime = 0.0f;
        return false;
    }
    record->maxVol *= record->fadeOutTime / record->fadeOutTotalTime;
    return true;
}

void SpatialSfxThread(s_thread*, void*) {
    for (s_spatial_sfx *record = First(), *next; record != nullptr; record = next) {
        next = Next(record);
        if (!SpatialSfxIsPlaying(record)) {
            SpatialSfxFree(record);
            continue;
        }
        if (record->fadeOutTime > 0.0f && !Fade(record))
            continue;
        SpatialSfxUpdate(record);
    }
}

}  // namespace

void SpatialSfxWarmReset() {
    SpatialSfxRecords = RecordCreate(SPATIAL_SFX_RECORDS, sizeof(s_spatial_sfx));
    if (SpatialSfxRecords != nullptr)
        HeapAddrAddComment(SpatialSfxRecords, "SpatialSfxWarmReset:SpatialSfxRecords");
    ThreadInsertPriorityDebug("SpatialSfxThread", nullptr, nullptr, SpatialSfxThread, nullptr,
                              kThreadPriority);
}

s_spatial_sfx* SpatialSfxAllocate() {
    auto* record =
        SpatialSfxRecords != nullptr ? static_cast<s_spatial_sfx*>(RecordAlloc(SpatialSfxRecords)) : nullptr;
    if (record == nullptr) {
        DEBUG_PRINT("SpatialSfxAllocate: Out of available SpatialSfx records\n");
        return nullptr;
    }
    *record = {};
    RecordInsertList(SpatialSfxRecords, record);
    return record;
}

s_spatial_sfx* SpatialSfxListAddSfx(const s_Vector3* pos, f32 maxVol, f32 maxAudDistSq, s32 channel, s32 id) {
    s_spatial_sfx* record = SpatialSfxAllocate();
    if (record == nullptr) {
        DEBUG_PRINT("SpatialSfxListAddSfx: Last Spatial Sfx won't update spatially.\n");
        return nullptr;
    }
    record->pos = *pos;
    record->maxVol = maxVol;
    record->maxAudDistSq = maxAudDistSq;
    record->channel = channel;
    record->id = id;
    record->type = SPATIAL_SFX_TYPE_SFX;
    record->falloffType = SPATIAL_SFX_FALLOFF_TYPE_LINEAR;
    return record;
}

void SpatialSfxFree(s_spatial_sfx* record) {
    if (record->type == SPATIAL_SFX_TYPE_SFX && SfxIsIdPlaying(record->id, record->channel))
        SfxStopChannel(record->channel);
    RecordRemoveList(record);
    RecordFree(SpatialSfxRecords, record);
}

void SpatialSfxStopChannel(s32 channel) {
    if (s_spatial_sfx* record = SpatialSfxGet(channel))
        SpatialSfxFree(record);
}

s_spatial_sfx* SpatialSfxGet(s32 channel) {
    if (!ChannelInRange(channel))
        return nullptr;
    for (s_spatial_sfx* record = First(); record != nullptr; record = Next(record)) {
        if (record->channel == channel)
            return record;
    }
    return nullptr;
}

int SpatialSfxIsPlaying(const s_spatial_sfx* record) {
    if (record->type == SPATIAL_SFX_TYPE_SFX)
        return SfxIsIdPlaying(record->id, record->channel);
    if (record->type == SPATIAL_SFX_TYPE_STREAM)
        return OrbStreamManager.IsActive(record->orbStream);
    return 0;
}

void SpatialSfxSetUpdatePosition(s_spatial_sfx* record, const s_Vector3* pos) {
    if (record != nullptr && pos != nullptr)
        record->updatePos = pos;
}

void SpatialSfxUpdate(s_spatial_sfx* record) {
    ORB_ASSERT(record != nullptr, "sfxObject == NULL\n");
    ORB_ASSERT(record->maxAudDistSq > 0.0f, "Invalid maxAudDistSq!\n");
    if (record->updateMatrix != nullptr) {
        const s_Matrix4& m = *record->updateMatrix;
        record->pos = {m.at(0, 3), m.at(1, 3), m.at(2, 3), 0.0f};
    } else if (record->updatePos != nullptr) {
        record->pos = *record->updatePos;
    }
    s_VOLUME_MIX mix;
    SpatialSfxCalcVolumeMix(&mix, SpatialSfxListenerDistSq(&record->pos), record->maxAudDistSq,
                            record->maxVol, &record->pos, record->falloffType);
    if (record->type == SPATIAL_SFX_TYPE_SFX) {
        mix = {mix.volL * SfxVolume,  mix.volR * SfxVolume,  mix.volC * SfxVolume,
               mix.volLS * SfxVolume, mix.volRS * SfxVolume, mix.volLFE * SfxVolume};
        if (SfxIsPlaying(record->channel))
            SfxSetVolume(record->channel, &mix);
    } else if (OrbStreamManager.IsPlaying(record->orbStream)) {
        OrbStreamManager.SetVolume(record->orbStream, &mix);
    }
}
