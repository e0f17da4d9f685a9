// Static mesh models: vertices, meshes with their command streams, a skeleton,
// materials, textures, animation references, collision spheres, link points, veils
// and octrees, loaded from one "VHM" chunk and shared by name.
//
// The chunk is parsed into these native records. Large pointer-free arrays are
// byte-swapped in place in the kept chunk data and pointed at; records that hold
// pointers are native copies. Every count, offset and index has been checked once
// at load, so users index within the counts without further checks.
//
// Declarations are grouped by the file that defines them: Model*.cpp (loading and
// accessors), NGC/Model*.cpp (run-time buffers and drawing).
#pragma once

#include <span>

#include "orblib47/source/Bone.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Skin.h"

struct s_DATA_ENTRY;
struct s_ORB_MATERIAL;
struct s_draw_veil;
struct s_hanim_header;
struct s_octtree_map;
struct s_texture_def;

// Model flags.
constexpr u32 MODEL_FLAG_SKINNED = 0x20000000u;         // weighted on the processor
constexpr u32 MODEL_FLAG_SCALED = 0x01000000u;          // drawn under a scaled matrix
constexpr u32 MODEL_FLAG_VERTS_WEIGHTED = 0x00800000u;  // weighted this frame

constexpr u32 MODEL_NAME_LEN = 16;
constexpr u32 MODEL_MAX_BONES = 128;  // skinning matrices one draw can hold

// The draw filter after the warm reset: opaque and alpha materials.
constexpr u32 MODEL_DRAW_FILTER_DEFAULT = 0x60000000u;

// The chunk-level vertex record (64 bytes, every field 32-bit).
struct s_model_vertex {
    f32 u, v;
    u32 pad[2];
    s_Vector4 coord;
    s_Vector4 normal;
    s_Vector4 color;
};
static_assert(sizeof(s_model_vertex) == 64);

struct s_model_collision_vertex {
    f32 x, y, z;
    u32 rgba;
};

// Quantised static vertex of vertexListUnion (models with vertNormGQR, unskinned).
struct s_model_vertex_quant {
    s16 u, v;
    s16 coord[4];  // w unused
    s8 normal[4];  // w unused; the hardware reads them as 1/64 steps
    u32 color;     // 0xRRGGBBAA
};
static_assert(sizeof(s_model_vertex_quant) == 20);

// Float vertex of vertexListUnion (models with vertNormGQR 0).
struct s_model_vertex_float {
    s16 u, v;
    u32 pad0[3];
    f32 coord[3];
    u32 pad1;
    s8 normal[3];
    u8 pad2;
    u32 color;
    u32 pad3[2];
};
static_assert(sizeof(s_model_vertex_float) == 48);

// One mesh command: the vertex command's 8-byte layout.
using s_model_command = s_vertex_cmd;
constexpr u32 MODEL_COMMAND_SIZE = 8;

enum e_MODEL_COMMAND : u8 {
    MODEL_CMD_END = 0,
    MODEL_CMD_MATERIAL = 1,      // parm8 material index
    MODEL_CMD_BONES1 = 2,        // parm8
    MODEL_CMD_BONES2 = 3,        // parm8, parm16
    MODEL_CMD_BONES3 = 4,        // parm8, parm16, parm32
    MODEL_CMD_BONES4 = 5,        // parm8, parm16, parm32 high and low halves
    MODEL_CMD_SKIN_TRIS = 6,     // parm16 triangles from index parm32, weighted buffer
    MODEL_CMD_STRIP = 8,         // parm16 triangles from index parm32, quantised vertices
    MODEL_CMD_SKIN_STRIP = 12,   // parm16 triangles from index parm32, weighted buffer
    MODEL_CMD_WEIGHT_VERT = 22,  // parm8 scratch slot, parm16 vertex
    MODEL_CMD_WEIGHT_TRI = 23,
};

inline s_model_command ModelCommandAt(const u8* commands, u32 index) {
    return VertexCmdAt(commands, index);
}

struct s_model_mesh {
    s_Vector4 centerOffset;
    s_Vector4 minBounds;
    s_Vector4 maxBounds;
    u32 flags;
    u32 materialFlags;  // recomputed at load
    f32 radius;
    const u8* commands;  // big-endian s_model_command records
    u32 numCommands;     // up to and including the end command
    s32 numPolygons;
    s32 numIndices;
    const u16* indexList;  // within the model's indexList
    // Mesh-level collision fields, kept as stored: nothing reads them.
    u32 collisionOctTree;
    s32 numCollisionFaces;
    u32 collisionFaceList;
    u32 vertGQR;
};

// A bone-fixed sphere; also the link-point record.
struct s_model_collision_sphere {
    s_Vector4 offset;  // in the bone's frame
    s16 flags;
    s8 boneId;
    s8 link;  // the sphere that closes a capsule with this one, -1 for none
    u32 group;
    f32 radius;
    u32 pad;
};
static_assert(sizeof(s_model_collision_sphere) == 32);

struct s_model_selection_set {
    char name[MODEL_NAME_LEN + 1];
    u16 numVertex, vertexIndex;
    u16 numFace, faceIndex;
    u16 numVeil, veilIndex;
};

struct s_model_set_vertex {
    s_Vector4 coord;
    s_Vector4 normal;
    f32 weights[3];
    u32 bones;
};
static_assert(sizeof(s_model_set_vertex) == 48);

struct s_model_collision_face {
    f32 x, y, z, radius;  // bounding sphere
    u16 flags;
    u16 surface;
    u16 normalIndex;
    u16 boneId;
    u16 vertIndex[4];
};
static_assert(sizeof(s_model_collision_face) == 32);

// A named animation bank reference; `animation` starts empty.
struct s_hanim_def {
    char name[MODEL_NAME_LEN + 1];
    s_hanim_header* animation;
};

struct s_model {
    s_DATA_ENTRY* dataEntry;
    u32 flags;
    u16 vertexFlags;
    u16 vertexSize;
    f32 radius;
    s_Vector4 centerOffset;
    s_Vector4 minBounds;
    s_Vector4 maxBounds;
    u32 materialFlags;  // union of the materials' flags, recomputed at load

    s32 numVertex;
    s_model_vertex* vertexList;
    s32 numCollisionVertex;
    s_model_collision_vertex* collisionVertexList;
    s32 numIndices;
    u16* indexList;
    s32 numNormals;
    s_Vector4* normalList;

    s32 rootBoneId;
    s32 numBones;
    s_hmatrix_bone_def* boneList;
    s8* boneRemapList;  // run-time block owned by the model, starts empty

    s32 numMeshes;
    s_model_mesh* meshList;
    s32 numCollisionSpheres;
    s_model_collision_sphere* collisionSphereList;
    u32 numLinkPoints;
    s_model_collision_sphere* linkPointList;

    s32 numSelectionSets;
    s_model_selection_set* selectionSetList;
    s32 numSelectionSetVertex;
    s_model_set_vertex* selectionSetVertexList;
    u16* vertexIndexList;
    u16* faceIndexList;
    u16* veilIndexList;

    s32 numTextureDefs;
    s_texture_def* textureDefs;
    s32 numAnimDefs;
    s_hanim_def* animDefs;

    s_octtree_map* octTree;  // null when the chunk has none
    s32 numCollisionFaces;
    s_model_collision_face* collisionFaceList;
    s_octtree_map* collisionOctTree;
    s32 numVeils;
    s_draw_veil* veilList;
    s_octtree_map* veilOctTree;

    s32 numOrbMaterials;
    s_ORB_MATERIAL* orbMaterialList;
    u32 numPhysicsPrim;
    const u8* physicsPrimList;  // 80-byte big-endian records, as in the file

    // vertexListUnion: exactly one of the three is filled, by the model's kind.
    std::span<const s_model_vertex_skinned> skinnedVertices;  // MODEL_FLAG_SKINNED
    std::span<const s_model_vertex_quant> quantVertices;      // vertNormGQR != 0
    std::span<const s_model_vertex_float> floatVertices;      // vertNormGQR == 0
    std::span<const u8> vertexCommands;                       // big-endian s_vertex_cmd records
    std::span<const s_model_vertex_weight> vertexWeightList;
    std::span<const u32> weightBones;  // one byte per bone, most significant first, 0xFF none
    u32 vertNormGQR;
    std::span<s_vert_pair> outVertNormBuffer;  // numVertex + 1 records; empty until allocated
};

// What the skinning stream needs of a skinned model.
inline s_model_skin ModelSkinView(const s_model& model) {
    return {model.vertexCommands, model.skinnedVertices, model.vertexWeightList, model.vertNormGQR,
            model.outVertNormBuffer};
}

struct s_model_instance {
    u32 flags;
    s_model* model;
    void* vertexList;
};

// --- Model*.cpp

void ModelWarmReset();
// The "VHM" loader: shares a registered model (freeing `buffer`), else parses
// `buffer` (chunk data the WAD loader read, `size` bytes, freed on failure). Null,
// after one line, for a bad chunk; null without a buffer for a name not loaded.
s_model* ModelLoad(const char* name, void* buffer, u32 size);
void ModelFree(s_model* model);
// The heap's move callback moves every address into the chunk data by `delta`.
void ModelRemap(s_model* model, std::ptrdiff_t delta);
// The box's eight corners: the four at max y, then the four at min y.
void ModelGetBounds(const s_model* model, s_Vector4 corners[8]);
f32 ModelGetHalfWidth(const s_model* model);
void ModelMatrixIsScaled(s_model* model, bool on);
void ModelSetVertsWeighted(s_model* model);
void ModelClearVertsWeighted(s_model* model);
void ModelSetFilter(u32 filter);
u32 ModelGetFilter();

// --- NGC/Model*.cpp

void ModelHardwareWarmReset();
void ModelHardwareLoad(s_model* model);
void ModelHardwareFree(s_model* model);
void ModelHardwareRemap(s_model* model, std::ptrdiff_t delta);
void ModelLoadInstance(s_model_instance* instance, s_model* model, u32 flags);
void ModelFreeInstance(s_model_instance* instance);
// Empty on this platform, kept for the engine's others: meshes draw straight from
// the chunk and the bounds come with it. Callers call them at the same points.
void ModelHardwareRemapMesh(s_model* model, std::ptrdiff_t delta);
void ModelStartInstance(s_model_instance* instance);
void ModelEndInstance(s_model_instance* instance);
void ModelCalculateVertices(s_model* model, s_hmatrix* header);
void ModelUpdateVerts(s_model* model);
void ModelSetVertexArray(s_model* model);
void ModelClearVertexArray();
void ModelCalcBounds(s_model* model);
void ModelDraw(s_model* model, const s_Matrix4* world, s_hmatrix* header, s_flat_matrix* texMatrix);
void ModelDrawSkinned(s_model* model, s_hmatrix* header);
u32 ModelDrawMesh(s_model* model, const s_model_mesh* mesh, u32 state, s_hmatrix* header);
void ModelDebugDrawNormals(s_model* model, s_hmatrix* header);
void ModelGetVertexCoord(const s_model* model, s32 index, s_Vector4* out);
void ModelGetVertexNormal(const s_model* model, s32 index, s_Vector4* out);
void ModelGetTransformedVertexCoordNormal(const s_model* model, const s_hmatrix* header, s32 index,
                                          s_Vector4* coord, s_Vector4* normal);

// The projection of stencil-locked drawing, written by the game's object pass; only
// its top three rows are used.
extern s_Matrix4 gxprj;

// --- NGC/ModelSorted.cpp: a static model's visible strips recorded per material,
// then drawn material by material.

constexpr u32 MODEL_MAX_MATERIAL_DRAWS = 13000;
constexpr u32 MODEL_MATERIAL_LISTS = 256;  // one per material index

// Starts a recording of `model`: no strips, every list empty.
void ModelDrawStart(s_model* model);
// Records the mesh's static strips under the materials that pass the filter;
// strips before any material command have none and are not recorded.
u32 ModelDrawMeshSorted(s_model* model, const s_model_mesh* mesh, u32 state);
// Draws the recording; it stays valid until the next ModelDrawStart.
void ModelDrawEnd();
