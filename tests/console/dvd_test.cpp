// The disc drive over a host folder: names, reads, the drive status and the test
// controls.
#include "console/dvd.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "tests/console/support.h"

namespace fs = std::filesystem;

namespace {

std::vector<u8> Pattern(u32 size) {
    std::vector<u8> bytes(size);
    for (u32 i = 0; i < size; ++i)
        bytes[i] = static_cast<u8>(i * 7 + (i >> 8));
    return bytes;
}

void WriteFile(const fs::path& path, const std::vector<u8>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

struct Completion {
    int calls = 0;
    s32 result = 0;
};
Completion s_done;

void Done(s32 result, DVDFileInfo*) {
    ++s_done.calls;
    s_done.result = result;
}

void CloseCover(void*) {
    HostDVDSetDriveStatus(DVD_STATE_END);
}

class DVDTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        root_ = fs::path(::testing::TempDir()) / ("dvd_" + test);
        fs::remove_all(root_);
        WriteFile(root_ / "Data" / "Lane.bin", Pattern(1000));
        WriteFile(root_ / "Data" / "sub" / "pin.dat", Pattern(64));
        WriteFile(root_ / "top.txt", Pattern(10));
        HostConfig config = SmallConfig();
        config.discRoot = root_.string();
        HostInit(config);
        DVDInit();
        s_done = Completion{};
    }
    void TearDown() override {
        HostShutdown();
        fs::remove_all(root_);
    }

    // Polls the drive until the callback has come.
    void WaitForCallback() {
        while (s_done.calls == 0)
            DVDGetDriveStatus();
    }

    fs::path root_;
};

TEST_F(DVDTest, NamesResolveIgnoringCaseFromTheCurrentDirectory) {
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("DATA/LANE.BIN", &info));
    EXPECT_EQ(info.length, 1000u);
    EXPECT_TRUE(DVDClose(&info));

    EXPECT_FALSE(DVDOpen("LANE.BIN", &info));
    ASSERT_TRUE(DVDChangeDir("data"));
    EXPECT_TRUE(DVDOpen("lane.bin", &info));
    EXPECT_TRUE(DVDOpen("SUB/PIN.DAT", &info));
    EXPECT_EQ(info.length, 64u);
    EXPECT_TRUE(DVDOpen("/TOP.TXT", &info));
    EXPECT_TRUE(DVDOpen("../top.txt", &info));

    // A refused change keeps the current directory.
    EXPECT_FALSE(DVDChangeDir("NOWHERE"));
    EXPECT_FALSE(DVDChangeDir("LANE.BIN"));
    EXPECT_TRUE(DVDOpen("Lane.Bin", &info));
    ASSERT_TRUE(DVDChangeDir("/"));
    EXPECT_TRUE(DVDOpen("top.TXT", &info));
}

TEST_F(DVDTest, EntryNumbersForFilesAndDirectoriesOnly) {
    const s32 file = DVDConvertPathToEntrynum("data/lane.bin");
    EXPECT_GE(file, 0);
    EXPECT_EQ(DVDConvertPathToEntrynum("/DATA/LANE.BIN"), file);
    EXPECT_GE(DVDConvertPathToEntrynum("DATA/SUB"), 0);
    EXPECT_EQ(DVDConvertPathToEntrynum("DATA/MISSING"), -1);
    EXPECT_EQ(DVDConvertPathToEntrynum("TOP.TXT/X"), -1);
    DVDFileInfo info{};
    EXPECT_FALSE(DVDOpen("DATA/SUB", &info));  // a directory is not a file
    EXPECT_FALSE(DVDOpen(std::string(4000, 'A').c_str(), &info));
}

// A restarted console is a fresh one: numbers handed out from the first again, and
// names resolved from the root before any DVDInit.
TEST_F(DVDTest, ARestartForgetsTheNamesAndTheCurrentDirectory) {
    const s32 first = DVDConvertPathToEntrynum("top.txt");
    ASSERT_TRUE(DVDChangeDir("DATA"));
    const HostConfig config = HostGetConfig();
    HostInit(config);
    EXPECT_EQ(DVDConvertPathToEntrynum("data/lane.bin"), first);
    DVDFileInfo info{};
    EXPECT_TRUE(DVDOpen("top.txt", &info));
}

TEST_F(DVDTest, AsyncReadCompletesAfterTheLatencyAtALaterPoll) {
    HostDVDSetReadLatency(OSMillisecondsToTicks(5));
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("DATA/LANE.BIN", &info));
    std::vector<u8> buffer(256);
    const OSTime start = console::ClockNow();
    ASSERT_TRUE(DVDReadAsyncPrio(&info, buffer.data(), 256, 100, Done, 2));
    EXPECT_EQ(s_done.calls, 0);
    EXPECT_EQ(DVDGetDriveStatus(), DVD_STATE_BUSY);
    // A second read on the same file while one is in flight is refused.
    EXPECT_FALSE(DVDReadAsyncPrio(&info, buffer.data(), 16, 0, Done, 2));

    WaitForCallback();
    EXPECT_GE(console::ClockNow() - start, OSMillisecondsToTicks(5));
    EXPECT_EQ(s_done.result, 256);
    EXPECT_EQ(DVDGetTransferredSize(&info), 256);
    const std::vector<u8> expected = Pattern(1000);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), expected.begin() + 100));
    EXPECT_EQ(DVDGetDriveStatus(), DVD_STATE_END);
}

TEST_F(DVDTest, WithNoLatencyTheCallbackStillWaitsForTheNextPoll) {
    HostDVDSetReadLatency(0);
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("TOP.TXT", &info));
    u8 byte = 0;
    ASSERT_TRUE(DVDReadAsyncPrio(&info, &byte, 1, 0, Done, 2));
    EXPECT_EQ(s_done.calls, 0);
    OSGetTime();
    EXPECT_EQ(s_done.calls, 1);
}

TEST_F(DVDTest, ReadsAtOrPastTheEndMoveOnlyWhatExists) {
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("DATA/LANE.BIN", &info));
    std::vector<u8> buffer(512, 0xEE);
    ASSERT_TRUE(DVDReadAsyncPrio(&info, buffer.data(), 512, 900, Done, 2));
    WaitForCallback();
    EXPECT_EQ(s_done.result, 100);
    EXPECT_EQ(buffer[100], 0xEE);  // nothing written beyond what exists

    EXPECT_EQ(DVDReadPrio(&info, buffer.data(), 64, 1000, 2), 0);
    EXPECT_EQ(DVDReadPrio(&info, buffer.data(), 64, 5000, 2), 0);
    EXPECT_EQ(DVDReadPrio(&info, buffer.data(), 64, 960, 2), 40);
    EXPECT_EQ(DVDGetTransferredSize(&info), 40);
}

TEST_F(DVDTest, ACoverOpenHoldsTransfersUntilItCloses) {
    VIInit();
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("TOP.TXT", &info));
    u8 bytes[10] = {};
    HostDVDSetDriveStatus(DVD_STATE_COVER_OPEN);
    ASSERT_TRUE(DVDReadAsyncPrio(&info, bytes, 10, 0, Done, 2));
    for (int i = 0; i < 10; ++i)
        VIWaitForRetrace();
    EXPECT_EQ(s_done.calls, 0);
    EXPECT_EQ(DVDGetDriveStatus(), DVD_STATE_COVER_OPEN);

    HostDVDSetDriveStatus(DVD_STATE_END);
    VIWaitForRetrace();
    VIWaitForRetrace();
    EXPECT_EQ(s_done.calls, 1);
    EXPECT_EQ(s_done.result, 10);
}

TEST_F(DVDTest, ABlockingReadWaitsForTheCoverToClose) {
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("TOP.TXT", &info));
    HostDVDSetDriveStatus(DVD_STATE_NO_DISK);
    const OSTime closeAt = console::ClockNow() + OSMillisecondsToTicks(100);
    console::PollSchedule(closeAt, CloseCover, nullptr);
    u8 bytes[10] = {};
    EXPECT_EQ(DVDReadPrio(&info, bytes, 10, 0, 2), 10);
    EXPECT_GE(console::ClockNow(), closeAt);
    EXPECT_EQ(bytes[1], Pattern(10)[1]);
}

TEST_F(DVDTest, FailedTransfersMoveNothing) {
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("TOP.TXT", &info));
    u8 bytes[10] = {};
    HostDVDFailTransfers(2);
    ASSERT_TRUE(DVDReadAsyncPrio(&info, bytes, 10, 0, Done, 2));
    WaitForCallback();
    EXPECT_EQ(s_done.result, DVD_RESULT_FATAL_ERROR);
    EXPECT_EQ(DVDGetTransferredSize(&info), 0);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(DVDReadPrio(&info, bytes, 10, 0, 2), DVD_RESULT_FATAL_ERROR);
    EXPECT_EQ(DVDReadPrio(&info, bytes, 10, 0, 2), 10);

    // After a fatal drive error nothing reads.
    HostDVDSetDriveStatus(DVD_STATE_FATAL_ERROR);
    EXPECT_EQ(DVDReadPrio(&info, bytes, 10, 0, 2), DVD_RESULT_FATAL_ERROR);
}

// Only transfers after the request are logged, so a long run keeps no log.
TEST_F(DVDTest, TheLogRecordsEveryTransferStartedOnceAsked) {
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("DATA/LANE.BIN", &info));
    std::vector<u8> buffer(64);
    for (int i = 0; i < 3; ++i)
        DVDReadPrio(&info, buffer.data(), 32, 0, 2);
    EXPECT_TRUE(HostDVDTransferLog().empty());

    HostDVDRecordTransfers();
    ASSERT_TRUE(DVDReadAsyncPrio(&info, buffer.data(), 32, 64, Done, 2));
    WaitForCallback();
    DVDReadPrio(&info, buffer.data() + 32, 32, 96, 2);
    const auto& log = HostDVDTransferLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].entrynum, info.entrynum);
    EXPECT_EQ(log[0].offset, 64u);
    EXPECT_EQ(log[0].length, 32u);
    EXPECT_EQ(log[0].addr, buffer.data());
    EXPECT_EQ(log[1].addr, buffer.data() + 32);
    HostDVDRecordTransfers();
    EXPECT_TRUE(HostDVDTransferLog().empty());
}

TEST_F(DVDTest, CancelAndCloseEndATransferInFlight) {
    DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("TOP.TXT", &info));
    u8 bytes[10] = {};
    EXPECT_EQ(DVDCancel(&info), -1);
    ASSERT_TRUE(DVDReadAsyncPrio(&info, bytes, 10, 0, Done, 2));
    EXPECT_EQ(DVDCancel(&info), 0);
    EXPECT_EQ(s_done.calls, 0);
    WaitForCallback();
    EXPECT_EQ(s_done.result, DVD_RESULT_CANCELED);
    EXPECT_EQ(bytes[1], 0);

    // Closing forgets the transfer: no callback reaches a closed file.
    s_done = Completion{};
    ASSERT_TRUE(DVDReadAsyncPrio(&info, bytes, 10, 0, Done, 2));
    EXPECT_TRUE(DVDClose(&info));
    HostAdvanceClock(OSMillisecondsToTicks(50));
    EXPECT_EQ(DVDGetDriveStatus(), DVD_STATE_END);
    EXPECT_EQ(s_done.calls, 0);
    EXPECT_FALSE(DVDReadAsyncPrio(&info, bytes, 10, 0, Done, 2));
}

TEST_F(DVDTest, ABlockingReadFromACallbackIsFatal) {
    static DVDFileInfo info{};
    ASSERT_TRUE(DVDOpen("TOP.TXT", &info));
    EXPECT_DEATH(
        {
            console::PollSchedule(
                console::ClockNow(), [](void*) { DVDReadPrio(&info, &info, 1, 0, 2); }, nullptr);
            OSGetTime();
        },
        "DVDReadPrio\\(\\): called from a callback");
}

}  // namespace
