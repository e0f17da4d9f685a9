// WAD archives for the disc and for tests: typed chunks, optionally LZO1X-
// compressed, ended by "WEND", optionally led by a table of contents.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u16 kWadCompressed = 0x2000;
constexpr u32 kWadHeaderSize = 32;
constexpr u32 kWadTocEntrySize = 36;

struct WadChunk {
    std::string name;  // at most 16 characters
    std::string type;  // at most 4 characters ("TIM", "WEND")
    std::vector<u8> payload;
    u16 flags = 0;  // kWadCompressed: stored LZO1X-compressed
    u16 parm = 0;
    u32 id = 0;
};

// A data-file id that the loader translates through the symbol table.
constexpr u32 WadSymbolId(u32 symbol) {
    return 0x80000000u | symbol;
}

// The 32 stored header bytes. Names and types that are too long throw
// std::invalid_argument.
std::vector<u8> WadChunkHeader(const std::string& name, const std::string& type, u32 size, u16 flags,
                               u16 parm, u32 id);
// LZO1X-1 compression of `data`.
std::vector<u8> LzoCompress(const std::vector<u8>& data);
// The ".OWD" name of an archive: ".WAD"/".wad" replaced, else ".OWD" appended.
std::string WadOverrideName(const std::string& wadName);

class WadWriter {
public:
    void Add(WadChunk chunk) { chunks_.push_back(std::move(chunk)); }
    // Lead the archive with a "TOC" chunk listing every chunk.
    void SetToc(bool toc) { toc_ = toc; }
    // Leave out the "WEND" marker (the file then ends with its last chunk).
    void SetEnd(bool end) { end_ = end; }

    std::vector<u8> Image() const;
    // False when the file cannot be written.
    bool Write(const std::string& path) const;

private:
    std::vector<WadChunk> chunks_;
    bool toc_ = false;
    bool end_ = true;
};

}  // namespace discbuild
