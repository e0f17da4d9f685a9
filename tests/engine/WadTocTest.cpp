// Table-of-contents archives: open tables and reads of single chunks.
#include "tests/engine/WadFixture.h"

namespace {

using discbuild::kWadCompressed;
using discbuild::WadWriter;

class WadTocTest : public WadFixture {
protected:
    static WadWriter Parts(u8 seed) {
        WadWriter wad;
        wad.SetToc(true);
        wad.Add(Chunk("HEAD", "BIN", Bytes(500, seed), 0, 12));
        wad.Add(Chunk("HAT", "BIN", std::vector<u8>(4000, seed), kWadCompressed));
        wad.Add(Chunk("HEAD", "BIN", Bytes(7, 99)));  // a repeated name: the first entry wins
        wad.Add(Chunk("HAT", "VHO", Bytes(12, 42)));  // a repeated name of another type
        return wad;
    }
};

TEST_F(WadTocTest, ReadsSingleChunksByName) {
    Write("PARTS.WAD", Parts(1));
    Usage before = InUse();
    s_wad_toc* toc = WadOpen("PARTS");
    ASSERT_NE(toc, nullptr);
    EXPECT_TRUE(report().contains("Wad Open: PARTS\n"));
    EXPECT_EQ(toc->numEntries, 4u);

    void* data = nullptr;
    s_wad_toc_entry* entry = WadRead(toc, "HAT", "BIN", &data);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->size, 4000u);
    EXPECT_EQ(std::vector<u8>(static_cast<u8*>(data), static_cast<u8*>(data) + 4000),
              std::vector<u8>(4000, 1));
    HeapMallocFree(data);

    entry = WadReadAsync(toc, "HEAD", "BIN", &data, WAD_LOAD_BEST_FIT);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->size, 500u);
    EXPECT_EQ(std::memcmp(data, Bytes(500, 1).data(), 500), 0);
    HeapMallocFree(data);

    entry = WadRead(toc, "HAT", "VHO", &data);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->size, 12u);
    EXPECT_EQ(std::memcmp(data, Bytes(12, 42).data(), 12), 0);
    HeapMallocFree(data);

    EXPECT_EQ(WadRead(toc, "NOPE", "TIM", &data), nullptr);
    EXPECT_TRUE(report().contains("WadRead: Wad not found (NOPE.TIM)!\n"));
    EXPECT_EQ(WadRead(toc, "HAT", "TIM", &data), nullptr);
    EXPECT_TRUE(report().contains("WadRead: Wad not found (HAT.TIM)!\n"));
    WadClose(toc);
    EXPECT_TRUE(report().contains("Wad Close\n"));
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTocTest, LoadedChunksShareTheAssetAndAreReleasedTogether) {
    Write("PARTS.WAD", Parts(2));
    Usage before = InUse();
    s_wad_toc* toc = WadOpen("PARTS");
    s_wad* first = WadReadData(toc, "HEAD", "BIN");
    s_wad* second = WadReadDataAsync(toc, "HEAD", "BIN", 0);
    s_wad* third = WadReadData(toc, "HAT", "BIN");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(toc->wads, first);
    EXPECT_EQ(first->next, third);  // each later read goes right after the head
    EXPECT_EQ(third->next, second);
    EXPECT_EQ(RefCount("HEAD", "BIN"), 2);
    EXPECT_EQ(DataGetEntry(12), DataFindEntry("HEAD", "BIN"));

    WadFreeTOC(toc);
    EXPECT_EQ(toc->wads, nullptr);
    EXPECT_EQ(DataFindEntry("HEAD", "BIN"), nullptr);
    EXPECT_NE(WadReadData(toc, "HAT", "BIN"), nullptr);  // the table stays open
    WadClose(toc);
    EXPECT_EQ(DataFindEntry("HAT", "BIN"), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadTocTest, ArchiveWithoutTableIsRefusedAndLeavesNoFileOpen) {
    WadWriter plain;
    plain.Add(Chunk("HEAD", "BIN", Bytes(8, 1)));
    Write("PLAIN.WAD", plain);
    Write("PARTS.WAD", Parts(3));
    // Nine failures: a file left open each time would use up the eight records.
    for (u32 i = 0; i < FILE_MAX_RECORDS + 1; ++i)
        EXPECT_EQ(WadOpen("PLAIN"), nullptr);
    EXPECT_TRUE(report().contains("WadOpen: No TOC chunk in file PLAIN!\n"));
    EXPECT_EQ(WadOpen("ABSENT"), nullptr);
    std::vector<s_wad_toc*> open;
    for (u32 i = 0; i < FILE_MAX_RECORDS - 1; ++i) {
        std::string name = "OTHER" + std::to_string(i);
        Write(name + ".WAD", Parts(3));
        open.push_back(WadOpen(name.c_str()));
        ASSERT_NE(open.back(), nullptr);
    }
    open.push_back(WadOpen("PARTS"));
    ASSERT_NE(open.back(), nullptr);
    for (s_wad_toc* toc : open)
        WadClose(toc);
}

TEST_F(WadTocTest, FindTocSearchesNewestFirst) {
    WadWriter older = Parts(4);
    older.Add(Chunk("OLDONLY", "BIN", Bytes(4, 1)));
    Write("OLDER.WAD", older);
    Write("NEWER.WAD", Parts(5));
    s_wad_toc* first = WadOpen("OLDER");
    s_wad_toc* second = WadOpen("NEWER");
    EXPECT_EQ(WadFindToc("HAT", "BIN"), second);
    EXPECT_EQ(WadFindToc("OLDONLY", "BIN"), first);
    EXPECT_EQ(WadFindToc("HAT", "TIM"), nullptr);
    EXPECT_EQ(WadFindToc("HAT", "VHO"), second);
    WadClose(second);
    EXPECT_EQ(WadFindToc("HAT", "BIN"), first);
    WadClose(first);
    EXPECT_EQ(WadFindToc("HAT", "BIN"), nullptr);
}

TEST_F(WadTocTest, NinthOpenTableIsRefused) {
    Write("PARTS.WAD", Parts(6));
    std::vector<s_wad_toc*> open;
    for (u32 i = 0; i < WAD_MAX_TOC; ++i)
        open.push_back(WadOpen("PARTS"));
    EXPECT_EQ(WadOpen("PARTS"), nullptr);
    EXPECT_TRUE(report().contains("WadOpen: Out of WAD_TOC records!\n"));
    for (s_wad_toc* toc : open)
        WadClose(toc);
}

TEST_F(WadTocTest, ReadThatCannotBeAllocatedFails) {
    Write("PARTS.WAD", Parts(7));
    s_wad_toc* toc = WadOpen("PARTS");
    Hog();
    void* data = nullptr;
    EXPECT_EQ(WadRead(toc, "HAT", "BIN", &data), nullptr);
    EXPECT_TRUE(report().contains("WadRead: Out of RAM!\n"));
    FreeHog();
    WadClose(toc);
}

TEST_F(WadTocTest, EntryCountBeyondTheTableIsRefused) {
    std::vector<u8> image = Parts(8).Image();
    image[27] = 5;  // parm: five entries in a table of four
    Write("BAD.WAD", image);
    Usage before = InUse();
    EXPECT_EQ(WadOpen("BAD"), nullptr);
    EXPECT_TRUE(report().contains("WadOpen: Bad TOC chunk!\n"));
    EXPECT_EQ(InUse(), before);
}

// Every mutation of the archive opens and reads cleanly or fails cleanly.
TEST_F(WadTocTest, EveryTruncationAndByteFlipReadsCleanly) {
    std::vector<u8> image = Parts(9).Image();
    Usage before = InUse();
    auto attempt = [&](const std::vector<u8>& bytes) {
        Write("CUT.WAD", bytes);
        s_wad_toc* toc = WadOpen("CUT");
        if (toc == nullptr)
            return;
        for (u32 i = 0; i < toc->numEntries; ++i) {
            std::string name = toc->entries[i].name;
            WadReadData(toc, name.c_str(), "BIN");
            void* data = nullptr;
            if (WadRead(toc, name.c_str(), "BIN", &data) != nullptr)
                HeapMallocFree(data);
        }
        WadClose(toc);
    };
    for (size_t length = 0; length < image.size(); ++length) {
        SCOPED_TRACE(length);
        attempt(std::vector<u8>(image.begin(), image.begin() + std::ptrdiff_t(length)));
        ASSERT_EQ(InUse(), before);
    }
    for (size_t at = 0; at < image.size(); ++at) {
        SCOPED_TRACE(at);
        std::vector<u8> mutated = image;
        mutated[at] ^= (at & 1) ? 0xFF : 0x80;
        attempt(mutated);
        ASSERT_EQ(InUse(), before);
    }
}

TEST_F(WadTocTest, AsynchronousLoadProgressesDuringAnAsynchronousRead) {
    WadWriter parts = Parts(10);
    parts.Add(Chunk("BIG", "BIN", Bytes(100000, 2)));  // beyond the file layer's window
    Write("PARTS.WAD", parts);
    WadWriter level;
    level.Add(Chunk("LEVEL", "BIN", Bytes(6000, 1)));
    Write("LEVEL.WAD", level);
    s_wad_toc* toc = WadOpen("PARTS");
    s_wad_status* status = WadLoadAsync("LEVEL", 0);
    EXPECT_NE(WadReadDataAsync(toc, "BIG", "BIN", 0), nullptr);
    EXPECT_NE(status->state, WAD_STATE_START);
    WadClose(toc);
    s32 done = 0;
    for (s32 frame = 0; frame < 100 && !done; ++frame) {
        WadFree(WadLoadStatus(status, &done));
        EventWait(1);
    }
    EXPECT_EQ(done, 1);
}

}  // namespace
