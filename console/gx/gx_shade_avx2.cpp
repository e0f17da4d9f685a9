// Vertex lighting and texture-coordinate generation eight vertices at a time,
// for processors with AVX2; only this file turns AVX2 on, and its code runs
// only where the processor has it. The lanes do the four-wide code's sums (no
// fused multiply-add), so the colours and coordinates are the same.
#include <cmath>
#include <cstring>
#include <utility>

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_texgen.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)

#include <immintrin.h>

namespace console::gx {

namespace {

#pragma GCC push_options
#pragma GCC target("avx2")

using VF = float __attribute__((vector_size(32)));
using VI = s32 __attribute__((vector_size(32)));
constexpr int kLanes = 8;

VF Sqrt(VF v) {
    return VF(_mm256_sqrt_ps(__m256(v)));
}

#include "console/gx/gx_lanes_kernel.h"
#include "console/gx/gx_light_kernel.h"
#include "console/gx/gx_texgen_kernel.h"

u32 LightGroupsAvx2(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                    RasterVertex* out) {
    return WholeGroups<LightGroup>(plan, eye, which, count, out);
}

u32 TexCoordGroupsAvx2(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                       RasterVertex* out) {
    return WholeGroups<TexCoordGroup>(plan, eye, which, count, out);
}

#pragma GCC pop_options

}  // namespace

// Outside the AVX2 code: the checks must run on any processor.
u32 LightVerticesBy8(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                     RasterVertex* out) {
    return __builtin_cpu_supports("avx2") ? LightGroupsAvx2(plan, eye, which, count, out) : 0;
}

u32 TexCoordsBy8(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                 RasterVertex* out) {
    return __builtin_cpu_supports("avx2") ? TexCoordGroupsAvx2(plan, eye, which, count, out) : 0;
}

}  // namespace console::gx

#else

namespace console::gx {

u32 LightVerticesBy8(const LightPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

u32 TexCoordsBy8(const TexGenPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

}  // namespace console::gx

#endif
