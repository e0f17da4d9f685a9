// A native collision world model held in vectors sized exactly: collision vertices,
// normals and faces (each face's surface id is its index), optionally indexed by a
// collision octree over the faces' bounding spheres. No chunk or loader is involved.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Model.h"
#include "tests/support/OctreeBuilder.h"

class CollisionModelBuilder {
public:
    // A triangle, or a quad given four corners; the normal comes from the first three.
    // Each face has corners of its own, so at most 16384 quads fit the 16-bit indices.
    s32 Face(std::initializer_list<s_Vector3> corners, u16 flags = 0, u16 boneId = 0) {
        if (vertices_.size() + corners.size() > 0x10000)
            throw std::length_error("CollisionModelBuilder: too many corners");
        s_model_collision_face face{};
        face.flags = u16(corners.size() == 4 ? flags | COLLISION_QUAD : flags & ~COLLISION_QUAD);
        face.surface = u16(faces_.size());
        face.boneId = boneId;
        face.normalIndex = u16(normals_.size());
        s_Vector3 centre{};
        u32 i = 0;
        for (const s_Vector3& c : corners) {
            face.vertIndex[i++] = u16(vertices_.size());
            vertices_.push_back({c.x, c.y, c.z, 0xFFFFFFFFu});
            centre = {centre.x + c.x / f32(corners.size()), centre.y + c.y / f32(corners.size()),
                      centre.z + c.z / f32(corners.size()), 0.0f};
        }
        for (const s_Vector3& c : corners)
            face.radius = std::max(face.radius, Distance(c, centre));
        face.x = centre.x, face.y = centre.y, face.z = centre.z;
        const s_Vector3* p = corners.begin();
        const s_Vector3 e1 = {p[1].x - p[0].x, p[1].y - p[0].y, p[1].z - p[0].z, 0.0f};
        const s_Vector3 e2 = {p[2].x - p[0].x, p[2].y - p[0].y, p[2].z - p[0].z, 0.0f};
        s_Vector3 n;
        Vect3Cross(&n, &e1, &e2);
        Vect3Normal(&n, &n);
        normals_.push_back({n.x, n.y, n.z, 0.0f});
        faces_.push_back(face);
        return s32(faces_.size() - 1);
    }

    // `count` small random triangles and quads in the cube of half-size `extent` about
    // the origin, each within `size` of its first corner.
    void RandomFaces(u32 seed, s32 count, f32 extent, f32 size) {
        std::mt19937 rng(seed);
        const auto uniform = [&](f32 lo, f32 hi) { return std::uniform_real_distribution<f32>(lo, hi)(rng); };
        for (s32 i = 0; i < count; ++i) {
            const s_Vector3 a = {uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent),
                                 0};
            const auto near = [&] {
                return s_Vector3{a.x + uniform(-size, size), a.y + uniform(-size, size),
                                 a.z + uniform(-size, size), 0.0f};
            };
            if (i % 3 == 0)
                Face({a, near(), near(), near()});
            else
                Face({a, near(), near()});
        }
    }

    // Points the model at the lists; with `octree`, also at a tree whose leaves hold
    // at most `leafSize` faces. The builder must outlive the model and stay unchanged.
    s_model* Build(bool octree, u32 leafSize = 2) {
        model_ = {};
        model_.numCollisionVertex = s32(vertices_.size());
        model_.collisionVertexList = vertices_.data();
        model_.numNormals = s32(normals_.size());
        model_.normalList = normals_.data();
        model_.numCollisionFaces = s32(faces_.size());
        model_.collisionFaceList = faces_.data();
        if (octree && !faces_.empty()) {
            std::vector<u16> all(faces_.size());
            for (u16 i = 0; i < all.size(); ++i)
                all[i] = i;
            const discbuild::OctreeNode root = Node(all, leafSize, 0);
            chunk_ = OctreeWrite(&root);
            if (!chunk_->Parse(u32(faces_.size())))
                return nullptr;
            model_.collisionOctTree = &chunk_->map;
        }
        return &model_;
    }

    const std::vector<s_model_collision_face>& faces() const { return faces_; }
    const std::vector<s_model_collision_vertex>& vertices() const { return vertices_; }

private:
    static f32 Distance(const s_Vector3& a, const s_Vector3& b) {
        return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
    }

    // A node whose sphere holds every face below it; faces split by octant about the
    // centre of their bounding spheres' box.
    discbuild::OctreeNode Node(const std::vector<u16>& items, u32 leafSize, s32 depth) const {
        s_Vector3 lo = {1e30f, 1e30f, 1e30f, 0}, hi = {-1e30f, -1e30f, -1e30f, 0};
        for (u16 i : items) {
            const s_model_collision_face& f = faces_[i];
            lo = {std::min(lo.x, f.x), std::min(lo.y, f.y), std::min(lo.z, f.z), 0};
            hi = {std::max(hi.x, f.x), std::max(hi.y, f.y), std::max(hi.z, f.z), 0};
        }
        const s_Vector3 centre = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2, 0};
        discbuild::OctreeNode node;
        node.center = {centre.x, centre.y, centre.z};
        for (u16 i : items) {
            const s_model_collision_face& f = faces_[i];
            node.radius = std::max(node.radius, Distance({f.x, f.y, f.z, 0}, centre) + f.radius);
        }
        if (items.size() <= leafSize || depth == 12) {
            node.items = items;
            return node;
        }
        std::vector<u16> octant[8];
        for (u16 i : items) {
            const s_model_collision_face& f = faces_[i];
            octant[(f.x > centre.x ? 1 : 0) | (f.y > centre.y ? 2 : 0) | (f.z > centre.z ? 4 : 0)].push_back(
                i);
        }
        for (const std::vector<u16>& part : octant) {
            if (part.size() == items.size()) {  // all in one octant: no split possible
                node.items = items;
                return node;
            }
            if (!part.empty())
                node.children.push_back(Node(part, leafSize, depth + 1));
        }
        return node;
    }

    std::vector<s_model_collision_vertex> vertices_;
    std::vector<s_Vector4> normals_;
    std::vector<s_model_collision_face> faces_;
    std::optional<OctreeChunk> chunk_;
    s_model model_{};
};
