#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "orblib47/source/Heap.h"
#include "tests/engine/HeapFixture.h"

namespace {

class HeapRandomTest : public HeapFixture {
protected:
    struct Live {
        u8* pointer;
        u32 size;
        u8 fill;
    };

    // The list is ordered, blocks sit inside the heap without overlap, and the
    // heap's counters agree with it.
    void CheckHeap(s_heap& heap, u32 expectedBlocks) {
        u64 used = 0;
        u32 blocks = 0;
        for (s_mem_handle* node = &heap.lomem; node != &heap.himem; node = node->next) {
            ASSERT_EQ(node->next->prev, node);
            ASSERT_LE(node->address + node->length, node->next->address);
            if (node == &heap.lomem)
                continue;
            ASSERT_EQ(node->heap, &heap);
            ASSERT_GE(node->address, heap.lomem.address);
            used += node->length;
            ++blocks;
        }
        ASSERT_EQ(heap.avail, heap.size - used);
        ASSERT_EQ(heap.numHandles, blocks);
        ASSERT_EQ(blocks, expectedBlocks);
    }

    void CheckAll(const std::vector<Live>& live) {
        u32 inMain = 0;
        for (const Live& block : live) {
            ASSERT_EQ(Addr(block.pointer) % 32, 0u);
            s_mem_handle* handle = HandleOf(block.pointer);
            ASSERT_EQ(handle->address + 32, block.pointer);
            ASSERT_EQ(handle->length, block.size + 32);
            if (handle->heap == &MainHeap)
                ++inMain;
        }
        CheckHeap(MainHeap, inMain);
        CheckHeap(ExtraHeap, u32(live.size()) - inMain);
    }
};

TEST_F(HeapRandomTest, MixedAllocationsKeepTheHeapsConsistent) {
    Rebuild(4096);
    std::mt19937 random(20070101);
    std::vector<Live> live;
    for (int step = 0; step < 5000; ++step) {
        if (live.empty() || random() % 100 < 55) {
            u32 size = random() % 8 == 0 ? random() % 200000 : random() % 3000;
            void* (*const strategies[])(u32, const char*, s32) = {HeapMalloc, HeapMallocLow,
                                                                  HeapMallocBestFit};
            auto* p = static_cast<u8*>(strategies[random() % 3](size, "Random.cpp", step));
            if (p != nullptr) {
                u8 fill = u8(step);
                std::fill(p, p + size, fill);
                live.push_back({p, size, fill});
            }
        } else {
            std::size_t index = random() % live.size();
            const Live& block = live[index];
            // Any overlap would have overwritten some bytes of this block.
            ASSERT_EQ(std::count(block.pointer, block.pointer + block.size, block.fill), block.size)
                << "step " << step;
            HeapMallocFree(block.pointer);
            live[index] = live.back();
            live.pop_back();
        }
        ASSERT_NO_FATAL_FAILURE(CheckAll(live)) << "step " << step;
    }
    for (const Live& block : live)
        HeapMallocFree(block.pointer);
    EXPECT_EQ(MainHeap.avail, MainHeap.size);
    EXPECT_EQ(ExtraHeap.avail, ExtraHeap.size);
}

}  // namespace
