// Debug views of collision polygons: a model's collision faces and a cache's
// polygons, filled by their surface flags and outlined, drawn over the scene.
#include "orblib47/source/CollisionCacheInternal.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Model.h"

u32 COLLISION_POLY_DEBUG_DRAW_MASK = 0xFFFFFFFFu;

namespace {

constexpr u32 kOutlineColor = 0xFFA500FFu;
constexpr u32 kNormalColor = 0xFFFF00FFu;
constexpr f32 kNormalLength = 0.3f;

// Untextured 3-D drawing in front of the surfaces it marks, without depth writes;
// depth writes come back on and the depth offset back to none afterwards.
class OverlayDrawing {
public:
    OverlayDrawing()
        : projection_(DrawSetProjection(DC_PROJ_3D)),
          texture_(DrawSetTexture(nullptr)),
          color_(DrawSetFlatColor(kOutlineColor)) {
        DrawSetDepthOffset(-1.0f, -1.5f);
        DrawSetZBufferWrite(0);
    }
    ~OverlayDrawing() {
        DrawSetZBufferWrite(1);
        DrawSetDepthOffset(0.0f, 0.0f);
        DrawSetFlatColor(color_);
        DrawSetTexture(texture_);
        DrawSetProjection(projection_);
    }
    OverlayDrawing(const OverlayDrawing&) = delete;
    OverlayDrawing& operator=(const OverlayDrawing&) = delete;

private:
    e_PROJ_MODE projection_;
    s_texture* texture_;
    u32 color_;
};

void Fill(const s_Vector3* corners, u32 count) {
    if (count == 4)
        DrawQuad(&corners[0], &corners[1], &corners[2], &corners[3]);
    else
        DrawTriangle(&corners[0], &corners[1], &corners[2]);
}

void Outline(const s_Vector3* corners, u32 count) {
    for (u32 i = 0; i < count; ++i)
        DrawLine(&corners[i], &corners[(i + 1) % count]);
}

u32 FaceCorners(const s_model& model, const s_model_collision_face& face, s_Vector3 corners[4]) {
    const u32 count = (face.flags & COLLISION_QUAD) != 0 ? 4 : 3;
    for (u32 i = 0; i < count; ++i) {
        const s_model_collision_vertex& v = model.collisionVertexList[face.vertIndex[i]];
        corners[i] = {v.x, v.y, v.z, 0.0f};
    }
    return count;
}

u32 FaceColor(u16 flags) {
    switch (flags & (COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS | COLLISION_LEDGE | COLLISION_ENEMY_OBS)) {
        case COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS:
            return 0x00008040u;
        case COLLISION_CAMERA_OBS:
            return 0x00800040u;
        case COLLISION_PLAYER_OBS:
            return 0x80000040u;
        case COLLISION_LEDGE:
            return 0x80008040u;
        case COLLISION_ENEMY_OBS:
            return 0x00008040u;
        default:
            return 0x80800040u;
    }
}

// Red for camera obstacles, blue for player obstacles; 0 for neither.
u32 PolyColor(u16 flags) {
    const u32 red = (flags & COLLISION_CAMERA_OBS) != 0 ? 0x80u : 0u;
    const u32 blue = (flags & COLLISION_PLAYER_OBS) != 0 ? 0x80u : 0u;
    return red == 0 && blue == 0 ? 0 : red << 24 | blue << 8 | 0xA8u;
}

}  // namespace

void PolyCollideDebugDraw(const s_model* model) {
    OverlayDrawing overlay;
    s_Vector3 corners[4];
    for (s32 i = 0; i < model->numCollisionFaces; ++i) {
        const s_model_collision_face& face = model->collisionFaceList[i];
        DrawSetFlatColor(FaceColor(face.flags));
        Fill(corners, FaceCorners(*model, face, corners));
    }
    DrawSetDepthOffset(-1.0f, -3.5f);
    DrawSetFlatColor(kOutlineColor);
    for (s32 i = 0; i < model->numCollisionFaces; ++i)
        Outline(corners, FaceCorners(*model, model->collisionFaceList[i], corners));
}

void PolyCollideDebugDrawCache(const s_collision_cache* cache, s32 drawNormals) {
    OverlayDrawing overlay;
    const e_CULL_MODE cull = DrawSetCullMode(DC_CULL_NONE);
    const auto shown = [](const s_cache_poly& poly) {
        return (poly.flags & COLLISION_POLY_DEBUG_DRAW_MASK) != 0;
    };
    for (s32 i = 0; i < cache->count; ++i) {
        const s_cache_poly& poly = cache->polygons[i];
        const u32 color = PolyColor(poly.flags);
        if (!shown(poly) || color == 0)
            continue;
        DrawSetFlatColor(color);
        Fill(poly.coord, poly.vertCount);
    }
    DrawSetDepthOffset(-1.0f, -4.0f);
    for (s32 i = 0; i < cache->count; ++i) {
        const s_cache_poly& poly = cache->polygons[i];
        if (!shown(poly))
            continue;
        DrawSetFlatColor(kOutlineColor);
        Outline(poly.coord, poly.vertCount);
        if (!drawNormals)
            continue;
        s_Vector3 from{};
        for (u32 c = 0; c < poly.vertCount; ++c)
            from = {from.x + poly.coord[c].x, from.y + poly.coord[c].y, from.z + poly.coord[c].z, 0.0f};
        const f32 share = poly.vertCount == 4 ? 0.25f : 0.333f;
        from = {from.x * share, from.y * share, from.z * share, 0.0f};
        const s_Vector3 to = {from.x + poly.normal.x * kNormalLength, from.y + poly.normal.y * kNormalLength,
                              from.z + poly.normal.z * kNormalLength, 0.0f};
        DrawSetFlatColor(kNormalColor);
        DrawLine(&from, &to);
    }
    DrawSetCullMode(cull);
}
