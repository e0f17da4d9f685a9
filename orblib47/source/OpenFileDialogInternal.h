// What the file dialog's list part and its dialog loops share with each other only.
#pragma once

#include "orblib47/source/OpenFileDialog.h"

// The id of the module's windows, by which a live picker still open is known.
constexpr s32 OPEN_FILE_DIALOG_WINDOW_ID = 0x4F464400;

extern s_window_obj* OpenFileDialogPtr;
extern char** OpenFileDialogFileList;

// Saves the disc directory, takes the buffers (the live picker's leftovers are
// released first) and, with `useFileList`, reads "files.txt"; then the disc
// directory is the folder shown. 0 on failure; the caller shuts down either way.
s32 OpenFileDialogStartup(s32 useFileList);
// Closes the module's open list, if any.
void OpenFileDialogClose();
// Closes the dialog, restores the saved disc directory, frees the buffers.
void OpenFileDialogShutdown();
// The live picker keeps its window and buffers; only the disc directory goes back.
void OpenFileDialogKeepLive();

// The entries of the folder shown: "[..]" below the root, "[folder]"s, files.
void OpenFileDialogMakeFileList();
// The names of the registered entries of the type, sorted.
void OpenFileDialogMakeDataList(const char* type);
// Enters the folder of a "[folder]" entry; 0 (nothing changes) when the path
// would pass 255 characters.
s32 OpenFileDialogPushDir(const char* entry);
void OpenFileDialogPopDir();
