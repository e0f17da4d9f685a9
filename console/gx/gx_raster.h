// Where the front half of the pipeline hands over primitives: vertices already
// transformed to clip space, lit and with their texture coordinates generated.
// Only triangles, lines and points arrive here; strips, fans, quads and line
// strips are taken apart before.
//
// Clip space is the hardware's: x and y in [-w, w], z in [-w, 0] (z/w = -1 at
// the near plane, 0 at the far plane). Everything is clipped to that volume and
// to the scissor before a pixel is written.
#pragma once

#include "console/gx/gx_raster_state.h"

namespace console::gx {

constexpr u32 kMaxTexCoords = 8;

struct DrawSnapshot;

struct RasterVertex {
    float pos[4] = {0, 0, 0, 1};       // clip-space x, y, z, w
    float color[2][4] = {};            // channels 0 and 1, RGBA in 0..1
    float tex[kMaxTexCoords][3] = {};  // s, t, q
};

// The one state record the GX calls write and the copies read.
RasterState& RasterStateCurrent();

// Drawn with `state` as it is now, worked out on the program's thread: for
// tests and benchmarks that draw without the vertex stage.
void RasterTriangle(const RasterState& state, const RasterVertex& v0, const RasterVertex& v1,
                    const RasterVertex& v2);
void RasterTriangles(const RasterState& state, const RasterVertex* vertices, u32 vertexCount,
                     const u32* indexes, u32 indexCount);
// Width and size in sixths of a pixel, as GXSetLineWidth and GXSetPointSize take them.
void RasterLine(const RasterState& state, const RasterVertex& v0, const RasterVertex& v1, u8 widthSixths);
void RasterPoint(const RasterState& state, const RasterVertex& v, u8 sizeSixths);

// The same by the thread that works out a record, with its queued state.
//
// Triangles sharing one array of vertices, three indexes each, drawn in order:
// a shared vertex is tested against the clip volume and projected only once.
// `afterVerticesDrawn`: the last VerticesDrawn call was given these same vertex
// positions and indexes, and what it found of them is used again.
void RasterTriangles(const DrawSnapshot& snapshot, const RasterVertex* vertices, u32 vertexCount,
                     const u32* indexes, u32 indexCount, bool afterVerticesDrawn = false);
void RasterLine(const DrawSnapshot& snapshot, const RasterVertex& v0, const RasterVertex& v1, u8 widthSixths);
void RasterPoint(const DrawSnapshot& snapshot, const RasterVertex& v, u8 sizeSixths);
// Per vertex 1 when a triangle that may be drawn uses it, else 0: a triangle
// wholly outside one plane of the clip volume, or inside it and culled or
// without area, is not. Valid until the next call.
const u8* VerticesDrawn(const RasterState& state, const RasterVertex* vertices, u32 vertexCount,
                        const u32* indexes, u32 indexCount);

}  // namespace console::gx
