#include "console/gx/gx_raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "console/gx/gx_clip.h"
#include "console/gx/gx_geometry.h"
#include "console/gx/gx_rasterize.h"
#include "console/gx/gx_scratch.h"
#include "console/gx/gx_stage_timing.h"
#include "console/gx/gx_tiles.h"

namespace console::gx {

namespace {

RasterState s_state;

// What RasterTriangles knows of each vertex of its array.
enum class Projection : u8 { Pending, Done, Failed };
// Each thread's that works out records.
thread_local std::vector<u32> s_outcodes;
thread_local std::vector<Projection> s_projection;
thread_local std::vector<u8> s_drawn;
thread_local std::vector<SnappedCorner> s_corners;
thread_local std::vector<u8> s_mayDraw;  // by triangle, from the last VerticesDrawn

// Lines and points are drawn as screen-aligned quads, never culled.
void DrawQuad(const DrawSnapshot& snapshot, const ScreenVertex (&q)[4]) {
    ScreenVertex* room = LooseVertices(4);
    std::copy(q, q + 4, room);
    QueueTriangle(snapshot, room[0], room[1], room[2], Cull::None);
    QueueTriangle(snapshot, room[0], room[2], room[3], Cull::None);
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
    const RasterVertex vertices[3] = {v0, v1, v2};
    const u32 indexes[3] = {0, 1, 2};
    RasterTriangles(state, vertices, 3, indexes, 3);
}

void RasterTriangles(const RasterState& state, const RasterVertex* vertices, u32 vertexCount,
                     const u32* indexes, u32 indexCount) {
    const DrawSnapshot& snapshot = QueueState(state);
    DrawNow(snapshot, [&] { RasterTriangles(snapshot, vertices, vertexCount, indexes, indexCount); });
}

void RasterLine(const RasterState& state, const RasterVertex& v0, const RasterVertex& v1, u8 widthSixths) {
    const DrawSnapshot& snapshot = QueueState(state);
    DrawNow(snapshot, [&] { RasterLine(snapshot, v0, v1, widthSixths); });
}

void RasterPoint(const RasterState& state, const RasterVertex& v, u8 sizeSixths) {
    const DrawSnapshot& snapshot = QueueState(state);
    DrawNow(snapshot, [&] { RasterPoint(snapshot, v, sizeSixths); });
}

void RasterTriangles(const DrawSnapshot& snapshot, const RasterVertex* vertices, u32 vertexCount,
                     const u32* indexes, u32 indexCount, bool afterVerticesDrawn) {
    const RasterState& state = SnapshotState(snapshot);
    const DrawPlan& plan = SnapshotPlan(snapshot);
    u32* outcodes = Scratch(s_outcodes, vertexCount);
    Projection* projection = Scratch(s_projection, vertexCount);
    ScreenVertex* screenVertices = DrawVertices(vertexCount);
    const u8* mayDraw = afterVerticesDrawn ? s_mayDraw.data() : nullptr;
    StageTimer clipTimer(kGXStageClip);
    for (u32 i = 0; i < vertexCount; ++i) {
        if (mayDraw == nullptr)
            outcodes[i] = ClipOutcode(vertices[i]);
        projection[i] = Projection::Pending;
    }
    // A vertex inside the volume is projected the first time a triangle needs it.
    auto projected = [&](u32 i) -> const ScreenVertex* {
        if (projection[i] == Projection::Pending)
            projection[i] = ProjectVertex(state.viewport, vertices[i], plan.tev.attrs, &screenVertices[i])
                                ? Projection::Done
                                : Projection::Failed;
        return projection[i] == Projection::Done ? &screenVertices[i] : nullptr;
    };
    for (u32 k = 0; k + 2 < indexCount; k += 3) {
        const u32 a = indexes[k], b = indexes[k + 1], c = indexes[k + 2];
        const ScreenVertex* screen[kMaxClipVertices];
        u32 count = 3;
        if (mayDraw != nullptr ? mayDraw[k / 3] == 0 : (outcodes[a] & outcodes[b] & outcodes[c]) != 0)
            continue;
        if ((outcodes[a] | outcodes[b] | outcodes[c]) == 0) {
            screen[0] = projected(a);
            screen[1] = projected(b);
            screen[2] = projected(c);
            if (screen[0] == nullptr || screen[1] == nullptr || screen[2] == nullptr)
                continue;
        } else {
            RasterVertex clipped[kMaxClipVertices];
            count = ClipTriangle(vertices[a], vertices[b], vertices[c], clipped);
            ScreenVertex* clippedScreen = LooseVertices(count);
            bool placed = true;
            for (u32 i = 0; i < count && placed; ++i) {
                placed = ProjectVertex(state.viewport, clipped[i], plan.tev.attrs, &clippedScreen[i]);
                screen[i] = &clippedScreen[i];
            }
            if (!placed)
                continue;
        }
        StageTimer timer(kGXStagePixel);
        for (u32 i = 2; i < count; ++i)
            QueueTriangle(snapshot, *screen[0], *screen[i - 1], *screen[i], state.cull);
    }
}

const u8* VerticesDrawn(const RasterState& state, const RasterVertex* vertices, u32 vertexCount,
                        const u32* indexes, u32 indexCount) {
    u8* drawn = Scratch(s_drawn, vertexCount);
    u32* outcodes = Scratch(s_outcodes, vertexCount);
    SnappedCorner* corners = Scratch(s_corners, vertexCount);
    u8* mayDraw = Scratch(s_mayDraw, indexCount / 3);
    for (u32 i = 0; i < vertexCount; ++i) {
        drawn[i] = 0;
        outcodes[i] = ClipOutcode(vertices[i]);
        if (outcodes[i] == 0)
            corners[i] = SnapCorner(state.viewport, vertices[i]);
    }
    for (u32 k = 0; k + 2 < indexCount; k += 3) {
        const u32 a = indexes[k], b = indexes[k + 1], c = indexes[k + 2];
        const u32 ca = outcodes[a], cb = outcodes[b], cc = outcodes[c];
        mayDraw[k / 3] = (ca & cb & cc) == 0 &&
                         ((ca | cb | cc) != 0 || MayDraw(corners[a], corners[b], corners[c], state.cull));
        if (mayDraw[k / 3] != 0)
            drawn[a] = drawn[b] = drawn[c] = 1;
    }
    return drawn;
}

void RasterLine(const DrawSnapshot& snapshot, const RasterVertex& v0, const RasterVertex& v1,
                u8 widthSixths) {
    const RasterState& state = SnapshotState(snapshot);
    const DrawPlan& plan = SnapshotPlan(snapshot);
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
    DrawQuad(snapshot, {sa, Offset(sa, dx, dy), Offset(sb, dx, dy), sb});
}

void RasterPoint(const DrawSnapshot& snapshot, const RasterVertex& v, u8 sizeSixths) {
    const RasterState& state = SnapshotState(snapshot);
    const DrawPlan& plan = SnapshotPlan(snapshot);
    ScreenVertex s;
    if (sizeSixths == 0 || ClipOutcode(v) != 0 || !ProjectVertex(state.viewport, v, plan.tev.attrs, &s))
        return;
    // Centred on the pixel whose top-left corner the point is, as a fill from
    // there would cover it.
    const float lo = 0.5f - sizeSixths / 12.0f, hi = 0.5f + sizeSixths / 12.0f;
    DrawQuad(snapshot, {Offset(s, lo, lo), Offset(s, hi, lo), Offset(s, hi, hi), Offset(s, lo, hi)});
}

}  // namespace console::gx
