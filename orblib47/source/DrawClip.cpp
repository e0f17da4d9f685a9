// Sphere culling against the current viewport's frustum and veil volumes, and
// Sutherland-Hodgman polygon clipping in clip space.
#include <utility>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawViewport.h"

namespace {

f32 PlaneDistance(const s_draw_clip_plane& plane, const s_Vector3& p) {
    return plane.x * p.x + plane.y * p.y + plane.z * p.z + plane.distance;
}

const s_draw_clip_plane* FrustumPlanes() {
    ORB_ASSERT(DrawContext.viewport != nullptr, "No current viewport\n");
    return DrawContext.viewport->clipPlanes;
}

// Axes in the order the passes clip them: z, x, y.
constexpr s32 kClipAxes[3] = {2, 0, 1};

f32 AxisCoord(const s_Vector4& c, s32 axis) {
    return axis == 0 ? c.x : axis == 1 ? c.y : c.z;
}

// Bits 1 << (2 axis) below -w, 1 << (2 axis + 1) above w.
u32 Outcode(const s_Vector4& c) {
    u32 code = 0;
    for (s32 axis = 0; axis < 3; ++axis) {
        const f32 v = AxisCoord(c, axis);
        if (v < -c.w)
            code |= 1u << (2 * axis);
        if (v > c.w)
            code |= 2u << (2 * axis);
    }
    return code;
}

// Clips against side x axis <= w (side +1) or -w <= axis (side -1).
s32 ClipPlane(const s_draw_vertex* in, s32 count, s_draw_vertex* out, s32 axis, f32 side) {
    s32 n = 0;
    auto next = [&]() -> s_draw_vertex& {
        ORB_ASSERT(n < DRAW_CLIP_MAX_VERTS, "DrawClipPoly: more than %d vertices\n", DRAW_CLIP_MAX_VERTS);
        return out[n++];
    };
    const s_draw_vertex* prev = &in[count - 1];
    f32 prevInside = prev->coord.w - side * AxisCoord(prev->coord, axis);
    for (s32 i = 0; i < count; ++i) {
        const s_draw_vertex* cur = &in[i];
        const f32 curInside = cur->coord.w - side * AxisCoord(cur->coord, axis);
        if ((prevInside >= 0.0f) != (curInside >= 0.0f)) {
            const f32 t = prevInside / (prevInside - curInside);
            DrawClipVertex(&next(), prev, cur, t);
        }
        if (curInside >= 0.0f)
            next() = *cur;
        prev = cur;
        prevInside = curInside;
    }
    return n;
}

}  // namespace

s32 DrawClipSphere(const s_Vector3* centre, f32 radius) {
    const s_draw_clip_plane* planes = FrustumPlanes();
    for (s32 i = 0; i < DrawClipPlaneCount(); ++i) {
        if (PlaneDistance(planes[i], *centre) + radius < 0.0f)
            return 1 << i;
    }
    return DC_CLIP_NONE;
}

s32 DrawClipSphereInside(const s_Vector3* centre, f32 radius) {
    const s_draw_clip_plane* planes = FrustumPlanes();
    s32 result = DC_CLIP_COMPLETELY_INSIDE;
    for (s32 i = 0; i < DrawClipPlaneCount(); ++i) {
        const f32 d = PlaneDistance(planes[i], *centre);
        if (d + radius < 0.0f)
            return 1 << i;
        if (d < radius)
            result = DC_CLIP_NONE;
    }
    return result;
}

s32 DrawClipSphereWFar(const s_Vector3* centre, f32* distance, f32 radius) {
    *distance = PlaneDistance(FrustumPlanes()[DRAW_CLIP_PLANE_NEAR], *centre);
    return DrawClipSphere(centre, radius);
}

s32 DrawClipSphereInsideVeils(const s_Vector3* centre, f32 radius) {
    ORB_ASSERT(DrawContext.viewport != nullptr, "No current viewport\n");
    const s_viewport& viewport = *DrawContext.viewport;
    s32 result = DC_CLIP_NONE;
    for (s32 veil = 0; veil < viewport.veilCount; ++veil) {
        const s_draw_clip_plane* planes = viewport.veilClipPlanes + veil * DRAW_VEIL_PLANE_COUNT;
        bool contained = true;
        for (s32 i = 0; i < DRAW_VEIL_PLANE_COUNT; ++i) {
            const f32 d = PlaneDistance(planes[i], *centre);
            if (d < -radius) {
                contained = false;
                break;
            }
            if (d < radius) {
                contained = false;
                if (d > -radius)
                    result |= DC_CLIP_VEIL;
            }
        }
        if (contained)
            return result | DC_CLIP_COMPLETELY_INSIDE_VEIL;
    }
    return result;
}

void DrawClipVertex(s_draw_vertex* out, const s_draw_vertex* a, const s_draw_vertex* b, f32 t) {
    auto lerp = [t](f32 x, f32 y) { return x + t * (y - x); };
    s_draw_vertex v = *a;
    v.coord = {lerp(a->coord.x, b->coord.x), lerp(a->coord.y, b->coord.y), lerp(a->coord.z, b->coord.z),
               lerp(a->coord.w, b->coord.w)};
    v.u = lerp(a->u, b->u);
    v.v = lerp(a->v, b->v);
    v.color = 0;
    for (s32 shift = 0; shift < 32; shift += 8) {
        const f32 ca = f32((a->color >> shift) & 0xFFu);
        const f32 cb = f32((b->color >> shift) & 0xFFu);
        v.color |= (u32(lerp(ca, cb)) & 0xFFu) << shift;
    }
    *out = v;
}

s32 DrawClipPoly(s_draw_vertex* out, const s_draw_vertex* in, s32 count, u32* outcodes) {
    ORB_ASSERT(count >= 0 && count + DRAW_CLIP_PLANE_COUNT <= DRAW_CLIP_MAX_VERTS,
               "DrawClipPoly: %d vertices is too many\n", count);
    u32 all = 0x3Fu;
    u32 any = 0;
    for (s32 i = 0; i < count; ++i) {
        const u32 code = Outcode(in[i].coord);
        if (outcodes != nullptr)
            outcodes[i] = code;
        all &= code;
        any |= code;
    }
    if (count == 0 || all != 0)
        return 0;

    s_draw_vertex bufferA[DRAW_CLIP_MAX_VERTS];
    s_draw_vertex bufferB[DRAW_CLIP_MAX_VERTS];
    s_draw_vertex* src = bufferA;
    s_draw_vertex* dst = bufferB;
    for (s32 i = 0; i < count; ++i)
        src[i] = in[i];
    s32 n = count;
    for (s32 axis : kClipAxes) {
        if ((any & (3u << (2 * axis))) == 0)
            continue;
        for (f32 side : {-1.0f, 1.0f}) {
            n = n > 0 ? ClipPlane(src, n, dst, axis, side) : 0;
            std::swap(src, dst);
        }
    }
    // A concave polygon could grow past the room the caller was asked for.
    ORB_ASSERT(n <= count + DRAW_CLIP_PLANE_COUNT, "DrawClipPoly: %d vertices clipped to %d\n", count, n);
    for (s32 i = 0; i < n; ++i)
        out[i] = src[i];
    return n;
}
