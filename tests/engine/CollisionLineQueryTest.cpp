#include <gtest/gtest.h>

#include <memory>

#include "orblib47/source/Collision.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

constexpr u32 kAll = 0xFFFFFFFFu;

class CollisionLineQueryTest : public EngineFixture {
protected:
    // A fresh query down from `from` to `to` through the cache.
    s_collision_list* Line(const s_Vector3& from, const s_Vector3& to, u32 flags = 0, u32 mask = kAll,
                           u32 exclusion = 0) {
        PolyCollideStart(nullptr);
        const s_Vector3 line[2] = {from, to};
        return PolyCollideCheckLineExclude(cache_.get(), nullptr, line, flags, mask, exclusion);
    }

    TestCollisionCache cache_{8};
};

TEST_F(CollisionLineQueryTest, NearestOfTwoFloorsWinsAndTiesKeepTheFirst) {
    cache_.Floor(0.0f, -1, 1, -1, 1);
    const s_cache_poly& upper = cache_.Floor(2.0f, -1, 1, -1, 1);
    const s_cache_poly& twin = cache_.Floor(2.0f, -1, 1, -1, 1);
    s_collision_list* list = Line(V(0, 5, 0), V(0, -5, 0));
    ASSERT_EQ(list->count, 1);
    EXPECT_EQ(list->result[0].cachePoly, &upper);
    EXPECT_NE(list->result[0].cachePoly, &twin);
    EXPECT_FLOAT_EQ(list->result[0].distance, 3.0f);
    EXPECT_FLOAT_EQ(list->pos.y, 2.0f);
    EXPECT_FLOAT_EQ(list->result[0].movement.y, 2.0f);
}

TEST_F(CollisionLineQueryTest, WhichLinesHitAFloor) {
    cache_.Floor(0.0f, -1, 1, -1, 1);
    struct Case {
        const char* name;
        s_Vector3 from, to;
        u32 flags;
        bool hits;
    };
    const Case cases[] = {
        {"down through", V(0, 1, 0), V(0, -1, 0), 0, true},
        {"ending on the plane", V(0, 1, 0), V(0, 0, 0), 0, true},
        {"ending short", V(0, 1, 0), V(0, 0.01f, 0), 0, false},
        {"starting beyond", V(0, -0.5f, 0), V(0, -1, 0), 0, false},
        {"in the plane", V(-0.5f, 0, 0), V(0.5f, 0, 0), 0, false},
        {"nearly in the plane", V(-1, 0.0005f, 0), V(1, -0.0005f, 0), POLY_COLLIDE_BACKFACE, false},
        {"from below", V(0, -1, 0), V(0, 1, 0), 0, false},
        {"from below, both sides", V(0, -1, 0), V(0, 1, 0), POLY_COLLIDE_BACKFACE, true},
        {"beside the polygon", V(1.5f, 1, 0), V(1.5f, -1, 0), 0, false},
        {"on its edge", V(1, 1, 0), V(1, -1, 0), 0, true},
        {"no length", V(0, 0, 0), V(0, 0, 0), 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Line(c.from, c.to, c.flags)->count, c.hits ? 1 : 0) << c.name;
}

TEST_F(CollisionLineQueryTest, MasksChooseThePolygons) {
    cache_.Floor(1.0f, -1, 1, -1, 1, COLLISION_CAMERA_OBS);
    const s_cache_poly& lower = cache_.Floor(0.0f, -1, 1, -1, 1, COLLISION_PLAYER_OBS | COLLISION_LEDGE);
    // The quad and axis bits count too, so a full mask takes every polygon.
    EXPECT_EQ(Line(V(0, 2, 0), V(0, -1, 0), 0, COLLISION_PLAYER_OBS)->result[0].cachePoly, &lower);
    EXPECT_EQ(Line(V(0, 2, 0), V(0, -1, 0), 0, COLLISION_QUAD)->result[0].cachePoly, &cache_.poly(0));
    EXPECT_EQ(Line(V(0, 2, 0), V(0, -1, 0), 0, kAll, COLLISION_CAMERA_OBS)->result[0].cachePoly, &lower);
    EXPECT_EQ(Line(V(0, 2, 0), V(0, -1, 0), 0, kAll, COLLISION_QUAD)->count, 0);
    EXPECT_EQ(Line(V(0, 2, 0), V(0, -1, 0), 0, COLLISION_TRIGGER)->count, 0);
}

TEST_F(CollisionLineQueryTest, AnUnemptiedListKeepsANearerEarlierHit) {
    cache_.Floor(0.0f, -1, 1, -1, 1);
    Line(V(0, 1, 0), V(0, -1, 0));
    const s_Vector3 longer[2] = {V(0, 5, 0), V(0, -1, 0)};
    s_collision_list* list = PolyCollideCheckLine(cache_.get(), nullptr, longer, 0, kAll);
    EXPECT_EQ(list->count, 1);
    EXPECT_FLOAT_EQ(list->result[0].distance, 1.0f);
}

TEST_F(CollisionLineQueryTest, MissingOrEmptyCachesGiveNothing) {
    const s_Vector3 line[2] = {V(0, 1, 0), V(0, -1, 0)};
    PolyCollideStart(nullptr);
    EXPECT_EQ(PolyCollideCheckLine(nullptr, nullptr, line, 0, kAll)->count, 0);
    EXPECT_EQ(PolyCollideCheckLine(cache_.get(), nullptr, line, 0, kAll)->count, 0);
}

TEST_F(CollisionLineQueryTest, QueriesWriteTheCurrentListUntilTheEngineRestarts) {
    cache_.Floor(0.0f, -1, 1, -1, 1);
    s_collision_list* engineList = PolyCollideListPtrGet();
    auto own = std::make_unique<s_collision_list>();
    own->count = 7;
    EXPECT_EQ(PolyCollideListPtrSet(own.get()), engineList);
    EXPECT_EQ(PolyCollideStart(nullptr), own.get());
    EXPECT_EQ(own->count, 0);
    EXPECT_EQ(Line(V(0, 1, 0), V(0, -1, 0)), own.get());
    EXPECT_EQ(own->count, 1);

    engineList->count = 3;
    EXPECT_EQ(PolyCollideStart(engineList), engineList);
    EXPECT_EQ(engineList->count, 0);

    PolyCollideListPtrSet(own.get());
    // A restarted engine queries into its own list again.
    TearDown();
    SetUp();
    EXPECT_EQ(PolyCollideListPtrGet(), engineList);
}

}  // namespace
