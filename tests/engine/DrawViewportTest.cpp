#include <gtest/gtest.h>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "tests/support/EngineFixture.h"

namespace {

// The main viewport of the warm reset: the whole screen, 60 degrees, near 0.1,
// far 500, identity camera at the origin looking down -z.
class DrawViewportTest : public EngineFixture {
protected:
    s_viewport& vp() { return *DrawContext.viewport; }

    // A point `inside` units inside plane i (negative: outside), at depth 10 on
    // the plane's edge of the frustum.
    s_Vector3 FromPlane(s32 i, f32 inside) {
        const s_draw_clip_plane& p = vp().clipPlanes[i];
        // The side planes pass through the eye: their edge at depth 10 lies at
        // x = 10 n.z / n.x.
        s_Vector3 c = {10.0f * p.z / p.x, 0.0f, -10.0f, 0.0f};
        c.x += p.x * inside;
        c.z += p.z * inside;
        return c;
    }
};

TEST_F(DrawViewportTest, SphereAgainstTheLeftPlane) {
    const s_Vector3 half = FromPlane(1, -0.5f);
    const s_Vector3 beyond = FromPlane(1, -1.5f);
    EXPECT_EQ(DrawClipSphere(&half, 1.0f), DC_CLIP_NONE);
    EXPECT_EQ(DrawClipSphere(&beyond, 1.0f), DC_CLIP_LEFT);
    EXPECT_EQ(DrawClipSphereInside(&beyond, 1.0f), DC_CLIP_LEFT);

    // The depth in front of the eye comes back even for a rejected sphere.
    f32 depth = 0.0f;
    EXPECT_EQ(DrawClipSphereWFar(&beyond, &depth, 1.0f), DC_CLIP_LEFT);
    EXPECT_NEAR(depth, -beyond.z, 1e-4f);
}

TEST_F(DrawViewportTest, SphereInsideNeedsItsRadiusInsideEveryPlane) {
    const s_Vector3 ahead = {0.0f, 0.0f, -10.0f, 0.0f};
    EXPECT_EQ(DrawClipSphereInside(&ahead, 1.0f), DC_CLIP_COMPLETELY_INSIDE);
    EXPECT_EQ(DrawClipSphereInside(&ahead, 6.0f), DC_CLIP_NONE);  // crosses the side planes
    const s_Vector3 justInside = FromPlane(0, 1.01f);
    const s_Vector3 touching = FromPlane(0, 0.99f);
    EXPECT_EQ(DrawClipSphereInside(&justInside, 1.0f), DC_CLIP_COMPLETELY_INSIDE);
    EXPECT_EQ(DrawClipSphereInside(&touching, 1.0f), DC_CLIP_NONE);
    const s_Vector3 farAway = {0.0f, 0.0f, -600.0f, 0.0f};
    EXPECT_EQ(DrawClipSphere(&farAway, 1.0f), DC_CLIP_FAR);
}

TEST_F(DrawViewportTest, VeilVolumes) {
    // Two boxes |x|, |y| <= 1, z >= -1 (open towards +z): around x = 0 and x = 10.
    auto box = [](s_draw_clip_plane* p, f32 cx) {
        p[0] = {{}, -1, 0, 0, 1 + cx};
        p[1] = {{}, 1, 0, 0, 1 - cx};
        p[2] = {{}, 0, -1, 0, 1};
        p[3] = {{}, 0, 1, 0, 1};
        p[4] = {{}, 0, 0, 1, 1};
    };
    s_draw_clip_plane planes[2 * DRAW_VEIL_PLANE_COUNT];
    box(planes, 0.0f);
    box(planes + DRAW_VEIL_PLANE_COUNT, 10.0f);
    DrawSetVeilPlanes(2, planes);
    const s_Vector3 inFirst = {0, 0, 0, 0};
    const s_Vector3 inSecond = {10, 0, 0, 0};
    const s_Vector3 outside = {5, 0, 0, 0};
    EXPECT_EQ(DrawClipSphereInsideVeils(&inFirst, 0.5f), DC_CLIP_COMPLETELY_INSIDE_VEIL);
    EXPECT_EQ(DrawClipSphereInsideVeils(&inSecond, 0.5f), DC_CLIP_COMPLETELY_INSIDE_VEIL);
    EXPECT_EQ(DrawClipSphereInsideVeils(&inFirst, 1.5f), DC_CLIP_VEIL);
    EXPECT_EQ(DrawClipSphereInsideVeils(&outside, 1.0f), DC_CLIP_NONE);
}

TEST_F(DrawViewportTest, WorldToScreen) {
    const f32 w = vp().rect.w;
    const f32 h = vp().rect.h;
    s_Vector3 out;
    const s_Vector3 ahead = {0.0f, 0.0f, -10.0f, 0.0f};
    const f32 size = DrawWorld2Screen(&out, &ahead);
    EXPECT_NEAR(out.x, w / 2.0f, 1e-3f);
    EXPECT_NEAR(out.y, h / 2.0f, 1e-3f);
    EXPECT_NEAR(size, vp().projectionMatrix.element[0] * (w / 2.0f) / 10.0f, 1e-3f);

    // The frustum's planes and its projection agree: a point on the right and top
    // planes lands on the viewport's top-right corner.
    const s_draw_clip_plane& right = vp().clipPlanes[0];
    const s_draw_clip_plane& top = vp().clipPlanes[2];
    const s_Vector3 corner = {10.0f * right.z / right.x, 10.0f * top.z / top.y, -10.0f, 0.0f};
    DrawWorld2Screen(&out, &corner);
    EXPECT_NEAR(out.x, w, 1e-2f);
    EXPECT_NEAR(out.y, 0.0f, 1e-2f);

    // In the eye's plane clip w is 0: 10000 stands in for 1 / w; the depth is out of range.
    const s_Vector3 beside = {1.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(DrawWorld2Screen(&out, &beside), 0.0f);
    EXPECT_NEAR(out.x, vp().projectionMatrix.element[0] * 10000.0f * (w / 2.0f) + w / 2.0f, 8.0f);
}

TEST_F(DrawViewportTest, FieldOfViewAndAspect) {
    const f32 x43 = vp().projectionMatrix.element[0];
    vp().projectionMatrix.element[0] = 123.0f;
    EXPECT_EQ(DrawSetFOV(60.0f), 60.0f);  // unchanged: nothing rebuilt
    EXPECT_EQ(vp().projectionMatrix.element[0], 123.0f);

    DrawContext.screenAspectMode = DC_SCREEN_ASPECT_16x9;
    DrawViewSetFOV(&vp(), 60.0f);
    EXPECT_NEAR(vp().projectionMatrix.element[0], x43 * 0.75f, 1e-5f);
}

TEST_F(DrawViewportTest, CameraSetsForwardAndReportsAZeroColumn) {
    s_Matrix4 camera = IDMatrix4;
    const s_Vector3 eye = {1.0f, 2.0f, 3.0f, 0.0f};
    DrawSetCamera(&camera, &eye);
    EXPECT_EQ(vp().cameraForward.z, -1.0f);
    const s_Vector3 ahead = {1.0f, 2.0f, -5.0f, 0.0f};
    f32 depth = 0.0f;
    EXPECT_EQ(DrawClipSphereWFar(&ahead, &depth, 1.0f), DC_CLIP_NONE);
    EXPECT_NEAR(depth, 8.0f, 1e-4f);

    camera.element[0] = camera.element[4] = camera.element[8] = 0.0f;
    DrawSetCamera(&camera, &eye);
    EXPECT_TRUE(report().contains("DrawSetCamera: Invalid camera matrix specified.\n"));
}

s_draw_vertex Clip(f32 x, f32 y, f32 z, u32 color = 0xFF0000FFu) {
    s_draw_vertex v{};
    v.coord = {x, y, z, 1.0f};
    v.color = color;
    return v;
}

TEST_F(DrawViewportTest, PolygonClipping) {
    s_draw_vertex out[3 + DRAW_CLIP_PLANE_COUNT];
    u32 codes[3];

    const s_draw_vertex beyondFar[3] = {Clip(0, 0, 2), Clip(1, 0, 3), Clip(0, 1, 2)};
    EXPECT_EQ(DrawClipPoly(out, beyondFar, 3, codes), 0);
    EXPECT_EQ(codes[0], 32u);

    // The symmetric depth range: z up to w is inside.
    const s_draw_vertex inside[3] = {Clip(0, 0, 0.5f), Clip(0.5f, 0, -0.5f), Clip(0, 0.5f, 0)};
    ASSERT_EQ(DrawClipPoly(out, inside, 3, nullptr), 3);
    for (s32 i = 0; i < 3; ++i)
        EXPECT_EQ(out[i].coord.x, inside[i].coord.x);

    // One vertex beyond the right plane: it becomes two on the plane.
    const s_draw_vertex right[3] = {Clip(0, 0, 0, 0x000000FFu), Clip(3, 0, 0, 0xFF0000FFu), Clip(0, 0.5f, 0)};
    ASSERT_EQ(DrawClipPoly(out, right, 3, codes), 4);
    EXPECT_EQ(codes[1], 2u);
    for (s32 i = 0; i < 4; ++i)
        EXPECT_LE(out[i].coord.x, out[i].coord.w);
    EXPECT_FLOAT_EQ(out[1].coord.x, 1.0f);  // a third of the way to (3, 0)
    EXPECT_EQ(out[1].color, 0x550000FFu);   // red 255 / 3, truncated
}

}  // namespace
