// Loading, sharing and freeing sound tags. The 96-byte big-endian chunk is read
// into a native record that the data registry owns; the payload is freed.
#include <cmath>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/SoundTag.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

namespace {

constexpr const char* kType = "STG";

void Refuse(const char* name, const char* why) {
    DEBUG_PRINT("SoundTagLoad: %s: bad STG chunk (%s)\n", DebugName(name).c_str(), why);
}

void ReadMix(ChunkCursor& in, s_VOLUME_MIX* mix) {
    f32* values[] = {&mix->volL, &mix->volR, &mix->volC, &mix->volLS, &mix->volRS, &mix->volLFE};
    for (f32* value : values)
        in.F32(value);
}

// The chunk's fields in order (a chunk of the full size reads them all); false with
// `why` set when the chunk is unusable.
bool Parse(const u8* data, u32 size, s_SOUND_TAG_DEFAULT* tag, const char** why) {
    if (size < SOUND_TAG_CHUNK_SIZE) {
        *why = "short";
        return false;
    }
    ChunkCursor in(ChunkReader(data, size));
    u32 type = 0;
    in.Skip(4);  // the run-time registry entry
    in.U32(&type);
    in.Copy(sizeof(tag->idName), tag->idName);
    tag->idName[sizeof(tag->idName) - 1] = '\0';
    in.S32(&tag->id);
    in.U32(&tag->flags);
    in.U32(&tag->priority);
    in.F32(&tag->pitch);
    in.F32(&tag->pitchVariance);
    in.F32(&tag->volumeVariance);
    ReadMix(in, &tag->volumeMix);
    in.F32(&tag->maxVol);
    in.F32(&tag->maxAudDist);
    if (type >= SOUND_TAG_TYPE_COUNT) {
        *why = "type";
        return false;
    }
    tag->type = e_SOUND_TAG_TYPE(type);
    const f32 floats[] = {tag->pitch,           tag->pitchVariance,   tag->volumeVariance,
                          tag->volumeMix.volL,  tag->volumeMix.volR,  tag->volumeMix.volC,
                          tag->volumeMix.volLS, tag->volumeMix.volRS, tag->volumeMix.volLFE,
                          tag->maxVol,          tag->maxAudDist};
    for (f32 value : floats) {
        if (!std::isfinite(value)) {
            *why = "value not finite";
            return false;
        }
    }
    return true;
}

s_SOUND_TAG_DEFAULT* Register(const char* name, void* buffer, u32 size) {
    auto* tag =
        static_cast<s_SOUND_TAG_DEFAULT*>(HeapMalloc(sizeof(s_SOUND_TAG_DEFAULT), __FILE_NAME__, __LINE__));
    const char* why = "out of memory";
    const bool parsed = tag != nullptr && Parse(static_cast<const u8*>(buffer), size, tag, &why);
    HeapMallocFree(buffer);
    if (!parsed) {
        Refuse(name, why);
        if (tag != nullptr)
            HeapMallocFree(tag);
        return nullptr;
    }
    s_DATA_ENTRY* entry = DataLoadRecord(name, kType, tag);  // frees the tag when refused
    if (entry == nullptr)
        return nullptr;
    tag->dataEntry = entry;
    return tag;
}

}  // namespace

void* WadLoadSoundTag(s_wad_header* header, void* payload) {
    return SoundTagLoad(header->name, payload, header->size);
}

void WadFreeSoundTag(void* data) {
    SoundTagFree(static_cast<s_SOUND_TAG_DEFAULT*>(data));
}

s_SOUND_TAG_DEFAULT* SoundTagLoad(const char* name, void* buffer, u32 size) {
    bool registered = false;
    auto* tag = static_cast<s_SOUND_TAG_DEFAULT*>(DataShareLoaded(name, kType, buffer, &registered));
    if (registered || buffer == nullptr)
        return tag;
    if (name == nullptr) {
        HeapMallocFree(buffer);
        return nullptr;
    }
    return Register(name, buffer, size);
}

void SoundTagFree(s_SOUND_TAG_DEFAULT* tag) {
    if (tag != nullptr)
        DataRemove(tag->dataEntry);
}
