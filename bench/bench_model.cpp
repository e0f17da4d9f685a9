// A 5,000-vertex, 30-bone skinned model weighted and drawn once, as one frame does
// for an animated bowler: the engine on the test console, the software GX drawing.
#include <benchmark/benchmark.h>

#include "orblib47/source/Model.h"
#include "orblib47/source/OrbLib.h"
#include "source/OrbMain.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/TestHost.h"

namespace {

constexpr u32 kColumns = 100;  // one row of vertices is one skin run
constexpr u32 kRows = 50;
constexpr u32 kBones = 30;

// A grid of rows, each row weighted by one to three bones in turn, drawn as one
// skinned strip between each pair of rows.
void Figure(ModelBuilder& b) {
    for (u32 r = 0; r < kRows; ++r) {
        for (u32 c = 0; c < kColumns; ++c)
            b.Skinned(s16(c * 8), s16(r * 8), s16((c * r) % 32), 0xC0A080FFu, {0, 0, 0},
                      {0x4000, 0x2000, 0x2000});
        const u32 bone = r % kBones;
        b.VertexCommand(u8(1 + r % 3), u8(bone), u16((bone + 1) % kBones), (bone + 2) % kBones);
        b.VertexCommand(VERTEX_CMD_SKIN, 0, u16(r * kColumns), kColumns);
    }
    b.VertexCommand(VERTEX_CMD_END);
    b.Mesh();
    for (u32 r = 0; r + 1 < kRows; ++r) {
        std::vector<u16> strip;
        for (u32 c = 0; c < kColumns; ++c) {
            strip.push_back(u16(r * kColumns + c));
            strip.push_back(u16((r + 1) * kColumns + c));
        }
        b.Primitive(MODEL_CMD_SKIN_STRIP, u16(strip.size() - 2), strip);
    }
    b.Command(MODEL_CMD_END);
}

void BM_ModelSkinAndDraw(benchmark::State& state) {
    HostInit(TestHostConfig());
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    {
        ModelBuilder b;
        Figure(b);
        s_model* model = b.Build(MODEL_FLAG_SKINNED);
        s_hmatrix* pose = HMatrixAlloc(nullptr, kBones, 0, nullptr);
        for (u32 i = 0; i < kBones; ++i) {
            s_Matrix4& m = pose->boneList[i].modelMatrixInv;
            Matrix4CreateXYZ(&m, 0.01f * f32(i), 0.02f * f32(i), -0.01f * f32(i));
            m.element[3] = 0.01f * f32(i);
        }
        // In front of the camera, over half the screen's width; or far to its side,
        // where the clipper drops every triangle and weighting and sending remain.
        s_Matrix4 world = IDMatrix4;
        world.element[3] = state.range(0) ? -2.0f : 1000.0f;
        world.element[7] = -1.0f;
        world.element[11] = -6.0f;
        for (auto _ : state) {
            ModelClearVertsWeighted(model);  // a new frame
            ModelDraw(model, &world, pose, nullptr);
        }
        state.SetItemsProcessed(state.iterations() * kRows * kColumns);
        HMatrixFree(pose);
    }
    OrblibExit();
    HostShutdown();
}
BENCHMARK(BM_ModelSkinAndDraw)->ArgName("onScreen")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
