// The vertex transform: position by the current position matrix and the
// projection into clip space, normal by the normal matrix, then lighting and
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

RasterVertex TransformVertex(const DecodedVertex& v);

}  // namespace console::gx
