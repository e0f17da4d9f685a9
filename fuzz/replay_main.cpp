// Runs a harness on files instead of under libFuzzer, so that the harnesses build
// with any compiler: the first argument names the harness, every other one is an
// input file or a folder of them (a missing path is skipped). Fails for a harness
// it does not have, or when no input was found at all.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/replay_harnesses.h"

namespace fs = std::filesystem;

namespace {

void Replay(const ReplayHarness& harness, const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::fprintf(stderr, "replay %s (%zu bytes)\n", file.c_str(), bytes.size());
    harness.run(reinterpret_cast<const u8*>(bytes.data()), bytes.size());
}

const ReplayHarness* Find(const char* name) {
    for (const ReplayHarness& harness : ReplayHarnesses()) {
        if (std::strcmp(harness.name, name) == 0)
            return &harness;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const ReplayHarness* harness = argc > 1 ? Find(argv[1]) : nullptr;
    if (harness == nullptr) {
        std::fprintf(stderr, "usage: fuzz_replay HARNESS [FILE|FOLDER]...; harnesses:");
        for (const ReplayHarness& known : ReplayHarnesses())
            std::fprintf(stderr, " %s", known.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 2; i < argc; ++i) {
        std::error_code error;
        if (fs::is_directory(argv[i], error)) {
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[i], error)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(argv[i], error)) {
            inputs.emplace_back(argv[i]);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs)
        Replay(*harness, input);
    std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
