// System heaps in the arenas, set up the way the engine takes its arenas.
#include <gtest/gtest.h>

#include <cstdint>

#include "console/gx.h"
#include "console/os.h"
#include "console/poison.h"
#include "console/system.h"

namespace {

uintptr_t Addr(const void* p) {
    return reinterpret_cast<uintptr_t>(p);
}

class OSAllocTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostConfig config;
        config.mem1Size = 1024 * 1024;
        config.mem2Size = 512 * 1024;
        HostInit(config);
    }
    void TearDown() override { HostShutdown(); }

    // One system heap over the whole of MEM1, as the engine makes it.
    OSHeapHandle HeapOverMem1() {
        void* lo = OSGetMEM1ArenaLo();
        void* hi = OSGetMEM1ArenaHi();
        void* start = OSInitAlloc(lo, hi, 1);
        OSSetMEM1ArenaLo(start);
        const OSHeapHandle heap = OSCreateHeap(start, hi);
        OSSetMEM1ArenaLo(hi);
        return heap;
    }
};

TEST_F(OSAllocTest, ArenasAreAlignedAndSized) {
    EXPECT_EQ(Addr(OSGetMEM1ArenaLo()) % 32, 0u);
    EXPECT_EQ(Addr(OSGetMEM2ArenaLo()) % 32, 0u);
    EXPECT_EQ(Addr(OSGetMEM1ArenaHi()) - Addr(OSGetMEM1ArenaLo()), 1024u * 1024);
    EXPECT_EQ(Addr(OSGetMEM2ArenaHi()) - Addr(OSGetMEM2ArenaLo()), 512u * 1024);
    char* hi = static_cast<char*>(OSGetMEM2ArenaHi());
    OSSetMEM2ArenaHi(hi - 64);
    EXPECT_EQ(OSGetMEM2ArenaHi(), hi - 64);
}

// A copy to texture is written on the pixel threads, in turn: a block given
// back before then is written first (under the sanitizer, a write after the
// block is poisoned would be reported). One pixel thread leaves the copy
// queued until something waits for it.
TEST_F(OSAllocTest, ABlockGivenBackHoldsTheCopyQueuedIntoIt) {
    HostConfig config;
    config.gxThreads = 1;
    HostInit(config);
    const OSHeapHandle heap = HeapOverMem1();
    void* texels = OSAllocFromHeap(heap, 64 * 64 * 4);
    ASSERT_NE(texels, nullptr);
    GXSetTexCopySrc(0, 0, 64, 64);
    GXSetTexCopyDst(64, 64, GX_TF_RGBA8, GX_FALSE);
    GXCopyTex(texels, GX_FALSE);
    OSFreeToHeap(heap, texels);
    GXDrawDone();
}

TEST_F(OSAllocTest, EngineSizedBlockFitsWithRoomLeft) {
    // The engine asks for all but 64 + 1024 bytes of the arena and keeps the rest
    // for small platform allocations.
    const uintptr_t arenaSize = Addr(OSGetMEM1ArenaHi()) - Addr(OSGetMEM1ArenaLo());
    const OSHeapHandle heap = HeapOverMem1();
    EXPECT_EQ(OSGetMEM1ArenaLo(), OSGetMEM1ArenaHi());
    EXPECT_EQ(OSSetCurrentHeap(heap), -1);
    void* block = OSAllocFromHeap(heap, static_cast<u32>(arenaSize - 64 - 1024));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Addr(block) % 32, 0u);
    void* small = OSAllocFromHeap(heap, 512);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(OSAllocFromHeap(heap, 1024), nullptr);
    OSFreeToHeap(heap, block);
    OSFreeToHeap(heap, small);
    // Freed blocks merge back into one gap the size of the heap.
    EXPECT_NE(OSAllocFromHeap(heap, static_cast<u32>(arenaSize - 128)), nullptr);
}

TEST_F(OSAllocTest, FirstFitReusesFreedGapsAndMerges) {
    const OSHeapHandle heap = HeapOverMem1();
    void* a = OSAllocFromHeap(heap, 100);
    void* b = OSAllocFromHeap(heap, 100);
    void* c = OSAllocFromHeap(heap, 100);
    ASSERT_TRUE(a && b && c);
    EXPECT_LT(Addr(a), Addr(b));
    EXPECT_EQ(Addr(b) - Addr(a), 128u + 32u);  // 100 rounded to 32, plus the header
    OSFreeToHeap(heap, a);
    OSFreeToHeap(heap, b);
    // a and b merged: a block bigger than either fits at a's address.
    EXPECT_EQ(OSAllocFromHeap(heap, 250), a);
    // The next block comes after c: the merged gap is used up.
    EXPECT_GT(Addr(OSAllocFromHeap(heap, 32)), Addr(c));
}

// A gap of a header plus 32 bytes left by a split is a block of its own; a smaller
// one stays with the block before it.
TEST_F(OSAllocTest, TheSmallestRemainderServesA32ByteBlock) {
    struct Case {
        uintptr_t left;  // after the first block, header included
        bool split;
    };
    void* hi = OSGetMEM1ArenaHi();
    u8* start = static_cast<u8*>(OSInitAlloc(OSGetMEM1ArenaLo(), hi, 1));
    const OSHeapHandle heap = OSCreateHeap(start, hi);
    const uintptr_t heapSize = Addr(hi) - Addr(start);
    for (Case c : {Case{64, true}, Case{32, false}}) {
        void* first = OSAllocFromHeap(heap, u32(heapSize - 32 - c.left));
        ASSERT_EQ(first, start + 32);
        void* last = OSAllocFromHeap(heap, 32);
        EXPECT_EQ(last != nullptr, c.split) << c.left;
        EXPECT_EQ(OSAllocFromHeap(heap, 0), nullptr) << c.left;
        OSFreeToHeap(heap, first);
        if (last != nullptr) {
            EXPECT_EQ(Addr(last), Addr(hi) - 32);
            OSFreeToHeap(heap, last);
        }
    }
    // Everything merged back: the whole heap is one block again.
    EXPECT_EQ(OSAllocFromHeap(heap, u32(heapSize - 32)), start + 32);
}

TEST_F(OSAllocTest, HandlesOfBothArenasStayValid) {
    const OSHeapHandle mem1 = HeapOverMem1();
    void* lo2 = OSInitAlloc(OSGetMEM2ArenaLo(), OSGetMEM2ArenaHi(), 1);
    const OSHeapHandle mem2 = OSCreateHeap(lo2, OSGetMEM2ArenaHi());
    EXPECT_NE(mem1, mem2);
    void* p1 = OSAllocFromHeap(mem1, 64);
    void* p2 = OSAllocFromHeap(mem2, 64);
    EXPECT_GE(Addr(p1), Addr(OSGetMEM1ArenaHi()) - 1024 * 1024);
    EXPECT_LT(Addr(p1), Addr(OSGetMEM1ArenaHi()));
    EXPECT_GE(Addr(p2), Addr(lo2));
    EXPECT_LT(Addr(p2), Addr(OSGetMEM2ArenaHi()));
    EXPECT_EQ(OSSetCurrentHeap(mem2), -1);
    EXPECT_EQ(OSSetCurrentHeap(mem1), mem2);
    OSFreeToHeap(mem1, p1);
    OSFreeToHeap(mem2, p2);
}

using OSAllocDeathTest = OSAllocTest;

TEST_F(OSAllocDeathTest, MisuseIsFatal) {
    const OSHeapHandle heap = HeapOverMem1();
    void* p = OSAllocFromHeap(heap, 64);
    EXPECT_DEATH(OSFreeToHeap(heap, static_cast<char*>(p) + 32),
                 "OSFreeToHeap\\(\\): .* is not an allocated block");
    OSFreeToHeap(heap, p);
    EXPECT_DEATH(OSFreeToHeap(heap, p), "is not an allocated block");
    EXPECT_DEATH(OSAllocFromHeap(heap + 1, 64), "OSAllocFromHeap\\(\\): invalid heap handle");
    static char outside[256];
    EXPECT_DEATH(OSCreateHeap(outside, outside + sizeof outside), "not given to OSInitAlloc");
}

TEST_F(OSAllocDeathTest, UnderTheSanitizerFreeSpaceAndSlackAreOffLimits) {
#ifndef BOWLING_HEAP_POISON
    GTEST_SKIP() << "needs AddressSanitizer";
#else
    const OSHeapHandle heap = HeapOverMem1();
    auto* block = static_cast<volatile u8*>(OSAllocFromHeap(heap, 40));
    auto* freed = static_cast<volatile u8*>(OSAllocFromHeap(heap, 64));
    OSFreeToHeap(heap, const_cast<u8*>(freed));
    block[39] = 1;
    EXPECT_DEATH(block[40] = 1, "AddressSanitizer");
    EXPECT_DEATH((void)freed[0], "AddressSanitizer");
#endif
}

}  // namespace
