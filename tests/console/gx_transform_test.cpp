// The vertex transform: position matrix, GX's projections, texture-coordinate
// generation, and which winding GX calls front.
#include "console/gx/efb_control.h"
#include "tests/console/gx_front_support.h"

namespace {

using GXTransformTest = gxtest::GXFrontTest;

// Sends one white vertex at (x, y, z) as a point and returns its clip position.
std::vector<float> ClipOf(std::vector<gxtest::Primitive>& seen, f32 x, f32 y, f32 z) {
    seen.clear();
    GXBegin(GX_POINTS, GX_VTXFMT0, 1);
    GXPosition3f32(x, y, z);
    GXColor1u32(0xFFFFFFFF);
    GXEnd();
    const float* pos = seen.at(0).vertices.at(0).pos;
    return {pos[0], pos[1], pos[2], pos[3]};
}

TEST_F(GXTransformTest, PerspectiveMapsNearToMinusOneAndFarToZero) {
    PositionColorFormat();
    // Frustum with near 1, far 101, half-extents 1 at the near plane.
    const Mtx44 persp = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -0.01f, -1.01f}, {0, 0, -1, 0}};
    GXSetProjection(persp, GX_PERSPECTIVE);
    const Mtx camera = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, -10}};  // eye 10 units back
    GXLoadPosMtxImm(camera, GX_PNMTX2);
    GXSetCurrentMtx(GX_PNMTX2);

    const std::vector<float> clip = ClipOf(primitives, 2, 1, 0);
    EXPECT_EQ(clip[0], 2);
    EXPECT_EQ(clip[1], 1);
    EXPECT_FLOAT_EQ(clip[2], -0.91f);
    EXPECT_EQ(clip[3], 10);
    const std::vector<float> near = ClipOf(primitives, 0, 0, 9);
    EXPECT_FLOAT_EQ(near[2] / near[3], -1);
    const std::vector<float> far = ClipOf(primitives, 0, 0, -91);
    EXPECT_NEAR(far[2] / far[3], 0, 1e-6);
}

TEST_F(GXTransformTest, OrthographicUsesTheTranslationColumn) {
    PositionColorFormat();
    // Screen pixels 0..640 x 0..480 (y down), depth 0..-1.
    const Mtx44 ortho = {{2.0f / 640, 0, 0, -1}, {0, -2.0f / 480, 0, 1}, {0, 0, 1, -1}, {0, 0, 0, 1}};
    GXSetProjection(ortho, GX_ORTHOGRAPHIC);
    const std::vector<float> clip = ClipOf(primitives, 480, 120, 0.5f);
    EXPECT_FLOAT_EQ(clip[0], 0.5f);
    EXPECT_FLOAT_EQ(clip[1], 0.5f);
    EXPECT_FLOAT_EQ(clip[2], -0.5f);
    EXPECT_EQ(clip[3], 1);
}

TEST_F(GXTransformTest, TexGenFromPositionThroughAProjectiveMatrix) {
    PositionColorFormat();
    const Mtx project = {{1, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 0, 4}};  // q = 4
    GXLoadTexMtxImm(project, GX_TEXMTX9, GX_MTX3x4);
    GXSetNumTexGens(1);
    GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX3x4, GX_TG_POS, GX_TEXMTX9);
    ClipOf(primitives, 3, 5, 7);
    const float* tex = primitives[0].vertices[0].tex[0];
    EXPECT_EQ((std::vector<float>(tex, tex + 3)), (std::vector<float>{3, 10, 4}));
}

// A strip and a quad whose triangles all run clockwise on the screen.
void DrawClockwiseStripAndQuad() {
    const Mtx44 ortho = {{2.0f / 640, 0, 0, -1}, {0, -2.0f / 480, 0, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    GXSetProjection(ortho, GX_ORTHOGRAPHIC);
    const f32 strip[][2] = {{100, 100}, {200, 100}, {100, 200}, {200, 200}};
    GXBegin(GX_TRIANGLESTRIP, GX_VTXFMT0, 4);
    for (const auto& p : strip) {
        GXPosition3f32(p[0], p[1], -0.5f);
        GXColor1u32(0xFFFFFFFF);
    }
    GXEnd();
    const f32 quad[][2] = {{300, 100}, {400, 100}, {400, 200}, {300, 200}};
    GXBegin(GX_QUADS, GX_VTXFMT0, 4);
    for (const auto& p : quad) {
        GXPosition3f32(p[0], p[1], -0.5f);
        GXColor1u32(0xFFFFFFFF);
    }
    GXEnd();
}

u32 LitPixels() {
    u32 lit = 0;
    for (const auto& p : {std::pair{120, 120}, {180, 180}, {320, 180}, {380, 120}})
        lit += HostEFBColor(p.first, p.second) == 0xFFFFFFFF;
    return lit;
}

TEST_F(GXTransformTest, ClockwiseOnScreenIsFront) {
    PositionColorFormat();
    GXSetCullMode(GX_CULL_FRONT);
    DrawClockwiseStripAndQuad();
    EXPECT_EQ(LitPixels(), 0u);
    GXSetCullMode(GX_CULL_BACK);
    DrawClockwiseStripAndQuad();
    EXPECT_EQ(LitPixels(), 4u);  // both halves of the strip and of the quad
}

// Without a tap only the vertices of triangles that may be drawn are lit: a fan
// whose first triangle faces away, then a front one sharing two of its
// vertices, then one that runs off the screen. What an earlier, green draw
// left behind must not show.
TEST_F(GXTransformTest, TrianglesDrawnTakeTheirVerticesColours) {
    HostGXSetVertexTap(nullptr, nullptr);
    PositionColorFormat();
    GXSetCullMode(GX_CULL_BACK);
    const Mtx44 ortho = {{2.0f / 640, 0, 0, -1}, {0, -2.0f / 480, 0, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    GXSetProjection(ortho, GX_ORTHOGRAPHIC);
    const f32 fan[][2] = {{200, 200}, {300, 300}, {300, 200}, {200, 300}, {-100, 260}};
    for (const u32 color : {0x00FF00FFu, 0xFF0000FFu}) {
        GXBegin(GX_TRIANGLEFAN, GX_VTXFMT0, 5);
        for (const auto& p : fan) {
            GXPosition3f32(p[0], p[1], -0.5f);
            GXColor1u32(color);
        }
        GXEnd();
    }
    EXPECT_EQ(HostEFBColor(290, 290) & 0xFFFFFF, 0u) << "facing away";
    EXPECT_EQ(HostEFBColor(230, 230) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(HostEFBColor(5, 262) & 0xFFFFFF, 0xFF0000u) << "clipped";
}

}  // namespace
