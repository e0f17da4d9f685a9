// The developer tools' pickers over the stock list dialog: a browser of the disc's
// folders as "files.txt" at the disc root lists them (one path a line, folders in
// brackets), and a picker of the loaded data entries of one type. Both block,
// running frames, until a choice, a cancel or UIQuitFlag; the picker's live form
// returns at once and stays open.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/UIWidget.h"

// The limits of the module's buffers.
constexpr u32 OPEN_FILE_DIALOG_MAX_LINES = 2000;  // non-empty lines of "files.txt"
constexpr u32 OPEN_FILE_DIALOG_MAX_ENTRIES = 2000;
constexpr u32 OPEN_FILE_DIALOG_TEXT_SIZE = 65536;  // entry text with its terminators
constexpr u32 OPEN_FILE_DIALOG_PATH_SIZE = 256;    // 255 characters of a path or a line
constexpr u32 OPEN_FILE_DIALOG_MAX_DATA = 256;
constexpr u32 OPEN_FILE_DIALOG_DRIVE_SIZE = 3;      // "c:"
constexpr u32 OPEN_FILE_DIALOG_EXTENSION_SIZE = 5;  // "." and up to three characters

// The folder shown, lower case, each folder ended by "\\", empty at the root; it
// stays from one browser to the next.
extern char OpenFileDialogPath[OPEN_FILE_DIALOG_PATH_SIZE];
extern s32 OpenFileDialogDirDepth;
extern s32 OpenFileDialogFileListSize;

// 1 when a file was chosen: the folder (the disc directory, which is the folder
// shown) and the name (both OPEN_FILE_DIALOG_PATH_SIZE), the extension
// (OPEN_FILE_DIALOG_EXTENSION_SIZE), lower case. 0 when cancelled, on UIQuitFlag or
// without the file list, the name empty.
s32 OpenFileDialog(char* folder, char* name, char* extension, const char* title, s32* selection);
// The chosen entry's name (DATA_NAME_LENGTH + 1); 1 when one was chosen. Without
// data of the type an "Alert" message box says so and the result is 0.
s32 OpenDataDialog(char* name, const char* title, const char* type, s32* selection);
// The small list at the point, which reports the current entry at once and stays
// open: the caller follows it through the three functions below and
// ListDialogQuery, and closes it. 0 when cancelled first or on UIQuitFlag.
s32 OpenDataDialogAtPoint(char* name, const char* title, const char* type, s32* selection,
                          const s_Vector2* point);
// 1 while a dialog of the module is open and not cancelled.
s32 OpenFileDialogExists();
s_window_obj* OpenFileDialogPtrGet();
// The entry at the selection, "" outside the list.
const char* OpenFileDialogFileListGet(const s32* selection);

// Lower-cases the path in place and splits it: "c:" drive, folder up to its last
// "\\", name, extension (the last part's last "." but its first character, with up
// to three characters). A bracketed last part ("[..]", "[maps]") has no extension.
// Parts longer than the buffers are cut.
void OpenFileDialogParsePath(char* path, char* drive, char* folder, char* name, char* extension);

// Power-on: nothing open or held, the root shown.
void OpenFileDialogColdReset();
// Engine shut-down: releases what the live picker left.
void OpenFileDialogExit();
