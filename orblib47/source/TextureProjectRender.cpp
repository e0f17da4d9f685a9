// Texture projection onto a collision cache: the polygons that receive shadows and
// face the projection, clipped to its frustum, drawn with texture coordinates from
// their projected positions, immediately or into a display list.
#include <algorithm>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/DrawRecord.h"
#include "orblib47/source/TextureProject.h"

namespace {

// A cache polygon of at most 4 points clipped by the 6 frustum planes has at most 10.
constexpr s32 MAX_CLIP_PNTS = 16;
constexpr s32 kMaxPolyPoints = 4;
constexpr f32 kFacingLimit = -0.05f;  // dot(normal, direction) of a polygon seen edge-on or worse
// World units the drawn copy lies off its polygon, towards the side it faces: with
// no depth bias on this platform the copy would fail the depth test against the
// polygon itself wherever its clipped corners round the other way.
constexpr f32 kLift = 0.02f;
constexpr f32 zscale = -2.0f;
constexpr f32 zoff = -1.5f;

s32 PointCount(const s_cache_poly& poly) {
    return std::min<s32>(poly.vertCount, kMaxPolyPoints);
}

bool Receives(const s_cache_poly& poly, const s_Vector3& direction) {
    if ((poly.flags & COLLISION_SHADOW_OBS) == 0)
        return false;
    const f32 facing =
        poly.normal.x * direction.x + poly.normal.y * direction.y + poly.normal.z * direction.z;
    return facing <= kFacingLimit;
}

// The most immediate vertices the receiving polygons can produce: each clip plane
// adds at most one point, and a fan of n points is n - 2 triangles.
u32 MaxVertices(const s_textproj_parms& parms, const s_collision_cache& cache) {
    u32 vertices = 0;
    for (s32 i = 0; i < cache.count; ++i) {
        const s_cache_poly& poly = cache.polygons[i];
        if (Receives(poly, parms.direction) && PointCount(poly) >= 3)
            vertices += 3 * u32(PointCount(poly) + DRAW_CLIP_PLANE_COUNT - 2);
    }
    return vertices;
}

void GrowBox(const s_textproj_parms& parms, const s_Vector4& p) {
    if (parms.minBox == nullptr || parms.maxBox == nullptr)
        return;
    s_Vector3& lo = *parms.minBox;
    s_Vector3& hi = *parms.maxBox;
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z), lo.w};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z), hi.w};
}

void DrawPolygon(const s_textproj_parms& parms, const s_cache_poly& poly) {
    s_draw_vertex in[kMaxPolyPoints];
    const s32 count = PointCount(poly);
    for (s32 i = 0; i < count; ++i) {
        in[i] = DrawContext.vertex;
        Matrix4MultPointH(&parms.screenMatrix, &in[i].coord, &poly.coord[i]);
    }
    s_draw_vertex clipped[DRAW_CLIP_MAX_VERTS];
    const s32 vcount = DrawClipPoly(clipped, in, count, nullptr);
    if (vcount == 0)
        return;
    ORB_ASSERT(vcount < MAX_CLIP_PNTS, "TextureProjectRender: Clip Generated too many verts!!\n");

    s_draw_vertex fan[MAX_CLIP_PNTS];
    for (s32 i = 0; i < vcount; ++i) {
        const s_Vector4& clip = clipped[i].coord;
        s_draw_vertex& v = fan[i];
        v = DrawContext.vertex;
        Matrix4MultVector4(&parms.inverseScreenMatrix, &v.coord, &clip);
        v.coord.w = 1.0f;
        v.normal = poly.normal;
        const f32 q = 1.0f / clip.w;
        v.u = 0.5f * (1.0f + q * clip.x);
        v.v = 1.0f - 0.5f * (1.0f + q * clip.y);
        if ((parms.flags & TEXTURE_PROJECT_GROW_BOX) != 0)
            GrowBox(parms, v.coord);
        v.coord.x += kLift * poly.normal.x;
        v.coord.y += kLift * poly.normal.y;
        v.coord.z += kLift * poly.normal.z;
    }
    for (s32 j = 1; j + 1 < vcount; ++j) {
        DrawVertex(&fan[0]);
        DrawVertex(&fan[j]);
        DrawVertex(&fan[j + 1]);
    }
}

}  // namespace

void TextureProjectRenderCache(s_textproj_parms* parms, const s_collision_cache* cache, s_texture* texture) {
    if (DrawTextureProject == 0 || cache == nullptr || cache->count <= 0)
        return;
    DrawSetProjection(DC_PROJ_3D);
    const bool record = (parms->flags & TEXTURE_PROJECT_CREATE_DL) != 0;
    if (record) {
        DrawRecordFree(parms->displayList);
        parms->displayList = nullptr;
        parms->displayListSize = 0;
        if (!DrawRecordBegin(MaxVertices(*parms, *cache))) {
            DEBUG_PRINT("TextureProjectRenderCache: no room for a display list\n");
            parms->flags &= ~TEXTURE_PROJECT_CREATE_DL;
            return;
        }
    } else {
        DrawLightsOff();
        DrawSetTexture(texture);
        DrawSetDepthOffset(zscale, zoff);
        DrawSetZBufferWrite(0);
    }

    DrawBegin(PRIM_TRIANGLE);
    for (s32 i = 0; i < cache->count; ++i) {
        const s_cache_poly& poly = cache->polygons[i];
        if (Receives(poly, parms->direction))
            DrawPolygon(*parms, poly);
    }
    DrawEnd();

    if (record) {
        parms->flags &= ~TEXTURE_PROJECT_CREATE_DL;
        const s_draw_record list = DrawRecordEnd();
        parms->displayList = list.list;
        parms->displayListSize = list.size;
    } else {
        DrawSetZBufferWrite(1);
        DrawSetDepthOffset(0.0f, 0.0f);
    }
}
