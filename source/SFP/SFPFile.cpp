// Parsing a ".sfp" movie: the header's tables and string pool are located, then
// read record by record into one block (the movie, its tables, the texts) of the
// engine's heap, or of host memory for the disc check, each field checked on its
// own; SFPFileCheck.cpp checks what refers to what.
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <new>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "source/SFP/SFPFileFormat.h"
#include "source/SFP/SFPFileInternal.h"

namespace {

constexpr const char* kTableNames[SFP_TABLE_COUNT] = {"texture", "image", "font",   "text", "button",
                                                      "symbol",  "label", "object", "key"};

struct Table {
    u32 count;
    u32 offset;
};

bool Size(f32 v) {
    return std::isfinite(v) && v >= 0.0f;
}
bool Unit(f32 v) {
    return v >= 0.0f && v <= 1.0f;
}

// The native block: the movie, its tables in the header's order, then the texts,
// each with a terminator.
struct Block {
    u32 counts[SFP_TABLE_COUNT];
    u64 textBytes;

    // The block's size; with a movie, also points its tables and *texts into it.
    u64 Lay(s_sfp_movie* movie, char** texts) const {
        s_sfp_movie sizing{};
        s_sfp_movie& m = movie != nullptr ? *movie : sizing;
        u64 at = sizeof(s_sfp_movie);
        const auto take = [&]<typename T>(std::span<T>& table, e_sfp_table which) {
            at = (at + alignof(T) - 1) & ~u64(alignof(T) - 1);
            if (movie != nullptr)
                table = {reinterpret_cast<T*>(reinterpret_cast<u8*>(movie) + at), counts[which]};
            at += u64(counts[which]) * sizeof(T);
        };
        take(m.textures, SFP_TABLE_TEXTURES);
        take(m.images, SFP_TABLE_IMAGES);
        take(m.fonts, SFP_TABLE_FONTS);
        take(m.texts, SFP_TABLE_TEXTS);
        take(m.buttons, SFP_TABLE_BUTTONS);
        take(m.symbols, SFP_TABLE_SYMBOLS);
        take(m.labels, SFP_TABLE_LABELS);
        take(m.objects, SFP_TABLE_OBJECTS);
        take(m.keys, SFP_TABLE_KEYS);
        if (movie != nullptr)
            *texts = reinterpret_cast<char*>(movie) + at;
        return at + textBytes;
    }
};

class Parser {
public:
    Parser(const void* data, u32 size, const char* name) : file_(data, size), name_(name) {}

    // The bytes of the movie's block; false after the line when the header or the
    // texts are refused.
    bool Measure(u64* bytes);
    // Fills the block Measure sized; null after the line when the records are refused.
    s_sfp_movie* Build(void* memory);

private:
    bool ReadHeader();
    bool SizeTexts(u64* bytes);
    bool Fill(s_sfp_movie* m, char* texts);
    // Every table lies inside the file once the header is read.
    ChunkCursor Records(e_sfp_table table) const { return ChunkCursor(file_, tables_[table].offset); }

    ChunkReader file_;
    const char* name_;
    u16 rate_ = 0, width_ = 0, height_ = 0;
    Table tables_[SFP_TABLE_COUNT]{};
    ChunkReader pool_;
    Block block_{};
};

bool Parser::ReadHeader() {
    ChunkCursor c(file_);
    u32 magic = 0, poolSize = 0, poolOffset = 0;
    u16 version = 0;
    c.U32(&magic), c.U16(&version), c.U16(&rate_), c.U16(&width_), c.U16(&height_);
    for (Table& table : tables_)
        c.U32(&table.count), c.U32(&table.offset);
    c.U32(&poolSize), c.U32(&poolOffset);
    if (!c.Ok())
        return SFPFileFail(name_, "truncated header (%u bytes)", file_.Size());
    if (magic != SFP_FILE_MAGIC)
        return SFPFileFail(name_, "not a movie file");
    if (version != SFP_FILE_VERSION)
        return SFPFileFail(name_, "version %u, want %u", version, SFP_FILE_VERSION);
    if (rate_ < 1 || rate_ > SFP_MAX_RATE)
        return SFPFileFail(name_, "frame rate %u out of range", rate_);
    if (width_ < 1 || width_ > SFP_MAX_STAGE || height_ < 1 || height_ > SFP_MAX_STAGE)
        return SFPFileFail(name_, "stage %ux%u out of range", width_, height_);
    for (u32 t = 0; t < SFP_TABLE_COUNT; ++t)
        if (!file_.RangeArray(tables_[t].offset, tables_[t].count, SFP_FILE_RECORD_SIZE[t]))
            return SFPFileFail(name_, "%s table outside the file", kTableNames[t]);
    if (tables_[SFP_TABLE_SYMBOLS].count == 0)
        return SFPFileFail(name_, "no root symbol");
    if (!file_.Sub(poolOffset, poolSize, &pool_))
        return SFPFileFail(name_, "string pool outside the file");
    return true;
}

// Each text lies in the pool, short and free of NUL bytes; its copy in the block
// takes a terminator more.
bool Parser::SizeTexts(u64* bytes) {
    ChunkCursor c = Records(SFP_TABLE_TEXTS);
    for (u32 i = 0; i < tables_[SFP_TABLE_TEXTS].count; ++i) {
        u32 offset = 0, length = 0;
        c.Skip(16), c.U32(&offset), c.U32(&length);
        if (length > SFP_MAX_TEXT)
            return SFPFileFail(name_, "text %u: %u bytes, more than %u", i, length, SFP_MAX_TEXT);
        const u8* text = pool_.Bytes(offset, length);
        if (text == nullptr)
            return SFPFileFail(name_, "text %u outside the string pool", i);
        if (std::memchr(text, 0, length) != nullptr)
            return SFPFileFail(name_, "text %u holds a NUL byte", i);
        *bytes += length + 1;
    }
    return true;
}

bool Parser::Fill(s_sfp_movie* m, char* texts) {
    m->frameRate = rate_;
    m->width = width_;
    m->height = height_;

    ChunkCursor c = Records(SFP_TABLE_TEXTURES);
    for (s_sfp_texture& t : m->textures)
        c.Name(SFP_TEXNAME_LEN, t.name);

    c = Records(SFP_TABLE_IMAGES);
    for (u32 i = 0; i < m->images.size(); ++i) {
        s_sfp_image& im = m->images[i];
        c.U32(&im.texture), c.F32(&im.u0), c.F32(&im.v0), c.F32(&im.u1), c.F32(&im.v1);
        c.F32(&im.width), c.F32(&im.height);
        if (!Unit(im.u0) || !Unit(im.v0) || !Unit(im.u1) || !Unit(im.v1) || !Size(im.width) ||
            !Size(im.height))
            return SFPFileFail(name_, "image %u: coordinates or size out of range", i);
    }

    c = Records(SFP_TABLE_FONTS);
    for (s_sfp_font& f : m->fonts)
        c.Name(SFP_NAME_LEN, f.name);

    c = Records(SFP_TABLE_TEXTS);
    for (u32 i = 0; i < m->texts.size(); ++i) {
        s_sfp_text& t = m->texts[i];
        u8 pad = 0;
        u32 offset = 0, length = 0;
        c.U32(&t.font), c.F32(&t.size), c.U32(&t.color);
        c.U8(&t.align), c.U8(&t.valign), c.U8(&t.wrap), c.U8(&pad), c.U32(&offset), c.U32(&length);
        if (!Size(t.size) || t.align >= SFP_ALIGN_COUNT || t.valign >= SFP_VALIGN_COUNT || t.wrap > 1 ||
            pad != 0)
            return SFPFileFail(name_, "text %u: size, alignment or wrap out of range", i);
        pool_.Copy(offset, length, texts);  // SizeTexts checked the range
        texts[length] = '\0';
        t.text = texts;
        texts += length + 1;
    }

    c = Records(SFP_TABLE_BUTTONS);
    for (u32 i = 0; i < m->buttons.size(); ++i) {
        s_sfp_button& b = m->buttons[i];
        for (s32& look : b.look)
            c.S32(&look);
        c.F32(&b.hitX), c.F32(&b.hitY), c.F32(&b.hitW), c.F32(&b.hitH);
        if (!std::isfinite(b.hitX) || !std::isfinite(b.hitY) || !Size(b.hitW) || !Size(b.hitH))
            return SFPFileFail(name_, "button %u: hit area out of range", i);
    }

    c = Records(SFP_TABLE_SYMBOLS);
    for (u32 i = 0; i < m->symbols.size(); ++i) {
        s_sfp_symbol& s = m->symbols[i];
        c.U32(&s.numFrames), c.U32(&s.firstLabel), c.U32(&s.numLabels), c.U32(&s.firstObject);
        c.U32(&s.numObjects);
        if (s.numFrames < 1 || s.numFrames > SFP_MAX_FRAMES)
            return SFPFileFail(name_, "symbol %u: %u frames out of range", i, s.numFrames);
    }

    c = Records(SFP_TABLE_LABELS);
    for (s_sfp_label& l : m->labels)
        c.Name(SFP_NAME_LEN, l.name), c.U32(&l.frame);

    c = Records(SFP_TABLE_OBJECTS);
    for (u32 i = 0; i < m->objects.size(); ++i) {
        s_sfp_object& o = m->objects[i];
        u8 pad[3] = {};
        c.Name(SFP_NAME_LEN, o.name), c.U8(&o.kind), c.Copy(3, pad);
        c.U32(&o.ref), c.F32(&o.width), c.F32(&o.height), c.U32(&o.firstKey), c.U32(&o.numKeys);
        if (o.kind >= SFP_KIND_COUNT || pad[0] != 0 || pad[1] != 0 || pad[2] != 0 || !Size(o.width) ||
            !Size(o.height))
            return SFPFileFail(name_, "object %u: kind or size out of range", i);
    }

    c = Records(SFP_TABLE_KEYS);
    for (u32 i = 0; i < m->keys.size(); ++i) {
        s_sfp_key& k = m->keys[i];
        c.U16(&k.frame), c.U8(&k.ease), c.U8(&k.visible);
        c.F32(&k.x), c.F32(&k.y), c.F32(&k.scaleX), c.F32(&k.scaleY), c.F32(&k.rotation), c.U32(&k.color);
        if (k.ease >= SFP_EASE_COUNT || k.visible > 1 || !std::isfinite(k.x) || !std::isfinite(k.y) ||
            !std::isfinite(k.scaleX) || !std::isfinite(k.scaleY) || !std::isfinite(k.rotation))
            return SFPFileFail(name_, "key %u: easing, visibility or look out of range", i);
    }
    return true;
}

bool Parser::Measure(u64* bytes) {
    if (!ReadHeader() || !SizeTexts(&block_.textBytes))
        return false;
    for (u32 t = 0; t < SFP_TABLE_COUNT; ++t)
        block_.counts[t] = tables_[t].count;
    *bytes = block_.Lay(nullptr, nullptr);
    return true;
}

s_sfp_movie* Parser::Build(void* memory) {
    auto* movie = new (memory) s_sfp_movie{};
    char* texts = nullptr;
    block_.Lay(movie, &texts);
    return Fill(movie, texts) && SFPFileCheck(movie, name_) ? movie : nullptr;
}

}  // namespace

bool SFPFileFail(const char* name, const char* format, ...) {
    char what[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(what, sizeof(what), format, args);
    va_end(args);
    DEBUG_PRINT("SFP2K: %s: %s\n", DebugName(name).c_str(), what);
    return false;
}

s_sfp_movie* SFPFileParse(const void* data, u32 size, const char* name) {
    Parser parser(data, size, name);
    u64 bytes = 0;
    if (!parser.Measure(&bytes))
        return nullptr;
    void* memory = bytes <= HeapMallocLimit() ? HeapCalloc(1, u32(bytes), __FILE_NAME__, __LINE__) : nullptr;
    if (memory == nullptr) {
        SFPFileFail(name, "out of memory for %llu bytes", static_cast<unsigned long long>(bytes));
        return nullptr;
    }
    HeapAddrAddComment(memory, name);
    s_sfp_movie* movie = parser.Build(memory);
    if (movie == nullptr)
        HeapMallocFree(memory);
    return movie;
}

bool SFPFileValid(const void* data, u32 size, const char* name, s_sfp_names* names) {
    Parser parser(data, size, name);
    u64 bytes = 0;
    if (!parser.Measure(&bytes))
        return false;
    std::vector<std::max_align_t> memory(bytes / sizeof(std::max_align_t) + 1);
    const s_sfp_movie* movie = parser.Build(memory.data());
    if (movie == nullptr)
        return false;
    *names = {};
    for (const s_sfp_texture& texture : movie->textures)
        names->textures.emplace_back(texture.name);
    const s_sfp_symbol& root = movie->symbols[0];
    for (const s_sfp_label& label : movie->labels.subspan(root.firstLabel, root.numLabels))
        names->labels.emplace_back(label.name);
    for (const s_sfp_object& object : movie->objects) {
        if (object.kind == SFP_KIND_BUTTON)
            names->buttons.emplace_back(object.name);
    }
    return true;
}

void SFPFileFree(s_sfp_movie* movie) {
    if (movie != nullptr)
        HeapMallocFree(movie);
}
