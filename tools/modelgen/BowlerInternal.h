// What the bowler's files share: the joints in metres, shapes placed in a bone's
// frame, and the builder of a part skinned to the skeleton.
#pragma once

#include <array>
#include <vector>

#include "tools/modelgen/Bowler.h"

namespace modelgen::bowler {

struct Joint {
    s8 parent;
    s_Vector3 offset;  // metres from the parent's joint in the bind pose
};

extern const Joint kJoints[BOWLER_BONE_COUNT];

// Bone-to-model matrices of the bind pose, in world units.
std::array<s_Matrix4, BOWLER_BONE_COUNT> BindMatrices();

// `mesh` scaled by `scale` about the origin, then moved by `offset` (metres);
// normals follow the scale.
Mesh Placed(Mesh mesh, const s_Vector3& scale, const s_Vector3& offset);
// Appends `part`'s vertices and triangles to `mesh`.
void Append(Mesh* mesh, const Mesh& part);

// A part of the bowler skinned to the skeleton: shapes given in a bone's frame, in
// metres; vertices within `blend` of the bone's joint also follow its parent.
class SkinBuilder {
public:
    void Add(s32 bone, const Mesh& shape, f32 blend = 0.05f);
    bool Empty() const { return mesh_.vertices.empty(); }
    GeneratedModel Build(const s_ORB_MATERIAL& material) const;

private:
    Mesh mesh_;
    std::vector<Influences> influences_;
};

// e_BowlerBone mirrored: right and left exchanged.
s32 MirrorBone(s32 bone);

}  // namespace modelgen::bowler
