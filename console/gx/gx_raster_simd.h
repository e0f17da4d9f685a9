// Four-lane vectors for the rasteriser's inner loops, written with the
// compiler's vector extensions so that they map onto the baseline SIMD of the
// target (SSE2 on x86-64) without intrinsics.
#pragma once

#include <cstring>

#include "console/types.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace console::gx::simd {

using V4f = float __attribute__((vector_size(16)));
using V4i = s32 __attribute__((vector_size(16)));
using V4u = u32 __attribute__((vector_size(16)));
using V8h = u16 __attribute__((vector_size(16)));
using V2d = double __attribute__((vector_size(16)));
using V2i = s32 __attribute__((vector_size(8)));

// a > b ? a : b and a < b ? a : b, NaN in `a` giving `b`. The compiler does not
// find the single instructions for these on its own.
inline V4f Max(V4f a, V4f b) {
#if defined(__SSE2__)
    return V4f(_mm_max_ps(__m128(a), __m128(b)));
#else
    return a > b ? a : b;
#endif
}
inline V4f Min(V4f a, V4f b) {
#if defined(__SSE2__)
    return V4f(_mm_min_ps(__m128(a), __m128(b)));
#else
    return a < b ? a : b;
#endif
}
inline V2d Max(V2d a, V2d b) {
#if defined(__SSE2__)
    return V2d(_mm_max_pd(__m128d(a), __m128d(b)));
#else
    return a > b ? a : b;
#endif
}
inline V2d Min(V2d a, V2d b) {
#if defined(__SSE2__)
    return V2d(_mm_min_pd(__m128d(a), __m128d(b)));
#else
    return a < b ? a : b;
#endif
}

inline V4u Load(const u32* p) {
    V4u v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store(u32* p, V4u v) {
    std::memcpy(p, &v, sizeof v);
}

inline bool Any(V4i mask) {
    u64 halves[2];
    std::memcpy(halves, &mask, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

inline V4u Select(V4i mask, V4u yes, V4u no) {
    const V4u m = V4u(mask);
    return (yes & m) | (no & ~m);
}

// floor((x + 127) / 255) in each 16-bit lane, exact for x <= 255 * 255.
inline V8h Div255(V8h x) {
    const V8h y = x + 128;
    return (y + (y >> 8)) >> 8;
}

// Per channel of packed 8-bit colours, floor((a * b + 127) / 255).
inline V4u MulColor(V4u a, V4u b) {
    const V4u m = V4u{} + 0x00FF00FFu;
    const V8h lo = Div255(V8h(a & m) * V8h(b & m));
    const V8h hi = Div255(V8h((a >> 8) & m) * V8h((b >> 8) & m));
    return V4u(lo) | (V4u(hi) << 8);
}

// Each byte of a and b added and held at 255.
inline V4u AddSaturate(V4u a, V4u b) {
#if defined(__SSE2__)
    return V4u(_mm_adds_epu8(__m128i(a), __m128i(b)));
#else
    const V4u low = (a & 0x7F7F7F7Fu) + (b & 0x7F7F7F7Fu);
    const V4u sum = low ^ ((a ^ b) & 0x80808080u);
    const V4u carry = ((a & b) | ((a | b) & ~sum)) & 0x80808080u;
    return sum | ((carry >> 7) * 0xFFu);
#endif
}

// Per channel, floor((s * alpha + d * (255 - alpha) + 127) / 255) with the
// source's alpha, the source in 16-bit lanes: blue and red in `lo`, green and
// alpha in `hi`.
inline V4u BlendLanes(V8h lo, V8h hi, V4u d) {
    const V4u m = V4u{} + 0x00FF00FFu;
    const V4u a = V4u(hi) >> 16;
    const V8h a2 = V8h(a | (a << 16));
    const V8h ia2 = V8h(m) - a2;
    const V8h blo = Div255(lo * a2 + V8h(d & m) * ia2);
    const V8h bhi = Div255(hi * a2 + V8h((d >> 8) & m) * ia2);
    return V4u(blo) | (V4u(bhi) << 8);
}

inline V4u BlendSrcAlpha(V4u s, V4u d) {
    const V4u m = V4u{} + 0x00FF00FFu;
    return BlendLanes(V8h(s & m), V8h((s >> 8) & m), d);
}

// BlendSrcAlpha(MulColor(a, b), d), the product kept in its lanes.
inline V4u ModulateBlendSrcAlpha(V4u a, V4u b, V4u d) {
    const V4u m = V4u{} + 0x00FF00FFu;
    return BlendLanes(Div255(V8h(a & m) * V8h(b & m)), Div255(V8h((a >> 8) & m) * V8h((b >> 8) & m)), d);
}

}  // namespace console::gx::simd
