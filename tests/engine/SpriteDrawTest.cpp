// Drawing single cells and animation frames: where the corners land, which way
// the cell faces, and what the routines leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

#include "console/gx/efb_control.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Sprite.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/TimWriter.h"

namespace {

using namespace discbuild;

constexpr u32 kRed = 0xFF0000u, kGreen = 0x00FF00u, kBlue = 0x0000FFu, kWhite = 0xFFFFFFu;
constexpr u32 kMagenta = 0xFF00FFu, kBlack = 0u;

// 4x4 texels: red top left, green top right, blue bottom right, white bottom left.
std::vector<u8> Quadrants() {
    TimTexture tim;
    tim.image = {4, 4, {}};
    for (u32 y = 0; y < 4; ++y)
        for (u32 x = 0; x < 4; ++x) {
            const u32 rgb = y < 2 ? (x < 2 ? kRed : kGreen) : (x < 2 ? kWhite : kBlue);
            tim.image.rgba.insert(tim.image.rgba.end(), {u8(rgb >> 16), u8(rgb >> 8), u8(rgb), 0xFF});
        }
    return TimPayload(tim);
}

// Cell 0 is the whole texture; animation 0 has one frame of one 10x10 sprite over
// cell 0 in magenta.
std::vector<u8> Sheet() {
    SpriteSet set;
    set.textures = {"QUADS"};
    set.cells = {{0, 0, {0, 0, 1, 0, 1, 1, 0, 1}}};
    FrameSprite sprite{0, {}};
    const f32 xs[4] = {-5, 5, 5, -5}, ys[4] = {5, 5, -5, -5};
    for (u32 i = 0; i < 4; ++i)
        sprite.corners[i] = {xs[i], ys[i], 0.0f, 0xFF00FFFFu};
    set.animations = {{0, {{sprite}}}};
    return SprPayload(set);
}

u32 Pixel(u32 x, u32 y) {
    return HostEFBColor(x, y) & 0x00FFFFFFu;
}

std::vector<u32> Region(u32 x0, u32 y0, u32 w, u32 h) {
    std::vector<u32> pixels;
    for (u32 y = y0; y < y0 + h; ++y)
        for (u32 x = x0; x < x0 + w; ++x)
            pixels.push_back(Pixel(x, y));
    return pixels;
}

// The bounds x0, y0, x1, y1 (inclusive) of the pixels that are not black.
using Box = std::array<s32, 4>;

Box Drawn() {
    Box box = {1 << 30, 1 << 30, -1, -1};
    for (s32 y = 0; y < 448; ++y)
        for (s32 x = 0; x < 640; ++x)
            if (Pixel(u32(x), u32(y)) != kBlack)
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return box;
}

// The drawn pixels' bounds, and colours at x, y.
void ExpectPlaced(const Box& box, std::initializer_list<std::array<u32, 3>> pixels) {
    EXPECT_EQ(Drawn(), box);
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(Pixel(x, y), colour) << x << "," << y;
}

class SpriteDrawTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetStencilMode(DC_STENCIL_OFF);
        DrawSetTextureFilterMode(DC_TEXTURE_FILTER_POINT);
        const std::vector<u8> texture = Quadrants();
        texture_ = TextureLoad("QUADS", Image(texture), u32(texture.size()));
        const std::vector<u8> sheet = Sheet();
        set_ = SpriteLoad("SHEET", Image(sheet), u32(sheet.size()));
        ASSERT_NE(texture_, nullptr);
        ASSERT_NE(set_, nullptr);
        Clear();
    }
    void TearDown() override {
        DrawSetTexture(nullptr);
        SpriteFree(set_);
        TextureFree(texture_);
        DataFixture::TearDown();
    }

    // The whole screen black, in 2-D drawing.
    static void Clear() {
        const e_PROJ_MODE mode = DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetTexture(nullptr);
        DrawSetFlatColor(0x000000FFu);
        const s_Vector3 p0 = {0, 0, 0, 0}, p1 = {640, 448, 0, 0};
        DrawFilledRect(&p0, &p1);
        DrawSetFlatColor(0xFFFFFFFFu);
        DrawSetProjection(mode);
    }

    s_texture* texture_ = nullptr;
    s_sprite_set* set_ = nullptr;
};

TEST_F(SpriteDrawTest, ACellCoversExactlyItsRectangleWithCorner0AtTheTopLeft) {
    s_Vector3 position = {100, 50, 7.5f, 0};
    const s_Vector2 size = {20, 10};
    SpriteDrawSprite2(set_, 0, &position, &size);
    EXPECT_EQ(position.z, 0.0f);  // in the caller's vector too
    EXPECT_EQ(std::ranges::count(Region(90, 45, 20, 10), kBlack), 0);
    ExpectPlaced({90, 45, 109, 54}, {{90, 45, kRed}, {109, 45, kGreen}, {109, 54, kBlue}, {90, 54, kWhite}});
}

TEST_F(SpriteDrawTest, TurnedByNoAngleACellIsDrawnAsUnturned) {
    s_Vector3 position = {100, 50, 0, 0};
    const s_Vector2 size = {20, 10};
    SpriteDrawSprite2(set_, 0, &position, &size);
    const s_Vector3 turned = {300, 50, 0, 0};
    SpriteDrawSprite2Rot(set_, 0, &turned, &size, 0.0f);
    EXPECT_EQ(Region(280, 35, 40, 30), Region(80, 35, 40, 30));
}

// A positive angle turns the cell anticlockwise on the screen.
TEST_F(SpriteDrawTest, AQuarterTurnPutsTheCellsTopEdgeOnTheLeft) {
    const s_Vector3 position = {500, 100, 0, 0};
    const s_Vector2 size = {20, 10};
    SpriteDrawSprite2Rot(set_, 0, &position, &size, 1.5707964f);
    ExpectPlaced({495, 90, 504, 109},
                 {{496, 108, kRed}, {496, 91, kGreen}, {503, 91, kBlue}, {503, 108, kWhite}});
}

// Vertices at (x, -y) x scale about the position, each in its vertex colour.
TEST_F(SpriteDrawTest, AnAnimationFrameIsScaledAboutItsPositionInItsVertexColours) {
    const s_Vector3 position = {200, 100, 0, 0};
    SpriteDrawAnimFrame(set_, 0, 0, &position, 2.0f);
    ExpectPlaced({190, 90, 209, 109},  // green under magenta is black
                 {{192, 92, kRed}, {207, 92, kBlack}, {207, 107, kBlue}, {192, 107, kMagenta}});
}

TEST_F(SpriteDrawTest, AQuadIsDrawnThroughTheGivenMatrix) {
    s_Matrix4 matrix;
    Matrix4CreateTranslate(&matrix, 400, 200, 0);
    SpriteDrawQuad(set_, 0, 0, &matrix);
    ExpectPlaced({395, 195, 404, 204}, {{396, 196, kRed}});
}

TEST_F(SpriteDrawTest, CellsAreDrawnWhicheverWayTheyFaceAndTheCullModeIsKept) {
    for (e_CULL_MODE cull : {DC_CULL_FRONT, DC_CULL_BACK}) {
        Clear();
        DrawSetCullMode(cull);
        s_Vector3 position = {100, 50, 0, 0};
        const s_Vector2 size = {20, 10};
        SpriteDrawSprite2(set_, 0, &position, &size);
        const s_Vector3 frame = {200, 100, 0, 0};
        SpriteDrawAnimFrame(set_, 0, 0, &frame, 1.0f);
        EXPECT_EQ(Pixel(95, 47), kRed) << cull;
        EXPECT_EQ(Pixel(197, 97), kRed) << cull;
        EXPECT_EQ(DrawContext.cullMode, cull);
    }
}

TEST_F(SpriteDrawTest, IndicesOutOfRangeDrawNothing) {
    s_Vector3 position = {100, 50, 0, 0};
    const s_Vector2 size = {20, 10};
    const std::vector<std::function<void()>> calls = {
        [&] { SpriteDrawSprite(set_, 1, &position, 20.0f); },
        [&] { SpriteDrawParticle(set_, -1, &position, 20.0f); },
        [&] { SpriteDrawSprite2(set_, 1, &position, &size); },
        [&] { SpriteDrawSprite2Rot(set_, -1, &position, &size, 0.0f); },
        [&] { SpriteDrawAnimFrame(set_, 1, 0, &position, 1.0f); },
        [&] { SpriteDrawAnimFrame(set_, -1, 0, &position, 1.0f); },
        [&] { SpriteDrawAnimFrame(set_, 0, 1, &position, 1.0f); },
        [&] { SpriteDrawQuad(set_, 0, -1, &IDMatrix4); },
        [&] { SpriteDrawQuad(nullptr, 0, 0, &IDMatrix4); },
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        calls[i]();
        EXPECT_EQ(Drawn()[2], -1) << i;
    }
}

// Each call pops what it pushed: far more calls than the stack holds.
TEST_F(SpriteDrawTest, FrameDrawsLeaveTheMatrixStackAsTheyFoundIt) {
    DrawSetProjection(DC_PROJ_3D);
    const s_Matrix4 top = *DrawGetMatrix();
    const s_Vector3 position = {0, 0, -20, 0};
    for (s32 i = 0; i < 2 * DRAW_MATRIX_STACK_DEPTH; ++i) {
        SpriteDrawAnimFrame(set_, 0, 0, &position, 1.0f);
        SpriteDrawQuad(set_, 0, 0, &IDMatrix4);
    }
    ASSERT_NE(DrawGetMatrix(), nullptr);
    EXPECT_EQ(std::to_array(DrawGetMatrix()->element), std::to_array(top.element));
}

// Seen through a turned camera, a sprite at the same place in front of it looks
// the same: it faces the camera, not the world's axes.
TEST_F(SpriteDrawTest, ASpriteFacesTheCamera) {
    const s_Vector3 eye = {0, 0, 0, 0};
    const s_Vector3 ahead = {0, 0, -20, 0};
    std::array<Box, 2> boxes;
    for (s32 turn = 0; turn < 2; ++turn) {
        s_Matrix4 camera = IDMatrix4;
        Matrix4CreateXYZ(&camera, 0.0f, turn ? 0.6f : 0.0f, 0.0f);
        DrawSetCamera(&camera, &eye);
        Clear();
        s_Vector3 world;  // the point the camera sees `ahead` of it
        Matrix4BackRotPoint(&camera, &world, &ahead);
        SpriteDrawSprite(set_, 0, &world, 8.0f);
        boxes[turn] = Drawn();
        EXPECT_EQ(Pixel(u32(boxes[turn][2] - 3), u32(boxes[turn][3] - 3)), kBlue) << turn;
    }
    EXPECT_GT(boxes[0][2] - boxes[0][0], 40);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(boxes[1][i], boxes[0][i], 1) << i;
}

}  // namespace
