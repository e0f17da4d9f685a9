// A model's collision faces made from the triangles of a mesh: vertices and normals
// shared by position, two triangles of one flat convex quad joined as a quad face,
// each face flagged with its dominant normal axis and the caller's surface flags,
// and the octree over the faces that the collision caches walk.
#pragma once

#include "tools/discbuild/VhmWriter.h"
#include "tools/modelgen/Shapes.h"

namespace modelgen {

// `flags` is a u_COLLISION_FLAGS mask without the quad and axis bits.
void AddCollisionFaces(discbuild::VhmModel* model, const Mesh& mesh, u16 flags, u16 surface = 0);

// The collision octree over every face added so far.
void SetCollisionOctree(discbuild::VhmModel* model);

}  // namespace modelgen
