// Skinning a 5,000-vertex, 30-bone model once, as a frame does before drawing it.
#include <benchmark/benchmark.h>

#include <vector>

#include "orblib47/source/Skin.h"
#include "tests/support/SkinModelBuilder.h"

namespace {

constexpr u32 kVertices = 5000;
constexpr u32 kBones = 30;
constexpr u32 kRun = 100;  // vertices sharing bones

// Runs of kRun vertices cycle through one, two and three matrices over the bones.
SkinModelBuilder Figure() {
    SkinModelBuilder model;
    for (u32 i = 0; i < kVertices; ++i) {
        const s16 a = s16(i * 37 % 1024 - 512);
        model.Vertex(a, s16(300 - a / 2), s16(i % 200), 181, -181, 0, 0x4000, 0x2000, 0x2000);
    }
    for (u32 first = 0, n = 0; first < kVertices; first += kRun, ++n) {
        const u32 bone = n % kBones;
        model.Command(u8(1 + n % 3), u8(bone), u16((bone + 1) % kBones), (bone + 2) % kBones);
        model.Run(u16(first), kRun);
    }
    model.End();
    return model;
}

void BM_ModelWeightVertices(benchmark::State& state) {
    ModelSetupSkinIndices(MODEL_SKIN_INDEX_COUNT);
    SkinModelBuilder model = Figure();
    std::vector<s_Matrix4> bones(kBones);
    for (u32 b = 0; b < kBones; ++b) {
        Matrix4CreateXYZ(&bones[b], 0.1f * f32(b), 0.05f * f32(b), -0.02f * f32(b));
        bones[b].element[3] = f32(b);
    }
    const SkinPose pose(bones);
    const s_model_skin skin = model.Skin();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ModelWeightVertices(skin, pose.Header()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kVertices);
}
BENCHMARK(BM_ModelWeightVertices)->Unit(benchmark::kMicrosecond);

}  // namespace
