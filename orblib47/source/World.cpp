// Loading, sharing and freeing worlds, the current world, and the warm reset that
// registers the two draw tasks.
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/WorldInternal.h"

s_world* World = nullptr;
s_world_render_list* WorldDrawList = nullptr;
s32 NumWorldDraw = 0;
s32 WorldWaitingLoad = 0;
s32 WorldRenderEnabled = 1;

namespace {

constexpr const char* kType = "WRL";
constexpr u32 kOpaquePriority = 5200;
constexpr u32 kAlphaPriority = 5100;

}  // namespace

void WorldWarmReset() {
    // The heap was made anew: whatever the pointers held is gone.
    World = nullptr;
    WorldDrawList = nullptr;
    NumWorldDraw = 0;
    WorldWaitingLoad = 0;
    WorldRenderEnabled = 1;
    ThreadInsertPriorityDebug("WorldRenderThread", nullptr, nullptr, WorldRenderThread, nullptr,
                              kOpaquePriority);
    ThreadInsertPriorityDebug("WorldRenderAlphaThread", nullptr, nullptr, WorldRenderAlphaThread, nullptr,
                              kAlphaPriority);
}

s_world* WorldLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, data, &registered);
    if (registered)
        return static_cast<s_world*>(shared);
    if (data == nullptr)
        return nullptr;
    s_world* world = name != nullptr ? WorldParseChunk(name, static_cast<u8*>(data), size) : nullptr;
    if (world == nullptr) {
        HeapMallocFree(data);
        return nullptr;
    }
    // The atoms and the octree are used in place: the chunk stays with the entry.
    s_DATA_ENTRY* entry = DataLoad(name, kType, data, -1);
    if (entry == nullptr) {
        HeapMallocFree(world);
        HeapMallocFree(data);
        return nullptr;
    }
    entry->record = world;
    world->dataEntry = entry;
    if (WorldDrawList == nullptr) {
        WorldDrawList = static_cast<s_world_render_list*>(
            HeapMalloc(WORLD_MAX_DRAWS * sizeof(s_world_render_list), __FILE_NAME__, __LINE__));
        if (WorldDrawList == nullptr) {
            HeapMallocFree(world);
            DataRemove(entry);
            return nullptr;
        }
        HeapAddrAddComment(WorldDrawList, "WorldLoad:WorldDrawList");
    }
    // Filed draws index the current world's atoms.
    World = world;
    NumWorldDraw = 0;
    return world;
}

void WorldFree(s_world* world) {
    if (world == nullptr)
        return;
    s_DATA_ENTRY* entry = world->dataEntry;
    if (DataRemoveCheck(entry)) {
        // Only the current world takes the draw list with it: another world may
        // have replaced it and still be drawn.
        if (world == World) {
            World = nullptr;
            HeapMallocFree(WorldDrawList);
            WorldDrawList = nullptr;
            NumWorldDraw = 0;
        }
        HeapMallocFree(world);
    }
    DataRemove(entry);
}

s32 WorldEnableRender(s32 on) {
    const s32 previous = WorldRenderEnabled;
    WorldRenderEnabled = on;
    return previous;
}

s_world* WorldGetWorld() {
    return World;
}

void WorldWaitLoad() {
    WorldWaitingLoad = 1;
    while (ModelGroupLoading())
        EventWait(1);
    WorldWaitingLoad = 0;
}
