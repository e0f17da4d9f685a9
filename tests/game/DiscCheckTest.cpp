// The disc check before start-up: every disc that cannot start the game is named
// in one line (what came from a file escaped), and a good one passes whatever the
// case of its names.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "source/BowlingDb/BowlingDb.h"
#include "source/DiscCheck.h"
#include "tests/game/BowlingDb/DbTestTables.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/SymTableWriter.h"
#include "tools/discbuild/WadWriter.h"

namespace {

std::vector<u8> SystemText(bool compressed = false) {
    discbuild::WadWriter wad;
    wad.Add({"SYSTEXT", "TXT", std::vector<u8>(64, 'a'), compressed ? discbuild::kWadCompressed : u16(0)});
    return wad.Image();
}

std::vector<u8> Database() {
    static const std::vector<u8> image = DbTestTables().Compile();
    return image;
}

// A disc as the demo disc is laid out, changed by `damage`.
void WriteDisc(const TempDisc& disc, const std::function<void(const TempDisc&)>& damage) {
    disc.Write("SymTable.bin", discbuild::SymTableImage({1, 2, 3}));
    disc.Write("DATA/SYSTEXT.WAD", SystemText());
    disc.Write("DATABASE/ZQL07_BE.DB", Database());
    damage(disc);
}

TEST(DiscCheckTest, NamesWhatKeepsTheDiscFromStarting) {
    const std::vector<u8> archive = SystemText();
    std::vector<u8> binaryName = archive;
    binaryName[1] = '\n';
    binaryName[2] = 0x1B;
    binaryName[21] = 0xFF;  // a size past the end
    std::vector<u8> wrongItems = Database();
    StoreBE32(&wrongItems[DbRecordWord(wrongItems, DB_BLOCK_ITEMS, 1, 3)], DB_ITEM_COUNT);
    const struct {
        const char* what;
        std::function<void(const TempDisc&)> damage;
        const char* error;
    } cases[] = {
        {"no symbol table", [](const TempDisc& d) { d.Remove("SymTable.bin"); }, "SymTable.bin is missing"},
        {"no strings", [](const TempDisc& d) { d.Remove("DATA/SYSTEXT.WAD"); },
         "DATA/SYSTEXT.WAD is missing"},
        {"no database", [](const TempDisc& d) { d.Remove("DATABASE/ZQL07_BE.DB"); },
         "DATABASE/ZQL07_BE.DB is missing"},
        {"only a local database",
         [](const TempDisc& d) {
             d.Remove("DATABASE/ZQL07_BE.DB");
             d.Write("DATABASE/LOCAL_BE.DB", Database());
             d.Remove("DATA/SYSTEXT.WAD");
         },
         "DATA/SYSTEXT.WAD is missing"},
        {"damaged database", [&](const TempDisc& d) { d.Write("DATABASE/ZQL07_BE.DB", wrongItems); },
         "DATABASE/ZQL07_BE.DB: items record 1: m_Index 175 out of range"},
        {"a bad local database before a good one",
         [](const TempDisc& d) {
             d.Write("DATABASE/LOCAL_BE.DB", {'B', 'W', 'D', 'B'});
         },
         "DATABASE/LOCAL_BE.DB: file too short for its header (4 bytes)"},
        {"symbol list past the end",
         [](const TempDisc& d) {
             d.Write("SymTable.bin", {0, 0, 0, 9, 0, 0, 0, 8});
         },
         "SymTable.bin is not a symbol table"},
        {"empty archive", [](const TempDisc& d) { d.Write("DATA/SYSTEXT.WAD", {}); },
         "DATA/SYSTEXT.WAD holds no chunk"},
        {"cut in a header",
         [&](const TempDisc& d) {
             d.Write("DATA/SYSTEXT.WAD", {archive.begin(), archive.begin() + 20});
         },
         "DATA/SYSTEXT.WAD ends inside a chunk header"},
        {"cut in a payload",
         [&](const TempDisc& d) {
             d.Write("DATA/SYSTEXT.WAD", {archive.begin(), archive.begin() + 40});
         },
         "DATA/SYSTEXT.WAD: WAD: [TXT] SYSTEXT - Chunk runs past the end of DATA/SYSTEXT.WAD!"},
        {"garbage", [](const TempDisc& d) { d.Write("DATA/SYSTEXT.WAD", std::vector<u8>(100, 'x')); },
         "DATA/SYSTEXT.WAD: WAD: [xxxx] xxxxxxxxxxxxxxxx - Chunk runs past the end of DATA/SYSTEXT.WAD!"},
        {"a chunk name of control bytes", [&](const TempDisc& d) { d.Write("DATA/SYSTEXT.WAD", binaryName); },
         "DATA/SYSTEXT.WAD: WAD: [TXT] S\\x0a\\x1bTEXT - Chunk runs past the end of DATA/SYSTEXT.WAD!"},
        {"a folder for a file",
         [](const TempDisc& d) {
             d.Remove("SymTable.bin");
             d.Write("SymTable.bin/x", {});
         },
         "SymTable.bin is not a file"},
    };
    for (const auto& c : cases) {
        TempDisc disc;
        WriteDisc(disc, c.damage);
        std::string error;
        EXPECT_FALSE(CheckDisc(disc.root(), &error)) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
}

TEST(DiscCheckTest, RefusesWhatIsNoFolder) {
    TempDisc disc;
    disc.Write("file", {1});
    std::string error;
    EXPECT_FALSE(CheckDisc(disc.root() + "/missing", &error));
    EXPECT_EQ(error, "no such folder");
    EXPECT_FALSE(CheckDisc(disc.root() + "/file", &error));
    EXPECT_EQ(error, "not a folder");
}

TEST(DiscCheckTest, AcceptsAGoodDiscInAnyCase) {
    TempDisc disc;
    disc.Write("symtable.BIN", discbuild::SymTableImage({7}));
    disc.Write("data/SysText.wad", SystemText(true));
    disc.Write("Database/zql07_be.db", Database());
    std::string error;
    EXPECT_TRUE(CheckDisc(disc.root(), &error)) << error;
}

}  // namespace
