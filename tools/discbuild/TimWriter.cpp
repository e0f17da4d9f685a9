#include "tools/discbuild/TimWriter.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

struct Level {
    u32 width;
    u32 height;
    std::vector<u8> texels;
};

u32 AlignUp(size_t value) {
    if (value > 0xFFFFFFE0u)
        throw std::invalid_argument("tim: larger than 4 GB");
    return u32((value + 31) & ~size_t(31));
}

bool AnyAlpha(const RgbaImage& image) {
    for (size_t i = 3; i < image.rgba.size(); i += 4)
        if (image.rgba[i] != 0xFF)
            return true;
    return false;
}

void CheckPalette(const TimTexture& texture) {
    const size_t entries = texture.palette.size();
    if (entries == 0 || entries > 256)
        throw std::invalid_argument("tim: a C8 texture needs 1 to 256 palette entries");
    if (texture.levels != 1)
        throw std::invalid_argument("tim: a C8 texture has one level");
    for (u8 index : texture.indices)
        if (index >= entries)
            throw std::invalid_argument("tim: a texel indexes past the palette");
}

std::vector<Level> Levels(const TimTexture& texture) {
    if (texture.format == TexFormat::C8) {
        CheckPalette(texture);
        return {{texture.image.width, texture.image.height,
                 EncodeIndexed(TexFormat::C8, texture.image.width, texture.image.height, texture.indices)}};
    }
    if (texture.format != TexFormat::RGBA8 && texture.format != TexFormat::CMPR)
        throw std::invalid_argument("tim: the loader takes only RGBA8, CMPR and C8");
    if (texture.levels == 0)
        throw std::invalid_argument("tim: no levels");
    std::vector<Level> levels;
    RgbaImage image = texture.image;
    for (u32 i = 0; i < texture.levels; ++i) {
        if (i > 0)
            image = HalveImage(image);
        levels.push_back({image.width, image.height, EncodeTexture(texture.format, image)});
    }
    return levels;
}

u32 HeaderFlags(const TimTexture& texture) {
    u32 flags = texture.keepFile ? kTimKeepFile : 0;
    if (texture.levels > 1)
        flags |= kTimMipMap;
    if (texture.format == TexFormat::CMPR)
        flags |= kTimCompressed;
    if (texture.format == TexFormat::C8) {
        flags |= kTimHasPalette;
        const auto translucent = [](u32 colour) { return (colour & 0xFF) != 0xFF; };
        if (std::any_of(texture.palette.begin(), texture.palette.end(), translucent))
            flags |= kTimHasAlpha;
    } else if (AnyAlpha(texture.image)) {
        flags |= kTimHasAlpha;
    }
    return flags;
}

}  // namespace

std::vector<u8> TimPayload(const TimTexture& texture) {
    const std::vector<Level> levels = Levels(texture);
    for (const std::string& child : texture.children)
        if (child.size() > 15)
            throw std::invalid_argument("tim: child name longer than 15 characters: " + child);
    const bool indexed = texture.format == TexFormat::C8;

    const u32 maps = kTimHeaderSize;
    const u32 childTable = maps + u32(levels.size()) * kTimMapSize;
    u32 texels = AlignUp(childTable + texture.children.size() * kTimChildSize);
    size_t end = texels;
    for (const Level& level : levels)
        end += level.texels.size();
    const u32 palette = AlignUp(end);
    std::vector<u8> out(indexed ? palette + kTimPaletteBytes : palette);

    StoreBE32(&out[0], HeaderFlags(texture));
    StoreBE32(&out[8], std::bit_cast<u32>(texture.mipBias));
    StoreBE32(&out[12], u32(levels.size()));
    StoreBE32(&out[16], maps);
    StoreBE32(&out[20], u32(texture.children.size()));
    StoreBE32(&out[24], texture.children.empty() ? 0 : childTable);

    const u32 depth = texture.format == TexFormat::RGBA8 ? 32 : texture.format == TexFormat::CMPR ? 4 : 8;
    const u32 code = texture.format == TexFormat::RGBA8  ? kTimCodeRgba8
                     : texture.format == TexFormat::CMPR ? kTimCodeCmpr
                                                         : kTimCodeC8;
    for (size_t i = 0; i < levels.size(); ++i) {
        u8* map = &out[maps + i * kTimMapSize];
        StoreBE32(map + 4, levels[i].width);
        StoreBE32(map + 8, levels[i].height);
        StoreBE32(map + 12, depth);
        StoreBE32(map + 16, u32(levels[i].texels.size()));
        StoreBE32(map + 20, texels);
        StoreBE32(map + 24, indexed ? u32(texture.palette.size()) : 0);
        StoreBE32(map + 28, indexed ? palette : 0);
        StoreBE32(map + 120, code);
        StoreBE32(map + 124, indexed ? kTimCodePaletteIA8 : kTimNoPalette);
        std::copy(levels[i].texels.begin(), levels[i].texels.end(), out.begin() + texels);
        texels += u32(levels[i].texels.size());
    }
    for (size_t i = 0; i < texture.children.size(); ++i)
        std::copy(texture.children[i].begin(), texture.children[i].end(),
                  out.begin() + childTable + std::ptrdiff_t(i * kTimChildSize));
    if (indexed) {
        for (size_t i = 0; i < texture.palette.size(); ++i) {
            const u32 rgba = texture.palette[i];
            u8* first = &out[palette + 2 * i];
            u8* second = first + kTimPaletteBytes / 2;
            first[0] = u8(rgba >> 16);  // green, read as alpha
            first[1] = u8(rgba >> 24);  // red, read as intensity
            second[0] = u8(rgba);       // alpha
            second[1] = u8(rgba >> 8);  // blue, read as intensity
        }
    }
    return out;
}

}  // namespace discbuild
