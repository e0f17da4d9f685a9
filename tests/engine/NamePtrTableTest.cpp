#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "orblib47/source/NamePtrTable.h"
#include "tests/engine/DataFixture.h"

namespace {

using NamePtrTableTest = DataFixture;

// Names as the table-of-contents entries hold them: NUL-padded to 16 bytes.
struct PaddedName {
    char text[17] = {};
    explicit PaddedName(const std::string& name) { name.copy(text, 16); }
};

TEST_F(NamePtrTableTest, AddFindAndGetValue) {
    CNamePtrTable table(8);
    PaddedName ball("BALL"), pins("PINS");
    EXPECT_EQ(table.Add(ball.text, 3), RET_NO_ERROR);
    EXPECT_EQ(table.Add(pins.text, -4), RET_NO_ERROR);
    EXPECT_EQ(table.GetValue("BALL"), 3);
    EXPECT_EQ(table.GetValue("PINS"), -4);
    CNamePtr* entry = table.Find("BALL");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->m_Name, ball.text);  // the caller's name, not a copy
    EXPECT_EQ(entry->m_RefCount, 1u);
    EXPECT_EQ(table.Find("BAL"), nullptr);
    EXPECT_EQ(table.GetValue("LANE"), 0x7FFFFFFF);
}

TEST_F(NamePtrTableTest, AddingAPresentNameCountsOrRefuses) {
    CNamePtrTable table(8);
    PaddedName lane("LANE"), again("LANE");
    ASSERT_EQ(table.Add(lane.text, 10), RET_NO_ERROR);
    EXPECT_EQ(table.Add(again.text, 10), RET_NO_ERROR);
    EXPECT_EQ(table.Find("LANE")->m_RefCount, 2u);
    EXPECT_EQ(table.Add(again.text, 11), RET_ERROR);
    EXPECT_EQ(table.GetValue("LANE"), 10);
    EXPECT_EQ(table.Find("LANE")->m_RefCount, 2u);
}

TEST_F(NamePtrTableTest, LongNamesMatchByTheirFirstSixteenCharacters) {
    CNamePtrTable table(8);
    PaddedName full("ABCDEFGHIJKLMNOP");
    ASSERT_EQ(table.Add(full.text, 1), RET_NO_ERROR);
    EXPECT_EQ(table.GetValue("ABCDEFGHIJKLMNOP"), 1);
    EXPECT_EQ(table.GetValue("ABCDEFGHIJKLMNOPQ"), 1);
    EXPECT_EQ(table.GetValue("ABCDEFGHIJKLMNO"), 0x7FFFFFFF);
}

TEST_F(NamePtrTableTest, ShortCallerNamesAreNotReadPastTheirEnd) {
    CNamePtrTable table(4);
    // Exactly-sized heap strings: a 16-byte read of either would trip the sanitizer.
    auto stored = std::make_unique<char[]>(2);
    std::strcpy(stored.get(), "X");
    ASSERT_EQ(table.Add(stored.get(), 7), RET_NO_ERROR);
    auto wanted = std::make_unique<char[]>(2);
    std::strcpy(wanted.get(), "X");
    EXPECT_EQ(table.GetValue(wanted.get()), 7);
}

TEST_F(NamePtrTableTest, RunningOutOfRecordsIsAnError) {
    const auto before = Heaps();
    {
        CNamePtrTable table(4);
        std::vector<PaddedName> names;
        for (int i = 0; i < 5; ++i)
            names.emplace_back("N" + std::to_string(i));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(table.Add(names[i].text, i), RET_NO_ERROR);
        EXPECT_EQ(table.Add(names[4].text, 4), RET_ERROR);
        EXPECT_TRUE(report().contains("CNamePtr: Out of records!\n"));
        EXPECT_EQ(table.GetValue("N4"), 0x7FFFFFFF);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(table.GetValue(names[i].text), i);
    }
    EXPECT_EQ(Heaps(), before);
}

TEST_F(NamePtrTableTest, ManyNamesInFewBucketsAreAllFound) {
    CNamePtrTable table(400);
    std::vector<PaddedName> names;
    for (int i = 0; i < 400; ++i)
        names.emplace_back("TOC" + std::to_string(i));
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(table.Add(names[i].text, i), RET_NO_ERROR);
    for (int i = 0; i < 400; ++i)
        EXPECT_EQ(table.GetValue(("TOC" + std::to_string(i)).c_str()), i);
}

}  // namespace
