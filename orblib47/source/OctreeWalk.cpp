// The octree walks. A checked tree is a forest whose links point back at their
// parents, so a walk goes down through children and back up through ParentId
// without recursion and without a stack.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Octree.h"

s32 DebugOctTreeLevel = -1;

namespace {

constexpr s32 kClipOutside = 0x3F;  // any frustum plane's bit

struct s_cct_tree_args {
    s_Vector3 pos;
    f32 radius;
    f32 slop;  // added to each node radius in the frustum tests
    const s_octtree_map* octTree;
    OctTreeFunc collisionFunc;
    void* data;
    const s_Matrix4* matrix;  // null: node centres as they are, veils tested
};

// Depth first from the root: visit(node, level) returns true to enter the node's
// children; then the next sibling, climbing to the parent's when a chain ends.
template <typename Visit>
void Walk(const s_octtree_map& map, Visit visit) {
    if (map.NumNodes == 0)
        return;
    const s_octtree_node* node = &map.Nodes[0];
    s32 level = 0;
    for (;;) {
        if (visit(*node, level) && node->ChildId != -1) {
            node = &map.Nodes[node->ChildId];
            ++level;
            continue;
        }
        while (node->SiblingId == -1) {
            if (node->ParentId == -1)
                return;
            node = &map.Nodes[node->ParentId];
            --level;
        }
        node = &map.Nodes[node->SiblingId];
    }
}

void Report(const s_cct_tree_args& args, const s_octtree_node& node, s32 clipFlags) {
    const u16* atom = args.octTree->BoneIndex + node.StartAtomId;
    for (u32 i = 0; i < node.NumAtoms; ++i, ++atom)
        args.collisionFunc(*atom == OCTTREE_NO_ITEM ? -1 : s32(*atom), args.data, clipFlags, &node);
}

bool FrustumVisit(const s_cct_tree_args& args, const s_octtree_node& node) {
    s_Vector3 centre = node.Center;
    if (args.matrix != nullptr)
        Matrix4MultPoints(args.matrix, &centre, &node.Center, 1);
    const s32 clip = DrawClipSphereInside(&centre, node.Radius + args.slop);
    if (clip & kClipOutside)
        return false;
    const s32 veil = args.matrix != nullptr ? DC_CLIP_NONE : DrawClipSphereInsideVeils(&centre, node.Radius);
    if (veil & DC_CLIP_COMPLETELY_INSIDE_VEIL)
        return false;
    if ((clip & DC_CLIP_COMPLETELY_INSIDE) && !(veil & DC_CLIP_VEIL)) {
        Report(args, node, 1);
        return false;
    }
    if (node.ChildId != -1)
        return true;
    Report(args, node, 0);
    return false;
}

void FrustumWalk(const s_cct_tree_args& args) {
    Walk(*args.octTree, [&](const s_octtree_node& node, s32) { return FrustumVisit(args, node); });
}

// A colour per level, eight levels round.
constexpr u32 kLevelColors[8] = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu, 0xFFFF00FFu,
                                 0xFF00FFFFu, 0x00FFFFFFu, 0xFF8000FFu, 0xFFFFFFFFu};

void DrawLevel(const s_octtree_map& map, s32 debugLevel) {
    const u32 flat = DrawSetFlatColor(kLevelColors[debugLevel % 8]);
    Walk(map, [&](const s_octtree_node& node, s32 level) {
        if (level < debugLevel)
            return true;
        const s_Vector3& c = node.Center;
        const f32 r = node.Radius;
        const s_Vector3 min = {c.x - r, c.y - r, c.z - r, 0.0f};
        const s_Vector3 max = {c.x + r, c.y + r, c.z + r, 0.0f};
        DrawBox(&min, &max);
        return false;
    });
    DrawSetFlatColor(flat);
}

}  // namespace

void OctTreeColdReset() {
    DebugOctTreeLevel = -1;
}

void OctTreeFrustum(const s_octtree_map* octTree, OctTreeFunc func, void* data) {
    FrustumWalk({{}, 0.0f, 0.0f, octTree, func, data, nullptr});
    if (DebugOctTreeLevel >= 0)
        DrawLevel(*octTree, DebugOctTreeLevel);
}

void OctTreeFrustumMatrix(const s_octtree_map* octTree, const s_Matrix4* matrix, OctTreeFunc func,
                          void* data) {
    FrustumWalk({{}, 0.0f, 0.0f, octTree, func, data, matrix});
}

void OctTreeFrustumFar(const s_octtree_map* octTree, OctTreeFunc func, void* data, f32 farZ, f32 slop) {
    DrawUpdateFarClipPlane(farZ);
    FrustumWalk({{}, 0.0f, slop, octTree, func, data, nullptr});
    DrawUpdateFarClipPlane(DrawContext.viewport->farZ);
}

void OctTreeSphere(const s_octtree_map* octTree, const s_Vector3* pos, f32 radius, OctTreeFunc func,
                   void* data) {
    const s_cct_tree_args args = {*pos, radius, 0.0f, octTree, func, data, nullptr};
    Walk(*octTree, [&](const s_octtree_node& node, s32) {
        const f32 dx = node.Center.x - args.pos.x;
        const f32 dy = node.Center.y - args.pos.y;
        const f32 dz = node.Center.z - args.pos.z;
        const f32 reach = args.radius + node.Radius;
        if (!(dx * dx + dy * dy + dz * dz < reach * reach))
            return false;
        if (node.ChildId != -1)
            return true;
        Report(args, node, 0);
        return false;
    });
}
