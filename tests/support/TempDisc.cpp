#include "tests/support/TempDisc.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/support/TestHost.h"

namespace fs = std::filesystem;

TempDisc::TempDisc() {
    std::string pattern = (fs::temp_directory_path() / "bowling-disc-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("TempDisc: cannot make " + pattern);
    root_ = pattern;
}

TempDisc::~TempDisc() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void TempDisc::Write(const std::string& path, const std::vector<u8>& bytes) const {
    fs::path file = fs::path(root_) / path;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("TempDisc: cannot write " + file.string());
}

void TempDisc::Remove(const std::string& path) const {
    fs::remove(fs::path(root_) / path);
}

void TempDisc::LinkAllBut(const std::string& disc, const std::vector<std::string>& except) const {
    fs::create_directories(root_);  // the root's files may come before its folders
    for (const auto& entry : fs::recursive_directory_iterator(disc)) {
        const fs::path path = fs::relative(entry.path(), disc);
        if (entry.is_directory())
            fs::create_directories(fs::path(root_) / path);
        else if (std::find(except.begin(), except.end(), path.generic_string()) == except.end())
            fs::create_symlink(entry.path(), fs::path(root_) / path);
    }
}

HostConfig TempDisc::Config() const {
    HostConfig config = TestHostConfig();
    config.discRoot = root_;
    return config;
}
