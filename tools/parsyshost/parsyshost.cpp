// Drives the particle editor of a running program from the host (docs/particles.md):
//   parsyshost DISC COMMAND [SLOT [NAME [FIELD=VALUE ...]]]
// writes "hostout.txt" with the next sequence number into the disc folder DISC and,
// for "start" and "load", the effect built from the fields into "temp.pat".
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/parsyshost/HostCommandFile.h"

namespace {

// Written beside and renamed into place, so that a poll never reads half a file.
bool WriteFile(const std::string& path, const void* bytes, std::size_t size) {
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(bytes), std::streamsize(size));
        if (!out.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    return !error;
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: parsyshost DISC reset|start|stop|datasets|startall|load [SLOT [NAME [FIELD=VALUE ...]]]\n"
        "fields: sprite spritetype elements maxage life start flags size speed gravity velx vely velz\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    const std::string disc = argv[1];
    const std::string keyword = parsyshost::Keyword(argv[2]);
    if (keyword.empty())
        return Usage();
    const s32 slot = argc > 3 ? std::atoi(argv[3]) : 0;
    const std::string name = argc > 4 ? argv[4] : "";
    const bool effect = std::string(argv[2]) == "start" || std::string(argv[2]) == "load";
    if (effect) {
        discbuild::ParticleDef def;
        for (int i = 5; i < argc; ++i) {
            std::string error;
            if (!parsyshost::SetField(argv[i], &def, &error)) {
                std::fprintf(stderr, "parsyshost: %s\n", error.c_str());
                return 1;
            }
        }
        try {
            const std::vector<u8> pat = discbuild::PatPayload(def);
            if (!WriteFile(disc + "/temp.pat", pat.data(), pat.size())) {
                std::fprintf(stderr, "parsyshost: cannot write %s/temp.pat\n", disc.c_str());
                return 1;
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "parsyshost: %s\n", e.what());
            return 1;
        }
    }
    const s32 seq = parsyshost::NextSequence(disc);
    const std::string command = parsyshost::CommandFile(seq, keyword, slot, name);
    if (!WriteFile(disc + "/hostout.txt", command.data(), command.size())) {
        std::fprintf(stderr, "parsyshost: cannot write %s/hostout.txt\n", disc.c_str());
        return 1;
    }
    std::printf("command %d written; the program echoes it into %s/hostin.txt\n", seq, disc.c_str());
    return 0;
}
