// NAND paths: the host root, the home and current directories, and the checks
// that keep every name inside the root.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "console/host_services.h"
#include "console/nand/nand_internal.h"
#include "console/system.h"

namespace fs = std::filesystem;

namespace {

constexpr char kHomeDir[] = "/title/00010000/424f574c/data";

char s_currentDir[NAND_MAX_PATH] = "/";

s32 CopyPath(char (&out)[NAND_MAX_PATH], const std::string& path) {
    if (path.size() >= NAND_MAX_PATH)
        return NAND_RESULT_INVALID;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return NAND_RESULT_OK;
}

}  // namespace

std::string HostNANDRoot() {
    HostMemoryScope scope;
    const std::string& configured = HostGetConfig().nandRoot;
    if (!configured.empty())
        return configured;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/')
        return std::string(dataHome) + "/bowling/nand";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/bowling/nand";
}

namespace console {

s32 NANDResolve(const char* path, char (&absolute)[NAND_MAX_PATH]) {
    if (path == nullptr || path[0] == '\0')
        return NAND_RESULT_INVALID;
    std::string result = path[0] == '/' ? "" : (std::strcmp(s_currentDir, "/") == 0 ? "" : s_currentDir);
    const char* p = path[0] == '/' ? path + 1 : path;
    while (*p != '\0') {
        const char* end = std::strchr(p, '/');
        const std::string name = end != nullptr ? std::string(p, end) : std::string(p);
        // Empty names, "." and ".." are refused: no path may leave the root.
        if (name.empty() || name.size() > NAND_MAX_NAME || name == "." || name == "..")
            return NAND_RESULT_INVALID;
        result += "/" + name;
        p = end != nullptr ? end + 1 : p + name.size();
    }
    return CopyPath(absolute, result.empty() ? "/" : result);
}

std::string NANDHostPath(const char* absolute) {
    return HostNANDRoot() + absolute;
}

std::string NANDParent(const char* absolute) {
    const char* slash = std::strrchr(absolute, '/');
    return slash == absolute ? "/" : std::string(absolute, slash);
}

bool NANDOnHomePath(const std::string& absolute) {
    const std::string home = kHomeDir;
    if (absolute == "/")
        return true;
    return home.compare(0, absolute.size(), absolute) == 0 &&
           (home.size() == absolute.size() || home[absolute.size()] == '/');
}

bool NANDIsDirectory(const std::string& absolute) {
    std::error_code error;
    return NANDOnHomePath(absolute) || fs::is_directory(NANDHostPath(absolute.c_str()), error);
}

s32 NANDMakeHostDirectory(const std::string& absolute) {
    std::error_code error;
    fs::create_directories(NANDHostPath(absolute.c_str()), error);
    return error ? NANDResultFromErrno(error.value()) : NAND_RESULT_OK;
}

void NANDResetCurrentDir() {
    std::strcpy(s_currentDir, "/");
}

}  // namespace console

s32 NANDGetHomeDir(char path[NAND_MAX_PATH]) {
    if (path == nullptr)
        return NAND_RESULT_INVALID;
    std::memcpy(path, kHomeDir, sizeof(kHomeDir));
    return NAND_RESULT_OK;
}

s32 NANDGetCurrentDir(char path[NAND_MAX_PATH]) {
    if (path == nullptr)
        return NAND_RESULT_INVALID;
    std::memcpy(path, s_currentDir, NAND_MAX_PATH);
    return NAND_RESULT_OK;
}

s32 NANDChangeDir(const char* path) {
    HostMemoryScope scope;
    char absolute[NAND_MAX_PATH];
    s32 result = console::NANDResolve(path, absolute);
    if (result != NAND_RESULT_OK)
        return result;
    if (!console::NANDIsDirectory(absolute))
        return NAND_RESULT_NOEXISTS;
    std::memcpy(s_currentDir, absolute, NAND_MAX_PATH);
    return NAND_RESULT_OK;
}
