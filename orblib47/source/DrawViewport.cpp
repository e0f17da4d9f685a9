#include "orblib47/source/DrawViewport.h"

#include <cmath>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"

namespace {

s_stdrec* ViewportRecords = nullptr;

constexpr f32 kFovPi = 3.1416015625f;  // pi as the field of view is built with
constexpr f32 kFovAspectDivisor = 1.06f;
constexpr f32 kWidescreenFactor = 1.7777778f / 1.3333334f;
constexpr f32 kWZeroInverse = 10000.0f;

s_viewport* CurrentViewport() {
    ORB_ASSERT(DrawContext.viewport != nullptr, "No current viewport\n");
    return DrawContext.viewport;
}

f32 Dot3(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The world plane through the eye; the far plane through the point farZ ahead.
void UpdateWorldPlane(const s_Matrix4* camera, const s_Vector3* position, s_draw_clip_plane* plane, bool far,
                      f32 farZ) {
    s_Vector3 n;
    Matrix4BackRotPoint(camera, &n, &plane->normal);
    plane->x = n.x;
    plane->y = n.y;
    plane->z = n.z;
    s_Vector3 on = *position;
    if (far) {
        on.x -= n.x * farZ;
        on.y -= n.y * farZ;
        on.z -= n.z * farZ;
    }
    plane->distance = -Dot3(n, on);
}

void UpdateWorld(s_viewport* viewport) {
    DrawUpdateClipPlanes(&viewport->cameraMatrix, &viewport->cameraPosition, viewport->clipPlanes,
                         DrawClipPlaneCount(), viewport->farZ);
    DrawUpdateScreenMatrix(viewport);
}

}  // namespace

void DrawViewportWarmReset(u32 maxviewport) {
    ViewportRecords = RecordCreate(maxviewport, sizeof(s_viewport));
    if (ViewportRecords != nullptr)
        HeapAddrAddComment(ViewportRecords, "DrawWarmReset:DrawViewportRecords");
}

s_viewport* DrawAddViewport(const s_Irect16* rect, f32 fov, f32 nearZ, f32 farZ, f32 nearDepth,
                            f32 farDepth) {
    if (ViewportRecords == nullptr)
        return nullptr;
    auto* viewport = static_cast<s_viewport*>(RecordAlloc(ViewportRecords));
    if (viewport != nullptr)
        DrawDefineViewport(viewport, rect, fov, nearZ, farZ, nearDepth, farDepth);
    return viewport;
}

void DrawDefineViewport(s_viewport* viewport, const s_Irect16* rect, f32 fov, f32 nearZ, f32 farZ,
                        f32 nearDepth, f32 farDepth) {
    if (viewport == nullptr)
        viewport = CurrentViewport();
    *viewport = s_viewport{};
    viewport->rect = *rect;
    viewport->scissorRect = *rect;
    viewport->clearColor = 0x000000FFu;
    viewport->clearColorVect = {0.0f, 0.0f, 0.0f, 1.0f};
    viewport->nearZ = nearZ;
    viewport->farZ = farZ;
    viewport->nearDepth = nearDepth;
    viewport->farDepth = farDepth;
    viewport->flags = u_viewport_flags::AutoClear;
    const f32 w = rect->w;
    const f32 h = rect->h;
    viewport->scale = {w / 2.0f, -h / 2.0f, -farDepth, 1.0f};
    viewport->offset = {w / 2.0f, h / 2.0f, farDepth - nearDepth, 1.0f};
    viewport->cameraMatrix = IDMatrix4;
    viewport->cameraMatrixInv = IDMatrix4;
    const f32 x = rect->x;
    const f32 y = rect->y;
    Matrix4CreateOrtho(&viewport->orthoMatrix, x, x + w, y + h, y, 0.0f, 1.0f);
    DrawViewSetFOV(viewport, fov);
}

s_viewport* DrawSetViewport(s_viewport* viewport) {
    ORB_ASSERT(viewport != nullptr, "DrawSetViewport: NULL viewport\n");
    s_viewport* previous = DrawContext.viewport;
    if (viewport == previous)
        return previous;
    DrawContext.viewport = viewport;
    DrawContext.projectionMode = DC_PROJ_INVALID;
    DrawLoadViewport();
    return previous;
}

void DrawFreeViewport(s_viewport* viewport) {
    RecordFree(ViewportRecords, viewport);
}

f32 DrawSetFOV(f32 fov) {
    s_viewport* viewport = CurrentViewport();
    const f32 previous = viewport->fov;
    if (fov != previous)
        DrawViewSetFOV(viewport, fov);
    return previous;
}

f32 DrawSetFarZ(f32 farZ) {
    s_viewport* viewport = CurrentViewport();
    const f32 previous = viewport->farZ;
    if (farZ != previous) {
        viewport->farZ = farZ;
        DrawViewSetFOV(viewport, viewport->fov);
    }
    return previous;
}

void DrawViewSetFOV(s_viewport* viewport, f32 fov) {
    viewport->fov = fov;
    const f32 aspect = (f32(DrawContext.screenSize.x) / f32(DrawContext.screenSize.y)) / kFovAspectDivisor;
    const f32 top = viewport->nearZ * std::tan(kFovPi * fov / 360.0f);
    DrawViewSetProjectionMatrix(viewport, viewport->nearZ, viewport->farZ, top, -top, top, -top, aspect,
                                1.0f);
}

void DrawViewSetProjectionMatrix(s_viewport* viewport, f32 nearZ, f32 farZ, f32 right, f32 left, f32 top,
                                 f32 bottom, f32 aspectX, f32 aspectY) {
    DrawContext.projectionMode = DC_PROJ_INVALID;
    if (DrawContext.screenAspectMode == DC_SCREEN_ASPECT_16x9)
        aspectX *= kWidescreenFactor;
    Matrix4CreateProjection(&viewport->projectionMatrix, &viewport->projectionMatrixInv, left, right, bottom,
                            top, nearZ, farZ, aspectX, aspectY);
    DrawSetClipPlanes(viewport->clipPlanes, nearZ, top * aspectY, right * aspectX);
    UpdateWorld(viewport);
}

void DrawSetProjectionFromMatrix(const s_Matrix4* projection, const s_Matrix4* projectionInv) {
    s_viewport* viewport = CurrentViewport();
    viewport->projectionMatrix = *projection;
    viewport->projectionMatrixInv = *projectionInv;
}

void DrawSetCamera(const s_Matrix4* matrix, const s_Vector3* position) {
    s_viewport* viewport = CurrentViewport();
    const f32* m = matrix->element;
    if (m[0] == 0.0f && m[4] == 0.0f && m[8] == 0.0f && m[12] == 0.0f)
        DEBUG_PRINT("DrawSetCamera: Invalid camera matrix specified.\n");
    viewport->cameraMatrix = *matrix;
    viewport->cameraPosition = *position;
    viewport->cameraForward = {-m[8], -m[9], -m[10], 0.0f};
    UpdateWorld(viewport);
    Matrix4Transpose(&viewport->cameraMatrixInv, &viewport->cameraMatrix);
    DrawContext.projectionMode = DC_PROJ_INVALID;
    DrawSetProjection(DC_PROJ_3D);
}

void DrawGetCamera(s_Matrix4* matrix, s_Vector3* position) {
    const s_viewport* viewport = CurrentViewport();
    *matrix = viewport->cameraMatrix;
    *position = viewport->cameraPosition;
}

void DrawSetVeilPlanes(s32 count, const s_draw_clip_plane* planes) {
    ORB_ASSERT(count >= 0 && (count == 0 || planes != nullptr), "DrawSetVeilPlanes: no planes for %d veils\n",
               count);
    s_viewport* viewport = CurrentViewport();
    viewport->veilCount = count;
    viewport->veilClipPlanes = planes;
}

void DrawUpdateFarClipPlane(f32 farZ) {
    s_viewport* viewport = CurrentViewport();
    UpdateWorldPlane(&viewport->cameraMatrix, &viewport->cameraPosition,
                     &viewport->clipPlanes[DRAW_CLIP_PLANE_FAR], true, farZ);
}

void DrawSetClipPlanes(s_draw_clip_plane* planes, f32 nearZ, f32 h, f32 w) {
    const f32 k1 = 1.0f / std::sqrt(w * w + nearZ * nearZ);
    const f32 k2 = 1.0f / std::sqrt(h * h + nearZ * nearZ);
    planes[0].normal = {-nearZ * k1, 0.0f, -w * k1, 0.0f};
    planes[1].normal = {nearZ * k1, 0.0f, -w * k1, 0.0f};
    planes[2].normal = {0.0f, -nearZ * k2, -h * k2, 0.0f};
    planes[3].normal = {0.0f, nearZ * k2, -h * k2, 0.0f};
    planes[DRAW_CLIP_PLANE_FAR].normal = {0.0f, 0.0f, 1.0f, 0.0f};
    planes[DRAW_CLIP_PLANE_NEAR].normal = {0.0f, 0.0f, -1.0f, 0.0f};
}

void DrawUpdateClipPlanes(const s_Matrix4* camera, const s_Vector3* position, s_draw_clip_plane* planes,
                          s32 count, f32 farZ) {
    for (s32 i = 0; i < count; ++i)
        UpdateWorldPlane(camera, position, &planes[i], i == DRAW_CLIP_PLANE_FAR, farZ);
}

void DrawUpdateScreenMatrix(s_viewport* viewport) {
    Matrix4MultMatrix4x4(&viewport->viewMatrix, &viewport->cameraMatrix, &viewport->projectionMatrix);
    const s_Vector4& s = viewport->scale;
    const s_Vector4& o = viewport->offset;
    const s_Matrix4 screen = {{s.x, 0.0f, 0.0f, o.x,  //
                               0.0f, s.y, 0.0f, o.y,  //
                               0.0f, 0.0f, s.z, o.z,  //
                               0.0f, 0.0f, 0.0f, 1.0f}};
    Matrix4MultMatrix4x4(&viewport->screenMatrix, &viewport->viewMatrix, &screen);
}

f32 DrawWorld2Screen(s_Vector3* out, const s_Vector3* position) {
    const s_viewport* viewport = CurrentViewport();
    s_Vector4 clip;
    Matrix4MultPointH(&viewport->viewMatrix, &clip, position);
    const f32 invW = clip.w != 0.0f ? 1.0f / clip.w : kWZeroInverse;
    const f32 z = clip.z * invW;
    out->x = clip.x * invW * viewport->scale.x + viewport->offset.x;
    out->y = clip.y * invW * viewport->scale.y + viewport->offset.y;
    out->z = -(1.0f + z);
    if (z < -1.0f || z > 0.0f)
        return 0.0f;
    return viewport->projectionMatrix.element[0] * viewport->scale.x * invW;
}
