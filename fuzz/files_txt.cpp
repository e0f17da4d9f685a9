// "files.txt" read by the file dialog, then its folders walked depth first (up to
// 64 of them): every listing within its limits, the disc directory always the
// folder shown, the root again after the walk, and everything freed.
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OpenFileDialogInternal.h"

namespace {

constexpr s32 kMaxFolders = 64;

void CheckListing() {
    if (OpenFileDialogFileListSize < 0 || OpenFileDialogFileListSize > s32(OPEN_FILE_DIALOG_MAX_ENTRIES))
        fuzz::Fail("the listing passes its entry limit");
    u32 text = 0;
    for (s32 i = 0; i < OpenFileDialogFileListSize; ++i)
        text += u32(std::strlen(OpenFileDialogFileList[i])) + 1;
    if (text > OPEN_FILE_DIALOG_TEXT_SIZE)
        fuzz::Fail("the listing passes its text limit");
    const std::string path = OpenFileDialogPath;
    if (path.size() >= OPEN_FILE_DIALOG_PATH_SIZE || FileGetDirectory() != path ||
        OpenFileDialogDirDepth != s32(std::count(path.begin(), path.end(), '\\')))
        fuzz::Fail("the disc directory or the depth is not the folder shown");
}

// Lists the folder shown and enters each of its folders in turn.
void Walk(s32* folders) {
    OpenFileDialogMakeFileList();
    CheckListing();
    for (s32 i = 0; i < OpenFileDialogFileListSize && *folders < kMaxFolders; ++i) {
        const std::string entry = OpenFileDialogFileList[i];
        if (entry == "[..]" || !entry.starts_with('[') || OpenFileDialogPushDir(entry.c_str()) == 0)
            continue;
        ++*folders;
        Walk(folders);
        OpenFileDialogPopDir();
        OpenFileDialogMakeFileList();
        CheckListing();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile("files.txt", {data, size});
    const std::string directory = FileGetDirectory();
    if (OpenFileDialogStartup(1) != 0) {
        s32 folders = 0;
        Walk(&folders);
        if (OpenFileDialogPath[0] != '\0')
            fuzz::Fail("the walk did not come back to the root");
    }
    OpenFileDialogShutdown();
    if (FileGetDirectory() != directory)
        fuzz::Fail("the disc directory was not given back");
    return 0;
}
