// Models made of generated shapes, described for the "VHM" writer: quantised
// vertices, strip command streams and, for skinned models, the skinning arrays and
// the skeleton.
#pragma once

#include <string>
#include <vector>

#include "orblib47/source/Material.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/modelgen/Shapes.h"
#include "tools/modelgen/Skinning.h"

namespace modelgen {

// An opaque, lit, back-culled material of diffuse colour 0xRRGGBBAA, with one
// diffuse texture pass when `texture` names one.
s_ORB_MATERIAL PlainMaterial(u32 diffuse, const std::string& texture = {});

struct GeneratedModel {
    discbuild::VhmModel vhm;  // its textureNames name the materials' textures
};

struct Part {
    Mesh mesh;
    s_ORB_MATERIAL material;
};

// A mesh for each part, with a material of its own, drawn as strips of quantised
// vertices.
GeneratedModel StaticModel(const std::vector<Part>& parts);

// One mesh under one material, weighted by `influences` over `bones` (SkinMesh):
// skinned strips, and the triangles no strip joins as one skinned list.
GeneratedModel SkinnedModel(Mesh mesh, const std::vector<Influences>& influences,
                            const s_ORB_MATERIAL& material, std::vector<s_hmatrix_bone_def> bones);

// The octree over the model's meshes (their bounding spheres) that the scene draws
// through.
void SetMeshOctree(discbuild::VhmModel* model);

}  // namespace modelgen
