// The name keyboard on the demo disc's movie: the name and answer a run of
// presses gives, the default name, and how it looks.
#include <gtest/gtest.h>

#include <cstring>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/SymbolTrans.h"
#include "source/Flash/KeyboardFlash.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class KeyboardFlashTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        g_ScreenTracker.Reset();
        keyboardFlashScreen.curButton = 0;
    }
};

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
        {"delete on an empty name does nothing", "", "mm", "", kNone},
        {"Done with an empty name stays", "", "+uuu", "", kNone},
        {"Done with only spaces stays", "", "22+", "  ", kNone},
        {"the Delete key and the Done key", "AB", "uaamra", "", kNone},
        {"back restores the opening name", "JO", "aamb", "JO", kPrevious},
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
        PressOn(keyboard.m_iScreen, row.presses);
        EXPECT_STREQ(keyboard.GetPlayerName(), row.name) << row.what;
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer) << row.what;
    }
}

// A default name longer than the name's room is cut, not spilled.
TEST_F(KeyboardFlashTest, ALongDefaultNameIsCut) {
    u32& defaultName = SymbolTransTable->symbolList[kTextKeyboardDefaultName].value;
    const u32 kept = defaultName;
    defaultName = SymbolTransTable->symbolList[kTextQpTicker].value;  // the quick-play hint
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
    PressOn(keyboard.m_iScreen, "mmmmmdddrra");
    EventWait(30);
    ExpectLooksAsKept("keyboard");
}

}  // namespace
