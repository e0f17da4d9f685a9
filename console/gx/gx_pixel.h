// The pixel engine: alpha compare, depth test and update, blending, logic ops,
// write masks and destination alpha, on the embedded frame buffer.
#pragma once

#include "console/gx/gx_efb.h"

namespace console::gx {

// A colour on its way to the buffer: B, G, R, A in 0..255, in the order of the
// packed word's bytes.
using Bgra = u32 __attribute__((vector_size(16)));

inline Bgra Unpack(u32 argb) {
    return Bgra{argb & 0xFF, (argb >> 8) & 0xFF, (argb >> 16) & 0xFF, argb >> 24};
}
inline u32 Pack(Bgra c) {
    return c[0] | c[1] << 8 | c[2] << 16 | c[3] << 24;
}
inline Bgra ToBgra(Rgba8 c) {
    return Bgra{c.b, c.g, c.r, c.a};
}
inline Rgba8 ToRgba8(Bgra c) {
    return {u8(c[2]), u8(c[1]), u8(c[0]), u8(c[3])};
}

struct PixelPlan {
    bool zCompare, zUpdate;
    Compare zFunc;
    // Depth before shading: as set, or whenever alpha compare cannot reject.
    bool earlyZ;
    bool alphaTest;  // alpha compare can reject
    Compare alphaComp0, alphaComp1;
    u8 alphaRef0, alphaRef1;
    AlphaOp alphaOp;
    BlendType blendType;
    BlendFactor blendSrc, blendDst;
    LogicOp logicOp;
    bool colorWrite;  // anything of the colour is written
    u32 keepMask;     // destination bits the write keeps
    bool dstAlphaEnable;
    u8 dstAlpha;
    PixelFormat format;
};

PixelPlan PlanPixels(const RasterState& state);

inline bool Passes(Compare func, u32 value, u32 ref) {
    switch (func) {
        case Compare::Never:
            return false;
        case Compare::Less:
            return value < ref;
        case Compare::Equal:
            return value == ref;
        case Compare::LEqual:
            return value <= ref;
        case Compare::Greater:
            return value > ref;
        case Compare::NEqual:
            return value != ref;
        case Compare::GEqual:
            return value >= ref;
        default:
            return true;
    }
}

inline bool AlphaPasses(const PixelPlan& p, u32 alpha) {
    const bool a = Passes(p.alphaComp0, alpha, p.alphaRef0);
    const bool b = Passes(p.alphaComp1, alpha, p.alphaRef1);
    switch (p.alphaOp) {
        case AlphaOp::And:
            return a && b;
        case AlphaOp::Or:
            return a || b;
        case AlphaOp::Xor:
            return a != b;
        default:
            return a == b;
    }
}

// Per channel; `other` is the colour of the other side.
inline Bgra BlendFactors(BlendFactor f, Bgra other, u32 srcAlpha, u32 dstAlpha) {
    const Bgra full = Bgra{} + 255;
    switch (f) {
        case BlendFactor::Zero:
            return Bgra{};
        case BlendFactor::One:
            return full;
        case BlendFactor::SrcClr:
            return other;
        case BlendFactor::InvSrcClr:
            return full - other;
        case BlendFactor::SrcAlpha:
            return Bgra{} + srcAlpha;
        case BlendFactor::InvSrcAlpha:
            return full - srcAlpha;
        case BlendFactor::DstAlpha:
            return Bgra{} + dstAlpha;
        default:
            return full - dstAlpha;
    }
}

u32 LogicColor(LogicOp op, Bgra src, u32 dst);

// The blended colour (0xAARRGGBB) before the write mask.
inline u32 BlendColor(const PixelPlan& p, Bgra src, u32 dst) {
    switch (p.blendType) {
        case BlendType::Blend: {
            const Bgra d = Unpack(dst);
            const Bgra sum = src * BlendFactors(p.blendSrc, d, src[3], d[3]) +
                             d * BlendFactors(p.blendDst, src, src[3], d[3]);
            // (sum + 127) / 255, exact up to the clamp.
            const Bgra v = ((sum + 127) * 0x8081u) >> 23;
            return Pack(v > 255 ? 255 : v);
        }
        case BlendType::Subtract: {
            const Bgra d = Unpack(dst);
            return Pack(d > src ? d - src : 0);
        }
        case BlendType::Logic:
            return LogicColor(p.logicOp, src, dst);
        default:
            return Pack(src);
    }
}

}  // namespace console::gx
