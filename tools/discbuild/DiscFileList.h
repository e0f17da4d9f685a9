// "files.txt" at the disc root: the developer tools' file browser reads the disc's
// folders and files from it, since the console cannot list a folder.
#pragma once

#include <filesystem>
#include <string>

namespace discbuild {

// Every folder and file below `disc` (but the list itself), one path a line in
// name order, "\\" between folders, each line ended by CR LF.
std::string FileListText(const std::filesystem::path& disc);
// Writes FileListText as `disc`/files.txt; errors throw.
void BuildDiscFileList(const std::string& disc);

}  // namespace discbuild
