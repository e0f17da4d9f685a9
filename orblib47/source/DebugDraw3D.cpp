// The 3-D debug primitives: wire circles and spheres, a filled sphere, axes and a
// checkerboard floor, in flat colours without texture.
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/FrameClock.h"

namespace {

constexpr f32 kTurn = 6.283203125f;
constexpr f32 kHalfTurn = 3.1416015625f;
constexpr f32 kQuarterTurn = 1.57080078125f;
constexpr f32 kTableStepsPerRadian = 2607.587158f;
constexpr s32 kQuarterSteps = COS_TABLE_SIZE / 4;
constexpr f32 kNearestAxes = 20.0f;  // axes further away than this are not drawn

void Flat3D(u32 colour) {
    DrawSetProjection(DC_PROJ_3D);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(colour);
}

void Vertex(const s_Vector3& p, u32 colour) {
    s_draw_vertex v;
    DrawInitVertex(&v);
    v.coord = {p.x, p.y, p.z, 1.0f};
    v.color = colour;
    DrawVertex(&v);
}

void Line(const s_Vector3& a, const s_Vector3& b, u32 colour) {
    DrawSetFlatColor(colour);
    DrawLine(&a, &b);
}

s_Vector3 Along(const s_Vector3& origin, const s_Vector3& axis, f32 length) {
    return {origin.x + axis.x * length, origin.y + axis.y * length, origin.z + axis.z * length, 1.0f};
}

}  // namespace

void DebugDrawCircle(const s_Vector3* centre, f32 radius, const s_Vector3* rotation, u32 colour,
                     u8 segments) {
    Flat3D(colour);
    s_Matrix4 m;
    Matrix4CreateXYZ(&m, rotation->x, rotation->y, rotation->z);
    m.at(0, 3) = centre->x;
    m.at(1, 3) = centre->y;
    m.at(2, 3) = centre->z;
    DrawPushMatrix(&m);
    DrawBegin(PRIM_LINE_STRIP);
    for (s32 i = 0; i <= segments; ++i) {
        const f32 angle = f32(i) * kTurn / f32(segments);
        const s32 k = s32(angle * kTableStepsPerRadian) & (COS_TABLE_SIZE - 1);
        const s32 sine = (k - kQuarterSteps) & (COS_TABLE_SIZE - 1);
        Vertex({radius * CosTable[k], 0.0f, radius * CosTable[sine], 1.0f}, colour);
    }
    DrawEnd();
    DrawPopMatrix();
}

void DebugDrawSphere(const s_Vector3* centre, f32 radius, u32 colour, u8 numCircles, u8 segments) {
    const s_Vector3 level{0.0f, 0.0f, 0.0f, 0.0f};
    DebugDrawCircle(centre, radius, &level, colour, segments);
    // The meridians turn slowly with game time.
    for (s32 i = 0; i < numCircles; ++i) {
        const s_Vector3 upright{kQuarterTurn, f32(i) * kHalfTurn / f32(numCircles) + GameTime, 0.0f, 0.0f};
        DebugDrawCircle(centre, radius, &upright, colour, segments);
    }
}

void DebugDrawFillSphere(const s_Vector3* centre, f32 radius, u32 colour) {
    if (DebugSphere == nullptr)
        return;
    s_Matrix4 m;
    Matrix4CreateScale(&m, radius, radius, radius, 1.0f);
    m.at(0, 3) = centre->x;
    m.at(1, 3) = centre->y;
    m.at(2, 3) = centre->z;
    DrawSetFlatColor(colour);
    ModelDraw(DebugSphere, &m, nullptr, nullptr);
}

void DebugDrawCoord(const s_Vector3* origin, const s_CoordSys3* axes, f32 length) {
    // The distance in front of the camera: the perspective's w.
    s_Vector4 clip;
    Matrix4MultPointH(&DrawContext.viewport->viewMatrix, &clip, origin);
    if (clip.w <= 0.0f || clip.w > kNearestAxes)
        return;
    DrawSetProjection(DC_PROJ_3D);
    DrawSetTexture(nullptr);
    Line(*origin, Along(*origin, axes->forward, length), 0xFF0000FFu);
    Line(*origin, Along(*origin, axes->right, length), 0x00FF00FFu);
    Line(*origin, Along(*origin, axes->up, length), 0x0000FFFFu);
}

void DebugDrawFilledGrid(s32 cells, f32 size, u32 colourA, u32 colourB) {
    const s32 half = cells / 2;
    if (half == 0)
        return;
    const f32 cell = size / f32(half);
    DrawSetProjection(DC_PROJ_3D);
    DrawSetTexture(nullptr);
    // Cells from -size to +size on both axes: cell (i, j) spans [i, i + 1) cells.
    for (s32 j = -half; j < half; ++j) {
        for (s32 i = -half; i < half; ++i) {
            const f32 x0 = f32(i) * cell, x1 = x0 + cell;
            const f32 z0 = f32(j) * cell, z1 = z0 + cell;
            const s_Vector3 a{x0, 0.0f, z0, 1.0f}, b{x0, 0.0f, z1, 1.0f};
            const s_Vector3 c{x1, 0.0f, z1, 1.0f}, d{x1, 0.0f, z0, 1.0f};
            DrawSetFlatColor(((i + j) & 1) != 0 ? colourA : colourB);
            DrawQuad(&a, &b, &c, &d);
        }
    }
}
