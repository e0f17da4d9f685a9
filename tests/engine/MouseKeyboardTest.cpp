// The mouse and keyboard on scripted input, one engine frame per retrace: repeat
// timing, double clicks, a lost remote and the minus + C switch.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/Keyboard.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OrbLib.h"
#include "tests/support/EngineFixture.h"

namespace {

class MouseKeyboardTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        EventWait(1);
    }
    // The passes (0 first) on which `seen` held.
    template <typename Seen>
    std::vector<int> Passes(int passes, Seen seen) {
        std::vector<int> on;
        for (int pass = 0; pass < passes; ++pass) {
            EventWait(1);
            if (seen())
                on.push_back(pass);
        }
        return on;
    }
};

// A held key or button repeats after 1/3 s (20 frames), then every 0.05 s (3).
TEST_F(MouseKeyboardTest, HeldInputRepeatsAfterAThirdOfASecondThenEveryTwentiethOfASecond) {
    MouseEnable();
    ScriptFromNow("0 key x down\n0 mouse 0 0\n0 mouse left down\n");
    const std::vector<int> expected{0, 20, 23, 26, 29};
    std::vector<int> keys, buttons;
    for (int pass = 0; pass < 30; ++pass) {
        EventWait(1);
        if (Keyboard.keyRepeat == 'x')
            keys.push_back(pass);
        if (Mouse.buttonRepeat == MOUSE_BUTTON_1)
            buttons.push_back(pass);
    }
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(Keyboard.keyNew, 0);
    EXPECT_EQ(Keyboard.connected, 1);
}

// A second press of a button within 0.4 s of the first is a double click; one of
// the other button in between breaks the pair.
TEST_F(MouseKeyboardTest, ASecondPressWithinFourTenthsOfASecondIsADoubleClick) {
    MouseEnable();
    const struct {
        const char* presses;  // after a press of the left button at frame 0
        int frame;            // of the last press
        u32 doubleClick;
    } cases[] = {
        {"1 mouse left up\n24 mouse left down\n", 24, MOUSE_BUTTON_1},
        {"1 mouse left up\n25 mouse left down\n", 25, 0},
        {"1 mouse left up\n2 mouse right down\n3 mouse right up\n4 mouse left down\n", 4, 0},
        {"1 mouse left up\n2 mouse right down\n3 mouse right up\n4 mouse right down\n", 4, MOUSE_BUTTON_2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.presses);
        ScriptFromNow(std::string("0 mouse 0 0\n0 mouse left down\n") + c.presses);
        EventWait(c.frame);
        EXPECT_EQ(Mouse.buttonDoubleClick, 0u);
        EventWait(1);
        EXPECT_NE(Mouse.buttonNew, 0u);
        EXPECT_EQ(Mouse.buttonDoubleClick, c.doubleClick);
        ScriptFromNow("0 mouse left up\n0 mouse right up\n");
        EventWait(30);
    }
}

// The remote as a mouse: minus + C switches it on; its pointer leaving the screen
// keeps the cursor; losing the remote lets its buttons go once.
TEST_F(MouseKeyboardTest, TheRemoteOnTheMousePortIsAMouseUntilItGoes) {
    ScriptFromNow(
        "0 0 connect\n0 0 nunchuk on\n0 0 pointer 0 0\n0 0 button minus down\n1 0 button c down\n2 0 button "
        "minus up\n"
        "2 0 button c up\n3 0 button 1 down\n4 0 pointer off\n6 0 disconnect\n");
    EventWait(2);
    ASSERT_EQ(MouseGetEnabledStatus(), 1);
    EventWait(2);
    EXPECT_EQ(Mouse.buttonNew, MOUSE_BUTTON_1);
    const int x = Mouse.analog[MOUSE_X], y = Mouse.analog[MOUSE_Y];
    EXPECT_GT(x, 0);
    EventWait(2);
    EXPECT_EQ(Mouse.buttonDown, MOUSE_BUTTON_1);
    EXPECT_EQ(Mouse.analog[MOUSE_X], x);
    EXPECT_EQ(Mouse.analog[MOUSE_Y], y);
    EventWait(1);
    EXPECT_EQ(Mouse.connected, 0);
    EXPECT_EQ(Mouse.buttonDown, 0u);
    EXPECT_EQ(Mouse.buttonReleased, MOUSE_BUTTON_1);
    EventWait(1);
    EXPECT_EQ(Mouse.buttonReleased, 0u) << "released once";
    EXPECT_EQ(Keyboard.connected, 0);
    EXPECT_EQ(Keyboard.keyDown, 0);
}

}  // namespace
