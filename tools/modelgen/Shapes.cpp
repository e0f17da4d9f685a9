#include "tools/modelgen/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace modelgen {

namespace {

u32 AxisOf(const s_Vector3& unit) {
    return unit.x != 0 ? 0 : unit.y != 0 ? 1 : 2;
}

// A face's outward normal and the two axes across it, u x v = normal.
struct Face {
    s_Vector3 normal, u, v;
};
constexpr Face kFaces[6] = {
    {{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}}, {{-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 0}},
    {{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, -1, 0}}, {{0, -1, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 0}},
    {{0, 0, 1, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}},  {{0, 0, -1, 0}, {-1, 0, 0, 0}, {0, 1, 0, 0}},
};

// The point (s, t) of the face, 0..1 across each axis, on the cube from -1 to 1.
s_Vector3 OnUnitCube(const Face& f, f32 s, f32 t) {
    const f32 a = 2 * s - 1, b = 2 * t - 1;
    return {f.normal.x + f.u.x * a + f.v.x * b, f.normal.y + f.u.y * a + f.v.y * b,
            f.normal.z + f.u.z * a + f.v.z * b, 0};
}

Mesh Checked(Mesh mesh) {
    if (mesh.vertices.size() > 0x10000)
        throw std::invalid_argument("modelgen: more vertices than 16-bit indices reach");
    return mesh;
}

void Triangle(Mesh* mesh, u32 a, u32 b, u32 c) {
    mesh->triangles.insert(mesh->triangles.end(), {u16(a), u16(b), u16(c)});
}

// The outward normal of the profile step from p to q in the (r, y) plane, or zero
// for a step of no length.
s_Vector2 StepNormal(const ProfilePoint& p, const ProfilePoint& q) {
    const f32 dr = q.r - p.r, dy = q.y - p.y;
    const f32 length = std::hypot(dr, dy);
    return length == 0 ? s_Vector2{0, 0} : s_Vector2{dy / length, -dr / length};
}

std::vector<s_Vector2> ProfileNormals(std::span<const ProfilePoint> profile) {
    std::vector<s_Vector2> normals(profile.size());
    for (size_t i = 0; i < profile.size(); ++i) {
        s_Vector2 sum{0, 0};
        if (i > 0) {
            const s_Vector2 n = StepNormal(profile[i - 1], profile[i]);
            sum = {sum.x + n.x, sum.y + n.y};
        }
        if (i + 1 < profile.size()) {
            const s_Vector2 n = StepNormal(profile[i], profile[i + 1]);
            sum = {sum.x + n.x, sum.y + n.y};
        }
        // On the axis the surface closes flat across it.
        if (profile[i].r == 0)
            sum = {0, sum.y < 0 ? -1.0f : 1.0f};
        const f32 length = std::hypot(sum.x, sum.y);
        normals[i] = length == 0 ? sum : s_Vector2{sum.x / length, sum.y / length};
    }
    return normals;
}

}  // namespace

Mesh Box(const s_Vector3& min, const s_Vector3& max, const std::array<u32, 3>& divisions, u32 color) {
    const s_Vector3 mid{(min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2, 0};
    const s_Vector3 half{(max.x - min.x) / 2, (max.y - min.y) / 2, (max.z - min.z) / 2, 0};
    Mesh mesh;
    for (const Face& face : kFaces) {
        const u32 nu = std::max(divisions[AxisOf(face.u)], 1u), nv = std::max(divisions[AxisOf(face.v)], 1u);
        const u32 base = u32(mesh.vertices.size());
        for (u32 j = 0; j <= nv; ++j) {
            for (u32 i = 0; i <= nu; ++i) {
                const f32 s = f32(i) / f32(nu), t = f32(j) / f32(nv);
                const s_Vector3 unit = OnUnitCube(face, s, t);
                const s_Vector3 pos{mid.x + half.x * unit.x, mid.y + half.y * unit.y, mid.z + half.z * unit.z,
                                    0};
                mesh.vertices.push_back({pos, face.normal, s, 1 - t, color});
            }
        }
        for (u32 j = 0; j < nv; ++j) {
            for (u32 i = 0; i < nu; ++i) {
                const u32 a = base + j * (nu + 1) + i, b = a + 1, c = a + nu + 1, d = c + 1;
                Triangle(&mesh, a, b, c);
                Triangle(&mesh, b, d, c);
            }
        }
    }
    return Checked(std::move(mesh));
}

Mesh Lathe(std::span<const ProfilePoint> profile, u32 segments, u32 color) {
    if (profile.size() < 2 || segments < 3)
        throw std::invalid_argument("modelgen: a lathe needs two profile points and three segments");
    for (const ProfilePoint& p : profile)
        if (!(p.r >= 0))
            throw std::invalid_argument("modelgen: a lathe profile point left of the axis");
    const std::vector<s_Vector2> normals = ProfileNormals(profile);
    std::vector<f32> along(profile.size(), 0);
    for (size_t i = 1; i < profile.size(); ++i)
        along[i] =
            along[i - 1] + std::hypot(profile[i].r - profile[i - 1].r, profile[i].y - profile[i - 1].y);
    const f32 length = along.back() > 0 ? along.back() : 1;

    Mesh mesh;
    const u32 ring = segments + 1;  // the seam's vertices twice, for u 0 and 1
    for (size_t i = 0; i < profile.size(); ++i) {
        for (u32 j = 0; j <= segments; ++j) {
            const f32 angle = j == segments ? 0 : 2 * std::numbers::pi_v<f32> * f32(j) / f32(segments);
            const f32 c = std::cos(angle), s = std::sin(angle);
            const ProfilePoint& p = profile[i];
            const s_Vector2& n = normals[i];
            mesh.vertices.push_back({{p.r * c, p.y, p.r * s, 0},
                                     {n.x * c, n.y, n.x * s, 0},
                                     f32(j) / f32(segments),
                                     1 - along[i] / length,
                                     color});
        }
    }
    for (u32 i = 0; i + 1 < profile.size(); ++i) {
        const s_Vector2 step = StepNormal(profile[i], profile[i + 1]);
        if (step.x == 0 && step.y == 0)
            continue;  // a crease
        for (u32 j = 0; j < segments; ++j) {
            const u32 a = i * ring + j, b = a + 1, c = a + ring, d = c + 1;
            if (profile[i].r > 0)
                Triangle(&mesh, a, c, b);
            if (profile[i + 1].r > 0)
                Triangle(&mesh, b, c, d);
        }
    }
    return Checked(std::move(mesh));
}

Mesh Sphere(f32 radius, u32 rings, u32 segments, u32 color) {
    if (rings < 2)
        throw std::invalid_argument("modelgen: a sphere needs two rings");
    std::vector<ProfilePoint> profile;
    for (u32 k = 0; k <= rings; ++k) {
        const f32 angle = std::numbers::pi_v<f32> * (f32(k) / f32(rings) - 0.5f);
        const bool pole = k == 0 || k == rings;
        profile.push_back({pole ? 0 : radius * std::cos(angle), radius * std::sin(angle)});
    }
    return Lathe(profile, segments, color);
}

}  // namespace modelgen
