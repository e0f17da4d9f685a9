#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "orblib47/source/Heap.h"
#include "tests/engine/HeapFixture.h"

namespace {

// A private heap over a static buffer, laid out by exact lengths (alignment 1):
// each entry is a block that stays or a gap (a block that is freed again).
class HeapLayoutTest : public HeapFixture {
protected:
    struct Piece {
        u32 length;
        bool gap;
    };

    void Lay(std::initializer_list<Piece> pieces) {
        u32 total = 0;
        for (const Piece& piece : pieces)
            total += piece.length;
        ASSERT_LE(total, sizeof(buffer_));
        HeapNew(&heap_, buffer_, buffer_ + total);
        std::vector<s_mem_handle*> gaps;
        for (const Piece& piece : pieces) {
            s_mem_handle* handle = NewHandleLow(&heap_, piece.length, 1, "Layout", 1);
            ASSERT_NE(handle, nullptr);
            (piece.gap ? gaps : kept_).push_back(handle);
        }
        for (s_mem_handle* handle : gaps)
            FreeHandle(handle);
    }

    u8* EndOf(const s_mem_handle* handle) { return handle->address + handle->length; }

    alignas(32) static inline u8 buffer_[4096];
    s_heap heap_{};
    std::vector<s_mem_handle*> kept_;
};

TEST_F(HeapFixture, MallocPlacesBlocksFromTheTopDownAndLowFromTheBottomUp) {
    void* first = HeapMalloc(100, "First.cpp", 10);
    void* second = HeapMalloc(100, "Second.cpp", 20);
    void* low = HeapMallocLow(100, "Low.cpp", 30);
    ASSERT_TRUE(first && second && low);

    std::uintptr_t top = Addr(MainHeap.himem.address);
    EXPECT_EQ(Addr(HandleOf(first)->address), AlignDown(top - 132, 32));
    EXPECT_EQ(Addr(HandleOf(second)->address), AlignDown(Addr(HandleOf(first)->address) - 132, 32));
    EXPECT_EQ(Addr(first), Addr(HandleOf(first)->address) + 32);

    u32 poolBytes = 0;
    ASSERT_TRUE(RecordPoolBytes(kMaxHandle, sizeof(s_mem_handle), &poolBytes));
    EXPECT_EQ(MainHeap.lomem.address, reinterpret_cast<u8*>(HandleRecords) + poolBytes);
    EXPECT_EQ(Addr(HandleOf(low)->address), AlignUp(Addr(MainHeap.lomem.address), 32));

    for (void* p : {first, second, low})
        EXPECT_EQ(Addr(p) % 32, 0u);
    EXPECT_EQ(Blocks(MainHeap),
              (std::vector<s_mem_handle*>{HandleOf(low), HandleOf(second), HandleOf(first)}));
    EXPECT_EQ(MainHeap.numHandles, 3u);
    EXPECT_EQ(MainHeap.avail, MainHeap.size - 3 * 132);
}

TEST_F(HeapFixture, BlockRecordsItsOrigin) {
    SysIdPush(FourCC("ARAM"));
    void* p = HeapMalloc(64, "Sound.cpp", 77);
    SysIdPop();
    s_mem_handle* handle = HandleOf(p);
    EXPECT_EQ(handle->id, FourCC("ARAM"));
    EXPECT_EQ(handle->heap, &MainHeap);
    EXPECT_EQ(handle->flags, 5u);
    EXPECT_EQ(handle->alignment, 32u);
    EXPECT_EQ(handle->length, 96u);
    EXPECT_STREQ(handle->filename, "Sound.cpp");
    EXPECT_EQ(handle->linenum, 77u);
    EXPECT_STREQ(handle->comment, "");
    EXPECT_EQ(handle->func, nullptr);
    EXPECT_EQ(HandleOf(HeapMalloc(1, "x", 1))->id, FourCC(" SYS"));
}

TEST_F(HeapLayoutTest, BestFitTakesTheSmallestFittingGapAtItsBottom) {
    Lay({{16, false}, {500, true}, {16, false}, {200, true}, {16, false}, {300, true}, {16, false}});
    s_mem_handle* handle = NewHandleBestFit(&heap_, 150, 1, "Best", 1);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->address, EndOf(kept_[1]));
    EXPECT_EQ(handle->prev, kept_[1]);

    // An exact fit wins over the bigger gaps, even a later one.
    s_mem_handle* exact = NewHandleBestFit(&heap_, 300, 1, "Best", 2);
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(exact->address, EndOf(kept_[2]));

    EXPECT_EQ(NewHandleBestFit(&heap_, 501, 1, "Best", 3), nullptr);
    EXPECT_EQ(heap_.errorFlag, 1u);
    EXPECT_EQ(heap_.errorSize, 501u);
    EXPECT_EQ(output(), "");  // only the main heap reports
}

TEST_F(HeapLayoutTest, SearchStartIsTheNodeBeforeTheFirstLargestGap) {
    Lay({{16, false}, {100, true}, {16, false}, {300, true}, {16, false}, {300, true}, {16, false}});
    HeapSetAllocSearchStart(&heap_);
    EXPECT_EQ(heap_.allocSearchStart, kept_[1]);
    EXPECT_EQ(HeapLargestAvail(&heap_), 300u);
    EXPECT_EQ(HeapAvail(&heap_), 700u);

    HeapNew(&heap_, buffer_, buffer_);
    HeapSetAllocSearchStart(&heap_);
    EXPECT_EQ(heap_.allocSearchStart, &heap_.lomem);
}

TEST_F(HeapLayoutTest, FirstFitTakesTheTopOfTheLowestGapUnlessTheFastSearchIsOn) {
    Lay({{16, false}, {100, true}, {16, false}, {300, true}, {16, false}, {300, true}, {16, false}});
    s_mem_handle* slow = NewHandle(&heap_, 50, 16, "Slow", 1);
    ASSERT_NE(slow, nullptr);
    EXPECT_EQ(Addr(slow->address), AlignDown(Addr(kept_[1]->address) - 50, 16));
    EXPECT_EQ(slow->prev, kept_[0]);

    g_UseFastHeapSearch = 1;
    HeapSetAllocSearchStart(&heap_);
    s_mem_handle* fast = NewHandle(&heap_, 40, 1, "Fast", 1);
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->address, kept_[2]->address - 40);  // not the 48-byte gap below

    // The search start never stays on a released handle.
    heap_.allocSearchStart = fast;
    FreeHandle(fast);
    EXPECT_EQ(heap_.allocSearchStart, kept_[1]);
}

TEST_F(HeapLayoutTest, LowRefusesMoreThanAvailableAtOnce) {
    Lay({{16, false}, {100, true}, {16, false}});
    EXPECT_EQ(NewHandleLow(&heap_, 101, 1, "Low", 1), nullptr);
    EXPECT_EQ(heap_.errorFlag, 0u);
    s_mem_handle* handle = NewHandleLow(&heap_, 40, 32, "Low", 1);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(Addr(handle->address), AlignUp(Addr(EndOf(kept_[0])), 32));
}

TEST_F(HeapFixture, OutOfHandlesIsReportedAndRecovers) {
    Rebuild(4);
    std::vector<void*> blocks;
    for (int i = 0; i < 4; ++i)
        blocks.push_back(HeapMalloc(8, "h", i));
    EXPECT_EQ(HeapMalloc(8, "h", 5), nullptr);
    // The extra heap is tried too, from the same pool.
    EXPECT_EQ(output(),
              "HEAP: Out of handles!\nMALLOC: Allocating 40 bytes from Extra Heap!\nHEAP: Out of handles!\n");
    HeapMallocFree(blocks.back());
    EXPECT_NE(HeapMalloc(8, "h", 6), nullptr);
}

using HeapDeathTest = HeapFixture;

TEST_F(HeapDeathTest, HandlePoolThatDoesNotFitStops) {
    EXPECT_DEATH(Uncaptured([&] { HeapWarmReset(1000000, MemoryGetBase(), MemoryGetSize()); }),
                 "HeapWarmReset: 1000000 handles do not fit");
    EXPECT_DEATH(Uncaptured([&] { HeapWarmReset(UINT32_MAX, MemoryGetBase(), MemoryGetSize()); }),
                 "handles do not fit");
}

}  // namespace
