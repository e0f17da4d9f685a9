// The ready-made primitives, drawn through the immediate mode from the context's
// scratch vertex and corner texture coordinates.
#include <cmath>
#include <initializer_list>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Texture.h"

namespace {

// Box corners as bits: x from max when bit 0 is set, y bit 1, z bit 2.
struct s_box_edge {
    u8 from, to;
};
constexpr s_box_edge BoxVerts[12] = {
    {0, 4}, {0, 2}, {0, 1}, {2, 6}, {2, 3}, {6, 7}, {7, 3}, {6, 4}, {7, 5}, {3, 1}, {4, 5}, {5, 1},
};

// Counter-clockwise seen from outside, the engine's front faces.
struct s_box_face {
    s_Vector3 normal;
    u8 corners[4];
};
constexpr s_box_face BoxFaces[6] = {
    {{1.0f, 0.0f, 0.0f, 0.0f}, {5, 1, 3, 7}}, {{-1.0f, 0.0f, 0.0f, 0.0f}, {0, 4, 6, 2}},
    {{0.0f, 1.0f, 0.0f, 0.0f}, {6, 7, 3, 2}}, {{0.0f, -1.0f, 0.0f, 0.0f}, {0, 1, 5, 4}},
    {{0.0f, 0.0f, 1.0f, 0.0f}, {4, 5, 7, 6}}, {{0.0f, 0.0f, -1.0f, 0.0f}, {1, 0, 2, 3}},
};

constexpr s32 kCircleSteps = 8;               // per quadrant
constexpr f32 kQuarterTurn = 1.57080078125f;  // as the circle is built with
constexpr f32 kPi = 3.1415925f;               // as the textured quad turns with

// Sends the scratch vertex at (x, y, z) with texture coordinates (u, v), leaving
// the scratch vertex (and so the constant Z) as it was.
void Put(f32 x, f32 y, f32 z, f32 u, f32 v, u32 color) {
    s_draw_vertex vertex = DrawContext.vertex;
    vertex.coord.x = x;
    vertex.coord.y = y;
    vertex.coord.z = z;
    vertex.color = color;
    vertex.u = u;
    vertex.v = v;
    DrawVertex(&vertex);
}

// With corner n's texture coordinates.
void Put(f32 x, f32 y, f32 z, s32 corner, u32 color) {
    Put(x, y, z, DrawContext.verts[corner].u, DrawContext.verts[corner].v, color);
}

void Put(const s_Vector3& p, s32 corner) {
    Put(p.x, p.y, p.z, corner, DrawContext.vertex.color);
}

// Corners 0 (x0, y0), 1 (x1, y0), 2 (x1, y1), 3 (x0, y1), in the order given.
void RectRun(e_prim_type type, f32 x0, f32 y0, f32 x1, f32 y1, f32 z, std::initializer_list<s32> corners) {
    DrawBegin(type);
    for (s32 c : corners) {
        const bool right = c == 1 || c == 2;
        const bool bottom = c >= 2;
        Put(right ? x1 : x0, bottom ? y1 : y0, z, c, DrawContext.vertex.color);
    }
    DrawEnd();
}

s_Vector3 BoxCorner(const s_Vector3& min, const s_Vector3& max, u8 bits) {
    return {(bits & 1) ? max.x : min.x, (bits & 2) ? max.y : min.y, (bits & 4) ? max.z : min.z, 0.0f};
}

s_Vector3 IrectCorner(const s_Irect16& rect, bool far) {
    const s32 dx = far ? rect.w : 0;
    const s32 dy = far ? rect.h : 0;
    return {f32(rect.x + dx), f32(rect.y + dy), DrawContext.vertex.coord.z, 0.0f};
}

}  // namespace

void DrawSetUV(f32 u0, f32 v0, f32 u1, f32 v1) {
    s_draw_vertex* verts = DrawContext.verts;
    verts[0].u = u0;
    verts[0].v = v0;
    verts[1].u = u1;
    verts[1].v = v0;
    verts[2].u = u1;
    verts[2].v = v1;
    verts[3].u = u0;
    verts[3].v = v1;
}

void DrawSetConstantZ(f32 z) {
    DrawContext.vertex.coord.z = z;
}

e_POLYGON_MODE DrawSetPolygonMode(e_POLYGON_MODE mode) {
    const e_POLYGON_MODE previous = DrawContext.polygonMode;
    if ((DrawContext.flags & u_draw_flags::Polygon_Mode_Locked) == 0)
        DrawContext.polygonMode = mode;
    return previous;
}

void DrawLine(const s_Vector3* a, const s_Vector3* b) {
    DrawBegin(PRIM_LINE);
    Put(a->x, a->y, a->z, 0, DrawContext.color);
    Put(b->x, b->y, b->z, 1, DrawContext.color);
    DrawEnd();
}

void DrawTriangle(const s_Vector3* a, const s_Vector3* b, const s_Vector3* c) {
    DrawBegin(PRIM_TRIANGLE);
    Put(*a, 0);
    Put(*b, 1);
    Put(*c, 2);
    DrawEnd();
}

void DrawQuad(const s_Vector3* a, const s_Vector3* b, const s_Vector3* c, const s_Vector3* d) {
    DrawBegin(PRIM_QUAD);
    Put(*a, 0);
    Put(*b, 1);
    Put(*c, 2);
    Put(*d, 3);
    DrawEnd();
}

void DrawCrossHair(const s_Vector3* p, f32 size) {
    DrawBegin(PRIM_LINE);
    const u32 color = DrawContext.vertex.color;
    Put(p->x - size, p->y, p->z, 0, color);
    Put(p->x + size, p->y, p->z, 1, color);
    Put(p->x, p->y - size, p->z, 2, color);
    Put(p->x, p->y + size, p->z, 3, color);
    DrawEnd();
}

void DrawRect(const s_Vector3* p0, const s_Vector3* p1) {
    RectRun(PRIM_LINE_STRIP, p0->x, p0->y, p1->x, p1->y, p0->z, {0, 1, 2, 3, 0});
}

void DrawFilledRect(const s_Vector3* p0, const s_Vector3* p1) {
    RectRun(PRIM_QUAD, p0->x, p0->y, p1->x, p1->y, p0->z, {0, 1, 2, 3});
}

void DrawSquare(const s_Vector3* centre, f32 size) {
    const f32 h = size / 2.0f;
    RectRun(PRIM_LINE_STRIP, centre->x - h, centre->y - h, centre->x + h, centre->y + h, centre->z,
            {0, 1, 2, 3, 0});
}

void DrawFilledSquare(const s_Vector3* centre, f32 size) {
    const f32 h = size / 2.0f;
    RectRun(PRIM_QUAD, centre->x - h, centre->y - h, centre->x + h, centre->y + h, centre->z, {0, 1, 2, 3});
}

void DrawIrect(const s_Irect16* rect) {
    const s_Vector3 p0 = IrectCorner(*rect, false);
    const s_Vector3 p1 = IrectCorner(*rect, true);
    DrawRect(&p0, &p1);
}

void DrawFilledIrect(const s_Irect16* rect) {
    const s_Vector3 p0 = IrectCorner(*rect, false);
    const s_Vector3 p1 = IrectCorner(*rect, true);
    DrawFilledRect(&p0, &p1);
}

void DrawBeveledIrect(const s_Irect16* rect, u32 light, u32 dark) {
    DrawFilledIrect(rect);
    const s_Vector3 p0 = IrectCorner(*rect, false);
    const s_Vector3 p1 = IrectCorner(*rect, true);
    const u32 flat = DrawSetFlatColor(light);
    RectRun(PRIM_LINE_STRIP, p0.x, p0.y, p1.x, p1.y, p0.z, {3, 0, 1});
    DrawSetFlatColor(dark);
    RectRun(PRIM_LINE_STRIP, p0.x, p0.y, p1.x, p1.y, p0.z, {1, 2, 3});
    DrawSetFlatColor(flat);
}

void DrawBox(const s_Vector3* min, const s_Vector3* max) {
    DrawBegin(PRIM_LINE);
    for (const s_box_edge& edge : BoxVerts) {
        Put(BoxCorner(*min, *max, edge.from), 0);
        Put(BoxCorner(*min, *max, edge.to), 1);
    }
    DrawEnd();
}

void DrawFilledBox(const s_Vector3* min, const s_Vector3* max) {
    const s_Vector3 normal = DrawContext.vertex.normal;
    DrawBegin(PRIM_QUAD);
    for (const s_box_face& face : BoxFaces) {
        DrawContext.vertex.normal = face.normal;
        for (s32 c = 0; c < 4; ++c)
            Put(BoxCorner(*min, *max, face.corners[c]), c);
    }
    DrawEnd();
    DrawContext.vertex.normal = normal;
}

void DrawCircle(const s_Vector3* centre, f32 radius) {
    const f32 x = centre->x;
    const f32 y = centre->y;
    const f32 z = centre->z;
    DrawBegin(PRIM_LINE);
    const u32 color = DrawContext.vertex.color;
    f32 c0 = 1.0f;
    f32 s0 = 0.0f;
    for (s32 i = 1; i <= kCircleSteps; ++i) {
        const f32 angle = kQuarterTurn * f32(i) / f32(kCircleSteps);
        const f32 c1 = std::cos(angle);
        const f32 s1 = std::sin(angle);
        for (f32 sy : {1.0f, -1.0f}) {
            for (f32 sx : {1.0f, -1.0f}) {
                Put(x + sx * c0 * radius, y + sy * s0 * radius, z, 0, color);
                Put(x + sx * c1 * radius, y + sy * s1 * radius, z, 1, color);
            }
        }
        c0 = c1;
        s0 = s1;
    }
    DrawEnd();
}

void DrawTexture(f32 x, f32 y, f32 sx, f32 sy, f32 angle) {
    const s_texture* texture = DrawContext.texture;
    if (texture == nullptr)
        return;
    const s_texture_map& map = texture->file.maps[0];
    const f32 w = f32(map.width / 2) * sx;
    const f32 h = f32(map.height / 2) * sy;
    const f32 a = angle * kPi / 180.0f;
    const f32 c = std::cos(a);
    const f32 s = std::sin(a);
    const f32 z = DrawContext.vertex.coord.z;
    const u32 color = DrawContext.vertex.color;
    DrawBegin(PRIM_QUAD);
    Put(x - c * w + s * h, y - s * w - c * h, z, 0.0f, 0.0f, color);
    Put(x + c * w + s * h, y + s * w - c * h, z, 1.0f, 0.0f, color);
    Put(x + c * w - s * h, y + s * w + c * h, z, 1.0f, 1.0f, color);
    Put(x - c * w - s * h, y - s * w + c * h, z, 0.0f, 1.0f, color);
    DrawEnd();
}
