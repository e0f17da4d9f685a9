#include "orblib47/source/ParticleList.h"

#include "orblib47/source/DebugMemory.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/SoundTag.h"

s_stdrec* ParticleListHeaderRecords = nullptr;
s_stdrec* ParticleListRecords = nullptr;
s_debug_memory* ParticleListHeaderDebugMem = nullptr;
s_debug_memory* ParticleListDebugMem = nullptr;

namespace {

constexpr u32 kMaxLists = 32;
constexpr u32 kMaxEntries = 64;

// The pools and trackers live in the heaps the warm reset has just rebuilt.
s_debug_memory* Tracker(const s_stdrec* pool, u32 count, const char* name) {
    return pool != nullptr ? DebugMemoryInit(s32(count), name) : nullptr;
}

void Track(s_debug_memory* tracker, void* record) {
    if (tracker != nullptr)
        DebugMemoryAddPtr(tracker, record);
}

void Untrack(s_debug_memory* tracker, void* record) {
    if (tracker != nullptr)
        DebugMemoryRemovePtr(tracker, record, __FILE_NAME__, __LINE__);
}

// An entry lives as long as its system: one that ends by itself takes its
// entry out of the list.
void ForgetSystem(s_particle_system*, void* parm, e_partsys_event_type event) {
    if (event != PARTSYS_EVENT_FREE)
        return;
    auto* particle = static_cast<s_partlist_elem*>(parm);
    particle->particleSystem = nullptr;
    ParticleListStop(particle, 0);
}

}  // namespace

s32 ParticleListWarmReset() {
    ParticleListHeaderRecords = RecordCreate(kMaxLists, sizeof(s_particle_list));
    ParticleListRecords = RecordCreate(kMaxEntries, sizeof(s_partlist_elem));
    ParticleListHeaderDebugMem = Tracker(ParticleListHeaderRecords, kMaxLists, "ParticleListHeaders");
    ParticleListDebugMem = Tracker(ParticleListRecords, kMaxEntries, "ParticleLists");
    return ParticleListHeaderRecords != nullptr && ParticleListRecords != nullptr ? 1 : 0;
}

s_particle_list* ParticleListAlloc(const s_Vector3* position) {
    auto* list = ParticleListHeaderRecords != nullptr
                     ? static_cast<s_particle_list*>(RecordAlloc(ParticleListHeaderRecords))
                     : nullptr;
    if (list == nullptr)
        return nullptr;
    *list = {};
    list->position = *position;
    Track(ParticleListHeaderDebugMem, list);
    return list;
}

s_partlist_elem* ParticleListAdd(s_particle_list* list, s_particle_system* psys) {
    auto* particle = psys != nullptr && ParticleListRecords != nullptr
                         ? static_cast<s_partlist_elem*>(RecordAlloc(ParticleListRecords))
                         : nullptr;
    if (particle == nullptr)
        return nullptr;
    *particle = {};
    particle->list = list;
    particle->particleSystem = psys;
    particle->channel = -1;
    particle->listID = list->nextID++;
    particle->next = list->particleList;
    if (list->particleList != nullptr)
        list->particleList->prev = particle;
    list->particleList = particle;
    ParticleSystemSetSysCallback(psys, ForgetSystem, particle);
    Track(ParticleListDebugMem, particle);
    return particle;
}

void ParticleListFree(s_particle_list* list, u32 flags) {
    if (list == nullptr)
        return;
    ParticleListStopAll(list, flags);
    Untrack(ParticleListHeaderDebugMem, list);
    RecordFree(ParticleListHeaderRecords, list);
}

void ParticleListStopAll(s_particle_list* list, u32 flags) {
    for (s_partlist_elem* particle = list->particleList; particle != nullptr;) {
        s_partlist_elem* next = particle->next;
        ParticleListStop(particle, flags);
        particle = next;
    }
}

s32 ParticleListStop(s_partlist_elem* particle, u32 flags) {
    if (particle == nullptr)
        return 1;
    s_particle_system* psys = particle->particleSystem;
    if (psys != nullptr) {
        if ((flags & PARTLIST_KILL) != 0)
            ParticleSystemKill(psys);
        else
            ParticleSystemStop(psys);
        ParticleSystemSetSysCallback(psys, nullptr, nullptr);
    }
    ParticleListDetachSound(particle);
    if (particle->prev != nullptr)
        particle->prev->next = particle->next;
    else
        particle->list->particleList = particle->next;
    if (particle->next != nullptr)
        particle->next->prev = particle->prev;
    Untrack(ParticleListDebugMem, particle);
    RecordFree(ParticleListRecords, particle);
    return 1;
}

void ParticleListDetachSound(s_partlist_elem* particle) {
    if (particle->soundTag == nullptr)
        return;
    if (SoundTagIsPlaying(particle->soundTag, particle->channel))
        SfxStopChannel(particle->channel);
    particle->soundTag = nullptr;
    particle->channel = -1;
}
