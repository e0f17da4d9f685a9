// Viewports: a view's screen rectangle and depth range, its camera, perspective
// and orthographic projections, the combined view and screen matrices and the
// frustum planes in world space (with optional veil volumes); projection of world
// points to the screen, sphere culling and clip-space polygon clipping.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

// Plane order: right, left, top, bottom, far, near; plane i rejects with bit 1 << i
// (DC_CLIP_RIGHT .. DC_CLIP_NEAR).
constexpr s32 DRAW_CLIP_PLANE_COUNT = 6;
constexpr s32 DRAW_CLIP_PLANE_FAR = 4;
constexpr s32 DRAW_CLIP_PLANE_NEAR = 5;
constexpr s32 DRAW_VEIL_PLANE_COUNT = 5;  // planes per veil volume

// The context's plane count, kept within the planes a viewport has.
inline s32 DrawClipPlaneCount() {
    return DrawContext.numClipPlanes < DRAW_CLIP_PLANE_COUNT ? DrawContext.numClipPlanes
                                                             : DRAW_CLIP_PLANE_COUNT;
}

// A frustum plane. The signed distance of a world point p is
// x p.x + y p.y + z p.z + distance; positive is inside.
struct s_draw_clip_plane {
    s_Vector3 normal;  // camera space
    f32 x, y, z;       // the normal in world space
    f32 distance;
};

struct u_viewport_flags {
    static constexpr u32 AutoClear = 0x80000000u;  // the frame start clears the frame buffer
    static constexpr u32 AutoClearHW = 0x40000000u;
};

struct s_viewport {
    s_Matrix4 orthoMatrix;
    s_Matrix4 projectionMatrix;
    s_Matrix4 projectionMatrixInv;
    s_Matrix4 cameraMatrix;
    // Matrix4Transpose of the camera: the inverse only of its rotation (the
    // translation is negated, not rotated back).
    s_Matrix4 cameraMatrixInv;
    s_Matrix4 viewMatrix;    // projection x camera
    s_Matrix4 screenMatrix;  // screen scale and offset x view
    s_draw_clip_plane clipPlanes[DRAW_CLIP_PLANE_COUNT];
    s_Vector4 scale;  // clip space to screen
    s_Vector4 offset;
    s_Vector3 cameraPosition;
    s_Vector3 cameraForward;
    s_Vector2 aspectRatio;
    s_Irect16 rect;
    s_Irect16 scissorRect;
    f32 fov;    // degrees
    u32 flags;  // u_viewport_flags
    s_Vector4 clearColorVect;
    u32 clearColor;  // 0xRRGGBBAA
    u32 fadeColor;
    f32 nearZ;  // world units
    f32 farZ;
    f32 nearDepth;  // depth-buffer range
    f32 farDepth;
    f32 depthOffset;
    s32 veilCount;
    const s_draw_clip_plane* veilClipPlanes;  // veilCount x 5 planes, owned by the caller
    // Kept for the debug tools.
    s32 useDebugCamera;
    s_Matrix4 debugProjectionMatrix;
    s_Matrix4 debugCameraMatrix;
    s_Matrix4 debugViewMatrix;
    s_Vector3 debugCameraPosition;
};

// Part of the draw warm reset: a pool of `maxviewport` viewports from the current
// heap.
void DrawViewportWarmReset(u32 maxviewport);

// Null when the pool is exhausted.
s_viewport* DrawAddViewport(const s_Irect16* rect, f32 fov, f32 nearZ, f32 farZ, f32 nearDepth, f32 farDepth);
// A null viewport defines the current one.
void DrawDefineViewport(s_viewport* viewport, const s_Irect16* rect, f32 fov, f32 nearZ, f32 farZ,
                        f32 nearDepth, f32 farDepth);
// Makes it current and loads it into the hardware; returns the previous one.
s_viewport* DrawSetViewport(s_viewport* viewport);
void DrawFreeViewport(s_viewport* viewport);
// Loads the current viewport's rectangle and depth range into the hardware
// viewport and scissor.
void DrawLoadViewport();

// Each returns the previous value and rebuilds the projection only on a change.
f32 DrawSetFOV(f32 fov);
f32 DrawSetFarZ(f32 farZ);
void DrawViewSetFOV(s_viewport* viewport, f32 fov);
// Builds the frustum from near, far and the extents at the near distance; the
// horizontal extents are scaled by aspectX, the vertical by aspectY.
void DrawViewSetProjectionMatrix(s_viewport* viewport, f32 nearZ, f32 farZ, f32 right, f32 left, f32 top,
                                 f32 bottom, f32 aspectX, f32 aspectY);
// Copies both matrices into the current viewport as they are.
void DrawSetProjectionFromMatrix(const s_Matrix4* projection, const s_Matrix4* projectionInv);

void DrawSetCamera(const s_Matrix4* matrix, const s_Vector3* position);
void DrawGetCamera(s_Matrix4* matrix, s_Vector3* position);
// count volumes of 5 planes each, owned by the caller.
void DrawSetVeilPlanes(s32 count, const s_draw_clip_plane* planes);
// Recomputes only the far plane of the current viewport for another distance.
void DrawUpdateFarClipPlane(f32 farZ);

// Rebuild steps of the projection and camera.
void DrawSetClipPlanes(s_draw_clip_plane* planes, f32 nearZ, f32 h, f32 w);
void DrawUpdateClipPlanes(const s_Matrix4* camera, const s_Vector3* position, s_draw_clip_plane* planes,
                          s32 count, f32 farZ);
void DrawUpdateScreenMatrix(s_viewport* viewport);

// Projects a world point to viewport pixels; out.z = -(1 + clip depth). Returns
// the pixels per world unit at that depth, or 0 outside the depth range.
f32 DrawWorld2Screen(s_Vector3* out, const s_Vector3* position);

// Sphere tests against the current viewport's planes (e_clip_mode bits).
// 0: possibly visible; else the bit of the first plane that rejects.
s32 DrawClipSphere(const s_Vector3* centre, f32 radius);
// DC_CLIP_COMPLETELY_INSIDE, 0 when crossing, or the rejecting plane's bit.
s32 DrawClipSphereInside(const s_Vector3* centre, f32 radius);
// DC_CLIP_VEIL when the sphere crosses a veil plane, OR DC_CLIP_COMPLETELY_INSIDE_VEIL
// when a veil volume holds it wholly.
s32 DrawClipSphereInsideVeils(const s_Vector3* centre, f32 radius);
// As DrawClipSphere; distance receives the depth in front of the eye.
s32 DrawClipSphereWFar(const s_Vector3* centre, f32* distance, f32 radius);

// The most vertices DrawClipPoly works with; it adds at most one per plane to a
// convex polygon, so `out` needs room for count + 6.
constexpr s32 DRAW_CLIP_MAX_VERTS = 64;
// Clips a polygon in clip space against -w <= x, y, z <= w. The depth range is the
// symmetric one although the hardware keeps -w <= z <= 0: callers rely on it.
// outcodes (may be null) receives each input vertex's outcode. Returns the new
// vertex count, 0 when the polygon is wholly outside.
s32 DrawClipPoly(s_draw_vertex* out, const s_draw_vertex* in, s32 count, u32* outcodes);
// out = a + t (b - a) for position, texture coordinates and each colour byte.
void DrawClipVertex(s_draw_vertex* out, const s_draw_vertex* a, const s_draw_vertex* b, f32 t);
