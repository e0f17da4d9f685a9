// The disc's names on the host: resolving a disc name against the disc root and
// the current directory, and the entry numbers handed out for resolved names.
// Internal to the console.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "console/types.h"

namespace console {

// The current directory goes back to the root.
void DVDPathReset();
// As at power-on: no entry number handed out, the root the current directory.
void DVDNamesReset();
// The entry number of the file or directory a disc name resolves to; nullopt when
// nothing on the disc matches.
std::optional<s32> DVDResolve(const char* name);
// The host path of an entry number; empty when the number was never handed out.
std::filesystem::path DVDHostPath(s32 entrynum);
bool DVDIsDirectory(s32 entrynum);
void DVDSetCurrentDir(s32 entrynum);

}  // namespace console
