#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Wad.h"
#include "source/OrbMain.h"
#include "tests/engine/DataFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/DiscSources.h"
#include "tools/discbuild/StringTableWriter.h"
#include "tools/discbuild/SymTableWriter.h"

namespace {

using SymbolTransTest = DataFixture;

e_error_code LoadImage(const std::vector<u8>& file) {
    return SymbolTransLoadImage(file.data(), u32(file.size()));
}

TEST_F(SymbolTransTest, ValuesAreFoundBySymbolNumber) {
    ASSERT_EQ(LoadImage(discbuild::SymTableImage({0x00050003u, 17, 0xFFFFFFFFu})), RET_NO_ERROR);
    ASSERT_NE(SymbolTransTable, nullptr);
    EXPECT_EQ(SymbolTransTable->numSymbols, 3u);
    u32 value = 0;
    ASSERT_EQ(SymbolTransLookup(0, &value), RET_NO_ERROR);
    EXPECT_EQ(value, 0x00050003u);
    ASSERT_EQ(SymbolTransLookup(2, &value), RET_NO_ERROR);
    EXPECT_EQ(value, 0xFFFFFFFFu);
}

// The source's "@at N" numbers the next symbol N and fills the gap with 0; it
// never goes back over symbols already numbered.
TEST(SymTableSourceTest, AtNumbersTheNextSymbolAndNeverGoesBack) {
    EXPECT_EQ(discbuild::ParseSymTableSource("A 5\n@at 3\nB 0x10\nC 6\n", {}),
              (std::vector<u32>{5, 0, 0, 0x10, 6}));
    EXPECT_THROW(discbuild::ParseSymTableSource("A 1\nB 2\n@at 1\nC 3\n", {}), std::invalid_argument);
}

TEST_F(SymbolTransTest, ASymbolPastTheTableIsAnError) {
    ASSERT_EQ(LoadImage(discbuild::SymTableImage({1, 2})), RET_NO_ERROR);
    u32 value = 99;
    EXPECT_EQ(SymbolTransLookup(2, &value), RET_ERROR);
    EXPECT_EQ(SymbolTransLookup(0x7FFFFFFF, &value), RET_ERROR);
    EXPECT_EQ(value, 99u);
    EXPECT_TRUE(report().contains("SymbolTrans: Unknown symbol 2\n"));
}

TEST_F(SymbolTransTest, WithoutATableEveryLookupIsAnError) {
    u32 value = 99;
    EXPECT_EQ(SymbolTransLookup(0, &value), RET_ERROR);
    EXPECT_EQ(value, 99u);
    EXPECT_TRUE(report().contains("SymbolTrans: No symbol table for symbol 0\n"));
}

TEST_F(SymbolTransTest, TheListMayStandAnywhereInTheFile) {
    std::vector<u8> file(20, 0);
    StoreBE32(&file[0], 2);
    StoreBE32(&file[4], 12);
    StoreBE32(&file[12], 0xAAAA);
    StoreBE32(&file[16], 0xBBBB);
    ASSERT_EQ(LoadImage(file), RET_NO_ERROR);
    u32 value = 0;
    ASSERT_EQ(SymbolTransLookup(1, &value), RET_NO_ERROR);
    EXPECT_EQ(value, 0xBBBBu);
}

TEST_F(SymbolTransTest, AnEmptyTableLoadsAndHoldsNoSymbol) {
    ASSERT_EQ(LoadImage(discbuild::SymTableImage({})), RET_NO_ERROR);
    u32 value = 0;
    EXPECT_EQ(SymbolTransLookup(0, &value), RET_ERROR);
}

TEST_F(SymbolTransTest, TruncatedFilesAreRefusedAndLeaveNoTable) {
    const std::vector<u8> good = discbuild::SymTableImage({1, 2, 3});
    const auto before = Heaps();
    for (size_t size = 0; size < good.size(); ++size) {
        ASSERT_EQ(LoadImage(discbuild::SymTableImage({7})), RET_NO_ERROR);
        std::vector<u8> cut(good.begin(), good.begin() + std::ptrdiff_t(size));
        EXPECT_EQ(SymbolTransLoadImage(cut.empty() ? nullptr : cut.data(), u32(size)), RET_ERROR) << size;
        EXPECT_EQ(SymbolTransTable, nullptr);
        EXPECT_EQ(Heaps(), before);  // the old table went and nothing new stayed
    }
    EXPECT_TRUE(report().contains("SymbolTransLoad: Bad symbol table"));
}

TEST_F(SymbolTransTest, MutatedCountsAndOffsetsAreCheckedAgainstTheFile) {
    const std::vector<u8> good = discbuild::SymTableImage({1, 2, 3});
    const auto before = Heaps();
    for (u32 field : {0u, 4u}) {
        for (u32 value : {4u, 5u, 9u, 0x40000000u, 0x40000003u, 0x7FFFFFFFu, 0xFFFFFFFCu, 0xFFFFFFFFu}) {
            std::vector<u8> bad = good;
            StoreBE32(&bad[field], value);
            if (LoadImage(bad) == RET_NO_ERROR) {
                // Only changes that still fit the file may load.
                ASSERT_NE(SymbolTransTable, nullptr);
                u32 count = LoadBE32(&bad[0]);
                u32 offset = LoadBE32(&bad[4]);
                EXPECT_LE(u64(offset) + u64(count) * 4, bad.size());
                u32 last = 0;
                if (count != 0) {
                    EXPECT_EQ(SymbolTransLookup(count - 1, &last), RET_NO_ERROR);
                }
            } else {
                EXPECT_EQ(SymbolTransTable, nullptr);
            }
        }
    }
    EXPECT_EQ(LoadImage({}), RET_ERROR);
    EXPECT_EQ(Heaps(), before);
}

// A string id from the disc that points past its table is no fatal fault.
TEST_F(SymbolTransTest, AStringIdPastItsTableGivesAnEmptyString) {
    s_wad_header header{};
    std::strcpy(header.name, "WORDS");
    std::strcpy(header.ext, "TXT");
    std::vector<u8> payload = discbuild::StringTablePayload(COrbLanguage::American, 0, {"SPARE", "STRIKE"});
    header.size = u32(payload.size());
    ASSERT_NE(StringTableLoad(&header, Image(payload)), nullptr);
    DataRegister("WORDS", "TXT", 6);
    ASSERT_EQ(LoadImage(discbuild::SymTableImage({0x00060001u, 0x00060002u, 0x0006FFFFu})), RET_NO_ERROR);
    const char* expected[] = {"STRIKE", "", ""};
    for (u32 symbol = 0; symbol < 3; ++symbol) {
        u32 id = 0;
        ASSERT_EQ(SymbolTransLookup(symbol, &id), RET_NO_ERROR);
        EXPECT_STREQ(StringTableGetString(id), expected[symbol]) << symbol;
    }
    EXPECT_TRUE(report().contains("StringTableGetString: Invalid id 0x00060002!\n"));
    EXPECT_TRUE(report().contains("StringTableGetString: Invalid id 0x0006ffff!\n"));
}

// The engine brought up on a disc folder of the test's own.
class SymbolTransFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostInit(disc_.Config());
        report_.emplace();
        OrblibColdReset(GAME_VIDEO_MODE, nullptr);
        OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
        FileColdReset();
        FileWarmReset(FILE_SECTOR_BUFFER_SIZE);
        SymbolTransColdReset();
    }
    void TearDown() override {
        FileExit();
        OrblibExit();
        report_.reset();
        HostShutdown();
    }

    TempDisc disc_;
    std::optional<ReportCapture> report_;
};

TEST_F(SymbolTransFileTest, TheTableIsLoadedFromTheDisc) {
    disc_.Write("SymTable.bin", discbuild::SymTableImage({0x00040001u, 12}));
    EXPECT_EQ(SymbolTransLoad("SymTable.bin"), RET_NO_ERROR);
    u32 value = 0;
    ASSERT_EQ(SymbolTransLookup(1, &value), RET_NO_ERROR);
    EXPECT_EQ(value, 12u);
}

TEST_F(SymbolTransFileTest, AMissingOrBadFileLeavesNoTable) {
    const u32 handles = MainHeap.numHandles;
    EXPECT_EQ(SymbolTransLoad("SymTable.bin"), RET_NO_ERROR);
    EXPECT_EQ(SymbolTransTable, nullptr);
    std::vector<u8> bad = discbuild::SymTableImage({1, 2});
    StoreBE32(&bad[0], 3);
    disc_.Write("SymTable.bin", bad);
    EXPECT_EQ(SymbolTransLoad("SymTable.bin"), RET_NO_ERROR);
    EXPECT_EQ(SymbolTransTable, nullptr);
    EXPECT_TRUE(report_->contains("SymbolTransLoad: Bad symbol table (16 bytes)\n"));
    EXPECT_EQ(MainHeap.numHandles, handles);
}

}  // namespace
