#include "console/gx/gx_pixel.h"

#include <initializer_list>

namespace console::gx {

namespace {

u8 Logic(LogicOp op, u8 s, u8 d) {
    switch (op) {
        case LogicOp::Clear:
            return 0;
        case LogicOp::And:
            return s & d;
        case LogicOp::RevAnd:
            return s & ~d;
        case LogicOp::Copy:
            return s;
        case LogicOp::InvAnd:
            return ~s & d;
        case LogicOp::NoOp:
            return d;
        case LogicOp::Xor:
            return s ^ d;
        case LogicOp::Or:
            return s | d;
        case LogicOp::Nor:
            return ~(s | d);
        case LogicOp::Equiv:
            return ~(s ^ d);
        case LogicOp::Inv:
            return ~d;
        case LogicOp::RevOr:
            return s | ~d;
        case LogicOp::InvCopy:
            return ~s;
        case LogicOp::InvOr:
            return ~s | d;
        case LogicOp::Nand:
            return ~(s & d);
        default:
            return 0xFF;
    }
}

}  // namespace

PixelPlan PlanPixels(const RasterState& s) {
    PixelPlan p{};
    p.zCompare = s.zCompare;
    p.zUpdate = s.zCompare && s.zUpdate;
    p.zFunc = s.zFunc;
    p.alphaComp0 = s.alphaComp0;
    p.alphaComp1 = s.alphaComp1;
    p.alphaRef0 = s.alphaRef0;
    p.alphaRef1 = s.alphaRef1;
    p.alphaOp = s.alphaOp;
    // Alpha compare cannot reject when it passes for every alpha; each
    // comparison changes its answer only next to its reference.
    p.alphaTest = false;
    for (int ref : {int(s.alphaRef0), int(s.alphaRef1)})
        for (int a : {0, ref - 1, ref, ref + 1, 255})
            p.alphaTest = p.alphaTest || (a >= 0 && a <= 255 && !AlphaPasses(p, u8(a)));
    p.earlyZ = s.zCompBeforeTex || !p.alphaTest;
    p.blendType = s.blendType;
    p.blendSrc = s.blendSrc;
    p.blendDst = s.blendDst;
    p.logicOp = s.logicOp;
    const u32 written = (s.colorUpdate ? 0x00FFFFFFu : 0u) | (s.alphaUpdate ? 0xFF000000u : 0u);
    p.colorWrite = written != 0;
    p.keepMask = ~written;
    p.dstAlphaEnable = s.dstAlphaEnable;
    p.dstAlpha = s.dstAlpha;
    p.format = s.pixelFormat;
    return p;
}

u32 LogicColor(LogicOp op, Bgra src, u32 dst) {
    const Bgra d = Unpack(dst);
    Bgra out;
    for (int i = 0; i < 4; ++i)
        out[i] = Logic(op, u8(src[i]), u8(d[i]));
    return Pack(out);
}

}  // namespace console::gx
