// The octree over a set of bounding spheres (meshes, collision faces, world atoms):
// each node's sphere holds those of its items, split in halves along the widest
// spread of their centres until a leaf holds at most kSphereTreeLeafItems.
#pragma once

#include <cstddef>
#include <vector>

#include "orblib47/source/OrbMath.h"
#include "tools/discbuild/OctreeWriter.h"

namespace modelgen {

constexpr size_t kSphereTreeLeafItems = 4;

struct ItemSphere {
    s_Vector3 center{};
    f32 radius = 0;
    u16 item = 0;
};

// An empty list gives a leaf without items.
discbuild::OctreeNode SphereTree(std::vector<ItemSphere> spheres);

}  // namespace modelgen
