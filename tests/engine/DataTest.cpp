#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/os.h"
#include "console/vi.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/DebugMemory.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/SymTableWriter.h"

namespace {

using DataTest = DataFixture;
using DataDeathTest = DataDeathFixture;

// The ELF symbol hash of one string, in its textbook form.
u32 ElfHash(const std::string& text) {
    u32 h = 0;
    for (char c : text) {
        h = (h << 4) + u32(s32(s8(c)));
        u32 g = h & 0xF0000000u;
        if (g != 0)
            h ^= g >> 24;
        h &= ~g;
    }
    return h;
}

TEST_F(DataTest, HashIsTheElfHashOverNameThenType) {
    EXPECT_EQ(dataHashName("BALL", "TIM"), ElfHash("BALLTIM"));
    EXPECT_EQ(dataHashName("ABCDEFGHIJKLMNOPQRS", "TIMXYZ"), ElfHash("ABCDEFGHIJKLMNOPTIMX"));
    EXPECT_EQ(dataHashName("\xE9\xE8\xFF", "TXT"), ElfHash("\xE9\xE8\xFFTXT"));  // signed characters
}

TEST_F(DataTest, LoadingTheSameNameAndTypeTwiceSharesOneEntry) {
    const auto before = Heaps();
    void* image = Image();
    s_DATA_ENTRY* first = DataLoad("PINS", "TIM", image, -1);
    void* copy = Image();
    s_DATA_ENTRY* second = DataLoad("PINS", "TIM", copy, -1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_EQ(first->addr, image);
    HeapMallocFree(copy);  // the loader's part: the registry keeps the first image

    EXPECT_EQ(DataRemoveCheck(first), 0);
    EXPECT_EQ(DataRemove(first), 0);
    EXPECT_EQ(DataFind("PINS", "TIM"), image);
    EXPECT_EQ(DataRemoveCheck(first), 1);
    EXPECT_EQ(DataRemove(first), 1);
    EXPECT_EQ(DataFindEntry("PINS", "TIM"), nullptr);
    EXPECT_EQ(DataRemove(nullptr), 0);
    EXPECT_EQ(DataRemoveCheck(nullptr), 0);
    EXPECT_EQ(Heaps(), before);
}

TEST_F(DataTest, AnEntryIsMadeWithTheCurrentSystemIdAndNoRecord) {
    SysIdPush(0x4C414E45);
    s_DATA_ENTRY* entry = DataLoad("LANE", "BIN", Image(), -1);
    SysIdPop();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->id, 0x4C414E45u);
    EXPECT_EQ(entry->refCount, 1);
    EXPECT_EQ(entry->record, nullptr);
    EXPECT_EQ(entry->dataId, -1);
    EXPECT_STREQ(entry->type, "BIN");
}

TEST_F(DataTest, LoadWithoutImageOrNameFindsButMakesNothing) {
    EXPECT_EQ(DataLoad("NONE", "TIM", nullptr, -1), nullptr);
    EXPECT_EQ(DataLoad(nullptr, "TIM", Image(), -1), nullptr);
    EXPECT_EQ(DataLoad("NONE", nullptr, Image(), -1), nullptr);
    EXPECT_EQ(DataFindEntry(nullptr, "TIM"), nullptr);
    EXPECT_EQ(DataFindEntry("NONE", nullptr), nullptr);
    s_DATA_ENTRY* entry = DataLoad("SOME", "TIM", Image(), -1);
    EXPECT_EQ(DataLoad("SOME", "TIM", nullptr, -1), entry);
    EXPECT_EQ(entry->refCount, 2);
}

TEST_F(DataTest, OneNameWithTwoTypesGivesTwoEntries) {
    void* texture = Image();
    void* text = Image();
    s_DATA_ENTRY* a = DataLoad("MENU", "TIM", texture, -1);
    s_DATA_ENTRY* b = DataLoad("MENU", "TXT", text, -1);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(DataFind("MENU", "TIM"), texture);
    EXPECT_EQ(DataFind("MENU", "TXT"), text);
    EXPECT_EQ(DataFind("MENU", "SPR"), nullptr);
}

TEST_F(DataTest, NamesAreComparedByTheirFirstSixteenCharacters) {
    void* image = Image();
    s_DATA_ENTRY* entry = DataLoad("ABCDEFGHIJKLMNOP", "TIM", image, -1);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(DataFind("ABCDEFGHIJKLMNOP", "TIM"), image);
    EXPECT_EQ(DataFind("ABCDEFGHIJKLMNOPQ", "TIM"), image);
    EXPECT_EQ(DataFind("ABCDEFGHIJKLMNO", "TIM"), nullptr);
    // A 17-character name registers under its first 16.
    EXPECT_EQ(DataLoad("ABCDEFGHIJKLMNOPZ", "TIM", nullptr, -1), entry);
}

TEST_F(DataTest, EntriesSharingBucketsSurviveRemovalInAnyOrder) {
    std::vector<s_DATA_ENTRY*> entries;
    for (u32 i = 0; i < kMaxData; ++i)
        entries.push_back(DataLoad(("N" + std::to_string(i * 128)).c_str(), "BIN", Image(), -1));
    for (u32 step : {5u, 0u, 15u, 8u, 3u, 12u}) {
        ASSERT_EQ(DataRemove(entries[step]), 1);
        entries[step] = nullptr;
        for (u32 i = 0; i < kMaxData; ++i) {
            s_DATA_ENTRY* found = DataFindEntry(("N" + std::to_string(i * 128)).c_str(), "BIN");
            EXPECT_EQ(found, entries[i]) << i;
        }
    }
}

TEST_F(DataTest, RunningOutOfRecordsIsReported) {
    const auto before = Heaps();
    std::vector<s_DATA_ENTRY*> entries;
    for (u32 i = 0; i < kMaxData; ++i)
        entries.push_back(DataAdd(("E" + std::to_string(i)).c_str(), "BIN", Image(), -1));
    void* spare = Image();
    EXPECT_EQ(DataLoad("ONEMORE", "BIN", spare, -1), nullptr);
    EXPECT_TRUE(report().contains("DATA: Out of data records!\n"));
    HeapMallocFree(spare);
    for (s_DATA_ENTRY* entry : entries)
        EXPECT_EQ(DataRemove(entry), 1);
    EXPECT_NE(DataLoad("ONEMORE", "BIN", Image(), -1), nullptr);
    DataRemove(DataFindEntry("ONEMORE", "BIN"));
    EXPECT_EQ(Heaps(), before);
}

TEST_F(DataTest, RegisterBindsIdsZeroToFourteenNinetyFive) {
    void* image = Image();
    s_DATA_ENTRY* entry = DataLoad("LAST", "BIN", image, -1);
    DataRegister("LAST", "BIN", 1496);
    EXPECT_TRUE(report().contains("DataRegister: Invalid id (1496)\n"));
    EXPECT_EQ(entry->dataId, -1);
    DataRegister("LAST", "BIN", -2);
    EXPECT_TRUE(report().contains("DataRegister: Invalid id (-2)\n"));

    DataRegister("LAST", "BIN", 1495);
    EXPECT_EQ(entry->dataId, 1495);
    EXPECT_EQ(DataGetEntry(1495), entry);
    EXPECT_EQ(DataGetAddr(1495), image);
    DataRegister("ABSENT", "BIN", 3);
    EXPECT_EQ(DataGetEntry(3), nullptr);
    DataRegister("FIRST", "BIN", 0);
    DataLoad("FIRST", "BIN", Image(), 0);
    EXPECT_EQ(DataGetEntry(0)->dataId, 0);
}

TEST_F(DataTest, ReplacingABindingUnbindsTheReplacedEntry) {
    s_DATA_ENTRY* a = DataLoad("A", "TXT", Image(), 5);
    s_DATA_ENTRY* b = DataLoad("B", "TXT", Image(), -1);
    DataRegister("B", "TXT", 5);
    EXPECT_EQ(DataGetEntry(5), b);
    EXPECT_EQ(a->dataId, -1);
    // Freeing the replaced entry leaves the new binding alone.
    EXPECT_EQ(DataRemove(a), 1);
    EXPECT_EQ(DataGetEntry(5), b);

    // Moving an entry to another id clears its old slot.
    DataRegister("B", "TXT", 6);
    EXPECT_EQ(DataGetEntry(5), nullptr);
    EXPECT_EQ(DataGetEntry(6), b);
    EXPECT_EQ(DataRemove(b), 1);
    EXPECT_EQ(DataGetEntry(6), nullptr);
}

TEST_F(DataTest, AddChecksItsIdAndBindsNothingWhenItIsBad) {
    s_DATA_ENTRY* entry = DataAdd("WILD", "BIN", Image(), 1496);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(report().contains("DataAdd: Invalid id (1496)\n"));
    EXPECT_EQ(entry->dataId, -1);
    s_DATA_ENTRY* low = DataAdd("LOW", "BIN", Image(), -7);
    EXPECT_TRUE(report().contains("DataAdd: Invalid id (-7)\n"));
    EXPECT_EQ(low->dataId, -1);
    s_DATA_ENTRY* bound = DataAdd("TAME", "BIN", Image(), 1495);
    EXPECT_EQ(DataGetEntry(1495), bound);
}

TEST_F(DataTest, LookupOfAnIdOutOfRangeWarnsAndGivesNull) {
    EXPECT_EQ(DataGetAddr(1496), nullptr);
    EXPECT_TRUE(report().contains("\"newId < DEBUG_DATAFILE_COUNT\""));
    EXPECT_TRUE(report().contains("id out of range\n"));
    EXPECT_EQ(DataGetEntry(12), nullptr);  // an empty slot
}

TEST_F(DataTest, SymbolIdsAreTranslatedBeforeTheLookup) {
    std::vector<u8> file = discbuild::SymTableImage({40, 9, 2000});
    ASSERT_EQ(SymbolTransLoadImage(file.data(), u32(file.size())), RET_NO_ERROR);
    void* image = Image();
    DataLoad("BOWLER", "BIN", image, 9);
    EXPECT_EQ(DataGetAddr(0x80000001u), image);
    EXPECT_EQ(DataGetAddr(0x80000000u), nullptr);  // symbol 0 is id 40, unbound

    report_->clear();
    EXPECT_EQ(DataGetAddr(0x80000002u), nullptr);  // symbol 2 is id 2000
    EXPECT_TRUE(report().contains("id out of range\n"));
    report_->clear();
    EXPECT_EQ(DataGetAddr(0x80000003u), nullptr);  // no symbol 3
    EXPECT_TRUE(report().contains("SymbolTrans: Unknown symbol 3\n"));
}

// Whether a release frees the image (the last reference) or not, it takes the
// same time: what the heap still holds never moves the clock.
TEST_F(DataTest, FreeingAnImageWaitsForTheGpuButTakesNoTime) {
    s_DATA_ENTRY* entries[3];
    for (int i = 0; i < 3; ++i)
        entries[i] = DataLoad(("F" + std::to_string(i)).c_str(), "TIM", Image(), -1);
    s_DATA_ENTRY* shared = DataLoad("SHARED", "TIM", Image(), -1);
    DataLoad("SHARED", "TIM", nullptr, -1);

    const u32 retrace = VIGetRetraceCount();
    const OSTime start = OSGetTime();
    EXPECT_EQ(DataRemove(shared), 0);  // not the last reference
    const OSTime kept = OSGetTime();
    EXPECT_EQ(DataRemove(entries[0]), 1);
    const OSTime freed = OSGetTime();
    EXPECT_EQ(freed - kept, kept - start);
    EXPECT_EQ(GXReadDrawSync(), GPU_FINISH_TOKEN);
    EventWait(1);
    EXPECT_EQ(DataRemove(entries[1]), 1);
    EXPECT_EQ(DataRemove(entries[2]), 1);
    EXPECT_EQ(DataRemove(shared), 1);
    EXPECT_EQ(VIGetRetraceCount() - retrace, 1u);  // the frame's own
}

TEST_F(DataTest, FreeReleasesTheImageButKeepsTheEntry) {
    s_DATA_ENTRY* entry = DataLoad("STREAM", "SFX", Image(), -1);
    u32 start = VIGetRetraceCount();
    DataFree(entry);
    EXPECT_EQ(VIGetRetraceCount() - start, 1u);
    EXPECT_EQ(entry->addr, nullptr);
    EXPECT_EQ(DataFindEntry("STREAM", "SFX"), entry);
    void* moved = Image();
    DataMove(entry, moved);
    EXPECT_EQ(DataFind("STREAM", "SFX"), moved);
    EXPECT_EQ(DataRemove(entry), 1);
}

TEST_F(DataTest, GetListFillsAtMostMaxRecordsOfTheType) {
    int marker = 0;
    for (int i = 0; i < 5; ++i)
        DataLoad(("T" + std::to_string(i)).c_str(), "TIM", Image(), -1);
    DataLoad("OTHER", "SPR", Image(), -1);
    s_DATA_ENTRY* built = DataLoad("BUILT", "TIM", Image(), -1);
    DataFree(built);
    built->record = &marker;

    s_datafile list[8] = {};
    EXPECT_EQ(DataGetList(list, "TIM", 3), 3);
    EXPECT_EQ(list[3].addr, nullptr);
    EXPECT_EQ(DataGetList(list, "TIM", 8), 6);
    bool sawRecord = false;
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(list[i].type, "TIM");
        sawRecord |= list[i].addr == &marker && std::string(list[i].name) == "BUILT";
    }
    EXPECT_TRUE(sawRecord);
    EXPECT_EQ(DataGetList(list, "SPR", 8), 1);
    EXPECT_STREQ(list[0].name, "OTHER");
}

TEST_F(DataTest, StreamingAllocatesFromTheMainHeap) {
    EXPECT_EQ(DataGetHeap(), &MainHeap);
}

}  // namespace
