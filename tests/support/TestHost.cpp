#include "tests/support/TestHost.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Saves made by tests go to a folder of this test process, removed when it ends,
// never to the player's own storage.
const std::string& TestNandRoot() {
    static const struct Folder {
        std::string path =
            (std::filesystem::temp_directory_path() / ("bowling-test-nand-" + std::to_string(getpid())))
                .string();
        ~Folder() {
            std::error_code error;
            std::filesystem::remove_all(path, error);
        }
    } folder;
    return folder.path;
}

}  // namespace

HostConfig TestHostConfig() {
    HostConfig config;
    config.clock = HostClockMode::Virtual;
    config.window = false;
    config.mem1Size = 8u * 1024 * 1024;
    config.mem2Size = 8u * 1024 * 1024;
    config.nandRoot = TestNandRoot();
    return config;
}

void TestHostClearStorage() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(TestNandRoot(), error))
        std::filesystem::remove_all(entry.path(), error);
}
