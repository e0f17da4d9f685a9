#include "console/gx/gx_copy_row.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "console/gx/gx_raster_simd.h"

namespace console::gx {

namespace {

static_assert(std::endian::native == std::endian::little, "the vector rows store YUYV as words");

u32 FilterPixel(const CopyRowSource& s, u32 x) {
    u32 out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const u32 sum = s.weights[0] * ((s.above[x] >> shift) & 0xFFu) +
                        s.weights[1] * ((s.line[x] >> shift) & 0xFFu) +
                        s.weights[2] * ((s.below[x] >> shift) & 0xFFu) + 32;
        out |= std::min(sum >> 6, 255u) << shift;
    }
    return out;
}

int Luma(int r, int g, int b) {
    return ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16;
}

using simd::Load;
using VU = simd::V4u;
using VI = simd::V4i;
using VH = simd::V8h;
using VL = u64 __attribute__((vector_size(16)));
constexpr int kLanes = 4;

void StoreBytes(u8* p, VU v) {
    std::memcpy(p, &v, sizeof v);
}

VU Evens(VU a, VU b) {
    return __builtin_shufflevector(a, b, 0, 2, 4, 6);
}

VI Madd(VH a, VH b) {
#if defined(__SSE2__)
    return VI(_mm_madd_epi16(__m128i(a), __m128i(b)));
#else
    VI sum;
    for (int i = 0; i < kLanes; ++i)
        sum[i] = s16(a[2 * i]) * s16(b[2 * i]) + s16(a[2 * i + 1]) * s16(b[2 * i + 1]);
    return sum;
#endif
}

#include "console/gx/gx_copy_row_kernel.h"

}  // namespace

void CopyRowScalar(const CopyRowSource& s, u32 from, u32 width, u8* yuyv) {
    yuyv += std::size_t(from) * 2;
    for (u32 x = from; x + 1 < width; x += 2, yuyv += 4) {
        const u32 p0 = s.filter ? FilterPixel(s, x) : s.line[x];
        const u32 p1 = s.filter ? FilterPixel(s, x + 1) : s.line[x + 1];
        const int r0 = (p0 >> 16) & 0xFF, g0 = (p0 >> 8) & 0xFF, b0 = p0 & 0xFF;
        const int r1 = (p1 >> 16) & 0xFF, g1 = (p1 >> 8) & 0xFF, b1 = p1 & 0xFF;
        const int r = r0 + r1;
        const int g = g0 + g1;
        const int b = b0 + b1;
        yuyv[0] = u8(Luma(r0, g0, b0));
        yuyv[1] = u8(((-38 * r - 74 * g + 112 * b + 256) >> 9) + 128);
        yuyv[2] = u8(Luma(r1, g1, b1));
        yuyv[3] = u8(((112 * r - 94 * g - 18 * b + 256) >> 9) + 128);
    }
}

void CopyRowVector(const CopyRowSource& s, u32 width, u8* yuyv) {
    const u32 done = s.filter ? CopyRowGroups<true>(s, width, yuyv) : CopyRowGroups<false>(s, width, yuyv);
    CopyRowScalar(s, done, width, yuyv);
}

void CopyRow(const CopyRowSource& s, u32 width, u8* yuyv) {
    if (!CopyRowWide(s, width, yuyv))
        CopyRowVector(s, width, yuyv);
}

}  // namespace console::gx
