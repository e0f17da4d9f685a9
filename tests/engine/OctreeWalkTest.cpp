#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Octree.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/OctreeBuilder.h"

namespace {

// item -> the clipFlags of each report of it
using Reports = std::map<s32, std::vector<s32>>;
// item -> the one clipFlags expected
using Expected = std::map<s32, s32>;

void Collect(s32 item, void* data, s32 clipFlags, const s_octtree_node*) {
    (*static_cast<Reports*>(data))[item].push_back(clipFlags);
}

void ExpectSame(const Reports& got, const Expected& want, const char* walk, u32 seed) {
    for (const auto& [item, flags] : got) {
        ASSERT_EQ(flags.size(), 1u) << walk << " seed " << seed << ": item " << item << " reported twice";
        const auto it = want.find(item);
        ASSERT_NE(it, want.end()) << walk << " seed " << seed << ": item " << item
                                  << " should not be reported";
        EXPECT_EQ(flags[0], it->second) << walk << " seed " << seed << ": item " << item;
    }
    EXPECT_EQ(got.size(), want.size()) << walk << " seed " << seed << ": items missing";
}

s_Vector3 Transformed(const s_Matrix4* m, const s_Vector3& p) {
    if (m == nullptr)
        return p;
    s_Vector3 out;
    Matrix4MultPoints(m, &out, &p, 1);
    return out;
}

// What the walks must report, from each leaf's own sphere.
Expected BruteFrustum(const std::vector<OctreeLeaf>& leaves, const s_Matrix4* matrix, f32 slop, bool veils) {
    Expected want;
    for (const OctreeLeaf& leaf : leaves) {
        const s_Vector3 centre = Transformed(matrix, leaf.centre);
        const s32 clip = DrawClipSphereInside(&centre, leaf.radius + slop);
        const s32 veil = veils ? DrawClipSphereInsideVeils(&centre, leaf.radius) : 0;
        if ((clip & 0x3F) || (veil & DC_CLIP_COMPLETELY_INSIDE_VEIL))
            continue;
        const s32 flags = (clip & DC_CLIP_COMPLETELY_INSIDE) && !(veil & DC_CLIP_VEIL) ? 1 : 0;
        for (u16 item : leaf.items)
            want[item] = flags;
    }
    return want;
}

Expected BruteSphere(const std::vector<OctreeLeaf>& leaves, const s_Vector3& pos, f32 radius) {
    Expected want;
    for (const OctreeLeaf& leaf : leaves) {
        const f32 dx = leaf.centre.x - pos.x, dy = leaf.centre.y - pos.y, dz = leaf.centre.z - pos.z;
        const f32 reach = radius + leaf.radius;
        if (dx * dx + dy * dy + dz * dz < reach * reach)
            for (u16 item : leaf.items)
                want[item] = 0;
    }
    return want;
}

class OctreeWalkTest : public EngineFixture {
protected:
    // The camera at a random point 30-60 units from the tree, looking near it.
    void RandomCamera(OctreeRandomTree& random) {
        const s_Vector3 dir = random.Direction();
        const f32 d = random.Uniform(30.0f, 60.0f);
        const s_Vector3 eye = {dir.x * d, dir.y * d, dir.z * d, 0.0f};
        const s_Vector3 target = {random.Uniform(-8, 8), random.Uniform(-8, 8), random.Uniform(-8, 8), 0.0f};
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye);
        DrawSetCamera(&camera, &eye);
    }

    // A few random quads near the tree as veils.
    void RandomVeils(OctreeRandomTree& random) {
        veils_.clear();
        vertices_.clear();
        for (s32 v = 0; v < 4; ++v) {
            const s_Vector3 c = {random.Uniform(-10, 10), random.Uniform(-10, 10), random.Uniform(-10, 10),
                                 0};
            const s_Vector3 u = random.Direction();
            s_Vector3 w;
            const s_Vector3 d = random.Direction();
            Vect3Cross(&w, &u, &d);
            Vect3Normal(&w, &w);
            const f32 a = random.Uniform(3, 12), b = random.Uniform(3, 12);
            const u16 first = u16(vertices_.size());
            constexpr f32 kSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            for (const auto& [su, sw] : kSigns)
                vertices_.push_back({c.x + su * a * u.x + sw * b * w.x, c.y + su * a * u.y + sw * b * w.y,
                                     c.z + su * a * u.z + sw * b * w.z, 0});
            veils_.push_back({c.x,
                              c.y,
                              c.z,
                              std::sqrt(a * a + b * b),
                              0,
                              {first, u16(first + 1), u16(first + 2), u16(first + 3)},
                              0});
        }
        s_model model{};
        model.numVeils = s32(veils_.size());
        model.veilList = veils_.data();
        model.numCollisionVertex = s32(vertices_.size());
        model.collisionVertexList = vertices_.data();
        ModelUpdateVeilPlanes(&model);
    }

    std::vector<s_draw_veil> veils_;
    std::vector<s_model_collision_vertex> vertices_;
};

constexpr u32 kSeeds = 60;

TEST_F(OctreeWalkTest, FrustumWalksEqualABruteForceTest) {
    std::map<s32, u32> seen;  // what the trees exercised: 1 wholly in view, 0 partly, -1 dropped
    for (u32 seed = 1; seed <= kSeeds; ++seed) {
        OctreeRandomTree random(seed);
        const discbuild::OctreeNode root = random.Build({0, 0, 0, 0}, 20.0f, 4);
        OctreeChunk chunk = OctreeWrite(&root);
        ASSERT_TRUE(chunk.Parse(random.numItems));
        RandomCamera(random);
        RandomVeils(random);

        Reports got;
        OctTreeFrustum(&chunk.map, Collect, &got);
        const Expected want = BruteFrustum(random.leaves, nullptr, 0.0f, true);
        ExpectSame(got, want, "frustum", seed);
        for (u16 item = 0; item < random.numItems; ++item)
            ++seen[want.contains(item) ? want.at(item) : -1];

        // Under a matrix, with the veils ignored.
        s_Matrix4 matrix = IDMatrix4;
        Matrix4CreateXYZ(&matrix, random.Uniform(-3, 3), random.Uniform(-3, 3), random.Uniform(-3, 3));
        matrix.at(0, 3) = random.Uniform(-5, 5);
        matrix.at(1, 3) = random.Uniform(-5, 5);
        matrix.at(2, 3) = random.Uniform(-5, 5);
        got.clear();
        OctTreeFrustumMatrix(&chunk.map, &matrix, Collect, &got);
        ExpectSame(got, BruteFrustum(random.leaves, &matrix, 0.0f, false), "matrix", seed);

        // A nearer far plane and some slop; the far plane comes back.
        const s_draw_clip_plane far = DrawContext.viewport->clipPlanes[DRAW_CLIP_PLANE_FAR];
        const f32 farZ = random.Uniform(25.0f, 70.0f);
        const f32 slop = random.Uniform(0.0f, 3.0f);
        got.clear();
        OctTreeFrustumFar(&chunk.map, Collect, &got, farZ, slop);
        DrawUpdateFarClipPlane(farZ);
        const Expected wantFar = BruteFrustum(random.leaves, nullptr, slop, true);
        DrawUpdateFarClipPlane(DrawContext.viewport->farZ);
        ExpectSame(got, wantFar, "far", seed);
        EXPECT_EQ(DrawContext.viewport->clipPlanes[DRAW_CLIP_PLANE_FAR].distance, far.distance);
    }
    EXPECT_GT(seen[1], 0u);
    EXPECT_GT(seen[0], 0u);
    EXPECT_GT(seen[-1], 0u);
}

TEST_F(OctreeWalkTest, SphereWalkEqualsABruteForceTest) {
    u32 reported = 0;
    for (u32 seed = 1; seed <= kSeeds; ++seed) {
        OctreeRandomTree random(seed);
        const discbuild::OctreeNode root = random.Build({0, 0, 0, 0}, 20.0f, 4);
        OctreeChunk chunk = OctreeWrite(&root);
        ASSERT_TRUE(chunk.Parse(random.numItems));
        for (s32 q = 0; q < 5; ++q) {
            const s_Vector3 pos = {random.Uniform(-20, 20), random.Uniform(-20, 20), random.Uniform(-20, 20),
                                   0};
            const f32 radius = random.Uniform(0.5f, 8.0f);
            Reports got;
            OctTreeSphere(&chunk.map, &pos, radius, Collect, &got);
            ExpectSame(got, BruteSphere(random.leaves, pos, radius), "sphere", seed);
            reported += u32(got.size());
        }
    }
    EXPECT_GT(reported, 0u);
}

// A root with two leaves, all around a point 20 units ahead of the camera.
OctreeChunk SmallTree(f32 z, f32 rootRadius) {
    return OctreeWriteRaw({{0, 0, z, rootRadius, 3, 0, 1, -1, -1},
                           {-0.5f, 0, z, 0.4f, 2, 0, -1, 2, 0},
                           {0.5f, 0, z, 0.4f, 1, 2, -1, -1, 0}},
                          {4, OCTTREE_NO_ITEM, 6});
}

TEST_F(OctreeWalkTest, ARootWhollyInViewReportsItsRangeAndVisitsNoChild) {
    OctreeChunk chunk = SmallTree(-20.0f, 1.0f);
    ASSERT_TRUE(chunk.Parse(7));
    using Report = std::tuple<s32, s32, const s_octtree_node*>;
    std::vector<Report> got;
    OctTreeFrustum(
        &chunk.map,
        [](s32 item, void* data, s32 clipFlags, const s_octtree_node* node) {
            static_cast<std::vector<Report>*>(data)->push_back({item, clipFlags, node});
        },
        &got);
    // The empty atom comes back as -1.
    const s_octtree_node* root = &chunk.map.Nodes[0];
    EXPECT_EQ(got, (std::vector<Report>{{4, 1, root}, {-1, 1, root}, {6, 1, root}}));
}

TEST_F(OctreeWalkTest, AnEmptyTreeReportsNothingAndTheFarPlaneComesBack) {
    OctreeChunk chunk = OctreeWrite(nullptr);
    ASSERT_TRUE(chunk.Parse(0));
    EXPECT_EQ(chunk.map.NumNodes, 0u);
    const f32 far = DrawContext.viewport->clipPlanes[DRAW_CLIP_PLANE_FAR].distance;
    Reports got;
    OctTreeFrustumFar(&chunk.map, Collect, &got, 10.0f, 1.0f);
    OctTreeFrustum(&chunk.map, Collect, &got);
    const s_Vector3 origin = {0, 0, 0, 0};
    OctTreeSphere(&chunk.map, &origin, 100.0f, Collect, &got);
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(DrawContext.viewport->clipPlanes[DRAW_CLIP_PLANE_FAR].distance, far);
}

TEST_F(OctreeWalkTest, ASphereExactlyTouchingANodeDoesNotEnterIt) {
    OctreeChunk chunk = OctreeWriteRaw({{0, 0, 0, 1.0f, 1, 0}}, {3});
    ASSERT_TRUE(chunk.Parse(4));
    Reports got;
    const s_Vector3 touching = {3.0f, 0, 0, 0};
    OctTreeSphere(&chunk.map, &touching, 2.0f, Collect, &got);
    EXPECT_TRUE(got.empty());
    const s_Vector3 overlapping = {2.99f, 0, 0, 0};
    OctTreeSphere(&chunk.map, &overlapping, 2.0f, Collect, &got);
    EXPECT_EQ(got, (Reports{{3, {0}}}));
}

// 30,000 nested nodes, one leaf at the bottom; and 30,000 sibling leaves.
TEST_F(OctreeWalkTest, DeepAndLongTreesCostNoStack) {
    constexpr s16 kCount = 30000;
    std::vector<OctreeRawNode> chain(kCount), row(kCount + 1);
    for (s16 i = 0; i < kCount; ++i) {
        chain[i] = {0, 0, -20, 1.0f, 1, 0, s16(i + 1 < kCount ? i + 1 : -1), -1, s16(i - 1)};
        row[i + 1] = {0, 0, -20, 0.5f, 1, u16(i), -1, s16(i + 1 < kCount ? i + 2 : -1), 0};
    }
    row[0] = {0, 0, -20, 1000.0f, kCount, 0, 1, -1, -1};  // crosses the view: the leaves are tested
    std::vector<u16> atoms(kCount);
    for (s16 i = 0; i < kCount; ++i)
        atoms[i] = u16(i);

    OctreeChunk deep = OctreeWriteRaw(chain, {7});
    ASSERT_TRUE(deep.Parse(8));
    const s_Vector3 origin = {0, 0, -20, 0};
    Reports got;
    OctTreeSphere(&deep.map, &origin, 1.0f, Collect, &got);
    EXPECT_EQ(got, (Reports{{7, {0}}}));

    OctreeChunk wide = OctreeWriteRaw(row, atoms);
    ASSERT_TRUE(wide.Parse(kCount));
    got.clear();
    OctTreeFrustum(&wide.map, Collect, &got);
    EXPECT_EQ(got.size(), size_t(kCount));
}

}  // namespace
