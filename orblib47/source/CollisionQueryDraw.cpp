// Debug view of a collision result list: the faces hit filled, the edges and
// corners touched as lines, then the faces outlined with their normals.
#include "orblib47/source/CollisionQueryInternal.h"
#include "orblib47/source/DrawPrim.h"

namespace {

constexpr u32 kFaceColor = 0x008000FFu;
constexpr u32 kCoveredFaceColor = 0x000080FFu;
constexpr u32 kContactColor = 0xFFFFFFFFu;
constexpr u32 kOutlineColor = 0xFFA500FFu;
constexpr u32 kNormalColor = 0xFF0000FFu;

// Vertex colours under a white flat colour, so each shows as given.
void Put(const s_Vector3& p, u32 color) {
    s_draw_vertex v;
    DrawInitVertex(&v);
    v.coord = {p.x, p.y, p.z, 1.0f};
    v.color = color;
    DrawVertex(&v);
}

void Line(const s_Vector3& a, const s_Vector3& b, u32 color) {
    DrawBegin(PRIM_LINE);
    Put(a, color);
    Put(b, color);
    DrawEnd();
}

void Fill(const s_cache_poly& poly, u32 color) {
    DrawBegin(poly.vertCount == 4 ? PRIM_QUAD : PRIM_TRIANGLE);
    for (s32 v = 0; v < poly.vertCount; ++v)
        Put(poly.coord[v], color);
    DrawEnd();
}

void DrawContacts(const s_collision_list& list) {
    for (s32 i = 0; i < list.count; ++i) {
        const s_collision_result& r = list.result[i];
        const s_cache_poly& poly = *r.cachePoly;
        if (r.flags & COLLISION_RESULT_FACE)
            Fill(poly, (r.flags & COLLISION_RESULT_COVERED) ? kCoveredFaceColor : kFaceColor);
        else if (r.flags & COLLISION_RESULT_EDGE)
            Line(poly.coord[r.p0], poly.coord[r.p1], kContactColor);
        else if (r.flags & COLLISION_RESULT_VERTEX)
            Line(poly.coord[r.p0], poly.coord[r.p0], kContactColor);
    }
}

void OutlineFaces(const s_collision_list& list) {
    for (s32 i = 0; i < list.count; ++i) {
        const s_collision_result& r = list.result[i];
        if (!(r.flags & COLLISION_RESULT_FACE))
            continue;
        const s_cache_poly& poly = *r.cachePoly;
        for (s32 v = 0; v < poly.vertCount; ++v)
            Line(poly.coord[v], poly.coord[(v + 1) % poly.vertCount], kOutlineColor);
        const s_Vector3 from = PolyCollideFirstThreeAverage(poly);
        Line(from, CollideAddScaled(from, poly.normal, 1.0f), kNormalColor);
    }
}

}  // namespace

void PolyCollideDebugDrawList(const s_collision_list* list) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_3D);
    s_texture* texture = DrawSetTexture(nullptr);
    const u32 color = DrawSetFlatColor(0xFFFFFFFFu);
    DrawSetZBufferWrite(0);
    DrawSetDepthOffset(-1.0f, -1.5f);
    DrawContacts(*list);
    DrawSetDepthOffset(-1.0f, -4.0f);
    OutlineFaces(*list);
    DrawSetZBufferWrite(1);
    DrawSetDepthOffset(0.0f, 0.0f);
    DrawSetFlatColor(color);
    DrawSetTexture(texture);
    DrawSetProjection(projection);
}
