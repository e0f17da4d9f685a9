#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "orblib47/source/Collision.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

constexpr u32 kAll = 0xFFFFFFFFu;
const s_Vector3 kUp = V(0, 1, 0);

size_t Occurrences(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}

class CollisionSphereQueryTest : public EngineFixture {
protected:
    s_collision_list* Sphere(TestCollisionCache& cache, const s_Vector3& pos, f32 radius,
                             const s_Vector3& centerPos, const s_Vector3& up = kUp, u32 mask = kAll,
                             u32 exclusion = 0) {
        PolyCollideStart(nullptr);
        return PolyCollideCheckSphereRef(cache.get(), &centerPos, &up, &pos, radius, 0, mask, exclusion);
    }
    s_collision_list* Sphere(TestCollisionCache& cache, const s_Vector3& pos, f32 radius) {
        return Sphere(cache, pos, radius, pos);
    }

    // A roof ridge along z at the origin, sloping down to y = -1 at x = -1 (first)
    // and x = 1 (second): a sphere above the ridge touches both planes outside
    // their faces.
    static s_cache_poly& LeftSlope(TestCollisionCache& cache, u16 flags) {
        return cache.Add({V(0, 0, 1), V(0, 0, -1), V(-1, -1, -1), V(-1, -1, 1)}, flags);
    }
    static s_cache_poly& RightSlope(TestCollisionCache& cache, u16 flags) {
        return cache.Add({V(0, 0, -1), V(0, 0, 1), V(1, -1, 1), V(1, -1, -1)}, flags);
    }
    // A level triangle beyond the ridge's z = 1 end, sharing that corner.
    static s_cache_poly& CornerFloor(TestCollisionCache& cache, u16 flags) {
        return cache.Add({V(0, 0, 1), V(-1, 0, 2), V(1, 0, 2)}, flags);
    }
};

TEST_F(CollisionSphereQueryTest, FaceContactsAgainstAFloor) {
    TestCollisionCache cache(1);
    cache.Floor(0.0f, -1, 1, -1, 1);
    struct Case {
        const char* name;
        f32 y;
        s32 count;
        f32 depth;
    };
    const Case cases[] = {
        {"resting", 1.0f, 1, 0.0f},       {"sunk in", 0.25f, 1, 0.75f},
        {"centre below", -0.5f, 1, 1.5f}, {"touching from below", -1.0f, 1, 2.0f},
        {"above", 1.001f, 0, 0.0f},       {"far below", -1.001f, 0, 0.0f},
    };
    for (const Case& c : cases) {
        s_collision_list* list = Sphere(cache, V(0.5f, c.y, 0), 1.0f);
        ASSERT_EQ(list->count, c.count) << c.name;
        if (c.count == 0)
            continue;
        const s_collision_result& r = list->result[0];
        EXPECT_EQ(r.flags, COLLISION_RESULT_FACE) << c.name;
        EXPECT_EQ(r.distance, c.depth) << c.name;
        EXPECT_EQ(r.movement.y, c.depth) << c.name;
        EXPECT_EQ(r.movement.x, 0.0f) << c.name;
        EXPECT_EQ(list->pos.y, c.y + c.depth) << c.name;
    }
}

TEST_F(CollisionSphereQueryTest, ALaterPolygonSeesTheMovedCentre) {
    TestCollisionCache cache(2);
    cache.Floor(0.0f, -1, 1, -1, 1);
    cache.Floor(0.0f, -1, 1, -1, 1);
    s_collision_list* list = Sphere(cache, V(0, 0.5f, 0), 1.0f);
    ASSERT_EQ(list->count, 2);
    EXPECT_EQ(list->result[0].distance, 0.5f);
    EXPECT_EQ(list->result[1].distance, 0.0f);
    EXPECT_EQ(list->result[1].movement.y, 0.0f);
    EXPECT_EQ(list->pos.y, 1.0f);
}

TEST_F(CollisionSphereQueryTest, WhichPolygonsMayPush) {
    struct Case {
        const char* name;
        u16 flags;
        s_Vector3 centerPos, up;
        u32 mask, exclusion;
        bool tested;
    };
    // A wall facing +x at x = 0; the sphere overlaps it from the front.
    const Case cases[] = {
        {"mover in front", COLLISION_PLAYER_OBS, V(2, 0, 0), kUp, kAll, 0, true},
        {"mover behind", COLLISION_PLAYER_OBS, V(-2, 0, 0), kUp, kAll, 0, false},
        {"mover in the plane", COLLISION_PLAYER_OBS, V(0, 0, 0), kUp, kAll, 0, false},
        {"trigger, mover behind", COLLISION_TRIGGER, V(-2, 0, 0), kUp, kAll, 0, true},
        {"floor for this mover", COLLISION_PLAYER_OBS, V(-2, 0, 0), V(1, 0, 0), kAll, 0, true},
        {"45 degrees from up", COLLISION_PLAYER_OBS, V(-2, 0, 0), V(0.7072f, 0.7072f, 0), kAll, 0, true},
        {"steeper than 45", COLLISION_PLAYER_OBS, V(-2, 0, 0), V(0.7070f, 0.7070f, 0), kAll, 0, false},
        {"outside the mask", COLLISION_PLAYER_OBS, V(2, 0, 0), kUp, COLLISION_CAMERA_OBS, 0, false},
        {"excluded", COLLISION_PLAYER_OBS, V(2, 0, 0), kUp, kAll, COLLISION_PLAYER_OBS, false},
    };
    for (const Case& c : cases) {
        TestCollisionCache cache(1);
        cache.Add({V(0, -1, 1), V(0, -1, -1), V(0, 1, -1), V(0, 1, 1)}, c.flags);
        ASSERT_EQ(cache.poly(0).normal.x, 1.0f);
        EXPECT_EQ(Sphere(cache, V(0.5f, 0, 0), 1.0f, c.centerPos, c.up, c.mask, c.exclusion)->count,
                  c.tested ? 1 : 0)
            << c.name;
    }
}

TEST_F(CollisionSphereQueryTest, EdgeAndCornerContactsPushAwayFromThem) {
    TestCollisionCache cache(1);
    cache.Floor(0.0f, -1, 1, -1, 1);
    struct Case {
        const char* name;
        s_Vector3 pos;
        u32 flags, p0, p1;
        s_Vector3 centreAfter;
    };
    // The floor's corners in order: (-1, -1), (-1, 1), (1, 1), (1, -1) in (x, z).
    const Case cases[] = {
        {"edge at x = 1", V(1.3f, 0, 0), COLLISION_RESULT_EDGE, 2, 3, V(1.5f, 0, 0)},
        {"edge at z = 1", V(0, 0, 1.3f), COLLISION_RESULT_EDGE, 1, 2, V(0, 0, 1.5f)},
        {"corner (1, 1)", V(1.2f, 0, 1.2f), COLLISION_RESULT_VERTEX, 2, 0, V(1.0f, 0, 1.0f)},
    };
    for (const Case& c : cases) {
        s_collision_list* list = Sphere(cache, c.pos, 0.5f);
        ASSERT_EQ(list->count, 1) << c.name;
        const s_collision_result& r = list->result[0];
        EXPECT_EQ(r.flags, c.flags) << c.name;
        EXPECT_EQ(r.p0, c.p0) << c.name;
        EXPECT_EQ(r.distance, 0.5f) << c.name;  // r - d with the centre in the plane
        if (c.flags == COLLISION_RESULT_EDGE) {
            EXPECT_EQ(r.p1, c.p1) << c.name;
            EXPECT_NEAR(list->pos.x, c.centreAfter.x, 1e-6f) << c.name;
            EXPECT_NEAR(list->pos.z, c.centreAfter.z, 1e-6f) << c.name;
        } else {
            const f32 out = std::hypot(list->pos.x - 1.0f, list->pos.z - 1.0f);
            EXPECT_NEAR(out, 0.5f, 1e-6f) << c.name;
        }
    }
    EXPECT_EQ(Sphere(cache, V(1.5f, 0, 0), 0.5f)->count, 0);
    EXPECT_EQ(Sphere(cache, V(1.3f, 0, 1.3f), 0.4f)->count, 0);
}

TEST_F(CollisionSphereQueryTest, ASharedEdgeGivesOneContact) {
    TestCollisionCache cache(2);
    const s_cache_poly& left = LeftSlope(cache, COLLISION_TRIGGER);
    RightSlope(cache, COLLISION_TRIGGER);
    s_collision_list* list = Sphere(cache, V(0, 0.5f, 0), 0.6f);
    ASSERT_EQ(list->count, 1);
    const s_collision_result& r = list->result[0];
    EXPECT_EQ(r.flags, COLLISION_RESULT_EDGE);
    EXPECT_EQ(r.cachePoly, &left);
    EXPECT_EQ(r.p0, 0u);
    EXPECT_EQ(r.p1, 1u);
    EXPECT_NEAR(r.distance, 0.6f - 0.5f / std::sqrt(2.0f), 1e-6f);
    EXPECT_NEAR(r.movement.y, 0.1f, 1e-6f);
    // Triggers report without pushing.
    EXPECT_EQ(list->pos.y, 0.5f);
}

TEST_F(CollisionSphereQueryTest, AnEdgeContactMovesTheCentreBeforeTheNextPolygon) {
    TestCollisionCache cache(2);
    LeftSlope(cache, COLLISION_PLAYER_OBS);
    RightSlope(cache, COLLISION_PLAYER_OBS);
    s_collision_list* list = Sphere(cache, V(0, 0.5f, 0), 0.6f);
    ASSERT_EQ(list->count, 1);
    EXPECT_NEAR(list->pos.y, 0.6f, 1e-6f);
}

TEST_F(CollisionSphereQueryTest, ACornerOfAReportedEdgeIsNotReportedAgain) {
    const s_Vector3 pos = V(0, 0.5f, 0.8f);
    TestCollisionCache edgeFirst(2);
    LeftSlope(edgeFirst, COLLISION_TRIGGER);
    CornerFloor(edgeFirst, COLLISION_TRIGGER);
    s_collision_list* list = Sphere(edgeFirst, pos, 0.6f);
    ASSERT_EQ(list->count, 1);
    EXPECT_EQ(list->result[0].flags, COLLISION_RESULT_EDGE);

    // A corner found first is marked covered by the edge found later.
    TestCollisionCache cornerFirst(2);
    const s_cache_poly& corner = CornerFloor(cornerFirst, COLLISION_TRIGGER);
    LeftSlope(cornerFirst, COLLISION_TRIGGER);
    list = Sphere(cornerFirst, pos, 0.6f);
    ASSERT_EQ(list->count, 2);
    EXPECT_EQ(list->result[0].flags, COLLISION_RESULT_VERTEX | COLLISION_RESULT_COVERED);
    EXPECT_EQ(list->result[0].cachePoly, &corner);
    EXPECT_EQ(list->result[0].p0, 0u);
    EXPECT_EQ(list->result[1].flags, COLLISION_RESULT_EDGE);
}

class CollisionSphereQueryLimitsTest : public CollisionSphereQueryTest {
protected:
    void SetUp() override {
        CollisionSphereQueryTest::SetUp();
        // On the heap, so a write past the 64th result is caught.
        saved_ = PolyCollideListPtrSet(list_.get());
    }
    void TearDown() override {
        PolyCollideListPtrSet(saved_);
        CollisionSphereQueryTest::TearDown();
    }

    // Trigger floors right of the sphere at (0, 0.3, 0), radius 0.6, each with its
    // own near edge at x = nearX.
    static void EdgeFloors(TestCollisionCache& cache, s32 count, f32 nearX) {
        for (s32 i = 0; i < count; ++i) {
            const f32 grow = 0.001f * f32(i);
            cache.Floor(0.0f, nearX, 1.5f, -1.0f - grow, 1.0f + grow, COLLISION_TRIGGER);
        }
    }

    std::unique_ptr<s_collision_list> list_ = std::make_unique<s_collision_list>();
    s_collision_list* saved_ = nullptr;
};

TEST_F(CollisionSphereQueryLimitsTest, FaceContactsStopAtSixtyFour) {
    TestCollisionCache cache(70);
    for (s32 i = 0; i < 70; ++i)
        cache.Floor(0.0f, -1, 1, -1, 1, COLLISION_TRIGGER);
    s_collision_list* list = Sphere(cache, V(0, 0.5f, 0), 1.0f);
    EXPECT_EQ(list, list_.get());
    EXPECT_EQ(list->count, COLLISION_MAX_RESULTS);
    EXPECT_EQ(list->result[COLLISION_MAX_RESULTS - 1].cachePoly, &cache.poly(COLLISION_MAX_RESULTS - 1));
    EXPECT_TRUE(report().contains("COLLIDE: Collision List Overflowed!\n"));
}

TEST_F(CollisionSphereQueryLimitsTest, EdgeContactsFillTheListFromAFullPendingTable) {
    TestCollisionCache cache(COLLISION_MAX_PENDING + 2);
    EdgeFloors(cache, COLLISION_MAX_PENDING + 2, 0.5f);
    s_collision_list* list = Sphere(cache, V(0, 0.3f, 0), 0.6f);
    EXPECT_EQ(list->count, COLLISION_MAX_RESULTS);
    for (s32 i = 0; i < list->count; ++i)
        EXPECT_EQ(list->result[i].flags, COLLISION_RESULT_EDGE);
    EXPECT_EQ(Occurrences(report().text(), "Collide Pending Overflow!\n"), 1u);
    EXPECT_TRUE(report().contains("COLLIDE: Collision List Overflowed!\n"));
}

TEST_F(CollisionSphereQueryLimitsTest, CandidatesPastAFullPendingTableAreDropped) {
    TestCollisionCache cache(COLLISION_MAX_PENDING + 2);
    EdgeFloors(cache, COLLISION_MAX_PENDING, 0.55f);  // planes reached, edges out of reach
    EdgeFloors(cache, 2, 0.5f);
    EXPECT_EQ(Sphere(cache, V(0, 0.3f, 0), 0.6f)->count, 0);
    EXPECT_EQ(Occurrences(report().text(), "Collide Pending Overflow!\n"), 1u);
    // Each query reports its own overflow.
    Sphere(cache, V(0, 0.3f, 0), 0.6f);
    EXPECT_EQ(Occurrences(report().text(), "Collide Pending Overflow!\n"), 2u);
}

TEST_F(CollisionSphereQueryTest, MissingOrEmptyCachesStillSetTheCentre) {
    TestCollisionCache empty(1);
    const s_Vector3 pos = V(1, 2, 3);
    PolyCollideStart(nullptr);
    s_collision_list* list = PolyCollideCheckSphereRef(nullptr, &pos, &kUp, &pos, 1.0f, 0, kAll, 0);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->pos.y, 2.0f);
    EXPECT_EQ(Sphere(empty, V(4, 5, 6), 1.0f)->pos.z, 6.0f);
}

}  // namespace
