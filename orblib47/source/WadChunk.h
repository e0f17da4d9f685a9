// Reading one chunk's stored bytes into its payload block: shared by the whole-
// archive loaders (synchronous and asynchronous) and the table-of-contents reads.
// Every size read from the file is checked against the bytes the file still holds.
#pragma once

#include "orblib47/source/Wad.h"

struct s_wad_chunk {
    s_wad_header header;
    u32 stored;    // bytes stored after the header (and the compressed length)
    void* block;   // the payload, `header.size` bytes
    void* packed;  // compressed chunk: the stored bytes until they are expanded
};

// Sets up `chunk` for `header`; `cmpLen` is the stored compressed length (ignored
// for an uncompressed chunk). False, with a one-line message, when the lengths
// disagree, the stored bytes run past the `remaining` bytes of `archive`, or a
// block is larger than the heap could ever give.
bool WadChunkMeasure(s_wad_chunk* chunk, const s_wad_header& header, u32 cmpLen, u32 remaining,
                     const char* archive);
// The part of WadChunkMeasure that needs only the file, not the heap.
bool WadChunkMeasureInFile(s_wad_chunk* chunk, const s_wad_header& header, u32 cmpLen, u32 remaining,
                           const char* archive);
// Allocates the payload block by the request flags (best-fit, low or normal) and,
// for a compressed chunk, room for the stored bytes; both get `comment`. False,
// with nothing held, when memory is short.
bool WadChunkAlloc(s_wad_chunk* chunk, u32 flags, const char* comment);
// Where the stored bytes are to be read.
void* WadChunkTarget(const s_wad_chunk* chunk);
// Expands a compressed chunk into its block. False, with nothing held, on bad data.
bool WadChunkExpand(s_wad_chunk* chunk);
// Frees whatever the chunk still holds.
void WadChunkDiscard(s_wad_chunk* chunk);
// Hands the payload to the chunk dispatch; the chunk holds nothing afterwards.
// Null when the chunk records are used up.
s_wad* WadChunkLoad(s_wad_chunk* chunk);

// Appends `record` to the chunk list headed by `*head`.
void WadAppendChunk(s_wad** head, s_wad* record);

// Blocking reads of exactly `n` bytes at the file position; false (after a
// one-line message naming `archive`) when the file ends first or a transfer fails.
bool WadReadExact(s32 fid, void* dst, u32 n, const char* archive);
bool WadReadWord(s32 fid, u32* word, const char* archive);

// An archive name with ".WAD" appended unless its last path component has an
// extension (".WAD", ".OWD", ".sfc"); false when the result does not fit `size` bytes.
bool WadFileName(const char* name, char* out, u32 size);
// True when a read that was to leave `expectedRemaining` bytes did so; a failed or
// short transfer prints a one-line message naming `archive`.
bool WadReadComplete(s32 fid, u32 expectedRemaining, const char* archive);
