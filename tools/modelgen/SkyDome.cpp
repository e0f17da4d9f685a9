#include "tools/modelgen/SkyDome.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

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

// Seen from inside: the winding and the normals turned round; unlit.
GeneratedModel Inside(Mesh mesh) {
    for (size_t k = 0; k + 2 < mesh.triangles.size(); k += 3)
        std::swap(mesh.triangles[k + 1], mesh.triangles[k + 2]);
    for (Vertex& v : mesh.vertices)
        v.normal = {-v.normal.x, -v.normal.y, -v.normal.z, 0};
    s_ORB_MATERIAL material = PlainMaterial(0xFFFFFFFFu);
    material.drawModes.lighting = 0;
    return StaticModel({{std::move(mesh), material}});
}

}  // namespace

GeneratedModel SkyDome(f32 radius, u32 zenith, u32 horizon, u32 below) {
    Mesh mesh = Sphere(radius, 12, 24, 0);
    for (Vertex& v : mesh.vertices) {
        const f32 height = v.pos.y / radius;
        v.color =
            height >= 0 ? Mix(horizon, zenith, height) : Mix(horizon, below, std::min(1.0f, -4 * height));
    }
    return Inside(std::move(mesh));
}

GeneratedModel SkyCap(f32 radius, f32 lowest, u32 zenith, u32 rim) {
    constexpr u32 kRings = 3;
    std::vector<ProfilePoint> profile;
    for (u32 k = 0; k <= kRings; ++k) {
        const f32 angle = lowest + (std::numbers::pi_v<f32> / 2 - lowest) * f32(k) / kRings;
        profile.push_back({k == kRings ? 0 : radius * std::cos(angle), radius * std::sin(angle)});
    }
    Mesh mesh = Lathe(profile, 16, 0);
    const f32 rimHeight = std::sin(lowest);
    for (Vertex& v : mesh.vertices)
        v.color = Mix(rim, zenith, (v.pos.y / radius - rimHeight) / (1 - rimHeight));
    return Inside(std::move(mesh));
}

}  // namespace modelgen
