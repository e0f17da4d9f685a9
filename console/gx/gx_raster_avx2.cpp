// The row loops eight pixels at a time, for processors with AVX2. The build
// targets the baseline instruction set, so this file alone turns AVX2 on, for
// code it keeps to itself, and the loops run only where the processor has it.
// The sums are the baseline loops' own, lane for lane (no fused multiply-add),
// so the pixels come out the same.
#include <algorithm>
#include <cstring>

#include "console/gx.h"
#include "console/gx/gx_raster_draw.h"
#include "console/gx/gx_raster_simd.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)

#include <immintrin.h>

namespace console::gx {

namespace {

#pragma GCC push_options
#pragma GCC target("avx2")

using VF = float __attribute__((vector_size(32)));
using VI = s32 __attribute__((vector_size(32)));
using VU = u32 __attribute__((vector_size(32)));
using VH = u16 __attribute__((vector_size(32)));
using V4d = double __attribute__((vector_size(32)));
using V4i = s32 __attribute__((vector_size(16)));
constexpr int kLanes = 8;

VU Load(const u32* p) {
    VU v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void Store(u32* p, VU v) {
    std::memcpy(p, &v, sizeof v);
}

bool Any(VI mask) {
    return !_mm256_testz_si256(__m256i(mask), __m256i(mask));
}

VU Select(VI mask, VU yes, VU no) {
    const VU m = VU(mask);
    return (yes & m) | (no & ~m);
}

VU Gather(const Rgba8* texels, VI index) {
    return VU(_mm256_i32gather_epi32(reinterpret_cast<const int*>(texels), __m256i(index), 4));
}

// Eight words from `texels` on, each lane taking the one its index names.
VU Spread(const Rgba8* texels, VI index) {
    __m256i words;
    std::memcpy(&words, texels, sizeof words);
    return VU(_mm256_permutevar8x32_epi32(words, __m256i(index)));
}

// Each lane's texel and the one right of it, read as one word pair: far
// cheaper than two gathers of single words. Gathered rather than read into
// memory and loaded back, which stalls on the stores.
void GatherPairs(const Rgba8* texels, VI index, VU& left, VU& right) {
    const __m256i at = __m256i(index);
    const auto* base = reinterpret_cast<const long long*>(texels);
    // Lanes 0-3 and 4-7, left and right words alternating.
    const __m256i lo = _mm256_i32gather_epi64(base, _mm256_castsi256_si128(at), 4);
    const __m256i hi = _mm256_i32gather_epi64(base, _mm256_extracti128_si256(at, 1), 4);
    // Per 128-bit half: lefts of lo, lefts of hi; then the 64-bit quarters in order.
    const __m256 l = _mm256_shuffle_ps(_mm256_castsi256_ps(lo), _mm256_castsi256_ps(hi), 0x88);
    const __m256 r = _mm256_shuffle_ps(_mm256_castsi256_ps(lo), _mm256_castsi256_ps(hi), 0xDD);
    left = VU(_mm256_permute4x64_epi64(_mm256_castps_si256(l), 0xD8));
    right = VU(_mm256_permute4x64_epi64(_mm256_castps_si256(r), 0xD8));
}

// Lanes i and i + 4 share a row of 128-bit halves; each half then turns as
// the four-lane code does.
void GatherQuads(const TexelQuad* quads, VI at, VU& topLeft, VU& topRight, VU& bottomLeft, VU& bottomRight) {
    VU q[4];
    for (int i = 0; i < 4; ++i) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&quads[at[i]]));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&quads[at[i + 4]]));
        q[i] = VU(_mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1));
    }
    const VU a = VU(_mm256_unpacklo_epi32(__m256i(q[0]), __m256i(q[1])));
    const VU b = VU(_mm256_unpackhi_epi32(__m256i(q[0]), __m256i(q[1])));
    const VU c = VU(_mm256_unpacklo_epi32(__m256i(q[2]), __m256i(q[3])));
    const VU d = VU(_mm256_unpackhi_epi32(__m256i(q[2]), __m256i(q[3])));
    topLeft = VU(_mm256_unpacklo_epi64(__m256i(a), __m256i(c)));
    topRight = VU(_mm256_unpackhi_epi64(__m256i(a), __m256i(c)));
    bottomLeft = VU(_mm256_unpacklo_epi64(__m256i(b), __m256i(d)));
    bottomRight = VU(_mm256_unpackhi_epi64(__m256i(b), __m256i(d)));
}

#include "console/gx/gx_sampler_kernel.h"

// Rounded to 0..255; NaN becomes 0.
VU ToBytes(VF v) {
    v = VF(_mm256_min_ps(_mm256_max_ps(__m256(v), _mm256_setzero_ps()), _mm256_set1_ps(255.0f)));
    return VU(__builtin_convertvector(v + 0.5f, VI));
}

// Rounded to 0..kMaxDepth; NaN becomes 0.
V4i ToDepth(V4d z) {
    z = V4d(_mm256_min_pd(_mm256_max_pd(__m256d(z), _mm256_setzero_pd()), _mm256_set1_pd(double(kMaxDepth))));
    return __builtin_convertvector(z + 0.5, V4i);
}

// The depths of eight pixels, the first `rel` pixels right of the span's start.
VU DepthAt(double z0, double zdx, int rel) {
    const double r = rel;
    const V4i lo = ToDepth(z0 + zdx * V4d{r, r + 1, r + 2, r + 3});
    const V4i hi = ToDepth(z0 + zdx * V4d{r + 4, r + 5, r + 6, r + 7});
    return VU(__builtin_shufflevector(lo, hi, 0, 1, 2, 3, 4, 5, 6, 7));
}

// floor((x + 127) / 255) in each 16-bit lane, exact for x <= 255 * 255.
VH Div255(VH x) {
    const VH y = x + 128;
    return (y + (y >> 8)) >> 8;
}

// Per channel of packed 8-bit colours, floor((a * b + 127) / 255).
VU MulColor(VU a, VU b) {
    const VU m = VU{} + 0x00FF00FFu;
    const VH lo = Div255(VH(a & m) * VH(b & m));
    const VH hi = Div255(VH((a >> 8) & m) * VH((b >> 8) & m));
    return VU(lo) | (VU(hi) << 8);
}

VU AddSaturate(VU a, VU b) {
    return VU(_mm256_adds_epu8(__m256i(a), __m256i(b)));
}

// Per channel, floor((s * alpha + d * (255 - alpha) + 127) / 255), the source
// in 16-bit lanes: blue and red in `lo`, green and alpha in `hi`.
VU BlendLanes(VH lo, VH hi, VU d) {
    const VU m = VU{} + 0x00FF00FFu;
    const VU a = VU(hi) >> 16;
    const VH a2 = VH(a | (a << 16));
    const VH ia2 = VH(m) - a2;
    const VH blo = Div255(lo * a2 + VH(d & m) * ia2);
    const VH bhi = Div255(hi * a2 + VH((d >> 8) & m) * ia2);
    return VU(blo) | (VU(bhi) << 8);
}

VU BlendSrcAlpha(VU s, VU d) {
    const VU m = VU{} + 0x00FF00FFu;
    return BlendLanes(VH(s & m), VH((s >> 8) & m), d);
}

// BlendSrcAlpha(MulColor(a, b), d), the product kept in its lanes.
VU ModulateBlendSrcAlpha(VU a, VU b, VU d) {
    const VU m = VU{} + 0x00FF00FFu;
    return BlendLanes(Div255(VH(a & m) * VH(b & m)), Div255(VH((a >> 8) & m) * VH((b >> 8) & m)), d);
}

#include "console/gx/gx_raster_kernel.h"

void DrawTriangleAvx2(const TriangleDraw& d) {
    DrawTriangleRows(d);
}

#pragma GCC pop_options

}  // namespace

// Outside the AVX2 code: the check must run on any processor.
bool DrawTriangleWide(const TriangleDraw& d) {
    if (!__builtin_cpu_supports("avx2"))
        return false;
    DrawTriangleAvx2(d);
    return true;
}

}  // namespace console::gx

#else

namespace console::gx {

bool DrawTriangleWide(const TriangleDraw&) {
    return false;
}

}  // namespace console::gx

#endif
