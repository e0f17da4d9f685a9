// mkdisc DATA_DIR DISC_DIR: builds the demo disc folder from the text sources.
#include <cstdio>
#include <exception>

#include "tools/discbuild/DiscSources.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkdisc DATA_DIR DISC_DIR\n");
        return 2;
    }
    try {
        discbuild::BuildDisc(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mkdisc: %s\n", error.what());
        return 1;
    }
    return 0;
}
