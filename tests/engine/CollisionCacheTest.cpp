#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "orblib47/source/Bone.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "tests/support/CollisionModelBuilder.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

std::set<s32> Surfaces(const s_collision_cache* cache) {
    std::set<s32> ids;
    for (s32 i = 0; i < cache->count; ++i)
        ids.insert(cache->polygons[i].surface);
    return ids;
}

class CollisionCacheTest : public EngineFixture {
protected:
    void TearDown() override {
        PolyCollideCacheFree(cache_);
        EngineFixture::TearDown();
    }
    s_collision_cache* Cache(s32 size, f32 half) {
        PolyCollideCacheFree(cache_);
        cache_ = PolyCollideCacheAllocSize(size);
        const s_Vector3 lo = V(-half, -half, -half), hi = V(half, half, half);
        PolyCollideCacheSetup(cache_, &lo, &hi);
        return cache_;
    }
    s_collision_cache* Refresh(const s_Vector3& pos, const s_Vector3& lo, const s_Vector3& hi) {
        const s_Vector3 minmax[2] = {lo, hi};
        return PolyCollideCache(cache_, &pos, minmax);
    }

    s_collision_cache* cache_ = nullptr;
};

TEST_F(CollisionCacheTest, AllocationTakesTheConfiguredDefaultAndRefusesBadSizes) {
    s_collision_cache* cache = PolyCollideCacheAlloc();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->maxCount, 255);
    EXPECT_EQ(cache->count, 0);
    EXPECT_EQ(cache->flags, 0);
    PolyCollideCacheFree(cache);
    PolyCollideCacheFree(nullptr);

    PolyCollideWarmReset(1024, 1024, 32, 7);
    cache = PolyCollideCacheAlloc();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->maxCount, 7);
    PolyCollideCacheFree(cache);

    EXPECT_EQ(PolyCollideCacheAllocSize(-1), nullptr);
    EXPECT_EQ(PolyCollideCacheAllocSize(40000), nullptr);
}

TEST_F(CollisionCacheTest, SetupDefinesTheBoxAndEmptiesTheCache) {
    s_collision_cache* cache = Cache(4, 1.0f);
    cache->count = 3;
    cache->flags = COLLISION_CACHE_FILLED;
    cache->position = V(9, 9, 9);
    const s_Vector3 lo = V(-1, -2, -3), hi = V(3, 2, 1);
    PolyCollideCacheSetup(cache, &lo, &hi);
    EXPECT_EQ(cache->count, 0);
    EXPECT_EQ(cache->flags, 0);
    EXPECT_EQ(cache->position.x, 0.0f);
    EXPECT_EQ(cache->bounds[0].y, -2.0f);
    EXPECT_EQ(cache->bounds[1].x, 3.0f);
    EXPECT_EQ(cache->center.x, 1.0f);
    EXPECT_EQ(cache->center.z, -1.0f);
    EXPECT_FLOAT_EQ(cache->radius, std::sqrt(4.0f + 4.0f + 4.0f));
}

// A world of two faces: a unit triangle at the origin and one at x = 10.
class CollisionRefreshTest : public CollisionCacheTest {
protected:
    void SetUp() override {
        CollisionCacheTest::SetUp();
        near_ = world_.Face({V(0, 0, 0), V(0.5f, 0, 0), V(0, 0.5f, 0)});
        far_ = world_.Face({V(10, 0, 0), V(10.5f, 0, 0), V(10, 0.5f, 0)});
        CollisionWorldModel = world_.Build(true);
    }
    CollisionModelBuilder world_;
    s32 near_ = 0, far_ = 0;
};

TEST_F(CollisionRefreshTest, AFreshCacheFillsEvenForAnEmptyBox) {
    s_collision_cache* cache = Cache(8, 1.0f);
    GameTime = 2.5f;
    Refresh(V(0.2f, 0.1f, 0), V(0, 0, 0), V(0, 0, 0));
    EXPECT_EQ(cache->flags, COLLISION_CACHE_FILLED);
    EXPECT_EQ(cache->position.x, 0.2f);
    EXPECT_EQ(cache->updateTime, 2.5f);
    EXPECT_EQ(Surfaces(cache), std::set<s32>{near_});
    const s_cache_poly& poly = cache->polygons[0];
    EXPECT_EQ(poly.vertCount, 3);
    EXPECT_EQ(poly.coord[1].x, 0.5f);
    EXPECT_EQ(poly.normal.z, 1.0f);
    EXPECT_EQ(poly.objectInstance, nullptr);
}

TEST_F(CollisionRefreshTest, ABoxInsideOrTouchingTheFilledBoxGathersNothing) {
    s_collision_cache* cache = Cache(8, 1.0f);
    Refresh(V(0, 0, 0), V(0, 0, 0), V(0, 0, 0));
    GameTime = 1.0f;
    cache->count = 0;                                         // a refill would find the triangle again
    Refresh(V(0.5f, 0, 0), V(-1.5f, -1, -1), V(0.5f, 1, 1));  // touches -x and +x exactly
    EXPECT_EQ(cache->count, 0);
    EXPECT_EQ(cache->position.x, 0.0f);
    EXPECT_EQ(cache->updateTime, 0.0f);

    Refresh(V(0.5f, 0, 0), V(-1.5f, -1, -1), V(0.5001f, 1, 1));
    EXPECT_EQ(cache->position.x, 0.5f);
    EXPECT_EQ(cache->updateTime, 1.0f);
    EXPECT_EQ(cache->count, 1);
}

TEST_F(CollisionRefreshTest, ALargerRequestRefillsEachCallWithTheCachesOwnBox) {
    s_collision_cache* cache = Cache(8, 1.0f);
    for (f32 time : {1.0f, 2.0f}) {
        GameTime = time;
        Refresh(V(0, 0, 0), V(-20, -20, -20), V(20, 20, 20));  // would reach x = 10
        EXPECT_EQ(cache->updateTime, time);
        EXPECT_EQ(Surfaces(cache), std::set<s32>{near_});
    }
}

TEST_F(CollisionRefreshTest, WithoutAWorldModelTheCacheIsLeftAsItWas) {
    s_collision_cache* cache = Cache(8, 1.0f);
    Refresh(V(0, 0, 0), V(0, 0, 0), V(0, 0, 0));
    CollisionWorldModel = nullptr;
    const s_Vector3 far = V(10, 0, 0);
    const s_Vector3 line[2] = {V(10, 0, 0), V(11, 0, 0)};
    EXPECT_EQ(PolyCollideCacheSphere(cache, &far, 0.5f), cache);
    EXPECT_EQ(PolyCollideCacheLine(cache, &far, line), cache);
    EXPECT_EQ(PolyCollideCacheExtrudedSphere(cache, &far, line, 0.5f), cache);
    EXPECT_EQ(cache->position.x, 0.0f);
    EXPECT_EQ(Surfaces(cache), std::set<s32>{near_});

    PolyCollideCacheSetup(cache, &far, &far);
    CollisionWorldModel = world_.Build(true);
    PolyCollideWarmReset(1024, 1024, 32, 255);
    EXPECT_EQ(CollisionWorldModel, nullptr);
}

TEST_F(CollisionRefreshTest, VolumeRefreshesBuildTheirBoxes) {
    s_collision_cache* cache = Cache(8, 1.0f);
    const s_Vector3 pos = V(10, 0, 0);
    PolyCollideCacheSphere(cache, &pos, 0.5f);
    EXPECT_EQ(Surfaces(cache), std::set<s32>{far_});
    GameTime = 1.0f;
    PolyCollideCacheSphere(cache, &pos, 1.0f);  // touching: inside
    EXPECT_EQ(cache->updateTime, 0.0f);

    // The line's box centre is the refresh point; `pos` plays no part.
    const s_Vector3 line[2] = {V(1, 0.5f, 0), V(-1, -0.5f, 0)};
    PolyCollideCacheLine(cache, &pos, line);
    EXPECT_EQ(cache->position.x, 0.0f);
    EXPECT_EQ(Surfaces(cache), std::set<s32>{near_});
    GameTime = 2.0f;
    const s_Vector3 longer[2] = {V(-1.5f, 0, 0), V(0, 0, 0)};
    PolyCollideCacheLine(cache, &pos, longer);  // 0.75 + 0.75 wide about -0.75: leaves x >= -1
    EXPECT_EQ(cache->position.x, -0.75f);

    // The extruded sphere's line is relative to pos; the radius widens its box.
    const s_Vector3 offsets[2] = {V(0, 0, 0), V(0.5f, 0, 0)};
    GameTime = 3.0f;
    PolyCollideCacheExtrudedSphere(cache, &pos, offsets, 0.5f);
    EXPECT_EQ(cache->position.x, 10.0f);
    EXPECT_EQ(Surfaces(cache), std::set<s32>{far_});
    GameTime = 4.0f;
    PolyCollideCacheExtrudedSphere(cache, &pos, offsets, 0.6f);  // 10.5 + 0.6 > 11
    EXPECT_EQ(cache->updateTime, 4.0f);
}

TEST_F(CollisionCacheTest, AFaceOutsideOneSideIsRejectedAndAStraddlingOneKept) {
    struct Case {
        const char* what;
        std::vector<s_Vector3> corners;
        bool kept;
    };
    const Case cases[] = {
        {"left of min.x, spanning y and z", {V(-2, -5, -5), V(-1.01f, 5, -5), V(-2, 0, 5)}, false},
        {"above max.y", {V(-5, 1.5f, 0), V(5, 1.2f, 0), V(0, 3, 5)}, false},
        {"behind min.z, a quad", {V(-5, -5, -3), V(5, -5, -3), V(5, 5, -1.5f), V(-5, 5, -1.5f)}, false},
        {"round a corner, no common side", {V(-3, 0.5f, 0), V(0.5f, -3, 0), V(-3, -3, 0)}, true},
        {"touching max.x", {V(1, 0, 0), V(2, 1, 0), V(2, -1, 0)}, true},
        {"through the box", {V(-5, -5, 0), V(5, -5, 0), V(0, 5, 0)}, true},
    };
    for (const Case& c : cases) {
        CollisionModelBuilder world;
        if (c.corners.size() == 4)
            world.Face({c.corners[0], c.corners[1], c.corners[2], c.corners[3]});
        else
            world.Face({c.corners[0], c.corners[1], c.corners[2]});
        CollisionWorldModel = world.Build(false);
        s_collision_cache* cache = Cache(1, 1.0f);
        Refresh(V(0, 0, 0), V(0, 0, 0), V(0, 0, 0));
        EXPECT_EQ(cache->count, c.kept ? 1 : 0) << c.what;
        if (c.kept) {
            EXPECT_EQ(cache->polygons[0].vertCount, c.corners.size()) << c.what;
        }
    }
    CollisionWorldModel = nullptr;
}

TEST_F(CollisionCacheTest, AWorldFillStopsAtTheCapacityAndWarnsOncePerRun) {
    CollisionModelBuilder world;
    for (s32 i = 0; i < 5; ++i)
        world.Face({V(f32(i) * 0.1f, 0, 0), V(0.5f, 0, 0), V(0, 0.5f, 0)});
    CollisionWorldModel = world.Build(false);
    s_collision_cache* cache = Cache(3, 1.0f);
    const s_Vector3 a = V(0, 0, 0), b = V(0, 0, 0.5f);
    PolyCollideCacheSphere(cache, &a, 1.5f);
    PolyCollideCacheSphere(cache, &b, 1.5f);
    EXPECT_EQ(cache->count, 3);
    EXPECT_EQ((Surfaces(cache)), (std::set<s32>{0, 1, 2}));
    const std::string warning = "AddCollisionPolyFunction: Warning - Cache Overflow\n";
    const std::string& text = report().text();
    EXPECT_EQ(text.find(warning), text.rfind(warning));
    EXPECT_NE(text.find(warning), std::string::npos);
}

// The octree offers every face that meets the box, and nothing a pass over all faces
// would not store. Cube boxes put faces near their corners, beyond r x sqrt(2).
TEST_F(CollisionCacheTest, GatheringThroughTheOctreeFindsEveryFaceABruteForcePassFinds) {
    CollisionModelBuilder builder;
    builder.RandomFaces(7, 4000, 30.0f, 0.6f);
    s_model* model = builder.Build(true, 1);
    ASSERT_NE(model, nullptr);
    s_model brute = *model;
    brute.collisionOctTree = nullptr;

    std::mt19937 rng(11);
    const auto uniform = [&](f32 lo, f32 hi) { return std::uniform_real_distribution<f32>(lo, hi)(rng); };
    s32 cornerFaces = 0;
    for (s32 trial = 0; trial < 60; ++trial) {
        const f32 half = uniform(2.0f, 8.0f);
        const s_Vector3 hi = trial % 2 ? V(half, half, half) : V(half, uniform(1, 8), uniform(1, 8));
        const s_Vector3 lo = V(-hi.x, -hi.y, -hi.z);
        const s_Vector3 pos = V(uniform(-25, 25), uniform(-25, 25), uniform(-25, 25));
        Cache(4000, 0.0f);
        PolyCollideCacheSetup(cache_, &lo, &hi);

        CollisionWorldModel = &brute;
        Refresh(pos, lo, hi);
        const std::set<s32> all = Surfaces(cache_);
        CollisionWorldModel = model;
        PolyCollideCacheSetup(cache_, &lo, &hi);
        Refresh(pos, lo, hi);
        const std::set<s32> walked = Surfaces(cache_);

        EXPECT_TRUE(std::includes(all.begin(), all.end(), walked.begin(), walked.end())) << trial;
        const f32 r = std::max({hi.x, hi.y, hi.z});
        for (s32 id : all) {
            const s_model_collision_face& face = builder.faces()[id];
            bool meets = false;
            f32 farthest = 0.0f;
            for (u32 c = 0; c < ((face.flags & COLLISION_QUAD) ? 4u : 3u); ++c) {
                const s_model_collision_vertex& v = builder.vertices()[face.vertIndex[c]];
                const s_Vector3 p = V(v.x - pos.x, v.y - pos.y, v.z - pos.z);
                if (std::fabs(p.x) <= hi.x && std::fabs(p.y) <= hi.y && std::fabs(p.z) <= hi.z) {
                    meets = true;
                    farthest = std::max(farthest, std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z));
                }
            }
            if (!meets)
                continue;
            cornerFaces += farthest - 2 * face.radius > r * std::sqrt(2.0f);
            EXPECT_TRUE(walked.contains(id)) << "trial " << trial << " face " << id;
        }
    }
    EXPECT_GT(cornerFaces, 0);  // the trials reached past r x sqrt(2)
    CollisionWorldModel = nullptr;
}

TEST_F(CollisionCacheTest, TheDominantComponentSetsExactlyOneAxisBit) {
    struct Case {
        s_Vector3 normal;
        u16 axis;
    };
    const Case cases[] = {
        {V(0.7071f, 0.7071f, 0), COLLISION_AXIS_X},
        {V(0, -0.7071f, 0.7071f), COLLISION_AXIS_Y_NEG},
        {V(-0.6f, 0.6f, 0.6f), COLLISION_AXIS_X_NEG},
        {V(0.1f, 0.2f, -0.9f), COLLISION_AXIS_Z_NEG},
        {V(0, 0.8f, 0.6f), COLLISION_AXIS_Y},
        {V(0, 0, 1), COLLISION_AXIS_Z},
        {V(0, 0, 0), COLLISION_AXIS_X},
        {V(-0.0f, 0, 0), COLLISION_AXIS_X},
    };
    s_collision_cache* cache = Cache(s32(std::size(cases)), 1.0f);
    cache->count = s16(std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        cache->polygons[i].normal = cases[i].normal;
        cache->polygons[i].flags = COLLISION_QUAD | COLLISION_AXIS_MASK | COLLISION_LEDGE;
    }
    PolyCollideCalcAxis(cache);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cache->polygons[i].flags, COLLISION_QUAD | COLLISION_LEDGE | cases[i].axis) << i;
}

TEST_F(CollisionCacheTest, ANormalThatIsNotANumberKeepsNoAxis) {
    s_collision_cache* cache = Cache(1, 1.0f);
    cache->count = 1;
    cache->polygons[0].normal = V(0, std::nanf(""), 1);
    cache->polygons[0].flags = COLLISION_AXIS_Z | COLLISION_TRIGGER;
    PolyCollideCalcAxis(cache);
    EXPECT_EQ(cache->polygons[0].flags, COLLISION_TRIGGER);
    EXPECT_NE(report().text().find("POLYCOLLIDE: Error unknown polygon axis!\n"), std::string::npos);
}

// An hmodel on a hand-posed hierarchy: every bone's world matrix is set directly.
struct PosedHModel {
    PosedHModel(s_model* model, s16 numBones) : bones(size_t(numBones)) {
        for (s_hmatrix_bone& bone : bones)
            bone.worldMatrix = IDMatrix4;
        hmatrix.numBones = hmatrix.maxBones = numBones;
        hmatrix.boneList = bones.data();
        model->numBones = numBones;
        hmodel.model = model;
        hmodel.hmatrix = &hmatrix;
        hmodel.worldMatrix = IDMatrix4;
    }
    std::vector<s_hmatrix_bone> bones;
    s_hmatrix hmatrix{};
    s_hmodel hmodel{};
};

// (x, y, z) -> (2x + 5, -2z, 2y): a quarter turn about x, doubled, moved along x.
constexpr s_Matrix4 kTurned = {{2, 0, 0, 5, 0, 0, -2, 0, 0, 2, 0, 0, 0, 0, 0, 1}};
constexpr s_Matrix4 kMoved = {{1, 0, 0, 10, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

void ExpectNear(const s_Vector3& got, const s_Vector3& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, 1e-5f) << what;
    EXPECT_NEAR(got.y, want.y, 1e-5f) << what;
    EXPECT_NEAR(got.z, want.z, 1e-5f) << what;
}

TEST_F(CollisionCacheTest, AnHModelsMeshIsAppendedOnItsBonesAndReclassified) {
    CollisionModelBuilder builder;
    builder.Face({V(0, 0, 0), V(0.5f, 0, 0), V(0, 0.5f, 0)}, COLLISION_AXIS_Z | COLLISION_PLAYER_OBS, 1);
    builder.Face({V(0, 0, 0), V(0.5f, 0, 0), V(0, 0.5f, 0)}, 0, 5);  // a bone the hierarchy lacks
    builder.Face({V(0, 0, 1), V(1, 0, 1), V(1, 1, 1), V(0, 1, 1)}, 0, 0);
    PosedHModel posed(builder.Build(false), 2);
    posed.bones[1].worldMatrix = kTurned;
    int owner = 0;
    auto* instance = reinterpret_cast<s_INSTANCE*>(&owner);

    s_collision_cache* cache = Cache(8, 1.0f);
    cache->count = 1;
    cache->polygons[0] = {};
    cache->polygons[0].normal = V(0, 0, -1);
    GameTime = 3.0f;
    EXPECT_EQ(PolyCollideCacheHModel(cache, &posed.hmodel, instance), cache);
    EXPECT_EQ(cache->flags, COLLISION_CACHE_FILLED);
    EXPECT_EQ(cache->updateTime, 3.0f);
    ASSERT_EQ(cache->count, 3);
    EXPECT_EQ(cache->polygons[0].flags, COLLISION_AXIS_Z_NEG);

    const s_cache_poly& turned = cache->polygons[1];
    EXPECT_EQ(turned.vertCount, 3);
    EXPECT_EQ(turned.boneId, 1);
    EXPECT_EQ(turned.surface, 0);
    EXPECT_EQ(turned.objectInstance, instance);
    EXPECT_EQ(turned.flags, COLLISION_AXIS_Y_NEG | COLLISION_PLAYER_OBS);
    ExpectNear(turned.coord[1], V(6, 0, 0), "corner 1");
    ExpectNear(turned.coord[2], V(5, 0, 1), "corner 2");
    ExpectNear(turned.normal, V(0, -1, 0), "unit normal");

    const s_cache_poly& quad = cache->polygons[2];
    EXPECT_EQ(quad.surface, 2);
    EXPECT_EQ(quad.vertCount, 4);
    EXPECT_EQ(quad.flags, COLLISION_QUAD | COLLISION_AXIS_Z);
    ExpectNear(quad.coord[3], V(0, 1, 1), "unmoved bone");
}

TEST_F(CollisionCacheTest, ABonelessHModelsFacesMoveWithItsWorldMatrix) {
    CollisionModelBuilder builder;
    builder.Face({V(0, 0, 0), V(0.5f, 0, 0), V(0, 0.5f, 0)}, 0, 3);
    PosedHModel posed(builder.Build(false), 0);
    posed.hmodel.worldMatrix = kMoved;
    s_collision_cache* cache = Cache(2, 1.0f);
    PolyCollideCacheHModel(cache, &posed.hmodel, nullptr);
    ASSERT_EQ(cache->count, 1);
    ExpectNear(cache->polygons[0].coord[1], V(10.5f, 0, 0), "moved");
}

TEST_F(CollisionCacheTest, AnHModelMeshStopsAtTheCapacity) {
    CollisionModelBuilder builder;
    for (s32 i = 0; i < 3; ++i)
        builder.Face({V(0, 0, 0), V(0.5f, 0, 0), V(0, 0.5f, 0)});
    PosedHModel posed(builder.Build(false), 1);
    s_collision_cache* cache = Cache(2, 1.0f);
    cache->count = 1;
    cache->polygons[0] = {};
    PolyCollideCacheHModel(cache, &posed.hmodel, nullptr);
    EXPECT_EQ(cache->count, 2);
    EXPECT_NE(report().text().find("PolyCollideCacheHModel: Warning - Cache Overflow\n"), std::string::npos);
}

TEST_F(CollisionCacheTest, AnHModelsBoxIsAppendedAsSixQuadsOnItsRootBone) {
    CollisionModelBuilder builder;
    PosedHModel posed(builder.Build(false), 2);
    posed.hmodel.model->minBounds = {-1, 0, -2, 0};
    posed.hmodel.model->maxBounds = {1, 3, 2, 0};
    posed.hmatrix.rootBone = 1;
    posed.bones[1].worldMatrix = kMoved;
    s_collision_cache* cache = Cache(6, 1.0f);
    PolyCollideCacheHModelBounds(cache, &posed.hmodel, nullptr);
    ASSERT_EQ(cache->count, 6);
    const u16 axes[6] = {COLLISION_AXIS_Y, COLLISION_AXIS_Y_NEG, COLLISION_AXIS_X_NEG,
                         COLLISION_AXIS_X, COLLISION_AXIS_Z,     COLLISION_AXIS_Z_NEG};
    for (s32 i = 0; i < 6; ++i) {
        const s_cache_poly& poly = cache->polygons[i];
        EXPECT_EQ(poly.flags, 0x8180 | axes[i]) << i;
        EXPECT_EQ(poly.vertCount, 4);
        EXPECT_EQ(poly.boneId, 0);
        EXPECT_EQ(poly.surface, 0);
        // Counter-clockwise seen from outside: (c1 - c0) x (c2 - c1) points along the normal.
        const s_Vector3& c0 = poly.coord[0];
        const s_Vector3& c1 = poly.coord[1];
        const s_Vector3& c2 = poly.coord[2];
        const s_Vector3 e1 = V(c1.x - c0.x, c1.y - c0.y, c1.z - c0.z);
        const s_Vector3 e2 = V(c2.x - c1.x, c2.y - c1.y, c2.z - c1.z);
        s_Vector3 n;
        Vect3Cross(&n, &e1, &e2);
        EXPECT_GT(n.x * poly.normal.x + n.y * poly.normal.y + n.z * poly.normal.z, 0.0f) << i;
    }
    ExpectNear(cache->polygons[0].coord[0], V(9, 3, 2), "top, first corner");
    ExpectNear(cache->polygons[5].coord[0], V(11, 0, -2), "back, first corner");
}

TEST_F(CollisionCacheTest, ThreeFreeSlotsTakeTheTopBottomAndMinusXFaces) {
    CollisionModelBuilder builder;
    PosedHModel posed(builder.Build(false), 1);
    posed.hmodel.model->maxBounds = {1, 1, 1, 0};
    s_collision_cache* cache = Cache(5, 1.0f);
    cache->count = 2;
    cache->polygons[0] = cache->polygons[1] = {};
    PolyCollideCacheHModelBounds(cache, &posed.hmodel, nullptr);
    ASSERT_EQ(cache->count, 5);
    ExpectNear(cache->polygons[2].normal, V(0, 1, 0), "top");
    ExpectNear(cache->polygons[3].normal, V(0, -1, 0), "bottom");
    ExpectNear(cache->polygons[4].normal, V(-1, 0, 0), "-X");
    EXPECT_NE(report().text().find("PolyCollideCacheHModelBounds: Warning - Cache Overflow\n"),
              std::string::npos);
}

TEST_F(CollisionCacheTest, AScaledHModelsBoxKeepsUnitNormals) {
    CollisionModelBuilder builder;
    PosedHModel posed(builder.Build(false), 1);
    posed.hmodel.model->maxBounds = {1, 1, 1, 0};
    posed.bones[0].worldMatrix = kTurned;
    posed.hmodel.flags = HMODEL_FLAG_SCALED;
    s_collision_cache* cache = Cache(6, 1.0f);
    PolyCollideCacheHModelBounds(cache, &posed.hmodel, nullptr);
    ASSERT_EQ(cache->count, 6);
    ExpectNear(cache->polygons[0].normal, V(0, 0, 1), "top turned to +z");
    ExpectNear(cache->polygons[4].normal, V(0, -1, 0), "+z turned to -y");
    ExpectNear(cache->polygons[0].coord[0], V(5, -2, 2), "corner doubled");
}

}  // namespace
