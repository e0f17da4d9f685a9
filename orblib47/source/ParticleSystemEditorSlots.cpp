// The particle editor's slots: effects started from the host's "temp.pat", in the
// viewer at the editor's position, in the game in place of its own attributes.
#include <cctype>
#include <cstdio>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/ParticleSystemEditor.h"

namespace {

constexpr const char* kEffectFile = "temp.pat";
// Where a reload is parsed before it replaces the game's attributes.
constexpr const char* kScratchName = "PARSYSEDIT~NEW";

bool ValidSlot(s32 slot) {
    return slot >= 0 && slot < PARSYS_EDITOR_SLOTS;
}

struct SlotName {
    char text[HOST_CMD_NAME_SIZE];
};

SlotName TempName(s32 slot) {
    SlotName name;
    std::snprintf(name.text, sizeof(name.text), "TEMP%02d", slot);
    return name;
}

void MoveRunning() {
    for (s_particle_system* psys : ParSysParticleSystem)
        ParticleSystemSetPosition(psys, &ParSysPos);
}

void StartInViewer(s32 slot) {
    ParSysPos = {};
    ParSysEditorStop(slot);
    u32 size = 0;
    void* data = FileLoad(kEffectFile, &size);
    if (data == nullptr)
        return;
    const SlotName name = TempName(slot);
    ParSysAttr[slot] = ParticleSystemAttrLoad(name.text, data, size, 0);
    if (ParSysAttr[slot] == nullptr) {
        ParSysEditorStop(slot);
        return;
    }
    ParSysAttr[slot]->priority = u32(slot);
    ParSysParticleSystem[slot] = ParticleSystemLoad(name.text, &ParSysPos, 0, PARTSYS_DONT_FREE);
    if (ParSysParticleSystem[slot] == nullptr)
        ParSysEditorStop(slot);
}

// The new attributes are parsed under a scratch name first, so that a file that
// does not load, or that the running systems cannot use, leaves the game's own in
// place. Then the two records change entries: the game's entry, with its
// references and data-file id, takes the new record and its systems move over to
// it; the scratch entry takes the old record and releases it.
void Replace(s_DATA_ENTRY* entry, void* data, u32 size) {
    if (DataFindEntry(kScratchName, "PAT") != nullptr) {
        HeapMallocFree(data);
        return;
    }
    s_PARTSYS_ATTR* fresh = ParticleSystemAttrLoad(kScratchName, data, size, 0);
    if (fresh == nullptr)
        return;
    auto* old = static_cast<s_PARTSYS_ATTR*>(entry->record);
    if (ParticleSystemReplaceAttr(old, fresh) == 0) {
        DEBUG_PRINT("ParSysEditor: %.16s kept: its systems cannot run from the new attributes\n",
                    entry->name);
        ParticleSystemAttrFree(fresh);
        return;
    }
    s_DATA_ENTRY* scratch = fresh->dataEntry;
    entry->addr = entry->record = fresh;
    fresh->dataEntry = entry;
    scratch->addr = scratch->record = old;
    old->dataEntry = scratch;
    ParticleSystemAttrFree(old);
}

void StartInGame(s32 slot, const char* name) {
    u32 size = 0;
    void* data = FileLoad(kEffectFile, &size);
    if (data == nullptr)
        return;
    char* stored = ParSysName[slot];
    u32 n = 0;
    for (; name[n] != '\0' && n + 1 < HOST_CMD_NAME_SIZE; ++n)
        stored[n] = char(std::toupper(static_cast<unsigned char>(name[n])));
    stored[n] = '\0';
    s_DATA_ENTRY* entry = DataFindEntry(stored, "PAT");
    if (entry == nullptr || entry->record == nullptr) {
        HeapMallocFree(data);
        return;
    }
    Replace(entry, data, size);
}

}  // namespace

void ParSysEditorSetPosition(const s_Vector3* pos) {
    ParSysPos = *pos;
    MoveRunning();
}

void ParSysEditorMove(const s_Vector3* velocity) {
    ParSysPos.x += velocity->x * RealDeltaTime;
    ParSysPos.y += velocity->y * RealDeltaTime;
    ParSysPos.z += velocity->z * RealDeltaTime;
    MoveRunning();
}

void ParSysEditorGetPosition(s_Vector3* out) {
    *out = ParSysPos;
}

void ParSysEditorStart(s32 slot, const char* name) {
    if (!ValidSlot(slot))
        return;
    if (ParSysEditorInGame != 0)
        StartInGame(slot, name);
    else
        StartInViewer(slot);
}

void ParSysEditorStop(s32 slot) {
    if (!ValidSlot(slot))
        return;
    if (ParSysParticleSystem[slot] != nullptr)
        ParticleSystemFree(ParSysParticleSystem[slot]);
    if (ParSysAttr[slot] != nullptr)
        ParticleSystemAttrFree(ParSysAttr[slot]);
    ParSysParticleSystem[slot] = nullptr;
    ParSysAttr[slot] = nullptr;
}

void ParSysEditorStopAll() {
    for (s32 slot = 0; slot < PARSYS_EDITOR_SLOTS; ++slot)
        ParSysEditorStop(slot);
}

void ParSysEditorRestart(s32 slot) {
    if (!ValidSlot(slot))
        return;
    if (ParSysParticleSystem[slot] != nullptr)
        ParticleSystemFree(ParSysParticleSystem[slot]);
    ParSysParticleSystem[slot] = nullptr;
    if (ParSysAttr[slot] == nullptr)
        return;
    ParSysParticleSystem[slot] = ParticleSystemLoad(TempName(slot).text, &ParSysPos, 0, PARTSYS_DONT_FREE);
    if (ParSysParticleSystem[slot] == nullptr)
        ParSysEditorStop(slot);
}

void ParSysEditorRestartAll() {
    for (s32 slot = 0; slot < PARSYS_EDITOR_SLOTS; ++slot)
        ParSysEditorRestart(slot);
}
