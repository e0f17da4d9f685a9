// The display copy's registers and the render-mode helpers.
#include <algorithm>

#include "console/gx/gx_copy.h"
#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"
#include "console/os.h"

using namespace console::gx;

void GXSetDispCopySrc(u16 left, u16 top, u16 width, u16 height) {
    LogCall("GXSetDispCopySrc", "%u, %u, %u, %u", left, top, width, height);
    DisplayCopy& copy = RasterStateCurrent().copy;
    copy.srcLeft = left;
    copy.srcTop = top;
    copy.srcWidth = width;
    copy.srcHeight = height;
}

void GXSetDispCopyDst(u16 width, u16 height) {
    LogCall("GXSetDispCopyDst", "%u, %u", width, height);
    RasterStateCurrent().copy.dstStride = width;
}

u32 GXSetDispCopyYScale(f32 yScale) {
    LogCall("GXSetDispCopyYScale", "%g", yScale);
    if (!(yScale >= 1.0f))
        OSPanic(__FILE_NAME__, __LINE__, "GXSetDispCopyYScale: the copy only scales up, not by %g\n", yScale);
    DisplayCopy& copy = RasterStateCurrent().copy;
    copy.yScale = yScale;
    return DisplayCopyLines(copy.srcHeight, yScale);
}

f32 GXGetYScaleFactor(u16 efbHeight, u16 xfbHeight) {
    if (efbHeight == 0)
        OSPanic(__FILE_NAME__, __LINE__, "GXGetYScaleFactor: no lines to scale\n");
    return f32(xfbHeight) / f32(efbHeight);
}

void GXSetCopyFilter(GXBool aa, const u8 samplePattern[12][2], GXBool vf, const u8 vfilter[7]) {
    LogCall("GXSetCopyFilter", "%u, %u", aa, vf);
    FrontState& front = FrontStateCurrent();
    front.copyAntiAlias = aa != GX_FALSE;
    if (samplePattern != nullptr)
        std::copy(&samplePattern[0][0], &samplePattern[0][0] + 24, &front.copySamplePattern[0][0]);
    DisplayCopy& copy = RasterStateCurrent().copy;
    copy.verticalFilter = vf != GX_FALSE && vfilter != nullptr;
    if (copy.verticalFilter)
        std::copy(vfilter, vfilter + 7, copy.filter);
}

void GXSetDispCopyGamma(GXGamma gamma) {
    LogCall("GXSetDispCopyGamma", "%u", gamma);
    FrontStateCurrent().copyGamma = gamma;
}

void GXSetCopyClear(GXColor clearColor, u32 clearZ) {
    LogCall("GXSetCopyClear", "{%u, %u, %u, %u}, 0x%06X", clearColor.r, clearColor.g, clearColor.b,
            clearColor.a, clearZ);
    DisplayCopy& copy = RasterStateCurrent().copy;
    copy.clearColor = Rgba8{clearColor.r, clearColor.g, clearColor.b, clearColor.a};
    copy.clearZ = clearZ & 0xFFFFFF;
}

// The embedded frame buffer loses as many lines as the external one, in its own
// scale; a single-field external buffer holds every other line.
void GXAdjustForOverscan(const GXRenderModeObj* rmin, GXRenderModeObj* rmout, u16 hor, u16 ver) {
    if (rmin->xfbHeight == 0)
        OSPanic(__FILE_NAME__, __LINE__, "GXAdjustForOverscan: a render mode without lines\n");
    const GXRenderModeObj in = *rmin;
    *rmout = in;
    rmout->fbWidth = u16(in.fbWidth - 2 * hor);
    rmout->efbHeight = u16(in.efbHeight - u32(ver) * 2 * in.efbHeight / in.xfbHeight);
    const bool singleField = in.xFBmode == VI_XFBMODE_SF && !in.field_rendering;
    rmout->xfbHeight = u16(in.xfbHeight - (singleField ? ver : 2 * ver));
    rmout->viWidth = u16(in.viWidth - 2 * hor);
    rmout->viHeight = u16(in.viHeight - 2 * ver);
    rmout->viXOrigin = u16(in.viXOrigin + hor);
    rmout->viYOrigin = u16(in.viYOrigin + ver);
}
