// The stored chunk header.
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Wad.h"

u32 WadTypeWord(const char* ext) {
    return LoadBE32(reinterpret_cast<const u8*>(ext));
}

bool WadParseHeader(const u8* bytes, u32 length, s_wad_header* header) {
    ChunkCursor cursor(ChunkReader(bytes, length));
    s_wad_header parsed;
    cursor.Name(WAD_NAME_LEN, parsed.name);
    // All four tag bytes are kept, so the tag reads the same as a word.
    cursor.Copy(WAD_EXT_LEN, parsed.ext);
    parsed.ext[WAD_EXT_LEN] = '\0';
    cursor.U32(&parsed.size);
    cursor.U16(&parsed.flags);
    // Only the loader that trims a bank may say so; a file cannot.
    parsed.flags &= u16(~WAD_FLAG_MIN_DATA);
    cursor.U16(&parsed.parm);
    cursor.U32(&parsed.id);
    if (!cursor.Ok())
        return false;
    *header = parsed;
    return true;
}

bool WadIsEndMarker(const s_wad_header* header) {
    // "WEND" as a C string from the tag field: the size's first byte ends it.
    return std::strcmp(header->ext, "WEND") == 0 && (header->size >> 24) == 0;
}
