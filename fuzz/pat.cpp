// A "PAT" chunk's payload loaded by the particle attribute loader twice under one
// name (the second load shares the first), a private copy taken, a system started
// from it and run for some frames over a loaded sprite set, and everything released.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "tools/discbuild/SprWriter.h"

namespace {

s_PARTSYS_ATTR* Load(const u8* data, std::size_t size) {
    void* payload = fuzz::HeapCopy({data, size});
    return payload != nullptr ? ParticleSystemAttrLoad("FUZZ", payload, u32(size), 0) : nullptr;
}

// The set the seeds name, with two cells and one animation frame.
s_sprite_set* LoadSet() {
    discbuild::SpriteSet set;
    set.textures = {"FUZZTEX"};
    set.cells.resize(2);
    set.animations = {{0, {{discbuild::FrameSprite{}}}}};
    const std::vector<u8> chunk = discbuild::SprPayload(set);
    void* payload = fuzz::HeapCopy(chunk);
    return payload != nullptr ? SpriteLoad("FUZZSET", payload, u32(chunk.size())) : nullptr;
}

void Check(const s_PARTSYS_ATTR* attr) {
    if (attr->type >= PARTSYS_TYPE_COUNT)
        fuzz::Fail("attributes of an unknown type were loaded");
    if (attr->spriteType >= SPRITE_TYPE_COUNT)
        fuzz::Fail("attributes of an unknown sprite type were loaded");
    if (attr->dataEntry == nullptr || DataFindEntry("FUZZ", "PAT") != attr->dataEntry)
        fuzz::Fail("loaded attributes are not registered under their name");
}

// The system takes over the attributes' reference or copy; a refused one gives
// them back here.
void Run(s_PARTSYS_ATTR* attr, u32 flags) {
    const s_Vector3 at{1, 2, 3, 0};
    // Few elements, so that an input's element count cannot make a run slow.
    s_particle_system* psys = ParticleSystemAlloc(attr, &at, 20, flags);
    if (psys == nullptr && (flags & PARTSYS_INSTANCE_ATTR) != 0)
        HeapMallocFree(attr);
    else if (psys == nullptr)
        ParticleSystemAttrFree(attr);
    if (psys == nullptr)
        return;
    // A system that ends by itself during the run is freed there.
    ParticleSystemSetSysCallback(
        psys,
        [](s_particle_system*, void* parm, e_partsys_event_type event) {
            if (event == PARTSYS_EVENT_FREE)
                *static_cast<s_particle_system**>(parm) = nullptr;
        },
        &psys);
    EventWait(12);
    ParticleSystemFree(psys);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_sprite_set* set = LoadSet();
    if (s_PARTSYS_ATTR* attr = Load(data, size)) {
        if (Load(data, size) != attr)
            fuzz::Fail("a second load under the same name is not shared");
        Check(attr);
        ParticleSystemAttrFree(attr);
        Run(ParticleSystemAttrLoad("FUZZ", nullptr, 0, PARTSYS_INSTANCE_ATTR), PARTSYS_INSTANCE_ATTR);
        Run(attr, 0);
    }
    if (DataFindEntry("FUZZ", "PAT") != nullptr)
        fuzz::Fail("freed attributes are still registered");
    SpriteFree(set);
    EventWait(3);  // the sprite groups' delayed free
    return 0;
}
