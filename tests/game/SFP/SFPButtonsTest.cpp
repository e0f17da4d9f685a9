// Pad buttons by screen button id, the movie buttons' pressed and released flags,
// and the up/down cursor with its sound.
#include <gtest/gtest.h>

#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "source/OrbMain.h"
#include "tests/game/SFP/SFPFixture.h"

namespace {

constexpr s32 kClick = s32(0x8000000C);  // SFX_CLICK of data/SymTable.txt

s32 ClicksPlaying() {
    s32 playing = 0;
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        playing += SfxIsIdPlaying(kClick, channel) ? 1 : 0;
    return playing;
}

using SFPButtonsTest = SFPFixture;

// Each word of the first pad holds the row's buttons and the other words all the
// rest: a test of the wrong word or the wrong bits answers wrongly.
TEST_F(SFPButtonsTest, EachIdTestsItsMaskInTheWordOfItsType) {
    const struct {
        s32 id;
        u32 pressed;
        s32 answer;
    } rows[] = {{0, PAD_A, 1},          {0, PAD_B, 0},          {1, PAD_B, 1},
                {2, PAD_Z, 1},          {3, PAD_C, 1},          {4, PAD_A, 0},
                {4, PAD_B, 0},          {4, PAD_A | PAD_B, 1},  {5, PAD_MINUS, 1},
                {6, PAD_UP, 1},         {6, PAD_STICK_UP, 1},   {6, PAD_DOWN, 0},
                {7, PAD_DOWN, 1},       {7, PAD_STICK_DOWN, 1}, {8, PAD_LEFT, 1},
                {8, PAD_STICK_LEFT, 1}, {9, PAD_RIGHT, 1},      {9, PAD_STICK_RIGHT, 1},
                {10, 0x10000, 1},       {11, 0x20000, 1},       {12, 0x4000, 1},
                {13, 0x8000, 1},        {14, PAD_1, 1},         {15, PAD_2, 1},
                {16, PAD_PLUS, 1},      {17, PAD_MINUS, 1},     {17, PAD_PLUS, 0},
                {18, PAD_A, 1},         {18, PAD_MINUS, 1},     {18, PAD_STICK_UP, 0},
                {18, PAD_HOME, 0},      {-1, ~0u, 0},           {SFP2K_NUM_BUTTON_IDS, ~0u, 0}};
    u32* words[] = {&Pad[0].bdown, &Pad[0].brepeat, &Pad[0].bnew, &Pad[0].breleased};
    for (const auto& row : rows) {
        for (s32 type = 0; type < 4; ++type) {
            SCOPED_TRACE("id " + std::to_string(row.id) + ", type " + std::to_string(type));
            for (s32 w = 0; w < 4; ++w)
                *words[w] = w == type ? row.pressed : ~row.pressed;
            EXPECT_EQ(SFP2KButton(row.id, type), row.answer);
            g_BlockPadInput = 1;
            EXPECT_EQ(SFP2KButton(row.id, type), 0);
            g_BlockPadInput = 0;
        }
    }
    EXPECT_EQ(SFP2KButton(0, -1) + SFP2KButton(0, 4), 0);
}

TEST_F(SFPButtonsTest, UpAndDownMoveTheCurrentButtonRoundAndPlayTheSound) {
    MenuSFXWad = WadLoad("DATA/MENUSND.WAD", 0);  // the menus play only from a loaded bank
    const struct {
        s32 numButtons, curButton;
        u32 pressed;
        s32 sfx, afterwards, sounds;
    } rows[] = {{3, 0, PAD_DOWN, kClick, 1, 1},
                {3, 2, PAD_DOWN, kClick, 0, 1},
                {3, 0, PAD_UP, kClick, 2, 1},
                {3, 1, PAD_STICK_UP, kClick, 0, 1},
                {3, 1, PAD_UP | PAD_DOWN, kClick, 2, 1},
                {3, 1, PAD_A, kClick, 1, 0},
                {3, 1, PAD_DOWN, -1, 2, 0},
                {1, 0, PAD_DOWN, kClick, 0, 1},
                {0, 0, PAD_DOWN, kClick, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.numButtons << " buttons, at " << row.curButton << ", pad "
                                        << std::hex << row.pressed);
        SFP_SCREEN_INFO_t info{};
        info.numButtons = row.numButtons;
        info.curButton = row.curButton;
        Pad[0].bnew = row.pressed;
        const s32 playing = ClicksPlaying();  // stopped sounds end at the next audio frame
        SFP2KGenericButtonHandlerUpDown(&info, row.sfx);
        EXPECT_EQ(info.curButton, row.afterwards);
        EXPECT_EQ(ClicksPlaying() - playing, row.sounds);
    }
    WadFree(MenuSFXWad);
    MenuSFXWad = nullptr;
}

TEST_F(SFPButtonsTest, SettingAButtonUpAfterDownMarksItReleasedClearingForgetsBothAndALoadStartsUp) {
    AddMovie("movie Buttons\nbutton Btn1 10 10 - - -\nkey 0\nbutton Btn2 10 10 - - -\nkey 0\n");
    SFP_SCREEN_BTN_t buttons[2] = {{"Btn1", 0}, {"Btn2", 0}};
    TestScreen screen("Buttons");
    screen.info.numButtons = 2;
    screen.info.buttons = buttons;
    const s32 id = SFP2KLoadScreen(&screen.info, 4, 0);
    constexpr u32 kDown = SFP_BUTTON_DOWN;
    constexpr u32 kUp = SFP_BUTTON_RELEASED;
    const struct {
        s32 screen, button, down;  // -1: clear
        u32 flags[2];
    } steps[] = {{id, 0, 1, {kDown, 0}},
                 {id, 0, 0, {kUp, 0}},
                 {id, 0, 0, {kUp, 0}},
                 {id, 1, 1, {kUp, kDown}},
                 {id, 0, 1, {kUp | kDown, kDown}},
                 {id, 0, -1, {0, kDown}},
                 {id, 0, 1, {kDown, kDown}},
                 {id, 2, 1, {kDown, kDown}},
                 {id + 1, 0, 1, {kDown, kDown}},
                 {id, 1, -1, {kDown, 0}}};
    for (const auto& step : steps) {
        if (step.down < 0)
            SFP2KClearButtonDown(step.screen, step.button);
        else
            SFP2KSetButtonDown(step.screen, step.button, step.down);
        for (s32 b = 0; b < 2; ++b) {
            EXPECT_EQ(buttons[b].flags, step.flags[b]);
            EXPECT_EQ(SFP2KButtonIsDown(id, b), (step.flags[b] & kDown) != 0 ? 1 : 0);
        }
    }
    // The descriptor outlives the screen: loaded again, nothing is pressed.
    SFP2KKillScreen(id);
    const s32 again = SFP2KLoadScreen(&screen.info, 4, 0);
    EXPECT_EQ(buttons[0].flags, 0u);
    EXPECT_EQ(SFP2KButtonIsDown(again, 0), 0);
}

}  // namespace
