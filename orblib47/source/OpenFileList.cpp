// The file dialog's data: "files.txt" split into its lines, the entries of one
// folder or of one data type, the folder shown and the module's life cycle.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OpenFileDialogInternal.h"
#include "orblib47/source/UIDialogs.h"

s_window_obj* OpenFileDialogPtr = nullptr;
char** OpenFileDialogFileList = nullptr;
s32 OpenFileDialogFileListSize = 0;
char OpenFileDialogPath[OPEN_FILE_DIALOG_PATH_SIZE] = "";
s32 OpenFileDialogDirDepth = 0;

namespace {

constexpr u32 kPathLength = OPEN_FILE_DIALOG_PATH_SIZE - 1;

char* OpenFileDialogFiles = nullptr;
char** OpenFileDialogFileNames = nullptr;
s32 OpenFileDialogFileCount = 0;
char* OpenFileDialogStringBuffer = nullptr;
char* OpenFileDialogStringPtr = nullptr;
char OpenFileDialogAppDir[OPEN_FILE_DIALOG_PATH_SIZE] = "";
bool ListingCut = false;

void CopyCut(char* dst, u32 size, const char* src, size_t length) {
    length = std::min<size_t>(length, size - 1);
    std::memcpy(dst, src, length);
    dst[length] = '\0';
}

template <class T>
void Free(T*& block) {
    if (block != nullptr)
        HeapMallocFree(block);
    block = nullptr;
}

void FreeBuffers() {
    Free(OpenFileDialogFiles);
    Free(OpenFileDialogFileNames);
    Free(OpenFileDialogFileList);
    Free(OpenFileDialogStringBuffer);
    OpenFileDialogStringPtr = nullptr;
    OpenFileDialogFileCount = 0;
    OpenFileDialogFileListSize = 0;
}

// The live picker's window is gone when its caller closed it, and its record may
// then belong to another object: only our window still listed is ours.
bool LiveWindowOpen() {
    for (const s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
        if (object == &OpenFileDialogPtr->obj)
            return object->type == UI_OBJ_WINDOW && object->id == OPEN_FILE_DIALOG_WINDOW_ID;
    }
    return false;
}

// Only the live picker leaves buffers behind; its window shows them, so it goes too.
void ReleaseLive() {
    if (OpenFileDialogPtr != nullptr && LiveWindowOpen())
        ListDialogClose(OpenFileDialogPtr);
    OpenFileDialogPtr = nullptr;
    FreeBuffers();
}

// Cuts the file into lines in place (CR LF or LF); a last line without its end is
// left out. Lines beyond the limits are skipped with one notice.
void SplitLines(char* text, u32 size) {
    u32 skipped = 0;
    u32 start = 0;
    for (u32 i = 0; i < size; ++i) {
        if (text[i] != '\n')
            continue;
        text[i] = '\0';
        if (i > start && text[i - 1] == '\r')
            text[i - 1] = '\0';
        char* line = text + start;
        start = i + 1;
        if (line[0] == '\0')
            continue;
        if (OpenFileDialogFileCount < s32(OPEN_FILE_DIALOG_MAX_LINES) && std::strlen(line) <= kPathLength)
            OpenFileDialogFileNames[OpenFileDialogFileCount++] = line;
        else
            ++skipped;
    }
    if (skipped != 0)
        DEBUG_PRINT("RVIEWER: %u lines of files.txt skipped (over %u lines or %u characters)\n", skipped,
                    OPEN_FILE_DIALOG_MAX_LINES, kPathLength);
}

void ResetEntries() {
    OpenFileDialogFileListSize = 0;
    OpenFileDialogStringPtr = OpenFileDialogStringBuffer;
    ListingCut = false;
}

// Appends `prefix` + text + `suffix` to the listing unless it is full.
void AddEntry(const char* prefix, const char* text, size_t length, const char* suffix) {
    const size_t room = OpenFileDialogStringBuffer + OPEN_FILE_DIALOG_TEXT_SIZE - OpenFileDialogStringPtr;
    const size_t size = std::strlen(prefix) + length + std::strlen(suffix) + 1;
    if (OpenFileDialogFileListSize == s32(OPEN_FILE_DIALOG_MAX_ENTRIES) || size > room) {
        if (!ListingCut)
            DEBUG_PRINT("RVIEWER: Too many entries, the list is cut after %d\n", OpenFileDialogFileListSize);
        ListingCut = true;
        return;
    }
    char* entry = OpenFileDialogStringPtr;
    std::snprintf(entry, size, "%s%.*s%s", prefix, int(length), text, suffix);
    OpenFileDialogFileList[OpenFileDialogFileListSize++] = entry;
    OpenFileDialogStringPtr += size;
}

// The disc directory follows the folder shown, always named from the root, so a
// chosen file's folder is the one the list shows.
void ShowPath() {
    FileChangeDirectory(OpenFileDialogPath);
    OpenFileDialogDirDepth =
        s32(std::count(OpenFileDialogPath, OpenFileDialogPath + std::strlen(OpenFileDialogPath), '\\'));
}

}  // namespace

void OpenFileDialogColdReset() {
    OpenFileDialogFiles = nullptr;
    OpenFileDialogFileNames = nullptr;
    OpenFileDialogFileList = nullptr;
    OpenFileDialogStringBuffer = nullptr;
    OpenFileDialogStringPtr = nullptr;
    OpenFileDialogFileCount = 0;
    OpenFileDialogFileListSize = 0;
    OpenFileDialogPtr = nullptr;
    OpenFileDialogPath[0] = '\0';
    OpenFileDialogDirDepth = 0;
}

void OpenFileDialogExit() {
    ReleaseLive();
}

s32 OpenFileDialogStartup(s32 useFileList) {
    ReleaseLive();
    const std::string directory = FileGetDirectory();
    CopyCut(OpenFileDialogAppDir, OPEN_FILE_DIALOG_PATH_SIZE, directory.c_str(), directory.size());
    FileChangeDirectory("");
    OpenFileDialogFileNames =
        static_cast<char**>(HeapMalloc(OPEN_FILE_DIALOG_MAX_LINES * sizeof(char*), __FILE_NAME__, __LINE__));
    OpenFileDialogFileList = static_cast<char**>(
        HeapMalloc(OPEN_FILE_DIALOG_MAX_ENTRIES * sizeof(char*), __FILE_NAME__, __LINE__));
    OpenFileDialogStringBuffer =
        static_cast<char*>(HeapMalloc(OPEN_FILE_DIALOG_TEXT_SIZE, __FILE_NAME__, __LINE__));
    if (OpenFileDialogFileNames == nullptr || OpenFileDialogFileList == nullptr ||
        OpenFileDialogStringBuffer == nullptr) {
        DEBUG_PRINT("RVIEWER: Out of memory for the file dialog\n");
        return 0;
    }
    ResetEntries();
    if (useFileList != 0) {
        u32 size = 0;
        OpenFileDialogFiles = static_cast<char*>(FileLoad("files.txt", &size));
        if (OpenFileDialogFiles == nullptr) {
            DEBUG_PRINT("RVIEWER: Unable to find file list (files.txt)\n");
            return 0;
        }
        SplitLines(OpenFileDialogFiles, size);
    }
    ShowPath();
    return 1;
}

void OpenFileDialogClose() {
    if (OpenFileDialogPtr != nullptr)
        ListDialogClose(OpenFileDialogPtr);
    OpenFileDialogPtr = nullptr;
}

void OpenFileDialogShutdown() {
    OpenFileDialogClose();
    FileChangeDirectory(OpenFileDialogAppDir);
    FreeBuffers();
}

void OpenFileDialogKeepLive() {
    FileChangeDirectory(OpenFileDialogAppDir);
}

void OpenFileDialogParsePath(char* path, char* drive, char* folder, char* name, char* extension) {
    drive[0] = folder[0] = name[0] = extension[0] = '\0';
    for (char* c = path; *c != '\0'; ++c)
        *c = char(std::tolower(static_cast<unsigned char>(*c)));
    if (path[0] != '\0' && path[1] == ':') {
        CopyCut(drive, OPEN_FILE_DIALOG_DRIVE_SIZE, path, 2);
        path += 2;
    }
    const char* slash = std::strrchr(path, '\\');
    const char* last = slash != nullptr ? slash + 1 : path;
    const size_t lastLength = std::strlen(last);
    const bool bracketed = lastLength >= 2 && last[0] == '[' && last[lastLength - 1] == ']';
    const char* dot = bracketed ? nullptr : std::strrchr(last, '.');
    if (dot == last)
        dot = nullptr;
    CopyCut(folder, OPEN_FILE_DIALOG_PATH_SIZE, path, size_t(last - path));
    CopyCut(name, OPEN_FILE_DIALOG_PATH_SIZE, last, dot != nullptr ? size_t(dot - last) : lastLength);
    if (dot != nullptr)
        CopyCut(extension, OPEN_FILE_DIALOG_EXTENSION_SIZE, dot, std::strlen(dot));
}

void OpenFileDialogMakeFileList() {
    ResetEntries();
    if (OpenFileDialogDirDepth > 0)
        AddEntry("[..]", "", 0, "");
    // Folders first, then files, each in the order of the list.
    for (const bool files : {false, true}) {
        for (s32 i = 0; i < OpenFileDialogFileCount; ++i) {
            char drive[OPEN_FILE_DIALOG_DRIVE_SIZE];
            char folder[OPEN_FILE_DIALOG_PATH_SIZE];
            char name[OPEN_FILE_DIALOG_PATH_SIZE];
            char extension[OPEN_FILE_DIALOG_EXTENSION_SIZE];
            OpenFileDialogParsePath(OpenFileDialogFileNames[i], drive, folder, name, extension);
            if (std::strcmp(folder, OpenFileDialogPath) != 0 || (extension[0] != '\0') != files)
                continue;
            if (files)
                AddEntry("", name, std::strlen(name), extension);
            else
                AddEntry("[", name, std::strlen(name), "]");
        }
    }
}

void OpenFileDialogMakeDataList(const char* type) {
    ResetEntries();
    s_datafile data[OPEN_FILE_DIALOG_MAX_DATA];
    const s32 count = DataGetList(data, type, s32(OPEN_FILE_DIALOG_MAX_DATA));
    for (s32 i = 0; i < count; ++i)
        AddEntry("", data[i].name, strnlen(data[i].name, DATA_NAME_LENGTH), "");
    std::sort(OpenFileDialogFileList, OpenFileDialogFileList + OpenFileDialogFileListSize,
              [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
}

s32 OpenFileDialogPushDir(const char* entry) {
    const size_t length = std::strlen(entry);
    const size_t pathLength = std::strlen(OpenFileDialogPath);
    if (length < 3 || pathLength + (length - 2) + 1 > kPathLength)
        return 0;
    std::memcpy(OpenFileDialogPath + pathLength, entry + 1, length - 2);
    std::strcpy(OpenFileDialogPath + pathLength + length - 2, "\\");
    ShowPath();
    return 1;
}

void OpenFileDialogPopDir() {
    char* end = OpenFileDialogPath + std::strlen(OpenFileDialogPath);
    if (end == OpenFileDialogPath)
        return;
    // Back over the last folder's "\\" to the one before it.
    char* cut = end - 1;
    while (cut != OpenFileDialogPath && cut[-1] != '\\')
        --cut;
    *cut = '\0';
    ShowPath();
}
