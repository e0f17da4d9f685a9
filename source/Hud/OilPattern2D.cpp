#include <algorithm>

#include "orblib47/source/DrawPrim.h"
#include "source/Hud/HudInternal.h"

namespace {

constexpr f32 kFullShade = 8.0f * 2048.0f;  // eight units of oil: the darkest shade
constexpr u32 kLaneWood = 0xC8A064FF;
constexpr u32 kOilRgb = 0x1840E000;  // alpha from the amount
constexpr u32 kEdge = 0xFFFFFFFF;

void PutCorner(f32 x, f32 y, u32 rgba) {
    s_draw_vertex v;
    DrawInitVertex(&v);
    v.coord = {x, y, 0.0f, 1.0f};
    v.color = rgba;
    DrawVertex(&v);
}

}  // namespace

// The oiled part of the lane seen from above, foul line at the bottom, board 1 on
// the left; each cell of the grid drawn over the wood as dark as its oil.
void CLaneManager::DrawOilPattern2D(f32 x, f32 y, f32 w, f32 h) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_ZBUF_MODE zMode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);

    HudFillRect(x, y, w, h, kLaneWood);
    const OilGrid grid = LaneOil();
    const f32 rowH = h / f32(OIL_ROWS);
    const f32 boardW = w / f32(OIL_BOARDS);
    DrawSetFlatColor(0xFFFFFFFF);
    DrawBegin(PRIM_QUAD);
    for (s32 row = 0; row < OIL_ROWS; ++row) {
        const f32 y1 = y + h - f32(row) * rowH;
        const f32 y0 = y1 - rowH;
        for (s32 board = 0; board < OIL_BOARDS; ++board) {
            const f32 shade = std::min(f32(grid[row][board]) / kFullShade, 1.0f);
            const u32 alpha = u32(shade * 255.0f + 0.5f);
            if (alpha == 0)
                continue;
            const f32 x0 = x + f32(board) * boardW;
            const f32 x1 = x0 + boardW;
            const u32 rgba = kOilRgb | alpha;
            PutCorner(x0, y0, rgba);
            PutCorner(x1, y0, rgba);
            PutCorner(x1, y1, rgba);
            PutCorner(x0, y1, rgba);
        }
    }
    DrawEnd();
    HudOutlineRect(x, y, w, h, kEdge);

    DrawSetCombineMode(combine);
    DrawSetZBufferMode(zMode);
    DrawSetProjection(projection);
}
