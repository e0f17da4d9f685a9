// Level game data: one "GAM" chunk per level with its placed instances (an
// instance list over an octree), named placeholders (start positions, camera and
// player starts, waypoints, queue positions), paths, areas, grids and graphs.
// Loaded through the WAD loader and shared by name.
#pragma once

#include "orblib47/source/Instance.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
class CNamePtrTable;

constexpr u32 MAX_LONG_NAME_SIZE = 32;
constexpr u32 GAME_DATA_NAME_SIZE = 16;  // names of paths, areas, grids, graphs and node data

enum e_PLACEHOLDER_TYPE : u32 {
    PLACEHOLDER_TYPE_PLACEHOLDER_GENERIC = 0,
    PLACEHOLDER_TYPE_PLACEHOLDER_CAMERA_INIT = 1,
    PLACEHOLDER_TYPE_PLACEHOLDER_PLAYER_INIT = 2,
    PLACEHOLDER_TYPE_PLACEHOLDER_WAYPOINT = 3,
    PLACEHOLDER_TYPE_PLACEHOLDER_WAYPOINT_TARGET = 4,
    PLACEHOLDER_TYPE_PLACEHOLDER_QUEUE_POS = 5,
};

struct u_PLACEHOLDER_FLAGS {
    static constexpr u32 Dummy_Flag = 0x80000000u;
};

struct s_PLACEHOLDER {
    const char* name;  // in the chunk data
    s_Vector3 pos;
    s_Quaternion quat;
    f32 radius;
    e_PLACEHOLDER_TYPE type;
    u32 index;
    u32 flags;
};

struct u_PATH_FLAGS {
    static constexpr u32 Closed = 0x80000000u;
    static constexpr u32 Containment = 0x40000000u;
    static constexpr u32 Player_Containment = 0x20000000u;
    static constexpr u32 One_Way = 0x10000000u;
    static constexpr u32 Two_Way = 0x08000000u;
    static constexpr u32 Continuous = 0x04000000u;
    static constexpr u32 Npc = 0x02000000u;
    static constexpr u32 Object = 0x01000000u;
};

// The chunk's lists without pointers, swapped in place.
struct s_PATH_POINTS {
    s_Vector3 pos;
    s_Vector3 dir;
    f32 length;
    u32 pad[3];
};
static_assert(sizeof(s_PATH_POINTS) == 48);

struct s_PATH_POINT_DATA {
    u32 values[4];
};

struct s_GRID_CONNECT {
    u32 cell;
    u32 targetGrid;
    u32 targetCell;
};

struct s_GRAPH_EDGE {
    u32 targetNode;
};

struct s_PATH {
    char name[GAME_DATA_NAME_SIZE + 1];
    u32 flags;  // u_PATH_FLAGS
    u32 count;
    f32 min, max, springFactor;
    s_PATH_POINTS* points;  // count entries
    s_PATH_POINT_DATA* pointData;
};

struct u_AREA_FLAGS {
    static constexpr u32 Stay_On_Circumference = 0x80000000u;
    static constexpr u32 Move_In_Angle_Increments = 0x40000000u;
};

struct s_AREA {
    char name[GAME_DATA_NAME_SIZE + 1];
    s_Vector3 center;
    f32 radius;
    u32 flags;  // u_AREA_FLAGS
};

// Cell bytes of a grid.
constexpr u8 GRID_CELL_BLOCKED_ALWAYS = 0x80;
constexpr u8 GRID_CELL_HINDERED = 0x40;
constexpr u8 GRID_CELL_BLOCKED_CURRENTLY = 0x20;
constexpr u32 GRID_FLAG_DISABLED = 0x80000000u;

// Every connection's cells lie inside their grids.
struct s_GRID {
    char name[GAME_DATA_NAME_SIZE + 1];
    s_Vector3 corner;
    f32 stepSizeX, stepSizeZ;
    u8* gridTable;  // sizeX x sizeZ cells
    u16 sizeX, sizeZ;
    u8 numConnections;
    s_GRID_CONNECT* connections;
    u32 flags;
};

// Every edge's target lies inside its graph.
struct s_GRAPH_NODE {
    char dataName[GAME_DATA_NAME_SIZE + 1];
    s_PLACEHOLDER* data;  // the first placeholder of that name, or null
    u32 numEdges;
    s_GRAPH_EDGE* edgeList;
};

struct s_GRAPH {
    char name[GAME_DATA_NAME_SIZE + 1];
    u32 numNodes;
    s_GRAPH_NODE* nodeList;
};

// The chunk parsed: one heap block holding this header and the native records.
struct s_GAME_DATA {
    s_Vector3 pos;  // level origin
    s_INSTANCE_LIST instanceHeader;
    s32 numPlaceHolder;
    s_PLACEHOLDER* placeHolderList;
    s32 numPaths;
    s_PATH* pathList;
    s32 numAreas;
    s_AREA* areaList;
    s32 numGrids;
    s_GRID* gridList;
    s32 numGraphs;
    s_GRAPH* graphList;
};

// Parses a "GAM" chunk: every offset, count and index checked, the lists without
// pointers swapped in place. The block (free with HeapMallocFree) points into
// `data`; null after one line for a bad chunk, `data` then untouched.
s_GAME_DATA* GameDataParse(const char* name, u8* data, u32 size);

class CGameData {
public:
    // Takes the parsed block; starts the instance list and binds the names of
    // paths, areas, grids and graphs to their indices.
    CGameData(s_GAME_DATA* header, s_DATA_ENTRY* entry, const char* name);
    ~CGameData();
    CGameData(const CGameData&) = delete;
    CGameData& operator=(const CGameData&) = delete;

    static e_error_code ColdReset();
    // Registers the "GAM" chunk type with the WAD loader.
    static e_error_code WarmReset();

    // An index past the count is a fatal assertion.
    s_INSTANCE* GetInstance(u32 index) const { return m_InstanceList->GetInstance(index); }

    char m_Name[MAX_LONG_NAME_SIZE];
    s_DATA_ENTRY* m_DataEntry;
    s_GAME_DATA* m_Header;
    CInstanceList* m_InstanceList;
    CNamePtrTable* m_NameTable;
};

// Shares the object registered under `name` (freeing `data`), else parses the
// chunk and registers it. Null for no data, a name of MAX_LONG_NAME_SIZE
// characters or more, or a bad chunk (`data` freed).
CGameData* GameDataLoad(const char* name, void* data, u32 size);
// Drops one reference; the last destroys the object and frees the chunk.
void GameDataFree(CGameData* gameData);
