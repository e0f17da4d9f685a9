// Flash storage: the save file and banner round trips, and every failure's result
// code, message and effect on the file already saved.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console/nand/nand_control.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/NVRam.h"
#include "tests/support/EngineFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr u32 kSaveLength = 46212;  // what the save game writes; stored as 46240

std::vector<u8> Pattern(u32 size, u8 seed) {
    std::vector<u8> bytes(size);
    for (u32 i = 0; i < size; ++i)
        bytes[i] = u8(i * 13 + seed);
    return bytes;
}

class NVRamTest : public EngineFixture {
protected:
    HostConfig Config() const override {
        HostConfig config = TestHostConfig();
        config.nandRoot = root_.string();
        return config;
    }
    void SetUp() override {
        fs::remove_all(root_);
        EngineFixture::SetUp();
    }
    void TearDown() override {
        HostNANDReset();
        EngineFixture::TearDown();
        fs::remove_all(root_);
    }

    std::string HostFile(const char* name) const {
        std::ifstream in(root_ / (std::string(NvHomeDir).substr(1) + "/" + name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Bytes(const std::vector<u8>& bytes) const { return std::string(bytes.begin(), bytes.end()); }

    fs::path root_ =
        fs::path(::testing::TempDir()) /
        ("nvram_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(NVRamTest, SaveRoundsTo32ZeroesThePaddingAndLoadsBackExactly) {
    const std::vector<u8> first = Pattern(kSaveLength, 1), second = Pattern(kSaveLength, 2);
    void* dirty = HeapMalloc(46240, __FILE__, __LINE__);  // where the work block will go
    std::memset(dirty, 0xAA, 46240);
    HeapMallocFree(dirty);
    ASSERT_EQ(NVRamSaveFile("save.dat", first.data(), kSaveLength), 1);
    EXPECT_EQ(HostFile("save.dat").substr(kSaveLength), std::string(46240 - kSaveLength, '\0'));
    NANDStatus status;
    ASSERT_EQ(NANDGetStatus("save.dat", &status), NAND_RESULT_OK);
    EXPECT_EQ(status.permission, NVRAM_PERM_SAVE);
    ASSERT_EQ(NVRamSaveFile("save.dat", second.data(), kSaveLength), 1);
    EXPECT_EQ(HostFile("save.dat"), Bytes(second) + std::string(46240 - kSaveLength, '\0'));

    std::vector<u8> loaded(kSaveLength + 4, 0xEE);  // guard bytes past the length
    ASSERT_EQ(NVRamLoadFile("save.dat", loaded.data(), kSaveLength), 1);
    EXPECT_EQ(NVRamGetLastError(), 0);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), loaded.begin()));
    EXPECT_EQ(loaded[kSaveLength], 0xEE);

    u32 length = 7;
    EXPECT_EQ(NVRamFileExist("save.dat", &length), 1);
    EXPECT_EQ(length, 46240u);
    EXPECT_EQ(NVRamFileExist("save.dat", nullptr), 1);
}

// The longer saves fit in one copy buffer, or need several.
TEST_F(NVRamTest, AShorterSaveLeavesNothingOfTheLongerOne) {
    const std::vector<u8> shorter = Pattern(100, 2);
    for (u32 longer : {172u, kSaveLength}) {
        ASSERT_EQ(NVRamSaveFile("save.dat", Pattern(longer, 1).data(), longer), 1);
        ASSERT_EQ(NVRamSaveFile("save.dat", shorter.data(), 100), 1);
        EXPECT_EQ(HostFile("save.dat"), Bytes(shorter) + std::string(28, '\0')) << longer;
    }
}

TEST_F(NVRamTest, MissingFilesReportThePlatformCode) {
    std::vector<u8> buffer(64, 0xEE);
    EXPECT_EQ(NVRamLoadFile("save.dat", buffer.data(), 64), 0);
    EXPECT_EQ(NVRamGetLastError(), NAND_RESULT_NOEXISTS);
    EXPECT_TRUE(report().contains("NANDSafeOpen failed (-12)!\n"));
    u32 length = 7;
    EXPECT_EQ(NVRamFileExist("save.dat", &length), 0);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(NVRamGetLastError(), NAND_RESULT_NOEXISTS);
}

TEST_F(NVRamTest, AFailedWriteFailsTheSaveAndKeepsTheOldFile) {
    const std::vector<u8> old = Pattern(kSaveLength, 1), fresh = Pattern(kSaveLength, 2);
    ASSERT_EQ(NVRamSaveFile("save.dat", old.data(), kSaveLength), 1);
    const std::string saved = HostFile("save.dat");

    HostNANDShortNextWrite(1000);
    EXPECT_EQ(NVRamSaveFile("save.dat", fresh.data(), kSaveLength), 0);
    EXPECT_EQ(NVRamGetLastError(), 1000);
    EXPECT_TRUE(report().contains("NANDWrite failed (1000)!\n"));

    HostNANDShortNextWrite(0);
    EXPECT_EQ(NVRamSaveFile("save.dat", fresh.data(), kSaveLength), 0);
    EXPECT_EQ(NVRamGetLastError(), NVRAM_ERROR_SHORT_TRANSFER);

    HostNANDCrashBeforeRename();
    EXPECT_EQ(NVRamSaveFile("save.dat", fresh.data(), kSaveLength), 0);
    EXPECT_NE(NVRamGetLastError(), 0);
    EXPECT_TRUE(report().contains("NANDSafeClose failed (-128)!\n"));
    EXPECT_EQ(HostFile("save.dat"), saved);

    ASSERT_EQ(NVRamSaveFile("save.dat", fresh.data(), kSaveLength), 1);
    EXPECT_NE(HostFile("save.dat"), saved);
}

TEST_F(NVRamTest, AShortReadFailsTheLoadAndLeavesTheBuffer) {
    const std::vector<u8> data = Pattern(100, 3);
    ASSERT_EQ(NVRamSaveFile("save.dat", data.data(), 100), 1);
    std::vector<u8> buffer(100, 0xEE);
    HostNANDShortNextRead(50);
    EXPECT_EQ(NVRamLoadFile("save.dat", buffer.data(), 100), 0);
    EXPECT_EQ(NVRamGetLastError(), NVRAM_ERROR_SHORT_TRANSFER);
    EXPECT_TRUE(report().contains("NANDRead failed (50)!\n"));
    EXPECT_EQ(buffer, std::vector<u8>(100, 0xEE));
}

TEST_F(NVRamTest, NoWorkBlockFailsCleanlyWithoutTouchingTheFile) {
    const std::vector<u8> data = Pattern(64, 4);
    EXPECT_EQ(NVRamSaveFile("save.dat", data.data(), 0x7FFFFFF0u), 0);
    EXPECT_EQ(NVRamGetLastError(), NVRAM_ERROR_NO_MEMORY);
    EXPECT_EQ(NVRamSaveFile("save.dat", data.data(), 0xFFFFFFF0u), 0);  // would round past 32 bits
    EXPECT_EQ(NVRamGetLastError(), NVRAM_ERROR_NO_MEMORY);
    EXPECT_EQ(NVRamFileExist("save.dat", nullptr), 0);
}

TEST_F(NVRamTest, BannerIsWrittenOnceAndExistsOnlyWhenKnownTo) {
    EXPECT_EQ(NVRamGetBannerSize(0), 24736u);
    EXPECT_EQ(NVRamGetBannerSize(1), 29344u);
    EXPECT_EQ(NVRamBannerExist(), 0);
    const std::vector<u8> banner = Pattern(29344, 5);
    ASSERT_EQ(NVRamSaveBanner(banner.data(), 1), 1);
    EXPECT_EQ(HostFile(NVRAM_BANNER_NAME), Bytes(banner));
    NANDStatus status;
    ASSERT_EQ(NANDGetStatus(NVRAM_BANNER_NAME, &status), NAND_RESULT_OK);
    EXPECT_EQ(status.permission, NVRAM_PERM_BANNER);
    EXPECT_EQ(NVRamBannerExist(), 1);
    HostNANDFailNext(HostNANDCall::GetStatus, NAND_RESULT_CORRUPT);
    EXPECT_EQ(NVRamBannerExist(), 0);
    EXPECT_EQ(NVRamGetLastError(), NAND_RESULT_CORRUPT);
}

TEST_F(NVRamTest, SpaceCheckReportsEachRefusalInBitOrder) {
    EXPECT_EQ(NVRamCheckSpace((29344 + 46212 + 131072) / 131072, 2), 1);
    EXPECT_EQ(NVRamCheckSpace(200, 40), 0);  // over 16 MB and 32 files
    EXPECT_EQ(NVRamGetLastError(), NVRAM_ERROR_NO_ROOM);
    EXPECT_EQ(NVRamGetCheckSpaceFailureCode(), NAND_CHECK_HOME_NO_SPACE | NAND_CHECK_HOME_NO_INODES);
    const std::string& text = report().text();
    const size_t space = text.find("Your request will exceed limit of home directory (16MB).\n");
    const size_t inodes = text.find("Your request will exceed limit of home directory (32 i-nodes).\n");
    ASSERT_NE(space, std::string::npos);
    ASSERT_NE(inodes, std::string::npos);
    EXPECT_LT(space, inodes);
    EXPECT_EQ(NVRamCheckSpace(0x40000000u, 1), 0);  // too big to count is refused, not wrapped

    HostNANDFailNext(HostNANDCall::Check, NAND_RESULT_FATAL_ERROR);
    EXPECT_EQ(NVRamCheckSpace(1, 1), 0);
    EXPECT_EQ(NVRamGetLastError(), NAND_RESULT_FATAL_ERROR);
    EXPECT_TRUE(report().contains("NANDCheck() failed.  Result code: -128\n"));
}

TEST_F(NVRamTest, CreateAndOpenFailuresPassThePlatformCodeOn) {
    const std::vector<u8> data = Pattern(32, 6);
    HostNANDFailNext(HostNANDCall::Create, NAND_RESULT_AUTHENTICATION);
    EXPECT_EQ(NVRamSaveFile("save.dat", data.data(), 32), 0);
    EXPECT_EQ(NVRamGetLastError(), NAND_RESULT_AUTHENTICATION);
    EXPECT_TRUE(report().contains("NANDCreate failed (-15)!\n"));
    HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_CORRUPT);
    EXPECT_EQ(NVRamSaveFile("save.dat", data.data(), 32), 0);
    EXPECT_EQ(NVRamGetLastError(), NAND_RESULT_CORRUPT);
    EXPECT_TRUE(report().contains("NANDSafeOpen failed (-4)!\n"));
    EXPECT_EQ(NVRamSaveFile("save.dat", data.data(), 32), 1);
    EXPECT_EQ(NVRamGetLastError(), 0);
}

}  // namespace
