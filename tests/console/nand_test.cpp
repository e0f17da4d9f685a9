// The flash storage over a host folder: paths, files, safe writes and their
// failures, and the space check.
#include "console/nand.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console/nand/nand_control.h"
#include "tests/console/support.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class NANDTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(::testing::TempDir()) /
                ("nand_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        HostConfig config = SmallConfig();
        config.nandRoot = root_.string();
        HostInit(config);
        HostNANDReset();
        char home[NAND_MAX_PATH];
        ASSERT_EQ(NANDGetHomeDir(home), NAND_RESULT_OK);
        home_ = home;
        ASSERT_EQ(NANDChangeDir(home), NAND_RESULT_OK);
    }
    void TearDown() override {
        HostNANDReset();
        HostShutdown();
        fs::remove_all(root_);
    }

    fs::path Host(const std::string& name) const { return root_ / home_.substr(1) / name; }

    // Replaces a file through a safe open; the result of the close.
    s32 SafeWrite(const char* name, const std::string& bytes) {
        NANDFileInfo info{};
        EXPECT_EQ(NANDSafeOpen(name, &info, NAND_ACCESS_WRITE, copy_, sizeof(copy_)), NAND_RESULT_OK);
        NANDWrite(&info, bytes.data(), u32(bytes.size()));
        return NANDSafeClose(&info);
    }

    bool TempEmpty() const { return !fs::exists(root_ / "tmp") || fs::is_empty(root_ / "tmp"); }

    fs::path root_;
    std::string home_;
    alignas(32) char copy_[64];  // smaller than the files: copies go in pieces
};

TEST_F(NANDTest, PathsStayInsideTheRootAndFollowTheCurrentDirectory) {
    char dir[NAND_MAX_PATH];
    EXPECT_EQ(NANDGetCurrentDir(dir), NAND_RESULT_OK);
    EXPECT_EQ(std::string(dir), home_);
    EXPECT_EQ(NANDChangeDir("missing"), NAND_RESULT_NOEXISTS);
    EXPECT_EQ(NANDCreate("../escape", 0x30, 0), NAND_RESULT_INVALID);
    EXPECT_EQ(NANDCreate("thirteenchars", 0x30, 0), NAND_RESULT_INVALID);
    EXPECT_EQ(NANDCreate("a//b", 0x30, 0), NAND_RESULT_INVALID);
    EXPECT_EQ(NANDCreate("/nodir/file", 0x30, 0), NAND_RESULT_NOEXISTS);
    EXPECT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    EXPECT_TRUE(fs::exists(Host("save.dat")));
    EXPECT_EQ(NANDCreate((home_ + "/save.dat").c_str(), 0x30, 0), NAND_RESULT_EXISTS);
}

TEST_F(NANDTest, StatusKeepsThePermissionAndAccessFollowsIt) {
    NANDStatus status{};
    EXPECT_EQ(NANDGetStatus("banner.bin", &status), NAND_RESULT_NOEXISTS);
    ASSERT_EQ(NANDCreate("banner.bin", 0x34, 0), NAND_RESULT_OK);
    ASSERT_EQ(NANDGetStatus("banner.bin", &status), NAND_RESULT_OK);
    EXPECT_EQ(status.permission, 0x34);
    ASSERT_EQ(NANDCreate("readonly", NAND_PERM_OWNER_READ, 0), NAND_RESULT_OK);
    NANDFileInfo info{};
    EXPECT_EQ(NANDOpen("readonly", &info, NAND_ACCESS_WRITE), NAND_RESULT_ACCESS);
    // A zeroed record is closed: closing it must not close descriptor 0.
    EXPECT_EQ(NANDClose(&info), NAND_RESULT_INVALID);
}

TEST_F(NANDTest, SafeWriteReplacesTheFileAndReadsBack) {
    ASSERT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    const std::string first(200, 'a'), second(300, 'b');
    EXPECT_EQ(SafeWrite("save.dat", first), NAND_RESULT_OK);
    EXPECT_EQ(SafeWrite("save.dat", second), NAND_RESULT_OK);
    EXPECT_EQ(Slurp(Host("save.dat")), second);
    EXPECT_TRUE(TempEmpty());

    NANDFileInfo info{};
    ASSERT_EQ(NANDSafeOpen("save.dat", &info, NAND_ACCESS_READ, copy_, sizeof(copy_)), NAND_RESULT_OK);
    u32 length = 0;
    EXPECT_EQ(NANDGetLength(&info, &length), NAND_RESULT_OK);
    EXPECT_EQ(length, 300u);
    std::vector<char> back(400);
    EXPECT_EQ(NANDRead(&info, back.data(), 400), 300);
    EXPECT_EQ(std::string(back.data(), 300), second);
    EXPECT_EQ(NANDSafeClose(&info), NAND_RESULT_OK);
}

// A write of fewer bytes than the file leaves no old tail unless the open was
// read-write; old files span several copy buffers, or end exactly on one.
TEST_F(NANDTest, AShorterSafeWriteKeepsOnlyWhatTheOpenKeeps) {
    struct Case {
        u8 access;
        size_t oldSize;
        std::string expected;
    };
    ASSERT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    const std::string fresh(100, 'n');
    for (const Case& c : {Case{NAND_ACCESS_WRITE, 300, fresh}, Case{NAND_ACCESS_WRITE, 0, fresh},
                          Case{NAND_ACCESS_RW, 300, fresh + std::string(200, 'o')},
                          Case{NAND_ACCESS_RW, 128, fresh + std::string(28, 'o')}}) {
        std::ofstream(Host("save.dat"), std::ios::binary) << std::string(c.oldSize, 'o');
        NANDFileInfo info{};
        ASSERT_EQ(NANDSafeOpen("save.dat", &info, c.access, copy_, sizeof(copy_)), NAND_RESULT_OK);
        EXPECT_EQ(NANDWrite(&info, fresh.data(), u32(fresh.size())), s32(fresh.size()));
        EXPECT_EQ(NANDSafeClose(&info), NAND_RESULT_OK) << c.oldSize;
        EXPECT_EQ(Slurp(Host("save.dat")), c.expected) << c.oldSize;
    }
    EXPECT_TRUE(TempEmpty());
}

TEST_F(NANDTest, FailedWritesAndClosesKeepTheOldFile) {
    ASSERT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    const std::string old(256, 'o'), fresh(256, 'n');
    ASSERT_EQ(SafeWrite("save.dat", old), NAND_RESULT_OK);

    HostNANDShortNextWrite(100);
    NANDFileInfo info{};
    ASSERT_EQ(NANDSafeOpen("save.dat", &info, NAND_ACCESS_WRITE, copy_, sizeof(copy_)), NAND_RESULT_OK);
    EXPECT_EQ(NANDWrite(&info, fresh.data(), 256), 100);
    EXPECT_NE(NANDSafeClose(&info), NAND_RESULT_OK);
    EXPECT_EQ(Slurp(Host("save.dat")), old);

    HostNANDFailNext(HostNANDCall::Write, NAND_RESULT_MAXBLOCKS);
    EXPECT_NE(SafeWrite("save.dat", fresh), NAND_RESULT_OK);
    HostNANDFailNext(HostNANDCall::SafeClose, NAND_RESULT_CORRUPT);
    EXPECT_EQ(SafeWrite("save.dat", fresh), NAND_RESULT_CORRUPT);
    EXPECT_EQ(Slurp(Host("save.dat")), old);
    EXPECT_TRUE(TempEmpty());
}

TEST_F(NANDTest, ACrashBeforeTheRenameKeepsTheOldFileUntilTheNextPowerOn) {
    ASSERT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    const std::string old(64, 'o');
    ASSERT_EQ(SafeWrite("save.dat", old), NAND_RESULT_OK);
    HostNANDCrashBeforeRename();
    EXPECT_EQ(SafeWrite("save.dat", std::string(64, 'n')), NAND_RESULT_FATAL_ERROR);
    EXPECT_EQ(Slurp(Host("save.dat")), old);
    EXPECT_FALSE(TempEmpty());
    HostNANDReset();
    EXPECT_TRUE(TempEmpty());
    EXPECT_EQ(Slurp(Host("save.dat")), old);
}

TEST_F(NANDTest, ShortReadsAndInjectedFailuresAreReported) {
    ASSERT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    ASSERT_EQ(SafeWrite("save.dat", std::string(96, 'x')), NAND_RESULT_OK);
    NANDFileInfo info{};
    ASSERT_EQ(NANDOpen("save.dat", &info, NAND_ACCESS_READ), NAND_RESULT_OK);
    char buffer[96];
    HostNANDShortNextRead(10);
    EXPECT_EQ(NANDRead(&info, buffer, 96), 10);
    EXPECT_EQ(NANDWrite(&info, buffer, 1), NAND_RESULT_INVALID);  // opened for reading
    EXPECT_EQ(NANDClose(&info), NAND_RESULT_OK);
    NANDStatus status;
    HostNANDFailNext(HostNANDCall::GetStatus, NAND_RESULT_AUTHENTICATION);
    EXPECT_EQ(NANDGetStatus("save.dat", &status), NAND_RESULT_AUTHENTICATION);
    EXPECT_EQ(NANDGetStatus("save.dat", &status), NAND_RESULT_OK);
    EXPECT_EQ(NANDSafeOpen("missing", &info, NAND_ACCESS_READ, copy_, sizeof(copy_)), NAND_RESULT_NOEXISTS);
}

TEST_F(NANDTest, CheckMeasuresTheHomeDirectoryAgainstItsLimits) {
    u32 answer = 99;
    EXPECT_EQ(NANDCheck(1024, 32, &answer), NAND_RESULT_OK);
    EXPECT_EQ(answer, 0u);
    ASSERT_EQ(NANDCreate("save.dat", 0x30, 0), NAND_RESULT_OK);
    ASSERT_EQ(SafeWrite("save.dat", std::string(NAND_FS_BLOCK_SIZE + 1, 'x')), NAND_RESULT_OK);
    EXPECT_EQ(NANDCheck(1022, 31, &answer), NAND_RESULT_OK);
    EXPECT_EQ(answer, 0u);
    EXPECT_EQ(NANDCheck(1023, 32, &answer), NAND_RESULT_OK);
    EXPECT_EQ(answer, NAND_CHECK_HOME_NO_SPACE | NAND_CHECK_HOME_NO_INODES);
    HostNANDSetSpace({.homeBlocks = 1024, .homeInodes = 32, .systemFreeBlocks = 0, .systemFreeInodes = 0});
    EXPECT_EQ(NANDCheck(1, 1, &answer), NAND_RESULT_OK);
    EXPECT_EQ(answer, NAND_CHECK_SYS_NO_SPACE | NAND_CHECK_SYS_NO_INODES);
    EXPECT_EQ(NANDCheck(1, 1, nullptr), NAND_RESULT_INVALID);
}

}  // namespace
