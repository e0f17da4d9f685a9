// The pixel stage on several threads: the frame buffer and the copies come out
// the same, byte for byte, whatever the number of threads, a queued triangle
// keeps the state and the textures it was drawn with until its pixels are
// drawn, and the pool runs each piece of work once.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_control.h"
#include "console/gx/gx_copy.h"
#include "console/gx/gx_state.h"
#include "console/gx/gx_tiles.h"
#include "console/gx/gx_workers.h"
#include "gx_raster_support.h"

namespace gxtest {
namespace {

class GXPixelThreads : public testing::Test {
protected:
    void SetUp() override {
        GXReset();
        threads = PixelThreads();
    }
    void TearDown() override { SetPixelThreads(threads); }
    u32 threads = 1;
};

// The whole buffer, colour then depth.
std::vector<u32> Frame() {
    const Efb& efb = EfbGet();
    std::vector<u32> frame(efb.color, efb.color + kEfbPixels);
    frame.insert(frame.end(), efb.depth, efb.depth + kEfbPixels);
    return frame;
}

struct Random {
    u32 seed;
    float Next() {
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / float(1u << 24);
    }
};

// A corner at pixel (x, y) of the whole 640x528 buffer, in perspective.
RasterVertex Corner(Random& r, float x, float y, float depth) {
    RasterVertex v;
    const float w = 1.0f + r.Next();
    v.pos[0] = (x / 320.0f - 1.0f) * w;
    v.pos[1] = (1.0f - y / 264.0f) * w;
    v.pos[2] = (depth - 1.0f) * w;
    v.pos[3] = w;
    for (float& c : v.color[0])
        c = r.Next();
    for (float& t : v.tex[0])
        t = 2.0f * r.Next();
    v.tex[0][2] = 1.0f;
    return v;
}

// Triangles of every size over the whole buffer, many reaching its right edge,
// with the state changed and the texture loaded again as they go; lines and
// points among them.
void DrawScene(RasterState& state, const GXTexObj (&textures)[2], u32 seed = 2024) {
    Random r{seed};
    for (int i = 0; i < 600; ++i) {
        if (i % 50 == 0) {
            GXLoadTexObj(&textures[i / 50 % 2], GX_TEXMAP0);
            state.sampler = RasterStateCurrent().sampler;
            state.viewer = RasterStateCurrent().viewer;
            state.capture = RasterStateCurrent().capture;
            state.texturesReady = RasterStateCurrent().texturesReady;
            state.samplerContext = RasterStateCurrent().samplerContext;
            state.blendType = i % 100 == 0 ? BlendType::Blend : BlendType::Subtract;
            state.zFunc = i % 150 == 0 ? Compare::Less : Compare::LEqual;
        }
        const float size = 4.0f + 200.0f * r.Next() * r.Next();
        const float x = r.Next() < 0.3f ? 640.0f - size * r.Next() : r.Next() * 640.0f;
        const float y = r.Next() * 528.0f - size / 2;
        const float depth = r.Next();
        const RasterVertex a = Corner(r, x, y, depth), b = Corner(r, x + size, y + size * r.Next(), depth),
                           c = Corner(r, x - size * r.Next(), y + size, r.Next());
        if (i % 7 == 0)
            RasterLine(state, a, c, u8(1 + i % 12));
        else if (i % 11 == 0)
            RasterPoint(state, b, u8(1 + i % 40));
        else
            RasterTriangle(state, a, b, c);
    }
}

RasterState SceneState(bool combiner) {
    RasterState s;
    s.viewport = {0, 0, 640, 528, 0, 1};
    s.scissor = {0, 0, 640, 528};
    s.cull = Cull::None;
    s.blendSrc = BlendFactor::SrcAlpha;
    s.blendDst = BlendFactor::InvSrcAlpha;
    ModulateMap0Stage(s);
    if (combiner) {
        // Two stages, fog and an alpha compare: every pixel through the general path.
        s.numTevStages = 2;
        s.tevStages[1].color.in[3] = u8(TevColorArg::CPrev);
        s.tevStages[1].color.in[0] = u8(TevColorArg::C0);
        s.tevStages[1].color.in[2] = u8(TevColorArg::Half);
        s.tevRegs[1] = {200, 40, 90, 255};
        s.fogType = FogType::PerspLin;
        s.fogStartZ = 0.1f;
        s.fogEndZ = 3.0f;
        s.fogNearZ = 0.1f;
        s.fogFarZ = 10.0f;
        s.fogColor = {10, 80, 160, 255};
        s.alphaComp0 = Compare::Greater;
        s.alphaRef0 = 40;
        s.pixelFormat = PixelFormat::RGBA6_Z24;
    }
    return s;
}

// Two maps over the same random texels, one wrapping and one clamped.
struct SceneTextures {
    SceneTextures() {
        Random r{7};
        for (u8& b : texels)
            b = u8(r.Next() * 256.0f);
        GXInitTexObj(&objects[0], texels.data(), 16, 16, GX_TF_RGBA8, GX_REPEAT, GX_MIRROR, GX_FALSE);
        GXInitTexObj(&objects[1], texels.data(), 8, 8, GX_TF_RGBA8, GX_CLAMP, GX_REPEAT, GX_FALSE);
        GXInitTexObjFilter(&objects[1], GX_NEAR, GX_NEAR);
    }
    alignas(32) std::array<u8, 16 * 16 * 4> texels;
    GXTexObj objects[2];
};

TEST_F(GXPixelThreads, TheFrameIsTheSameOnAnyNumberOfThreads) {
    const SceneTextures scene;
    for (bool combiner : {false, true}) {
        std::vector<u32> frames[3];
        const u32 counts[3] = {1, 2, 8};
        for (int i = 0; i < 3; ++i) {
            SetPixelThreads(counts[i]);
            EfbReset();
            RasterState state = SceneState(combiner);
            DrawScene(state, scene.objects);
            frames[i] = Frame();
        }
        u32 drawn = 0;
        for (u32 p = 0; p < kEfbPixels; ++p)
            drawn += frames[0][p] != 0xFF000000u;
        EXPECT_GT(drawn, kEfbPixels / 2) << "combiner " << combiner;
        EXPECT_TRUE(frames[0] == frames[1]) << "2 threads, combiner " << combiner;
        EXPECT_TRUE(frames[0] == frames[2]) << "8 threads, combiner " << combiner;
    }
}

// A display copy (filtered, clearing behind it but keeping alpha) between two
// scenes, then a mip-level copy to texture that clears too, then a third scene,
// then a plain copy of the bottom rows (copied there once before the third
// scene too) that the last scene reads as its texture at once: each copy sees
// every triangle before it, each clear comes before every triangle after it,
// the later copy's texels are the ones left, and the bands that read them wait
// for the bands that copy them (the last run reads them from memory after a
// draw done).
TEST_F(GXPixelThreads, CopiesAndClearsAreTheSameOnAnyNumberOfThreads) {
    const SceneTextures scene;
    struct Result {
        std::vector<u8> xfb, texels, copied;
        std::vector<u32> frame;
        bool operator==(const Result&) const = default;
    } results[4];
    const u32 counts[4] = {1, 2, 8, 8};
    for (int i = 0; i < 4; ++i) {
        SetPixelThreads(counts[i]);
        EfbReset();
        GXInvalidateTexAll();
        Result& result = results[i];
        result.xfb.assign(640 * 480 * 2, 0);
        result.texels.assign(100 * 60 * 4, 0);
        result.copied.assign(16 * 16 * 4, 0);
        RasterState state = SceneState(true);
        DrawScene(state, scene.objects);
        RasterState copy = state;
        copy.copy.srcTop = 16;
        copy.copy.clearColor = {10, 20, 30, 40};
        copy.copy.clearZ = 0x123456;
        copy.copy.verticalFilter = true;
        const u8 deflicker[7] = {8, 8, 10, 12, 10, 8, 8};
        std::copy_n(deflicker, 7, copy.copy.filter);
        copy.alphaUpdate = false;
        CopyDisplay(copy, result.xfb.data(), true);
        DrawScene(state, scene.objects, 99);
        GXSetTexCopySrc(100, 50, 200, 120);
        GXSetTexCopyDst(100, 60, GX_TF_RGBA8, GX_TRUE);
        GXSetCopyClear({200, 100, 50, 255}, 0x345678);
        GXCopyTex(result.texels.data(), GX_TRUE);
        GXSetTexCopySrc(40, 500, 16, 16);
        GXSetTexCopyDst(16, 16, GX_TF_RGBA8, GX_FALSE);
        GXCopyTex(result.copied.data(), GX_FALSE);
        DrawScene(state, scene.objects, 5);
        GXCopyTex(result.copied.data(), GX_TRUE);
        if (i == 3)
            GXDrawDone();
        GXTexObj copied[2];
        GXInitTexObj(&copied[0], result.copied.data(), 16, 16, GX_TF_RGBA8, GX_REPEAT, GX_REPEAT, GX_FALSE);
        copied[1] = copied[0];
        DrawScene(state, copied, 6);
        result.frame = Frame();
    }
    EXPECT_TRUE(results[0] == results[1]) << "2 threads";
    EXPECT_TRUE(results[0] == results[2]) << "8 threads";
    EXPECT_TRUE(results[0] == results[3]) << "the copied texels read from memory";

    // Each clear is in the buffer before the triangles queued after it.
    for (const u32 count : counts) {
        SetPixelThreads(count);
        EfbReset();
        RasterState state;
        state.cull = Cull::None;
        state.copy.clearColor = {10, 20, 30, 40};
        std::vector<u8> xfb(640 * 480 * 2);
        CopyDisplay(state, xfb.data(), true);
        FillRect(state, 100, 100, 110, 110, 0x406080FF);
        GXSetTexCopySrc(200, 200, 16, 16);
        GXSetCopyClear({50, 60, 70, 80}, 0xFFFFFF);
        GXCopyTex(nullptr, GX_TRUE);
        FillRect(state, 204, 204, 208, 208, 0x406080FF);
        // No alpha in the buffer's format: it reads 255.
        EXPECT_EQ(HostEFBColor(105, 105), 0xFF406080u) << count;
        EXPECT_EQ(HostEFBColor(99, 99), 0xFF0A141Eu) << count;
        EXPECT_EQ(HostEFBColor(206, 206), 0xFF406080u) << count;
        EXPECT_EQ(HostEFBColor(201, 201), 0xFF323C46u) << count;
    }
}

// Records queued ready (clears, triangles worked out at once) that no thread
// has yet passed over when the queue is emptied, round after round: a thread
// that takes one late must leave it, and the next round's record in its place,
// alone.
TEST_F(GXPixelThreads, ReadyRecordsTakenAsTheQueueEmptiesAreLeftAlone) {
    SetPixelThreads(8);
    RasterState state;
    state.cull = Cull::None;
    for (u32 round = 0; round < 5000; ++round) {
        const u8 shade = u8(round);
        state.copy.clearColor = {shade, 20, 30, 255};
        for (u32 corner = 0; corner < 4; ++corner) {
            const float x = float(corner * 64);
            ClearCopySource(state, corner * 64, 0, 64, 64);
            FillRect(state, x + 8, 8, x + 16, 16, 0x406080FF);
        }
        ASSERT_EQ(HostEFBColor(232, 40), 0xFF00141Eu | u32(shade) << 16) << round;
        ASSERT_EQ(HostEFBColor(204, 12), 0xFF406080u) << round;
    }
}

// One draw of more triangles than a thread's room takes at first, a third of
// them reaching out of the clip volume: its set-ups move to larger room in the
// middle of the draw. One by one they are more records than the queue holds,
// which is drawn in the middle. Both draw the same, on any number of threads.
TEST_F(GXPixelThreads, ADrawLargerThanARoomDrawsAsItsTrianglesOneByOne) {
    // A grid over the buffer and past its sides, every third corner in front
    // of the near plane.
    constexpr u32 kColumns = 120, kRows = 100;
    Random r{77};
    std::vector<RasterVertex> vertices;
    for (u32 j = 0; j < kRows; ++j)
        for (u32 i = 0; i < kColumns; ++i)
            vertices.push_back(Corner(r, -280.0f + 10.0f * i + 4.0f * r.Next(), 5.3f * j + 2.0f * r.Next(),
                                      (i + j) % 3 == 0 ? -0.5f : r.Next()));
    std::vector<u32> indexes;
    for (u32 j = 0; j + 1 < kRows; ++j) {
        for (u32 i = 0; i + 1 < kColumns; ++i) {
            const u32 v = j * kColumns + i;
            indexes.insert(indexes.end(), {v, v + 1, v + kColumns, v + 1, v + kColumns + 1, v + kColumns});
        }
    }
    const RasterState state = SceneState(false);
    std::vector<u32> frames[4];
    for (u32 i = 0; i < 4; ++i) {
        SetPixelThreads(i % 2 == 0 ? 1 : 8);
        EfbReset();
        if (i < 2) {
            RasterTriangles(state, vertices.data(), u32(vertices.size()), indexes.data(),
                            u32(indexes.size()));
        } else {
            for (u32 k = 0; k < indexes.size(); k += 3)
                RasterTriangle(state, vertices[indexes[k]], vertices[indexes[k + 1]],
                               vertices[indexes[k + 2]]);
        }
        frames[i] = Frame();
    }
    u32 drawn = 0;
    for (u32 p = 0; p < kEfbPixels; ++p)
        drawn += frames[0][p] != 0xFF000000u;
    EXPECT_GT(drawn, kEfbPixels / 2);
    EXPECT_TRUE(frames[0] == frames[2]) << "one draw against one by one, 1 thread";
    EXPECT_TRUE(frames[1] == frames[0]) << "one draw, 8 threads";
    EXPECT_TRUE(frames[3] == frames[0]) << "one by one, 8 threads";
}

// Work that counts its runs: a job's pieces, and a stream of items handed out
// while the caller goes on.
struct CountedWork {
    std::vector<std::atomic<u32>> runs;
    std::atomic<u32> handedOut = 0, taken = 0, done = 0;
    explicit CountedWork(u32 count) : runs(count) {}
    void Run(u32 item) {
        // Some work, so that the threads overlap.
        std::atomic<u32> work = 0;
        while (work.fetch_add(1, std::memory_order_relaxed) < 2000) {
        }
        ++runs[item];
        ++done;
    }
    bool EachRanOnce() const {
        return std::all_of(runs.begin(), runs.end(), [](const std::atomic<u32>& r) { return r.load() == 1; });
    }
};
// The streams outlive the pools that poll them.
std::atomic<CountedWork*> s_stream = nullptr;

bool PollStream() {
    CountedWork* stream = s_stream.load();
    u32 item = stream != nullptr ? stream->taken.load() : 0;
    while (stream != nullptr && item < stream->handedOut.load()) {
        if (stream->taken.compare_exchange_weak(item, item + 1)) {
            stream->Run(item);
            return true;
        }
    }
    return false;
}

// Every piece of a job once, over many jobs in a row; every item of a stream
// once, some handed out after a pause long enough for the threads to sleep, and
// the caller's help ends only when the last is done. On any number of threads.
TEST(GXWorkerPool, RunsEachPieceAndStreamItemOnce) {
    std::vector<std::unique_ptr<CountedWork>> streams;
    for (const u32 threads : {1u, 2u, 8u}) {
        WorkerPool pool(PollStream);
        pool.SetThreads(threads);
        for (u32 round = 0; round < 50; ++round) {
            for (const u32 count : {0u, 1u, 7u, 66u, 200u}) {
                CountedWork job(count);
                pool.Run(
                    count, [](void* context, u32 piece) { static_cast<CountedWork*>(context)->Run(piece); },
                    &job);
                ASSERT_TRUE(job.EachRanOnce()) << threads << " threads, " << count << " pieces";
            }
        }
        for (u32 round = 0; round < 5; ++round) {
            CountedWork& stream = *streams.emplace_back(std::make_unique<CountedWork>(300));
            s_stream = &stream;
            for (u32 item = 0; item < 300; ++item) {
                ++stream.handedOut;
                pool.Wake();
                if (item % 100 == 99)
                    std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
            WorkerPool::HelpUntil([&stream] { return stream.done.load() == 300; }, PollStream);
            EXPECT_TRUE(stream.EachRanOnce()) << threads << " threads";
        }
    }
    s_stream = nullptr;
}

// Three rectangles, each with the map changed after the one before, then one
// that writes no colour.
void DrawWithChangingMaps(u32 threads) {
    alignas(32) std::array<u8, 32> first, second;  // 8x4 I8
    first.fill(0x40);
    second.fill(0xC0);
    GXTexObj obj[2];
    GXInitTexObj(&obj[0], first.data(), 8, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXInitTexObj(&obj[1], second.data(), 8, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    RasterState& state = RasterStateCurrent();
    state.cull = Cull::None;
    state.numTexGens = 1;
    TevStage& t = state.tevStages[0];
    t.texCoord = 0;
    t.texMap = 0;
    t.color.in[1] = u8(TevColorArg::TexC);
    t.color.in[2] = u8(TevColorArg::RasC);
    t.color.in[3] = u8(TevColorArg::Zero);

    GXLoadTexObj(&obj[0], GX_TEXMAP0);
    FillRect(state, 0, 0, 8, 8, 0xFFFFFFFF);
    GXLoadTexObj(&obj[1], GX_TEXMAP0);
    FillRect(state, 8, 0, 16, 8, 0xFFFFFFFF);
    second.fill(0x10);
    GXInvalidateTexAll();
    FillRect(state, 16, 0, 24, 8, 0xFFFFFFFF);
    state.colorUpdate = false;
    FillRect(state, 0, 0, 24, 8, 0xFFFFFFFF);
    EXPECT_EQ(HostEFBColor(4, 4), 0xFF404040u) << threads;
    EXPECT_EQ(HostEFBColor(12, 4), 0xFFC0C0C0u) << threads;
    EXPECT_EQ(HostEFBColor(20, 4), 0xFF101010u)
        << threads << " threads: an invalidated map reads memory again";
}

// Triangles queued before their map is loaded again, or before its memory
// changes and is invalidated, or before the state changes, are drawn as they
// were queued; one thread alone draws them at once, each with its own state.
TEST_F(GXPixelThreads, QueuedTrianglesKeepTheirStateAndTextures) {
    for (const u32 count : {1u, 2u}) {
        SetPixelThreads(count);
        GXReset();
        DrawWithChangingMaps(count);
    }
}

// Lit quads, each under registers changed after the quad before it ended; a
// run of more quads under one state than a record takes, each under its own
// matrix; and a display list whose memory changes after it is called.
void DrawChangingScene() {
    alignas(32) static u8 fifo[256];
    GXInit(fifo, sizeof fifo);
    GXSetViewport(0, 0, 640, 448, 0, 1);
    const Mtx44 perspective = {{1.2f, 0, 0, 0}, {0, 1.6f, 0, 0}, {0, 0, -0.01f, -1.01f}, {0, 0, -1, 0}};
    GXSetProjection(perspective, GX_PERSPECTIVE);
    GXSetCullMode(GX_CULL_NONE);
    GXSetNumTevStages(1);
    GXSetTevOrder(GX_TEVSTAGE0, GX_TEXCOORD_NULL, GX_TEXMAP_NULL, GX_COLOR0A0);
    GXSetTevOp(GX_TEVSTAGE0, GX_PASSCLR);
    GXSetNumChans(1);
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxDesc(GX_VA_NRM, GX_DIRECT);
    GXSetChanAmbColor(GX_COLOR0A0, GXColor{30, 40, 50, 255});
    const Mtx identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    GXLoadNrmMtxImm(identity, GX_PNMTX0);
    auto quad = [](f32 tilt) {
        GXBegin(GX_QUADS, GX_VTXFMT0, 4);
        const f32 corners[][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& c : corners) {
            GXPosition3f32(c[0], c[1], tilt * c[0]);
            GXNormal3f32(tilt, 0.3f, 1);
        }
        GXEnd();
    };
    for (u32 i = 0; i < 12; ++i) {
        const f32 x = -4.5f + 1.6f * f32(i % 6), y = i < 6 ? 1.2f : -1.2f;
        const Mtx place = {{0.7f, 0, 0, x}, {0, 0.7f, 0, y}, {0, 0, 1, -6.0f - 0.3f * f32(i)}};
        GXLoadPosMtxImm(place, GX_PNMTX0);
        GXLightObj light{};
        GXInitLightPos(&light, x + 2.0f * f32(i % 3) - 2.0f, y + 1, -3);
        GXInitLightColor(&light, GXColor{u8(80 + 14 * i), 200, u8(250 - 17 * i), 255});
        GXInitLightAttn(&light, 1, 0, 0, 1, 0, 0);
        GXLoadLightObjImm(&light, GXLightID(GX_LIGHT0 << (i % 2)));
        GXSetChanMatColor(GX_COLOR0A0, GXColor{u8(255 - 9 * i), u8(60 + 15 * i), 128, 255});
        GXSetChanCtrl(GX_COLOR0A0, i % 4 != 3 ? GX_TRUE : GX_FALSE, GX_SRC_REG, GX_SRC_REG, 1u << (i % 2),
                      GX_DF_CLAMP, GX_AF_NONE);
        quad(0.1f * f32(i % 5));
    }
    for (u32 i = 0; i < 120; ++i) {
        const Mtx place = {{0.1f, 0, 0, -3.0f + 0.25f * f32(i % 24)},
                           {0, 0.1f, 0, 2.6f - 0.25f * f32(i / 24)},
                           {0, 0, 1, -7}};
        GXLoadPosMtxImm(place, GX_PNMTX0);
        quad(0.2f);
    }
    // Left as the list had them, then the list's memory is written over.
    alignas(32) static u8 list[256];
    GXBeginDisplayList(list, sizeof list);
    quad(-0.4f);
    const u32 length = GXEndDisplayList();
    const Mtx low = {{0.5f, 0, 0, 0}, {0, 0.5f, 0, -2.6f}, {0, 0, 1, -5}};
    GXLoadPosMtxImm(low, GX_PNMTX0);
    GXCallDisplayList(list, length);
    std::fill(std::begin(list), std::end(list), u8(0x55));
    GXLoadPosMtxImm(identity, GX_PNMTX0);
}

// The pixel threads work out each primitive later, after the program has
// changed the registers: what they draw is what a primitive worked out at
// once, as a vertex tap has it, draws.
// The last run first fills the queue with clears below the picture, which
// need not be drawn before a reader: the primitives after them still find room.
TEST_F(GXPixelThreads, APrimitiveDrawsWithTheRegistersAsTheyWereAtItsEnd) {
    const HostGXVertexTap atOnce = [](GXPrimitive, const RasterVertex*, u32, void*) {};
    std::vector<u32> frames[4];
    for (u32 run = 0; run < 4; ++run) {
        SetPixelThreads(run >= 2 ? 8 : 1);
        GXReset();
        HostGXSetVertexTap(run == 0 ? atOnce : nullptr, nullptr);
        if (run == 3) {
            GXSetTexCopySrc(0, 520, 2, 2);
            for (u32 i = 0; i < 4096; ++i)
                GXCopyTex(nullptr, GX_TRUE);
        }
        DrawChangingScene();
        frames[run] = Frame();
        if (run == 3)
            std::copy_n(&frames[0][520 * kEfbWidth], 2 * kEfbWidth, &frames[run][520 * kEfbWidth]);
    }
    HostGXSetVertexTap(nullptr, nullptr);
    u32 drawn = 0;
    for (u32 p = 0; p < kEfbPixels; ++p)
        drawn += frames[0][p] != frames[0][0];
    EXPECT_GT(drawn, 20000u);
    EXPECT_TRUE(frames[1] == frames[0]) << "1 thread";
    EXPECT_TRUE(frames[2] == frames[0]) << "8 threads";
    EXPECT_TRUE(frames[3] == frames[0]) << "after a queue full of clears";
}

TEST_F(GXPixelThreads, ThreadCountComesFromTheConfigurationTheEnvironmentOrTheCores) {
    const u32 cores = std::clamp(std::thread::hardware_concurrency(), 1u, 64u);
    const struct {
        u32 configured;
        const char* environment;
        u32 threads;
    } cases[] = {
        {7, "2", 7},     {0, "2", 2},      {0, "64", 64},  {0, "65", 64},
        {0, "0", cores}, {0, "3x", cores}, {0, "", cores},
    };
    for (const auto& c : cases) {
        setenv("BOWLING_GX_THREADS", c.environment, 1);
        EXPECT_EQ(ChoosePixelThreads(c.configured), c.threads)
            << c.configured << " '" << c.environment << "'";
    }
    unsetenv("BOWLING_GX_THREADS");
    EXPECT_EQ(ChoosePixelThreads(0), cores);
}

}  // namespace
}  // namespace gxtest
