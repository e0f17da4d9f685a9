#include "tools/fontbake/DiscFonts.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "tools/discbuild/WadWriter.h"
#include "tools/fontbake/FontBaker.h"

namespace fontbake {

namespace fs = std::filesystem;

namespace {

// ARCHIVE NAME FACE PIXELS [BYTE=HEX ...]
BakeRequest ParseLine(const std::string& line, const std::string& faceDir, std::string& archive) {
    std::istringstream words(line);
    BakeRequest request;
    std::string face, pixels, pair;
    if (!(words >> archive >> request.name >> face >> pixels))
        throw std::invalid_argument("expected ARCHIVE NAME FACE PIXELS [BYTE=HEX ...]");
    request.fontFile = (fs::path(faceDir) / face).string();
    request.pixelHeight = u32(std::stoul(pixels));
    while (words >> pair) {
        const size_t equals = pair.find('=');
        if (equals == std::string::npos)
            throw std::invalid_argument("expected BYTE=HEX, got " + pair);
        request.remap[u8(std::stoul(pair.substr(0, equals)))] =
            char32_t(std::stoul(pair.substr(equals + 1), nullptr, 16));
    }
    return request;
}

}  // namespace

void BuildDiscFonts(const std::string& dataDir, const std::string& discDir, const std::string& faceDir,
                    const std::map<std::string, std::vector<discbuild::WadChunk>>& extra) {
    std::ifstream file(fs::path(dataDir) / "fonts.txt");
    if (!file)
        return;
    std::map<std::string, discbuild::WadWriter> archives;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        try {
            std::string archive;
            const BakeRequest request = ParseLine(line, faceDir, archive);
            const BakedFont baked = BakeFont(request);
            discbuild::WadWriter& wad = archives[archive];
            // The white sheets shrink to a fraction under LZO.
            wad.Add({baked.textureName, "TIM", baked.tim, discbuild::kWadCompressed});
            wad.Add({request.name, "FNT", baked.fnt});
        } catch (const std::exception& error) {
            throw std::runtime_error("fonts.txt:" + std::to_string(number) + ": " + error.what());
        }
    }
    for (const auto& [archive, chunks] : extra) {
        for (const discbuild::WadChunk& chunk : chunks)
            archives[archive].Add(chunk);
    }
    for (const auto& [archive, wad] : archives) {
        const fs::path path = fs::path(discDir) / archive;
        fs::create_directories(path.parent_path());
        if (!wad.Write(path.string()))
            throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace fontbake
