// The file records, shared by the parts of the disc-file layer. Internal.
#pragma once

#include "orblib47/source/NGC/File.h"

extern s_ngc_file Files[FILE_MAX_RECORDS];

// The open record of a handle, or null for a bad or closed handle.
s_ngc_file* FileRecord(s32 fid);
// Forgets the buffer window.
void FileDropWindow(s_ngc_file* file);
