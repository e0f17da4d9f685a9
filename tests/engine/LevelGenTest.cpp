// The test level's generators: sphere trees hold every item once inside spheres
// that enclose them; collision faces join flat convex pairs into quads wound and
// flagged as their normals; and the level's scene loads with a collision world
// whose octree offers every face a brute-force pass finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/World.h"
#include "tests/engine/DataFixture.h"
#include "tools/modelgen/CollisionMesh.h"
#include "tools/modelgen/Level.h"
#include "tools/modelgen/SphereTree.h"

namespace {

using namespace modelgen;

s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0};
}
s_Vector3 Cross(const s_Vector3& a, const s_Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0};
}
f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
f32 Distance(const s_Vector3& a, const s_Vector3& b) {
    const s_Vector3 d = Sub(a, b);
    return std::sqrt(Dot(d, d));
}

// Collects the items of the subtree, checking that every node encloses them.
void ExpectEnclosed(const discbuild::OctreeNode& node, const std::vector<ItemSphere>& spheres,
                    std::vector<u16>* items) {
    const s_Vector3 centre{node.center[0], node.center[1], node.center[2], 0};
    std::vector<u16> mine;
    if (node.children.empty()) {
        EXPECT_LE(node.items.size(), kSphereTreeLeafItems);
        mine = node.items;
    }
    for (const discbuild::OctreeNode& child : node.children)
        ExpectEnclosed(child, spheres, &mine);
    for (u16 item : mine)
        EXPECT_LE(Distance(spheres[item].center, centre) + spheres[item].radius, node.radius * 1.0001f)
            << "item " << item;
    items->insert(items->end(), mine.begin(), mine.end());
}

TEST(LevelGenSphereTree, EveryItemOnceInLeavesWhoseAncestorsEncloseIt) {
    std::mt19937 rng(13);
    std::uniform_real_distribution<f32> place(-20, 20), size(0, 3);
    for (u32 count : {0u, 1u, 4u, 5u, 37u, 300u}) {
        SCOPED_TRACE(count);
        std::vector<ItemSphere> spheres;
        for (u32 i = 0; i < count; ++i)
            spheres.push_back({{place(rng), place(rng) * 0.1f, place(rng), 0}, size(rng), u16(i)});
        std::vector<u16> items;
        ExpectEnclosed(SphereTree(spheres), spheres, &items);
        std::sort(items.begin(), items.end());
        std::vector<u16> all(count);
        for (u32 i = 0; i < count; ++i)
            all[i] = u16(i);
        EXPECT_EQ(items, all);
    }
}

s_Vector3 Corner(const discbuild::VhmModel& m, const s_model_collision_face& f, u32 k) {
    const s_model_collision_vertex& v = m.collisionVertices.at(f.vertIndex[k]);
    return {v.x, v.y, v.z, 0};
}

// Faces lie flat, convex and counter-clockwise about their unit normal, flagged with
// its one dominant axis, inside their bounding sphere.
void ExpectSoundFaces(const discbuild::VhmModel& m, u16 surfaceFlags) {
    for (size_t i = 0; i < m.collisionFaces.size(); ++i) {
        SCOPED_TRACE("face " + std::to_string(i));
        const s_model_collision_face& f = m.collisionFaces[i];
        const u32 corners = (f.flags & COLLISION_QUAD) ? 4 : 3;
        const s_Vector4& n4 = m.normals.at(f.normalIndex);
        const s_Vector3 n{n4.x, n4.y, n4.z, 0};
        EXPECT_NEAR(Dot(n, n), 1.0f, 1e-5f);
        EXPECT_EQ(f.flags & ~(COLLISION_QUAD | COLLISION_AXIS_MASK), surfaceFlags);
        const u16 axis = f.flags & COLLISION_AXIS_MASK;
        EXPECT_EQ(std::popcount(axis), 1);
        const f32 c[3] = {n.x, n.y, n.z};
        const u32 major =
            u32(std::max_element(c, c + 3, [](f32 a, f32 b) { return std::fabs(a) < std::fabs(b); }) - c);
        EXPECT_EQ(axis, u16((c[major] >= 0 ? COLLISION_AXIS_X : COLLISION_AXIS_X_NEG) >> (2 * major)));
        const s_Vector3 centre{f.x, f.y, f.z, 0};
        for (u32 k = 0; k < corners; ++k) {
            const s_Vector3 a = Corner(m, f, k), b = Corner(m, f, (k + 1) % corners),
                            c2 = Corner(m, f, (k + 2) % corners);
            EXPECT_NEAR(Dot(Sub(a, Corner(m, f, 0)), n), 0, 1e-4f);
            EXPECT_GT(Dot(Cross(Sub(b, a), Sub(c2, b)), n), 0);
            EXPECT_LE(Distance(a, centre), f.radius * 1.0001f);
        }
    }
}

TEST(LevelGenCollision, FlatConvexPairsBecomeQuadsWoundAsTheirNormals) {
    const auto vertex = [](f32 x, f32 y, f32 z) { return Vertex{{x, y, z, 0}, {0, 1, 0, 0}}; };
    Mesh bent;  // a ridge along x = 0..1: two faces at an angle
    bent.vertices = {vertex(0, 0, 0), vertex(1, 0, 0), vertex(0, 1, -1), vertex(1, 0.5f, 1)};
    bent.triangles = {0, 1, 2, 1, 0, 3};
    Mesh dart;  // flat, but the joined outline bends inwards at vertex 1
    dart.vertices = {vertex(0, 0, 0), vertex(2, 0, 0), vertex(0, 0, -2), vertex(4, 0, 1)};
    dart.triangles = {0, 1, 2, 2, 1, 3};
    const struct {
        const char* name;
        Mesh mesh;
        size_t quads, triangles, vertices;
    } cases[] = {
        {"box", Box({-1, 0, -2, 0}, {1, 3, 2, 0}, {1, 1, 1}, 0), 6, 0, 8},
        {"grid of cells", Box({0, 0, 0, 0}, {2, 1, 1, 0}, {4, 1, 2}, 0), 2 * (8 + 4 + 2), 0, 5 * 2 * 3},
        {"sphere: bands join, poles do not", Sphere(1, 4, 8, 0), 2 * 8, 2 * 8, 3 * 8 + 2},
        {"bent pair", bent, 0, 2, 4},
        {"dart", dart, 0, 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        discbuild::VhmModel model;
        // Quad and axis bits of the caller's are not taken.
        AddCollisionFaces(&model, c.mesh, COLLISION_PLAYER_OBS | COLLISION_QUAD | COLLISION_AXIS_Z);
        const size_t quads = std::count_if(model.collisionFaces.begin(), model.collisionFaces.end(),
                                           [](auto& f) { return (f.flags & COLLISION_QUAD) != 0; });
        EXPECT_EQ(quads, c.quads);
        EXPECT_EQ(model.collisionFaces.size() - quads, c.triangles);
        EXPECT_EQ(model.collisionVertices.size(), c.vertices);
        ExpectSoundFaces(model, COLLISION_PLAYER_OBS);
    }
}

class LevelGenTest : public LeakCheckedFixture {
protected:
    s_model* Load(const char* name, const discbuild::VhmModel& vhm) {
        const std::vector<u8> chunk = discbuild::VhmPayload(vhm);
        return ModelLoad(name, Image(chunk), u32(chunk.size()));
    }

    const Level level_ = MakeLevel();
};

void Collect(s32 item, void* data, s32, const s_octtree_node*) {
    static_cast<std::set<s32>*>(data)->insert(item);
}

TEST_F(LevelGenTest, SceneOctreeOffersEveryFaceABruteForcePassFinds) {
    ExpectSoundFaces(level_.scene.vhm, COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS | COLLISION_SHADOW_OBS);
    s_model* scene = Load(kLevelName, level_.scene.vhm);
    ASSERT_NE(scene, nullptr) << report().text();
    ASSERT_NE(scene->collisionOctTree, nullptr);
    ASSERT_NE(scene->octTree, nullptr);
    EXPECT_EQ(scene->numCollisionFaces, s32(level_.scene.vhm.collisionFaces.size()));

    std::mt19937 rng(7);
    std::uniform_real_distribution<f32> place(-8, 8), size(0.05f, 3);
    for (int trial = 0; trial < 200; ++trial) {
        const s_Vector3 pos{place(rng), place(rng) * 0.5f + 2, place(rng), 0};
        const f32 radius = size(rng);
        std::set<s32> offered;
        OctTreeSphere(scene->collisionOctTree, &pos, radius, Collect, &offered);
        for (s32 i = 0; i < scene->numCollisionFaces; ++i) {
            const s_model_collision_face& f = scene->collisionFaceList[i];
            if (Distance({f.x, f.y, f.z, 0}, pos) < f.radius + radius) {
                EXPECT_TRUE(offered.count(i)) << "face " << i << " trial " << trial;
            }
        }
    }
    // The floor's top face lies at floor height, facing up.
    bool floor = false;
    for (s32 i = 0; i < scene->numCollisionFaces; ++i) {
        const s_model_collision_face& f = scene->collisionFaceList[i];
        floor |= (f.flags & COLLISION_AXIS_Y) && f.y == kLevelFloorY && f.radius > kLevelHalfWidth;
    }
    EXPECT_TRUE(floor);
    ModelFree(scene);
}

TEST_F(LevelGenTest, SkyFacesInwardsAndCratesDrawInTheWorldsOpaquePass) {
    const discbuild::VhmModel& sky = level_.sky.vhm;
    ASSERT_EQ(sky.meshes.size(), 1u);
    EXPECT_EQ(sky.materials[0].drawModes.lighting, 0);
    const discbuild::VhmMesh& mesh = sky.meshes[0];
    const auto at = [&](u32 i) {
        const s_Vector4& c = sky.vertices[sky.indices[mesh.firstIndex + i]].coord;
        return s_Vector3{c.x, c.y, c.z, 0};
    };
    u32 faces = 0;
    for (const s_model_command& c : mesh.commands) {
        if (c.type != MODEL_CMD_STRIP)
            continue;
        for (u32 k = 0; k < c.parm16; ++k) {
            s_Vector3 a = at(c.parm32 + k), b = at(c.parm32 + k + 1);
            if (k % 2 == 1)
                std::swap(a, b);  // strips alternate their winding
            const s_Vector3 face = Cross(Sub(b, a), Sub(at(c.parm32 + k + 2), a));
            EXPECT_LT(Dot(face, a), 0) << "triangle " << k << " from " << c.parm32;
            ++faces;
        }
    }
    EXPECT_EQ(faces, u32(mesh.numPolygons));

    for (const discbuild::VhmMesh& mesh : level_.crate.vhm.meshes)
        EXPECT_EQ(mesh.flags & (WORLD_DRAW_OPAQUE | WORLD_DRAW_ALPHA), WORLD_DRAW_OPAQUE);
    s_model* crate = Load(kLevelCrateName, level_.crate.vhm);
    ASSERT_NE(crate, nullptr) << report().text();
    EXPECT_NE(crate->octTree, nullptr);
    EXPECT_EQ(crate->flags & MODEL_FLAG_SKINNED, 0u);
    ModelFree(crate);
}

}  // namespace
