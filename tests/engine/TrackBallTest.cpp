#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/TrackBall.h"
#include "tests/engine/UIFixture.h"

namespace {

using TrackBallTest = UIFixture;
using Points = std::vector<std::pair<s32, s32>>;

s_Matrix4 Update(bool camera, const s_Vector2& origin) {
    s_Matrix4 m;
    if (camera)
        TrackballUpdateCamera(&m);
    else
        TrackballUpdate(&m, &origin);
    return m;
}

// A drag of the first button through the points, one frame at each, then the release.
s_Matrix4 Drag(const Points& points, bool camera, const s_Vector2& origin = {}) {
    for (size_t k = 0; k < points.size(); ++k) {
        Mouse.analog[MOUSE_X] = points[k].first;
        Mouse.analog[MOUSE_Y] = points[k].second;
        Mouse.buttonNew = k == 0 ? MOUSE_BUTTON_1 : 0;
        Mouse.buttonDown = MOUSE_BUTTON_1;
        Update(camera, origin);
    }
    Mouse.buttonNew = Mouse.buttonDown = 0;
    return Update(camera, origin);
}

// The screen point on the sphere of size 1: the camera's side is the far one.
s_Vector3 Lift(std::pair<s32, s32> point, bool camera, const s_Vector2& origin) {
    const f32 cx = f32(DrawContext.screenSize.x) / 2.0f;
    const f32 cy = f32(DrawContext.screenSize.y) / 2.0f;
    const s_Vector2 from = camera ? s_Vector2{cx, cy} : origin;
    const f32 x = (f32(point.first) - from.x) / cx;
    const f32 y = -(f32(point.second) - from.y) / cy;
    const f32 z = std::sqrt(1.0f - x * x - y * y);
    return {x, y, camera ? -z : z, 0.0f};
}

TEST_F(TrackBallTest, TheSpherePointUnderThePointerFollowsItAndTheCameraSeesTheFarSide) {
    const struct {
        const char* name;
        bool camera;
        s_Vector2 origin;
        Points before;  // an earlier drag whose turn the new one adds to
        Points drag;
    } rows[] = {
        {"right from the centre", false, {320, 224}, {}, {{320, 224}, {352, 224}}},
        {"up from the centre", false, {320, 224}, {}, {{320, 224}, {320, 190}}},
        {"across an object away from the centre", false, {200, 100}, {}, {{180, 120}, {230, 80}}},
        {"up after a turn to the right",
         false,
         {320, 224},
         {{320, 224}, {380, 224}},
         {{320, 224}, {320, 180}}},
        {"camera right", true, {}, {}, {{320, 224}, {352, 224}}},
        {"camera up after a turn", true, {}, {{300, 224}, {340, 230}}, {{320, 224}, {320, 190}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TrackballInit(1.0f);
        s_Matrix4 before = IDMatrix4;
        if (!row.before.empty())
            before = Drag(row.before, row.camera, row.origin);
        const s_Matrix4 after = Drag(row.drag, row.camera, row.origin);
        // The view-space point under the pointer at the start, carried by this drag's turn.
        s_Vector3 start = Lift(row.drag.front(), row.camera, row.origin);
        Matrix4BackRotPoint(&before, &start, &start);
        Matrix4RotPoints(&after, &start, &start, 1);
        const s_Vector3 end = Lift(row.drag.back(), row.camera, row.origin);
        EXPECT_NEAR(start.x, end.x, 1e-3f);
        EXPECT_NEAR(start.y, end.y, 1e-3f);
        EXPECT_NEAR(start.z, end.z, 1e-3f);
    }
    // So a drag to the right turns an object's front to the right.
    TrackballInit(1.0f);
    s_Vector3 front{0.0f, 0.0f, 1.0f, 0.0f};
    const s_Matrix4 m = Drag({{320, 224}, {336, 224}}, false, {320, 224});
    Matrix4RotPoints(&m, &front, &front, 1);
    EXPECT_GT(front.x, 0.04f);
}

TEST_F(TrackBallTest, ADragInTwoHalvesTurnsAsFarAsOneAndAStillClickTurnsNothing) {
    TrackballInit(1.0f);
    const s_Vector2 centre{320, 224};
    EXPECT_EQ(Drag({{330, 230}, {330, 230}}, false, centre).element[0], 1.0f);
    // A tenth of the half-screen across the centre: 2 asin(0.05) about the y axis.
    const s_Matrix4 once = Drag({{304, 224}, {336, 224}}, false, centre);
    EXPECT_NEAR(std::acos(once.element[0]), 2.0f * std::asin(0.05f), 1e-3f);
    for (bool camera : {false, true}) {
        TrackballInit(1.0f);
        const s_Matrix4 whole = Drag({{290, 250}, {370, 190}}, camera, centre);
        TrackballInit(1.0f);
        const s_Matrix4 halves = Drag({{290, 250}, {330, 220}, {370, 190}}, camera, centre);
        for (s32 k = 0; k < 16; ++k)
            EXPECT_NEAR(whole.element[k], halves.element[k], 1e-3f) << camera << " " << k;
    }
    // Beyond the sphere's rim the sheet still lifts the point: the edge rolls the view.
    TrackballInit(1.0f);
    const s_Matrix4 edge = Drag({{300, 4}, {340, 4}}, false, centre);
    for (f32 e : edge.element)
        EXPECT_TRUE(std::isfinite(e));
    EXPECT_GT(std::fabs(edge.element[1]), 0.01f);  // x turns towards y: a roll
}

TEST_F(TrackBallTest, TheFlyCameraStartsOnItsLookAtAndTheSecondButtonMovesItAcross) {
    const s_Vector3 eye{0.0f, 2.0f, 10.0f, 0.0f};
    const s_Vector3 target{0.0f, 0.0f, 0.0f, 0.0f};
    s_Matrix4 lookAt;
    Matrix4LookAt(&lookAt, &target, &eye);
    TrackballUiStartup(&eye, &target, 1.0f);
    MouseDisable();  // the pointer is set here, frame by frame
    Mouse.connected = 1;
    Mouse.buttonDown = MOUSE_BUTTON_2;
    for (s32 move : {30, 20, 0}) {
        Mouse.analog[MOUSE_MOVE_X] = move;
        Mouse.analog[MOUSE_MOVE_Y] = -move * 2 / 5;
        EventWait(1);
    }
    EXPECT_EQ(TrackballSize, 1.5f);
    s_Matrix4 camera;
    s_Vector3 position;
    DrawGetCamera(&camera, &position);
    for (s32 k : {0, 1, 2, 4, 5, 6, 8, 9, 10})
        EXPECT_NEAR(camera.element[k], lookAt.element[k], 1e-4f) << k;
    // The camera went 5 units left and 2 down: the scene followed the pointer.
    s_Vector3 seen;
    Matrix4MultPoints(&camera, &seen, &target, 1);
    EXPECT_NEAR(seen.x, 5.0f, 1e-3f);
    EXPECT_NEAR(seen.y, 2.0f, 1e-3f);
    EXPECT_NEAR(seen.z, -std::sqrt(104.0f), 0.01f);
    TrackballUiShutdown();
    EXPECT_EQ(TrackballUiThreadPtr, nullptr);
}

}  // namespace
