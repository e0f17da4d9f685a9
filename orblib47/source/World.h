// Worlds: static level geometry made of atoms (placed model-group instances, each
// with its own matrix) under one octree, loaded from a "WRL" chunk. One world is
// current at a time; two permanent tasks draw it, opaque meshes at once and alpha
// meshes in the alpha pass.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_model;
struct s_model_mesh;
struct s_octtree_map;

// Atom and mesh flags that split the passes.
constexpr u32 WORLD_DRAW_OPAQUE = 0x20000000;
constexpr u32 WORLD_DRAW_ALPHA = 0x40000000;
// The most alpha draws filed in one frame.
constexpr s32 WORLD_MAX_DRAWS = 512;

// Swapped in place in the chunk data.
struct s_world_atom {
    s_Matrix4 matrix;  // the atom's world matrix
    s_Vector3 center;  // for level of detail
    u32 groupId;       // model group
    s32 prevModel;     // the group's previous level-of-detail choice; -1 at load
    u32 flags;
    u32 reserved;
};
static_assert(sizeof(s_world_atom) == 96);

struct s_world {
    s_DATA_ENTRY* dataEntry;
    s32 numAtom;
    s_world_atom* atomList;
    s_octtree_map* octTree;  // over the atoms
    const char* name;
};

// A filed alpha draw.
struct s_world_render_list {
    s32 atomId;
    s_model* model;
    s_model_mesh* mesh;  // null: the whole model
    s_Matrix4* matrix;   // not filled
};

void WorldWarmReset();
// The "WRL" loader (built into the archive loader): shares an entry of that name (freeing `data`), else
// parses `data` (chunk data of `size` bytes, freed on failure); a newly loaded world becomes current. Null,
// after one line, for a bad chunk.
s_world* WorldLoad(const char* name, void* data, u32 size);
void WorldFree(s_world* world);
s32 WorldEnableRender(s32 on);
s_world* WorldGetWorld();
void WorldWaitLoad();
