// The engine's heaps: the main heap in MEM1 and the extra heap in MEM2, each an
// address-ordered list of block handles between two end markers. Free space is the
// gaps between neighbouring handles.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

struct s_heap;
struct s_thread;

// u_handle_flags
constexpr u32 HANDLE_FLAG_LOCKED = 0x80000000u;
constexpr u32 HANDLE_FLAG_MOVABLE = 0x40000000u;
constexpr u32 HANDLE_FLAG_MALLOC = 0x20000000u;

// u_heap_dump_flags
constexpr u32 HEAP_DUMP_STATS_ONLY = 0x80000000u;
constexpr u32 HEAP_DUMP_FREE_ONLY = 0x40000000u;

using HeapCallbackFunc = void (*)(void* parm);

struct s_mem_handle {
    s_mem_handle* next;
    s_mem_handle* prev;
    u8* address;  // null once freed
    u32 length;
    u32 id;  // SysId at allocation
    s_heap* heap;
    u32 flags;
    HeapCallbackFunc func;
    void* parm;
    u32 alignment;
    char comment[64];
    const char* filename;
    u32 linenum;
};

struct s_heap {
    s_mem_handle lomem;
    s_mem_handle himem;
    s_mem_handle* allocSearchStart;
    u32 size;
    u32 avail;
    u32 minAvail;
    u32 numHandles;
    u32 errorFlag;
    u32 errorSize;
};

// The 32 bytes in front of every HeapMalloc block.
struct s_malloc_header {
    s_malloc_header* next;  // delayed-free list
    s_malloc_header* prev;
    s_mem_handle* handle;
    s32 timer;   // frames left before a delayed free
    u32 cookie;  // marks a live block; cleared when it is freed
};
constexpr u32 MALLOC_HEADER_SIZE = 32;
static_assert(sizeof(s_malloc_header) <= MALLOC_HEADER_SIZE);

extern s_heap MainHeap;
extern s_heap ExtraHeap;
extern s_heap* CurrentHeap;
extern s_stdrec* HandleRecords;
extern u32 SysId;

// Debugger switches, set by no code of the program.
extern int g_UseFastHeapSearch;
extern int g_HeapDumpOnDemand;
extern int g_HeapDumpStatsOnDemand;
extern int g_HeapDumpFreeOnDemand;
extern int g_HeapDumpOnOrphans;

void HeapWarmReset(u32 maxhandle, u8* heapstart, u32 heapsize);
void HeapStartup();
void HeapNew(s_heap* heap, u8* start, u8* end);
void HeapThread(s_thread* task, void* record);

void* HeapMalloc(u32 size, const char* file, s32 line);
void* HeapCalloc(u32 count, u32 size, const char* file, s32 line);
void* HeapMallocFromExtraHeap(u32 size, const char* file, s32 line);
void* HeapCallocFromExtraHeap(u32 count, u32 size);
void* HeapMallocBestFit(u32 size, const char* file, s32 line);
void* HeapMallocLow(u32 size, const char* file, s32 line);
// The largest block HeapMalloc could ever give, with every heap it tries empty.
u32 HeapMallocLimit();
void HeapMallocFree(void* pointer);
void HeapMallocDelayedFree(void* pointer, s32 frames);
// Gives back now every block still waiting for its delayed free: once nothing draws.
void HeapMallocFreeDelayedNow();
// True when `pointer` lies inside the main or the extra heap.
bool HeapOwnsPointer(const void* pointer);

s_mem_handle* NewHandle(s_heap* heap, u32 length, u32 alignment, const char* file, s32 line);
s_mem_handle* NewHandleBestFit(s_heap* heap, u32 length, u32 alignment, const char* file, s32 line);
s_mem_handle* NewHandleLow(s_heap* heap, u32 length, u32 alignment, const char* file, s32 line);
void FreeHandle(s_mem_handle* handle);

void HeapPush(s_heap* heap);
void HeapPop();

u32 HeapAvail(s_heap* heap);
u32 HeapLargestAvail(s_heap* heap);
void HeapSetAllocSearchStart(s_heap* heap);
void HeapPrintAvail(const char* name);
void HeapHandleAddComment(s_mem_handle* handle, const char* text);
void HeapAddrAddComment(void* pointer, const char* text);
void HeapSetCallback(s_mem_handle* handle, HeapCallbackFunc func, void* parm);
void HeapDump(s_heap* heap, u32 dumpFlags, const char* title);
void HeapBeginTrack(const char* name);
void HeapEndTrack();

void MemTypePush(const char* type);
void MemTypePop();
void MemTypeAddDebugDisplay(const char* type, u32 colour);

void SysIdReset();
void SysIdPush(u32 id);
void SysIdPop();
