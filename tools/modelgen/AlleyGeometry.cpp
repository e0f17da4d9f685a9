#include <cmath>
#include <stdexcept>
#include <utility>

#include "source/Physics/FilmPlayback.h"
#include "tools/modelgen/AlleyParts.h"

namespace modelgen {

namespace {

// The lane's coordinates map to the world by a turn, a scale and a mirror in x (the
// physics' x runs to the bowler's right, the world's to the left): turn the
// triangles round so that they still face out.
template <typename PointMap>
Mesh Remap(Mesh mesh, PointMap point) {
    for (Vertex& v : mesh.vertices) {
        v.pos = point(v.pos);
        v.normal.x = -v.normal.x;
    }
    for (size_t k = 0; k + 2 < mesh.triangles.size(); k += 3)
        std::swap(mesh.triangles[k + 1], mesh.triangles[k + 2]);
    return mesh;
}

}  // namespace

s_Vector3 AlleyWorldPoint(f32 x, f32 height, f32 z, f32 laneOffset) {
    // An upright pose there: the physics' y points down.
    const RefFrame_t pose = {{x, -height, z, 0}, {{0, -1, 0, 0}, {1, 0, 0, 0}}};
    const s_Matrix4 m = LaneWorldTransform(pose, laneOffset);
    return {m.at(0, 3), m.at(1, 3), m.at(2, 3), 0};
}

Mesh Grid(const s_Vector3& origin, const s_Vector3& a, const s_Vector3& b, u32 na, u32 nb, u32 color,
          f32 uRepeat, f32 vRepeat) {
    s_Vector3 normal;
    Vect3Cross(&normal, &a, &b);
    const f32 length = std::hypot(normal.x, normal.y, normal.z);
    normal = {normal.x / length, normal.y / length, normal.z / length, 0};
    Mesh mesh;
    for (u32 i = 0; i <= na; ++i)
        for (u32 j = 0; j <= nb; ++j) {
            const f32 s = f32(i) / f32(na), t = f32(j) / f32(nb);
            const s_Vector3 p = {origin.x + a.x * s + b.x * t, origin.y + a.y * s + b.y * t,
                                 origin.z + a.z * s + b.z * t, 0};
            mesh.vertices.push_back({p, normal, t * uRepeat, s * vRepeat, color});
        }
    for (u32 i = 0; i < na; ++i)
        for (u32 j = 0; j < nb; ++j) {
            const u16 p = u16(i * (nb + 1) + j), q = u16(p + 1), r = u16(p + nb + 1), w = u16(r + 1);
            mesh.triangles.insert(mesh.triangles.end(), {p, r, q, q, r, w});
        }
    return mesh;
}

void Append(Mesh* mesh, const Mesh& part) {
    if (mesh->vertices.size() + part.vertices.size() > 0x10000)
        throw std::invalid_argument("modelgen: an alley part with more vertices than 16-bit indices reach");
    const u16 base = u16(mesh->vertices.size());
    mesh->vertices.insert(mesh->vertices.end(), part.vertices.begin(), part.vertices.end());
    for (u16 i : part.triangles)
        mesh->triangles.push_back(u16(base + i));
}

Mesh SceneToWorld(Mesh mesh) {
    return Remap(std::move(mesh), [](const s_Vector3& p) { return AlleyWorldPoint(p.x, p.y, p.z); });
}

Mesh ObjectToWorld(Mesh mesh) {
    const s_Vector3 origin = AlleyWorldPoint(0, 0, 0);
    return Remap(std::move(mesh), [&origin](const s_Vector3& p) {
        const s_Vector3 w = AlleyWorldPoint(p.x, p.y, p.z);
        return s_Vector3{w.x - origin.x, w.y - origin.y, w.z - origin.z, 0};
    });
}

}  // namespace modelgen
