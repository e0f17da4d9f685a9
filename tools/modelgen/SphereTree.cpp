#include "tools/modelgen/SphereTree.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace modelgen {

namespace {

f32 Axis(const s_Vector3& v, u32 axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// The box centre of the spheres' extents, grown to hold every sphere whole.
void Enclose(std::span<const ItemSphere> spheres, discbuild::OctreeNode* node) {
    s_Vector3 lo = spheres[0].center, hi = lo;
    for (const ItemSphere& s : spheres) {
        lo = {std::min(lo.x, s.center.x - s.radius), std::min(lo.y, s.center.y - s.radius),
              std::min(lo.z, s.center.z - s.radius), 0};
        hi = {std::max(hi.x, s.center.x + s.radius), std::max(hi.y, s.center.y + s.radius),
              std::max(hi.z, s.center.z + s.radius), 0};
    }
    const s_Vector3 c{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2, 0};
    node->center = {c.x, c.y, c.z};
    node->radius = 0;
    for (const ItemSphere& s : spheres)
        node->radius = std::max(node->radius,
                                std::hypot(s.center.x - c.x, s.center.y - c.y, s.center.z - c.z) + s.radius);
}

u32 WidestAxis(std::span<const ItemSphere> spheres) {
    u32 widest = 0;
    f32 spread = -1;
    for (u32 axis = 0; axis < 3; ++axis) {
        const auto [lo, hi] = std::minmax_element(spheres.begin(), spheres.end(), [axis](auto& a, auto& b) {
            return Axis(a.center, axis) < Axis(b.center, axis);
        });
        const f32 s = Axis(hi->center, axis) - Axis(lo->center, axis);
        if (s > spread) {
            spread = s;
            widest = axis;
        }
    }
    return widest;
}

discbuild::OctreeNode Build(std::span<ItemSphere> spheres) {
    discbuild::OctreeNode node;
    Enclose(spheres, &node);
    if (spheres.size() <= kSphereTreeLeafItems) {
        for (const ItemSphere& s : spheres)
            node.items.push_back(s.item);
        return node;
    }
    const u32 axis = WidestAxis(spheres);
    const size_t half = spheres.size() / 2;
    std::nth_element(spheres.begin(), spheres.begin() + std::ptrdiff_t(half), spheres.end(),
                     [axis](auto& a, auto& b) { return Axis(a.center, axis) < Axis(b.center, axis); });
    node.children.push_back(Build(spheres.first(half)));
    node.children.push_back(Build(spheres.subspan(half)));
    return node;
}

}  // namespace

discbuild::OctreeNode SphereTree(std::vector<ItemSphere> spheres) {
    if (spheres.empty())
        return {};
    return Build(spheres);
}

}  // namespace modelgen
