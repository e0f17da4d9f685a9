// The save banner: what the disc build paints, and its one copy into flash
// storage after the first good save.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "console/gx/gx_texdecode.h"
#include "console/nand/nand_control.h"
#include "orblib47/source/NGC/NVRam.h"
#include "tests/game/LoadSave/LoadSaveFixture.h"
#include "tools/discbuild/BannerWriter.h"

namespace loadsave_test {
namespace {

using console::gx::Rgba8;

class LoadSaveBannerTest : public LoadSaveFixture {
protected:
    std::filesystem::path StoredBanner() const {
        return nandRoot_ / (std::string(NvHomeDir).substr(1) + "/" + NVRAM_BANNER_NAME);
    }
    std::vector<u8> ReadStoredBanner() const {
        std::ifstream in(StoredBanner(), std::ios::binary);
        return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
    }
};

std::vector<Rgba8> Decode(const std::vector<u8>& file, u32 offset, u32 width, u32 height) {
    std::vector<Rgba8> texels(width * height);
    console::gx::DecodeTexLevel(&file[offset], 5 /* RGB5A3 */, width, height, {}, texels.data());
    return texels;
}

TEST(BannerWriterTest, HeaderTextsAndPicturesFitTheBannerSize) {
    const std::vector<u8> file = discbuild::BannerWrite("Title", std::string(80, 's'));
    ASSERT_EQ(file.size(), 29344u);  // one icon
    EXPECT_STREQ(reinterpret_cast<const char*>(&file[32]), "Title");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[96])), std::string(63, 's'));

    // The banner: night sky above, lane below, a blue ball at the left, a white
    // pin at the right. All opaque.
    const auto banner = Decode(file, discbuild::BANNER_HEADER_SIZE, 192, 64);
    const auto at = [&](u32 x, u32 y) { return banner[y * 192 + x]; };
    for (const Rgba8& texel : banner)
        ASSERT_EQ(texel.a, 255);
    EXPECT_LT(at(2, 2).r, 64);
    EXPECT_GT(at(2, 62).r, at(2, 62).b);    // maple
    EXPECT_GT(at(38, 40).b, at(38, 40).r);  // the ball
    EXPECT_GT(at(107, 40).b, 200);          // the first pin's belly

    const auto icon = Decode(file, discbuild::BANNER_ICON_OFFSET, 48, 48);
    EXPECT_GT(icon[30 * 48 + 15].b, icon[30 * 48 + 15].r);  // the ball
    EXPECT_GT(icon[30 * 48 + 33].g, 200);                   // the pin
}

TEST_F(LoadSaveBannerTest, TheFirstGoodSaveCopiesTheDiscsBanner) {
    HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
    EXPECT_EQ(g_LoadSave.SaveGame(), 0);
    EXPECT_FALSE(std::filesystem::exists(StoredBanner()));

    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    EXPECT_EQ(ReadStoredBanner(), discbuild::BannerWrite("Title", "Subtitle"));

    // A banner already there is left alone.
    std::filesystem::resize_file(StoredBanner(), 64);
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    EXPECT_EQ(ReadStoredBanner().size(), 64u);
}

TEST_F(LoadSaveBannerTest, ADiscWithoutABannerStillSaves) {
    disc_.Remove("DATA/BANNER.BIN");
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    EXPECT_FALSE(std::filesystem::exists(StoredBanner()));
    EXPECT_NE(report().text().find("LoadSave: no banner"), std::string::npos);
}

}  // namespace
}  // namespace loadsave_test
