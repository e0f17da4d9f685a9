// The "FNT" chunk parser. The chunk's header gives no count for the character
// definitions or the kerning entries, so each of those tables is taken to run from
// its offset to the nearest start of another table after it, or to the chunk's
// end; every index into them is checked against that count here, once.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/FontInternal.h"
#include "orblib47/source/Heap.h"

namespace {

constexpr u32 kHeaderSize = 288;
constexpr u32 kTextureDefSize = 20;
constexpr u32 kCharDefSize = 20;
constexpr u32 kKernSize = 4;
constexpr u32 kMaxCharDefs = 256;  // all a byte of the character index can reach

s_font* Reject(const char* name, const char* why) {
    DEBUG_PRINT("FONT: %s: bad FNT chunk (%s)\n", DebugName(name).c_str(), why);
    return nullptr;
}

struct Header {
    s16 width, height, spacing, textureCount;
    u32 textures, charDefs, kerningTable;
    u8 charIndex[256];
};

// Bytes from `offset` to the next table's start or the chunk's end.
u32 TableBytes(const Header& h, u32 size, u32 offset) {
    u32 end = size;
    for (u32 start : {h.textures, h.charDefs, h.kerningTable}) {
        if (start > offset)
            end = std::min(end, start);
    }
    return offset <= end ? end - offset : 0;
}

bool ReadCharDef(const ChunkReader& chunk, u32 offset, s_char_def* out) {
    ChunkCursor c(chunk, offset);
    c.F32(&out->u0), c.F32(&out->v0), c.F32(&out->u1), c.F32(&out->v1);
    c.S8(&out->width), c.S8(&out->tindex), c.S8(&out->numKern), c.S8(&out->kernIndex);
    return c.Ok();
}

const char* CheckCharDef(const s_char_def& def, s32 textureCount, s32 numKerning) {
    if (def.tindex >= textureCount)
        return "glyph texture past the table";
    for (f32 uv : {def.u0, def.v0, def.u1, def.v1}) {
        if (!std::isfinite(uv))
            return "glyph texture coordinates";
    }
    if (def.numKern > 0 && (def.kernIndex < 0 || def.kernIndex + def.numKern > numKerning))
        return "kerning past the table";
    return nullptr;
}

}  // namespace

s_font* FontParseChunk(const char* name, const u8* data, u32 size) {
    const ChunkReader chunk(data, size);
    ChunkCursor c(chunk, 12);
    Header h{};
    c.S16(&h.width), c.S16(&h.height), c.S16(&h.spacing), c.S16(&h.textureCount);
    c.U32(&h.textures), c.U32(&h.charDefs), c.U32(&h.kerningTable), c.Copy(256, h.charIndex);
    if (!c.Ok() || c.Offset() != kHeaderSize)
        return Reject(name, "truncated header");
    if (h.height <= 0)
        return Reject(name, "line height");
    if (h.textureCount < 0 || !chunk.RangeArray(h.textures, u32(h.textureCount), kTextureDefSize))
        return Reject(name, "texture table outside the chunk");
    if (h.charDefs > size || h.kerningTable > size)
        return Reject(name, "table outside the chunk");
    const u32 numDefs = std::min(TableBytes(h, size, h.charDefs) / kCharDefSize, kMaxCharDefs);
    const u32 numKerning = TableBytes(h, size, h.kerningTable) / kKernSize;
    for (u8 index : h.charIndex) {
        if (index >= numDefs)
            return Reject(name, "character index past the definitions");
    }

    const u32 textureBytes = u32(h.textureCount) * sizeof(s_texture_def);
    const u32 defBytes = numDefs * sizeof(s_char_def);
    const u32 bytes = sizeof(s_font) + textureBytes + defBytes + numKerning * sizeof(s_kerning_def);
    HeapPush(&MainHeap);
    auto* block = static_cast<u8*>(HeapMalloc(bytes, __FILE_NAME__, __LINE__));
    HeapPop();
    if (block == nullptr)
        return Reject(name, "out of memory");
    auto* font = reinterpret_cast<s_font*>(block);
    std::memset(font, 0, sizeof(*font));
    font->width = h.width;
    font->height = h.height;
    font->spacing = h.spacing;
    font->textureCount = h.textureCount;
    font->textures = reinterpret_cast<s_texture_def*>(block + sizeof(s_font));
    font->charDefs = reinterpret_cast<s_char_def*>(block + sizeof(s_font) + textureBytes);
    font->kerningTable = reinterpret_cast<s_kerning_def*>(block + sizeof(s_font) + textureBytes + defBytes);
    font->numCharDefs = s32(numDefs);
    font->numKerning = s32(numKerning);
    std::memcpy(font->charIndex, h.charIndex, sizeof(h.charIndex));

    for (s32 i = 0; i < h.textureCount; ++i) {
        chunk.Name(h.textures + u32(i) * kTextureDefSize, TEXTURE_NAME_LEN, font->textures[i].name);
        font->textures[i].texture = nullptr;
    }
    for (u32 i = 0; i < numKerning; ++i) {
        s_kerning_def& kern = font->kerningTable[i];
        const u32 at = h.kerningTable + i * kKernSize;
        chunk.S8(at, &kern.first), chunk.S8(at + 1, &kern.last), chunk.U16(at + 2, &kern.adjust);
    }
    for (u32 i = 0; i < numDefs; ++i) {
        s_char_def& def = font->charDefs[i];
        ReadCharDef(chunk, h.charDefs + i * kCharDefSize, &def);
        if (const char* why = CheckCharDef(def, h.textureCount, s32(numKerning))) {
            HeapMallocFree(block);
            return Reject(name, why);
        }
    }
    return font;
}
