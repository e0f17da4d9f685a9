#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tools/discbuild/SpriteSheet.h"

namespace {

using namespace discbuild;

u32 Texel(const RgbaImage& sheet, u32 x, u32 y) {
    const u8* p = &sheet.rgba[(y * sheet.width + x) * 4];
    return u32(p[0]) << 24 | u32(p[1]) << 16 | u32(p[2]) << 8 | p[3];
}

TEST(SpriteSheet, CellsPaintTheirShapesClippedToThemselves) {
    const PaintedSpriteSet painted = PaintSpriteSet("T",
                                                    "@sheet 32 8\n"
                                                    "cell A 0 0 8 8\n"
                                                    "box -4 -4 10 10 FF0000FF\n"
                                                    "box 1 1 2 2 0000FF80\n"
                                                    "cell B 8 0 8 8\n"
                                                    "disc 4 4 2.5 00FF00FF\n"
                                                    "cell L 16 0 8 8\n"
                                                    "poly 6 0 0 8 0 8 4 4 4 4 8 0 8 FFFFFFFF\n"
                                                    "anim PULSE\n"
                                                    "frame B 10 20 FFFFFF80\n");
    const RgbaImage& sheet = painted.sheet;
    EXPECT_EQ(Texel(sheet, 5, 5), 0xFF0000FFu);
    EXPECT_EQ(Texel(sheet, 6, 6), 0u) << "the box stops at its own edge";
    EXPECT_EQ(Texel(sheet, 1, 1), 0x7F0080FFu) << "half blue over red";
    EXPECT_EQ(Texel(sheet, 12, 4), 0x00FF00FFu);
    EXPECT_EQ(Texel(sheet, 8, 0), 0u);
    EXPECT_GT(Texel(sheet, 10, 4) & 0xFF, 0u) << "edge pixels are partly covered";
    EXPECT_EQ(Texel(sheet, 17, 6), 0xFFFFFFFFu);
    EXPECT_EQ(Texel(sheet, 22, 1), 0xFFFFFFFFu);
    EXPECT_EQ(Texel(sheet, 22, 6), 0u) << "the notch of a concave polygon";

    ASSERT_EQ(painted.set.cells.size(), 3u);
    EXPECT_EQ(painted.set.textures, std::vector<std::string>{"T_T"});
    const auto& uv = painted.set.cells[1].uv;
    EXPECT_EQ(uv[0], 0.25f);  // top left
    EXPECT_EQ(uv[4], 0.5f);   // bottom right
    EXPECT_EQ(uv[5], 1.0f);
    ASSERT_EQ(painted.set.animations.size(), 1u);
    const FrameSprite& sprite = painted.set.animations[0].frames.at(0).at(0);
    EXPECT_EQ(sprite.cell, 1u);
    EXPECT_EQ(sprite.corners[0].x, -5.0f);
    EXPECT_EQ(sprite.corners[0].y, 10.0f);  // y up: corner 0 is the top left
    EXPECT_EQ(sprite.corners[2].y, -10.0f);
    EXPECT_EQ(sprite.corners[3].colour, 0xFFFFFF80u);
}

TEST(SpriteSheet, ErrorsNameTheLine) {
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"@sheet 12 8\n", "T:1:"},
        {"@sheet 8 8\ncell A 4 4 8 8\n", "T:2:"},
        {"@sheet 8 8\ncell A 0 0 4 4\n\nbox 0 0 1 FF\n", "T:4:"},
        {"@sheet 8 8\ncell A 0 0 4 4\nframe A 1 1\n", "T:3:"},
        {"@sheet 8 8\ncell A 0 0 4 4\nanim X\nframe B 1 1\n", "T:4:"},
        {"@sheet 8 8\ncell A 0 0 4 4\ncell A 4 0 4 4\n", "T:3:"},
        {"@sheet 8 8\ncell A 0 0 4 4\nspin 1\n", "T:3:"},
        {"@sheet 8 8\ncell A 0 0 4 4\npoly 2 0 0 1 1 FFFFFFFF\n", "T:3:"},
    };
    for (const auto& c : cases) {
        try {
            PaintSpriteSet("T", c.text);
            ADD_FAILURE() << c.text;
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.line, 0), 0u) << error.what();
        }
    }
    EXPECT_THROW(PaintSpriteSet("T", "@sheet 8 8\n"), std::invalid_argument);
}

}  // namespace
