#include "console/gx/gx_primitive.h"

#include <vector>

#include "console/gx/gx_control.h"
#include "console/gx/gx_geometry.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_scratch.h"
#include "console/gx/gx_stage_timing.h"
#include "console/gx/gx_tiles.h"
#include "console/gx/gx_transform.h"
#include "console/system.h"

namespace console::gx {
namespace {

// Lines and points one pixel wide (sixths of a pixel).
constexpr u8 kLineWidth = 6;
constexpr u8 kPointSize = 6;

// Each thread's that works out records.
thread_local std::vector<RasterVertex> s_vertices;
thread_local std::vector<EyeVertex> s_eye;
thread_local std::vector<u32> s_indexes;  // three per triangle
HostGXVertexTap s_tap = nullptr;
void* s_tapContext = nullptr;

void Line(const DrawSnapshot& snapshot, u32 a, u32 b) {
    RasterLine(snapshot, s_vertices[a], s_vertices[b], kLineWidth);
}

u32 TriangleCount(GXPrimitive type, u32 count) {
    switch (type) {
        case GX_TRIANGLES:
            return count / 3;
        case GX_TRIANGLESTRIP:
        case GX_TRIANGLEFAN:
            return count >= 3 ? count - 2 : 0;
        case GX_QUADS:
            return count / 4 * 2;
        default:
            return 0;
    }
}

// The triangles of a triangle primitive, as indexes into its vertices; returns
// how many indexes.
u32 IndexTriangles(GXPrimitive type, u32 count) {
    const u32 indexCount = 3 * TriangleCount(type, count);
    u32* out = Scratch(s_indexes, indexCount);
    auto triangle = [&out](u32 a, u32 b, u32 c) {
        *out++ = a;
        *out++ = b;
        *out++ = c;
    };
    switch (type) {
        case GX_TRIANGLES:
            for (u32 i = 0; i + 2 < count; i += 3)
                triangle(i, i + 1, i + 2);
            break;
        case GX_TRIANGLESTRIP:
            // Every other triangle swaps its first two vertices to keep the strip's winding.
            for (u32 i = 0; i + 2 < count; ++i) {
                if (i % 2 == 0)
                    triangle(i, i + 1, i + 2);
                else
                    triangle(i + 1, i, i + 2);
            }
            break;
        case GX_TRIANGLEFAN:
            for (u32 i = 1; i + 1 < count; ++i)
                triangle(0, i, i + 1);
            break;
        case GX_QUADS:
            for (u32 i = 0; i + 3 < count; i += 4) {
                triangle(i, i + 1, i + 2);
                triangle(i, i + 2, i + 3);
            }
            break;
        default:
            break;
    }
    return indexCount;
}

// Vertices left over after the last whole primitive are dropped. A tap sees
// every vertex whole.
void Draw(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count, const VertexPlan& plan,
          const DrawSnapshot& snapshot, HostGXVertexTap tap) {
    RasterVertex* vertices = Scratch(s_vertices, count);
    const u32 indexCount = IndexTriangles(type, count);
    const u8* shade = nullptr;
    {
        StageTimer timer(kGXStageVertex);
        EyeVertex* eye = Scratch(s_eye, count);
        PositionVertices(plan, layout, data, count, eye, vertices);
        // Lines and points (no indexes) are never culled.
        if (tap == nullptr && indexCount != 0)
            shade = VerticesDrawn(SnapshotState(snapshot), vertices, count, s_indexes.data(), indexCount);
        ShadeVertices(plan, eye, shade, count, vertices);
    }
    if (tap != nullptr)
        tap(type, vertices, count, s_tapContext);

    switch (type) {
        case GX_LINES:
            for (u32 i = 0; i + 1 < count; i += 2)
                Line(snapshot, i, i + 1);
            break;
        case GX_LINESTRIP:
            for (u32 i = 0; i + 1 < count; ++i)
                Line(snapshot, i, i + 1);
            break;
        case GX_POINTS:
            for (u32 i = 0; i < count; ++i)
                RasterPoint(snapshot, vertices[i], kPointSize);
            break;
        default:
            RasterTriangles(snapshot, vertices, count, s_indexes.data(), indexCount, shade != nullptr);
            break;
    }
}

}  // namespace

bool IsPrimitive(u8 type) {
    switch (type) {
        case GX_QUADS:
        case GX_TRIANGLES:
        case GX_TRIANGLESTRIP:
        case GX_TRIANGLEFAN:
        case GX_LINES:
        case GX_LINESTRIP:
        case GX_POINTS:
            return true;
        default:
            return false;
    }
}

void DrawPrimitive(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count) {
    if (!HostGetConfig().pictures)
        return;
    // Alone, the program's thread would only work the record out later itself.
    if (s_tap == nullptr && PixelThreads() > 1 && RecordPrimitive(type, layout, data, count))
        return;
    const VertexPlan plan = PlanVertices();
    const DrawSnapshot& snapshot = QueueState(RasterStateCurrent());
    DrawNow(snapshot, [&] { Draw(type, layout, data, count, plan, snapshot, s_tap); });
}

RecordTriangles WorkOutRecord(const RecordedPrimitive& first, const DrawSnapshot& snapshot) {
    BeginTriangles();
    for (const RecordedPrimitive* p = &first; p != nullptr; p = p->next)
        Draw(p->type, *p->layout, p->data, p->count, *p->plan, snapshot, nullptr);
    return EndTriangles();
}

}  // namespace console::gx

void HostGXSetVertexTap(HostGXVertexTap tap, void* context) {
    console::gx::s_tap = tap;
    console::gx::s_tapContext = context;
}
