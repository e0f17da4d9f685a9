// Disc names are matched without regard to case, one component at a time, against
// what the host folder holds; an exact match wins over one that differs in case.
#include "console/dvd/dvd_path.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "console/system.h"

namespace fs = std::filesystem;

namespace console {
namespace {

// Resolved disc paths (host spelling, '/' separated, "" for the root); the index
// is the entry number. Numbers stay valid for the whole run.
std::vector<std::string> s_entries;
std::string s_currentDir;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

fs::path HostPathOf(const fs::path& root, const std::vector<std::string>& components) {
    fs::path path = root;
    for (const std::string& component : components)
        path /= component;
    return path;
}

// The host spelling of name inside the folder, or nullopt.
std::optional<std::string> FindInFolder(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name))
            return candidate;
    }
    return std::nullopt;
}

std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : "/") + part;
    return joined;
}

// Resolves `name` part by part from the folder `resolved` (host spelling) below
// `root`; nullopt when a part is missing.
std::optional<std::vector<std::string>> Walk(const fs::path& root, std::vector<std::string> resolved,
                                             const std::string& name) {
    for (const std::string& part : Split(name)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        const std::optional<std::string> found = FindInFolder(HostPathOf(root, resolved), part);
        if (!found)
            return std::nullopt;
        resolved.push_back(*found);
    }
    return resolved;
}

s32 EntrynumOf(const std::string& discPath) {
    const auto it = std::find(s_entries.begin(), s_entries.end(), discPath);
    if (it != s_entries.end())
        return static_cast<s32>(it - s_entries.begin());
    s_entries.push_back(discPath);
    return static_cast<s32>(s_entries.size() - 1);
}

}  // namespace

void DVDPathReset() {
    s_currentDir.clear();
}

void DVDNamesReset() {
    s_entries.clear();
    DVDPathReset();
}

std::optional<s32> DVDResolve(const char* name) {
    if (name == nullptr)
        return std::nullopt;
    const std::string text = name;
    const auto resolved =
        Walk(HostGetConfig().discRoot,
             text.starts_with('/') ? std::vector<std::string>{} : Split(s_currentDir), text);
    if (!resolved)
        return std::nullopt;
    return EntrynumOf(Join(*resolved));
}

fs::path DVDHostPath(s32 entrynum) {
    if (entrynum < 0 || static_cast<std::size_t>(entrynum) >= s_entries.size())
        return {};
    return HostPathOf(HostGetConfig().discRoot, Split(s_entries[entrynum]));
}

bool DVDIsDirectory(s32 entrynum) {
    std::error_code error;
    const fs::path path = DVDHostPath(entrynum);
    return !path.empty() && fs::is_directory(path, error);
}

void DVDSetCurrentDir(s32 entrynum) {
    if (DVDIsDirectory(entrynum))
        s_currentDir = s_entries[entrynum];
}

}  // namespace console

std::string HostDiscPath(const std::string& root, const std::string& name) {
    const auto resolved = console::Walk(root, {}, name);
    return resolved ? console::HostPathOf(root, *resolved).string() : std::string();
}
