// Memory card: the slots' status words as cards come and go under the poll task.
#include <string>

#include "console/card/card_control.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr u32 kReset = Mem_Card_Empty | Mem_Card_Not_Ready;

class MemCardTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        curCard = 0;  // as at power-on: the warm reset leaves it
        MemCardWarmReset();
    }
    u32 Status(u32 slot) const { return MemCardGetStatus(slot).word; }
    void Insert(s32 chan, s32 sectorSize = 8192) { HostCARDSetSlot(chan, CARD_RESULT_READY, 4, sectorSize); }
    void Remove(s32 chan) { HostCARDSetSlot(chan, CARD_RESULT_NOCARD, 0, 0); }
};

TEST_F(MemCardTest, WarmResetRegistersAnUnnamedPollTaskWithPollingOff) {
    ASSERT_NE(MemCardPollThread, nullptr);
    EXPECT_EQ(std::string(MemCardPollThread->name), "Unnamed Thread");
    EXPECT_EQ(MemCardPollThread->priority, MEMCARD_POLL_PRIORITY);
    Insert(0);
    EventWait(2);
    EXPECT_EQ(Status(0), kReset);
    EXPECT_EQ(Status(1), kReset);
    EXPECT_EQ(Status(2), Mem_Card_Empty);
    EXPECT_EQ(HostCARDProbeCount(0), 0u);
}

TEST_F(MemCardTest, InsertRemoveAndReinsertWhilePolling) {
    MemCardActivate();
    Insert(0);
    EventWait(1);
    EXPECT_EQ(Status(0), Mem_Card_Present | Mem_Card_Swapped);
    EXPECT_EQ(MemCard[0].memSize, 4);
    EXPECT_EQ(MemCard[0].sectorSize, 8192);
    EventWait(2);  // slot 1 (empty), then slot 0 again: Swapped stays
    EXPECT_EQ(Status(0), Mem_Card_Present | Mem_Card_Swapped);
    EXPECT_EQ(Status(1), Mem_Card_Empty);

    Remove(0);
    EventWait(2);
    EXPECT_EQ(Status(0), Mem_Card_Empty);
    EXPECT_EQ(MemCard[0].sectorSize, 0);
    EXPECT_EQ(MemCard[0].freeBytes, -1);
    EXPECT_EQ(MemCard[0].freeDirEntries, -1);
    Insert(0);
    EventWait(2);
    EXPECT_EQ(Status(0), Mem_Card_Present | Mem_Card_Swapped);

    MemCardDeactivate();
    const u32 probes = HostCARDProbeCount(0);
    EventWait(2);
    EXPECT_EQ(Status(0), kReset);
    EXPECT_EQ(MemCard[0].memSize, 0);
    EXPECT_EQ(HostCARDProbeCount(0), probes);
}

TEST_F(MemCardTest, BadSectorSizeAndWrongDeviceAreMarked) {
    MemCardActivate();
    Insert(0, 512);
    HostCARDSetSlot(1, CARD_RESULT_WRONGDEVICE, 0, 0);
    EventWait(4);
    EXPECT_EQ(Status(0), Mem_Card_Present | Mem_Card_Swapped | Mem_Card_Bad_Size);
    EXPECT_EQ(Status(1), Mem_Card_Present | Mem_Card_Wrong_Device);
}

TEST_F(MemCardTest, ABusySlotHoldsThePoll) {
    MemCardActivate();
    HostCARDSetSlot(0, CARD_RESULT_BUSY, 0, 0);
    Insert(1);
    EventWait(5);
    EXPECT_EQ(HostCARDProbeCount(0), 5u);
    EXPECT_EQ(HostCARDProbeCount(1), 0u);
    EXPECT_EQ(Status(0), kReset);
    Insert(0);
    EventWait(2);
    EXPECT_EQ(Status(0), Mem_Card_Present | Mem_Card_Swapped);
    EXPECT_EQ(Status(1), Mem_Card_Present | Mem_Card_Swapped);
    EXPECT_EQ(CARDProbeEx(2, nullptr, nullptr), CARD_RESULT_FATAL_ERROR);
}

}  // namespace
