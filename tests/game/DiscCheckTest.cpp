// The disc check before start-up: every disc that cannot start the game is named
// in one line (what came from a file escaped), and a good one passes whatever the
// case of its names.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "console/system.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/DefaultDisc.h"
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

const char* const kMovieFiles[] = {"DATA/640/MainMenu.sfp", "DATA/640/MainMenu.sfc", "DATA/640/GenPopup.sfp",
                                   "DATA/640/GenPopup.sfc"};

std::vector<u8> DemoFile(const std::string& name) {
    std::ifstream in(HostDiscPath(DefaultDiscRoot(), name), std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
}

// The movies the front end cannot run without, from the demo disc, in a data
// folder of that name.
void WriteMovies(const TempDisc& disc, const std::string& data = "DATA") {
    for (const std::string file : kMovieFiles)
        disc.Write(data + file.substr(4), DemoFile(file));
}

// A disc as the demo disc is laid out, changed by `damage`.
void WriteDisc(const TempDisc& disc, const std::function<void(const TempDisc&)>& damage) {
    disc.Write("SymTable.bin", discbuild::SymTableImage({1, 2, 3}));
    disc.Write("DATA/SYSTEXT.WAD", SystemText());
    disc.Write("DATABASE/ZQL07_BE.DB", Database());
    WriteMovies(disc);
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

// Without them the game would stop on an empty menu or could tell no failure.
TEST(DiscCheckTest, LoadsTheMoviesTheFrontEndCannotRunWithout) {
    const std::vector<u8> menu = DemoFile("DATA/640/MainMenu.sfp");
    const std::vector<u8> textures = DemoFile("DATA/640/MainMenu.sfc");
    ASSERT_FALSE(menu.empty());
    ASSERT_FALSE(textures.empty());
    std::vector<u8> flipped = menu;
    flipped[4] ^= 0x01;  // the version
    const struct {
        const char* file;
        std::vector<u8> bytes;
        const char* error;  // its start
    } cases[] = {
        {"DATA/640/MainMenu.sfp",
         {menu.begin(), menu.begin() + std::ptrdiff_t(menu.size() / 2)},
         "DATA/640/MainMenu.sfp: SFP2K: MainMenu: "},
        {"DATA/640/MainMenu.sfp", flipped, "DATA/640/MainMenu.sfp: SFP2K: MainMenu: version "},
        {"DATA/640/MainMenu.sfp", std::vector<u8>(menu.size(), 0),
         "DATA/640/MainMenu.sfp: SFP2K: MainMenu: not a"},
        {"DATA/640/MainMenu.sfp", DemoFile("DATA/640/GenPopup.sfp"), "DATA/640/MainMenu.sfp lacks the "},
        {"DATA/640/MainMenu.sfc", {}, "DATA/640/MainMenu.sfc holds no chunk"},
        {"DATA/640/MainMenu.sfc",
         {textures.begin(), textures.begin() + std::ptrdiff_t(textures.size() / 2)},
         "DATA/640/MainMenu.sfc: WAD: "},
        {"DATA/640/MainMenu.sfc", std::vector<u8>(textures.size(), 0),
         "DATA/640/MainMenu.sfc: WAD: Chunk without a type in DATA/640/MainMenu.sfc!"},
        {"DATA/640/MainMenu.sfc", DemoFile("DATA/640/MM_Bar.sfc"),
         "DATA/640/MainMenu.sfc lacks the texture "},
        {"DATA/640/GenPopup.sfp", {}, "DATA/640/GenPopup.sfp: SFP2K: GenPopup: truncated header"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        TempDisc disc;
        WriteDisc(disc, [&](const TempDisc& d) { d.Write(c.file, c.bytes); });
        std::string error;
        EXPECT_FALSE(CheckDisc(disc.root(), &error));
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    TempDisc disc;
    WriteDisc(disc, [](const TempDisc& d) { d.Remove("DATA/640/MainMenu.sfc"); });
    std::string error;
    EXPECT_FALSE(CheckDisc(disc.root(), &error));
    EXPECT_EQ(error, "DATA/640/MainMenu.sfc is missing");
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
    WriteMovies(disc, "data");
    std::string error;
    EXPECT_TRUE(CheckDisc(disc.root(), &error)) << error;
}

}  // namespace
