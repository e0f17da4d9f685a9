// Stream packs (".ASF"): a little-endian count and table of entries, each with its
// stream's big-endian DSP-ADPCM header, then the streams' data. The pack is read
// once, checked against the file, and stays open for the streams' reads.
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/StreamInternal.h"

namespace {

constexpr u32 kCountSize = 4;
constexpr u32 kAdpcmFrameBytes = 8;
constexpr u32 kMaxSampleRate = 192000;

static_assert(sizeof(s_ngc_pak_entry) == STREAM_PAK_ENTRY_SIZE);

u32 LoadLE32(const u8* p) {
    return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24);
}

// Why the entry cannot be played, or null when it can.
const char* EntryFault(const s_ngc_pak_entry& entry, u32 fileSize) {
    if (entry.length <= PCM_HEADER_SIZE)
        return "a stream shorter than its header";
    if (entry.offset > fileSize || entry.length > fileSize - entry.offset)
        return "a stream outside the file";
    const u32 data = entry.length - PCM_HEADER_SIZE;
    if (data % kAdpcmFrameBytes != 0)
        return "a stream of partial ADPCM frames";
    if ((entry.flags & STREAM_PAK_FLAG_STEREO) != 0) {
        const u32 interleave = entry.interleaveSize;
        if (interleave == 0 || interleave % 32 != 0 || data % (2 * u64(interleave)) != 0)
            return "a stereo stream with a bad interleave";
    }
    if (entry.pcmHeader.format != 0 || entry.pcmHeader.sampleRate == 0 ||
        entry.pcmHeader.sampleRate > kMaxSampleRate)
        return "a stream that is not DSP-ADPCM";
    return nullptr;
}

// The entries, parsed in place over their raw bytes (entry and record are both
// 112 bytes).
const char* ParseEntries(s_stream_file* file, u32 fileSize) {
    for (u32 i = 0; i < file->numStreams; ++i) {
        u8 raw[STREAM_PAK_ENTRY_SIZE];
        std::memcpy(raw, &file->pakEntry[i], sizeof raw);
        s_ngc_pak_entry& entry = file->pakEntry[i];
        entry.offset = LoadLE32(raw);
        entry.length = LoadLE32(raw + 4);
        entry.flags = LoadLE32(raw + 8);
        entry.interleaveSize = LoadLE32(raw + 12);
        if (!PcmHeaderRead(raw + 16, PCM_HEADER_SIZE, &entry.pcmHeader))
            return "a bad stream header";
        if (const char* fault = EntryFault(entry, fileSize))
            return fault;
    }
    return nullptr;
}

s_stream_file* ReadPack(s32 fid, const char* path) {
    const u32 fileSize = u32(FileGetSize(fid));
    u8 head[kCountSize];
    FileSeek(fid, 0, FILE_SEEK_SET);
    const char* fault = nullptr;
    u32 count = 0;
    if (fileSize < kCountSize || FileReadBytes(fid, head, kCountSize) != s32(kCountSize)) {
        fault = "no stream count";
    } else {
        count = LoadLE32(head);
        if (count > (fileSize - kCountSize) / STREAM_PAK_ENTRY_SIZE)
            fault = "more entries than the file holds";
    }
    s_stream_file* file = nullptr;
    if (fault == nullptr) {
        const u32 entryBytes = count * STREAM_PAK_ENTRY_SIZE;
        file = static_cast<s_stream_file*>(
            HeapMalloc(sizeof(s_stream_file) + entryBytes, __FILE_NAME__, __LINE__));
        if (file == nullptr)
            return nullptr;
        file->numStreams = count;
        file->fID = fid;
        file->pakEntry = reinterpret_cast<s_ngc_pak_entry*>(file + 1);
        if (FileReadBytes(fid, file->pakEntry, entryBytes) != s32(entryBytes))
            fault = "a short entry table";
        else
            fault = ParseEntries(file, fileSize);
    }
    if (fault == nullptr)
        return file;
    DEBUG_PRINT("StreamSetFile: \"%s\" is no stream pack: %s\n", path, fault);
    if (file != nullptr)
        HeapMallocFree(file);
    return nullptr;
}

}  // namespace

s_stream_file* StreamSetFile(const char* path) {
    const s32 fid = FileOpen(path);
    if (fid == 0)
        return nullptr;
    s_stream_file* file = ReadPack(fid, path);
    if (file == nullptr)
        FileClose(fid);
    return file;
}

void StreamFreeFile(s_stream_file* file) {
    if (file == nullptr)
        return;
    for (s_stream& stream : SpuStream) {
        if (stream.status != 0 && stream.strFile == file && (stream.flags & STREAM_FLAG_CHILD) == 0) {
            DEBUG_PRINT("StreamFreeFile: Freeing file while still streaming from it!\n");
            StreamStop(&stream);
        }
    }
    FileClose(file->fID);
    HeapMallocFree(file);
}
