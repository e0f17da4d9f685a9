// Asynchronous archive loading: a queue of requests served by a per-frame task
// that reads chunk by chunk under a time budget.
#include <cmath>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/WadChunk.h"

s_thread* WadLoadThreadPtr = nullptr;

namespace {

constexpr u32 kThreadPriority = 3400;
constexpr f32 kBudget = 0.95f;
constexpr u32 kMaxStalls = 1000;
constexpr u32 kMemoryWaitFrames = 600;  // ten seconds at 60 frames per second
constexpr u32 kHAnimHeaderSize = 32;
constexpr u32 kHAnimDataSize = 36;
constexpr u32 kHAnimChannelsOffset = 32;
constexpr u32 kTypeTIM = FourCC("TIM\0");
constexpr u32 kTypeVHA = FourCC("VHA\0");

// The loader task's own buffers: one request at a time is between reading a
// header and loading its chunk.
u8 HeaderBytes[WAD_HEADER_SIZE];
u8 CmpLengthBytes[4];
s_wad_header Header;
s_wad_chunk Chunk;
bool Busy = false;

bool Finished(const s_wad_status* status) {
    return status->state == WAD_STATE_DONE || status->state == WAD_STATE_ERROR;
}

// A failed request is finished with no handle; what it loaded goes.
void Fail(s_wad_status* status) {
    DEBUG_PRINT("WAD: Async load of %s failed!\n", status->filename);
    WadChunkDiscard(&Chunk);
    if (status->fid != 0)
        FileClose(status->fid);
    status->fid = 0;
    WadFree(status->wads);
    status->wads = nullptr;
    status->state = WAD_STATE_ERROR;
}

void Done(s_wad_status* status) {
    FileClose(status->fid);
    status->fid = 0;
    status->state = WAD_STATE_DONE;
}

bool ReadComplete(s_wad_status* status) {
    return WadReadComplete(status->fid, u32(status->filesize), status->filename);
}

// Starts an asynchronous read of `n` bytes, which must lie within the file.
bool StartRead(s_wad_status* status, void* dst, u32 n, e_wad_state next) {
    if (n > u32(status->filesize)) {
        DEBUG_PRINT("WAD: Read error in %s!\n", status->filename);
        return false;
    }
    FileReadBytesAsync(status->fid, dst, n);
    status->filesize -= s32(n);
    status->state = next;
    return true;
}

void StepStart(s_wad_status* status) {
    char filename[sizeof(status->filename) + 4];
    WadFileName(status->filename, filename, sizeof(filename));
    status->fid = FileOpen(filename);
    if (status->fid == 0) {
        Fail(status);
        return;
    }
    status->filesize = status->orgfilesize = FileGetSize(status->fid);
    status->passCount = PassCount;
    status->state = WAD_STATE_READ_HEADER;
}

void StepReadHeader(s_wad_status* status) {
    if (status->filesize == 0) {
        Done(status);
        return;
    }
    if (!StartRead(status, HeaderBytes, sizeof(HeaderBytes), WAD_STATE_WAIT_READ_HEADER))
        Fail(status);
}

void StepWaitReadHeader(s_wad_status* status) {
    if (!FileReadStatus(status->fid))
        return;
    if (!ReadComplete(status)) {
        Fail(status);
        return;
    }
    WadParseHeader(HeaderBytes, sizeof(HeaderBytes), &Header);
    if (WadIsEndMarker(&Header)) {
        Done(status);
        return;
    }
    if (!(Header.flags & WAD_FLAG_COMPRESSED))
        status->state = WAD_STATE_READ_DATA;
    else if (!StartRead(status, CmpLengthBytes, sizeof(CmpLengthBytes), WAD_STATE_WAIT_READ_CMP_LENGTH))
        Fail(status);
}

void StepWaitReadCmpLength(s_wad_status* status) {
    if (!FileReadStatus(status->fid))
        return;
    if (!ReadComplete(status)) {
        Fail(status);
        return;
    }
    status->state = WAD_STATE_READ_DATA;
}

// Reads only the bank header and the animation list of an animation bank; the
// frame data stay on the disc and the list's channel offsets become file positions.
bool ReadMinDataSet(s_wad_status* status) {
    const s_wad_header& header = Chunk.header;
    if (WadTypeWord(header.ext) != kTypeVHA) {
        DEBUG_PRINT("WAD: [%s] %s - Not an animation bank in a MIN_DATA_SET load!\n",
                    DebugName(header.ext).c_str(), DebugName(header.name).c_str());
        return false;
    }
    if (header.flags & WAD_FLAG_COMPRESSED) {
        DEBUG_PRINT("Cannot Compressed MIN_DATA_SET Animation WADs!\n");
        return false;
    }
    u32 chunkPos = u32(status->orgfilesize - status->filesize) - WAD_HEADER_SIZE;
    u8 bankHeader[kHAnimHeaderSize];
    if (header.size < kHAnimHeaderSize ||
        !WadReadExact(status->fid, bankHeader, sizeof(bankHeader), status->filename))
        return false;
    ChunkReader bank(bankHeader, sizeof(bankHeader));
    s16 numAnim = 0;
    u32 animList = 0;
    bank.S16(8, &numAnim);
    bank.U32(12, &animList);
    if (numAnim < 0 || animList < kHAnimHeaderSize ||
        u64(animList) + u64(numAnim) * kHAnimDataSize > header.size) {
        DEBUG_PRINT("WAD: [%s] %s - Bad animation bank!\n", DebugName(header.ext).c_str(),
                    DebugName(header.name).c_str());
        return false;
    }
    u32 kept = animList + u32(numAnim) * kHAnimDataSize;
    auto* block = static_cast<u8*>(HeapMalloc(kept, __FILE_NAME__, __LINE__));
    if (block == nullptr) {
        DEBUG_PRINT("WAD: [%s] %s - Out of RAM (Requested %u bytes)!\n", DebugName(header.ext).c_str(),
                    DebugName(header.name).c_str(), kept);
        return false;
    }
    HeapAddrAddComment(block, status->filename);
    Chunk.block = block;
    if (!WadReadExact(status->fid, block + kHAnimHeaderSize, kept - kHAnimHeaderSize, status->filename))
        return false;
    std::memcpy(block, bankHeader, sizeof(bankHeader));
    for (u32 i = 0; i < u32(numAnim); ++i) {
        u8* channels = block + animList + i * kHAnimDataSize + kHAnimChannelsOffset;
        StoreBE32(channels, LoadBE32(channels) + chunkPos);
    }
    FileSeek(status->fid, s32(header.size - kept), FILE_SEEK_CUR);
    status->filesize -= s32(header.size);
    Chunk.header.flags |= WAD_FLAG_MIN_DATA;  // tells the bank loader what it holds
    status->state = WAD_STATE_WAIT_READ_DATA;
    return true;
}

// Out of memory: try again at the next step, but give up after a while.
bool WaitForMemory(s_wad_status* status) {
    if (!status->memoryWait) {
        status->memoryWait = true;
        status->memoryWaitPass = PassCount;
    }
    if (PassCount - status->memoryWaitPass < kMemoryWaitFrames)
        return true;
    DEBUG_PRINT("WAD: [%s] %s - Out of RAM (Requested %u bytes)!\n", DebugName(Chunk.header.ext).c_str(),
                DebugName(Chunk.header.name).c_str(), Chunk.header.size);
    return false;
}

void StepReadData(s_wad_status* status) {
    u32 cmpLen = LoadBE32(CmpLengthBytes);
    if (!WadChunkMeasure(&Chunk, Header, cmpLen, u32(status->filesize), status->filename)) {
        Fail(status);
        return;
    }
    if ((status->flags & (WAD_LOAD_BEST_FIT | WAD_LOAD_LOW | WAD_LOAD_MIN_DATA_SET)) ==
        WAD_LOAD_MIN_DATA_SET) {
        if (!ReadMinDataSet(status))
            Fail(status);
        return;
    }
    bool extra = WadTypeWord(Header.ext) == kTypeTIM;
    if (extra)
        HeapPush(&ExtraHeap);
    bool allocated = WadChunkAlloc(&Chunk, status->flags, status->filename);
    if (extra)
        HeapPop();
    if (!allocated) {
        if (!WaitForMemory(status))
            Fail(status);
        return;
    }
    status->memoryWait = false;
    if (!StartRead(status, WadChunkTarget(&Chunk), Chunk.stored, WAD_STATE_WAIT_READ_DATA))
        Fail(status);
}

void StepWaitReadData(s_wad_status* status) {
    if (!FileReadStatus(status->fid))
        return;
    if (!ReadComplete(status) || !WadChunkExpand(&Chunk)) {
        Fail(status);
        return;
    }
    s_wad* record = WadChunkLoad(&Chunk);
    if (record == nullptr) {
        Fail(status);
        return;
    }
    WadAppendChunk(&status->wads, record);
    status->state = WAD_STATE_WAIT_LOAD_DATA;
}

void Step(s_wad_status* status) {
    switch (status->state) {
        case WAD_STATE_START:
            StepStart(status);
            break;
        case WAD_STATE_READ_HEADER:
            StepReadHeader(status);
            break;
        case WAD_STATE_WAIT_READ_HEADER:
            StepWaitReadHeader(status);
            break;
        case WAD_STATE_WAIT_READ_CMP_LENGTH:
            StepWaitReadCmpLength(status);
            break;
        case WAD_STATE_READ_DATA:
            StepReadData(status);
            break;
        case WAD_STATE_WAIT_READ_DATA:
            StepWaitReadData(status);
            break;
        case WAD_STATE_WAIT_LOAD_DATA:
            status->state = WAD_STATE_READ_HEADER;
            break;
        case WAD_STATE_DONE:
        case WAD_STATE_ERROR:
            break;
    }
}

s_wad_status* FirstPending() {
    for (s_linked_list* node = WadStatusRecords->next; node != nullptr; node = node->next) {
        auto* status = reinterpret_cast<s_wad_status*>(node);
        if (!Finished(status))
            return status;
    }
    return nullptr;
}

}  // namespace

s_wad_status* WadLoadAsync(const char* name, u32 flags) {
    s_wad* override = WadLoadOverride(name, flags | WAD_LOAD_OVERRIDE);
    DEBUG_PROGRESS(
        (flags & WAD_LOAD_MIN_DATA_SET) ? "Wad Load (ASYNC, MIN_DATA_SET): %s\n" : "Wad Load (ASYNC): %s\n",
        name);
    auto* status = static_cast<s_wad_status*>(RecordAlloc(WadStatusRecords));
    if (status == nullptr) {
        DEBUG_PRINT("WAD: Out of async status records!\n");
        WadFree(override);
        return nullptr;
    }
    std::memset(status, 0, sizeof(*status));
    // A name that does not fit would load another file: let the open fail instead.
    if (std::strlen(name) < sizeof(status->filename))
        std::strcpy(status->filename, name);
    status->flags = flags | WAD_LOAD_OVERRIDE;
    status->state = WAD_STATE_START;
    status->pendingOverride = override;
    RecordAppendList(WadStatusRecords, &status->link);
    if (WadLoadThreadPtr == nullptr) {
        WadLoadThreadPtr = ThreadInsertPriorityDebug("WadLoadThread", SystemThreads, nullptr, WadLoadThread,
                                                     nullptr, kThreadPriority);
        WadLoadThreadPtr->flags |= THREAD_FLAG_SYSTEM_CRITICAL;
    }
    return status;
}

s_wad* WadLoadStatus(s_wad_status* status, s32* done) {
    bool finished = Finished(status);
    if (done != nullptr)
        *done = finished;
    if (!finished)
        return nullptr;
    RecordRemoveList(&status->link);
    s_wad* wads = status->wads;
    if (wads != nullptr)
        wads->override = status->pendingOverride;
    else
        WadFree(status->pendingOverride);  // no handle to carry it
    RecordFree(WadStatusRecords, status);
    return wads;
}

s_wad* WadLoadAsyncWait(const char* name, u32 flags) {
    s_wad_status* status = WadLoadAsync(name, flags);
    if (status == nullptr)
        return nullptr;
    for (;;) {
        s32 done = 0;
        s_wad* wads = WadLoadStatus(status, &done);
        if (done)
            return wads;
        HardwareCheckFileError();
        EventWait(1);
    }
}

void WadLoadThread(s_thread* task, void*) {
    if (Busy)
        return;
    Busy = true;
    s_wad_status* status = FirstPending();
    if (status == nullptr) {
        ThreadKill(task);
        WadLoadThreadPtr = nullptr;
        Busy = false;
        return;
    }
    f32 t0 = ClockGetHiresTimer(1);
    f32 period = 1.0f / f32(ScreenFrameRate);
    f32 frameStart = t0 - std::fmod(t0, period);
    f32 lastElapsed = 0.0f;
    u32 stalls = 0;
    for (;;) {
        Step(status);
        // Nothing frees memory during the pass: a refused block waits for the next.
        if (Finished(status) || status->memoryWait)
            break;
        f32 elapsed = ClockGetHiresTimer(1) - frameStart;
        if (elapsed == lastElapsed)
            ++stalls;
        lastElapsed = elapsed;
        if (elapsed >= kBudget * period || stalls >= kMaxStalls)
            break;
    }
    Busy = false;
}
