#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"
#include "tests/engine/HeapFixture.h"

namespace {

using HeapDumpTest = HeapFixture;
using HeapTrackTest = HeapFixture;

std::string Stats(const std::string& title, u32 allocs, u32 freeBlocks, u32 space, u32 largest) {
    char text[512];
    std::snprintf(text, sizeof(text),
                  "\nHeap Dump Statistics: %s\n         Number of Allocs: %u\n    Number of Free Blocks: %u\n"
                  "          Space Available: %u\n             Largest Free: %u\n",
                  title.c_str(), allocs, freeBlocks, space, largest);
    return text;
}

std::string BlockLine(void* address, u32 length, const char* mark, u32 line, const char* file) {
    char text[256];
    std::snprintf(text, sizeof(text), "0x%08" PRIxPTR " [%8u]%s @ line %4u of %s",
                  reinterpret_cast<std::uintptr_t>(address), length, mark, line, file);
    return text;
}

u32 GapCount(s_heap& heap) {
    u32 gaps = 0;
    for (s_mem_handle* node = &heap.lomem; node->next != nullptr; node = node->next) {
        if (node->next->address != node->address + node->length)
            ++gaps;
    }
    return gaps;
}

TEST_F(HeapDumpTest, ListsBlocksGapsAndStatistics) {
    void* pool = HeapMalloc(100, "Pool.cpp", 12);
    HeapAddrAddComment(pool, "Pool:Records");
    void* low = HeapMallocLow(50, "Low.cpp", 7);
    clearOutput();
    HeapDump(&MainHeap, 0, "Title");
    std::string text = output();

    EXPECT_EQ(text.rfind("Heap Dump: Title\n", 0), 0u);
    EXPECT_NE(text.find(BlockLine(HandleOf(pool)->address, 132, "", 12, "Pool.cpp") + " (Pool:Records)\n"),
              std::string::npos);
    EXPECT_NE(text.find(BlockLine(HandleOf(low)->address, 82, "", 7, "Low.cpp") + "\n"), std::string::npos);
    EXPECT_NE(text.find(" [   lomem]\n"), std::string::npos);
    EXPECT_NE(text.find(" [   himem]\n"), std::string::npos);
    EXPECT_EQ(Count(text, "FREE BLOCK\n"), GapCount(MainHeap));
    u32 gaps = GapCount(MainHeap);
    std::string stats = Stats("Title", 2, gaps, MainHeap.avail, HeapLargestAvail(&MainHeap));
    EXPECT_EQ(text.substr(text.size() - stats.size()), stats);
    EXPECT_LT(text.find("lomem"), text.find("Low.cpp"));
    EXPECT_LT(text.find("Low.cpp"), text.find("Pool.cpp"));
    EXPECT_LT(text.find("Pool.cpp"), text.find("himem"));

    clearOutput();
    HeapDump(&MainHeap, HEAP_DUMP_STATS_ONLY, "Stats");
    EXPECT_EQ(output(), Stats("Stats", 2, gaps, MainHeap.avail, HeapLargestAvail(&MainHeap)));

    clearOutput();
    HeapDump(&MainHeap, HEAP_DUMP_FREE_ONLY, "Free");
    EXPECT_EQ(output().find("@ line"), std::string::npos);
    EXPECT_EQ(Count(output(), "FREE BLOCK\n"), gaps);
    EXPECT_NE(output().find("lomem"), std::string::npos);

    clearOutput();
    HeapDump(nullptr, 0, "None");
    EXPECT_EQ(output(), "");
}

TEST_F(HeapDumpTest, HeapThreadDumpsOnDemandOnce) {
    g_HeapDumpStatsOnDemand = 1;
    g_HeapDumpFreeOnDemand = 1;
    HeapThread(nullptr, nullptr);
    EXPECT_EQ(g_HeapDumpStatsOnDemand, 0);
    EXPECT_EQ(g_HeapDumpFreeOnDemand, 0);
    EXPECT_NE(output().find("Heap Dump Statistics: Dump Stats on Demand\n"), std::string::npos);
    EXPECT_NE(output().find("Heap Dump: Dump Free Blocks on Demand\n"), std::string::npos);
    clearOutput();
    HeapThread(nullptr, nullptr);
    EXPECT_EQ(output(), "");
}

TEST_F(HeapDumpTest, PrintAvailUsesThousandsSeparators) {
    HeapMalloc(1000, "a", 1);
    char avail[DEBUG_FORMAT_SINT32_SIZE];
    char largest[DEBUG_FORMAT_SINT32_SIZE];
    std::string expected = std::string("Heap Main: ") + DebugFormatSint32(avail, s32(MainHeap.avail)) +
                           " (largest = " + DebugFormatSint32(largest, s32(HeapLargestAvail(&MainHeap))) +
                           ")\n";
    HeapPrintAvail("Main");
    EXPECT_EQ(output(), expected);
    EXPECT_NE(expected.find(','), std::string::npos);
}

TEST_F(HeapDumpTest, StartupRegistersTheHeapTask) {
    ThreadWarmReset(16);
    HeapStartup();
    auto* task = static_cast<s_thread*>(SystemThreads->next);
    ASSERT_NE(task, nullptr);
    EXPECT_STREQ(task->name, "HeapThread");
    EXPECT_EQ(task->priority, 3200u);
    EXPECT_EQ(task->func, HeapThread);
}

TEST_F(HeapTrackTest, EndTrackListsBlocksStillAllocated) {
    void* before = HeapMalloc(10, "Before.cpp", 1);
    u32 avail = MainHeap.avail;
    u32 largest = HeapLargestAvail(&MainHeap);
    HeapBeginTrack("Scene");
    EXPECT_EQ(output(), "*** [HEAP START TRACK Scene] " + std::to_string(avail) +
                            " (largest = " + std::to_string(largest) + ")\n");
    void* freed = HeapMalloc(100, "Freed.cpp", 11);
    void* orphan = HeapMallocLow(200, "Orphan.cpp", 22);
    HeapAddrAddComment(orphan, "kept");
    HeapMallocFree(freed);
    clearOutput();
    HeapMallocFree(before);
    EXPECT_EQ(output().rfind("HEAP: Track address not found: ($", 0), 0u);

    clearOutput();
    g_HeapDumpOnOrphans = 1;
    HeapEndTrack();
    std::string text = output();
    EXPECT_EQ(text.rfind("*** [HEAP_TRACK_END] ***\n", 0), 0u);
    EXPECT_EQ(Count(text, "**ORPHAN**"), 1u);
    EXPECT_NE(
        text.find(BlockLine(HandleOf(orphan)->address, 232, " **ORPHAN**", 22, "Orphan.cpp") + " (kept)\n"),
        std::string::npos);
    EXPECT_NE(text.find("Heap Dump: Orphans\n"), std::string::npos);
    EXPECT_EQ(ExtraHeap.numHandles, 0u);  // the table is gone

    clearOutput();
    HeapMallocFree(orphan);
    HeapEndTrack();
    EXPECT_EQ(output(), "");
}

TEST_F(HeapTrackTest, TableGrowsPastItsFirstSize) {
    Rebuild(8300);
    HeapBeginTrack("Many");
    for (int i = 0; i < 8200; ++i)
        ASSERT_NE(HeapMalloc(0, "Many.cpp", i), nullptr);
    EXPECT_EQ(ExtraHeap.numHandles, 1u);  // the grown table; the first one was freed
    clearOutput();
    HeapEndTrack();
    EXPECT_EQ(Count(output(), "**ORPHAN**"), 8200u);
    EXPECT_EQ(ExtraHeap.numHandles, 0u);
}

TEST_F(HeapTrackTest, TrackingSuspendsWhenTheTableCannotGrow) {
    Rebuild(8300);
    HeapBeginTrack("Full");
    ASSERT_NE(HeapMallocFromExtraHeap(ExtraHeap.avail - 1024, "Fill.cpp", 1), nullptr);
    for (int i = 0; i < 8200; ++i)
        ASSERT_NE(HeapMalloc(0, "Many.cpp", i), nullptr);
    EXPECT_EQ(Count(output(), "HEAP: Track table full, suspending heap tracking.\n"), 1u);
    clearOutput();
    HeapEndTrack();
    EXPECT_EQ(Count(output(), "**ORPHAN**"), 8192u);  // the filler and the blocks before the table filled
}

}  // namespace
