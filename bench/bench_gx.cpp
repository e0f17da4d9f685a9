// The software rasteriser on a 640x448 frame: coloured, depth-tested, blended
// triangles at about four screens of overdraw. Goals: a frame under 4 ms on one
// core, and under 6 ms with a bilinear RGBA8 texture modulated by the colour.
// The frames' argument is the number of threads that draw the pixels; on eight
// cores the textured frame should take under a quarter of its one-thread time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_copy.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_tiles.h"

namespace {

using namespace console::gx;

constexpr float kWidth = 640.0f;
constexpr float kHeight = 448.0f;
constexpr double kOverdraw = 4.0;
constexpr float kLeg = 48.0f;  // triangles of about 1150 pixels

struct Tri {
    RasterVertex v[3];
};

// A fixed pseudo-random scene, the same on every run.
std::vector<Tri> MakeScene() {
    u32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / float(1u << 24);
    };
    const int count = int(kOverdraw * kWidth * kHeight / (kLeg * kLeg * 0.5f));
    std::vector<Tri> scene(std::size_t(count), Tri{});
    for (Tri& t : scene) {
        const float cx = next() * (kWidth - kLeg), cy = next() * (kHeight - kLeg);
        const float depth = next();
        const float corner[3][2] = {{cx, cy}, {cx + kLeg, cy}, {cx, cy + kLeg}};
        for (int i = 0; i < 3; ++i) {
            RasterVertex& v = t.v[i];
            const float w = 1.0f + next();  // perspective: w varies across the triangle
            v.pos[0] = (corner[i][0] / kWidth * 2.0f - 1.0f) * w;
            v.pos[1] = (1.0f - corner[i][1] / kHeight * 2.0f) * w;
            v.pos[2] = (depth - 1.0f) * w;
            v.pos[3] = w;
            for (int c = 0; c < 3; ++c)
                v.color[0][c] = next();
            v.color[0][3] = 0.5f + 0.5f * next();
            v.tex[0][0] = float(i == 1);
            v.tex[0][1] = float(i == 2);
            v.tex[0][2] = 1.0f;
        }
    }
    return scene;
}

Rgba8 GreySampler(void*, u32, const TexCoordSample& c) {
    const u8 v = u8(128.0f + 127.0f * c.s * c.t);
    return {v, v, v, 255};
}

// textures: null for the untextured frame, else the maps' state (sampler,
// viewer, capture) to copy, or just a sampler of its own.
RasterState FrameState(const RasterState* textures) {
    RasterState s;
    s.viewport = {0, 0, kWidth, kHeight, 0, 1};
    s.scissor = {0, 0, 640, 448};
    s.cull = Cull::None;
    s.blendType = BlendType::Blend;
    s.blendSrc = BlendFactor::SrcAlpha;
    s.blendDst = BlendFactor::InvSrcAlpha;
    if (textures != nullptr) {
        s.numTexGens = 1;
        s.sampler = textures->sampler;
        s.viewer = textures->viewer;
        s.capture = textures->capture;
        s.samplerContext = textures->samplerContext;
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
    return s;
}

void DrawFrames(benchmark::State& bench, const RasterState* textures) {
    const std::vector<Tri> scene = MakeScene();
    const RasterState state = FrameState(textures);
    SetPixelThreads(u32(bench.range(0)));
    for (auto _ : bench) {
        bench.PauseTiming();
        EfbReset();
        bench.ResumeTiming();
        for (const Tri& t : scene)
            RasterTriangle(state, t.v[0], t.v[1], t.v[2]);
        FinishPixels();
        benchmark::ClobberMemory();
    }
    const double pixels = double(scene.size()) * kLeg * kLeg * 0.5;
    bench.counters["Mpix/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    bench.counters["triangles"] = double(scene.size());
}

// One thread and every core.
void Threads(benchmark::internal::Benchmark* bench) {
    bench->Arg(1)
        ->Arg(int(std::thread::hardware_concurrency()))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void BM_GouraudBlendedFrame(benchmark::State& bench) {
    DrawFrames(bench, nullptr);
}
BENCHMARK(BM_GouraudBlendedFrame)->Apply(Threads);

void BM_ModulatedTextureFrame(benchmark::State& bench) {
    RasterState grey;
    grey.sampler = GreySampler;
    DrawFrames(bench, &grey);
}
BENCHMARK(BM_ModulatedTextureFrame)->Apply(Threads);

// The frame with a real texture in map 0 (any bytes are texels in every
// format), loaded and decoded once as the cache keeps it. At 64x64 a texel
// covers about a pixel of the 48-pixel triangles, as with sprites and glyphs.
void TexturedFrame(benchmark::State& bench, GXTexFmt format, GXTexFilter filter) {
    constexpr u16 kSize = 64;
    std::vector<u8> texels(GXGetTexBufferSize(kSize, kSize, format, GX_FALSE, 0));
    u32 seed = 777;
    for (u8& b : texels) {
        seed = seed * 1664525u + 1013904223u;
        b = u8(seed >> 24);
    }
    GXTexObj obj;
    GXInitTexObj(&obj, texels.data(), kSize, kSize, format, GX_REPEAT, GX_REPEAT, GX_FALSE);
    GXInitTexObjFilter(&obj, filter, filter);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    DrawFrames(bench, &RasterStateCurrent());
}

void BM_TexturedFrameRGBA8Bilinear(benchmark::State& bench) {
    TexturedFrame(bench, GX_TF_RGBA8, GX_LINEAR);
}
BENCHMARK(BM_TexturedFrameRGBA8Bilinear)->Apply(Threads);

void BM_TexturedFrameCMPRBilinear(benchmark::State& bench) {
    TexturedFrame(bench, GX_TF_CMPR, GX_LINEAR);
}
BENCHMARK(BM_TexturedFrameCMPRBilinear)->Apply(Threads);

// Font glyphs: intensity (and alpha) textures, drawn unfiltered.
void BM_TexturedFrameI4Nearest(benchmark::State& bench) {
    TexturedFrame(bench, GX_TF_I4, GX_NEAR);
}
BENCHMARK(BM_TexturedFrameI4Nearest)->Apply(Threads);

void BM_TexturedFrameIA4Nearest(benchmark::State& bench) {
    TexturedFrame(bench, GX_TF_IA4, GX_NEAR);
}
BENCHMARK(BM_TexturedFrameIA4Nearest)->Apply(Threads);

// A map loaded again each frame finds its texture decoded in the cache; after
// an invalidation the texels are decoded again.
void TextureLoad(benchmark::State& bench, bool invalidate) {
    constexpr u16 kSize = 256;
    std::vector<u8> texels(GXGetTexBufferSize(kSize, kSize, GX_TF_RGBA8, GX_FALSE, 0));
    GXTexObj obj;
    GXInitTexObj(&obj, texels.data(), kSize, kSize, GX_TF_RGBA8, GX_REPEAT, GX_REPEAT, GX_FALSE);
    for (auto _ : bench) {
        if (invalidate)
            GXInvalidateTexAll();
        GXLoadTexObj(&obj, GX_TEXMAP0);
    }
}

void BM_TextureLoadCached(benchmark::State& bench) {
    TextureLoad(bench, false);
}
BENCHMARK(BM_TextureLoadCached);

void BM_TextureLoadDecoded(benchmark::State& bench) {
    TextureLoad(bench, true);
}
BENCHMARK(BM_TextureLoadDecoded)->Unit(benchmark::kMicrosecond);

// The copy of a frame to a YUYV external frame buffer, with the clear behind it,
// as each frame ends; the game's copy runs the deflicker filter.
void DisplayCopy(benchmark::State& bench, bool filtered) {
    const std::vector<Tri> scene = MakeScene();
    const RasterState state = FrameState(nullptr);
    EfbReset();
    for (const Tri& t : scene)
        RasterTriangle(state, t.v[0], t.v[1], t.v[2]);
    RasterState copy = state;
    copy.copy.srcHeight = u32(kHeight);
    copy.copy.verticalFilter = filtered;
    const u8 deflicker[7] = {8, 8, 10, 12, 10, 8, 8};
    std::copy_n(deflicker, 7, copy.copy.filter);
    std::vector<u8> xfb(std::size_t(kWidth * kHeight * 2));
    for (auto _ : bench) {
        CopyDisplay(copy, xfb.data(), true);
        benchmark::ClobberMemory();
    }
    bench.counters["Mpix/s"] =
        benchmark::Counter(double(kWidth * kHeight) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DisplayCopy(benchmark::State& bench) {
    DisplayCopy(bench, false);
}
BENCHMARK(BM_DisplayCopy)->Unit(benchmark::kMillisecond);

void BM_DisplayCopyFiltered(benchmark::State& bench) {
    DisplayCopy(bench, true);
}
BENCHMARK(BM_DisplayCopyFiltered)->Unit(benchmark::kMillisecond);

}  // namespace
