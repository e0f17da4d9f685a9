// The platform entry point: reads the command line, starts the console stand-in
// (a window on the real clock, or headless on the virtual clock) and runs the game.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/screenshot.h"
#include "console/system.h"
#include "source/DefaultDisc.h"
#include "source/OrbMain.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs(
        "usage: bowling [--headless] [--frames N] [--disc DIR] [--nand DIR] [--input FILE]\n"
        "               [--screenshot FILE]\n"
        "  --headless         run without a window, on the virtual clock\n"
        "  --frames N         leave after N frames\n"
        "  --disc DIR         the folder that holds the disc (default: the built demo disc)\n"
        "  --nand DIR         the folder that holds the saves (default: ~/.local/share/bowling/nand)\n"
        "  --input FILE       headless: the remotes follow this input script (docs/input.md)\n"
        "  --screenshot FILE  when the game leaves, save the frame shown last as a PNG file\n",
        out);
}

bool ParseCount(const char* text, u32* count) {
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || value == 0 || value > 0xFFFFFFFFul || text[0] == '-')
        return false;
    *count = u32(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    HostConfig config;
    config.clock = HostClockMode::Real;
    config.window = true;
    config.discRoot = DefaultDiscRoot();
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            config.clock = HostClockMode::Virtual;
            config.window = false;
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            if (!ParseCount(argv[++i], &g_FrameLimit)) {
                std::fprintf(stderr, "bowling: --frames needs a positive count, not '%s'\n", argv[i]);
                return 2;
            }
        } else if (std::strcmp(argv[i], "--disc") == 0 && i + 1 < argc) {
            config.discRoot = argv[++i];
        } else if (std::strcmp(argv[i], "--nand") == 0 && i + 1 < argc) {
            config.nandRoot = argv[++i];
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--input") == 0 && i + 1 < argc) {
            config.inputScript = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0) {
            PrintUsage(stdout);
            return 0;
        } else {
            std::fprintf(stderr, "bowling: unknown argument '%s'\n", argv[i]);
            PrintUsage(stderr);
            return 2;
        }
    }
    HostInit(config);
    // The console is not shut down: global objects whose memory came from the
    // game's heap are destroyed after main returns, and that memory must stay.
    const int status = OrbMain();
    if (screenshot != nullptr && !HostSaveScreenshot(screenshot)) {
        std::fprintf(stderr, "bowling: cannot write the screenshot '%s'\n", screenshot);
        return 1;
    }
    return status;
}
