#include "tools/discbuild/F3dWriter.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

constexpr u32 kNameSize = 16;

void Check(const Font3DDef& font) {
    for (const std::string& name : font.models)
        if (name.size() > kNameSize)
            throw std::invalid_argument("f3d: model name longer than 16 characters: " + name);
    for (s8 index : font.charIndex)
        if (index < -1 || index >= s32(font.models.size()))
            throw std::invalid_argument("f3d: a byte maps past the characters");
}

}  // namespace

std::vector<u8> F3dPayload(const Font3DDef& font) {
    Check(font);
    std::vector<u8> out(kF3dHeaderSize + font.models.size() * kF3dCharSize);
    StoreBE32(&out[12], std::bit_cast<u32>(font.spacing));
    StoreBE32(&out[16], std::bit_cast<u32>(font.spaceWidth));
    StoreBE32(&out[20], std::bit_cast<u32>(font.width));
    StoreBE32(&out[24], u32(font.models.size()));
    StoreBE32(&out[28], kF3dHeaderSize);
    for (u32 i = 0; i < 256; ++i)
        out[32 + i] = u8(font.charIndex[i]);
    for (size_t i = 0; i < font.models.size(); ++i)
        std::copy(font.models[i].begin(), font.models[i].end(),
                  out.begin() + kF3dHeaderSize + std::ptrdiff_t(i * kF3dCharSize));
    return out;
}

}  // namespace discbuild
