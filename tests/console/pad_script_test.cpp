// The input script's format: what it accepts and how it reports a bad line.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "console/hid.h"
#include "console/input/input_control.h"
#include "console/kpad.h"
#include "console/system.h"
#include "console/vi.h"
#include "tests/console/support.h"

namespace {

using InputScriptTest = ConsoleTest;

TEST_F(InputScriptTest, ReportsTheFirstBadLine) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"0 0 connect\nx 0 connect\n", "line 2: bad frame 'x'"},
        {"0 4 connect\n", "line 1: bad remote '4' (0 to 3)"},
        {"0 0 jump\n", "line 1: unknown command 'jump'"},
        {"0 0 button q down\n", "line 1: unknown button 'q'"},
        {"0 0 button a pressed\n", "line 1: expected 'down' or 'up'"},
        {"0 0 acc 1 2\n", "line 1: 'acc' takes 3 arguments"},
        {"0 0 pointer 0.5 nan\n", "line 1: bad number 'nan'"},
        {"0 0 swing 0 2\n", "line 1: bad swing length '0'"},
        {"0 0 error 3\n", "line 1: bad code '3' (-128 to 0)"},
        {"0 0\n", "line 1: expected 'FRAME REMOTE COMMAND ...'"},
        // A command without its arguments says so, never reading past the line.
        {"0 0 swing\n", "line 1: 'swing' takes 2 arguments"},
        {"0 0 probe\n", "line 1: 'probe' takes 1 arguments"},
        {"0 0 error\n", "line 1: 'error' takes 1 arguments"},
        {"x mouse off\n", "line 1: bad frame 'x'"},
        {"0 mouse 0.5\n", "line 1: expected 'mouse X Y', 'mouse off' or 'mouse BUTTON down|up'"},
        {"0 mouse left\n", "line 1: 'left' takes 1 arguments"},
        {"0 key\n", "line 1: expected 'key NAME down|up'"},
        {"0 key ab down\n", "line 1: unknown key 'ab'"},
        {"0 key a pressed\n", "line 1: expected 'down' or 'up'"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(HostInputSetScript(c.script, &error)) << c.script;
        EXPECT_EQ(error, c.error);
    }
}

TEST_F(InputScriptTest, SkipsCommentsAndAppliesEventsInFrameOrder) {
    VIInit();
    KPADInit();
    std::string error;
    ASSERT_TRUE(
        HostInputSetScript("# a remote, pressed late\n"
                           "\n"
                           "2 0 button a down   # A at frame 2\n"
                           "0 0 connect\n"
                           "1 0 button a up\n",
                           &error))
        << error;
    KPADStatus samples[KPAD_MAX_READ_BUFS];
    VIWaitForRetrace();
    VIWaitForRetrace();
    ASSERT_EQ(KPADRead(0, samples, KPAD_MAX_READ_BUFS), 3);
    EXPECT_EQ(samples[0].hold, WPAD_BUTTON_A);
    EXPECT_EQ(samples[1].hold, 0u);
    EXPECT_EQ(samples[2].wpad_err, WPAD_ERR_NONE);
}

// The USB keyboard and mouse are unplugged until a line names them; the key is
// the one pressed last while it is held, and the mouse reports its motion since
// the previous read.
TEST_F(InputScriptTest, KeyAndMouseLinesDriveTheUsbDevices) {
    VIInit();
    KPADInit();
    std::string error;
    ASSERT_TRUE(
        HostInputSetScript("1 mouse -0.5 0.25\n1 mouse right down\n1 key shift down\n1 key A down\n"
                           "1 key tab down\n2 key tab up\n2 mouse 0.5 0.25\n",
                           &error))
        << error;
    HIDMouseStatus mouse{};
    HIDKeyboardStatus keys{};
    EXPECT_FALSE(HIDReadMouse(&mouse));
    EXPECT_FALSE(HIDReadKeyboard(&keys));
    VIWaitForRetrace();
    ASSERT_TRUE(HIDReadMouse(&mouse));
    EXPECT_EQ(mouse.buttons, HID_MOUSE_RIGHT);
    EXPECT_EQ(mouse.pos.x, -0.5f);
    ASSERT_TRUE(HIDReadKeyboard(&keys));
    EXPECT_EQ(keys.key, HID_KEY_TAB);
    EXPECT_EQ(keys.modifiers, HID_MOD_SHIFT);
    VIWaitForRetrace();
    ASSERT_TRUE(HIDReadMouse(&mouse));
    EXPECT_EQ(mouse.vec.x, 1.0f);
    ASSERT_TRUE(HIDReadKeyboard(&keys));
    EXPECT_EQ(keys.key, 0) << "the key pressed last went up";
    ASSERT_TRUE(HIDReadMouse(&mouse));
    EXPECT_EQ(mouse.vec.x, 0.0f);
}

TEST_F(InputScriptTest, AFileIsCheckedWithoutBeingInstalled) {
    const std::string folder = testing::TempDir();
    const std::string bad = folder + "bad_input_script.txt";
    std::ofstream(bad) << "0 0 connect\n0 0 button q down\n";
    const struct {
        std::string path;
        const char* error;
    } cases[] = {
        {bad, "', line 2: unknown button 'q'"},
        {folder, "' is a folder"},
        {folder + "no_such_script.txt", "' cannot be read"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(HostCheckInputScript(c.path, &error));
        EXPECT_EQ(error, "input script '" + c.path + c.error);
    }
    std::ofstream(bad) << "0 0 connect\n";
    std::string error;
    EXPECT_TRUE(HostCheckInputScript(bad, &error)) << error;
    std::remove(bad.c_str());
}

}  // namespace
