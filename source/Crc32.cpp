#include "source/Crc32.h"

#include <array>

namespace {

constexpr std::array<u32, 256> MakeTable() {
    std::array<u32, 256> table{};
    for (u32 n = 0; n < 256; ++n) {
        u32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<u32, 256> kTable = MakeTable();

}  // namespace

u32 Crc32(const u8* data, u32 length) {
    u32 crc = 0xFFFFFFFFu;
    for (u32 i = 0; i < length; ++i)
        crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}
