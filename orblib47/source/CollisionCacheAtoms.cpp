// Refreshing a collision cache from the current static world: the collision world
// model's faces, then those of every atom's current model under the atom's matrix.
#include "orblib47/source/CollisionCacheInternal.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/World.h"

namespace {

struct s_atom_gather {
    s_collision_gather faces;
    const s_world* world;
};

// The atom's model of its group's last level-of-detail choice, if any.
void AddAtom(s_atom_gather* g, s32 atomId) {
    const s_world_atom& atom = g->world->atomList[atomId];
    s_collision_gather faces = g->faces;
    faces.model = ModelGroupGet(atom.groupId, atom.prevModel);
    faces.matrix = &atom.matrix;
    if (faces.model != nullptr)
        CollisionGatherModel(&faces);
}

void AddAtomFunc(s32 item, void* data, s32, const s_octtree_node*) {
    auto* g = static_cast<s_atom_gather*>(data);
    if (item >= 0 && item < g->world->numAtom)
        AddAtom(g, item);
}

}  // namespace

s_collision_cache* PolyCollideCacheWorld(s_collision_cache* cache, const s_world* world, const s_Vector3* pos,
                                         const s_Vector3* minmax) {
    s_atom_gather g{{cache, CollisionWorldModel, nullptr, {}, {}}, world};
    if (!CollisionCacheStartFill(cache, *pos, minmax, &g.faces.min, &g.faces.max))
        return cache;
    if (g.faces.model != nullptr)
        CollisionGatherModel(&g.faces);
    if (world->octTree == nullptr) {
        for (s32 i = 0; i < world->numAtom; ++i)
            AddAtom(&g, i);
        return cache;
    }
    s_Vector3 centre;
    const f32 radius = CollisionBoxSphere(g.faces.min, g.faces.max, &centre);
    OctTreeSphere(world->octTree, &centre, radius, AddAtomFunc, &g);
    return cache;
}
