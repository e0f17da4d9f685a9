#include <benchmark/benchmark.h>

#include <vector>

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbRandom.h"

namespace {

void BM_OrbSqrt(benchmark::State& state) {
    double x = 1.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OrbSqrt(x));
        x += 0.37;
    }
}
BENCHMARK(BM_OrbSqrt);

// Six table look-ups per matrix.
void BM_Matrix4CreateXYZ(benchmark::State& state) {
    s_Matrix4 m;
    float a = 0.0f;
    for (auto _ : state) {
        Matrix4CreateXYZ(&m, a, a * 0.5f, -a);
        benchmark::DoNotOptimize(m);
        a += 0.001f;
    }
}
BENCHMARK(BM_Matrix4CreateXYZ);

void BM_Matrix4MultMatrix4x4(benchmark::State& state) {
    s_Matrix4 a, b, out;
    Matrix4CreateXYZ(&a, 0.1f, 0.2f, 0.3f);
    Matrix4CreateXYZ(&b, 0.4f, 0.5f, 0.6f);
    for (auto _ : state) {
        Matrix4MultMatrix4x4(&out, &a, &b);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Matrix4MultMatrix4x4);

void BM_Matrix4MultPoints(benchmark::State& state) {
    s_Matrix4 m;
    Matrix4CreateXYZ(&m, 0.1f, 0.2f, 0.3f);
    std::vector<s_Vector3> in(1000), out(1000);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = {float(i), float(i) * 0.5f, -float(i), 0.0f};
    for (auto _ : state) {
        Matrix4MultPoints(&m, out.data(), in.data(), s32(in.size()));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * s64(in.size()));
}
BENCHMARK(BM_Matrix4MultPoints);

void BM_OrbRand(benchmark::State& state) {
    OrbSRand(5489);
    for (auto _ : state)
        benchmark::DoNotOptimize(OrbRand());
}
BENCHMARK(BM_OrbRand);

}  // namespace
