// The vertex stage, a primitive's vertices at a time: positions by the current
// position matrix and the projection into clip space first; then, for the
// vertices a drawn triangle uses, normals by the normal matrix, lighting and
// texture-coordinate generation.
#pragma once

#include "console/gx/gx_raster.h"
#include "console/gx/gx_vertex.h"

namespace console::gx {

// out = m (x, y, z, 1).
inline void MulPoint(const Mtx m, const f32 in[3], f32 out[3]) {
    for (int r = 0; r < 3; ++r)
        out[r] = m[r][0] * in[0] + m[r][1] * in[1] + m[r][2] * in[2] + m[r][3];
}

// What the first stage keeps of a vertex for the second.
struct EyeVertex {
    DecodedVertex decoded;
    f32 eye[3];  // view space
};

// Decodes `count` vertices of `data`; their clip positions go to out[i].pos.
void PositionVertices(const VertexLayout& layout, const u8* data, u32 count, EyeVertex* eye,
                      RasterVertex* out);
// Colours and texture coordinates of the vertices `shade` marks, every one
// when it is null; the others keep what they had.
void ShadeVertices(const EyeVertex* eye, const u8* shade, u32 count, RasterVertex* out);

}  // namespace console::gx
