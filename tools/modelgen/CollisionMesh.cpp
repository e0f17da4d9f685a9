#include "tools/modelgen/CollisionMesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "orblib47/source/Collision.h"
#include "tools/modelgen/SphereTree.h"

namespace modelgen {

namespace {

// Normals this close to each other lie in one plane for joining.
constexpr f32 kFlat = 0.9999f;

s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0};
}
s_Vector3 Cross(const s_Vector3& a, const s_Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0};
}
f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

s_Vector3 UnitNormal(const s_Vector3& a, const s_Vector3& b, const s_Vector3& c) {
    const s_Vector3 n = Cross(Sub(b, a), Sub(c, a));
    const f32 length = std::sqrt(Dot(n, n));
    if (length == 0)
        throw std::invalid_argument("modelgen: a degenerate collision triangle");
    return {n.x / length, n.y / length, n.z / length, 0};
}

// The dominant axis, ties going to x before y before z, as the engine classifies.
u16 AxisFlag(const s_Vector3& n) {
    const f32 ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (ax >= ay && ax >= az)
        return n.x >= 0 ? COLLISION_AXIS_X : COLLISION_AXIS_X_NEG;
    if (ay >= az)
        return n.y >= 0 ? COLLISION_AXIS_Y : COLLISION_AXIS_Y_NEG;
    return n.z >= 0 ? COLLISION_AXIS_Z : COLLISION_AXIS_Z_NEG;
}

// Every turn of the outline bends the same way as the normal.
bool Convex(const std::vector<s_Vector3>& corners, const s_Vector3& normal) {
    for (size_t i = 0; i < corners.size(); ++i) {
        const s_Vector3& a = corners[i];
        const s_Vector3& b = corners[(i + 1) % corners.size()];
        const s_Vector3& c = corners[(i + 2) % corners.size()];
        if (Dot(Cross(Sub(b, a), Sub(c, b)), normal) <= 0)
            return false;
    }
    return true;
}

// The corners of triangles t and u as one quad when u shares an edge of t the other
// way round, lies in its plane and the outline is convex; else empty.
std::vector<u16> JoinedQuad(const std::array<u16, 3>& t, const std::array<u16, 3>& u, const Mesh& mesh) {
    for (u32 e = 0; e < 3; ++e) {
        const u16 from = t[e], to = t[(e + 1) % 3];
        for (u32 k = 0; k < 3; ++k) {
            if (u[k] != to || u[(k + 1) % 3] != from)
                continue;
            const std::vector<u16> quad = {t[e], u[(k + 2) % 3], t[(e + 1) % 3], t[(e + 2) % 3]};
            std::vector<s_Vector3> corners;
            for (u16 i : quad)
                corners.push_back(mesh.vertices[i].pos);
            const s_Vector3 nt = UnitNormal(corners[0], corners[2], corners[3]);
            const s_Vector3 nu = UnitNormal(corners[0], corners[1], corners[2]);
            if (Dot(nt, nu) >= kFlat && Convex(corners, nt))
                return quad;
        }
    }
    return {};
}

template <typename T, typename Same>
u16 IndexOf(std::vector<T>* list, const T& value, Same same) {
    const auto found = std::find_if(list->begin(), list->end(), [&](const T& v) { return same(v, value); });
    if (found != list->end())
        return u16(found - list->begin());
    if (list->size() >= 0xFFFF)
        throw std::invalid_argument("modelgen: more collision vertices or normals than 16-bit indices reach");
    list->push_back(value);
    return u16(list->size() - 1);
}

void AddFace(discbuild::VhmModel* model, const Mesh& mesh, const std::vector<u16>& corners, u16 flags,
             u16 surface) {
    const s_Vector3& a = mesh.vertices[corners[0]].pos;
    const s_Vector3 n = UnitNormal(a, mesh.vertices[corners[1]].pos, mesh.vertices[corners[2]].pos);
    s_model_collision_face face{};
    face.flags = u16(flags | AxisFlag(n) | (corners.size() == 4 ? COLLISION_QUAD : 0));
    face.surface = surface;
    face.normalIndex = IndexOf(
        &model->normals, s_Vector4{n.x, n.y, n.z, 0},
        [](const s_Vector4& p, const s_Vector4& q) { return p.x == q.x && p.y == q.y && p.z == q.z; });
    s_Vector3 centre{};
    for (size_t i = 0; i < corners.size(); ++i) {
        const s_Vector3& p = mesh.vertices[corners[i]].pos;
        face.vertIndex[i] = IndexOf(&model->collisionVertices, s_model_collision_vertex{p.x, p.y, p.z, 0},
                                    [](const s_model_collision_vertex& v, const s_model_collision_vertex& w) {
                                        return v.x == w.x && v.y == w.y && v.z == w.z;
                                    });
        centre = {centre.x + p.x / f32(corners.size()), centre.y + p.y / f32(corners.size()),
                  centre.z + p.z / f32(corners.size()), 0};
    }
    face.x = centre.x;
    face.y = centre.y;
    face.z = centre.z;
    for (u16 i : corners) {
        const s_Vector3 d = Sub(mesh.vertices[i].pos, centre);
        face.radius = std::max(face.radius, std::sqrt(Dot(d, d)));
    }
    if (model->collisionFaces.size() >= 0xFFFF)
        throw std::invalid_argument("modelgen: more collision faces than an octree indexes");
    model->collisionFaces.push_back(face);
}

}  // namespace

void AddCollisionFaces(discbuild::VhmModel* model, const Mesh& mesh, u16 flags, u16 surface) {
    flags &= u16(~(COLLISION_QUAD | COLLISION_AXIS_MASK));
    const std::vector<u16>& t = mesh.triangles;
    for (size_t k = 0; k + 2 < t.size(); k += 3) {
        const std::array<u16, 3> first = {t[k], t[k + 1], t[k + 2]};
        if (k + 5 < t.size()) {
            const std::vector<u16> quad = JoinedQuad(first, {t[k + 3], t[k + 4], t[k + 5]}, mesh);
            if (!quad.empty()) {
                AddFace(model, mesh, quad, flags, surface);
                k += 3;
                continue;
            }
        }
        AddFace(model, mesh, {first.begin(), first.end()}, flags, surface);
    }
}

void SetCollisionOctree(discbuild::VhmModel* model) {
    std::vector<ItemSphere> spheres;
    for (size_t i = 0; i < model->collisionFaces.size(); ++i) {
        const s_model_collision_face& f = model->collisionFaces[i];
        spheres.push_back({{f.x, f.y, f.z, 0}, f.radius, u16(i)});
    }
    model->collisionOctTree = SphereTree(std::move(spheres));
}

}  // namespace modelgen
