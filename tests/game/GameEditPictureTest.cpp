// The edit menubar over the running game, as the developer's level launcher plays
// it: the bar shown with minus and 1 and "File" dropped down with minus; then
// "Edit" > "Viewport..." open over the game.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "console/system.h"
#include "console/vi.h"
#include "source/DefaultDisc.h"
#include "source/DevEntries.h"
#include "source/OrbMain.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/TestHost.h"

namespace {

// Once the intro has swept down to the lane: the bar, then "File" by minus.
constexpr const char* kFileDropped =
    "0 0 connect\n"
    "300 0 button minus down\n302 0 button 1 down\n304 0 button 1 up\n306 0 button minus up\n"
    "320 0 button minus down\n322 0 button minus up\n";

// Then right to "Camera", "Cheats", "Edit", and A on its first item.
const std::string kViewportOpen = std::string(kFileDropped) +
                                  "330 0 button right down\n332 0 button right up\n"
                                  "340 0 button right down\n342 0 button right up\n"
                                  "350 0 button right down\n352 0 button right up\n"
                                  "360 0 button a down\n362 0 button a up\n";

void RunLevel(const std::string& script, u32 retraces) {
    // One file per test: CTest runs the two side by side in one folder.
    const std::string path =
        testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    std::ofstream(path) << script;
    HostConfig config = TestHostConfig();
    config.discRoot = DefaultDiscRoot();
    config.inputScript = path;
    HostInit(config);
    HostVIKeepShownFrames();  // the picture outlives the engine's exit
    g_LauncherEntry = DEV_ENTRY_LEVEL_LAUNCH;
    g_FrameLimit = retraces;
    EXPECT_EQ(OrbMain(), 0);
    g_FrameLimit = 0;
    g_LauncherEntry = DEV_ENTRY_GAME_SHELL;
}

TEST(GameEditPictureTest, TheBarOverTheRunningGameWithFileDroppedDown) {
    RunLevel(kFileDropped, 340);
    ExpectLooksAsKept("game_edit_menubar");
    HostShutdown();
}

TEST(GameEditPictureTest, TheViewportEditorOverTheRunningGame) {
    RunLevel(kViewportOpen, 380);
    ExpectLooksAsKept("game_edit_viewport");
    HostShutdown();
}

}  // namespace
