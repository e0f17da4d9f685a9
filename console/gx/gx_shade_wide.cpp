// Vertex lighting and texture-coordinate generation eight vertices at a time
// for processors with AVX2, and sixteen for those with AVX-512, where twice
// the lanes keep more of the lights' square-root and division chains in
// flight. Only this file turns those instruction sets on, each for the code of
// its width, and that code runs only where the processor has them. The lanes
// do the four-wide code's sums (no fused multiply-add), so the colours and
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
#pragma GCC target("avx2")

namespace by8 {

using VF = float __attribute__((vector_size(32)));
using VI = s32 __attribute__((vector_size(32)));
constexpr int kLanes = 8;

VF Sqrt(VF v) {
    return VF(_mm256_sqrt_ps(__m256(v)));
}

#include "console/gx/gx_lanes_kernel.h"
#include "console/gx/gx_light_kernel.h"
#include "console/gx/gx_texgen_kernel.h"

u32 Light(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count, RasterVertex* out) {
    return WholeGroups<LightGroup>(plan, eye, which, count, out);
}

u32 TexCoords(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count, RasterVertex* out) {
    return WholeGroups<TexCoordGroup>(plan, eye, which, count, out);
}

}  // namespace by8

#pragma GCC pop_options
#pragma GCC push_options
#pragma GCC target("avx512f")

namespace by16 {

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

u32 Light(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count, RasterVertex* out) {
    return WholeGroups<LightGroup>(plan, eye, which, count, out);
}

u32 TexCoords(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count, RasterVertex* out) {
    return WholeGroups<TexCoordGroup>(plan, eye, which, count, out);
}

}  // namespace by16

#pragma GCC pop_options

}  // namespace

// Outside the wide code: the checks must run on any processor.
u32 LightVerticesBy8(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                     RasterVertex* out) {
    return __builtin_cpu_supports("avx2") ? by8::Light(plan, eye, which, count, out) : 0;
}

u32 TexCoordsBy8(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                 RasterVertex* out) {
    return __builtin_cpu_supports("avx2") ? by8::TexCoords(plan, eye, which, count, out) : 0;
}

u32 LightVerticesBy16(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                      RasterVertex* out) {
    return __builtin_cpu_supports("avx512f") ? by16::Light(plan, eye, which, count, out) : 0;
}

u32 TexCoordsBy16(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                  RasterVertex* out) {
    return __builtin_cpu_supports("avx512f") ? by16::TexCoords(plan, eye, which, count, out) : 0;
}

}  // namespace console::gx

#else

namespace console::gx {

// No wide code elsewhere: the four-wide code does every vertex.
u32 LightVerticesBy8(const LightPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

u32 TexCoordsBy8(const TexGenPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

u32 LightVerticesBy16(const LightPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

u32 TexCoordsBy16(const TexGenPlan&, const EyeVertex*, const u32*, u32, RasterVertex*) {
    return 0;
}

}  // namespace console::gx

#endif
