// Asynchronous archive loading: the request queue and the loader task.
#include "console/dvd/dvd_control.h"
#include "orblib47/source/Anim.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/OrbThread.h"
#include "tests/engine/WadFixture.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using discbuild::kWadCompressed;
using discbuild::WadWriter;

class WadAsyncTest : public WadFixture {
protected:
    // Frames until the request is finished (bounded, so a fault fails the test
    // rather than hanging it).
    s_wad* Wait(s_wad_status* status, s32* frames = nullptr) {
        for (s32 frame = 0; frame < 2000; ++frame) {
            s32 done = 0;
            s_wad* handle = WadLoadStatus(status, &done);
            if (done) {
                if (frames)
                    *frames = frame;
                return handle;
            }
            EventWait(1);
        }
        ADD_FAILURE() << "request never finished";
        return nullptr;
    }
    void WriteSample(const std::string& file, u8 seed) {
        WadWriter wad;
        wad.Add(Chunk("P" + std::to_string(seed), "BIN", Bytes(3000, seed)));
        wad.Add(Chunk("C" + std::to_string(seed), "BIN", std::vector<u8>(9000, seed), kWadCompressed));
        Write(file, wad);
    }
};

TEST_F(WadAsyncTest, LoadsAnArchiveOverFramesAndFreesIt) {
    WriteSample("ONE.WAD", 1);
    Usage before = InUse();
    s_wad_status* status = WadLoadAsync("ONE", 0);
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(report().contains("Wad Load (ASYNC): ONE\n"));
    EXPECT_EQ(status->flags, WAD_LOAD_OVERRIDE);
    EXPECT_EQ(WadLoadStatus(status), nullptr);  // polled before done: stays queued
    EXPECT_EQ(WadStatusRecords->next, &status->link);
    s_wad* handle = Wait(status);
    ASSERT_EQ(Count(handle), 2u);
    EXPECT_EQ(Binary("C1", 9000), std::vector<u8>(9000, 1));
    WadFree(handle);
    EventWait(1);  // the idle task removes itself
    EXPECT_EQ(WadLoadThreadPtr, nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadAsyncTest, TwoRequestsAreServedOneAfterTheOther) {
    WriteSample("FIRST.WAD", 1);
    WriteSample("SECOND.WAD", 2);
    s_wad_status* first = WadLoadAsync("FIRST", 0);
    s_wad_status* second = WadLoadAsync("SECOND", 0);
    s_wad* handle = Wait(first);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(second->state, WAD_STATE_START);
    s_wad* other = Wait(second);
    EXPECT_EQ(Count(other), 2u);
    WadFree(handle);
    WadFree(other);
}

TEST_F(WadAsyncTest, ArchiveOfOnlyAnEndMarkerFinishesWithoutHandle) {
    Write("END.WAD", WadWriter().Image());
    Usage before = InUse();
    EXPECT_EQ(WadLoadAsyncWait("END", 0), nullptr);
    EXPECT_EQ(WadStatusRecords->next, nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadAsyncTest, MissingFileFailsWithoutBlockingTheNextRequest) {
    WriteSample("THERE.WAD", 3);
    s_wad_status* missing = WadLoadAsync("ABSENT", 0);
    s_wad* handle = WadLoadAsyncWait("THERE", 0);
    EXPECT_EQ(Count(handle), 2u);
    EXPECT_TRUE(report().contains("WAD: Async load of ABSENT failed!\n"));
    s32 done = 0;
    EXPECT_EQ(WadLoadStatus(missing, &done), nullptr);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(WadStatusRecords->next, nullptr);
    WadFree(handle);
}

TEST_F(WadAsyncTest, TaskIsCreatedAgainAfterItEnded) {
    Write("END.WAD", WadWriter().Image());
    WadLoadAsyncWait("END", 0);
    EventWait(1);
    ASSERT_EQ(WadLoadThreadPtr, nullptr);
    s_wad_status* status = WadLoadAsync("END", 0);
    ASSERT_NE(WadLoadThreadPtr, nullptr);
    EXPECT_TRUE(WadLoadThreadPtr->flags & THREAD_FLAG_SYSTEM_CRITICAL);
    EXPECT_STREQ(WadLoadThreadPtr->name, "WadLoadThread");
    Wait(status);
}

TEST_F(WadAsyncTest, OverrideIsLoadedWithTheRequest) {
    WriteSample("LEVEL.WAD", 4);
    WadWriter patch;
    patch.Add(Chunk("P4", "BIN", Bytes(3000, 9)));
    Write("LEVEL.OWD", patch);
    s_wad* handle = WadLoadAsyncWait("LEVEL", 0);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(Count(handle->override), 1u);
    EXPECT_EQ(Binary("P4", 3000), Bytes(3000, 9));
    WadFree(handle);
    EXPECT_EQ(DataFindEntry("P4", "BIN"), nullptr);
}

TEST_F(WadAsyncTest, FullQueueRefusesAndReleasesTheOverride) {
    Write("END.WAD", WadWriter().Image());
    WadWriter patch;
    patch.Add(Chunk("EXTRA", "BIN", Bytes(100, 9)));
    Write("MORE.OWD", patch);
    std::vector<s_wad_status*> queued;
    for (u32 i = 0; i < WAD_MAX_STATUS; ++i)
        queued.push_back(WadLoadAsync("END", 0));
    Usage before = InUse();
    EXPECT_EQ(WadLoadAsync("MORE", 0), nullptr);
    EXPECT_TRUE(report().contains("WAD: Out of async status records!\n"));
    EXPECT_EQ(DataFindEntry("EXTRA", "BIN"), nullptr);
    EXPECT_EQ(InUse(), before);
    for (s_wad_status* status : queued)
        Wait(status);
}

// Memory refused, then freed: the load goes on at full speed. A later refusal
// gets a wait of its own, and memory that never comes fails the request.
TEST_F(WadAsyncTest, EachMemoryRefusalWaitsItsOwnTime) {
    WadWriter wad;
    wad.Add(Chunk("FIRST", "BIN", Bytes(20000, 1)));
    for (u32 i = 0; i < 40; ++i)
        wad.Add(Chunk("V" + std::to_string(i), "VHO", Bytes(16, u8(i))));
    wad.Add(Chunk("SECOND", "BIN", Bytes(20000, 2)));
    Write("TWICE.WAD", wad);
    void* room = HeapMalloc(24000, __FILE_NAME__, __LINE__);  // for one of the two
    Hog();
    Usage before = InUse();
    s_wad_status* status = WadLoadAsync("TWICE", 0);
    for (u32 frame = 0; frame < 100; ++frame)
        EventWait(1);
    EXPECT_EQ(status->wads, nullptr);

    HeapMallocFree(room);
    u32 frames = 0;
    for (; Count(status->wads) < 41 && frames < 100; ++frames)
        EventWait(1);
    EXPECT_LE(frames, 3u);  // many steps a frame again, not one

    s32 waited = 0;
    EXPECT_EQ(Wait(status, &waited), nullptr);
    EXPECT_GE(waited, 590);  // ten seconds from this refusal, not from the first
    EXPECT_TRUE(report().contains("WAD: [BIN] SECOND - Out of RAM (Requested 20000 bytes)!\n"));
    room = HeapMalloc(24000, __FILE_NAME__, __LINE__);
    EXPECT_EQ(InUse(), before);  // with the room taken again, all is as it was
}

// A compressed chunk that claims to expand to 2 GB can never be held.
TEST_F(WadAsyncTest, ChunkLargerThanTheHeapIsRefusedAtOnce) {
    std::vector<u8> image = discbuild::WadChunkHeader("VAST", "BIN", 0x7FFFFFF0u, kWadCompressed, 0, 0);
    image.insert(image.end(), {0, 0, 0, 4, 0x11, 0, 0, 0});
    Write("VAST.WAD", image);
    Usage before = InUse();
    const std::string refusal = "WAD: [BIN] VAST - Too large for the heap (2147483632 bytes)!\n";
    s32 frames = 0;
    EXPECT_EQ(Wait(WadLoadAsync("VAST", 0), &frames), nullptr);
    EXPECT_LE(frames, 2);
    EXPECT_TRUE(report().contains(refusal));
    report_->clear();
    EXPECT_EQ(WadLoad("VAST", 0), nullptr);
    EXPECT_TRUE(report().contains(refusal));
    EXPECT_FALSE(report().contains("MALLOC:"));
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadAsyncTest, FailedTransferFailsTheRequestAndLeaksNothing) {
    WadWriter wad;
    wad.Add(Chunk("BIG", "BIN", Bytes(50000, 1)));
    Write("FAIL.WAD", wad);
    Usage before = InUse();
    HostDVDFailTransfers(1);
    EXPECT_EQ(WadLoadAsyncWait("FAIL", 0), nullptr);
    EXPECT_EQ(InUse(), before);
}

TEST_F(WadAsyncTest, EveryTruncationAndByteFlipFinishesCleanly) {
    WadWriter wad;
    wad.Add(Chunk("PLAIN", "BIN", Bytes(40, 1), 0, 3));
    wad.Add(Chunk("PACKED", "BIN", std::vector<u8>(300, 0x11), kWadCompressed, 4));
    std::vector<u8> image = wad.Image();
    Usage before = InUse();
    // Every position within the headers and near the end, a stride through the payloads.
    for (size_t at = 0; at <= image.size(); at += (at < 40 || at + 40 > image.size()) ? 1 : 9) {
        SCOPED_TRACE(at);
        Write("CUT.WAD", std::vector<u8>(image.begin(), image.begin() + std::ptrdiff_t(at)));
        WadFree(WadLoadAsyncWait("CUT", 0));
        ASSERT_EQ(InUse(), before);
        if (at == image.size())
            break;
        std::vector<u8> mutated = image;
        mutated[at] ^= 0xFF;
        Write("CUT.WAD", mutated);
        WadFree(WadLoadAsyncWait("CUT", 0));
        ASSERT_EQ(InUse(), before);
    }
}

// Two animations of one channel each; the names lie before the animation list.
std::vector<u8> Bank() {
    discbuild::VhaChannel channel{ANIM_QUAT32, HCHANNEL_FLAG_IS_KEYED, 0, 1, {{0.0f, {0, 0, 0, 1}, {}}}};
    return discbuild::VhaPayload({0, 0, {{"WALK", 0, 0, 1, 0, {channel}}, {"RUN", 0, 0, 1, 0, {channel}}}});
}

// Where animation `a`'s channels lie in a bank payload.
u32 ChannelsAt(const std::vector<u8>& bank, u32 a) {
    return LoadBE32(&bank[LoadBE32(&bank[12]) + a * discbuild::kVhaAnimationSize + 32]);
}

// Header fields alone, the rest filled with 0xEE: what the trimming read checks.
std::vector<u8> ForgedBank(s16 numAnim, u32 animList, u32 size) {
    std::vector<u8> bank(size, 0xEE);
    StoreBE16(&bank[8], u16(numAnim));
    StoreBE32(&bank[12], animList);
    return bank;
}

s_hanim_header* LoadedBank(const char* name) {
    s_DATA_ENTRY* entry = DataFindEntry(name, "VHA");
    return entry != nullptr ? static_cast<s_hanim_header*>(entry->record) : nullptr;
}

TEST_F(WadAsyncTest, MinimalDataSetKeepsTheAnimationListWithFilePositions) {
    const std::vector<u8> empty = discbuild::VhaPayload({});
    WadWriter wad;
    wad.Add(Chunk("EMPTY", "VHA", empty));
    wad.Add(Chunk("BANK", "VHA", Bank()));
    Write("ANIM.WAD", wad);
    Usage before = InUse();
    s_wad* handle = WadLoadAsyncWait("ANIM", WAD_LOAD_MIN_DATA_SET);
    EXPECT_TRUE(report().contains("Wad Load (ASYNC, MIN_DATA_SET): ANIM\n"));
    ASSERT_EQ(Count(handle), 2u);
    const s_hanim_header* bank = LoadedBank("BANK");
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->flags & HANIM_FLAG_SPOOLED_ANIM, HANIM_FLAG_SPOOLED_ANIM);
    const u32 chunkPos = 32 + u32(empty.size());  // the bank's header follows the first chunk
    for (u32 a = 0; a < 2; ++a) {
        EXPECT_EQ(bank->animList[a].spoolOffset, ChannelsAt(Bank(), a) + chunkPos);
        EXPECT_FALSE(HAnimDataLoaded(&bank->animList[a]));
    }
    EXPECT_STREQ(bank->animList[1].name, "RUN");
    WadFree(handle);
    EXPECT_EQ(InUse(), before);
}

// Only a bank that the minimal-data-set read checked and trimmed is spooled.
TEST_F(WadAsyncTest, OnlyTrimmedBanksAreSpooled) {
    WadWriter bank;
    bank.Add(Chunk("EMPTY", "VHA", discbuild::VhaPayload({})));
    bank.Add(Chunk("BANK", "VHA", Bank()));
    Write("ANIM.WAD", bank);
    Write("PATCHED.OWD", bank);
    WadWriter other;
    other.Add(Chunk("OTHER", "VHA", Bank()));
    Write("PATCHED.WAD", other);
    WadWriter forged;  // claims to be trimmed in the file itself
    forged.Add(Chunk("EMPTY", "VHA", discbuild::VhaPayload({}), WAD_FLAG_MIN_DATA));
    forged.Add(Chunk("BANK", "VHA", Bank(), WAD_FLAG_MIN_DATA));
    Write("FORGED.WAD", forged);
    struct Case {
        const char* what;
        s_wad* (*load)();
        bool trimmed;
    } cases[] = {
        {"async", [] { return WadLoadAsyncWait("ANIM", WAD_LOAD_MIN_DATA_SET); }, true},
        {"sync", [] { return WadLoad("ANIM", WAD_LOAD_MIN_DATA_SET); }, false},
        {"best fit", [] { return WadLoadAsyncWait("ANIM", WAD_LOAD_MIN_DATA_SET | WAD_LOAD_BEST_FIT); },
         false},
        {"override", [] { return WadLoadAsyncWait("PATCHED", WAD_LOAD_MIN_DATA_SET); }, false},
        {"flag from the file", [] { return WadLoad("FORGED", 0); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s_wad* handle = c.load();
        ASSERT_NE(handle, nullptr);
        const s_hanim_header* loaded = LoadedBank("BANK");
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ((loaded->flags & HANIM_FLAG_SPOOLED_ANIM) != 0, c.trimmed);
        EXPECT_EQ(HAnimDataLoaded(&loaded->animList[0]), !c.trimmed);
        WadFree(handle);
    }
}

TEST_F(WadAsyncTest, MinimalDataSetRejectsBadBanksAndOtherTypes) {
    Usage before = InUse();
    struct Case {
        const char* type;
        std::vector<u8> payload;
        u16 flags;
    } cases[] = {
        {"VHA", ForgedBank(-1, 32, 400), 0},
        {"VHA", ForgedBank(20, 32, 400), 0},
        {"VHA", ForgedBank(2, 8, 400), 0},
        {"VHA", ForgedBank(2, 32, 16), 0},
        {"VHA", std::vector<u8>(400, 0), kWadCompressed},
        {"BIN", Bytes(40, 1), 0},
    };
    for (const Case& c : cases) {
        WadWriter wad;
        wad.Add(Chunk("BANK", c.type, c.payload, c.flags));
        Write("BAD.WAD", wad);
        EXPECT_EQ(WadLoadAsyncWait("BAD", WAD_LOAD_MIN_DATA_SET), nullptr) << c.type;
        ASSERT_EQ(InUse(), before);
    }
    EXPECT_TRUE(report().contains("Cannot Compressed MIN_DATA_SET Animation WADs!\n"));
}

class WadFrozenClockTest : public WadAsyncTest {
protected:
    HostConfig Config() const override {
        HostConfig config = WadFixture::Config();
        config.virtualReadStep = 0;
        return config;
    }
};

TEST_F(WadFrozenClockTest, PassEndsAfterAThousandStepsWithoutTime) {
    HostDVDSetReadLatency(0);
    WadWriter wad;
    for (u32 i = 0; i < 400; ++i)
        wad.Add(Chunk("V" + std::to_string(i), "VHO", Bytes(1, u8(i))));
    Write("MANY.WAD", wad);
    s_wad_status* status = WadLoadAsync("MANY", 0);
    WadLoadThread(WadLoadThreadPtr, nullptr);
    // Five steps a chunk once the reads come from the file's window.
    u32 loaded = Count(status->wads);
    EXPECT_GE(loaded, 190u);
    EXPECT_LE(loaded, 200u);
    EXPECT_NE(status->state, WAD_STATE_DONE);
    WadFree(Wait(status));
}

}  // namespace
