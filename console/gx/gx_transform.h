// The vertex stage, a primitive's vertices at a time: positions by the current
// position matrix and the projection into clip space first; then, for the
// vertices a drawn triangle uses, normals by the normal matrix, lighting and
// texture-coordinate generation.
#pragma once

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_texgen.h"
#include "console/gx/gx_vertex.h"

namespace console::gx {

// Everything the vertex stage reads of the registers, copied when a primitive
// is drawn: the vertices may be transformed after the registers have changed.
struct VertexPlan {
    Mtx posMtx;
    // Perspective x' = p0 x + p1 z, y' = p2 y + p3 z, w' = -z; orthographic
    // x' = p0 x + p1, y' = p2 y + p3, w' = 1; both z' = p4 z + p5.
    f32 projection[6];
    bool perspective;
    LightPlan lights;
    TexGenPlan texGens;
};

VertexPlan PlanVertices();

// Decodes `count` vertices of `data`; their clip positions go to out[i].pos.
void PositionVertices(const VertexPlan& plan, const VertexLayout& layout, const u8* data, u32 count,
                      EyeVertex* eye, RasterVertex* out);
// Colours and texture coordinates of the vertices `shade` marks, every one
// when it is null; the others keep what they had.
void ShadeVertices(const VertexPlan& plan, const EyeVertex* eye, const u8* shade, u32 count,
                   RasterVertex* out);

}  // namespace console::gx
