// The disc-file layer over the console's drive, on a disc folder made per test.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "source/OrbMain.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDisc.h"

namespace fs = std::filesystem;

namespace {

std::vector<u8> Pattern(u32 size) {
    std::vector<u8> bytes(size);
    for (u32 i = 0; i < size; ++i)
        bytes[i] = u8(i * 13 + (i >> 9));
    return bytes;
}

// A 32-byte-aligned destination.
struct alignas(32) Buffer {
    u8 bytes[0x20000 + 64];
};

constexpr u32 kBig = 0x20000;

class FileTest : public EngineFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }

    void SetUp() override {
        disc_.Write("Data/Big.bin", Pattern(kBig));
        disc_.Write("Data/Odd.bin", Pattern(1001));
        disc_.Write("Database/Bowlers.db", Pattern(96));
        EngineFixture::SetUp();
        buffer_ = std::make_unique<Buffer>();
    }

    size_t Transfers() const { return HostDVDTransferLog().size(); }
    bool Matches(const u8* got, u32 offset, u32 n, u32 fileSize = kBig) const {
        const std::vector<u8> expected = Pattern(fileSize);
        return std::memcmp(got, expected.data() + offset, n) == 0;
    }

    TempDisc disc_;
    std::unique_ptr<Buffer> buffer_;
};

using FileDeathTest = FileTest;

TEST_F(FileTest, OpenFindsNamesIgnoringCaseAndReportsMissingOnes) {
    const s32 fid = FileOpen("data\\big.BIN");
    ASSERT_NE(fid, 0);
    EXPECT_EQ(FileGetSize(fid), s32(kBig));
    EXPECT_EQ(FileGetRemaining(fid), s32(kBig));
    EXPECT_EQ(FileClose(fid), 0);
    EXPECT_EQ(FileGetSize(fid), 0);

    EXPECT_EQ(FileOpen("DATA\\NONE.BIN"), 0);
    EXPECT_TRUE(report().contains("Fileopen: Unable to open file \"DATA/NONE.BIN\"\n"));
    // No fixed-size name buffer: a long name is just a missing file.
    EXPECT_EQ(FileOpen(std::string(1000, 'X').c_str()), 0);

    EXPECT_EQ(FileExist("data\\odd.bin"), 1);
    EXPECT_EQ(FileExist("DATA/ODD.BIN"), 1);
    EXPECT_EQ(FileExist("DATA\\EVEN.BIN"), 0);
    EXPECT_EQ(FileGetName("a\\b/c.Bin"), "A/B/C.BIN");
}

TEST_F(FileTest, BadHandlesDoNothing) {
    for (s32 fid : {0, -1, 9, 3}) {
        EXPECT_EQ(FileGetSize(fid), 0);
        EXPECT_EQ(FileGetRemaining(fid), 0);
        EXPECT_EQ(FileSeek(fid, 0, FILE_SEEK_SET), -1);
        EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 4), 0);
        EXPECT_EQ(FileReadStatus(fid), 1);
        EXPECT_EQ(FileClose(fid), 0);
        EXPECT_EQ(FileGetDVDInfo(fid), nullptr);
    }
    EXPECT_EQ(FileWriteBytes(1, buffer_->bytes, 4), 0);
}

// Write modes make the file afresh in the disc folder, in the current directory
// and in the spelling already there; reads of the disc never write.
TEST_F(FileTest, WriteModesMakeHostFilesAfresh) {
    const auto text = [this](const std::string& path) {
        std::ifstream in(fs::path(disc_.root()) / path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    FileChangeDirectory("DATA");
    s32 fid = FileOpen("odd.bin", "RW");
    ASSERT_NE(fid, 0);
    FileWriteBytes(fid, "ab", 2);
    FileWriteBytes(fid, "cd", 2);
    FileClose(fid);
    EXPECT_EQ(text("Data/Odd.bin"), "abcd");
    fid = FileOpen("new.txt", "WT");
    FileWriteBytes(fid, "x", 1);
    FileClose(fid);
    EXPECT_EQ(text("Data/new.txt"), "x");
    fid = FileOpen("big.bin", "R");
    FileWriteBytes(fid, "zz", 2);
    FileClose(fid);
    EXPECT_TRUE(Matches(reinterpret_cast<const u8*>(text("Data/Big.bin").data()), 0, 64));
    EXPECT_EQ(FileOpen("..\\x.txt", "WT"), 0);
    EXPECT_EQ(FileOpen("x.txt", "A"), 0);
}

TEST_F(FileTest, DirectoriesFollowTheBasePath) {
    FileChangeDirectory("DATABASE");
    EXPECT_EQ(FileGetDirectory(), "DATABASE");
    EXPECT_EQ(FileExist("BOWLERS.DB"), 1);
    FileChangeDirectory("DATA");
    EXPECT_EQ(FileExist("BOWLERS.DB"), 0);
    EXPECT_EQ(FileExist("ODD.BIN"), 1);

    // The refused change names the path it tried; the directory stays.
    FileSetBasePath("");
    FileChangeDirectory("NOPE\\X");
    EXPECT_TRUE(report().contains("FileChangeDirectory: Failed to change to dir: \"NOPE/X\"\n"));
    EXPECT_EQ(FileExist("ODD.BIN"), 1);
    FileSetBasePath("DISC");
    FileChangeDirectory("NOPE");
    EXPECT_TRUE(report().contains("\"DISC/NOPE\""));
    FileSetBasePath("DISC\\");
    FileChangeDirectory("AGAIN");
    EXPECT_TRUE(report().contains("\"DISC/AGAIN\""));
}

// Large aligned reads go straight to the caller; small or unaligned ones through the window.
TEST_F(FileTest, ReadsGoDirectOrThroughTheWindow) {
    struct Case {
        u32 length;
        u32 dstOffset;
        bool direct;
    };
    for (Case c : {Case{43712, 0, true}, Case{43680, 0, false}, Case{43712, 16, false}}) {
        const s32 fid = FileOpen("DATA\\BIG.BIN");
        HostDVDRecordTransfers();
        EXPECT_EQ(FileReadBytes(fid, buffer_->bytes + c.dstOffset, c.length), s32(c.length));
        ASSERT_EQ(Transfers(), 1u);
        EXPECT_EQ(HostDVDTransferLog()[0].addr == buffer_->bytes + c.dstOffset, c.direct);
        EXPECT_EQ(HostDVDTransferLog()[0].length, c.direct ? c.length : FILE_SECTOR_BUFFER_SIZE);
        EXPECT_TRUE(Matches(buffer_->bytes + c.dstOffset, 0, c.length));
        EXPECT_EQ(FileGetRemaining(fid), s32(kBig - c.length));
        FileClose(fid);
    }
}

TEST_F(FileTest, SeeksInsideTheWindowKeepIt) {
    const s32 fid = FileOpen("DATA\\BIG.BIN");
    HostDVDRecordTransfers();
    FileSeek(fid, 1000, FILE_SEEK_SET);
    ASSERT_EQ(FileReadBytes(fid, buffer_->bytes, 64), 64);
    ASSERT_EQ(Transfers(), 1u);
    EXPECT_EQ(HostDVDTransferLog()[0].offset, 1000u);

    FileSeek(fid, -40, FILE_SEEK_CUR);  // back inside the window
    EXPECT_EQ(FileGetRemaining(fid), s32(kBig - 1024));
    ASSERT_EQ(FileReadBytes(fid, buffer_->bytes, 16), 16);
    EXPECT_TRUE(Matches(buffer_->bytes, 1024, 16));
    EXPECT_EQ(Transfers(), 1u);

    FileSeek(fid, 100, FILE_SEEK_SET);  // before the window
    ASSERT_EQ(FileReadBytes(fid, buffer_->bytes, 16), 16);
    EXPECT_TRUE(Matches(buffer_->bytes, 100, 16));
    EXPECT_EQ(Transfers(), 2u);

    FileSeek(fid, 16, FILE_SEEK_END);
    EXPECT_EQ(FileGetRemaining(fid), 16);
    // Seeks stay within the file.
    FileSeek(fid, 100, FILE_SEEK_END);
    FileSeek(fid, 200, FILE_SEEK_CUR);
    EXPECT_EQ(FileGetRemaining(fid), 0);
    FileSeek(fid, -5, FILE_SEEK_SET);
    EXPECT_EQ(FileGetRemaining(fid), s32(kBig));
}

TEST_F(FileTest, ReadsPastTheEndCompleteWithWhatExists) {
    const s32 fid = FileOpen("DATA\\ODD.BIN");
    FileSeek(fid, 900, FILE_SEEK_SET);
    EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 500), 101);
    EXPECT_TRUE(Matches(buffer_->bytes, 900, 101, 1001));
    EXPECT_EQ(FileGetRemaining(fid), 0);
    EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 10), 0);

    FileSeek(fid, 990, FILE_SEEK_SET);
    ASSERT_EQ(FileReadBytesAsync(fid, buffer_->bytes, 64), RET_NO_ERROR);
    while (!FileReadStatus(fid)) {
    }
    EXPECT_EQ(FileGetReadError(fid), 0);
    EXPECT_EQ(FileGetRemaining(fid), 0);
}

// Windows near the end of a file whose length is no multiple of 32 never start
// before the file nor off a 4-byte boundary, and every byte reads back right.
TEST_F(FileTest, ShortFilesOfAnyLengthReadEverywhere) {
    for (u32 size : {1u, 3u, 31u, 33u, 1001u, 65535u, 65537u}) {
        disc_.Write("Data/Sized.bin", Pattern(size));
        const s32 fid = FileOpen("DATA\\SIZED.BIN");
        ASSERT_NE(fid, 0);
        HostDVDRecordTransfers();
        for (u32 pos : {0u, size / 2, size > 3 ? size - 3 : 0u, size - 1}) {
            FileSeek(fid, s32(pos), FILE_SEEK_SET);
            const u32 n = std::min<u32>(7, size - pos);
            ASSERT_EQ(FileReadBytes(fid, buffer_->bytes, 7), s32(n)) << size << " at " << pos;
            EXPECT_TRUE(Matches(buffer_->bytes, pos, n, size));
        }
        for (const HostDVDTransfer& t : HostDVDTransferLog()) {
            EXPECT_EQ(t.offset % 4, 0u);
            EXPECT_EQ(t.length % 32, 0u);
            EXPECT_LE(t.length, FILE_SECTOR_BUFFER_SIZE);
        }
        FileClose(fid);
    }
}

TEST_F(FileTest, EachOpenHasItsOwnPosition) {
    const s32 first = FileOpen("DATA\\BIG.BIN");
    ASSERT_EQ(FileReadBytes(first, buffer_->bytes, 100), 100);
    const s32 second = FileOpen("data\\big.bin");
    EXPECT_NE(second, first);
    EXPECT_EQ(FileGetRemaining(first), s32(kBig - 100));
    EXPECT_EQ(FileGetRemaining(second), s32(kBig));
    ASSERT_EQ(FileReadBytes(first, buffer_->bytes, 4), 4);
    EXPECT_TRUE(Matches(buffer_->bytes, 100, 4));
    ASSERT_EQ(FileReadBytes(second, buffer_->bytes, 4), 4);
    EXPECT_TRUE(Matches(buffer_->bytes, 0, 4));

    EXPECT_EQ(NgcFileGetPtr(FileGetDVDInfo(second))->fname, "data\\big.bin");
    DVDFileInfo stray{};
    EXPECT_EQ(NgcFileGetPtr(&stray), nullptr);
}

TEST_F(FileDeathTest, NinthOpenIsFatal) {
    for (int i = 0; i < 8; ++i)
        ASSERT_NE(FileOpen("DATA\\ODD.BIN"), 0);
    report_.reset();
    EXPECT_DEATH(FileOpen("DATA\\BIG.BIN"),
                 "FALSE(.|\n)*FileOpen \\(DATA\\\\BIG.BIN\\): Out of File Records");
}

TEST_F(FileTest, AFailedTransferIsReportedAndNotKept) {
    const s32 fid = FileOpen("DATA\\BIG.BIN");
    buffer_->bytes[0] = 0xAB;
    HostDVDFailTransfers(1);
    EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 16), 0);
    EXPECT_LT(FileGetReadError(fid), 0);
    EXPECT_EQ(buffer_->bytes[0], 0xAB);
    EXPECT_EQ(FileGetRemaining(fid), s32(kBig));

    // The failed window is not served again: the next read transfers afresh.
    HostDVDRecordTransfers();
    EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 16), 16);
    EXPECT_EQ(FileGetReadError(fid), 0);
    EXPECT_EQ(Transfers(), 1u);
    EXPECT_TRUE(Matches(buffer_->bytes, 0, 16));

    // A direct transfer that fails ends its read too.
    FileSeek(fid, 0x10000, FILE_SEEK_SET);
    HostDVDRecordTransfers();
    HostDVDFailTransfers(1);
    ASSERT_EQ(FileReadBytesAsync(fid, buffer_->bytes, 0xB000), RET_NO_ERROR);
    while (!FileReadStatus(fid)) {
    }
    ASSERT_EQ(Transfers(), 1u);
    EXPECT_EQ(HostDVDTransferLog()[0].addr, buffer_->bytes);
    EXPECT_EQ(FileGetReadError(fid), DVD_RESULT_FATAL_ERROR);
    EXPECT_EQ(FileReadStatus(fid), 1);
    EXPECT_EQ(FileGetRemaining(fid), s32(kBig - 0x10000));
}

TEST_F(FileTest, AFileThatShrankEndsTheReadInsteadOfHanging) {
    const s32 fid = FileOpen("DATA\\ODD.BIN");
    fs::resize_file(fs::path(disc_.root()) / "Data" / "Odd.bin", 10);
    FileSeek(fid, 500, FILE_SEEK_SET);
    EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 16), 0);
    EXPECT_LT(FileGetReadError(fid), 0);
}

TEST_F(FileTest, AsyncReadsCompleteAtALaterPoll) {
    HostDVDSetReadLatency(0);
    HostDVDRecordTransfers();
    const s32 fid = FileOpen("DATA\\ODD.BIN");
    ASSERT_EQ(FileReadBytesAsync(fid, buffer_->bytes, 200), RET_NO_ERROR);
    EXPECT_EQ(Transfers(), 0u);  // issued by the first poll
    EXPECT_EQ(FileReadStatus(fid), 0);
    EXPECT_EQ(Transfers(), 1u);
    EXPECT_EQ(FileReadStatus(fid), 1);
    EXPECT_TRUE(Matches(buffer_->bytes, 0, 200, 1001));
    EXPECT_EQ(FileReadStatus(fid), 1);

    // Served from the window: complete at the first poll, without a transfer.
    ASSERT_EQ(FileReadBytesAsync(fid, buffer_->bytes, 100), RET_NO_ERROR);
    EXPECT_EQ(FileReadStatus(fid), 1);
    EXPECT_EQ(Transfers(), 1u);
    EXPECT_TRUE(Matches(buffer_->bytes, 200, 100, 1001));
}

int s_criticalRuns = 0;
void CountCritical(s_thread*, void*) {
    ++s_criticalRuns;
}

TEST_F(FileTest, FlushSyncWaitsAndRunsTheSystemCriticalTasks) {
    s_criticalRuns = 0;
    s_thread* task = ThreadInsertPriorityDebug("Critical", nullptr, nullptr, CountCritical, nullptr, 100);
    task->flags |= THREAD_FLAG_SYSTEM_CRITICAL;
    const s32 fid = FileOpen("DATA\\BIG.BIN");
    ASSERT_EQ(FileReadBytesAsync(fid, buffer_->bytes, 300), RET_NO_ERROR);
    EXPECT_EQ(FileIoFlushSync(fid, 1), 1);
    EXPECT_TRUE(Matches(buffer_->bytes, 0, 300));
    EXPECT_GT(s_criticalRuns, 0);

    s_criticalRuns = 0;
    FileSeek(fid, 70000, FILE_SEEK_SET);
    ASSERT_EQ(FileReadBytesAsync(fid, buffer_->bytes, 300), RET_NO_ERROR);
    FileIoFlushSync(fid, 0);
    EXPECT_TRUE(Matches(buffer_->bytes, 70000, 300));
    EXPECT_EQ(s_criticalRuns, 0);
}

TEST_F(FileTest, FileLoadReadsTheWholeFile) {
    u32 size = 0;
    u8* block = static_cast<u8*>(FileLoad("DATA\\BIG.BIN", &size));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(size, kBig);
    EXPECT_TRUE(Matches(block, 0, kBig));
    EXPECT_TRUE(report().contains("Load DATA\\BIG.BIN\n"));
    HeapMallocFree(block);

    EXPECT_EQ(FileLoad("DATA\\NONE.BIN", &size), nullptr);
    // A load that cannot be read whole gives nothing, and leaks nothing.
    const u32 avail = HeapAvail(&MainHeap);
    HostDVDFailTransfers(1);
    EXPECT_EQ(FileLoad("DATA\\ODD.BIN", nullptr), nullptr);
    EXPECT_EQ(HeapAvail(&MainHeap), avail);
}

u32 s_errorCalls = 0;
s32 NoteError(u32) {
    ++s_errorCalls;
    return 0;
}

void CloseCover(void*) {
    HostDVDSetDriveStatus(DVD_STATE_END);
}

TEST_F(FileTest, ACoverOpenHoldsReadsUntilItCloses) {
    s_errorCalls = 0;
    FileSetErrorCallback(NoteError);
    const s32 fid = FileOpen("DATA\\BIG.BIN");
    HostDVDSetDriveStatus(DVD_STATE_COVER_OPEN);
    const u32 retraces = VIGetRetraceCount();
    console::PollSchedule(console::ClockNow() + 6 * console::kRetracePeriod, CloseCover, nullptr);

    EXPECT_EQ(FileReadBytes(fid, buffer_->bytes, 5000), 5000);
    EXPECT_GE(VIGetRetraceCount() - retraces, 5u);
    EXPECT_EQ(s_errorCalls, 0u) << "the error callback is for a fatal drive only";
    EXPECT_EQ(FileGetErrorStatus(), 0u);
    EXPECT_TRUE(Matches(buffer_->bytes, 0, 5000));
    EXPECT_EQ(FileSetErrorCallback(nullptr), NoteError);
}

TEST_F(FileTest, ErrorWordFollowsTheDriveStatus) {
    const u32 retraces = VIGetRetraceCount();
    EXPECT_EQ(HardwareCheckFileError(), 0u);  // a ready drive: no hold
    EXPECT_EQ(VIGetRetraceCount(), retraces);
    struct Case {
        s32 drive;
        u32 word;
    };
    for (Case c : {Case{DVD_STATE_FATAL_ERROR, FILE_ERROR_FATAL}, Case{DVD_STATE_END, 0},
                   Case{DVD_STATE_NO_DISK, FILE_ERROR_NO_DISC}, Case{DVD_STATE_BUSY, 0},
                   Case{DVD_STATE_COVER_OPEN, FILE_ERROR_COVER_OPEN},
                   Case{DVD_STATE_WRONG_DISK, FILE_ERROR_WRONG_DISC}, Case{DVD_STATE_RETRY, FILE_ERROR_RETRY},
                   Case{7, FILE_ERROR_RETRY}}) {
        HostDVDSetDriveStatus(c.drive);
        FileUpdateErrorStatus();
        EXPECT_EQ(FileGetErrorStatus(), c.word) << c.drive;
    }
    // The status task refreshes it every frame.
    HostDVDSetDriveStatus(DVD_STATE_WRONG_DISK);
    EventWait(1);
    EXPECT_EQ(FileGetErrorStatus(), FILE_ERROR_WRONG_DISC);
    HostDVDSetDriveStatus(DVD_STATE_END);
}

TEST_F(FileTest, WarmResetMakesBuffersAndTheTopPriorityTask) {
    auto* task = static_cast<s_thread*>(SystemThreads->next);
    ASSERT_NE(task, nullptr);
    EXPECT_STREQ(task->name, "FileGetStatusThread");
    EXPECT_EQ(task->priority, 32767u);
    const s32 fid = FileOpen("DATA\\ODD.BIN");
    const u8* buffer = NgcFileGetPtr(FileGetDVDInfo(fid))->sectorBuffer;
    EXPECT_GE(buffer, ExtraHeap.lomem.address);
    EXPECT_LT(buffer, ExtraHeap.himem.address);

    FileExit();
    EXPECT_NE(static_cast<s_thread*>(SystemThreads->next)->name, std::string("FileGetStatusThread"));
    FileWarmReset(0);
    EXPECT_EQ(FileGetSize(fid), 0);  // records cleared
}

}  // namespace
