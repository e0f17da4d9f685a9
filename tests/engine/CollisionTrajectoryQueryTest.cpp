#include <gtest/gtest.h>

#include <cmath>

#include "orblib47/source/Collision.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

constexpr u32 kAll = 0xFFFFFFFFu;

class CollisionTrajectoryQueryTest : public EngineFixture {
protected:
    s_collision_list* Path(const s_Vector3& pos, const s_Vector3& velocity, const s_Vector3& acceleration) {
        PolyCollideStart(nullptr);
        return PolyCollideCheckTrajectory(cache_.get(), &pos, &velocity, &acceleration, 0, kAll);
    }

    TestCollisionCache cache_{4};
};

TEST_F(CollisionTrajectoryQueryTest, EarliestCrossingOfAFloorFromEitherSide) {
    cache_.Floor(0.0f, -10, 10, -10, 10);
    const f32 none = -1.0f;
    struct Case {
        const char* name;
        s_Vector3 pos, velocity, acceleration;
        f32 t;  // none: no crossing
    };
    const Case cases[] = {
        {"dropped", V(0, 1, 0), V(0, 0, 0), V(0, -2, 0), 1.0f},
        {"thrown up first", V(0, 1, 0), V(0, 1, 0), V(0, -2, 0), (1.0f + std::sqrt(5.0f)) / 2.0f},
        {"steady fall", V(0, 2, 0), V(0, -1, 0), V(0, 0, 0), 2.0f},
        {"rising from below", V(0, -1, 0), V(0, 1, 0), V(0, 0, 0), 1.0f},
        {"level flight", V(0, 1, 0), V(1, 0, 0), V(0, 0, 0), none},
        {"leaving the plane", V(0, 0, 0), V(0, 1, 0), V(0, 0, 0), none},
        {"leaving the plane and coming back", V(0, 0, 0), V(0, 1, 0), V(0, -2, 0), 1.0f},
        {"moving away", V(0, 1, 0), V(0, 1, 0), V(0, 0, 0), none},
        {"never reaching it", V(0, 1, 0), V(0, 1, 0), V(0, 0.5f, 0), none},
        {"landing beside it", V(20, 1, 0), V(0, -1, 0), V(0, 0, 0), none},
    };
    for (const Case& c : cases) {
        s_collision_list* list = Path(c.pos, c.velocity, c.acceleration);
        EXPECT_EQ(list->pos.y, c.pos.y) << c.name;
        if (c.t == none) {
            EXPECT_EQ(list->count, 0) << c.name;
            continue;
        }
        ASSERT_EQ(list->count, 1) << c.name;
        EXPECT_NEAR(list->result[0].distance, c.t, 1e-5f) << c.name;
        EXPECT_NEAR(list->result[0].movement.y, 0.0f, 1e-5f) << c.name;
        EXPECT_EQ(list->result[0].cachePoly, &cache_.poly(0)) << c.name;
    }
}

TEST_F(CollisionTrajectoryQueryTest, TheEarliestPolygonWinsWhateverTheOrder) {
    cache_.Floor(-1.0f, -10, 10, -10, 10);
    const s_cache_poly& upper = cache_.Floor(0.0f, -10, 10, -10, 10);
    cache_.Floor(-2.0f, -10, 10, -10, 10);
    s_collision_list* list = Path(V(0, 1, 0), V(0, -1, 0), V(0, 0, 0));
    ASSERT_EQ(list->count, 1);
    EXPECT_EQ(list->result[0].cachePoly, &upper);
    EXPECT_FLOAT_EQ(list->result[0].distance, 1.0f);
}

TEST_F(CollisionTrajectoryQueryTest, TheInsideTestLooksAlongThePolygonsAxis) {
    // A steep ramp classed by x: inside is judged in the y-z plane only.
    cache_.Add({V(0, 0, -1), V(0, 0, 1), V(1, 2, 1), V(1, 2, -1)});
    ASSERT_TRUE(cache_.poly(0).flags & COLLISION_AXIS_X_NEG);
    EXPECT_EQ(Path(V(-1, 1, 0), V(1, 0, 0), V(0, 0, 0))->count, 1);
    EXPECT_EQ(Path(V(-1, 1, 2), V(1, 0, 0), V(0, 0, 0))->count, 0);
    // Without an axis bit a polygon is inside everywhere.
    cache_.poly(0).flags &= ~COLLISION_AXIS_MASK;
    EXPECT_EQ(Path(V(-1, 1, 2), V(1, 0, 0), V(0, 0, 0))->count, 1);
}

TEST_F(CollisionTrajectoryQueryTest, AMissingCacheStillSetsTheStart) {
    const s_Vector3 pos = V(1, 2, 3), velocity = V(0, -1, 0), acceleration = V(0, 0, 0);
    PolyCollideStart(nullptr);
    s_collision_list* list = PolyCollideCheckTrajectory(nullptr, &pos, &velocity, &acceleration, 0, kAll);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->pos.z, 3.0f);
}

}  // namespace
