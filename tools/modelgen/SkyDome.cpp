#include "tools/modelgen/SkyDome.h"

#include <algorithm>

namespace modelgen {

namespace {

u32 Mix(u32 a, u32 b, f32 t) {
    u32 out = 0;
    for (u32 shift = 0; shift < 32; shift += 8) {
        const f32 x = f32((a >> shift) & 0xFF), y = f32((b >> shift) & 0xFF);
        out |= u32(x + (y - x) * t + 0.5f) << shift;
    }
    return out;
}

}  // namespace

// Seen from inside: the winding and the normals turned round.
GeneratedModel SkyDome(f32 radius, u32 zenith, u32 horizon, u32 below) {
    Mesh mesh = Sphere(radius, 12, 24, 0);
    for (size_t k = 0; k + 2 < mesh.triangles.size(); k += 3)
        std::swap(mesh.triangles[k + 1], mesh.triangles[k + 2]);
    for (Vertex& v : mesh.vertices) {
        v.normal = {-v.normal.x, -v.normal.y, -v.normal.z, 0};
        const f32 height = v.pos.y / radius;
        v.color =
            height >= 0 ? Mix(horizon, zenith, height) : Mix(horizon, below, std::min(1.0f, -4 * height));
    }
    s_ORB_MATERIAL material = PlainMaterial(0xFFFFFFFFu);
    material.drawModes.lighting = 0;
    return StaticModel({{std::move(mesh), material}});
}

}  // namespace modelgen
