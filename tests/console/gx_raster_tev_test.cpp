// The texture environment: registers, konst colours, swap tables, ops and the
// texture hook, and the fast paths agreeing with the general combiner.
#include <atomic>

#include "tests/console/gx_raster_support.h"

namespace gxtest {
namespace {

using C = TevColorArg;
using A = TevAlphaArg;

TevCombiner Combiner(std::initializer_list<u8> in, TevOp op, TevBias bias, TevScale scale, bool clamp,
                     TevReg out) {
    TevCombiner c;
    std::copy(in.begin(), in.end(), c.in);
    c.op = op;
    c.bias = bias;
    c.scale = scale;
    c.clamp = clamp;
    c.out = out;
    return c;
}

TEST_F(GXRasterTest, StagesChainThroughRegistersKonstAndSwaps) {
    state.numTevStages = 2;
    state.tevRegs[1] = {100, 50, 20, 255};
    state.konst[0] = {10, 20, 30, 40};
    state.swapTables[1] = {2, 1, 0, 3};
    TevStage& s0 = state.tevStages[0];
    s0.kColorSel = kTevKSelK0;
    s0.color = Combiner({u8(C::C0), u8(C::Konst), u8(C::Half), u8(C::Zero)}, TevOp::Add, TevBias::Zero,
                        TevScale::Scale2, false, TevReg::Reg1);
    s0.alpha = Combiner({u8(A::Zero), u8(A::Zero), u8(A::Zero), u8(A::A0)}, TevOp::Add, TevBias::Zero,
                        TevScale::Scale1, true, TevReg::Prev);
    TevStage& s1 = state.tevStages[1];
    s1.rasSwap = 1;
    s1.kAlphaSel = kTevKSelK0R + 4 * 3;  // alpha of konst 0
    s1.color = Combiner({u8(C::Zero), u8(C::RasC), u8(C::One), u8(C::C1)}, TevOp::Sub, TevBias::AddHalf,
                        TevScale::Divide2, true, TevReg::Prev);
    s1.alpha = Combiner({u8(A::Zero), u8(A::Zero), u8(A::Zero), u8(A::Konst)}, TevOp::Add, TevBias::Zero,
                        TevScale::Scale1, true, TevReg::Prev);
    state.alphaUpdate = true;
    state.pixelFormat = PixelFormat::RGBA6_Z24;
    FillRect(state, 0, 0, 4, 4, 0x0A141EFF);  // swapped to (30, 20, 10)
    // (reg0 lerp konst by half) x 2 = (110, 70, 50); minus ras, plus half, halved.
    EXPECT_EQ(HostEFBColor(1, 1), EfbStoredColor(PixelFormat::RGBA6_Z24, 0x28685954u));
}

// Returns s and t as red and green, and counts its calls (from any pixel thread).
std::atomic<int> s_samples = 0;
Rgba8 CoordSampler(void*, u32 texMap, const TexCoordSample& c) {
    ++s_samples;
    return {u8(c.s * 255.0f), u8(c.t * 255.0f), u8(texMap), 255};
}

TEST_F(GXRasterTest, TextureHookFeedsFastAndGeneralPathsAlike) {
    state.numTexGens = 1;
    TevStage& s0 = state.tevStages[0];
    s0.texCoord = 0;
    s0.texMap = 3;
    s0.color = Combiner({u8(C::Zero), u8(C::TexC), u8(C::RasC), u8(C::Zero)}, TevOp::Add, TevBias::Zero,
                        TevScale::Scale1, true, TevReg::Prev);
    s0.alpha = Combiner({u8(A::Zero), u8(A::TexA), u8(A::RasA), u8(A::Zero)}, TevOp::Add, TevBias::Zero,
                        TevScale::Scale1, true, TevReg::Prev);
    auto draw = [&](u32 row) {
        RasterVertex v[3] = {At(0, float(row)), At(256, float(row)), At(0, float(row) + 4)};
        v[1].tex[0][0] = 1.0f;
        v[2].tex[0][1] = 1.0f / 64;
        for (RasterVertex& p : v)
            p.tex[0][2] = 1.0f;
        RasterTriangle(state, v[0], v[1], v[2]);
    };
    draw(0);  // no sampler: white texture
    EXPECT_EQ(HostEFBColor(100, 1), 0xFFFFFFFFu);

    state.sampler = CoordSampler;
    draw(8);
    EXPECT_EQ(HostEFBColor(127, 8), 0xFF7F0003u);
    const u32 fast = HostEFBColor(40, 9);
    state.numTevStages = 2;  // a second stage that passes the first's colour forces the general path
    state.tevStages[1].color = Combiner({u8(C::Zero), u8(C::Zero), u8(C::Zero), u8(C::CPrev)}, TevOp::Add,
                                        TevBias::Zero, TevScale::Scale1, true, TevReg::Prev);
    state.tevStages[1].alpha = Combiner({u8(A::Zero), u8(A::Zero), u8(A::Zero), u8(A::APrev)}, TevOp::Add,
                                        TevBias::Zero, TevScale::Scale1, true, TevReg::Prev);
    s_samples = 0;
    draw(16);
    EXPECT_EQ(HostEFBColor(40, 17), fast);
    EXPECT_GT(s_samples, 0);
}

}  // namespace
}  // namespace gxtest
