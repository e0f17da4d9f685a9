#include "tools/discbuild/WadWriter.h"

#include <lzo/lzo1x.h>

#include <fstream>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

void PutField(u8* out, const std::string& text, size_t width, const char* what) {
    if (text.size() > width)
        throw std::invalid_argument(std::string("wad: ") + what + " too long: " + text);
    std::copy(text.begin(), text.end(), out);
}

// A chunk as stored: the compressed length word and data, or the payload. A
// payload that LZO does not shrink is stored plain and its flag cleared.
std::vector<u8> StoredBytes(WadChunk& chunk) {
    if (!(chunk.flags & kWadCompressed))
        return chunk.payload;
    std::vector<u8> packed = LzoCompress(chunk.payload);
    if (packed.size() > chunk.payload.size()) {
        chunk.flags &= u16(~kWadCompressed);
        return chunk.payload;
    }
    std::vector<u8> stored(4);
    StoreBE32(stored.data(), u32(packed.size()));
    stored.insert(stored.end(), packed.begin(), packed.end());
    return stored;
}

void Append(std::vector<u8>& out, const std::vector<u8>& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<u8> WadChunkHeader(const std::string& name, const std::string& type, u32 size, u16 flags,
                               u16 parm, u32 id) {
    std::vector<u8> header(kWadHeaderSize);
    PutField(&header[0], name, 16, "name");
    PutField(&header[16], type, 4, "type");
    StoreBE32(&header[20], size);
    StoreBE16(&header[24], flags);
    StoreBE16(&header[26], parm);
    StoreBE32(&header[28], id);
    return header;
}

std::vector<u8> LzoCompress(const std::vector<u8>& data) {
    static const int init = lzo_init();
    if (init != LZO_E_OK)
        throw std::runtime_error("lzo: init failed");
    std::vector<u8> work(LZO1X_1_MEM_COMPRESS);
    // The worst case of LZO1X-1 growth.
    std::vector<u8> out(data.size() + data.size() / 16 + 64 + 3);
    lzo_uint length = out.size();
    if (lzo1x_1_compress(data.data(), data.size(), out.data(), &length, work.data()) != LZO_E_OK)
        throw std::runtime_error("lzo: compression failed");
    out.resize(length);
    return out;
}

std::string WadOverrideName(const std::string& wadName) {
    std::string base = wadName;
    if (base.size() >= 4) {
        std::string tail = base.substr(base.size() - 4);
        if (tail == ".WAD" || tail == ".wad")
            base.resize(base.size() - 4);
    }
    return base + ".OWD";
}

std::vector<u8> WadWriter::Image() const {
    std::vector<WadChunk> chunks = chunks_;
    std::vector<std::vector<u8>> stored;
    for (WadChunk& chunk : chunks)
        stored.push_back(StoredBytes(chunk));

    std::vector<u8> image;
    if (toc_) {
        u32 tocSize = u32(chunks.size() * kWadTocEntrySize);
        std::vector<u8> entries(tocSize);
        u32 offset = kWadHeaderSize + tocSize;
        for (size_t i = 0; i < chunks.size(); ++i) {
            const WadChunk& chunk = chunks[i];
            u8* entry = &entries[i * kWadTocEntrySize];
            PutField(entry, chunk.name, 16, "name");
            PutField(entry + 16, chunk.type, 4, "type");
            StoreBE32(entry + 20, offset + kWadHeaderSize);
            StoreBE32(entry + 24, u32(chunk.payload.size()));
            StoreBE32(entry + 28, chunk.flags);
            StoreBE32(entry + 32, chunk.id);
            offset += kWadHeaderSize + u32(stored[i].size());
        }
        Append(image, WadChunkHeader("TOC", "TOC", tocSize, 0, u16(chunks.size()), 0));
        Append(image, entries);
    }
    for (size_t i = 0; i < chunks.size(); ++i) {
        const WadChunk& chunk = chunks[i];
        Append(image, WadChunkHeader(chunk.name, chunk.type, u32(chunk.payload.size()), chunk.flags,
                                     chunk.parm, chunk.id));
        Append(image, stored[i]);
    }
    if (end_)
        Append(image, WadChunkHeader("", "WEND", 0, 0, 0, 0));
    return image;
}

bool WadWriter::Write(const std::string& path) const {
    std::vector<u8> image = Image();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    return bool(file.flush());
}

}  // namespace discbuild
