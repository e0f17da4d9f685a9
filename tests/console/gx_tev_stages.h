// TEV stages the rasteriser's tests and benchmarks share.
#pragma once

#include "console/gx/gx_raster.h"

namespace gxtest {

// The first stage: texture map 0 through coordinate 0, times the rasterised colour.
inline void ModulateMap0Stage(console::gx::RasterState& s) {
    using namespace console::gx;
    s.numTexGens = 1;
    TevStage& t = s.tevStages[0];
    t.texCoord = 0;
    t.texMap = 0;
    t.color.in[0] = u8(TevColorArg::Zero);
    t.color.in[1] = u8(TevColorArg::TexC);
    t.color.in[2] = u8(TevColorArg::RasC);
    t.color.in[3] = u8(TevColorArg::Zero);
    t.alpha.in[0] = u8(TevAlphaArg::Zero);
    t.alpha.in[1] = u8(TevAlphaArg::TexA);
    t.alpha.in[2] = u8(TevAlphaArg::RasA);
    t.alpha.in[3] = u8(TevAlphaArg::Zero);
}

// Map 0 times the rasterised colour, unculled, reading the texture maps as
// they are loaded now.
inline console::gx::RasterState ModulateMap0() {
    using namespace console::gx;
    RasterState s;
    s.cull = Cull::None;
    const RasterState& current = RasterStateCurrent();
    s.sampler = current.sampler;
    s.viewer = current.viewer;
    s.capture = current.capture;
    s.texturesReady = current.texturesReady;
    s.samplerContext = current.samplerContext;
    ModulateMap0Stage(s);
    return s;
}

}  // namespace gxtest
