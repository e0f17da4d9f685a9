#include "console/gx/gx_lighting.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/os.h"

namespace console::gx {
namespace {

// Channel ids to the controls they set: COLORn, ALPHAn or both.
struct ChanParts {
    u32 channel;
    bool color, alpha;
};

ChanParts PartsOf(GXChannelID chan, const char* call) {
    switch (chan) {
        case GX_COLOR0:
        case GX_COLOR1:
            return {chan, true, false};
        case GX_ALPHA0:
        case GX_ALPHA1:
            return {u32(chan - GX_ALPHA0), false, true};
        case GX_COLOR0A0:
        case GX_COLOR1A1:
            return {u32(chan - GX_COLOR0A0), true, true};
        default:
            OSPanic(__FILE_NAME__, __LINE__, "%s: unknown channel %u\n", call, chan);
    }
}

void SetChanColor(GXColor* target, GXChannelID chan, GXColor color, const char* call) {
    LogCall(call, "%u, {%u, %u, %u, %u}", chan, color.r, color.g, color.b, color.a);
    const ChanParts parts = PartsOf(chan, call);
    GXColor& c = target[parts.channel];
    if (parts.color) {
        c.r = color.r;
        c.g = color.g;
        c.b = color.b;
    }
    if (parts.alpha)
        c.a = color.a;
}

}  // namespace
}  // namespace console::gx

using namespace console::gx;

void GXSetNumChans(u8 nChans) {
    LogCall("GXSetNumChans", "%u", nChans);
    if (nChans > 2)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetNumChans: %u channels\n", nChans);
    RasterStateCurrent().numChans = nChans;
}

void GXSetChanCtrl(GXChannelID chan, GXBool enable, GXColorSrc ambSrc, GXColorSrc matSrc, u32 lightMask,
                   GXDiffuseFn diffFn, GXAttnFn attnFn) {
    LogCall("GXSetChanCtrl", "%u, %u, %u, %u, 0x%02X, %u, %u", chan, enable, ambSrc, matSrc, lightMask,
            diffFn, attnFn);
    const ChanParts parts = PartsOf(chan, "GXSetChanCtrl");
    const ChanCtrl ctrl{enable != GX_FALSE, ambSrc, matSrc, u8(lightMask), diffFn, attnFn};
    ChanCtrl* ctrls = FrontStateCurrent().chanCtrl;
    if (parts.color)
        ctrls[parts.channel] = ctrl;
    if (parts.alpha)
        ctrls[2 + parts.channel] = ctrl;
}

void GXSetChanAmbColor(GXChannelID chan, GXColor color) {
    SetChanColor(FrontStateCurrent().ambColor, chan, color, "GXSetChanAmbColor");
}

void GXSetChanMatColor(GXChannelID chan, GXColor color) {
    SetChanColor(FrontStateCurrent().matColor, chan, color, "GXSetChanMatColor");
}

void GXLoadLightObjImm(const GXLightObj* light, GXLightID id) {
    LogCall("GXLoadLightObjImm", "0x%02X", id);
    if (light == nullptr || id == 0 || (id & (id - 1)) != 0)
        OSPanic(__FILE_NAME__, __LINE__, "GXLoadLightObjImm: no light object or light id 0x%02X\n", id);
    FrontStateCurrent().lights[std::countr_zero(u32(id))] = *light;
}
