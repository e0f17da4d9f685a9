// WAD archives: flat files of typed chunks, loaded whole (synchronously or by the
// loader task) or chunk by chunk through a table of contents.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

class CNamePtrTable;

constexpr u32 WAD_NAME_LEN = 16;
constexpr u32 WAD_EXT_LEN = 4;
constexpr u32 WAD_HEADER_SIZE = 32;     // stored chunk header
constexpr u32 WAD_TOC_ENTRY_SIZE = 36;  // stored table-of-contents entry
constexpr u32 WAD_CMP_SLACK = 128;      // a compressed block's room beyond `size`

constexpr u16 WAD_FLAG_COMPRESSED = 0x2000;  // chunk flag: payload is LZO1X
constexpr u16 WAD_FLAG_MIN_DATA = 0x0001;    // chunk flag: a trimmed bank, frames stay on disc

// Load request flags.
constexpr u32 WAD_LOAD_BEST_FIT = 0x1;
constexpr u32 WAD_LOAD_LOW = 0x2;
constexpr u32 WAD_LOAD_OVERRIDE = 0x4;
constexpr u32 WAD_LOAD_MIN_DATA_SET = 0x8;

constexpr u32 WAD_MAX_USER_TYPES = 8;
constexpr u32 WAD_MAX_TOC = 8;
constexpr u32 WAD_MAX_STATUS = 16;
constexpr u32 WAD_DEFAULT_MAX_WAD = 512;

// A chunk header parsed from its 32 big-endian bytes. Names and tags carry a
// terminator beyond the stored field, so a 16-character name is still a C string.
struct s_wad_header {
    char name[WAD_NAME_LEN + 1];
    char ext[WAD_EXT_LEN + 1];  // the 4 stored bytes, e.g. "TIM\0"
    u32 size;                   // payload bytes after decompression
    u16 flags;
    u16 parm;  // "TOC": number of entries
    u32 id;    // data-file id; bit 31 set = symbol index to translate
};

// The stored tag as a word: "TIM" is 0x54494D00.
u32 WadTypeWord(const char* ext);

// Parses a stored header; false when fewer than 32 bytes are given.
bool WadParseHeader(const u8* bytes, u32 length, s_wad_header* header);
// The end marker: "WEND" read as a C string from the tag field (so the first byte
// of the stored size is 0).
bool WadIsEndMarker(const s_wad_header* header);

using WadUserLoadFunc = void* (*)(s_wad_header* header, void* payload);
using WadUserFreeFunc = void (*)(void* data);

struct s_wad_user_type {
    u32 type;
    WadUserLoadFunc loadFunc;
    WadUserFreeFunc freeFunc;
};

// One loaded chunk; an archive's handle is its first record.
struct s_wad {
    s_wad* next;
    s_wad* prev;
    s_wad* override;  // first record only: the override archive's chunks
    char name[WAD_NAME_LEN + 1];
    u32 type;
    void* address;
};

// A table-of-contents entry, parsed.
struct s_wad_toc_entry {
    char name[WAD_NAME_LEN + 1];
    char ext[WAD_EXT_LEN + 1];
    u32 offset;  // file position just after the chunk's header
    u32 size;
    u32 flags;  // chunk flags in the low 16 bits
    u32 id;
};

// An open table of contents; its archive stays open.
struct s_wad_toc {
    s_linked_list link;
    s32 fid;
    u32 numEntries;
    s_wad_toc_entry* entries;
    s_wad* wads;  // chunks read through this table
    CNamePtrTable* table;
};

enum e_wad_state : s32 {
    WAD_STATE_START = 0,
    WAD_STATE_WAIT_READ_HEADER = 1,
    WAD_STATE_READ_HEADER = 2,
    WAD_STATE_WAIT_READ_CMP_LENGTH = 3,
    WAD_STATE_WAIT_READ_DATA = 4,
    WAD_STATE_READ_DATA = 5,
    WAD_STATE_WAIT_LOAD_DATA = 6,
    WAD_STATE_DONE = 7,
    WAD_STATE_ERROR = 8,
};

// An asynchronous load request.
struct s_wad_status {
    s_linked_list link;
    char filename[32];
    u32 flags;
    e_wad_state state;
    s32 fid;
    s32 filesize;  // bytes not yet consumed
    s32 orgfilesize;
    s_wad* wads;
    s_wad* pendingOverride;
    u32 passCount;
    u32 memoryWaitPass;  // frame counter when a payload block was first refused
    bool memoryWait;     // waiting for a payload block
};

extern s_stdrec* WadRecords;
extern s_stdrec* WadTocRecords;
extern s_stdrec* WadStatusRecords;
extern s_wad_user_type WadUserTypes[WAD_MAX_USER_TYPES];
extern u32 WadUserTypeCount;
struct s_thread;
extern s_thread* WadLoadThreadPtr;

void WadColdReset();
void WadWarmReset(u32 maxWad);
void WadRegisterType(u32 type, WadUserLoadFunc loadFunc, WadUserFreeFunc freeFunc);

s_wad* WadLoad(const char* name, u32 flags);
s_wad* WadLoadOverride(const char* name, u32 flags);
// Makes the record of one chunk and hands the payload to its type's loader, which
// owns it from then on. Null (after a one-line message, the payload freed) when
// the records are used up.
s_wad* WadLoadData(s_wad_header* header, void* payload);
void WadFree(s_wad* wad);
void WadFreeData(s_wad* record);

void SetMemHeap(u32 type);
void UnsetMemHeap(u32 type);

// Decompresses LZO1X data into a separate buffer of `*dstLen` bytes; `*dstLen`
// receives the decompressed length. 0 (after a one-line message) when the data are
// bad or do not decompress to exactly `*dstLen` bytes, else 1.
s32 LZODecompress(const u8* src, u32 srcLen, u8* dst, u32* dstLen);

s_wad_status* WadLoadAsync(const char* name, u32 flags);
// Null until the request is finished; then the request is released and the handle
// returned (null for an archive that yielded nothing or failed). `done`, when
// given, tells a finished request from a pending one.
s_wad* WadLoadStatus(s_wad_status* status, s32* done = nullptr);
s_wad* WadLoadAsyncWait(const char* name, u32 flags);
void WadLoadThread(s_thread* task, void* record);

s_wad_toc* WadOpen(const char* name);
void WadClose(s_wad_toc* toc);
void WadFreeTOC(s_wad_toc* toc);
s_wad_toc_entry* WadRead(s_wad_toc* toc, const char* name, const char* ext, void** data);
s_wad_toc_entry* WadReadAsync(s_wad_toc* toc, const char* name, const char* ext, void** data, u32 flags);
s_wad* WadReadData(s_wad_toc* toc, const char* name, const char* ext);
s_wad* WadReadDataAsync(s_wad_toc* toc, const char* name, const char* ext, u32 flags);
s_wad_toc* WadFindToc(const char* name, const char* ext);
