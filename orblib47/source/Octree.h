// Octrees: trees of bounding spheres over a model's meshes, faces or veils, a
// level's instances or a world's atoms, walked against the view frustum (with the
// veil volumes), the frustum under a matrix, a nearer far plane, or a sphere. Veil
// planes: occluder quads of a model that hide whatever lies wholly behind them.
#pragma once

#include <cstddef>
#include <span>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

// The chunk layout, swapped in place. The atoms of a node's range cover those of
// its whole subtree (atoms are stored depth first), so a node wholly in view
// reports its range without visiting its children.
struct s_octtree_node {
    s_Vector3 Center;  // w is padding
    f32 Radius;
    u16 NumAtoms;
    u16 StartAtomId;  // index into BoneIndex
    s16 ChildId;      // first child, -1 for a leaf
    s16 SiblingId;    // next node of the same parent, -1 for the last
    s16 ParentId;     // -1 for the root and its siblings
    s16 Flags;        // not read by the walks
};
static_assert(sizeof(s_octtree_node) == 32);

// Node 0 is the root; NumNodes 0 is an empty tree.
struct s_octtree_map {
    u32 NumNodes;
    const s_octtree_node* Nodes;
    u32 NumBoneIndex;
    const u16* BoneIndex;  // the item number of each atom
};

// An atom whose item is 0xFFFF stands for nothing; callbacks receive it as -1.
constexpr u16 OCTTREE_NO_ITEM = 0xFFFF;

// item: the atom's item number (-1 for none); clipFlags: 1 when the node lies
// wholly in view (no further test needed), else 0; node: the reporting node.
using OctTreeFunc = void (*)(s32 item, void* data, s32 clipFlags, const s_octtree_node* node);

// Checks the 16-byte map at `offset` of the chunk data and the arrays it points
// at, without writing: every id in range, the root chain and each child chain
// pointing back at their parent, no node reachable twice, every atom range
// inside the atoms and inside its parent's range, and every item below numItems
// (or OCTTREE_NO_ITEM). `out` receives the map with pointers into the chunk (the
// arrays still big-endian). A bad map gets a one-line error and false.
bool OctTreeCheck(std::span<u8> chunk, u32 offset, u32 numItems, s_octtree_map* out);
// Swaps a checked map's node and atom arrays to native order in place.
void OctTreeSwap(const s_octtree_map& map);
// Check, then swap. A caller parsing several maps of one chunk checks them all
// first and keeps their arrays apart: a region swapped twice is no longer checked.
bool OctTreeParse(std::span<u8> chunk, u32 offset, u32 numItems, s_octtree_map* out);
// After the chunk data moved by `delta` bytes; a null map is ignored.
void OctTreeRemap(s_octtree_map* octTree, std::ptrdiff_t delta);

// The walks. Each node is visited at most once and none is visited through
// recursion, so a deep or long tree costs no stack.
// Frustum and veils, no slop; then the nodes of level DebugOctTreeLevel (when 0
// or more) are outlined.
void OctTreeFrustum(const s_octtree_map* octTree, OctTreeFunc func, void* data);
// Every node centre transformed by `matrix` first; no veil test.
void OctTreeFrustumMatrix(const s_octtree_map* octTree, const s_Matrix4* matrix, OctTreeFunc func,
                          void* data);
// With the far plane at farZ and `slop` added to every node radius; the far plane
// is put back to the viewport's own farZ afterwards.
void OctTreeFrustumFar(const s_octtree_map* octTree, OctTreeFunc func, void* data, f32 farZ, f32 slop);
// Leaves whose sphere meets (strictly) the sphere at pos, through inner nodes that
// meet it; clipFlags 0.
void OctTreeSphere(const s_octtree_map* octTree, const s_Vector3* pos, f32 radius, OctTreeFunc func,
                   void* data);

// The level whose nodes OctTreeFrustum outlines; -1 (none) unless a developer
// sets it.
extern s32 DebugOctTreeLevel;
// Part of the engine cold reset: no level outlined.
void OctTreeColdReset();

// An occluder quad (the chunk layout, swapped in place).
struct s_draw_veil {
    f32 x, y, z, radius;  // bounding sphere
    u32 normalIndex;
    u16 vertIndex[4];  // corners, indices into the collision vertices
    u32 flags;
};
static_assert(sizeof(s_draw_veil) == 32);
constexpr u32 DRAW_VEIL_DISABLED = 0x80000000u;

// Checks `count` veils at `offset` (every corner below numVertices) and swaps them
// in place; `out` points at them. A bad list gets a one-line error and false.
bool VeilListParse(std::span<u8> chunk, u32 offset, u32 count, u32 numVertices, s_draw_veil** out);

// Five planes per veil: the quad's plane, facing away from the camera, and the four
// planes through the camera and its edges.
constexpr s32 VEIL_MAX = 20;
extern s_draw_clip_plane TempVeilPlanes[VEIL_MAX * DRAW_VEIL_PLANE_COUNT];

// Builds the planes of the model's enabled veils that lie in front of the current
// viewport's camera and in view, and hands them to the viewport (none for a model
// without veils). Past VEIL_MAX veils the rest are dropped with a one-line message.
void ModelUpdateVeilPlanes(const s_model* model);

// Draws an unskinned model under `world`: through its octree, the meshes in view
// filed per material and drawn opaque first, the alpha ones too when `onePass` is
// set (else they stay filed for a later ModelDrawEnd); without an octree, the
// bones' meshes in view at once.
void ModelDrawWithAlpha(s_model* model, const s_Matrix4* world, s32 onePass);
