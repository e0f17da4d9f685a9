// The disc emulator's host folder taking the development host's exchange files.
#include <cstring>
#include <fstream>

#include "console/dvd.h"
#include "console/dvd/dvd_path.h"
#include "console/host_services.h"
#include "console/os/poll.h"

BOOL DVDHostWrite(const char* fileName, const void* data, s32 length, BOOL append) {
    HostMemoryScope hostMemory;
    console::Poll();
    if (fileName == nullptr || fileName[0] == '\0' || std::strpbrk(fileName, "/\\") != nullptr ||
        std::strcmp(fileName, ".") == 0 || std::strcmp(fileName, "..") == 0 || length < 0 ||
        (data == nullptr && length > 0))
        return FALSE;
    const std::optional<s32> existing = console::DVDResolve(fileName);
    std::filesystem::path path;
    if (existing) {
        if (console::DVDIsDirectory(*existing))
            return FALSE;
        path = console::DVDHostPath(*existing);
    } else {
        const std::optional<s32> folder = console::DVDResolve(".");
        if (!folder)
            return FALSE;
        path = console::DVDHostPath(*folder) / fileName;
    }
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (length > 0)
        out.write(static_cast<const char*>(data), length);
    return out.good() ? TRUE : FALSE;
}
