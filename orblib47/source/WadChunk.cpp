// The chunk reading shared by every archive reader.
#include "orblib47/source/WadChunk.h"

#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"

bool WadChunkMeasureInFile(s_wad_chunk* chunk, const s_wad_header& header, u32 cmpLen, u32 remaining,
                           const char* archive) {
    // A zeroed stretch reads as chunks without a type: the archive is damaged, and
    // taking them one by one would report each of them.
    if (header.ext[0] == '\0') {
        DEBUG_PRINT("WAD: Chunk without a type in %s!\n", archive);
        return false;
    }
    *chunk = {};
    chunk->header = header;
    chunk->stored = header.size;
    if (header.flags & WAD_FLAG_COMPRESSED) {
        if (cmpLen > header.size) {
            DEBUG_PRINT("Compressed Data Size larger than Uncompressed Data Size!\n");
            return false;
        }
        chunk->stored = cmpLen;
    }
    if (chunk->stored > remaining) {
        DEBUG_PRINT("WAD: [%s] %s - Chunk runs past the end of %s!\n", DebugName(header.ext).c_str(),
                    DebugName(header.name).c_str(), archive);
        return false;
    }
    return true;
}

bool WadChunkMeasure(s_wad_chunk* chunk, const s_wad_header& header, u32 cmpLen, u32 remaining,
                     const char* archive) {
    if (!WadChunkMeasureInFile(chunk, header, cmpLen, remaining, archive))
        return false;
    // Refused now: waiting for memory that can never come would stall the loader.
    if (header.size > HeapMallocLimit() || chunk->stored > HeapMallocLimit()) {
        DEBUG_PRINT("WAD: [%s] %s - Too large for the heap (%u bytes)!\n", DebugName(header.ext).c_str(),
                    DebugName(header.name).c_str(), header.size);
        return false;
    }
    return true;
}

namespace {

void* Allocate(u32 size, u32 flags) {
    if (flags & WAD_LOAD_BEST_FIT)
        return HeapMallocBestFit(size, __FILE_NAME__, __LINE__);
    if (flags & WAD_LOAD_LOW)
        return HeapMallocLow(size, __FILE_NAME__, __LINE__);
    return HeapMalloc(size, __FILE_NAME__, __LINE__);
}

}  // namespace

bool WadChunkAlloc(s_wad_chunk* chunk, u32 flags, const char* comment) {
    chunk->block = Allocate(chunk->header.size, flags);
    if (chunk->block == nullptr)
        return false;
    HeapAddrAddComment(chunk->block, comment);
    if (chunk->header.flags & WAD_FLAG_COMPRESSED) {
        // Short-lived, so taken from the low end, away from the kept blocks.
        chunk->packed = HeapMallocLow(chunk->stored, __FILE_NAME__, __LINE__);
        if (chunk->packed == nullptr) {
            WadChunkDiscard(chunk);
            return false;
        }
        HeapAddrAddComment(chunk->packed, comment);
    }
    return true;
}

void* WadChunkTarget(const s_wad_chunk* chunk) {
    return chunk->packed != nullptr ? chunk->packed : chunk->block;
}

bool WadChunkExpand(s_wad_chunk* chunk) {
    if (chunk->packed == nullptr)
        return true;
    u32 length = chunk->header.size;
    s32 ok = LZODecompress(static_cast<const u8*>(chunk->packed), chunk->stored,
                           static_cast<u8*>(chunk->block), &length);
    HeapMallocFree(chunk->packed);
    chunk->packed = nullptr;
    if (!ok) {
        WadChunkDiscard(chunk);
        return false;
    }
    return true;
}

void WadChunkDiscard(s_wad_chunk* chunk) {
    if (chunk->packed != nullptr)
        HeapMallocFree(chunk->packed);
    if (chunk->block != nullptr)
        HeapMallocFree(chunk->block);
    chunk->packed = nullptr;
    chunk->block = nullptr;
}

s_wad* WadChunkLoad(s_wad_chunk* chunk) {
    void* block = chunk->block;
    chunk->block = nullptr;
    return WadLoadData(&chunk->header, block);
}

void WadAppendChunk(s_wad** head, s_wad* record) {
    record->next = nullptr;
    record->prev = nullptr;
    if (*head == nullptr) {
        *head = record;
        return;
    }
    s_wad* last = *head;
    while (last->next != nullptr)
        last = last->next;
    last->next = record;
    record->prev = last;
}

bool WadReadComplete(s32 fid, u32 expectedRemaining, const char* archive) {
    if (u32(FileGetRemaining(fid)) == expectedRemaining)
        return true;
    DEBUG_PRINT("WAD: Read error in %s!\n", archive);
    return false;
}

bool WadReadExact(s32 fid, void* dst, u32 n, const char* archive) {
    u32 remaining = u32(FileGetRemaining(fid));
    if (n > remaining) {
        DEBUG_PRINT("WAD: Read error in %s!\n", archive);
        return false;
    }
    if (n != 0)
        FileReadBytes(fid, dst, n);
    return WadReadComplete(fid, remaining - n, archive);
}

bool WadReadWord(s32 fid, u32* word, const char* archive) {
    u8 bytes[4];
    if (!WadReadExact(fid, bytes, sizeof(bytes), archive))
        return false;
    *word = LoadBE32(bytes);
    return true;
}

bool WadFileName(const char* name, char* out, u32 size) {
    size_t length = std::strlen(name);
    // An extension in the last path component stays: the screen movies' texture
    // archives are ".sfc" files.
    const char* slash = std::strrchr(name, '/');
    const char* dot = std::strrchr(slash != nullptr ? slash : name, '.');
    bool hasExtension = dot != nullptr && dot[1] != '\0';
    size_t needed = length + (hasExtension ? 0 : 4) + 1;
    if (needed > size)
        return false;
    std::memcpy(out, name, length + 1);
    if (!hasExtension)
        std::memcpy(out + length, ".WAD", 5);
    return true;
}
