// Synchronous archive loading.
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/WadChunk.h"

namespace {

constexpr u32 kFileNameSize = 128;

// Loads one measured chunk onto `wads`. A block that cannot be allocated skips
// the chunk; false when the archive is bad or the chunk records are used up.
bool LoadChunk(s32 fid, s_wad_chunk* chunk, u32 flags, const char* name, s_wad** wads) {
    if (!WadChunkAlloc(chunk, flags, name)) {
        DEBUG_PRINT("WAD: [%s] %s - Out of RAM (Requested %u bytes)!\n", DebugName(chunk->header.ext).c_str(),
                    DebugName(chunk->header.name).c_str(), chunk->header.size);
        FileSeek(fid, s32(chunk->stored), 1);
        return true;
    }
    if (!WadReadExact(fid, WadChunkTarget(chunk), chunk->stored, name) || !WadChunkExpand(chunk)) {
        WadChunkDiscard(chunk);
        return false;
    }
    s_wad* record = WadChunkLoad(chunk);
    if (record == nullptr)
        return false;
    WadAppendChunk(wads, record);
    return true;
}

// Reads chunks up to the end marker or the end of the file; false on a bad or
// truncated archive or with the chunk records used up, with what was loaded left
// on `wads`.
bool LoadChunks(s32 fid, const char* name, u32 flags, s_wad** wads) {
    while (FileGetRemaining(fid) > 0) {
        u8 raw[WAD_HEADER_SIZE];
        s_wad_header header;
        if (!WadReadExact(fid, raw, sizeof(raw), name))
            return false;
        WadParseHeader(raw, sizeof(raw), &header);
        if (WadIsEndMarker(&header))
            return true;
        u32 cmpLen = 0;
        if ((header.flags & WAD_FLAG_COMPRESSED) && !WadReadWord(fid, &cmpLen, name))
            return false;
        s_wad_chunk chunk;
        if (!WadChunkMeasure(&chunk, header, cmpLen, u32(FileGetRemaining(fid)), name))
            return false;
        u32 type = WadTypeWord(header.ext);
        SetMemHeap(type);
        bool ok = LoadChunk(fid, &chunk, flags, name, wads);
        UnsetMemHeap(type);
        if (!ok)
            return false;
    }
    return true;
}

}  // namespace

s_wad* WadLoad(const char* name, u32 flags) {
    DrawWait();
    s_wad* override = (flags & WAD_LOAD_OVERRIDE) ? WadLoadOverride(name, flags) : nullptr;
    char filename[kFileNameSize];
    bool named = WadFileName(name, filename, sizeof(filename));
    DEBUG_PROGRESS((flags & WAD_LOAD_MIN_DATA_SET) ? "Wad Load (MIN_DATA_SET): %s\n" : "Wad Load: %s\n",
                   name);
    s32 fid = named ? s32(FileOpen(filename)) : 0;
    s_wad* wads = nullptr;
    if (fid != 0) {
        if (!LoadChunks(fid, name, flags, &wads)) {
            // A failed load is all or nothing: what it loaded so far goes too.
            WadFree(wads);
            wads = nullptr;
        }
        FileClose(fid);
    }
    // Nothing to hand the override to: release it rather than lose it.
    if (wads == nullptr) {
        WadFree(override);
        return nullptr;
    }
    wads->override = override;
    return wads;
}

s_wad* WadLoadOverride(const char* name, u32 flags) {
    char filename[kFileNameSize];
    size_t length = std::strlen(name);
    if (length + 5 > sizeof(filename))
        return nullptr;
    std::memcpy(filename, name, length + 1);
    const char* tail = length >= 4 ? name + length - 4 : "";
    if (std::strcmp(tail, ".WAD") == 0 || std::strcmp(tail, ".wad") == 0)
        length -= 4;
    std::memcpy(filename + length, ".OWD", 5);
    if (!FileExist(filename))
        return nullptr;
    DEBUG_PROGRESS("Wad Load Override: %s\n", filename);
    return WadLoad(filename, flags & ~WAD_LOAD_OVERRIDE);
}
