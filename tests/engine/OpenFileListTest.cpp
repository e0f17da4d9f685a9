#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "orblib47/source/Data.h"
#include "orblib47/source/NGC/File.h"
#include "tests/engine/FileDialogFixture.h"
#include "tools/discbuild/DiscFileList.h"

namespace {

using OpenFileListTest = FileDialogFixture;

TEST(OpenFileDialogParsePathTest, SplitsDriveFolderNameAndExtensionInLowerCase) {
    const struct {
        const char *path, *drive, *folder, *name, *extension;
    } rows[] = {
        {"C:\\Data\\Maps\\Arena.WAD", "c:", "\\data\\maps\\", "arena", ".wad"},
        {"data\\maps", "", "data\\", "maps", ""},
        {"[..]", "", "", "[..]", ""},
        {"[maps]", "", "", "[maps]", ""},
        {"a.b.c", "", "", "a.b", ".c"},
        {"readme.text", "", "", "readme", ".tex"},
        {".hidden", "", "", ".hidden", ""},
        {"old.dir\\notes", "", "old.dir\\", "notes", ""},
    };
    for (const auto& row : rows) {
        char path[64], drive[OPEN_FILE_DIALOG_DRIVE_SIZE], folder[OPEN_FILE_DIALOG_PATH_SIZE];
        char name[OPEN_FILE_DIALOG_PATH_SIZE], extension[OPEN_FILE_DIALOG_EXTENSION_SIZE];
        std::strcpy(path, row.path);
        OpenFileDialogParsePath(path, drive, folder, name, extension);
        EXPECT_STREQ(drive, row.drive) << row.path;
        EXPECT_STREQ(folder, row.folder) << row.path;
        EXPECT_STREQ(name, row.name) << row.path;
        EXPECT_STREQ(extension, row.extension) << row.path;
    }
}

TEST_F(OpenFileListTest, AFolderListsItsFoldersThenItsFilesInListOrder) {
    const std::string tree = "data\r\ndata\\maps\r\ndata\\maps\\arena.wad\r\n";
    const struct {
        std::string list;
        std::vector<const char*> enter;
        const char* shown;
    } rows[] = {
        {tree, {}, "[data]"},
        {tree, {"[data]"}, "[..],[maps]"},
        {tree, {"[data]", "[maps]"}, "[..],arena.wad"},
        {"data\\maps\r\ndata\\maps\\arena.wad\r\n", {}, ""},
        {"DATA\r\nData\\Arena.WAD\r\n", {"[data]"}, "[..],arena.wad"},
        {"data\ndata\\lane.wad\n", {"[data]"}, "[..],lane.wad"},
        {"data\r\n\r\nlane.wad", {}, "[data]"},
        {"b.wad\r\nzoo\r\na.wad\r\nant\r\n", {}, "[zoo],[ant],b.wad,a.wad"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        WriteList(row.list);
        ASSERT_EQ(OpenFileDialogStartup(1), 1);
        for (const char* folder : row.enter)
            ASSERT_EQ(OpenFileDialogPushDir(folder), 1);
        OpenFileDialogMakeFileList();
        EXPECT_EQ(Listing(), row.shown);
        EXPECT_EQ(FileGetDirectory(), OpenFileDialogPath);
        for (size_t k = 0; k < row.enter.size(); ++k)
            OpenFileDialogPopDir();
        EXPECT_EQ(FileGetDirectory(), "");
        OpenFileDialogShutdown();
    }
}

std::string Lines(u32 count, const std::string& folder, u32 width) {
    std::string text;
    for (u32 i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "%05u", i);
        text += folder + std::string(width - 9, 'f') + name + ".wad\r\n";
    }
    return text;
}

TEST_F(OpenFileListTest, ListsStopAtTheirLimits) {
    const std::string name255 = std::string(251, 'n') + ".wad";
    const std::string folder254 = "[" + std::string(254, 'a') + "]";  // a path of 255 characters
    const struct {
        const char* limit;
        std::string list;
        std::string enter;  // a folder entered first
        s32 count;
        std::string last;
    } rows[] = {
        {"2000th line", Lines(1999, "a\\", 9) + "b\r\n", "", 1, "[b]"},
        {"2001st line", Lines(2000, "a\\", 9) + "b\r\n", "", 0, ""},
        {"2000th entry", Lines(2000, "d\\", 9), "[d]", 2000, "01998.wad"},
        {"line of 255 characters", name255 + "\r\n", "", 1, name255},
        {"line of 256 characters", "x" + name255 + "\r\n", "", 0, ""},
        {"65536 bytes of entries", Lines(256, "", 255), "", 256, std::string(246, 'f') + "00255.wad"},
        {"65537 bytes of entries", Lines(257, "", 255), "", 256, std::string(246, 'f') + "00255.wad"},
        {"path of 255 characters", "", folder254, 1, "[..]"},
        {"path of 256 characters", "", "[a" + folder254.substr(1), 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.limit);
        WriteList(row.list);
        ASSERT_EQ(OpenFileDialogStartup(1), 1);
        const bool entered = !row.enter.empty() && OpenFileDialogPushDir(row.enter.c_str()) != 0;
        OpenFileDialogMakeFileList();
        EXPECT_EQ(OpenFileDialogFileListSize, row.count);
        EXPECT_EQ(row.count > 0 ? OpenFileDialogFileList[row.count - 1] : "", row.last);
        EXPECT_EQ(FileGetDirectory(), OpenFileDialogPath);
        if (entered)
            OpenFileDialogPopDir();
        OpenFileDialogShutdown();
    }
}

TEST_F(OpenFileListTest, TheDataListHoldsUpTo256FullNames) {
    ASSERT_EQ(OpenFileDialogStartup(0), 1);
    for (u32 i = 0; i <= OPEN_FILE_DIALOG_MAX_DATA; ++i) {
        DataAdd(("SIXTEEN_CHARS" + std::to_string(100 + i)).c_str(), "TST", nullptr, -1);
        OpenFileDialogMakeDataList("TST");
        EXPECT_EQ(OpenFileDialogFileListSize, s32(std::min(i + 1, OPEN_FILE_DIALOG_MAX_DATA)));
    }
    EXPECT_EQ(std::strlen(OpenFileDialogFileList[0]), DATA_NAME_LENGTH);
    OpenFileDialogShutdown();
}

TEST_F(OpenFileListTest, TheBuildersListIsSortedAndReadsBackFolderByFolder) {
    for (const char* path : {"STREAM/MUSIC.ASF", "DATA/PRELOAD.WAD", "DATA/640/menu.sfp", "DEBUG.WAD"})
        disc_.Write(path, {});
    EXPECT_EQ(discbuild::FileListText(disc_.root()),
              "DATA\r\nDATA\\640\r\nDATA\\640\\menu.sfp\r\nDATA\\PRELOAD.WAD\r\nDEBUG.WAD\r\nSTREAM\r\n"
              "STREAM\\MUSIC.ASF\r\n");
    discbuild::BuildDiscFileList(disc_.root());
    EXPECT_EQ(discbuild::FileListText(disc_.root()).find("files.txt"), std::string::npos);
    ASSERT_EQ(OpenFileDialogStartup(1), 1);
    OpenFileDialogMakeFileList();
    EXPECT_EQ(Listing(), "[data],[stream],debug.wad");
    OpenFileDialogPushDir("[data]");
    OpenFileDialogMakeFileList();
    EXPECT_EQ(Listing(), "[..],[640],preload.wad");
    OpenFileDialogPopDir();
    OpenFileDialogShutdown();
}

}  // namespace
