#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "tools/fontbake/DiscFonts.h"

namespace {

namespace fs = std::filesystem;

class DiscFontsTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("discfonts_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_ / "data");
    }
    void TearDown() override { fs::remove_all(root_); }
    void Fonts(const std::string& text) const { std::ofstream(root_ / "data" / "fonts.txt") << text; }
    void Build() const {
        fontbake::BuildDiscFonts((root_ / "data").string(), (root_ / "disc").string(),
                                 "/usr/share/fonts/truetype");
    }
    fs::path root_;
};

// The (type, name) of each chunk of an archive, in order.
std::vector<std::string> Chunks(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<u8> bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::string> chunks;
    for (size_t at = 0; at + 32 <= bytes.size();) {
        const std::string type(reinterpret_cast<const char*>(&bytes[at + 16]));
        chunks.push_back(type.substr(0, 4) + " " + reinterpret_cast<const char*>(&bytes[at]));
        // A compressed chunk stores its packed length, then the packed bytes.
        const bool packed = LoadBE16(&bytes[at + 24]) & 0x2000;
        at += 32 + (packed ? 4 + LoadBE32(&bytes[at + 32]) : LoadBE32(&bytes[at + 20]));
    }
    return chunks;
}

TEST_F(DiscFontsTest, EachArchiveHoldsItsTexturesBeforeItsFonts) {
    Fonts(
        "# menu fonts\nDATA/MENU.WAD SMALL dejavu/DejaVuSans.ttf 10\n\nDATA/MENU.WAD ICONS "
        "dejavu/DejaVuSans.ttf 12 "
        "128=2460\nTOOLS.WAD BIG dejavu/DejaVuSans.ttf 20\n");
    Build();
    EXPECT_EQ(Chunks(root_ / "disc/DATA/MENU.WAD"),
              (std::vector<std::string>{"TIM SMALL_T", "FNT SMALL", "TIM ICONS_T", "FNT ICONS", "WEND "}));
    EXPECT_EQ(Chunks(root_ / "disc/TOOLS.WAD"), (std::vector<std::string>{"TIM BIG_T", "FNT BIG", "WEND "}));
}

TEST_F(DiscFontsTest, ErrorsNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"A.WAD X dejavu/DejaVuSans.ttf\n", "fonts.txt:1: "},
        {"# ok\nA.WAD X dejavu/None.ttf 10\n", "fonts.txt:2: fontbake: cannot open"},
        {"A.WAD X dejavu/DejaVuSans.ttf 10 128\n", "fonts.txt:1: expected BYTE=HEX"},
    };
    for (const auto& [text, message] : cases) {
        Fonts(text);
        try {
            Build();
            ADD_FAILURE() << text;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
        }
    }
}

}  // namespace
