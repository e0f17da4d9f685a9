// A "GAM" chunk's payload handed to the game-data loader twice (the second load
// shares the first), every list read and every index followed, three frames of the
// instance task with a handler that creates every other instance, and both freed.
#include <bit>
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/NamePtrTable.h"
#include "orblib47/source/OrbLib.h"

namespace {

volatile std::size_t Total = 0;  // the reads must happen

s32 Handler(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE, void*) {
    Total = Total + std::strlen(instance->name);
    return s32(Total & 1);
}

void CheckLists(const s_GAME_DATA& g) {
    for (s32 i = 0; i < g.instanceHeader.numInstance; ++i) {
        const s_INSTANCE& instance = g.instanceHeader.instanceList[i];
        if (instance.type >= INSTANCE_TYPE_COUNT || instance.groupId >= INSTANCE_GROUP_COUNT ||
            instance.record != nullptr)
            fuzz::Fail("an instance kept a bad type, group or record");
    }
    for (s32 i = 0; i < g.numPlaceHolder; ++i)
        Total = Total + std::strlen(g.placeHolderList[i].name);
    for (s32 i = 0; i < g.numPaths; ++i)
        for (u32 p = 0; p < g.pathList[i].count; ++p)
            Total = Total + g.pathList[i].pointData[p].values[0] +
                    std::bit_cast<u32>(g.pathList[i].points[p].length);
    for (s32 i = 0; i < g.numGrids; ++i) {
        const s_GRID& grid = g.gridList[i];
        for (u32 c = 0; c < u32(grid.sizeX) * grid.sizeZ; ++c)
            Total = Total + grid.gridTable[c];
        for (u32 c = 0; c < grid.numConnections; ++c) {
            const s_GRID_CONNECT& link = grid.connections[c];
            const s_GRID& target = g.gridList[link.targetGrid];
            Total = Total + grid.gridTable[link.cell] + target.gridTable[link.targetCell];
        }
    }
    for (s32 i = 0; i < g.numGraphs; ++i) {
        const s_GRAPH& graph = g.graphList[i];
        for (u32 n = 0; n < graph.numNodes; ++n) {
            const s_GRAPH_NODE& node = graph.nodeList[n];
            if (node.data != nullptr)
                Total = Total + std::strlen(node.data->name);
            for (u32 e = 0; e < node.numEdges; ++e)
                Total = Total + graph.nodeList[node.edgeList[e].targetNode].numEdges;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return 0;
    CGameData* game = GameDataLoad("FUZZ", payload, u32(size));
    if (game == nullptr)
        return 0;
    if (GameDataLoad("FUZZ", fuzz::HeapCopy({data, size}), u32(size)) != game)
        fuzz::Fail("a second load did not share the first");
    CheckLists(*game->m_Header);
    Total = Total + u32(game->m_NameTable->GetValue("NAV"));
    for (u32 type = 0; type < INSTANCE_TYPE_COUNT; ++type)
        CInstanceList::RegisterFunc(e_INSTANCE_TYPE(type), Handler);
    CInstanceList::Enable(1);
    EventWait(3);
    CInstanceList::Enable(0);
    GameDataFree(game);
    GameDataFree(game);
    CInstanceList::ShutDown();
    return 0;
}
