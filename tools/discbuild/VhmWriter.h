// The payload of a "VHM" chunk: one model, described with the engine's own records
// and written big-endian with every offset counted from the payload's start.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Octree.h"
#include "tools/discbuild/OctreeWriter.h"

namespace discbuild {

constexpr u32 kVhmHeaderSize = 272;
constexpr u32 kVhmBoneSize = 144;
constexpr u32 kVhmMeshSize = 96;
constexpr u32 kVhmSelectionSetSize = 28;
constexpr u32 kVhmNameRefSize = 20;  // texture and animation references
constexpr u32 kVhmPhysicsPrimSize = 80;

struct VhmMesh {
    s_Vector4 centerOffset{}, minBounds{}, maxBounds{};
    u32 flags = 0;
    f32 radius = 0;
    // The end command is written after these.
    std::vector<s_model_command> commands;
    s32 numPolygons = 0;
    u32 firstIndex = 0;  // the mesh's indices: a run of the model's index list
    u32 numIndices = 0;
    u32 vertGQR = 0;
};

struct VhmSelectionSet {
    std::string name;
    u16 numVertex = 0, vertexIndex = 0;
    u16 numFace = 0, faceIndex = 0;
    u16 numVeil = 0, veilIndex = 0;
};

// The run-time slots of the records (texture and animation pointers, the weighted
// buffer, the bone remap list) are written as 0.
struct VhmModel {
    u32 flags = 0;
    u16 vertexFlags = 0;
    u16 vertexSize = 0;
    f32 radius = 0;
    s_Vector4 centerOffset{}, minBounds{}, maxBounds{};
    u32 materialFlags = 0;

    std::vector<s_model_vertex> vertices;  // numVertex
    std::vector<s_model_collision_vertex> collisionVertices;
    std::vector<u16> indices;
    std::vector<s_Vector4> normals;
    s32 rootBoneId = 0;
    std::vector<s_hmatrix_bone_def> bones;
    std::vector<VhmMesh> meshes;
    std::vector<s_model_collision_sphere> collisionSpheres;
    std::vector<s_model_collision_sphere> linkPoints;
    std::vector<VhmSelectionSet> selectionSets;
    std::vector<s_model_set_vertex> selectionSetVertices;
    std::vector<u16> vertexIndices, faceIndices, veilIndices;
    std::vector<std::string> textureNames;
    std::vector<std::string> animNames;
    std::vector<s_model_collision_face> collisionFaces;
    std::vector<s_draw_veil> veils;
    // Items: mesh, collision face and veil numbers. No tree is written as offset 0.
    std::optional<OctreeNode> octTree, collisionOctTree, veilOctTree;
    std::vector<s_ORB_MATERIAL> materials;
    std::vector<std::vector<u8>> physicsPrims;  // 80-byte big-endian records, as stored

    // vertexListUnion: at most one of the three, numVertex records.
    std::vector<s_model_vertex_skinned> skinnedVertices;
    std::vector<s_model_vertex_quant> quantVertices;
    std::vector<s_model_vertex_float> floatVertices;
    // Skinned models: the end command is written after these.
    std::vector<s_vertex_cmd> vertexCommands;
    std::vector<s_model_vertex_weight> vertexWeights;  // numVertex
    std::vector<u32> weightBones;                      // numVertex
    u32 vertNormGQR = 0;
};

// Header, then every list in the order of the header's fields, each on 16 bytes.
// A name longer than 16 characters, a physics record that is not 80 bytes, two
// vertex unions, a union or skin list whose length is not numVertex, or a mesh
// whose indices run past the index list throws std::invalid_argument.
std::vector<u8> VhmPayload(const VhmModel& model);

}  // namespace discbuild
