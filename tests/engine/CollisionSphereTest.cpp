#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "console/gx/efb_control.h"
#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr s8 kNone = COLLISION_NO_LINK;

struct SphereDef {
    s_Vector3 at;  // in the bone's frame
    f32 radius;
    s8 link = kNone;
    u32 group = 1;
    s8 boneId = 0;
};

s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

s_Matrix4 At(const s_Vector3& p) {
    s_Matrix4 m;
    Matrix4CreateTranslate(&m, p.x, p.y, p.z);
    return m;
}

// A model of one bone carrying the given spheres, posed at `origin`, its set loaded
// and updated as a hierarchical model does each frame.
class TestSet {
public:
    TestSet(const std::vector<SphereDef>& defs, const s_Vector3& origin, u32 mask = 0xFFFFFFFFu) {
        for (const SphereDef& d : defs)
            records_.push_back({{d.at.x, d.at.y, d.at.z, 0.0f}, 0, d.boneId, d.link, d.group, d.radius, 0});
        bone_ = {IDMatrix4, IDMatrix4, 0, -1, -1, -1, -1, 0};
        model_.numBones = 1;
        model_.boneList = &bone_;
        model_.numCollisionSpheres = s32(records_.size());
        model_.collisionSphereList = records_.data();
        model_.numLinkPoints = u32(records_.size());
        model_.linkPointList = records_.data();
        hmatrix_ = HMatrixAlloc(&bone_, 1, 0, nullptr);
        info_ = CollisionLoad(&model_);
        info_->mask = mask;
        MoveTo(origin);
    }
    ~TestSet() {
        CollisionFree(info_);
        HMatrixFree(hmatrix_);
    }
    TestSet(const TestSet&) = delete;
    TestSet& operator=(const TestSet&) = delete;

    void MoveTo(const s_Vector3& origin) {
        const s_Matrix4 world = At(origin);
        HMatrixUpdateMatrix(hmatrix_, &world);
        CollisionUpdate(info_, hmatrix_, &world);
    }

    s_collision_info* info() { return info_; }
    s_collision_sphere& sphere(u32 i) { return info_->sphereList[i]; }
    const s_model& model() const { return model_; }
    const s_hmatrix* hmatrix() const { return hmatrix_; }

private:
    std::vector<s_model_collision_sphere> records_;
    s_hmatrix_bone_def bone_;
    s_model model_{};
    s_hmatrix* hmatrix_ = nullptr;
    s_collision_info* info_ = nullptr;
};

using CollisionSphereTest = EngineFixture;

// --- Loading and updating

TEST_F(CollisionSphereTest, LoadCopiesTheRecordsAndMendsBadLinks) {
    TestSet set({{V(1, 2, 3), 0.5f, 1, 4},
                 {V(0, 0, 0), 0.0f, 1, 8},     // to itself
                 {V(0, 0, 0), 0.0f, 4, 16},    // past the list
                 {V(0, 0, 0), 0.0f, -7, 32}},  // negative, not -1
                V(0, 0, 0));
    s_collision_info* info = set.info();
    EXPECT_EQ(info->numSpheres, 4u);
    EXPECT_EQ(info->collisions, 0u);
    const s_collision_sphere& first = set.sphere(0);
    EXPECT_EQ(first.link, 1);
    EXPECT_EQ(first.group, 4u);
    EXPECT_EQ(first.radius, 0.5f);
    EXPECT_EQ(first.flags, 0u);
    EXPECT_EQ(first.relative.x, 1.0f);
    EXPECT_EQ(first.relative.z, 3.0f);
    for (u32 i = 1; i < 4; ++i)
        EXPECT_EQ(set.sphere(i).link, kNone) << i;
}

TEST_F(CollisionSphereTest, UpdateFollowsTheBoneAndSkipsBonesOutsideTheHierarchy) {
    TestSet set({{V(1, 0, 0), 1.0f}, {V(1, 0, 0), 1.0f, kNone, 1, 1}, {V(1, 0, 0), 1.0f, kNone, 1, -1}},
                V(10, 20, 30));
    EXPECT_EQ(set.info()->world.element[3], 10.0f);
    const s_Vector3 moved = set.sphere(0).world;
    EXPECT_EQ(moved.x, 11.0f);
    EXPECT_EQ(moved.y, 20.0f);
    EXPECT_EQ(moved.z, 30.0f);
    for (u32 i : {1u, 2u}) {  // bone 1 and bone 255 of a one-bone hierarchy
        EXPECT_EQ(set.sphere(i).world.x, 0.0f) << i;
        EXPECT_EQ(set.sphere(i).world.y, 0.0f) << i;
    }
}

TEST_F(CollisionSphereTest, LinkPointsFollowTheBone) {
    TestSet set({{V(0, 1, 0), 0.0f, 0, 2}, {V(0, 1, 0), 0.0f, kNone, 2, 9}}, V(0, 0, 0));
    s_link_point_info* links = LinkPointsLoad(&set.model());
    ASSERT_NE(links, nullptr);
    ASSERT_EQ(links->numLinkPoints, 2u);
    EXPECT_EQ(links->linkPointList[0].link, kNone);  // to itself
    EXPECT_EQ(links->linkPointList[0].group, 2u);
    const s_Matrix4 world = At(V(5, 0, 0));
    HMatrixUpdateMatrix(const_cast<s_hmatrix*>(set.hmatrix()), &world);
    LinkPointsUpdate(links, set.hmatrix(), &world);
    EXPECT_EQ(links->world.element[3], 5.0f);
    EXPECT_EQ(links->linkPointList[0].world.x, 5.0f);
    EXPECT_EQ(links->linkPointList[0].world.y, 1.0f);
    EXPECT_EQ(links->linkPointList[1].world.x, 0.0f);  // bone 9 does not exist
    LinkPointsFree(links);

    LinkPointsUpdate(nullptr, set.hmatrix(), &world);
    EXPECT_NE(report().text().find("LinkPointsUpdate: NULL info\n"), std::string::npos);
    LinkPointsFree(nullptr);
    CollisionFree(nullptr);
}

// A list the heap cannot hold leaves a set that every operation treats as empty.
TEST_F(CollisionSphereTest, UnallocatableListsLeaveEmptySets) {
    s_model model{};
    model.numCollisionSpheres = 0x7FFFFFFF;
    model.numLinkPoints = 0xFFFFFFFFu;
    s_collision_info* info = CollisionLoad(&model);
    s_link_point_info* links = LinkPointsLoad(&model);
    ASSERT_NE(info, nullptr);
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(info->numSpheres, 0u);
    EXPECT_EQ(links->numLinkPoints, 0u);
    EXPECT_NE(report().text().find("Player: Unable to allocate COLLISION_SPHERE structures\n"),
              std::string::npos);
    EXPECT_NE(report().text().find("Player: Unable to allocate LINK_POINT structures for link points\n"),
              std::string::npos);
    TestSet other({{V(0, 0, 0), 1.0f}}, V(0, 0, 0));
    EXPECT_EQ(CollisionCheck(info, other.info()), 0u);
    LinkPointsFree(links);
    CollisionFree(info);
}

// --- Checks between sets

struct CheckCase {
    const char* name;
    std::vector<SphereDef> set0;
    s_Vector3 origin0;
    std::vector<SphereDef> set1;
    s_Vector3 origin1;
    bool touch;
};

TEST_F(CollisionSphereTest, EdgeCases) {
    const CheckCase cases[] = {
        {"unit spheres 2.0 apart touch", {{V(0, 0, 0), 1}}, V(0, 0, 0), {{V(0, 0, 0), 1}}, V(2, 0, 0), true},
        {"unit spheres 2.001 apart do not",
         {{V(0, 0, 0), 1}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1}},
         V(2.001f, 0, 0),
         false},
        {"radius 0 is no candidate", {{V(0, 0, 0), 0}}, V(0, 0, 0), {{V(0, 0, 0), 1}}, V(0.5f, 0, 0), false},
        {"radius 0 in a capsule is",
         {{V(0, 0, 0), 0, 1}, {V(0, 0, 4), 0}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1}},
         V(0.5f, 0, 2),
         true},
        {"capsule beyond its end: that end only",
         {{V(0, 0, 0), 1, 1}, {V(0, 0, 4), 0}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1}},
         V(1.9f, 0, 5),
         false},
        {"capsule beyond its end, touching the end",
         {{V(0, 0, 0), 1, 1}, {V(0, 0, 4), 0}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1}},
         V(0, 0, 5.9f),
         true},
        {"capsule before its start",
         {{V(0, 0, 0), 1, 1}, {V(0, 0, 4), 0}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1}},
         V(1.9f, 0, -1),
         false},
        {"sphere against a capsule of set 1",
         {{V(0, 0, 0), 1}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1, 1}, {V(0, 4, 0), 0}},
         V(1.5f, -2, 0),
         true},
        {"capsule of no length is a sphere",
         {{V(0, 0, 0), 1, 1}, {V(0, 0, 0), 0}},
         V(0, 0, 0),
         {{V(0, 0, 0), 1}},
         V(0, 5, 0),
         false},
        // Sets at the same place: the cut still holds.
        {"same place, spheres apart", {{V(0, 5, 0), 1}}, V(3, 3, 3), {{V(0, -5, 0), 1}}, V(3, 3, 3), false},
        {"same place, spheres overlap",
         {{V(0, 0.5f, 0), 1}},
         V(3, 3, 3),
         {{V(0, -0.5f, 0), 1}},
         V(3, 3, 3),
         true},
        {"same place, apart along x", {{V(3, 0, 0), 1}}, V(0, 0, 0), {{V(-3, 0, 0), 1}}, V(0, 0, 0), false},
    };
    for (const CheckCase& c : cases) {
        TestSet set0(c.set0, c.origin0);
        TestSet set1(c.set1, c.origin1);
        const u32 result = CollisionCheck(set0.info(), set1.info());
        EXPECT_EQ(result != 0, c.touch) << c.name;
        EXPECT_EQ(set0.sphere(0).flags == COLLISION_SPHERE_HIT, c.touch) << c.name;
        EXPECT_EQ(set1.sphere(0).flags == COLLISION_SPHERE_HIT, c.touch) << c.name;
    }
}

TEST_F(CollisionSphereTest, CandidatesAreCutAlongTheLineBetweenTheSets) {
    TestSet set0({{V(0, 0, 0), 1}, {V(-5, 0, 0), 1}, {V(-5, 0, 0), 0, 1}}, V(0, 0, 0));
    TestSet set1({{V(0, 0, 0), 1}}, V(2.001f, 0, 0));
    EXPECT_EQ(CollisionCheck(set0.info(), set1.info()), 0u);
    EXPECT_EQ(set0.sphere(0).flags, COLLISION_SPHERE_NONE);
    EXPECT_EQ(set0.sphere(1).flags, COLLISION_SPHERE_NONE);
    EXPECT_EQ(set0.sphere(2).flags, COLLISION_SPHERE_CHECK);  // a capsule is always tested
    EXPECT_EQ(set1.sphere(0).flags, COLLISION_SPHERE_NONE);
    EXPECT_FLOAT_EQ(set0.sphere(0).distance, 1.0f - 1.0005f);
    EXPECT_FLOAT_EQ(set1.sphere(0).distance, 1.0005f - 1.0f);
    EXPECT_EQ(set0.info()->posOverlap, 0.0f);
    EXPECT_EQ(set0.info()->negOverlap, 0.0f);

    set1.MoveTo(V(1.5f, 0, 0));
    EXPECT_NE(CollisionCheck(set0.info(), set1.info()), 0u);
    EXPECT_FLOAT_EQ(set0.info()->posOverlap, 0.25f);
    EXPECT_FLOAT_EQ(set0.info()->negOverlap, -0.25f);
    EXPECT_EQ(set0.sphere(1).flags, COLLISION_SPHERE_NONE);
}

TEST_F(CollisionSphereTest, MasksChooseWhichSideIsHit) {
    struct MaskCase {
        u32 mask0, mask1;
        bool hit0, hit1;
        u32 result0, result1;
    };
    const MaskCase cases[] = {
        {0x2, 0x0, false, true, 0x0, 0x4},  // set 1 reacts to nothing: set 0 is never hit
        {0x0, 0x4, true, false, 0x2, 0x0},
        {0x2, 0x4, true, true, 0x2, 0x4},
        {0x4, 0x2, false, false, 0x0, 0x0},  // each mask names the other set's group
    };
    for (const MaskCase& c : cases) {
        TestSet set0({{V(0, 0, 0), 1, kNone, 0x2}}, V(0, 0, 0), c.mask0);
        TestSet set1({{V(0, 0, 0), 1, kNone, 0x4}}, V(1, 0, 0), c.mask1);
        EXPECT_EQ(CollisionCheck(set0.info(), set1.info()), c.result0 | c.result1)
            << c.mask0 << " " << c.mask1;
        EXPECT_EQ(set0.info()->collisions, c.result0);
        EXPECT_EQ(set1.info()->collisions, c.result1);
        EXPECT_EQ(set0.sphere(0).flags == COLLISION_SPHERE_HIT, c.hit0);
        EXPECT_EQ(set1.sphere(0).flags == COLLISION_SPHERE_HIT, c.hit1);
    }
}

// A sphere already hit by one sphere of the other set is still tested against the
// next, so each sphere that touches it reports its group.
TEST_F(CollisionSphereTest, EveryTouchingSphereReportsItsGroup) {
    TestSet set0({{V(0, 0.5f, 0), 1, kNone, 0x1}, {V(0, -0.5f, 0), 1, kNone, 0x2}}, V(0, 0, 0));
    TestSet set1({{V(0, 0, 0), 1, kNone, 0x10}, {V(5, 0, 0), 1, kNone, 0x20}}, V(1.5f, 0, 0));
    EXPECT_EQ(CollisionCheck(set0.info(), set1.info()), 0x13u);
    EXPECT_EQ(set0.info()->collisions, 0x3u);
    EXPECT_EQ(set1.info()->collisions, 0x10u);
    EXPECT_EQ(set1.sphere(1).flags, COLLISION_SPHERE_NONE);
}

// --- Capsule against capsule, against the brute-force distance of two segments

f32 PointSegmentDistance(const s_Vector3& p, const s_Vector3& a, const s_Vector3& b) {
    const f64 dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    const f64 len2 = dx * dx + dy * dy + dz * dz;
    f64 t = len2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy + (p.z - a.z) * dz) / len2;
    t = std::clamp(t, 0.0, 1.0);
    const f64 ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y, ez = a.z + t * dz - p.z;
    return f32(std::sqrt(ex * ex + ey * ey + ez * ez));
}

f32 BruteSegmentDistance(const s_Vector3& a1, const s_Vector3& a2, const s_Vector3& b1, const s_Vector3& b2) {
    constexpr int kSteps = 20000;
    f32 best = PointSegmentDistance(a1, b1, b2);
    for (int i = 1; i <= kSteps; ++i) {
        const f32 s = f32(i) / kSteps;
        const s_Vector3 p = V(a1.x + s * (a2.x - a1.x), a1.y + s * (a2.y - a1.y), a1.z + s * (a2.z - a1.z));
        best = std::min(best, PointSegmentDistance(p, b1, b2));
    }
    return best;
}

struct Segment {
    s_Vector3 a, b;
};

// Both capsules in sets at the origin, their radii adding up to `radiusSum`, split
// unevenly; the second ends carry no radius.
bool CapsulesTouch(const Segment& s0, const Segment& s1, f32 radiusSum) {
    TestSet set0({{s0.a, radiusSum * 0.3f, 1}, {s0.b, 0}}, V(0, 0, 0));
    TestSet set1({{s1.a, radiusSum * 0.7f, 1}, {s1.b, 0}}, V(0, 0, 0));
    return CollisionCheck(set0.info(), set1.info()) != 0;
}

void ExpectAgreesWithBruteForce(const Segment& s0, const Segment& s1, const char* name) {
    const f32 distance = BruteSegmentDistance(s0.a, s0.b, s1.a, s1.b);
    EXPECT_TRUE(CapsulesTouch(s0, s1, distance * 1.02f + 1e-3f)) << name << " distance " << distance;
    if (distance > 1e-2f) {
        EXPECT_FALSE(CapsulesTouch(s0, s1, distance * 0.98f)) << name << " distance " << distance;
    }
}

TEST_F(CollisionSphereTest, CapsulePairsAgreeWithTheSegmentDistance) {
    struct PairCase {
        const char* name;
        Segment s0, s1;
    };
    const PairCase cases[] = {
        {"crossing", {V(-2, 0, 0), V(2, 0, 0)}, {V(0, -2, 1), V(0, 2, 1)}},
        {"parallel, side by side", {V(-5, 0, 0), V(5, 0, 0)}, {V(3, 1, 0), V(4, 1, 0)}},
        {"parallel, end to end", {V(0, 0, 0), V(2, 0, 0)}, {V(5, 0, 0), V(9, 0, 0)}},
        {"lines meet beyond the second's end", {V(-5, 0, 0), V(5, 0, 0)}, {V(1, 3, 1), V(1, 6, 1)}},
        {"lines meet beyond the first's end", {V(0, 3, 0), V(0, 6, 0)}, {V(-5, 0, 1), V(5, 0, 1)}},
        {"skew, nearest at both ends", {V(0, 0, 0), V(1, 1, 0)}, {V(3, 0, 2), V(5, -1, 4)}},
        {"first of no length", {V(1, 1, 1), V(1, 1, 1)}, {V(-3, 0, 0), V(3, 0, 0)}},
        {"second of no length", {V(-3, 0, 0), V(3, 0, 0)}, {V(4, 2, 0), V(4, 2, 0)}},
    };
    for (const PairCase& c : cases)
        ExpectAgreesWithBruteForce(c.s0, c.s1, c.name);
}

TEST_F(CollisionSphereTest, RandomCapsulePairsAgreeWithTheSegmentDistance) {
    std::mt19937 random(117);
    std::uniform_real_distribution<f32> coord(-4.0f, 4.0f);
    const auto point = [&] { return V(coord(random), coord(random), coord(random)); };
    for (int i = 0; i < 60; ++i) {
        const Segment s0 = {point(), point()};
        const Segment s1 = {point(), point()};
        ExpectAgreesWithBruteForce(s0, s1, "random");
    }
}

// --- Debug drawing

class CollisionDrawTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    }

    // Whether a pixel of the colour lies within `reach` of (x, y).
    static bool Near(f32 x, f32 y, u32 argb, s32 reach = 1) {
        for (s32 dy = -reach; dy <= reach; ++dy)
            for (s32 dx = -reach; dx <= reach; ++dx)
                if (HostEFBColor(u32(s32(x) + dx), u32(s32(y) + dy)) == argb)
                    return true;
        return false;
    }
};

constexpr u32 kGreen = 0xFF00FF00u;  // EFB pixels read 0xAARRGGBB
constexpr u32 kBlue = 0xFF0000FFu;
constexpr u32 kWhite = 0xFFFFFFFFu;

TEST_F(CollisionDrawTest, SpheresAreCirclesColouredByState) {
    TestSet set({{V(-2, 0, 0), 1, kNone, 0x1}, {V(2, 0, 0), 1, kNone, 0x2}, {V(0, 2, 0), 1, kNone, 0x4}},
                V(0, 0, -10), 0x2);
    set.sphere(2).flags = COLLISION_SPHERE_HIT;
    const u32 flat = DrawContext.color;
    CollisionDebugDraw(set.info());
    EXPECT_EQ(DrawContext.projectionMode, DC_PROJ_3D);
    EXPECT_EQ(DrawContext.color, flat);

    struct Expect {
        u32 sphere, argb;
        bool crossHair;
    };
    for (const Expect& e : {Expect{0, kBlue, false}, Expect{1, kGreen, true}, Expect{2, kWhite, false}}) {
        s_Vector3 centre;
        const f32 scale = DrawWorld2Screen(&centre, &set.sphere(e.sphere).world);
        const f32 r = scale * set.sphere(e.sphere).radius;
        EXPECT_TRUE(Near(centre.x + r, centre.y, e.argb)) << e.sphere;
        EXPECT_TRUE(Near(centre.x, centre.y - r, e.argb)) << e.sphere;
        EXPECT_EQ(Near(centre.x, centre.y, e.argb, 0), e.crossHair) << e.sphere;
    }
}

TEST_F(CollisionDrawTest, CapsulesGetTheirSidesAndLinkPointsCrossHairs) {
    TestSet set({{V(-2, 0, 0), 1, 1}, {V(2, 0, 0), 1}}, V(0, 0, -10), 0);
    CollisionDebugDraw(set.info());
    // The sides run level between the circles' rims, above and below the centres.
    s_Vector3 end;
    const f32 r = DrawWorld2Screen(&end, &set.sphere(0).world) * set.sphere(0).radius;
    s_Vector3 middle;
    const s_Vector3 between = V(0, 0, -10);
    DrawWorld2Screen(&middle, &between);
    EXPECT_TRUE(Near(middle.x, end.y - r, kBlue));
    EXPECT_TRUE(Near(middle.x, end.y + r, kBlue));
    EXPECT_FALSE(Near(middle.x, end.y, kBlue, 4));

    s_link_point_info* links = LinkPointsLoad(&set.model());
    const s_Matrix4 world = At(V(0, 0, -10));
    LinkPointsUpdate(links, set.hmatrix(), &world);
    LinkPointsDebugDraw(links);
    s_Vector3 point;
    DrawWorld2Screen(&point, &links->linkPointList[0].world);
    EXPECT_TRUE(Near(point.x, point.y, kWhite, 0));
    EXPECT_TRUE(Near(point.x + 2, point.y, kWhite));
    LinkPointsFree(links);
}

}  // namespace
