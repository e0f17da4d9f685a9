#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/Wad.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/StringTableWriter.h"

namespace {

constexpr u32 kAmericanAndEnglish = 0xC0000000u;
const std::vector<std::string> kStrings = {"STRIKE", "SPARE", "", "GUTTER BALL"};

class StringTableTest : public DataFixture {
protected:
    // Loads `payload` as the "TXT" chunk `name` and binds `dataId` as the archive does.
    static s_string_table* Load(const char* name, const std::vector<u8>& payload, s32 dataId = -1) {
        s_wad_header header{};
        std::strncpy(header.name, name, WAD_NAME_LEN);
        std::strcpy(header.ext, "TXT");
        header.size = u32(payload.size());
        s_string_table* table = StringTableLoad(&header, Image(payload));
        if (dataId != -1)
            DataRegister(name, "TXT", dataId);
        return table;
    }
};
using StringTableDeathTest = DataDeathFixture;

TEST_F(StringTableTest, TablesOfTheCurrentLanguageAreKept) {
    s_string_table* table =
        Load("SCORES", discbuild::StringTablePayload(kAmericanAndEnglish, 77, kStrings), 5);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->language, kAmericanAndEnglish);
    EXPECT_EQ(table->id, 77);
    EXPECT_EQ(table->numStrings, 4);
    EXPECT_EQ(table->dataEntry, DataFindEntry("SCORES", "TXT"));
    EXPECT_EQ(table->dataEntry->record, table);
    EXPECT_STREQ(StringTableGetString(0x00050003u), "GUTTER BALL");
    EXPECT_STREQ(StringTableGetString(0x00050000u), "STRIKE");
    EXPECT_STREQ(StringTableGetString(0x00050002u), "");
}

TEST_F(StringTableTest, TablesOfAnotherLanguageAreDroppedAndGetNoId) {
    const auto before = Heaps();
    EXPECT_EQ(Load("SCORES", discbuild::StringTablePayload(COrbLanguage::English, 1, kStrings), 5), nullptr);
    EXPECT_EQ(DataFindEntry("SCORES", "TXT"), nullptr);
    EXPECT_EQ(DataGetEntry(5), nullptr);
    EXPECT_EQ(Heaps(), before);

    // The same name and id again in the current language is the copy that stays.
    s_string_table* table =
        Load("SCORES", discbuild::StringTablePayload(COrbLanguage::American, 1, {"A"}), 5);
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(StringTableGetString(0x00050000u), "A");
}

TEST_F(StringTableTest, ALoadedNameIsSharedWhateverTheNewLanguage) {
    const auto before = Heaps();
    s_string_table* first =
        Load("SHARED", discbuild::StringTablePayload(COrbLanguage::American, 1, kStrings));
    s_string_table* second = Load("SHARED", discbuild::StringTablePayload(COrbLanguage::German, 2, {"X"}));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(first->dataEntry->refCount, 2);
    StringTableFree(second);
    EXPECT_EQ(DataFindEntry("SHARED", "TXT"), first->dataEntry);
    StringTableFree(first);
    EXPECT_EQ(DataFindEntry("SHARED", "TXT"), nullptr);
    StringTableFree(nullptr);
    EXPECT_EQ(Heaps(), before);
}

TEST_F(StringTableTest, AnEmptyTableLoads) {
    s_string_table* table = Load("EMPTY", discbuild::StringTablePayload(COrbLanguage::American, 0, {}));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->numStrings, 0);
}

TEST_F(StringTableTest, StringsMayShareBytesAndStandAnywhereInThePayload) {
    // Two offsets into one string, the second at its tail "PIN".
    std::vector<u8> bytes(16 + 8 + 7, 0);
    StoreBE32(&bytes[4], COrbLanguage::American);
    StoreBE32(&bytes[12], 2);
    StoreBE32(&bytes[16], 24);
    StoreBE32(&bytes[20], 27);
    std::memcpy(&bytes[24], "TENPIN", 7);
    s_string_table* table = Load("TAILS", bytes, 9);
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(StringTableGetString(0x00090000u), "TENPIN");
    EXPECT_STREQ(StringTableGetString(0x00090001u), "PIN");
}

TEST_F(StringTableTest, BadCountsAndOffsetsAreRefusedWithoutLeaks) {
    const std::vector<u8> good = discbuild::StringTablePayload(COrbLanguage::American, 0, kStrings);
    struct Mutation {
        u32 at;
        u32 value;
    };
    const Mutation mutations[] = {
        {12, 0xFFFFFFFFu},           // negative count
        {12, 0x80000000u},           // most negative count
        {12, 0x40000000u},           // count whose byte size wraps
        {12, 0x3FFFFFFFu},           // count far past the payload
        {12, u32(good.size() / 4)},  // count just past the payload
        {16, 0xFFFFFFFFu},           // offset at the top of the word
        {16, u32(good.size())},      // offset at the payload's end
        {28, u32(good.size() - 1)},  // offset at the last NUL: the empty string is fine
    };
    const auto before = Heaps();
    for (const Mutation& m : mutations) {
        std::vector<u8> bad = good;
        StoreBE32(&bad[m.at], m.value);
        s_string_table* table = Load("BAD", bad);
        if (m.at == 28) {
            ASSERT_NE(table, nullptr);
            EXPECT_STREQ(table->stringList[3], "");
            StringTableFree(table);
        } else {
            EXPECT_EQ(table, nullptr) << m.at << " " << m.value;
        }
        EXPECT_EQ(DataFindEntry("BAD", "TXT"), nullptr);
        EXPECT_EQ(Heaps(), before);
    }
    EXPECT_TRUE(report().contains("StringTableLoad: BAD has a bad string count (-1)\n"));
    EXPECT_TRUE(report().contains("StringTableLoad: BAD string 0 is outside the table\n"));
}

TEST_F(StringTableTest, ALastStringWithoutItsNulIsRefused) {
    std::vector<u8> bad = discbuild::StringTablePayload(COrbLanguage::American, 0, kStrings);
    bad.back() = 'X';
    const auto before = Heaps();
    EXPECT_EQ(Load("NONUL", bad), nullptr);
    EXPECT_TRUE(report().contains("StringTableLoad: NONUL string 3 is outside the table\n"));
    EXPECT_EQ(Heaps(), before);
}

TEST_F(StringTableTest, EveryTruncationIsRefusedWithoutLeaks) {
    const std::vector<u8> good = discbuild::StringTablePayload(COrbLanguage::American, 0, kStrings);
    const auto before = Heaps();
    for (size_t size = 0; size < good.size(); ++size) {
        std::vector<u8> cut(good.begin(), good.begin() + std::ptrdiff_t(size));
        EXPECT_EQ(Load("CUT", cut, 4), nullptr) << size;
        EXPECT_EQ(DataGetEntry(4), nullptr);
        EXPECT_EQ(Heaps(), before);
    }
    EXPECT_TRUE(report().contains("StringTableLoad: CUT is too short (15 bytes)\n"));
}

TEST_F(StringTableTest, RandomMutationsLoadSafelyOrNotAtAll) {
    const std::vector<u8> good = discbuild::StringTablePayload(COrbLanguage::American, 3, kStrings);
    const auto before = Heaps();
    std::mt19937 random(1496);
    for (int round = 0; round < 2000; ++round) {
        std::vector<u8> bad = good;
        for (int flips = 1 + round % 3; flips > 0; --flips)
            bad[random() % bad.size()] = u8(random());
        s_string_table* table = Load("MUTANT", bad);
        if (table != nullptr) {
            const char* begin = static_cast<const char*>(table->dataEntry->addr);
            for (s32 i = 0; i < table->numStrings; ++i) {
                const char* text = table->stringList[i];
                ASSERT_GE(text, begin);
                ASSERT_NE(std::memchr(text, 0, size_t(begin + bad.size() - text)), nullptr);
            }
            StringTableFree(table);
        }
        ASSERT_EQ(Heaps(), before) << round;
    }
}

TEST_F(StringTableTest, TheWriterRefusesStringsHoldingANul) {
    EXPECT_THROW(discbuild::StringTablePayload(0, 0, {std::string("A\0B", 3)}), std::invalid_argument);
}

TEST_F(StringTableDeathTest, AStringOfATableNotLoadedIsFatal) {
    EXPECT_DEATH(StringTableGetString(0x00080000u),
                 "\"table\"(.|\n)*StringTableGetString: String table not loaded!\n");
}

TEST(StrGetLineTest, SplitsAtCarriageReturnLineFeed) {
    const char text[] = "12\r\nab";
    char line[16];
    const char* next = StrGetLine(line, sizeof(line), text);
    EXPECT_STREQ(line, "12");
    EXPECT_EQ(next, text + 4);
    next = StrGetLine(line, sizeof(line), next);
    EXPECT_STREQ(line, "ab");
    EXPECT_EQ(next, text + 6);
    EXPECT_EQ(*next, '\0');
}

TEST(StrGetLineTest, ALoneCarriageReturnOrLineFeedStaysInTheLine) {
    const char text[] = "a\rb\nc\r\n";
    char line[16];
    EXPECT_EQ(StrGetLine(line, sizeof(line), text), text + 7);
    EXPECT_STREQ(line, "a\rb\nc");
    EXPECT_EQ(StrIsEOL("\r\n"), 1);
    EXPECT_EQ(StrIsEOL("\r"), 0);
    EXPECT_EQ(StrIsEOL("\n\r"), 0);
}

TEST(StrGetLineTest, LongLinesAreCutToTheDestinationAndStillConsumed) {
    const char text[] = "abcdefgh\r\nnext";
    char line[4] = {'?', '?', '?', '?'};
    EXPECT_EQ(StrGetLine(line, sizeof(line), text), text + 10);
    EXPECT_STREQ(line, "abc");
    const char shortText[] = "xy";
    char one[1] = {'?'};
    EXPECT_EQ(StrGetLine(one, 1, shortText), shortText + 2);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(StrGetLine(nullptr, 0, shortText), shortText + 2);
}

}  // namespace
