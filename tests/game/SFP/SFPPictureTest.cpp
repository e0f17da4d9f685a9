// What the screen-movie player draws: a menu whose sprites the calls have changed,
// against a kept picture (written as sfp_menu.png in the working folder for a
// person to look at; BOWLING_UPDATE_REFERENCE=1 makes it the new reference).
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/OrbLib.h"
#include "tests/game/PictureCompare.h"
#include "tests/game/SFP/SFPFixture.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/sfp_menu.png";
constexpr const char* kDrawn = "sfp_menu.png";

// A panel with a title and three buttons; two lamps of three frames (red, green,
// blue), a dot, a white square to tint, a turned bar, wrapped and right-aligned
// text, a half-transparent panel stretched twice as wide.
constexpr const char* kMenu = R"(movie Menu
frames 3
label TransIn 0
label Idle 1
label TransOut 2
draw Panel roundrect 240 150 radius 12 fill panel-top panel-bottom border 2 outline
draw Dot ellipse 24 24 fill accent
symbol Up 1
rect Face 160 28
key 0 colour panel-top
end
symbol Over 1
rect Face 160 28
key 0 colour accent
end
symbol Down 1
rect Face 160 28
key 0 colour panel-down
end
symbol Lamp 3
rect Light 24 24
key 0 colour #FF0000 ease step
key 1 colour #00FF00 ease step
key 2 colour #0000FF
end
image Panel Panel
key 0 x 40 y 40
text Title DORVAREG20 20 240 28 centre middle colour primary "Main menu"
key 0 x 40 y 44
button Btn1 160 28 Up Over Down
key 0 x 80 y 80
button Btn2 160 28 Up Over Down
key 0 x 80 y 112
button Btn3 160 28 Up Over Down
key 0 x 80 y 144
instance Lamp1 Lamp
key 0 x 320 y 40
instance Lamp2 Lamp
key 0 x 360 y 40
image Dot Dot
key 0 x 400 y 40
rect Tinted 24 24
key 0 x 440 y 40
rect Turned 80 12
key 0 x 440 y 120 rot 30 colour secondary
text Wrapped DORVAREG20 16 200 80 wrap colour secondary "Words wrap at the width of the box, %CYELLOW colour codes too."
key 0 x 320 y 180
text Right DORVAREG20 16 200 20 right colour accent "Right"
key 0 x 40 y 220
rect Faded 100 40
key 0 x 60 y 260 sx 2 colour white alpha 0.5
)";

enum { kTitle, kLamp1, kLamp2, kDot, kTinted, kSprites };

using SFPPictureTest = SFPFixture;

// The backdrop; the title's new text; up, over and down buttons; a lamp played
// once (blue), one held at a frame before the first (red); no dot; a tint.
TEST_F(SFPPictureTest, AMenuWithItsSpritesChangedMatchesTheKeptPicture) {
    AddMovie(kMenu);
    SFP_SCREEN_BTN_t buttons[3] = {{"Btn1", 0}, {"Btn2", 0}, {"Btn3", 0}};
    SFP_SCREEN_SPRITE_LOOKUP_t sprites[kSprites] = {
        {"Title", 0, {}}, {"Lamp1", 0, {}}, {"Lamp2", 0, {}}, {"Dot", 0, {}}, {"Tinted", 0, {}}};
    static std::string label;
    TestScreen screen("Menu");
    screen.info.numButtons = 3;
    screen.info.buttons = buttons;
    screen.info.curButton = 1;
    screen.info.numSpriteLookups = kSprites;
    screen.info.spriteLookups = sprites;
    screen.info.renderBackdrop = 1;
    screen.info.Draw = [](s32, SFP_SCREEN_INFO_t*, char* name) { label = name; };
    const s32 id = SFP2KLoadScreen(&screen.info, 4, 0);
    SFP2KOpenScreen(id, 1, SFP_SUBSCREEN_LOOP, 1);
    SFP2KSetButtonDown(id, 2, 1);
    SFP2KSpriteSetText(id, kTitle, "Strike! 300");
    SFP2KSpritePlay(id, kLamp1, SFP_PLAY_RESTART);
    SFP2KSpritePause(id, kLamp2);
    SFP2KSpriteSetFrame(id, kLamp2, -5);
    SFP2KSpriteHide(id, kDot);
    SFP2KSpriteSetColor(id, kTinted, 255, 64, 64, 255);
    EventWait(6);
    EXPECT_EQ(label, "Idle");
    // A misplaced glyph or object changes hundreds of pixels.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
}

}  // namespace
