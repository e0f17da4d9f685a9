#include "tools/sfpcompile/SfcWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "source/Crc32.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/WadWriter.h"

namespace sfpc {

std::string SfcTextureName(const std::string& movieName, u32 atlas) {
    std::string upper = movieName;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    if (atlas > 99)
        throw std::invalid_argument("a movie has at most 100 atlases");
    char name[24];
    std::snprintf(name, sizeof name, "SFC%08X_%02u",
                  unsigned(Crc32(reinterpret_cast<const u8*>(upper.data()), u32(upper.size()))),
                  unsigned(atlas));
    return name;
}

std::vector<u8> WriteSfc(const std::string& movieName, const std::vector<discbuild::RgbaImage>& atlases) {
    discbuild::WadWriter wad;
    for (u32 i = 0; i < atlases.size(); ++i) {
        discbuild::TimTexture texture;
        texture.image = atlases[i];
        // Flat panels and glows shrink to a fraction under LZO.
        wad.Add(
            {SfcTextureName(movieName, i), "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed});
    }
    return wad.Image();
}

}  // namespace sfpc
