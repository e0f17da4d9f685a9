#include "tools/discbuild/SymTableWriter.h"

#include <fstream>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

constexpr u32 kHeaderSize = 8;

}  // namespace

std::vector<u8> SymTableImage(const std::vector<u32>& values) {
    std::vector<u8> image(kHeaderSize + values.size() * 4);
    StoreBE32(&image[0], u32(values.size()));
    StoreBE32(&image[4], kHeaderSize);
    for (size_t i = 0; i < values.size(); ++i)
        StoreBE32(&image[kHeaderSize + i * 4], values[i]);
    return image;
}

bool SymTableWrite(const std::string& path, const std::vector<u32>& values) {
    std::vector<u8> image = SymTableImage(values);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    return bool(file.flush());
}

}  // namespace discbuild
