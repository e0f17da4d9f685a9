// Parsing a "GAM" chunk: the 80-byte header of counts and offsets, then the
// lists it points at. Records with pointers are copied into one native block;
// the lists without pointers (path points and their data, grid connections,
// graph edges, the octree) are swapped in place once, so no two may share bytes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Octree.h"

namespace {

constexpr u32 kHeaderSize = 80;
constexpr u32 kInstanceSize = 64;
constexpr u32 kPlaceholderSize = 64;
constexpr u32 kPathSize = 44;
constexpr u32 kAreaSize = 48;
constexpr u32 kGridSize = 64;
constexpr u32 kGraphSize = 24;
constexpr u32 kNodeSize = 28;

// Instance flags the file may set; the others are run-time state.
constexpr u32 kInstanceFileFlags = u_INSTANCE_FLAGS::Disabled | u_INSTANCE_FLAGS::Force_Create;

struct Header {
    s_Vector3 pos;
    u32 octTree;
    s32 numInstance;
    u32 instanceList;
    s32 counts[5];  // placeholders, paths, areas, grids, graphs
    u32 lists[5];
};
enum List { kPlaceholders, kPaths, kAreas, kGrids, kGraphs };

// A list of 32-bit words used in place.
struct Region {
    u32 offset;
    u32 length;
};

// The native block: the header, then the records that hold pointers.
struct Block {
    u32 numInstances, numPlaceholders, numPaths, numAreas, numGrids, numGraphs, numNodes;

    template <typename T>
    static u64 Next(u64 at, u64 count) {
        at = (at + alignof(T) - 1) & ~u64(alignof(T) - 1);
        return at + count * sizeof(T);
    }
    u64 Size() const {
        u64 at = sizeof(s_GAME_DATA);
        at = Next<s_octtree_map>(at, 1);
        at = Next<s_INSTANCE>(at, numInstances);
        at = Next<s_PLACEHOLDER>(at, numPlaceholders);
        at = Next<s_PATH>(at, numPaths);
        at = Next<s_AREA>(at, numAreas);
        at = Next<s_GRID>(at, numGrids);
        at = Next<s_GRAPH>(at, numGraphs);
        return Next<s_GRAPH_NODE>(at, numNodes);
    }
    // Points the header's lists into the block behind it; the nodes go to *nodes.
    void Carve(s_GAME_DATA* game, s_octtree_map** map, s_GRAPH_NODE** nodes) const {
        u8* base = reinterpret_cast<u8*>(game);
        u64 at = sizeof(s_GAME_DATA);
        const auto take = [&]<typename T>(T** out, u64 count) {
            const u64 end = Next<T>(at, count);
            *out = reinterpret_cast<T*>(base + (end - count * sizeof(T)));
            at = end;
        };
        take(map, 1);
        take(&game->instanceHeader.instanceList, numInstances);
        take(&game->placeHolderList, numPlaceholders);
        take(&game->pathList, numPaths);
        take(&game->areaList, numAreas);
        take(&game->gridList, numGrids);
        take(&game->graphList, numGraphs);
        take(nodes, numNodes);
    }
};

void ReadVector3(ChunkCursor* c, s_Vector3* v) {
    c->F32(&v->x), c->F32(&v->y), c->F32(&v->z), c->Skip(4);
    v->w = 0.0f;
}

void ReadQuat(ChunkCursor* c, s_Quaternion* q) {
    c->F32(&q->x), c->F32(&q->y), c->F32(&q->z), c->F32(&q->w);
}

class Parser {
public:
    Parser(const char* name, u8* data, u32 size) : name_(name), data_(data), chunk_(data, size) {}

    s_GAME_DATA* Run();

private:
    bool Fail(const char* why) {
        DEBUG_PRINT("GameDataLoad: %s: bad GAM chunk (%s)\n", DebugName(name_).c_str(), why);
        return false;
    }
    bool ReadHeader();
    bool CountNodes(u32* numNodes);
    // `count` words-only records of `size` bytes at `offset`, used in place.
    template <typename T>
    bool InPlace(T** out, u32 offset, u32 count, const char* what);
    bool Instances(s_GAME_DATA* g);
    bool Placeholders(s_GAME_DATA* g);
    bool Paths(s_GAME_DATA* g);
    bool Areas(s_GAME_DATA* g);
    bool Grids(s_GAME_DATA* g);
    bool Connections(const s_GAME_DATA* g);
    bool Graphs(s_GAME_DATA* g, s_GRAPH_NODE* nodes);
    bool OctTree(s_octtree_map* map);
    bool Apart(const s_octtree_map& map);
    void Swap(const s_octtree_map& map);

    const char* name_;
    u8* data_;
    ChunkReader chunk_;
    Header h_{};
    std::vector<Region> regions_;
};

bool Parser::ReadHeader() {
    ChunkCursor c(chunk_);
    ReadVector3(&c, &h_.pos);
    c.U32(&h_.octTree), c.S32(&h_.numInstance), c.U32(&h_.instanceList);
    for (u32 i = 0; i < 5; ++i)
        c.S32(&h_.counts[i]), c.U32(&h_.lists[i]);
    return c.Ok() && chunk_.Range(0, kHeaderSize);
}

bool Parser::CountNodes(u32* numNodes) {
    u64 total = 0;
    for (s32 i = 0; i < h_.counts[kGraphs]; ++i) {
        const u32 at = h_.lists[kGraphs] + u32(i) * kGraphSize;
        u32 count = 0, list = 0;
        if (!chunk_.U32(at + 16, &count) || !chunk_.U32(at + 20, &list) ||
            !chunk_.RangeArray(list, count, kNodeSize))
            return Fail("graph nodes outside the chunk");
        total += count;
    }
    // Distinct node lists fit in the chunk; more means lists were shared.
    if (total * kNodeSize > chunk_.Size())
        return Fail("graph nodes");
    *numNodes = u32(total);
    return true;
}

template <typename T>
bool Parser::InPlace(T** out, u32 offset, u32 count, const char* what) {
    if (!chunk_.RangeArray(offset, count, sizeof(T)) ||
        reinterpret_cast<std::uintptr_t>(data_ + offset) % alignof(T) != 0)
        return Fail(what);
    regions_.push_back({offset, count * u32(sizeof(T))});
    *out = reinterpret_cast<T*>(data_ + offset);
    return true;
}

bool Parser::Instances(s_GAME_DATA* g) {
    for (s32 i = 0; i < h_.numInstance; ++i) {
        u32 at = 0, type = 0, name = 0, group = 0, flags = 0;
        s_INSTANCE& instance = g->instanceHeader.instanceList[i];
        ChunkReader record;
        if (!chunk_.U32(h_.instanceList + 4 * u32(i), &at) || !chunk_.Sub(at, kInstanceSize, &record))
            return Fail("instance outside the chunk");
        ChunkCursor c(record);
        ReadVector3(&c, &instance.pos);
        ReadQuat(&c, &instance.quat);
        c.U32(&type), c.U32(&name), c.F32(&instance.radius), c.U32(&group), c.U32(&flags);
        if (!c.Ok() || !chunk_.CString(name, &instance.name))
            return Fail("instance name");
        if (type >= INSTANCE_TYPE_COUNT)
            return Fail("instance type");
        // Three group slots: a larger id would index past them.
        if (group >= INSTANCE_GROUP_COUNT)
            return Fail("instance group");
        instance.type = e_INSTANCE_TYPE(type);
        instance.groupId = e_INSTANCE_GROUP_ID(group);
        instance.sysFlags = flags & kInstanceFileFlags;
        instance.record = nullptr;
    }
    return true;
}

bool Parser::Placeholders(s_GAME_DATA* g) {
    for (s32 i = 0; i < g->numPlaceHolder; ++i) {
        u32 at = 0, name = 0, type = 0;
        s_PLACEHOLDER& p = g->placeHolderList[i];
        ChunkReader record;
        if (!chunk_.U32(h_.lists[kPlaceholders] + 4 * u32(i), &at) ||
            !chunk_.Sub(at, kPlaceholderSize, &record))
            return Fail("placeholder outside the chunk");
        ChunkCursor c(record);
        c.U32(&name), c.Skip(12);
        ReadVector3(&c, &p.pos);
        ReadQuat(&c, &p.quat);
        c.F32(&p.radius), c.U32(&type), c.U32(&p.index), c.U32(&p.flags);
        if (!c.Ok() || !chunk_.CString(name, &p.name))
            return Fail("placeholder name");
        p.type = e_PLACEHOLDER_TYPE(type);
    }
    return true;
}

bool Parser::Paths(s_GAME_DATA* g) {
    for (s32 i = 0; i < g->numPaths; ++i) {
        s_PATH& path = g->pathList[i];
        u32 points = 0, pointData = 0;
        ChunkCursor c(chunk_, h_.lists[kPaths] + u32(i) * kPathSize);
        c.Name(GAME_DATA_NAME_SIZE, path.name), c.U32(&path.flags), c.U32(&path.count);
        c.F32(&path.min), c.F32(&path.max), c.F32(&path.springFactor), c.U32(&points), c.U32(&pointData);
        if (!c.Ok())
            return Fail("path");
        if (!InPlace(&path.points, points, path.count, "path points") ||
            !InPlace(&path.pointData, pointData, path.count, "path point data"))
            return false;
    }
    return true;
}

bool Parser::Areas(s_GAME_DATA* g) {
    for (s32 i = 0; i < g->numAreas; ++i) {
        s_AREA& area = g->areaList[i];
        ChunkCursor c(chunk_, h_.lists[kAreas] + u32(i) * kAreaSize);
        c.Name(GAME_DATA_NAME_SIZE, area.name);
        ReadVector3(&c, &area.center);
        c.F32(&area.radius), c.U32(&area.flags);
        if (!c.Ok())
            return Fail("area");
    }
    return true;
}

bool Parser::Grids(s_GAME_DATA* g) {
    for (s32 i = 0; i < g->numGrids; ++i) {
        s_GRID& grid = g->gridList[i];
        u32 cells = 0, connections = 0;
        ChunkCursor c(chunk_, h_.lists[kGrids] + u32(i) * kGridSize);
        c.Name(GAME_DATA_NAME_SIZE, grid.name);
        ReadVector3(&c, &grid.corner);
        c.F32(&grid.stepSizeX), c.F32(&grid.stepSizeZ), c.U32(&cells), c.U16(&grid.sizeX), c.U16(&grid.sizeZ);
        c.U8(&grid.numConnections), c.Skip(3), c.U32(&connections), c.U32(&grid.flags);
        if (!c.Ok() || !chunk_.Range(cells, u32(grid.sizeX) * grid.sizeZ))
            return Fail("grid cells");
        grid.gridTable = data_ + cells;
        if (!InPlace(&grid.connections, connections, grid.numConnections, "grid connections"))
            return false;
    }
    return true;
}

// Read before the swap: the connections are still big-endian.
bool Parser::Connections(const s_GAME_DATA* g) {
    const auto cells = [g](u32 grid) { return u32(g->gridList[grid].sizeX) * g->gridList[grid].sizeZ; };
    for (s32 i = 0; i < g->numGrids; ++i) {
        const s_GRID& grid = g->gridList[i];
        for (u32 n = 0; n < grid.numConnections; ++n) {
            const u8* p = reinterpret_cast<const u8*>(&grid.connections[n]);
            const u32 cell = LoadBE32(p), target = LoadBE32(p + 4), targetCell = LoadBE32(p + 8);
            if (cell >= cells(u32(i)) || target >= u32(g->numGrids) || targetCell >= cells(target))
                return Fail("grid connection");
        }
    }
    return true;
}

bool Parser::Graphs(s_GAME_DATA* g, s_GRAPH_NODE* nodes) {
    for (s32 i = 0; i < g->numGraphs; ++i) {
        s_GRAPH& graph = g->graphList[i];
        u32 list = 0;
        ChunkCursor c(chunk_, h_.lists[kGraphs] + u32(i) * kGraphSize);
        c.Name(GAME_DATA_NAME_SIZE, graph.name), c.U32(&graph.numNodes), c.U32(&list);
        if (!c.Ok())
            return Fail("graph");
        graph.nodeList = nodes;
        nodes += graph.numNodes;
        for (u32 n = 0; n < graph.numNodes; ++n) {
            s_GRAPH_NODE& node = graph.nodeList[n];
            u32 edges = 0;
            ChunkCursor nc(chunk_, list + n * kNodeSize);
            nc.Name(GAME_DATA_NAME_SIZE, node.dataName), nc.Skip(4), nc.U32(&node.numEdges), nc.U32(&edges);
            if (!nc.Ok())
                return Fail("graph node");
            if (!InPlace(&node.edgeList, edges, node.numEdges, "graph edges"))
                return false;
            for (u32 e = 0; e < node.numEdges; ++e)
                if (LoadBE32(reinterpret_cast<const u8*>(&node.edgeList[e])) >= graph.numNodes)
                    return Fail("graph edge target");
            node.data = nullptr;
            for (s32 p = 0; p < g->numPlaceHolder && node.data == nullptr; ++p)
                if (std::strcmp(g->placeHolderList[p].name, node.dataName) == 0)
                    node.data = &g->placeHolderList[p];
        }
    }
    return true;
}

bool Parser::OctTree(s_octtree_map* map) {
    return OctTreeCheck({data_, chunk_.Size()}, h_.octTree, u32(h_.numInstance), map) || Fail("octree");
}

bool Parser::Apart(const s_octtree_map& map) {
    const auto offset = [this](const void* p) { return u32(static_cast<const u8*>(p) - data_); };
    std::vector<Region> all = regions_;
    all.push_back({offset(map.Nodes), map.NumNodes * u32(sizeof(s_octtree_node))});
    all.push_back({offset(map.BoneIndex), map.NumBoneIndex * u32(sizeof(u16))});
    std::erase_if(all, [](const Region& r) { return r.length == 0; });
    std::sort(all.begin(), all.end(), [](const Region& a, const Region& b) { return a.offset < b.offset; });
    for (size_t i = 1; i < all.size(); ++i)
        if (all[i].offset < all[i - 1].offset + all[i - 1].length)
            return Fail("lists overlap");
    return true;
}

void Parser::Swap(const s_octtree_map& map) {
    OctTreeSwap(map);
    for (const Region& r : regions_)
        for (u8* p = data_ + r.offset; p < data_ + r.offset + r.length; p += 4)
            std::reverse(p, p + 4);
}

s_GAME_DATA* Parser::Run() {
    if (!ReadHeader()) {
        Fail("truncated header");
        return nullptr;
    }
    if (h_.numInstance < 0 || !chunk_.RangeArray(h_.instanceList, u32(h_.numInstance), 4)) {
        Fail("instance table");
        return nullptr;
    }
    // Placeholders come through a table of offsets, the rest as record arrays.
    constexpr u32 kSizes[5] = {4, kPathSize, kAreaSize, kGridSize, kGraphSize};
    for (u32 i = 0; i < 5; ++i) {
        if (h_.counts[i] < 0 || !chunk_.RangeArray(h_.lists[i], u32(h_.counts[i]), kSizes[i])) {
            Fail("record lists");
            return nullptr;
        }
    }
    u32 numNodes = 0;
    if (!CountNodes(&numNodes))
        return nullptr;
    const Block block{u32(h_.numInstance),
                      u32(h_.counts[kPlaceholders]),
                      u32(h_.counts[kPaths]),
                      u32(h_.counts[kAreas]),
                      u32(h_.counts[kGrids]),
                      u32(h_.counts[kGraphs]),
                      numNodes};
    const u64 bytes = block.Size();
    auto* g = bytes <= HeapMallocLimit()
                  ? static_cast<s_GAME_DATA*>(HeapCalloc(1, u32(bytes), __FILE_NAME__, __LINE__))
                  : nullptr;
    if (g == nullptr) {
        Fail("out of memory");
        return nullptr;
    }
    HeapAddrAddComment(g, name_);
    s_octtree_map* map = nullptr;
    s_GRAPH_NODE* nodes = nullptr;
    block.Carve(g, &map, &nodes);
    g->pos = h_.pos;
    g->instanceHeader.numInstance = h_.numInstance;
    g->instanceHeader.octtree = map;
    g->numPlaceHolder = h_.counts[kPlaceholders];
    g->numPaths = h_.counts[kPaths];
    g->numAreas = h_.counts[kAreas];
    g->numGrids = h_.counts[kGrids];
    g->numGraphs = h_.counts[kGraphs];
    if (!Instances(g) || !Placeholders(g) || !Paths(g) || !Areas(g) || !Grids(g) || !Connections(g) ||
        !Graphs(g, nodes) || !OctTree(map) || !Apart(*map)) {
        HeapMallocFree(g);
        return nullptr;
    }
    Swap(*map);
    return g;
}

}  // namespace

s_GAME_DATA* GameDataParse(const char* name, u8* data, u32 size) {
    return Parser(name, data, size).Run();
}
