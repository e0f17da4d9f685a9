#include "console/gx/gx_raster.h"

#include <cmath>
#include <cstring>

#include "console/gx/gx_clip.h"
#include "console/gx/gx_rasterize.h"
#include "console/gx/gx_stage_timing.h"

namespace console::gx {

namespace {

RasterState s_state;

// The front half hands the same state with triangle after triangle: the plan
// is worked out again only when the state changed.
const DrawPlan& PlanFor(const RasterState& state) {
    static RasterState planned;
    static DrawPlan plan;
    static bool valid = false;
    if (!valid || std::memcmp(&planned, &state, sizeof state) != 0) {
        std::memcpy(&planned, &state, sizeof state);
        plan = PlanDraw(state);
        valid = true;
    }
    return plan;
}

void DrawScreenTriangle(const RasterState& state, const DrawPlan& plan, const ScreenVertex& a,
                        const ScreenVertex& b, const ScreenVertex& c, Cull cull) {
    Triangle tri;
    if (SetupTriangle(a, b, c, cull, state.scissor, plan.tev.attrs, &tri))
        RasterizeTriangle(state, plan, tri);
}

// Lines and points are drawn as screen-aligned quads, never culled.
void DrawQuad(const RasterState& state, const DrawPlan& plan, const ScreenVertex (&q)[4]) {
    DrawScreenTriangle(state, plan, q[0], q[1], q[2], Cull::None);
    DrawScreenTriangle(state, plan, q[0], q[2], q[3], Cull::None);
}

ScreenVertex Offset(const ScreenVertex& v, float dx, float dy) {
    ScreenVertex out = v;
    out.x += dx;
    out.y += dy;
    return out;
}

}  // namespace

RasterState& RasterStateCurrent() {
    return s_state;
}

void RasterTriangle(const RasterState& state, const RasterVertex& v0, const RasterVertex& v1,
                    const RasterVertex& v2) {
    const DrawPlan& plan = PlanFor(state);
    ScreenVertex screen[kMaxClipVertices];
    u32 count = 3;
    {
        StageTimer timer(kGXStageClip);
        RasterVertex clipped[kMaxClipVertices];
        const RasterVertex* poly[kMaxClipVertices] = {&v0, &v1, &v2};
        if ((ClipOutcode(v0) | ClipOutcode(v1) | ClipOutcode(v2)) != 0) {
            count = ClipTriangle(v0, v1, v2, clipped);
            for (u32 i = 0; i < count; ++i)
                poly[i] = &clipped[i];
        }
        for (u32 i = 0; i < count; ++i)
            if (!ProjectVertex(state.viewport, *poly[i], plan.tev.attrs, &screen[i]))
                return;
    }
    StageTimer timer(kGXStagePixel);
    for (u32 i = 2; i < count; ++i)
        DrawScreenTriangle(state, plan, screen[0], screen[i - 1], screen[i], state.cull);
}

void RasterLine(const RasterState& state, const RasterVertex& v0, const RasterVertex& v1, u8 widthSixths) {
    const DrawPlan& plan = PlanFor(state);
    RasterVertex a = v0;
    RasterVertex b = v1;
    ScreenVertex sa, sb;
    if (widthSixths == 0 || !ClipSegment(a, b) || !ProjectVertex(state.viewport, a, plan.tev.attrs, &sa) ||
        !ProjectVertex(state.viewport, b, plan.tev.attrs, &sb))
        return;
    // The line widens across its minor axis, to its right (y down): the inside of
    // a clockwise, front-facing outline, which so lies on the edge pixels of a
    // fill with the same corners.
    const float width = widthSixths / 6.0f;
    const float ex = sb.x - sa.x, ey = sb.y - sa.y;
    const bool xMajor = std::abs(ex) >= std::abs(ey);
    const float dx = xMajor ? 0.0f : (ey > 0.0f ? -width : width);
    const float dy = xMajor ? (ex >= 0.0f ? width : -width) : 0.0f;
    DrawQuad(state, plan, {sa, Offset(sa, dx, dy), Offset(sb, dx, dy), sb});
}

void RasterPoint(const RasterState& state, const RasterVertex& v, u8 sizeSixths) {
    const DrawPlan& plan = PlanFor(state);
    ScreenVertex s;
    if (sizeSixths == 0 || ClipOutcode(v) != 0 || !ProjectVertex(state.viewport, v, plan.tev.attrs, &s))
        return;
    // Centred on the pixel whose top-left corner the point is, as a fill from
    // there would cover it.
    const float lo = 0.5f - sizeSixths / 12.0f, hi = 0.5f + sizeSixths / 12.0f;
    DrawQuad(state, plan, {Offset(s, lo, lo), Offset(s, hi, lo), Offset(s, hi, hi), Offset(s, lo, hi)});
}

}  // namespace console::gx
