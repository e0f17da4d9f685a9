// Under AddressSanitizer the heaps poison what no caller owns: each access below
// must be reported. Without the sanitizer there is nothing to check.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "console/poison.h"
#include "tests/engine/HeapFixture.h"

namespace {

using HeapPoisonDeathTest = HeapFixture;

TEST_F(HeapPoisonDeathTest, TouchingWhatNoCallerOwnsIsReported) {
#ifndef BOWLING_HEAP_POISON
    GTEST_SKIP() << "needs AddressSanitizer";
#else
    auto* upper = static_cast<volatile u8*>(HeapMalloc(100, "upper", 1));
    auto* lower = static_cast<volatile u8*>(HeapMalloc(64, "lower", 2));  // ends at upper's header
    auto* freed = static_cast<volatile u8*>(HeapMalloc(40, "freed", 3));
    auto* extra = static_cast<volatile u8*>(HeapMallocFromExtraHeap(16, "extra", 4));
    auto* delayed = static_cast<volatile u8*>(HeapMalloc(8, "delayed", 5));
    ASSERT_TRUE(upper && lower && freed && extra && delayed);
    ASSERT_EQ(lower + 64 + MALLOC_HEADER_SIZE, upper);
    HeapMallocFree(const_cast<u8*>(freed));
    HeapMallocDelayedFree(const_cast<u8*>(delayed), 1);
    // A block is the caller's to its last byte.
    for (volatile u8* last : {&upper[99], &lower[63], &extra[15], &delayed[7]})
        *last = 1;

    const struct {
        const char* what;
        std::function<void()> touch;
    } kCases[] = {
        {"slack after a block", [&] { upper[100] = 1; }},
        {"next block's header", [&] { lower[64] = 1; }},
        {"own header", [&] { (void)upper[-1]; }},
        {"freed block", [&] { (void)freed[0]; }},
        {"free space", [&] { *reinterpret_cast<volatile u8*>(MainHeap.lomem.address) = 1; }},
        {"after an extra-heap block", [&] { extra[16] = 1; }},
        {"header of a delayed free", [&] { (void)delayed[-4]; }},
    };
    for (const auto& c : kCases)
        EXPECT_DEATH(Uncaptured(c.touch), "AddressSanitizer") << c.what;
#endif
}

}  // namespace
