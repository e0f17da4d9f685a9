// Text in the baked fonts and the HUD's sprites, loaded from the demo disc
// through the archive loaders and drawn by a task, against a kept picture. The
// picture drawn is written as text_and_sprites.png in the working folder for a
// person to look at; BOWLING_UPDATE_REFERENCE=1 makes it the new reference.
#include <gtest/gtest.h>

#include "console/screenshot.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/Wad.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/text_and_sprites.png";
constexpr const char* kDrawn = "text_and_sprites.png";

struct Scene {
    s_font* arial16 = nullptr;
    s_font* arial10 = nullptr;
    s_sprite_set* hud = nullptr;
};

void DrawScene(s_thread*, void* data) {
    const Scene& scene = *static_cast<const Scene*>(data);
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetTexture(nullptr);  // the primitives draw with whatever texture is bound
    DrawSetFlatColor(0x203050FF);
    const s_Irect16 backdrop{20, 20, 600, 408};
    DrawFilledIrect(&backdrop);

    FontSetDefaults(scene.arial16);
    FontDrawString("Strike! 300 \x82\x83 The quick brown fox", 0, 40, 60);
    FontSetJustification(1);
    FontDrawString("Centred line one\nand the second", 0, 320, 110);
    FontSetDefaults(scene.arial10);
    DrawSetFlatColor(0xFFD040FF);
    FontDrawStringShadowed("Frame 10  Ball 3  Pins 7-10 split", 0, 40, 180);
    FontSetScale(2.0f, 2.0f);
    DrawSetFlatColor(0xFFFFFFFF);
    FontDrawString("x2 scaled", 1, 40, 240);
    FontSetDefaults(scene.arial16);

    const struct {
        s32 cell;
        f32 x, y, w, h;
    } sprites[] = {
        {0, 480, 300, 24, 100}, {1, 480, 300, 20, 96}, {2, 360, 300, 160, 32}, {3, 360, 330, 16, 16},
        {4, 560, 360, 16, 24},  {5, 280, 380, 16, 16}, {6, 300, 380, 16, 16},  {7, 120, 330, 64, 64},
    };
    for (const auto& s : sprites) {
        s_Vector3 position{s.x, s.y, 0, 0};
        const s_Vector2 size{s.w, s.h};
        SpriteDrawSprite2(scene.hud, s.cell, &position, &size);
    }
    const s_Vector3 turned{220, 330, 0, 0};
    const s_Vector2 starSize{48, 48};
    SpriteDrawSprite2Rot(scene.hud, 7, &turned, &starSize, 0.4f);
}

class TextAndSpritesPictureTest : public DemoDiscFixture {
protected:
};

TEST_F(TextAndSpritesPictureTest, MatchesTheKeptPicture) {
    s_wad* fonts = WadLoad("DATA/PRELOAD.WAD", 0);
    s_wad* sprites = WadLoad("DATA/SPRITES.WAD", 0);
    ASSERT_NE(fonts, nullptr);
    ASSERT_NE(sprites, nullptr);
    Scene scene{FontLoad("ARIAL16"), FontLoad("ARIAL10"), SpriteLoad("HUD")};
    ASSERT_NE(scene.arial16, nullptr);
    ASSERT_NE(scene.arial10, nullptr);
    ASSERT_NE(scene.hud, nullptr);
    // The icon font is the one the engine's start-up names.
    ASSERT_EQ(FontStartup("ARIAL10", "WIIICONS", nullptr, 0, 0), RET_NO_ERROR);

    s_thread* task = ThreadInsertPriorityDebug("TextAndSprites", nullptr, &scene, DrawScene, nullptr, 5100);
    EventWait(12);  // past the black frames after start-up
    // A misplaced glyph or sprite changes hundreds of pixels.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
    ThreadKill(task);

    SpriteFree(scene.hud);
    FontFree(scene.arial10);
    FontFree(scene.arial16);
    WadFree(sprites);
    WadFree(fonts);
}

}  // namespace
