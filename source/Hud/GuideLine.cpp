#include <cmath>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "source/Hud/HudInternal.h"
#include "source/Physics/Physics.h"

namespace {

constexpr u32 kGuidePoints = 24;
// The line's points are in inches with the right lane moved over by this many
// lane units; the lane in use lies at fLaneOffset in our world.
constexpr f32 kRightLaneShift = 17.91f;
constexpr f32 kLineHeight = -0.25f;  // inches above the lane (y points down)
constexpr f32 kHalfWidth = 1.5f;     // pixels
constexpr u32 kLineColour = 0x40C0FFC0;
constexpr f32 kArrowW = 16.0f;
constexpr f32 kArrowH = 24.0f;

// Point i of n of the guide line on the screen; false when there is no line or
// the point is not in front of the camera.
bool GuideScreenPoint(const CLaneManager& lane, u32 i, u32 n, s_Vector3* screen) {
    s_Vector3 p = lane.GetShotLineCoord(i, n);
    if (p.z <= 0.0f)
        return false;
    p.x += ((lane.bLeftLane ? 0.0f : -kRightLaneShift) + lane.fLaneOffset) * 4.0f;
    p.y = kLineHeight;
    const s_Vector3 world = PhysicsToWorldSpace(&p);
    return DrawWorld2Screen(screen, &world) > 0.0f;
}

void PutScreenVertex(f32 x, f32 y) {
    s_draw_vertex v;
    DrawInitVertex(&v);
    v.coord = {x, y, 0.0f, 1.0f};
    DrawVertex(&v);
}

}  // namespace

void CLaneManager::DrawGuideLine() {
    s_Vector3 points[kGuidePoints + 1];
    bool seen[kGuidePoints + 1];
    for (u32 i = 0; i <= kGuidePoints; ++i)
        seen[i] = GuideScreenPoint(*this, i, kGuidePoints, &points[i]);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kLineColour);
    DrawBegin(PRIM_QUAD);
    for (u32 i = 0; i < kGuidePoints; ++i) {
        if (!seen[i] || !seen[i + 1])
            continue;
        const s_Vector3& a = points[i];
        const s_Vector3& b = points[i + 1];
        const f32 length = std::hypot(b.x - a.x, b.y - a.y);
        if (length <= 0.0f)
            continue;
        const f32 nx = -(b.y - a.y) / length * kHalfWidth;
        const f32 ny = (b.x - a.x) / length * kHalfWidth;
        PutScreenVertex(a.x + nx, a.y + ny);
        PutScreenVertex(b.x + nx, b.y + ny);
        PutScreenVertex(b.x - nx, b.y - ny);
        PutScreenVertex(a.x - nx, a.y - ny);
    }
    DrawEnd();
}

void HudDrawAimArrow(const s_sprite_set* sprites, const CLaneManager& lane) {
    s_Vector3 arrows;
    if (GuideScreenPoint(lane, kGuidePoints, kGuidePoints, &arrows))
        HudSprite(sprites, HUD_SPRITE_AIMARROW, arrows.x - kArrowW / 2.0f, arrows.y, kArrowW, kArrowH);
}
