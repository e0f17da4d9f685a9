// A "WRL" chunk's payload handed to the world loader twice (the second shares the
// first), every atom and the octree checked, both draw tasks run over it, and both
// references freed.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/WorldInternal.h"

namespace {

volatile std::size_t Total = 0;  // the reads must happen

void Check(const s_world* world) {
    if (world != WorldGetWorld())
        fuzz::Fail("a loaded world is not current");
    Total = Total + std::strlen(world->name);
    for (s32 i = 0; i < world->numAtom; ++i) {
        if (world->atomList[i].prevModel != -1)
            fuzz::Fail("an atom's level-of-detail choice came from the file");
    }
    const s_octtree_map& map = *world->octTree;
    for (u32 i = 0; i < map.NumBoneIndex; ++i) {
        if (map.BoneIndex[i] != OCTTREE_NO_ITEM && map.BoneIndex[i] >= u32(world->numAtom))
            fuzz::Fail("an octree atom past the world's atoms was kept");
    }
    WorldRenderThread(nullptr, nullptr);
    WorldRenderAlphaThread(nullptr, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_world* world = WorldLoad("FUZZ", fuzz::HeapCopy({data, size}), u32(size));
    if (world == nullptr)
        return 0;
    if (WorldLoad("FUZZ", fuzz::HeapCopy({data, size}), u32(size)) != world)
        fuzz::Fail("a second load of the name was not shared");
    Check(world);
    WorldFree(world);
    WorldFree(world);
    if (WorldGetWorld() != nullptr)
        fuzz::Fail("a freed world stayed current");
    return 0;
}
