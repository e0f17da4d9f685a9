#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/vi.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/UIDialogs.h"
#include "tests/engine/FileDialogFixture.h"
#include "tests/game/PictureCompare.h"

namespace {

// Each frame after the UI: the listing whenever it changes ("directory|entries"),
// the picture at `pictureAt`, and a quit past the deadline so a dialog the
// script fails to end cannot hang the test.
struct Watch {
    std::vector<std::string> shown;
    u32 deadline = VIGetRetraceCount() + 600;
    u32 pictureAt = 0;
};

void Look(s_thread*, void* record) {
    auto* watch = static_cast<Watch*>(record);
    if (OpenFileDialogPtrGet() != nullptr) {
        const std::string now = FileGetDirectory() + "|" + Listing();
        if (watch->shown.empty() || watch->shown.back() != now)
            watch->shown.push_back(now);
    }
    if (watch->pictureAt != 0 && VIGetRetraceCount() >= watch->pictureAt) {
        watch->pictureAt = 0;
        ExpectLooksAsKept("file_dialog");
    }
    if (VIGetRetraceCount() > watch->deadline)
        UIQuitFlag = 1;
}

const std::vector<std::string> kA = {"button a down", "button a up"};
const std::vector<std::string> kB = {"button b down", "button b up"};
const std::vector<std::string> kDown = {"button down down", "button down up"};

std::vector<std::string> Steps(std::initializer_list<std::vector<std::string>> presses) {
    std::vector<std::string> steps;
    for (const auto& press : presses)
        steps.insert(steps.end(), press.begin(), press.end());
    return steps;
}

u32 HeapFree() {
    return MainHeap.avail + ExtraHeap.avail;
}

class OpenFileDialogTest : public FileDialogFixture {
protected:
    void SetUp() override {
        FileDialogFixture::SetUp();
        WriteList("Data\r\nDATA\\Maps\r\ndata\\maps\\arena.wad\r\ndata\\lane.wad\r\n");
        for (const char* name : {"b", "c", "a"})
            DataAdd(name, "XYZ", nullptr, -1);
    }

    char folder_[OPEN_FILE_DIALOG_PATH_SIZE] = "";
    char name_[OPEN_FILE_DIALOG_PATH_SIZE] = "old";
    char extension_[OPEN_FILE_DIALOG_EXTENSION_SIZE] = "";
    s32 selection_ = 0;
};

TEST_F(OpenFileDialogTest, TheBrowserWalksTheFoldersAndReportsTheFolderItShows) {
    Watch watch;
    UIProbe probe(Look, &watch);
    // Into data, "[..]" back to the root, cancelled.
    Script(Steps({kA, kA, kB}));
    EXPECT_EQ(OpenFileDialog(folder_, name_, extension_, "Open", &selection_), 0);
    EXPECT_STREQ(name_, "");
    const std::string root = "|[data]";
    const std::string data = "data\\|[..],[maps],lane.wad";
    EXPECT_EQ(watch.shown, (std::vector<std::string>{root, data, root}));
    // Into data and maps, "[..]" back to data, its file chosen.
    watch.shown.clear();
    Script(Steps({kA, kDown, kA, kA, kDown, kDown, kA}));
    EXPECT_EQ(OpenFileDialog(folder_, name_, extension_, "Open", &selection_), 1);
    EXPECT_EQ(watch.shown, (std::vector<std::string>{root, data, "data\\maps\\|[..],arena.wad", data}));
    EXPECT_STREQ(folder_, "data\\");
    EXPECT_STREQ(name_, "lane");
    EXPECT_STREQ(extension_, ".wad");
    EXPECT_EQ(FileGetDirectory(), "");
    EXPECT_EQ(UIObjectList.next, nullptr);
    // The quit flag ends the browser at once; without the list it does not open.
    UIQuitFlag = 1;
    EXPECT_EQ(OpenFileDialog(folder_, name_, extension_, "Open", &selection_), 0);
    UIQuitFlag = 0;
    disc_.Remove("files.txt");
    EXPECT_EQ(OpenFileDialog(folder_, name_, extension_, "Open", &selection_), 0);
    EXPECT_TRUE(report().contains("RVIEWER: Unable to find file list (files.txt)\n"));
    EXPECT_EQ(FileGetDirectory(), "");
}

TEST_F(OpenFileDialogTest, TheDataPickerListsSortedNamesOrSaysThereAreNone) {
    Watch watch;
    UIProbe probe(Look, &watch);
    Script(Steps({kDown, kA}));
    EXPECT_EQ(OpenDataDialog(name_, "Textures", "XYZ", &selection_), 1);
    EXPECT_STREQ(name_, "b");
    EXPECT_EQ(watch.shown, (std::vector<std::string>{"|a,b,c"}));
    EXPECT_EQ(OpenDataDialog(name_, "Textures", "NONE", &selection_), 0);
    EXPECT_STREQ(name_, "");
    const auto* alert = reinterpret_cast<const s_window_obj*>(UIObjectList.next);
    ASSERT_NE(alert, nullptr);
    EXPECT_STREQ(alert->title, "Alert");
    EXPECT_STREQ(DialogStrings[0], "No Data of that type!");
}

TEST_F(OpenFileDialogTest, TheLivePickerStaysUntilTheNextDialogOrShutDownReleasesIt) {
    const u32 before = HeapFree();
    const s_Vector2 point{100.0f, 80.0f};
    selection_ = 1;
    ASSERT_EQ(OpenDataDialogAtPoint(name_, "Pick", "XYZ", &selection_, &point), 1);
    EXPECT_STREQ(name_, "b");
    s_window_obj* picker = OpenFileDialogPtrGet();
    EXPECT_EQ(OpenFileDialogExists(), 1);
    EXPECT_EQ(picker->obj.rect.x, 100);
    Play(kDown);
    EXPECT_EQ(ListDialogQuery(picker, &selection_), LIST_DIALOG_CHOSEN);
    EXPECT_STREQ(OpenFileDialogFileListGet(&selection_), "c");
    // The next dialog of the module closes it and frees its buffers.
    Script(kB);
    EXPECT_EQ(OpenDataDialog(name_, "Pick", "XYZ", &selection_), 0);
    EXPECT_EQ(HeapFree(), before);
    EXPECT_EQ(UIObjectList.next, nullptr);
    // So does the engine's shut-down, leaving alone a window of the caller's.
    ASSERT_EQ(OpenDataDialogAtPoint(name_, "Pick", "XYZ", &selection_, &point), 1);
    ListDialogClose(OpenFileDialogPtrGet());
    const s_Irect16 rect{10, 10, 100, 100};
    s_window_obj* own = WindowOpen(&rect, WINDOW_FRAME, "Own", nullptr);
    OpenFileDialogExit();
    EXPECT_EQ(HeapFree(), before);
    EXPECT_EQ(UIObjectList.next, &own->obj);
}

TEST_F(OpenFileDialogTest, TheBrowserMatchesTheKeptPicture) {
    MouseDisable();  // no cursor in the picture
    Watch watch;
    UIProbe probe(Look, &watch);
    Script(Steps({kA, kDown, kB}));
    watch.pictureAt = VIGetRetraceCount() + 27;  // in data, the second line selected
    EXPECT_EQ(OpenFileDialog(folder_, name_, extension_, "Open a file", &selection_), 0);
    EXPECT_EQ(watch.pictureAt, 0u);  // taken
}

}  // namespace
