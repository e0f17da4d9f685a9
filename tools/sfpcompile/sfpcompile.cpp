// sfpcompile IN.txt OUT_DIR: compiles a screen movie's text source into
// OUT_DIR/NAME.sfp and OUT_DIR/NAME.sfc; its includes are read beside it.
#include "tools/sfpcompile/SfpCompile.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sfpcompile IN.txt OUT_DIR\n");
        return 2;
    }
    try {
        sfpc::CompileMovieFile(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sfpcompile: %s\n", error.what());
        return 1;
    }
    return 0;
}
