#include "tools/discbuild/DiscFileList.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace discbuild {

namespace {
constexpr const char* kFileList = "files.txt";
}  // namespace

std::string FileListText(const fs::path& disc) {
    std::vector<std::string> paths;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(disc)) {
        std::string path = entry.path().lexically_relative(disc).generic_string();
        if (path == kFileList)
            continue;
        std::replace(path.begin(), path.end(), '/', '\\');
        paths.push_back(std::move(path));
    }
    std::sort(paths.begin(), paths.end());
    std::string text;
    for (const std::string& path : paths)
        text += path + "\r\n";
    return text;
}

void BuildDiscFileList(const std::string& disc) {
    const std::string text = FileListText(disc);
    std::ofstream file(fs::path(disc) / kFileList, std::ios::binary | std::ios::trunc);
    file.write(text.data(), std::streamsize(text.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + (fs::path(disc) / kFileList).string());
}

}  // namespace discbuild
