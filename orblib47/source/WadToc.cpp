// Table-of-contents archives: the table is read once, the file stays open, and
// single chunks are read by name.
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NamePtrTable.h"
#include "orblib47/source/WadChunk.h"

namespace {

constexpr u32 kFileNameSize = 128;

// Blocking reads; the asynchronous form lets the system-critical tasks run while
// it waits.
bool ReadBytes(s32 fid, void* dst, u32 n, bool async, const char* what) {
    if (!async)
        return WadReadExact(fid, dst, n, what);
    u32 remaining = u32(FileGetRemaining(fid));
    if (n > remaining) {
        DEBUG_PRINT("WAD: Read error in %s!\n", what);
        return false;
    }
    FileReadBytesAsync(fid, dst, n);
    FileIoFlushSync(fid, 1);
    return WadReadComplete(fid, remaining - n, what);
}

// Reads a whole chunk whose header has just been read, through the shared path.
bool ReadChunk(s32 fid, const s_wad_header& header, u32 flags, bool async, const char* outOfRam,
               s_wad_chunk* chunk) {
    u32 cmpLen = 0;
    if (header.flags & WAD_FLAG_COMPRESSED) {
        u8 bytes[4];
        if (!ReadBytes(fid, bytes, sizeof(bytes), async, header.name))
            return false;
        cmpLen = LoadBE32(bytes);
    }
    if (!WadChunkMeasure(chunk, header, cmpLen, u32(FileGetRemaining(fid)), header.name))
        return false;
    if (!WadChunkAlloc(chunk, flags, header.name)) {
        DEBUG_PRINT("%s", outOfRam);
        return false;
    }
    if (!ReadBytes(fid, WadChunkTarget(chunk), chunk->stored, async, header.name) || !WadChunkExpand(chunk)) {
        WadChunkDiscard(chunk);
        return false;
    }
    return true;
}

// The entry array of a "TOC" payload; null (after a message) when it does not fit.
s_wad_toc_entry* ParseEntries(const s_wad_header& header, const void* payload) {
    ChunkReader reader(payload, header.size);
    if (!reader.RangeArray(0, header.parm, WAD_TOC_ENTRY_SIZE)) {
        DEBUG_PRINT("WadOpen: Bad TOC chunk!\n");
        return nullptr;
    }
    auto* entries = static_cast<s_wad_toc_entry*>(
        HeapMalloc(u32(header.parm) * sizeof(s_wad_toc_entry), __FILE_NAME__, __LINE__));
    if (entries == nullptr) {
        DEBUG_PRINT("WadOpen: Out of RAM!\n");
        return nullptr;
    }
    ChunkCursor cursor(reader);
    for (u32 i = 0; i < header.parm; ++i) {
        s_wad_toc_entry& entry = entries[i];
        cursor.Name(WAD_NAME_LEN, entry.name);
        cursor.Copy(WAD_EXT_LEN, entry.ext);
        entry.ext[WAD_EXT_LEN] = '\0';
        cursor.U32(&entry.offset);
        cursor.U32(&entry.size);
        cursor.U32(&entry.flags);
        cursor.U32(&entry.id);
    }
    return entries;
}

// Reads the table into `toc`; false when the archive has none or it is bad.
bool OpenTable(s32 fid, const char* name, s_wad_toc* toc) {
    u8 raw[WAD_HEADER_SIZE];
    s_wad_header header;
    if (!WadReadExact(fid, raw, sizeof(raw), name))
        return false;
    WadParseHeader(raw, sizeof(raw), &header);
    if (std::strcmp(header.ext, "TOC") != 0) {
        DEBUG_PRINT("WadOpen: No TOC chunk in file %s!\n", name);
        return false;
    }
    s_wad_chunk chunk;
    if (!ReadChunk(fid, header, 0, false, "WadOpen: Out of RAM!\n", &chunk))
        return false;
    s_wad_toc_entry* entries = ParseEntries(header, chunk.block);
    WadChunkDiscard(&chunk);
    if (entries == nullptr)
        return false;
    std::memset(toc, 0, sizeof(*toc));
    toc->fid = fid;
    toc->numEntries = header.parm;
    toc->entries = entries;
    toc->table = new CNamePtrTable(header.parm);
    // A repeated name keeps its first entry.
    for (u32 i = 0; i < toc->numEntries; ++i)
        toc->table->Add(entries[i].name, s32(i));
    return true;
}

bool EntryIs(const s_wad_toc_entry& entry, const char* name, const char* ext) {
    return std::strncmp(entry.name, name, WAD_NAME_LEN) == 0 &&
           std::strncmp(entry.ext, ext, WAD_EXT_LEN) == 0;
}

// The first entry of that name and type, or null. The name table holds the first
// entry of each name; one of another type lies further on.
s_wad_toc_entry* FindEntry(const s_wad_toc* toc, const char* name, const char* ext) {
    s32 index = toc->table->GetValue(name);
    if (index == CNamePtrTable::NOT_FOUND)
        return nullptr;
    for (u32 i = u32(index); i < toc->numEntries; ++i) {
        if (EntryIs(toc->entries[i], name, ext))
            return &toc->entries[i];
    }
    return nullptr;
}

// Reads the payload of the entry `name`.`ext` into a new block; `header`
// receives the entry as a chunk header.
s_wad_toc_entry* ReadEntry(s_wad_toc* toc, const char* name, const char* ext, void** data, u32 flags,
                           bool async, s_wad_header* header) {
    s_wad_toc_entry* entry = FindEntry(toc, name, ext);
    if (entry == nullptr) {
        DEBUG_PRINT("WadRead: Wad not found (%s.%s)!\n", name, ext);
        return nullptr;
    }
    std::memcpy(header->name, entry->name, sizeof(header->name));
    std::memcpy(header->ext, entry->ext, sizeof(header->ext));
    header->size = entry->size;
    header->flags = u16(entry->flags);
    header->parm = 0;
    header->id = entry->id;
    if (entry->offset > u32(FileGetSize(toc->fid))) {
        DEBUG_PRINT("WAD: [%s] %s - Chunk runs past the end of the file!\n", DebugName(header->ext).c_str(),
                    DebugName(header->name).c_str());
        return nullptr;
    }
    if (async) {
        FileSeekAsync(toc->fid, s32(entry->offset), FILE_SEEK_SET);
        FileIoFlushSync(toc->fid, 1);
    } else {
        FileSeek(toc->fid, s32(entry->offset), FILE_SEEK_SET);
    }
    s_wad_chunk chunk;
    if (!ReadChunk(toc->fid, *header, flags, async, "WadRead: Out of RAM!\n", &chunk))
        return nullptr;
    *data = chunk.block;
    return entry;
}

s_wad* LoadEntry(s_wad_toc* toc, const char* name, const char* ext, u32 flags, bool async) {
    s_wad_header header;
    void* block = nullptr;
    if (ReadEntry(toc, name, ext, &block, flags, async, &header) == nullptr)
        return nullptr;
    s_wad* record = WadLoadData(&header, block);
    if (record == nullptr)
        return nullptr;
    record->next = record->prev = nullptr;
    if (toc->wads == nullptr) {
        toc->wads = record;
    } else {
        record->prev = toc->wads;
        record->next = toc->wads->next;
        if (record->next != nullptr)
            record->next->prev = record;
        toc->wads->next = record;
    }
    return record;
}

}  // namespace

s_wad_toc* WadOpen(const char* name) {
    DEBUG_PROGRESS("Wad Open: %s\n", name);
    char filename[kFileNameSize];
    size_t length = std::strlen(name);
    if (length + 5 > sizeof(filename))
        return nullptr;
    std::memcpy(filename, name, length);
    std::memcpy(filename + length, ".WAD", 5);
    // The record is taken before the file: with eight tables open the file layer
    // has no record left, and running out of those is fatal.
    auto* toc = static_cast<s_wad_toc*>(RecordAlloc(WadTocRecords));
    if (toc == nullptr) {
        DEBUG_PRINT("WadOpen: Out of WAD_TOC records!\n");
        return nullptr;
    }
    s32 fid = FileOpen(filename);
    if (fid == 0 || !OpenTable(fid, name, toc)) {
        if (fid != 0)
            FileClose(fid);
        RecordFree(WadTocRecords, toc);
        return nullptr;
    }
    RecordInsertList(WadTocRecords, &toc->link);
    return toc;
}

void WadClose(s_wad_toc* toc) {
    DEBUG_PROGRESS("Wad Close\n");
    FileClose(toc->fid);
    WadFree(toc->wads);
    HeapMallocFree(toc->entries);
    delete toc->table;
    RecordRemoveList(&toc->link);
    RecordFree(WadTocRecords, toc);
}

void WadFreeTOC(s_wad_toc* toc) {
    WadFree(toc->wads);
    toc->wads = nullptr;
}

s_wad_toc_entry* WadRead(s_wad_toc* toc, const char* name, const char* ext, void** data) {
    s_wad_header header;
    return ReadEntry(toc, name, ext, data, 0, false, &header);
}

s_wad_toc_entry* WadReadAsync(s_wad_toc* toc, const char* name, const char* ext, void** data, u32 flags) {
    s_wad_header header;
    return ReadEntry(toc, name, ext, data, flags & WAD_LOAD_BEST_FIT, true, &header);
}

s_wad* WadReadData(s_wad_toc* toc, const char* name, const char* ext) {
    return LoadEntry(toc, name, ext, 0, false);
}

s_wad* WadReadDataAsync(s_wad_toc* toc, const char* name, const char* ext, u32 flags) {
    return LoadEntry(toc, name, ext, flags & WAD_LOAD_BEST_FIT, true);
}

s_wad_toc* WadFindToc(const char* name, const char* ext) {
    for (s_linked_list* node = WadTocRecords->next; node != nullptr; node = node->next) {
        auto* toc = reinterpret_cast<s_wad_toc*>(node);
        if (FindEntry(toc, name, ext) != nullptr)
            return toc;
    }
    return nullptr;
}
