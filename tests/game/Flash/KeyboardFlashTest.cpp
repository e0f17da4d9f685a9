// The name keyboard on the demo disc's movie: the name and answer a run of
// presses gives, the default name, and how it looks.
#include <gtest/gtest.h>

#include <cstring>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/SymbolTrans.h"
#include "source/Flash/KeyboardFlash.h"
#include "source/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

class KeyboardFlashTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        g_ScreenTracker.Reset();
        keyboardFlashScreen.curButton = 0;
    }
};

// One update per character: d down, u up, r right, l left, a A, b B, 1 button 1,
// 2 button 2, + plus, - minus, . nothing.
void Press(CKeyboardFlash& keyboard, const char* presses) {
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(keyboard.m_iScreen);
    for (const char* c = presses; *c != '\0'; ++c) {
        const u32 word = *c == 'd'   ? PAD_DOWN
                         : *c == 'u' ? PAD_UP
                         : *c == 'r' ? PAD_RIGHT
                         : *c == 'l' ? PAD_LEFT
                         : *c == 'a' ? PAD_A
                         : *c == 'b' ? PAD_B
                         : *c == '1' ? PAD_1
                         : *c == '2' ? 0x40000u
                         : *c == '+' ? 0x100000u
                         : *c == '-' ? 0x200000u
                                     : 0u;
        Pad[0].bdown = Pad[0].bnew = word;
        info->Update(keyboard.m_iScreen, info);
    }
    Pad[0].bdown = Pad[0].bnew = 0;
}

TEST_F(KeyboardFlashTest, PressesEditTheName) {
    constexpr auto kNone = SFP_SCREEN_NAV_NONE, kNext = SFP_SCREEN_NAV_NEXT,
                   kPrevious = SFP_SCREEN_NAV_PREVIOUS;
    const struct {
        const char* what;
        const char* start;
        const char* presses;
        const char* name;
        eScreenNavigation answer;
    } rows[] = {
        {"digits, a letter, space and Done", "", "ara2da+", "12 B", kNext},
        {"caps off types lower case, on again capitals", "", "1da1a", "aA", kNone},
        {"the eighth character is the last", "ABCDEFG", "aa", "ABCDEFG1", kNone},
        {"delete on an empty name does nothing", "", "--", "", kNone},
        {"Done with an empty name stays", "", "+uuu", "", kNone},
        {"Done with only spaces stays", "", "22+", "  ", kNone},
        {"the Delete key and the Done key", "AB", "uaa-ra", "", kNone},
        {"back restores the opening name", "JO", "aa-b", "JO", kPrevious},
        {"right wraps in its row, down from the bottom row goes to 1", "X", "uurrad", "X", kNone},
        {"down from T goes to Caps, then to Delete", "Q", "dddrdda", "", kNone},
    };
    for (const auto& row : rows) {
        CKeyboardFlash keyboard;
        std::strcpy(keyboard.m_sPlayerName, row.start);
        ASSERT_EQ(keyboard.Load(), 1);
        keyboard.Open();
        keyboardFlashScreen.curButton = 0;
        g_ScreenTracker.ResetScreenNav();
        Press(keyboard, row.presses);
        EXPECT_STREQ(keyboard.GetPlayerName(), row.name) << row.what;
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer) << row.what;
    }
}

// A default name longer than the name's room is cut, not spilled.
TEST_F(KeyboardFlashTest, ALongDefaultNameIsCut) {
    u32& defaultName = SymbolTransTable->symbolList[7018].value;
    const u32 kept = defaultName;
    defaultName = SymbolTransTable->symbolList[6966].value;  // the quick-play hint
    CKeyboardFlash keyboard;
    defaultName = kept;
    EXPECT_EQ(std::strlen(keyboard.GetPlayerName()), 8u);
    EXPECT_EQ(std::strlen(keyboard.m_sBuffer), 8u);
}

TEST_F(KeyboardFlashTest, TheKeyboardLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CKeyboardFlash keyboard;
    ASSERT_EQ(keyboard.Load(), 1);
    keyboard.Open();
    keyboardFlashScreen.curButton = 0;
    Press(keyboard, "-----dddrra");
    EventWait(30);
    constexpr const char* kDrawn = "keyboard_drawn.png";
    EXPECT_LT(ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/keyboard.png", kDrawn), 60u)
        << "see " << kDrawn;
}

}  // namespace
