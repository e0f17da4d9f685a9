#include "tools/discbuild/StringTableWriter.h"

#include <algorithm>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

constexpr size_t kHeaderSize = 16;

}  // namespace

std::vector<u8> StringTablePayload(u32 language, s32 id, const std::vector<std::string>& strings) {
    size_t size = kHeaderSize + strings.size() * 4;
    for (const std::string& text : strings) {
        if (text.find('\0') != std::string::npos)
            throw std::invalid_argument("string table: a string holds a NUL");
        size += text.size() + 1;
    }
    if (size > 0xFFFFFFFFu)
        throw std::invalid_argument("string table: larger than 4 GB");

    std::vector<u8> payload(size);
    StoreBE32(&payload[4], language);
    StoreBE32(&payload[8], u32(id));
    StoreBE32(&payload[12], u32(strings.size()));
    size_t offset = kHeaderSize + strings.size() * 4;
    for (size_t i = 0; i < strings.size(); ++i) {
        StoreBE32(&payload[kHeaderSize + i * 4], u32(offset));
        std::copy(strings[i].begin(), strings[i].end(), payload.begin() + std::ptrdiff_t(offset));
        offset += strings[i].size() + 1;
    }
    return payload;
}

}  // namespace discbuild
