// LZO1X decompression of compressed archive chunks.
#include <lzo/lzo1x.h>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Wad.h"

namespace {

const char* LzoResultName(int result) {
    static const char* const kNames[] = {
        "LZO_E_ERROR",         "LZO_E_OUT_OF_MEMORY",      "LZO_E_NOT_COMPRESSIBLE",
        "LZO_E_INPUT_OVERRUN", "LZO_E_OUTPUT_OVERRUN",     "LZO_E_LOOKBEHIND_OVERRUN",
        "LZO_E_EOF_NOT_FOUND", "LZO_E_INPUT_NOT_CONSUMED",
    };
    if (result <= -1 && result >= -8)
        return kNames[-result - 1];
    return nullptr;
}

}  // namespace

s32 LZODecompress(const u8* src, u32 srcLen, u8* dst, u32* dstLen) {
    static const int initResult = lzo_init();
    int result = initResult;
    lzo_uint produced = *dstLen;
    if (result == LZO_E_OK)
        result = lzo1x_decompress_safe(src, srcLen, dst, &produced, nullptr);
    if (result != LZO_E_OK) {
        if (const char* name = LzoResultName(result))
            DEBUG_PRINT("LZO Decompression Error: %s\n", name);
        else
            DEBUG_PRINT("LZO Decompression Error: %d\n", result);
        return 0;
    }
    // The checking decompressor stops at the end of `dst`; a shorter result means
    // the header and the data disagree.
    if (produced != *dstLen) {
        DEBUG_PRINT("LZO Decompression Error: %u bytes, expected %u\n", u32(produced), *dstLen);
        *dstLen = u32(produced);
        return 0;
    }
    return 1;
}
