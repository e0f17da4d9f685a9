#include "console/gx/gx_tev.h"

#include "console/gx.h"

namespace console::gx {

namespace {

struct Rgba {
    int r, g, b, a;
};

bool Identity(const SwapTable& t) {
    return t.r == 0 && t.g == 1 && t.b == 2 && t.a == 3;
}

bool Plain(const TevCombiner& c) {
    return c.op == TevOp::Add && c.bias == TevBias::Zero && c.scale == TevScale::Scale1 &&
           c.out == TevReg::Prev;
}

bool Op(const TevCombiner& c, TevOp op, TevScale scale, bool clamp) {
    return c.op == op && c.bias == TevBias::Zero && c.scale == scale && c.clamp == clamp &&
           c.out == TevReg::Prev;
}

bool Inputs(const TevCombiner& c, TevColorArg a, TevColorArg b, TevColorArg cc, TevColorArg d) {
    return c.in[0] == u8(a) && c.in[1] == u8(b) && c.in[2] == u8(cc) && c.in[3] == u8(d);
}

bool Inputs(const TevCombiner& c, TevAlphaArg a, TevAlphaArg b, TevAlphaArg cc, TevAlphaArg d) {
    return c.in[0] == u8(a) && c.in[1] == u8(b) && c.in[2] == u8(cc) && c.in[3] == u8(d);
}

Rgba8 Swap(Rgba8 c, const SwapTable& t) {
    const u8 ch[4] = {c.r, c.g, c.b, c.a};
    return {ch[t.r & 3], ch[t.g & 3], ch[t.b & 3], ch[t.a & 3]};
}

// The konst fractions 8/8 .. 1/8 as bytes.
constexpr u8 kFractions[8] = {255, 223, 191, 159, 128, 96, 64, 32};

u8 Channel(Rgba8 c, u32 i) {
    const u8 ch[4] = {c.r, c.g, c.b, c.a};
    return ch[i & 3];
}

Rgba8 KonstColor(const RasterState& s, TevKSel sel) {
    if (sel < 8)
        return {kFractions[sel], kFractions[sel], kFractions[sel], kFractions[sel]};
    if (sel >= kTevKSelK0 && sel < kTevKSelK0R)
        return s.konst[sel - kTevKSelK0];
    if (sel >= kTevKSelK0R && sel < kTevKSelK0R + 16) {
        const u8 v = Channel(s.konst[(sel - kTevKSelK0R) & 3], (sel - kTevKSelK0R) >> 2);
        return {v, v, v, v};
    }
    return {};
}

u8 KonstAlpha(const RasterState& s, TevKSel sel) {
    if (sel < 8)
        return kFractions[sel];
    if (sel >= kTevKSelK0R && sel < kTevKSelK0R + 16)
        return Channel(s.konst[(sel - kTevKSelK0R) & 3], (sel - kTevKSelK0R) >> 2);
    return 0;
}

// d +/- lerp(a, b, c) + bias, scaled and clamped; a, b and c use their low 8 bits.
int Combine(const TevCombiner& op, int a, int b, int c, int d) {
    a &= 0xFF;
    b &= 0xFF;
    c &= 0xFF;
    const int lerp = (a * (255 - c) + b * c + 127) / 255;
    int v = op.op == TevOp::Sub ? d - lerp : d + lerp;
    v += op.bias == TevBias::AddHalf ? 128 : op.bias == TevBias::SubHalf ? -128 : 0;
    switch (op.scale) {
        case TevScale::Scale2:
            v *= 2;
            break;
        case TevScale::Scale4:
            v *= 4;
            break;
        case TevScale::Divide2:
            v >>= 1;
            break;
        default:
            break;
    }
    const int lo = op.clamp ? 0 : -1024;
    const int hi = op.clamp ? 255 : 1023;
    return v < lo ? lo : v > hi ? hi : v;
}

struct StageInputs {
    const Rgba* regs;  // prev, reg0..2
    Rgba8 tex, ras, konst;
    u8 konstAlpha;
};

Rgba ColorArg(const StageInputs& in, u8 arg) {
    auto spread = [](int v) { return Rgba{v, v, v, v}; };
    const auto wide = [](Rgba8 c) { return Rgba{c.r, c.g, c.b, c.a}; };
    switch (TevColorArg(arg)) {
        case TevColorArg::CPrev:
            return in.regs[0];
        case TevColorArg::APrev:
            return spread(in.regs[0].a);
        case TevColorArg::C0:
            return in.regs[1];
        case TevColorArg::A0:
            return spread(in.regs[1].a);
        case TevColorArg::C1:
            return in.regs[2];
        case TevColorArg::A1:
            return spread(in.regs[2].a);
        case TevColorArg::C2:
            return in.regs[3];
        case TevColorArg::A2:
            return spread(in.regs[3].a);
        case TevColorArg::TexC:
            return wide(in.tex);
        case TevColorArg::TexA:
            return spread(in.tex.a);
        case TevColorArg::RasC:
            return wide(in.ras);
        case TevColorArg::RasA:
            return spread(in.ras.a);
        case TevColorArg::One:
            return spread(255);
        case TevColorArg::Half:
            return spread(128);
        case TevColorArg::Konst:
            return wide(in.konst);
        default:
            return spread(0);
    }
}

int AlphaArg(const StageInputs& in, u8 arg) {
    switch (TevAlphaArg(arg)) {
        case TevAlphaArg::APrev:
            return in.regs[0].a;
        case TevAlphaArg::A0:
            return in.regs[1].a;
        case TevAlphaArg::A1:
            return in.regs[2].a;
        case TevAlphaArg::A2:
            return in.regs[3].a;
        case TevAlphaArg::TexA:
            return in.tex.a;
        case TevAlphaArg::RasA:
            return in.ras.a;
        case TevAlphaArg::Konst:
            return in.konstAlpha;
        default:
            return 0;
    }
}

bool ReadsCoord(const RasterState& state, u8 texCoord) {
    return texCoord < state.numTexGens && texCoord < kMaxTexCoords;
}

// Two stages: a textured one x the rasterised colour, then a second texture x
// the first's result.
bool ModulatesTwice(const RasterState& state) {
    using C = TevColorArg;
    using A = TevAlphaArg;
    const TevStage &s0 = state.tevStages[0], &s1 = state.tevStages[1];
    return state.numTevStages == 2 && state.sampler != nullptr && TevChannel(state, s0) >= 0 &&
           s0.texMap < GX_MAX_TEXMAP && s1.texMap < GX_MAX_TEXMAP && Plain(s0.color) && Plain(s0.alpha) &&
           Plain(s1.color) && Plain(s1.alpha) && Inputs(s0.color, C::Zero, C::TexC, C::RasC, C::Zero) &&
           Inputs(s0.alpha, A::Zero, A::TexA, A::RasA, A::Zero) &&
           Inputs(s1.color, C::Zero, C::TexC, C::CPrev, C::Zero) &&
           Inputs(s1.alpha, A::Zero, A::TexA, A::APrev, A::Zero) &&
           Identity(state.swapTables[s0.rasSwap & 3]) && Identity(state.swapTables[s0.texSwap & 3]);
}

// Four stages: prev = C0 + tex x konst (alpha A0 - texA x konst), prev = 2 (prev
// + tex x konst) (alpha prev - texA x konst), both unclamped; prev + tex clamped;
// then lerp(alpha, colour, konst), alpha zero.
bool ConvertsYuv(const RasterState& state) {
    using C = TevColorArg;
    using A = TevAlphaArg;
    const TevStage* s = state.tevStages;
    for (u32 i = 0; i < 3; ++i)
        if (s[i].texMap >= GX_MAX_TEXMAP || !Identity(state.swapTables[s[i].texSwap & 3]))
            return false;
    return state.numTevStages == 4 && Op(s[0].color, TevOp::Add, TevScale::Scale1, false) &&
           Op(s[0].alpha, TevOp::Sub, TevScale::Scale1, false) &&
           Inputs(s[0].color, C::Zero, C::TexC, C::Konst, C::C0) &&
           Inputs(s[0].alpha, A::Zero, A::TexA, A::Konst, A::A0) &&
           Op(s[1].color, TevOp::Add, TevScale::Scale2, false) &&
           Op(s[1].alpha, TevOp::Sub, TevScale::Scale1, false) &&
           Inputs(s[1].color, C::Zero, C::TexC, C::Konst, C::CPrev) &&
           Inputs(s[1].alpha, A::Zero, A::TexA, A::Konst, A::APrev) &&
           Op(s[2].color, TevOp::Add, TevScale::Scale1, true) &&
           Op(s[2].alpha, TevOp::Add, TevScale::Scale1, true) &&
           Inputs(s[2].color, C::Zero, C::TexC, C::One, C::CPrev) &&
           Inputs(s[2].alpha, A::TexA, A::Zero, A::Zero, A::APrev) &&
           Op(s[3].color, TevOp::Add, TevScale::Scale1, true) &&
           Op(s[3].alpha, TevOp::Add, TevScale::Scale1, true) &&
           Inputs(s[3].color, C::APrev, C::CPrev, C::Konst, C::Zero) &&
           Inputs(s[3].alpha, A::Zero, A::Zero, A::Zero, A::Zero);
}

}  // namespace

TevYuvInputs YuvInputs(const RasterState& state) {
    const Rgba16& base = state.tevRegs[u8(TevReg::Reg0)];
    TevYuvInputs in{{base.r, base.g, base.b, base.a}, {}};
    for (u32 i = 0; i < 3; ++i) {
        const TevStage& stage = state.tevStages[i == 2 ? 3 : i];
        const Rgba8 k = KonstColor(state, stage.kColorSel);
        in.konst[i][0] = k.r;
        in.konst[i][1] = k.g;
        in.konst[i][2] = k.b;
        in.konst[i][3] = KonstAlpha(state, stage.kAlphaSel);
    }
    return in;
}

int TevChannel(const RasterState& state, const TevStage& stage) {
    const int channel = stage.channel <= 5 ? stage.channel & 1 : -1;
    return channel < state.numChans ? channel : -1;
}

TevPlan PlanTev(const RasterState& state) {
    TevPlan plan{TevKind::General, 0, kTevNull, kTevNull, 0, kTevNull, kTevNull, {}};
    const u32 stages = state.numTevStages < 1 ? 1 : state.numTevStages > 16 ? 16 : state.numTevStages;
    for (u32 i = 0; i < stages; ++i) {
        const TevStage& stage = state.tevStages[i];
        const int channel = TevChannel(state, stage);
        if (channel >= 0)
            plan.attrs |= channel == 0 ? kAttrMaskColor0 : kAttrMaskColor1;
        if (state.sampler != nullptr && stage.texMap != kTevNull && stage.texCoord < state.numTexGens &&
            stage.texCoord < kMaxTexCoords)
            plan.attrs |= AttrMaskTexCoord(stage.texCoord);
    }
    const TevStage& s0 = state.tevStages[0];
    const int channel = TevChannel(state, s0);
    if (ModulatesTwice(state)) {
        const TevStage& s1 = state.tevStages[1];
        plan.kind = TevKind::ModulateTwice;
        plan.channel = u8(channel);
        plan.texMap = s0.texMap;
        plan.texCoord = ReadsCoord(state, s0.texCoord) ? s0.texCoord : kTevNull;
        plan.texMap2 = s1.texMap;
        plan.texCoord2 = ReadsCoord(state, s1.texCoord) ? s1.texCoord : kTevNull;
        plan.swap2 = state.swapTables[s1.texSwap & 3];
        return plan;
    }
    if (ConvertsYuv(state)) {
        const TevStage* s = state.tevStages;
        plan.kind = TevKind::Yuv;
        plan.texMap = s[0].texMap;
        plan.texCoord = ReadsCoord(state, s[0].texCoord) ? s[0].texCoord : kTevNull;
        plan.texMap2 = s[1].texMap;
        plan.texCoord2 = ReadsCoord(state, s[1].texCoord) ? s[1].texCoord : kTevNull;
        plan.texMap3 = s[2].texMap;
        plan.texCoord3 = ReadsCoord(state, s[2].texCoord) ? s[2].texCoord : kTevNull;
        return plan;
    }
    if (stages != 1 || channel < 0 || !Plain(s0.color) || !Plain(s0.alpha) ||
        !Identity(state.swapTables[s0.rasSwap & 3]))
        return plan;
    plan.channel = u8(channel);
    using C = TevColorArg;
    using A = TevAlphaArg;
    if (Inputs(s0.color, C::Zero, C::Zero, C::Zero, C::RasC) &&
        Inputs(s0.alpha, A::Zero, A::Zero, A::Zero, A::RasA)) {
        plan.kind = TevKind::Raster;
    } else if (Inputs(s0.color, C::Zero, C::TexC, C::RasC, C::Zero) &&
               Inputs(s0.alpha, A::Zero, A::TexA, A::RasA, A::Zero) &&
               Identity(state.swapTables[s0.texSwap & 3])) {
        // Without a sampler the texture is white and the stage passes the colour.
        plan.kind = state.sampler == nullptr ? TevKind::Raster : TevKind::Modulate;
        plan.texMap = s0.texMap;
        plan.texCoord = (plan.attrs & AttrMaskTexCoord(s0.texCoord & 7)) != 0 ? s0.texCoord : kTevNull;
    }
    return plan;
}

Rgba8 TevCombine(const RasterState& state, const Rgba8 ras[2], const TexCoordSample coords[kMaxTexCoords]) {
    Rgba regs[4];
    for (int i = 0; i < 4; ++i)
        regs[i] = {state.tevRegs[i].r, state.tevRegs[i].g, state.tevRegs[i].b, state.tevRegs[i].a};
    const u32 stages = state.numTevStages < 1 ? 1 : state.numTevStages > 16 ? 16 : state.numTevStages;
    for (u32 i = 0; i < stages; ++i) {
        const TevStage& stage = state.tevStages[i];
        const int channel = TevChannel(state, stage);
        StageInputs in{regs,
                       {255, 255, 255, 255},
                       {},
                       KonstColor(state, stage.kColorSel),
                       KonstAlpha(state, stage.kAlphaSel)};
        in.ras = Swap(channel >= 0 ? ras[channel] : Rgba8{}, state.swapTables[stage.rasSwap & 3]);
        if (stage.texMap != kTevNull) {
            const bool hasCoord = stage.texCoord < state.numTexGens && stage.texCoord < kMaxTexCoords;
            const TexCoordSample origin{};
            in.tex = Swap(TevSample(state, stage.texMap, hasCoord ? coords[stage.texCoord] : origin),
                          state.swapTables[stage.texSwap & 3]);
        }
        const TevCombiner& co = stage.color;
        const Rgba a = ColorArg(in, co.in[0]), b = ColorArg(in, co.in[1]);
        const Rgba c = ColorArg(in, co.in[2]), d = ColorArg(in, co.in[3]);
        const TevCombiner& ao = stage.alpha;
        Rgba out{Combine(co, a.r, b.r, c.r, d.r), Combine(co, a.g, b.g, c.g, d.g),
                 Combine(co, a.b, b.b, c.b, d.b),
                 Combine(ao, AlphaArg(in, ao.in[0]), AlphaArg(in, ao.in[1]), AlphaArg(in, ao.in[2]),
                         AlphaArg(in, ao.in[3]))};
        Rgba& colorOut = regs[u8(co.out) & 3];
        colorOut.r = out.r;
        colorOut.g = out.g;
        colorOut.b = out.b;
        regs[u8(ao.out) & 3].a = out.a;
    }
    auto byte = [](int v) { return u8(v < 0 ? 0 : v > 255 ? 255 : v); };
    return {byte(regs[0].r), byte(regs[0].g), byte(regs[0].b), byte(regs[0].a)};
}

}  // namespace console::gx
