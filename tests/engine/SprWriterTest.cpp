#include <gtest/gtest.h>

#include <bit>
#include <stdexcept>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "tools/discbuild/SprWriter.h"

namespace {

using namespace discbuild;

SpriteSet MeterSet() {
    SpriteSet set;
    set.textures = {"HUD_T", "METER_T"};
    set.cells = {{0, 1, {0, 0, 0.5f, 0, 0.5f, 1, 0, 1}}, {7, 0, {}}};
    FrameSprite sprite{1, {}};
    sprite.corners[2] = {-1.0f, 2.0f, 3.0f, 0x11223344};
    set.animations = {{3, {{sprite}, {}}}};
    return set;
}

TEST(SprWriter, OffsetsReachEveryRecord) {
    const std::vector<u8> chunk = SprPayload(MeterSet());
    const auto word = [&](u32 at) { return LoadBE32(&chunk.at(at)); };
    const auto real = [&](u32 at) { return std::bit_cast<f32>(word(at)); };
    EXPECT_EQ(word(0), 0u);
    EXPECT_EQ(word(8), 1u);
    EXPECT_EQ(word(16), 2u);
    ASSERT_EQ(word(24), 2u);

    const u32 cell0 = word(28), cell1 = word(32);
    EXPECT_EQ(cell0, kSprHeaderSize + 8);
    EXPECT_EQ(cell1, cell0 + kSprCellSize);
    EXPECT_EQ(LoadBE16(&chunk[cell0 + 2]), 1);  // texture index
    EXPECT_EQ(real(cell0 + 4 + 8), 0.5f);       // u of the top right corner
    EXPECT_EQ(real(cell0 + 4 + 20), 1.0f);      // v of the bottom right corner
    EXPECT_EQ(LoadBE16(&chunk[cell1]), 7);

    const u32 textures = word(20);
    EXPECT_EQ(textures, cell1 + kSprCellSize);
    EXPECT_STREQ(reinterpret_cast<const char*>(&chunk[textures + kSprTextureSize]), "METER_T");

    const u32 animation = word(word(12));
    EXPECT_EQ(LoadBE16(&chunk[animation]), 3);
    ASSERT_EQ(LoadBE16(&chunk[animation + 2]), 2);
    const u32 frame0 = word(animation + 4), frame1 = word(animation + 8);
    ASSERT_EQ(word(frame0), 1u);
    EXPECT_EQ(word(frame0 + 4), 1u);  // cell id
    const u32 corner2 = frame0 + 8 + 2 * 16;
    EXPECT_EQ(real(corner2), -1.0f);
    EXPECT_EQ(real(corner2 + 8), 3.0f);
    EXPECT_EQ(word(corner2 + 12), 0x11223344u);
    EXPECT_EQ(frame1, frame0 + 4 + kSprFrameSpriteSize);
    EXPECT_EQ(word(frame1), 0u);
    EXPECT_EQ(chunk.size(), frame1 + 4);
}

TEST(SprWriter, RejectsIndicesPastTheirTables) {
    SpriteSet texture = MeterSet();
    texture.cells[1].texture = 2;
    EXPECT_THROW(SprPayload(texture), std::invalid_argument);
    SpriteSet cell = MeterSet();
    cell.animations[0].frames[0][0].cell = 2;
    EXPECT_THROW(SprPayload(cell), std::invalid_argument);
    SpriteSet name = MeterSet();
    name.textures[0] = "SIXTEEN_LETTERS_";
    EXPECT_THROW(SprPayload(name), std::invalid_argument);
    EXPECT_EQ(SprPayload({}).size(), kSprHeaderSize);
}

}  // namespace
