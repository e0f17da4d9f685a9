// The file dialog's blocking loops: the browser over "files.txt" and the data
// pickers, each polling the stock list dialog once a frame.
#include "orblib47/source/OpenFileDialog.h"

#include <cstring>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OpenFileDialogInternal.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/UIDialogs.h"

namespace {

const char* const OpenFileDialogNoData[] = {"No Data of that type!"};

// Replaces an open list by the new one, modal and known as the module's.
void Show(s_window_obj* window) {
    OpenFileDialogPtr = window;
    if (window == nullptr)
        return;
    window->obj.id = OPEN_FILE_DIALOG_WINDOW_ID;
    window->obj.flags |= UI_OBJ_FLAG_MODAL;
}

void OpenFolderList(const char* title, s32 selection) {
    OpenFileDialogClose();
    OpenFileDialogMakeFileList();
    Show(ListDialogOpen(150, 150, OpenFileDialogFileList, OpenFileDialogFileListSize, "Open", selection,
                        title));
}

// The picker at the point (small list) or centred (large); with no data of the
// type, the "Alert" message there instead and 0.
s32 OpenDataList(const char* title, const char* type, s32 selection, const s_Vector2* point) {
    OpenFileDialogClose();
    OpenFileDialogMakeDataList(type);
    if (OpenFileDialogFileListSize == 0) {
        const s32 x = point != nullptr ? s32(point->x) : DrawContext.screenSize.x / 2;
        const s32 y = point != nullptr ? s32(point->y) : DrawContext.screenSize.y / 2;
        DialogOpen(x, y, OpenFileDialogNoData, 1, "Alert");
        return 0;
    }
    if (point != nullptr)
        Show(ListDialogOpen2(s32(point->x), s32(point->y), OpenFileDialogFileList, OpenFileDialogFileListSize,
                             "Ok", selection, title));
    else
        Show(ListDialogOpen(150, 150, OpenFileDialogFileList, OpenFileDialogFileListSize, "Ok", selection,
                            title));
    return 1;
}

// The list's state after a frame; a list that did not open counts as cancelled.
s32 NextState(s32* selection) {
    EventWait(1);
    if (OpenFileDialogPtr == nullptr)
        return LIST_DIALOG_CANCELLED;
    return ListDialogQuery(OpenFileDialogPtr, selection);
}

void CopyName(char* name, u32 size, s32 selection) {
    std::strncpy(name, OpenFileDialogFileListGet(&selection), size - 1);
    name[size - 1] = '\0';
}

s32 DataDialog(char* name, const char* title, const char* type, s32* selection, const s_Vector2* point) {
    name[0] = '\0';
    if (OpenFileDialogStartup(0) == 0 || OpenDataList(title, type, *selection, point) == 0) {
        OpenFileDialogShutdown();
        return 0;
    }
    while (UIQuitFlag == 0) {
        const s32 state = NextState(selection);
        if (state == LIST_DIALOG_CANCELLED)
            break;
        if (state != LIST_DIALOG_CHOSEN)
            continue;
        CopyName(name, DATA_NAME_LENGTH + 1, *selection);
        if (point != nullptr) {
            OpenFileDialogKeepLive();
            return 1;
        }
        break;
    }
    OpenFileDialogShutdown();
    return name[0] != '\0' ? 1 : 0;
}

}  // namespace

s32 OpenFileDialog(char* folder, char* name, char* extension, const char* title, s32* selection) {
    name[0] = '\0';
    if (OpenFileDialogStartup(1) == 0) {
        OpenFileDialogShutdown();
        return 0;
    }
    OpenFolderList(title, *selection);
    while (UIQuitFlag == 0) {
        const s32 state = NextState(selection);
        if (state == LIST_DIALOG_CANCELLED)
            break;
        if (state != LIST_DIALOG_CHOSEN)
            continue;
        char entry[OPEN_FILE_DIALOG_PATH_SIZE + 2];
        CopyName(entry, sizeof(entry), *selection);
        char drive[OPEN_FILE_DIALOG_DRIVE_SIZE];
        char unused[OPEN_FILE_DIALOG_PATH_SIZE];
        OpenFileDialogParsePath(entry, drive, unused, name, extension);
        if (std::strcmp(entry, "[..]") == 0) {
            OpenFileDialogPopDir();
            *selection = 0;
        } else if (extension[0] == '\0') {
            if (OpenFileDialogPushDir(entry) != 0)
                *selection = 0;  // a folder too deep for the path stays unentered
        } else {
            const std::string directory = FileGetDirectory();
            std::strncpy(folder, directory.c_str(), OPEN_FILE_DIALOG_PATH_SIZE - 1);
            folder[OPEN_FILE_DIALOG_PATH_SIZE - 1] = '\0';
            OpenFileDialogShutdown();
            return 1;
        }
        name[0] = '\0';
        OpenFolderList(title, *selection);
    }
    OpenFileDialogShutdown();
    return 0;
}

s32 OpenDataDialog(char* name, const char* title, const char* type, s32* selection) {
    return DataDialog(name, title, type, selection, nullptr);
}

s32 OpenDataDialogAtPoint(char* name, const char* title, const char* type, s32* selection,
                          const s_Vector2* point) {
    return DataDialog(name, title, type, selection, point);
}

s32 OpenFileDialogExists() {
    return OpenFileDialogPtr != nullptr &&
                   (ListDialogState == LIST_DIALOG_OPEN || ListDialogState == LIST_DIALOG_CHOSEN)
               ? 1
               : 0;
}

s_window_obj* OpenFileDialogPtrGet() {
    return OpenFileDialogPtr;
}

const char* OpenFileDialogFileListGet(const s32* selection) {
    if (OpenFileDialogFileList == nullptr || *selection < 0 || *selection >= OpenFileDialogFileListSize)
        return "";
    return OpenFileDialogFileList[*selection];
}
