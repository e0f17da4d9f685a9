// Models made of generated shapes: the records of a model chunk in native form,
// with quantised vertices, strip command streams and, for skinned models, the
// skinning arrays and the skeleton.
#pragma once

#include <string>
#include <vector>

#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "tools/modelgen/Shapes.h"
#include "tools/modelgen/Skinning.h"

namespace modelgen {

// An opaque, lit, back-culled material of diffuse colour 0xRRGGBBAA, with one
// diffuse texture pass when `texture` names one.
s_ORB_MATERIAL PlainMaterial(u32 diffuse, const std::string& texture = {});

struct MeshRecord {
    s_Vector4 centerOffset{}, minBounds{}, maxBounds{};
    f32 radius = 0;
    std::vector<s_model_command> commands;  // ends with the end command
    std::vector<u16> indices;               // the primitives' vertex indices
    s32 numPolygons = 0;
};

struct GeneratedModel {
    u32 flags = 0;
    s_Vector4 centerOffset{}, minBounds{}, maxBounds{};
    f32 radius = 0;
    u32 vertNormGQR = 0;
    std::vector<s_model_vertex_quant> quantVertices;  // a static model's vertices
    SkinArrays skin;                                  // a skinned model's
    std::vector<s_hmatrix_bone_def> bones;
    s32 rootBoneId = 0;
    std::vector<s_ORB_MATERIAL> materials;
    std::vector<MeshRecord> meshes;
    std::vector<std::string> animDefs;  // animation banks by name
};

struct Part {
    Mesh mesh;
    s_ORB_MATERIAL material;
};

// A mesh for each part, with a material of its own, drawn as strips of quantised
// vertices.
GeneratedModel StaticModel(const std::vector<Part>& parts);

// One mesh under one material, weighted by `influences` over `bones`: skinned strips,
// and the triangles no strip joins as one skinned list.
GeneratedModel SkinnedModel(Mesh mesh, const std::vector<Influences>& influences,
                            const s_ORB_MATERIAL& material, std::vector<s_hmatrix_bone_def> bones);

}  // namespace modelgen
