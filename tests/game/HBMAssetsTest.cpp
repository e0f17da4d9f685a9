// The HOME-button menu's files as the demo disc has them, and damaged: the texts'
// table and the settings by their rules, the layout archive cut short and
// mutated under the menu's set-up, which refuses it without a leak.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/HBMInternal.h"
#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "tests/support/DamagedChunks.h"
#include "tests/support/GameFixture.h"

namespace {

std::vector<u8> DiscFile(const char* name) {
    std::ifstream in(std::filesystem::path(DefaultDiscRoot()) / "DATA/HomeButton2" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(HBMTextsTest, TheLanguagesColumnWithEnglishWhereItIsEmpty) {
    const std::vector<u8> disc = DiscFile("home.csv");
    const std::string long47(47, 'x');
    const struct {
        std::string file;
        s32 language;
        bool ok;
        const char* back;
    } rows[] = {
        {std::string(disc.begin(), disc.end()), 2, true,
         "Zur\xFC"
         "ck zum Spiel"},
        {std::string(disc.begin(), disc.end()), 0, true, "Back to the Game"},  // Japanese is empty
        {std::string(disc.begin(), disc.end()), 7, true, "Back to the Game"},
        {"key,JPN,ENG\r\nback,,Go on\r\n", 1, true, "Go on"},
        {"key,JPN,ENG\ntitle,,Only a title\n", 1, true, "Back to the Game"},
        {"key,JPN,ENG\nback,," + long47 + "\n", 1, true, long47.c_str()},
        {"key,JPN,ENG\nback,," + long47 + "y\n", 1, false, "Back to the Game"},
        {"key,JPN,ENG\nback,,\n", 1, false, "Back to the Game"},
        {"title,JPN,ENG\n", 1, false, "Back to the Game"},
        {std::string("key,JPN,ENG\nback,,a\0b\n", 21), 1, false, "Back to the Game"},
    };
    for (const auto& row : rows) {
        s_hbm_texts texts = HBMDefaultTexts();
        EXPECT_EQ(HBMParseTexts(row.file.data(), u32(row.file.size()), row.language, &texts), row.ok)
            << row.file;
        if (row.ok) {
            EXPECT_STREQ(texts.text[HBM_TEXT_BACK], row.back) << row.file;
        }
    }
}

TEST(HBMConfigTest, KnownKeysWithinTheirRanges) {
    const struct {
        const char* file;
        bool ok;
        s32 blackout, volume;
    } rows[] = {
        {"blackout_frames=600\nvolume=0\n", true, 600, 0},
        {"blackout_frames=1\r\nvolume=100\r\n", true, 1, 100},
        {"# a comment\n\nsomething_else=7\n", true, 30, 100},
        {"blackout_frames=601\n", false, 0, 0},
        {"blackout_frames=0\n", false, 0, 0},
        {"volume=101\n", false, 0, 0},
        {"volume=-1\n", false, 0, 0},
        {"volume=5x\n", false, 0, 0},
        {"volume\n", false, 0, 0},
    };
    for (const auto& row : rows) {
        s_hbm_config config;
        EXPECT_EQ(HBMParseConfig(row.file, u32(std::strlen(row.file)), &config), row.ok) << row.file;
        if (row.ok) {
            EXPECT_EQ(config.blackoutFrames, row.blackout) << row.file;
            EXPECT_EQ(config.volume, row.volume) << row.file;
        }
    }
}

class HBMLayoutTest : public MenuDiscFixture {
protected:
    // HBMCreate over `layout` with the disc's other files; the menu is deleted again.
    bool Create(const std::vector<u8>& layout) {
        HBMDataInfo info{};
        info.layoutBuf = const_cast<u8*>(layout.data());
        info.layoutSize = u32(layout.size());
        info.mem = mem_.data();
        info.memSize = u32(mem_.size() * sizeof(u64));
        const bool created = HBMCreate(&info) != FALSE;
        HBMDelete();
        return created;
    }

    std::vector<u64> mem_ = std::vector<u64>(HBM_MEM_SIZE / sizeof(u64));
};

// The layout values are the archive's first chunk: panel x, y, w, h, button w,
// h, gap, first button's y, title's y, rule's y, then each cell's x, y, w, h.
TEST_F(HBMLayoutTest, LayoutValuesStayInTheirPanelAndCellsInTheSkin) {
    const std::vector<u8> good = DiscFile("homeBtn_ENG.arc");
    const struct {
        u32 index;
        s32 value;
        bool ok;
    } rows[] = {
        {0, 240, true},  {0, 241, false},  // the panel's x, 400 wide on 640
        {4, 400, true},  {4, 401, false},  // the button's width within the panel's
        {6, 0, true},    {6, -1, false},   // the gap
        {9, 171, true},  {9, 172, false},  // the rule above the first button
        {10, -1, false}, {12, 0, false},   // the panel's cell
    };
    const u32 start = 32;
    for (const auto& row : rows) {
        std::vector<u8> layout = good;
        StoreBE32(&layout[start + 4 * row.index], u32(row.value));
        EXPECT_EQ(Create(layout), row.ok) << row.index << " = " << row.value;
    }
}

TEST_F(HBMLayoutTest, ADamagedArchiveIsRefusedWithoutALeak) {
    const std::vector<u8> good = DiscFile("homeBtn.arc");
    ASSERT_TRUE(Create(good));
    const u32 avail = HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap);
    for (const std::vector<u8>& layout : Truncations(good, 997))
        EXPECT_FALSE(Create(layout)) << layout.size();
    for (const std::vector<u8>& layout : Mutations(std::vector<u8>(good.begin(), good.begin() + 512), 200, 7))
        Create(layout);
    for (const std::vector<u8>& layout : Mutations(good, 40, 11))
        Create(layout);
    EventWait(3);  // texels are given back two frames late
    EXPECT_EQ(HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap), avail);
}

}  // namespace
