// A window destroyed from outside ends the game as its close button does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

// Last: Xlib's macros (None, Status) would rename what the headers above declare.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The top-level window of a process, found by the process id its window names.
::Window WindowOf(Display* display, pid_t pid) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    ::Window root = 0, parent = 0, found = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (pidAtom == None ||
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
        return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* value = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &value) == Success &&
            value != nullptr && items == 1 && format == 32 &&
            pid_t(*reinterpret_cast<unsigned long*>(value)) == pid)
            found = children[i];
        if (value != nullptr)
            XFree(value);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

using ProgramWindowTest = ChildProcessTest;

// Destroyed from outside (as `xdotool windowclose` does), the window quits the
// game as its close button does, on a boot screen and in a game started straight
// into the alley. Needs an X display (Xvfb will do); skipped without one.
TEST_F(ProgramWindowTest, AWindowDestroyedFromOutsideEndsTheGame) {
    Display* display = std::getenv("DISPLAY") != nullptr ? XOpenDisplay(nullptr) : nullptr;
    if (display == nullptr)
        GTEST_SKIP() << "no X display to open a window on";
    // SDL's D-Bus connection leaves a block of libdbus behind at every exit of a
    // windowed run; the leak check looks past it.
    const std::string leaks = "LSAN_OPTIONS=suppressions=" + File("lsan.supp", "leak:libdbus-1.so\n");
    const struct {
        std::vector<std::string> args;
        const char* loaded;  // the line after which the window goes
    } cases[] = {{{}, "Load 640/WIIStrap."}, {{"--level", "20"}, "Wad Load (ASYNC): ALLEY"}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--verbose", "--nand", Path("nand")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ChildProcess child(BOWLING_PROGRAM, args, {leaks});
        ASSERT_TRUE(child.ReadErrorUntil(c.loaded)) << c.loaded;
        const ::Window window = WindowOf(display, child.Pid());
        ASSERT_NE(window, 0u) << c.loaded;
        XDestroyWindow(display, window);
        XSync(display, False);
        EXPECT_TRUE(child.Exits(0)) << c.loaded;
    }
    XCloseDisplay(display);
}

}  // namespace
