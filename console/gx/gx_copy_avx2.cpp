// The display copy's row loop eight lanes wide, for processors with AVX2; only
// this file turns AVX2 on, and its loop runs only where the processor has it.
#include <cstring>

#include "console/gx/gx_copy_row.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)

#include <immintrin.h>

namespace console::gx {

namespace {

#pragma GCC push_options
#pragma GCC target("avx2")

using VU = u32 __attribute__((vector_size(32)));
using VI = s32 __attribute__((vector_size(32)));
using VH = u16 __attribute__((vector_size(32)));
using VL = u64 __attribute__((vector_size(32)));
constexpr int kLanes = 8;

VU Load(const u32* p) {
    VU v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void StoreBytes(u8* p, VU v) {
    std::memcpy(p, &v, sizeof v);
}

VU Evens(VU a, VU b) {
    return __builtin_shufflevector(a, b, 0, 2, 4, 6, 8, 10, 12, 14);
}

VI Madd(VH a, VH b) {
    return VI(_mm256_madd_epi16(__m256i(a), __m256i(b)));
}

#include "console/gx/gx_copy_row_kernel.h"

u32 CopyRowAvx2(const CopyRowSource& s, u32 width, u8* yuyv) {
    return s.filter ? CopyRowGroups<true>(s, width, yuyv) : CopyRowGroups<false>(s, width, yuyv);
}

#pragma GCC pop_options

}  // namespace

// Outside the AVX2 code: the check must run on any processor.
bool CopyRowWide(const CopyRowSource& s, u32 width, u8* yuyv) {
    if (!__builtin_cpu_supports("avx2"))
        return false;
    CopyRowScalar(s, CopyRowAvx2(s, width, yuyv), width, yuyv);
    return true;
}

}  // namespace console::gx

#else

namespace console::gx {

bool CopyRowWide(const CopyRowSource&, u32, u8*) {
    return false;
}

}  // namespace console::gx

#endif
