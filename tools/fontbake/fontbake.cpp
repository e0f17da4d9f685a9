// fontbake FONT_FILE NAME PIXELS OUT.WAD [BYTE=HEX ...]: bakes a font into an
// archive holding its texture NAME_T and its font NAME; each BYTE=HEX draws
// that byte with the Unicode character HEX.
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "tools/discbuild/WadWriter.h"
#include "tools/fontbake/FontBaker.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: fontbake FONT_FILE NAME PIXELS OUT.WAD [BYTE=HEX ...]\n");
        return 2;
    }
    try {
        fontbake::BakeRequest request{argv[1], argv[2], u32(std::stoul(argv[3])), {}};
        for (int i = 5; i < argc; ++i) {
            const std::string pair = argv[i];
            const size_t equals = pair.find('=');
            if (equals == std::string::npos)
                throw std::invalid_argument("expected BYTE=HEX, got " + pair);
            request.remap[u8(std::stoul(pair.substr(0, equals)))] =
                char32_t(std::stoul(pair.substr(equals + 1), nullptr, 16));
        }
        const fontbake::BakedFont baked = fontbake::BakeFont(request);
        discbuild::WadWriter wad;
        wad.Add({baked.textureName, "TIM", baked.tim});
        wad.Add({request.name, "FNT", baked.fnt});
        if (!wad.Write(argv[4]))
            throw std::runtime_error(std::string("cannot write ") + argv[4]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fontbake: %s\n", error.what());
        return 1;
    }
    return 0;
}
