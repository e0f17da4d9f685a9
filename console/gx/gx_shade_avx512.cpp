// Vertex lighting and texture-coordinate generation sixteen vertices at a
// time, for processors with AVX-512; only this file turns it on, and its code
// runs only where the processor has it. Twice the lanes of the AVX2 code keep
// more of the long square-root and division chains in flight. The lanes do
// the four-wide code's sums (no fused multiply-add), so the colours and
// coordinates are the same.
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
#pragma GCC target("avx512f")

using VF = float __attribute__((vector_size(64)));
using VI = s32 __attribute__((vector_size(64)));
constexpr int kLanes = 16;

VF Sqrt(VF v) {
    // The masked form: the plain one reads an undefined source the compiler warns of.
    return VF(_mm512_maskz_sqrt_ps(__mmask16(0xFFFF), __m512(v)));
}

#include "console/gx/gx_lanes_kernel.h"
#include "console/gx/gx_light_kernel.h"
#include "console/gx/gx_texgen_kernel.h"

u32 LightGroupsAvx512(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                      RasterVertex* out) {
    return WholeGroups<LightGroup>(plan, eye, which, count, out);
}

u32 TexCoordGroupsAvx512(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                         RasterVertex* out) {
    return WholeGroups<TexCoordGroup>(plan, eye, which, count, out);
}

#pragma GCC pop_options

}  // namespace

// Outside the AVX-512 code: the checks must run on any processor.
u32 LightVerticesBy16(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                      RasterVertex* out) {
    return __builtin_cpu_supports("avx512f") ? LightGroupsAvx512(plan, eye, which, count, out) : 0;
}

u32 TexCoordsBy16(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                  RasterVertex* out) {
    return __builtin_cpu_supports("avx512f") ? TexCoordGroupsAvx512(plan, eye, which, count, out) : 0;
}

}  // namespace console::gx

#else

namespace console::gx {

u32 LightVerticesBy16(const LightPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

u32 TexCoordsBy16(const TexGenPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

}  // namespace console::gx

#endif
