#include <gtest/gtest.h>

#include <cmath>

#include "orblib47/source/CollisionQueryInternal.h"
#include "tests/support/TestCollisionCache.h"

namespace {

TEST(CollisionQueryGeometryTest, SegmentAgainstSphere) {
    const s_Vector3 a = V(0, 0, 0), b = V(2, 0, 0);
    struct Case {
        const char* name;
        s_Vector3 from, to, centre;
        f32 r;
        s32 kind;
        s_Vector3 move;
    };
    const Case cases[] = {
        {"beside the middle", a, b, V(1, 0.5f, 0), 1.0f, SEGMENT_EDGE, V(0, 0.5f, 0)},
        {"line passing at r", a, b, V(1, 1, 0), 1.0f, SEGMENT_NO_CONTACT, V(0, 0, 0)},
        {"before the start", a, b, V(-0.6f, 0, 0), 1.0f, SEGMENT_FIRST_VERTEX, V(-0.4f, 0, 0)},
        {"start out of reach", a, b, V(-1, 0, 0), 1.0f, SEGMENT_NO_CONTACT, V(0, 0, 0)},
        {"past the end", a, b, V(2.6f, 0, 0), 1.0f, SEGMENT_SECOND_VERTEX, V(0.4f, 0, 0)},
        {"end out of reach", a, b, V(3, 0, 0), 1.0f, SEGMENT_NO_CONTACT, V(0, 0, 0)},
        {"centre on the segment", a, b, V(1, 0, 0), 1.0f, SEGMENT_NO_CONTACT, V(0, 0, 0)},
        {"segment of no length", a, a, V(0, 0.5f, 0), 1.0f, SEGMENT_NO_CONTACT, V(0, 0, 0)},
    };
    for (const Case& c : cases) {
        s_Vector3 move = V(0, 0, 0);
        EXPECT_EQ(LineSegSphereIntersect(&c.from, &c.to, &c.centre, c.r, &move), c.kind) << c.name;
        if (c.kind == SEGMENT_NO_CONTACT)
            continue;
        EXPECT_NEAR(move.x, c.move.x, 1e-6f) << c.name;
        EXPECT_NEAR(move.y, c.move.y, 1e-6f) << c.name;
        EXPECT_FALSE(std::isnan(move.z)) << c.name;
    }
}

TEST(CollisionQueryGeometryTest, InsideTestsNameTheFirstEdgeFailed) {
    TestCollisionCache cache(1);
    s_cache_poly& floor = cache.Floor(0.0f, -1, 1, -1, 1);
    struct Case {
        s_Vector3 p;
        s32 full, projected;
    };
    // Corners (x, z): (-1, -1), (-1, 1), (1, 1), (1, -1); the projected form ignores y.
    const Case cases[] = {
        {V(0, 0, 0), 0, 0},     {V(1, 0, 1), 0, 0},    {V(1 + 1e-6f, 0, 0), 0, 0},
        {V(-1.1f, 0, 0), 1, 1}, {V(0, 0, 1.1f), 2, 2}, {V(1.1f, 0, 0), 3, 3},
        {V(0, 0, -1.1f), 4, 4}, {V(0, 5, 0), 0, 0},    {V(1.1f, 0, 1.1f), 2, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PolyCollideInsideFull(floor, c.p), c.full) << c.p.x << "," << c.p.y << "," << c.p.z;
        EXPECT_EQ(PolyCollideInsideProjected(floor, c.p), c.projected) << c.p.x << "," << c.p.z;
    }
    // A polygon without exactly one axis bit is inside everywhere in projection.
    floor.flags = u16(floor.flags | COLLISION_AXIS_X);
    EXPECT_EQ(PolyCollideInsideProjected(floor, V(5, 0, 5)), 0);
    floor.flags = u16(floor.flags & ~COLLISION_AXIS_MASK);
    EXPECT_EQ(PolyCollideInsideProjected(floor, V(5, 0, 5)), 0);
}

}  // namespace
