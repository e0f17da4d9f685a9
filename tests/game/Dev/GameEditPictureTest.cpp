// The edit menubar over the running game, as the developer's level launcher plays
// it: the bar shown with minus and 1 and "File" dropped down with minus; then
// "Edit" > "Viewport..." open over the game.
#include <gtest/gtest.h>

#include <string>

#include "console/system.h"
#include "source/Dev/DevEntries.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EntryRun.h"

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

TEST(GameEditPictureTest, TheBarOverTheRunningGameWithFileDroppedDown) {
    RunEntry({DEV_ENTRY_LEVEL_LAUNCH, 340, kFileDropped});
    ExpectLooksAsKept("game_edit_menubar");
    HostShutdown();
}

TEST(GameEditPictureTest, TheViewportEditorOverTheRunningGame) {
    RunEntry({DEV_ENTRY_LEVEL_LAUNCH, 380, kViewportOpen});
    ExpectLooksAsKept("game_edit_viewport");
    HostShutdown();
}

}  // namespace
