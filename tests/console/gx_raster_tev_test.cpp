// The texture environment: registers, konst colours, swap tables, ops and the
// texture hook, and the fast paths agreeing with the general combiner.
#include <atomic>
#include <set>
#include <vector>

#include "console/gx/gx_tev.h"
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

// Texels that differ from map to map and pixel to pixel, every channel over 0..255.
Rgba8 NoiseSampler(void*, u32 texMap, const TexCoordSample& c) {
    u32 h = (texMap + 1) * 2654435761u ^ u32(c.s * 1024.0f) * 40503u ^ u32(c.t * 1024.0f) * 2246822519u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return {u8(h), u8(h >> 8), u8(h >> 16), u8(h >> 24)};
}

// The movie's four colour-conversion stages, with its register and konst
// colours given: the fast path against the general one, pixel by pixel.
TEST_F(GXRasterTest, YuvStagesMatchTheGeneralCombiner) {
    struct Row {
        Rgba16 base;
        Rgba8 konst[3];
    };
    const Row rows[] = {
        {{-90, 0, -114, 135}, {{0x00, 0x00, 0xE2, 0x58}, {0xB3, 0x00, 0x00, 0xB6}, {0xFF, 0x00, 0xFF, 0x80}}},
        {{0, 0, 0, 0}, {{255, 255, 255, 255}, {255, 255, 255, 255}, {0, 128, 255, 7}}},
        {{-1024, 1023, 300, -300}, {{17, 200, 99, 3}, {250, 1, 128, 254}, {77, 180, 33, 0}}},
        {{900, -900, 5, 1000}, {{128, 64, 32, 16}, {8, 4, 2, 1}, {200, 100, 50, 25}}},
    };
    state.sampler = NoiseSampler;
    state.numTexGens = 2;
    auto stage = [&](u32 i, u8 coord, u8 map, std::initializer_list<u8> color, TevOp colorOp, TevScale scale,
                     bool clamp, std::initializer_list<u8> alpha, TevOp alphaOp) {
        TevStage& s = state.tevStages[i];
        s.texCoord = coord;
        s.texMap = map;
        s.color = Combiner(color, colorOp, TevBias::Zero, scale, clamp, TevReg::Prev);
        s.alpha = Combiner(alpha, alphaOp, TevBias::Zero, TevScale::Scale1, clamp, TevReg::Prev);
    };
    stage(0, 1, 1, {u8(C::Zero), u8(C::TexC), u8(C::Konst), u8(C::C0)}, TevOp::Add, TevScale::Scale1, false,
          {u8(A::Zero), u8(A::TexA), u8(A::Konst), u8(A::A0)}, TevOp::Sub);
    stage(1, 1, 2, {u8(C::Zero), u8(C::TexC), u8(C::Konst), u8(C::CPrev)}, TevOp::Add, TevScale::Scale2,
          false, {u8(A::Zero), u8(A::TexA), u8(A::Konst), u8(A::APrev)}, TevOp::Sub);
    stage(2, 0, 0, {u8(C::Zero), u8(C::TexC), u8(C::One), u8(C::CPrev)}, TevOp::Add, TevScale::Scale1, true,
          {u8(A::TexA), u8(A::Zero), u8(A::Zero), u8(A::APrev)}, TevOp::Add);
    stage(3, kTevNull, kTevNull, {u8(C::APrev), u8(C::CPrev), u8(C::Konst), u8(C::Zero)}, TevOp::Add,
          TevScale::Scale1, true, {u8(A::Zero), u8(A::Zero), u8(A::Zero), u8(A::Zero)}, TevOp::Add);
    // A fifth stage passing the fourth's colour on forces the general path.
    stage(4, kTevNull, kTevNull, {u8(C::Zero), u8(C::Zero), u8(C::Zero), u8(C::CPrev)}, TevOp::Add,
          TevScale::Scale1, true, {u8(A::Zero), u8(A::Zero), u8(A::Zero), u8(A::APrev)}, TevOp::Add);
    const TevKSel kSels[4] = {kTevKSelK0, u8(kTevKSelK0 + 1), kTevKSelOne, u8(kTevKSelK0 + 2)};
    for (u32 i = 0; i < 4; ++i) {
        state.tevStages[i].kColorSel = kSels[i];
        state.tevStages[i].kAlphaSel = kSels[i] == kTevKSelOne ? kTevKSelOne : u8(kTevKSelK0R + 12 + i);
    }
    auto draw = [&](u32 stages) {
        state.numTevStages = stages;
        EfbReset();
        RasterVertex v[3] = {At(0, 0), At(128, 0), At(0, 64)};
        v[1].tex[0][0] = v[1].tex[1][0] = 2.0f;
        v[2].tex[0][1] = v[2].tex[1][1] = 1.0f;
        for (RasterVertex& p : v)
            p.tex[0][2] = p.tex[1][2] = 1.0f;
        RasterTriangle(state, v[0], v[1], v[2]);
        std::vector<u32> pixels;
        for (u32 y = 0; y < 64; ++y)
            for (u32 x = 0; x < 128; ++x)
                pixels.push_back(HostEFBColor(x, y));
        return pixels;
    };
    std::set<u32> colors;
    for (const Row& row : rows) {
        state.tevRegs[1] = row.base;
        for (u32 i = 0; i < 3; ++i)
            state.konst[i] = row.konst[i];
        state.numTevStages = 4;
        ASSERT_EQ(PlanTev(state).kind, TevKind::Yuv);
        const std::vector<u32> fast = draw(4);
        state.numTevStages = 5;
        ASSERT_EQ(PlanTev(state).kind, TevKind::General);
        EXPECT_EQ(fast, draw(5)) << "base " << row.base.r << ", konst " << int(row.konst[0].r);
        colors.insert(fast.begin(), fast.end());
    }
    EXPECT_GT(colors.size(), 4000u);  // the texels vary the colour
}

}  // namespace
}  // namespace gxtest
