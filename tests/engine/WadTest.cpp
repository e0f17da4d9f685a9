// Whole-archive synchronous loading, the chunk dispatch and the release of chunks.
#include <algorithm>

#include "console/dvd/dvd_control.h"
#include "tests/engine/WadFixture.h"
#include "tools/discbuild/StringTableWriter.h"
#include "tools/discbuild/SymTableWriter.h"

namespace {

using discbuild::kWadCompressed;
using discbuild::WadWriter;

constexpr u32 kAmerican = 0x80000000u;

class WadTest : public WadFixture {
protected:
    static std::vector<u8> SampleArchive() {
        WadWriter wad;
        wad.Add(Chunk("PLAIN", "BIN", Bytes(40, 1), 0, 3));
        wad.Add(Chunk("PACKED", "BIN", std::vector<u8>(300, 0x11), kWadCompressed, 4));
        wad.Add(Chunk("TEXT", "TXT", discbuild::StringTablePayload(kAmerican, 5, {"a", "bc"}), 0, 5));
        return wad.Image();
    }
};

TEST_F(WadTest, LoadsPlainAndCompressedChunksInFileOrderAndFreesThem) {
    Usage before = InUse();
    WadWriter wad;
    wad.Add(Chunk("PLAIN", "BIN", Bytes(300, 1)));
    wad.Add(Chunk("PACKED", "BIN", std::vector<u8>(5000, 0x5A), kWadCompressed));
    wad.Add(Chunk("TEXT", "TXT", discbuild::StringTablePayload(kAmerican, 3, {"zero", "one"}), kWadCompressed,
                  3));
    Write("MIXED.WAD", wad);

    s_wad* handle = WadLoad("MIXED", 0);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(report().contains("Wad Load: MIXED\n"));
    ASSERT_EQ(Count(handle), 3u);
    EXPECT_STREQ(handle->name, "PLAIN");
    EXPECT_STREQ(handle->next->name, "PACKED");
    EXPECT_EQ(handle->next->next->type, FourCC("TXT\0"));
    EXPECT_EQ(handle->next->prev, handle);
    EXPECT_EQ(handle->override, nullptr);
    EXPECT_EQ(Binary("PLAIN", 300), Bytes(300, 1));
    EXPECT_EQ(Binary("PACKED", 5000), std::vector<u8>(5000, 0x5A));
    EXPECT_STREQ(StringTableGetString((3u << 16) | 1), "one");

    WadFree(handle);
    EXPECT_EQ(DataFindEntry("PLAIN", "BIN"), nullptr);
    EXPECT_EQ(DataFindEntry("TEXT", "TXT"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, EndMarkerOnlyOrEmptyFileOrMissingFileGivesNull) {
    Write("END.WAD", WadWriter().Image());
    Write("EMPTY.WAD", std::vector<u8>{});
    EXPECT_EQ(WadLoad("END", 0), nullptr);
    EXPECT_EQ(WadLoad("EMPTY", 0), nullptr);
    EXPECT_EQ(WadLoad("ABSENT", 0), nullptr);
}

// Without an end marker the archive ends with the file; nothing after one is read.
TEST_F(WadTest, TheEndMarkerOrTheFileEndsTheArchive) {
    WadWriter wad;
    wad.Add(Chunk("A", "BIN", Bytes(10, 1)));
    wad.Add(Chunk("B", "BIN", Bytes(20, 2), kWadCompressed));
    wad.SetEnd(false);
    Write("NOEND.WAD", wad);
    s_wad* handle = WadLoad("NOEND", 0);
    EXPECT_EQ(Count(handle), 2u);
    WadFree(handle);

    std::vector<u8> image = WadWriter().Image();
    const std::vector<u8> more = wad.Image();
    image.insert(image.end(), more.begin(), more.end());
    Write("TAIL.WAD", image);
    EXPECT_EQ(WadLoad("TAIL", 0), nullptr);
    EXPECT_EQ(DataFindEntry("A", "BIN"), nullptr);
}

TEST_F(WadTest, NameWithArchiveExtensionIsOpenedAsGiven) {
    WadWriter wad;
    wad.Add(Chunk("X", "BIN", Bytes(4, 1)));
    Write("ONLY.OWD", wad);
    s_wad* handle = WadLoad("ONLY.owd", 0);
    ASSERT_NE(handle, nullptr);
    WadFree(handle);
    EXPECT_EQ(WadLoad("ONLY", 0), nullptr);  // "ONLY.WAD" does not exist
}

TEST_F(WadTest, OverrideArchiveTakesPrecedenceAndIsFreedAfterTheMainChunks) {
    WadWriter main;
    main.Add(Chunk("SHARED", "BIN", Bytes(8, 1)));
    main.Add(Chunk("MAINONLY", "BIN", Bytes(8, 2)));
    Write("LEVEL.WAD", main);

    s_wad* plain = WadLoad("LEVEL.WAD", WAD_LOAD_OVERRIDE);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->override, nullptr);
    WadFree(plain);

    Usage before = InUse();
    WadWriter patch;
    patch.Add(Chunk("SHARED", "BIN", Bytes(8, 9)));
    patch.Add(Chunk("NEW", "BIN", Bytes(8, 3)));
    Write("LEVEL.OWD", patch);
    s_wad* handle = WadLoad("LEVEL.WAD", WAD_LOAD_OVERRIDE);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(report().contains("Wad Load Override: LEVEL.OWD\n"));
    ASSERT_NE(handle->override, nullptr);
    EXPECT_EQ(Count(handle->override), 2u);
    EXPECT_EQ(Binary("SHARED", 8), Bytes(8, 9));
    EXPECT_EQ(RefCount("SHARED", "BIN"), 2);
    EXPECT_NE(DataFindEntry("NEW", "BIN"), nullptr);

    report_->clear();
    WadFree(handle);
    EXPECT_EQ(report().text(), "Wad Free Override\n");
    EXPECT_EQ(DataFindEntry("SHARED", "BIN"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, OverrideIsReleasedWhenTheMainArchiveYieldsNothing) {
    WadWriter patch;
    patch.Add(Chunk("NEW", "BIN", Bytes(8, 3)));
    Write("GONE.OWD", patch);
    Write("GONE.WAD", WadWriter().Image());
    Usage before = InUse();
    EXPECT_EQ(WadLoad("GONE", WAD_LOAD_OVERRIDE), nullptr);
    EXPECT_EQ(DataFindEntry("NEW", "BIN"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, CompressedChunkWhoseLengthEqualsItsSizeLoads) {
    // Scattered bytes grow under LZO and a run of zeros shrinks: this mix breaks even.
    std::vector<u8> payload;
    for (u32 i = 0; i < 100; ++i)
        payload.push_back(u8((i * 2654435761u) >> 13));
    payload.resize(111, 0);
    for (u32 i = 0; i < 32; ++i)
        payload.push_back(u8(((i + 500) * 2654435761u) >> 13));
    ASSERT_EQ(discbuild::LzoCompress(payload).size(), payload.size());
    WadWriter wad;
    wad.Add(Chunk("EVEN", "BIN", payload, kWadCompressed));
    Write("EVEN.WAD", wad);
    s_wad* handle = WadLoad("EVEN", 0);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(Binary("EVEN", u32(payload.size())), payload);
    WadFree(handle);
}

TEST_F(WadTest, SymbolIdsAreTranslatedAndTableOfContentsChunksRegisterNone) {
    std::vector<u8> symbols = discbuild::SymTableImage({100, 42});
    ASSERT_EQ(SymbolTransLoadImage(symbols.data(), u32(symbols.size())), RET_NO_ERROR);
    WadWriter wad;
    wad.Add(Chunk("BYSYMBOL", "BIN", Bytes(4, 1), 0, discbuild::WadSymbolId(1)));
    wad.Add(Chunk("DIRECT", "BIN", Bytes(4, 2), 0, 7));
    wad.Add(Chunk("BADSYM", "BIN", Bytes(4, 3), 0, discbuild::WadSymbolId(2)));
    wad.Add(Chunk("CONTENTS", "TOC", Bytes(36, 4), 0, 9));
    Write("IDS.WAD", wad);
    s_wad* handle = WadLoad("IDS", 0);
    ASSERT_EQ(Count(handle), 4u);
    EXPECT_EQ(DataGetEntry(42), DataFindEntry("BYSYMBOL", "BIN"));
    EXPECT_EQ(DataGetEntry(7), DataFindEntry("DIRECT", "BIN"));
    EXPECT_EQ(DataFindEntry("BADSYM", "BIN")->dataId, -1);
    EXPECT_EQ(DataGetEntry(9), nullptr);
    s_wad* toc = handle->next->next->next;
    ASSERT_NE(toc->address, nullptr);
    EXPECT_EQ(std::memcmp(toc->address, Bytes(36, 4).data(), 36), 0);
    WadFree(handle);
}

TEST_F(WadTest, SameBinaryInTwoArchivesIsSharedByReference) {
    WadWriter wad;
    wad.Add(Chunk("COMMON", "BIN", Bytes(64, 5)));
    Write("ONE.WAD", wad);
    Write("TWO.WAD", wad);
    Usage before = InUse();
    s_wad* one = WadLoad("ONE", 0);
    s_wad* two = WadLoad("TWO", 0);
    EXPECT_EQ(one->address, two->address);
    EXPECT_EQ(RefCount("COMMON", "BIN"), 2);
    WadFree(one);
    EXPECT_EQ(RefCount("COMMON", "BIN"), 1);
    WadFree(two);
    EXPECT_EQ(DataFindEntry("COMMON", "BIN"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, UnsupportedAndLoaderlessTypesKeepARecordWithoutAsset) {
    Usage before = InUse();
    WadWriter wad;
    wad.Add(Chunk("ODD", "ZZZ", Bytes(16, 1)));
    wad.Add(Chunk("EMPTY", "VHO", Bytes(16, 2)));
    wad.Add(Chunk("NULL", "NUL", Bytes(16, 3)));
    Write("ODD.WAD", wad);
    s_wad* handle = WadLoad("ODD", 0);
    ASSERT_EQ(Count(handle), 3u);
    for (s_wad* wad = handle; wad != nullptr; wad = wad->next)
        EXPECT_EQ(wad->address, nullptr) << wad->name;
    EXPECT_TRUE(report().contains("WAD: Unsupported type ZZZ\n"));
    EXPECT_TRUE(report().contains("WAD: Unsupported type NUL\n"));
    EXPECT_FALSE(report().contains("WAD: Unsupported type VHO\n"));
    WadFree(handle);
    EXPECT_EQ(InUse(), before);
}

struct UserLog {
    static inline std::vector<std::string> events;
};

void* UserLoad(s_wad_header* header, void* payload) {
    UserLog::events.push_back(std::string("load ") + header->name);
    return payload;
}
void UserFree(void* data) {
    UserLog::events.push_back("free");
    HeapMallocFree(data);
}
void* OtherLoad(s_wad_header*, void* payload) {
    UserLog::events.push_back("other");
    return payload;
}

TEST_F(WadTest, UserTypesAreDispatchedFirstRegisteredFirstAndTheTableHoldsEight) {
    UserLog::events.clear();
    WadColdReset();  // without the level data's type
    WadRegisterType(FourCC("GAM\0"), UserLoad, UserFree);
    WadRegisterType(FourCC("GAM\0"), OtherLoad, UserFree);
    for (u32 i = 0; i < 6; ++i)
        WadRegisterType(FourCC("US0\0") + (i << 8), UserLoad, UserFree);
    EXPECT_FALSE(report().contains("WAD: User Type Table Full\n"));
    WadRegisterType(FourCC("LST\0"), UserLoad, UserFree);
    EXPECT_TRUE(report().contains("WAD: User Type Table Full\n"));
    EXPECT_EQ(WadUserTypeCount, 8u);

    WadWriter wad;
    wad.Add(Chunk("LEVEL", "GAM", Bytes(8, 1)));
    wad.Add(Chunk("LATE", "LST", Bytes(8, 1)));
    Write("GAME.WAD", wad);
    s_wad* handle = WadLoad("GAME", 0);
    ASSERT_EQ(Count(handle), 2u);
    EXPECT_NE(handle->address, nullptr);
    EXPECT_EQ(handle->next->address, nullptr);
    WadFree(handle);
    EXPECT_EQ(UserLog::events, (std::vector<std::string>{"load LEVEL", "free"}));

    WadColdReset();
    EXPECT_EQ(WadUserTypeCount, 0u);
}

TEST_F(WadTest, TheEngineRegistersOnlyTheLevelDataAndLeavesSevenUserSlots) {
    ASSERT_EQ(WadUserTypeCount, 1u);
    EXPECT_EQ(WadUserTypes[0].type, FourCC("GAM\0"));
    WadRegisterType(WadUserTypes[0].type, WadUserTypes[0].loadFunc, WadUserTypes[0].freeFunc);
    EXPECT_EQ(WadUserTypeCount, 1u);  // a warm reset's repeated registration
    for (u32 i = 0; i < 7; ++i)
        WadRegisterType(FourCC("US0\0") + (i << 8), UserLoad, UserFree);
    EXPECT_FALSE(report().contains("WAD: User Type Table Full\n"));
    WadRegisterType(FourCC("LST\0"), UserLoad, UserFree);
    EXPECT_TRUE(report().contains("WAD: User Type Table Full\n"));
}

// The engine's tags reach their own loaders with an empty user table, and a user
// type of the same tag is never called.
TEST_F(WadTest, EngineChunkTypesAreBuiltInAndShadowUserTypesOfTheSameTag) {
    const char* const kEngineTypes[] = {"TIM", "SPR", "FNT", "F3D", "VHM", "GRP", "VHA"};
    UserLog::events.clear();
    WadColdReset();
    WadWriter wad;
    for (const char* type : kEngineTypes) {
        WadRegisterType(WadTypeWord(type), UserLoad, UserFree);
        wad.Add(Chunk(std::string("JUNK") + type, type, Bytes(64, u8(type[0] + type[1]))));
    }
    Write("ENGINE.WAD", wad);
    Usage before = InUse();
    s_wad* handle = WadLoad("ENGINE", 0);
    ASSERT_EQ(Count(handle), std::size(kEngineTypes));
    EXPECT_FALSE(report().contains("WAD: Unsupported type"));
    WadFree(handle);
    EXPECT_TRUE(UserLog::events.empty());
    EXPECT_EQ(InUse(), before);
}

// Mended faults: a bad archive is an error, never a crash, hang or leak.

TEST_F(WadTest, CompressedLengthAboveSizeIsAnErrorAndReleasesEarlierChunks) {
    WadWriter good;
    good.Add(Chunk("FIRST", "BIN", Bytes(16, 1)));
    good.SetEnd(false);
    std::vector<u8> image = good.Image();
    std::vector<u8> bad = discbuild::WadChunkHeader("BAD", "BIN", 4, kWadCompressed, 0, 0);
    bad.insert(bad.end(), {0, 0, 0, 8, 1, 2, 3, 4, 5, 6, 7, 8});
    image.insert(image.end(), bad.begin(), bad.end());
    Write("BAD.WAD", image);
    Usage before = InUse();
    EXPECT_EQ(WadLoad("BAD", 0), nullptr);
    EXPECT_TRUE(report().contains("Compressed Data Size larger than Uncompressed Data Size!\n"));
    EXPECT_EQ(DataFindEntry("FIRST", "BIN"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, BadCompressedDataIsAnError) {
    std::vector<u8> image = discbuild::WadChunkHeader("GARBLED", "BIN", 64, kWadCompressed, 0, 0);
    image.insert(image.end(), {0, 0, 0, 6, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    Write("GARBLED.WAD", image);
    Usage before = InUse();
    EXPECT_EQ(WadLoad("GARBLED", 0), nullptr);
    EXPECT_TRUE(report().contains("LZO Decompression Error: "));
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, FailedTransferIsAnErrorAndLeaksNothing) {
    WadWriter wad;
    wad.Add(Chunk("BIG", "BIN", Bytes(50000, 1)));
    Write("FAIL.WAD", wad);
    Usage before = InUse();
    HostDVDFailTransfers(1);
    EXPECT_EQ(WadLoad("FAIL", 0), nullptr);
    EXPECT_TRUE(report().contains("WAD: Read error in FAIL!\n"));
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTest, ChunkThatCannotBeAllocatedIsSkipped) {
    WadWriter wad;
    wad.Add(Chunk("HUGE", "BIN", Bytes(20000, 1), kWadCompressed));
    wad.Add(Chunk("SMALL", "BIN", Bytes(16, 2)));
    Write("SKIP.WAD", wad);
    Hog();
    s_wad* handle = WadLoad("SKIP", 0);
    EXPECT_TRUE(report().contains("WAD: [BIN] HUGE - Out of RAM (Requested 20000 bytes)!\n"));
    ASSERT_EQ(Count(handle), 1u);
    EXPECT_STREQ(handle->name, "SMALL");
    WadFree(handle);
}

TEST_F(WadTest, RunningOutOfChunkRecordsFailsThatLoadOnly) {
    WadWriter wad;
    wad.Add(Chunk("FIRST", "BIN", Bytes(16, 1)));
    for (u32 i = 0; i < kMaxWad; ++i)
        wad.Add(Chunk("V" + std::to_string(i), "VHO", Bytes(1, 0)));
    Write("MANY.WAD", wad);
    WadWriter small;
    small.Add(Chunk("SMALL", "BIN", Bytes(8, 2)));
    Write("SMALL.WAD", small);
    Usage before = InUse();
    for (bool async : {false, true}) {
        SCOPED_TRACE(async);
        report_->clear();
        EXPECT_EQ(async ? WadLoadAsyncWait("MANY", 0) : WadLoad("MANY", 0), nullptr);
        EXPECT_TRUE(report().contains("WAD: [VHO] V511 - Out of wad records!\n"));
        EXPECT_EQ(DataFindEntry("FIRST", "BIN"), nullptr);
        EXPECT_EQ(InUse(), before);
        s_wad* handle = WadLoad("SMALL", 0);  // the game goes on
        EXPECT_EQ(Count(handle), 1u);
        WadFree(handle);
    }
}

// Zero bytes read as empty chunks of no type; each used to be reported.
TEST_F(WadTest, AZeroedArchiveOrTailIsOneLine) {
    WadWriter good;
    good.Add(Chunk("FIRST", "BIN", Bytes(16, 1)));
    good.SetEnd(false);
    std::vector<u8> tail = good.Image();
    tail.resize(tail.size() + 4096);
    Write("ZERO.WAD", std::vector<u8>(4096, 0));
    Write("TAIL.WAD", tail);
    Usage before = InUse();
    for (bool async : {false, true}) {
        for (const char* name : {"ZERO", "TAIL"}) {
            SCOPED_TRACE(std::string(name) + (async ? " async" : ""));
            report_->clear();
            EXPECT_EQ(async ? WadLoadAsyncWait(name, 0) : WadLoad(name, 0), nullptr);
            const std::string text = report().text();
            EXPECT_TRUE(report().contains("WAD: Chunk without a type in ")) << text;
            // With "Wad Load" before it, and the loader task's own line after it.
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), async ? 3 : 2) << text;
            EXPECT_EQ(DataFindEntry("FIRST", "BIN"), nullptr);
            EXPECT_EQ(InUse(), before);
        }
    }
}

TEST_F(WadTest, EveryTruncationAndByteFlipLoadsCleanly) {
    std::vector<u8> image = SampleArchive();
    Usage before = InUse();
    for (size_t at = 0; at < image.size(); ++at) {
        SCOPED_TRACE(at);
        Write("CUT.WAD", std::vector<u8>(image.begin(), image.begin() + std::ptrdiff_t(at)));
        WadFree(WadLoad("CUT", 0));
        EXPECT_EQ(DataFindEntry("PLAIN", "BIN"), nullptr);
        EXPECT_EQ(DataFindEntry("TEXT", "TXT"), nullptr);
        ASSERT_EQ(InUse(), before);
        std::vector<u8> mutated = image;
        mutated[at] ^= (at & 1) ? 0xFF : 0x80;
        Write("CUT.WAD", mutated);
        WadFree(WadLoad("CUT", 0));
        ASSERT_EQ(InUse(), before);
    }
}

}  // namespace
