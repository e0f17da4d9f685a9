// A mesh's vertices in the form the skinning stream reads: quantised rest-pose
// vertices, 16-bit weights, packed bone ids and the vertex command stream.
#pragma once

#include <array>
#include <vector>

#include "tools/discbuild/VhmWriter.h"
#include "tools/modelgen/Shapes.h"

namespace modelgen {

constexpr u8 kNoBone = 0xFF;

// The bones one vertex follows (one to three) and their weights, which are scaled
// to sum to one; slots of weight 0 are unused.
struct Influences {
    std::array<u8, 3> bones{kNoBone, kNoBone, kNoBone};
    std::array<f32, 3> weights{};
};

// Reorders the mesh's vertices (renumbering its triangles) so that those following
// the same bones lie together, and encodes them into the model's skinned vertices,
// weights (rounded to sum to 0x8000), bone table, vertex commands and vertNormGQR:
// per bone set one matrix command and its skin runs, at most
// MODEL_SKIN_INDEX_COUNT vertices a run under three matrices. Throws
// std::invalid_argument for a vertex without a bone, a bone id at or past numBones
// or MODEL_MAX_BONES, or counts that do not match.
void SkinMesh(Mesh* mesh, const std::vector<Influences>& influences, u32 numBones,
              discbuild::VhmModel* model);

}  // namespace modelgen
