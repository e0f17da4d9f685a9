// Debug outlines of collision spheres and link points, projected to the screen and
// drawn flat over the picture.
#include <cmath>

#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"

namespace {

constexpr u32 kWhite = 0xFFFFFFFFu;  // hit spheres and link points
constexpr u32 kMaskColor = 0x00FF00FFu;
constexpr u32 kOtherColor = 0x0000FFFFu;
constexpr f32 kLinkPointSize = 2.0f;

// Screen drawing in flat colour without texture, the previous state put back after.
class ScreenDrawing {
public:
    ScreenDrawing()
        : projection_(DrawSetProjection(DC_PROJ_ORTHO)),
          texture_(DrawSetTexture(nullptr)),
          color_(DrawSetFlatColor(kWhite)) {}
    ~ScreenDrawing() {
        DrawSetFlatColor(color_);
        DrawSetTexture(texture_);
        DrawSetProjection(projection_);
    }
    ScreenDrawing(const ScreenDrawing&) = delete;
    ScreenDrawing& operator=(const ScreenDrawing&) = delete;

private:
    e_PROJ_MODE projection_;
    s_texture* texture_;
    u32 color_;
};

struct ScreenCircle {
    s_Vector3 centre;
    f32 radius;
};

// False when the point lies outside the view's depth range.
bool Project(const s_Vector3& world, f32 radius, ScreenCircle* out) {
    const f32 scale = DrawWorld2Screen(&out->centre, &world);
    out->centre.z = 0.0f;
    out->radius = radius * scale;
    return scale != 0.0f;
}

// The two lines along a capsule's sides, each touching both circles' rims square to
// the line between the centres.
void DrawCapsuleSides(const ScreenCircle& c1, const ScreenCircle& c2) {
    const f32 dx = c2.centre.x - c1.centre.x;
    const f32 dy = c2.centre.y - c1.centre.y;
    const f32 length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0f)
        return;
    const f32 nx = -dy / length;
    const f32 ny = dx / length;
    for (f32 side : {1.0f, -1.0f}) {
        const s_Vector3 a = {c1.centre.x + side * nx * c1.radius, c1.centre.y + side * ny * c1.radius, 0.0f,
                             0.0f};
        const s_Vector3 b = {c2.centre.x + side * nx * c2.radius, c2.centre.y + side * ny * c2.radius, 0.0f,
                             0.0f};
        DrawLine(&a, &b);
    }
}

}  // namespace

void CollisionDebugDraw(const s_collision_info* cinfo) {
    ScreenDrawing screen;
    for (u32 i = 0; i < cinfo->numSpheres; ++i) {
        const s_collision_sphere& sphere = cinfo->sphereList[i];
        ScreenCircle circle;
        if (!Project(sphere.world, sphere.radius, &circle))
            continue;
        const bool inMask = (sphere.group & cinfo->mask) != 0;
        DrawSetFlatColor(sphere.flags == COLLISION_SPHERE_HIT ? kWhite : inMask ? kMaskColor : kOtherColor);
        DrawCircle(&circle.centre, circle.radius);
        if (inMask && sphere.flags != COLLISION_SPHERE_HIT)
            DrawCrossHair(&circle.centre, circle.radius);
        ScreenCircle partner;
        if (sphere.link != COLLISION_NO_LINK) {
            const s_collision_sphere& other = cinfo->sphereList[sphere.link];
            if (Project(other.world, other.radius, &partner))
                DrawCapsuleSides(circle, partner);
        }
    }
}

void LinkPointsDebugDraw(const s_link_point_info* linfo) {
    ScreenDrawing screen;
    DrawSetFlatColor(kWhite);
    for (u32 i = 0; i < linfo->numLinkPoints; ++i) {
        ScreenCircle point;
        if (Project(linfo->linkPointList[i].world, 0.0f, &point))
            DrawCrossHair(&point.centre, kLinkPointSize);
    }
}
