#include <gtest/gtest.h>

#include <cstdint>

#include "console/os.h"
#include "console/system.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Memory.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReportCapture.h"

namespace {

constexpr u32 kMem1 = 4u * 1024 * 1024;
constexpr u32 kMem2 = 2u * 1024 * 1024;

class MemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostConfig config = TestHostConfig();
        config.mem1Size = kMem1;
        config.mem2Size = kMem2;
        HostInit(config);
    }
    void TearDown() override {
        MemoryExit();
        HostShutdown();
    }
};

using MemoryDeathTest = MemoryTest;

TEST_F(MemoryTest, TakesBothArenasAndReportsTheBlocksRealSize) {
    {
        ReportCapture report;
        MemoryColdReset();
        EXPECT_EQ(report.text(), "MEM0 RAM Size: 4194240 bytes\nMEM1 RAM Size: 2097088 bytes\n");
    }
    EXPECT_EQ(MemoryGetSize(), kMem1 - 64 - 1024);
    EXPECT_EQ(MemoryGetDebugSize(), kMem2 - 64 - 1024);
    EXPECT_NE(MemoryGetBase(), nullptr);
    EXPECT_NE(MemoryGetDebugBase(), nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(MemoryGetBase()) % 32, 0u);
    EXPECT_EQ(OSGetMEM1ArenaLo(), OSGetMEM1ArenaHi());
    EXPECT_EQ(OSGetMEM2ArenaLo(), OSGetMEM2ArenaHi());

    // The platform's share of MEM1 is still there for it.
    OSHeapHandle mem1 = OSSetCurrentHeap(0);
    OSSetCurrentHeap(mem1);
    void* platform = OSAllocFromHeap(mem1, 512);
    EXPECT_NE(platform, nullptr);
    OSFreeToHeap(mem1, platform);

    // Heaps built from the reported sizes stay inside the blocks.
    SysIdReset();
    HeapWarmReset(256, MemoryGetBase(), MemoryGetSize());
    EXPECT_LE(MainHeap.himem.address, MemoryGetBase() + MemoryGetSize());
    EXPECT_EQ(ExtraHeap.lomem.address, MemoryGetDebugBase());
    EXPECT_EQ(ExtraHeap.himem.address, MemoryGetDebugBase() + MemoryGetDebugSize());
    EXPECT_NE(HeapMalloc(MainHeap.size - 256, "top", 1), nullptr);  // touches the last bytes under ASan

    MemoryExit();
    EXPECT_EQ(MemoryGetBase(), nullptr);
    EXPECT_EQ(MemoryGetSize(), 0u);
    EXPECT_EQ(MemoryGetDebugBase(), nullptr);
    EXPECT_EQ(MemoryGetDebugSize(), 0u);
}

TEST_F(MemoryDeathTest, ArenaTooSmallForTheEngineEndsTheProgram) {
    HostConfig config = TestHostConfig();
    config.mem1Size = kMem1;
    config.mem2Size = 1024;
    HostInit(config);
    EXPECT_EXIT(MemoryColdReset(), ::testing::ExitedWithCode(1), "Unable to allocate Memory!\n");
}

}  // namespace
