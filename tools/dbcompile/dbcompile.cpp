// dbcompile TABLE_DIR OUT_FILE: compiles the database's text tables into the
// image the game loads.
#include "tools/dbcompile/DbCompile.h"

#include <cstdio>
#include <exception>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dbcompile TABLE_DIR OUT_FILE\n");
        return 2;
    }
    try {
        const std::vector<u8> image = dbcompile::DbCompile(argv[1]);
        std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
        if (!file.flush()) {
            std::fprintf(stderr, "dbcompile: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dbcompile: %s\n", error.what());
        return 1;
    }
    return 0;
}
