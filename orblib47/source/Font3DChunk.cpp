// The "F3D" chunk parser. The chunk is the font's own image: a header with the
// character table's offset and count, and for each byte value an index into that
// table; the table's entries name hierarchical models.
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Font3D.h"
#include "orblib47/source/Heap.h"

namespace {

constexpr u32 kHeaderSize = 288;
constexpr u32 kCharSize = 24;

s_font3d* Reject(const char* name, const char* why) {
    DEBUG_PRINT("FONT3D: %s: bad F3D chunk (%s)\n", DebugName(name).c_str(), why);
    return nullptr;
}

}  // namespace

s_font3d* Font3DParseChunk(const char* name, const u8* data, u32 size) {
    const ChunkReader chunk(data, size);
    ChunkCursor c(chunk, 12);  // past the run-time links and entry
    f32 spacing = 0, spaceWidth = 0, width = 0;
    s32 numChars = 0;
    u32 models = 0;
    s8 charIndex[256];
    c.F32(&spacing), c.F32(&spaceWidth), c.F32(&width), c.S32(&numChars), c.U32(&models);
    for (s8& index : charIndex)
        c.S8(&index);
    if (!c.Ok() || c.Offset() != kHeaderSize)
        return Reject(name, "truncated header");
    if (numChars < 0 || !chunk.RangeArray(models, u32(numChars), kCharSize))
        return Reject(name, "character table outside the chunk");

    const u64 bytes = sizeof(s_font3d) + u64(numChars) * sizeof(s_font3d_char);
    HeapPush(&MainHeap);
    auto* block =
        bytes <= 0xFFFFFFFFu ? static_cast<u8*>(HeapMalloc(u32(bytes), __FILE_NAME__, __LINE__)) : nullptr;
    HeapPop();
    if (block == nullptr)
        return Reject(name, "out of memory");
    auto* font = reinterpret_cast<s_font3d*>(block);
    std::memset(block, 0, bytes);
    font->spacing = spacing;
    font->spaceWidth = spaceWidth;
    font->width = width;
    font->numChars = numChars;
    font->models = reinterpret_cast<s_font3d_char*>(block + sizeof(s_font3d));
    // A byte whose index lies outside the table has no character.
    for (u32 i = 0; i < 256; ++i)
        font->charIndex[i] = charIndex[i] >= 0 && charIndex[i] < numChars ? charIndex[i] : FONT3D_NO_CHAR;
    for (s32 i = 0; i < numChars; ++i)
        chunk.Name(models + u32(i) * kCharSize, FONT3D_NAME_LEN, font->models[i].FileName);
    return font;
}
