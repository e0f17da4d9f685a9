#include <gtest/gtest.h>

#include "orblib47/source/Collision.h"
#include "tests/support/CollisionModelBuilder.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr u32 kAll = 0xFFFFFFFFu;

s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

// A level floor in the collision world and a mover's cache, set up but not filled.
class CollisionQueryRefreshTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        world_.Face({V(-5, 0, -5), V(-5, 0, 5), V(5, 0, 5), V(5, 0, -5)},
                    COLLISION_PLAYER_OBS | COLLISION_AXIS_Y);
        CollisionWorldModel = world_.Build(false);
        cache_ = PolyCollideCacheAllocSize(4);
        const s_Vector3 min = V(-2, -2, -2), max = V(2, 2, 2);
        PolyCollideCacheSetup(cache_, &min, &max);
    }
    void TearDown() override {
        PolyCollideCacheFree(cache_);
        CollisionWorldModel = nullptr;
        EngineFixture::TearDown();
    }

public:  // the test body takes their addresses
    s32 Line(u32 flags) {
        const s_Vector3 line[2] = {V(0, 1, 0), V(0, -1, 0)};
        PolyCollideStart(nullptr);
        return PolyCollideCheckLine(cache_, nullptr, line, flags, kAll)->count;
    }
    s32 Trajectory(u32 flags) {
        const s_Vector3 pos = V(0, 1, 0), velocity = V(0, -1, 0), acceleration = V(0, 0, 0);
        PolyCollideStart(nullptr);
        return PolyCollideCheckTrajectory(cache_, &pos, &velocity, &acceleration, flags, kAll)->count;
    }
    s32 Sphere(u32 flags) {
        const s_Vector3 pos = V(0, 0.5f, 0), up = V(0, 1, 0);
        PolyCollideStart(nullptr);
        return PolyCollideCheckSphereRef(cache_, &pos, &up, &pos, 1.0f, flags, kAll, 0)->count;
    }

protected:
    CollisionModelBuilder world_;
    s_collision_cache* cache_ = nullptr;
};

TEST_F(CollisionQueryRefreshTest, TheRefreshBitFillsTheCacheAroundTheQuery) {
    using Query = s32 (CollisionQueryRefreshTest::*)(u32);
    struct Case {
        const char* name;
        Query query;
    };
    for (const Case& c : {Case{"line", &CollisionQueryRefreshTest::Line},
                          Case{"trajectory", &CollisionQueryRefreshTest::Trajectory},
                          Case{"sphere", &CollisionQueryRefreshTest::Sphere}}) {
        const s_Vector3 min = V(-2, -2, -2), max = V(2, 2, 2);
        PolyCollideCacheSetup(cache_, &min, &max);
        EXPECT_EQ((this->*c.query)(0), 0) << c.name;
        EXPECT_EQ(cache_->count, 0) << c.name;
        EXPECT_EQ((this->*c.query)(POLY_COLLIDE_REFRESH), 1) << c.name;
        EXPECT_EQ(cache_->count, 1) << c.name;
    }
}

}  // namespace
