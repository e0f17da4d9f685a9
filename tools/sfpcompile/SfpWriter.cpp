#include "tools/sfpcompile/SfpWriter.h"

#include <cstring>
#include <span>
#include <string>

#include "source/SFP/SFPFileFormat.h"
#include "tools/discbuild/ChunkOut.h"

namespace sfpc {

namespace {

using discbuild::ChunkOut;

void Name(ChunkOut& out, const char* name, u32 length) {
    out.Text(std::string(name, strnlen(name, length)), length);
}

// The table's count and offset into its header slot, then its records.
template <typename T, typename Record>
void Table(ChunkOut& out, e_sfp_table table, std::span<const T> records, Record record) {
    out.Patch(SFP_FILE_TABLES_AT + 8 * table, u32(records.size()));
    out.Patch(SFP_FILE_TABLES_AT + 8 * table + 4, out.Size());
    for (const T& r : records)
        record(r);
}

u32 TextLength(const s_sfp_text& text) {
    return text.text != nullptr ? u32(std::strlen(text.text)) : 0;
}

}  // namespace

std::vector<u8> WriteSfp(const s_sfp_movie& movie) {
    ChunkOut out(SFP_FILE_HEADER_SIZE);
    out.Patch(0, SFP_FILE_MAGIC);
    out.PatchHalf(4, SFP_FILE_VERSION);
    out.PatchHalf(6, u16(movie.frameRate));
    out.PatchHalf(8, u16(movie.width));
    out.PatchHalf(10, u16(movie.height));

    Table<s_sfp_texture>(out, SFP_TABLE_TEXTURES, movie.textures,
                         [&](const s_sfp_texture& t) { Name(out, t.name, SFP_TEXNAME_LEN); });
    Table<s_sfp_image>(out, SFP_TABLE_IMAGES, movie.images, [&](const s_sfp_image& i) {
        out.Word(i.texture);
        out.Float(i.u0), out.Float(i.v0), out.Float(i.u1), out.Float(i.v1);
        out.Float(i.width), out.Float(i.height);
    });
    Table<s_sfp_font>(out, SFP_TABLE_FONTS, movie.fonts,
                      [&](const s_sfp_font& f) { Name(out, f.name, SFP_NAME_LEN); });
    u32 pooled = 0;
    Table<s_sfp_text>(out, SFP_TABLE_TEXTS, movie.texts, [&](const s_sfp_text& t) {
        out.Word(t.font), out.Float(t.size), out.Word(t.color);
        out.Byte(t.align), out.Byte(t.valign), out.Byte(t.wrap), out.Byte(0);
        out.Word(pooled), out.Word(TextLength(t));
        pooled += TextLength(t);
    });
    Table<s_sfp_button>(out, SFP_TABLE_BUTTONS, movie.buttons, [&](const s_sfp_button& b) {
        for (s32 look : b.look)
            out.Word(u32(look));
        out.Float(b.hitX), out.Float(b.hitY), out.Float(b.hitW), out.Float(b.hitH);
    });
    Table<s_sfp_symbol>(out, SFP_TABLE_SYMBOLS, movie.symbols, [&](const s_sfp_symbol& s) {
        out.Word(s.numFrames), out.Word(s.firstLabel), out.Word(s.numLabels);
        out.Word(s.firstObject), out.Word(s.numObjects);
    });
    Table<s_sfp_label>(out, SFP_TABLE_LABELS, movie.labels, [&](const s_sfp_label& l) {
        Name(out, l.name, SFP_NAME_LEN);
        out.Word(l.frame);
    });
    Table<s_sfp_object>(out, SFP_TABLE_OBJECTS, movie.objects, [&](const s_sfp_object& o) {
        Name(out, o.name, SFP_NAME_LEN);
        out.Byte(o.kind), out.Byte(0), out.Byte(0), out.Byte(0);
        out.Word(o.ref), out.Float(o.width), out.Float(o.height);
        out.Word(o.firstKey), out.Word(o.numKeys);
    });
    Table<s_sfp_key>(out, SFP_TABLE_KEYS, movie.keys, [&](const s_sfp_key& k) {
        out.Half(k.frame), out.Byte(k.ease), out.Byte(k.visible);
        out.Float(k.x), out.Float(k.y), out.Float(k.scaleX), out.Float(k.scaleY), out.Float(k.rotation);
        out.Word(k.color);
    });

    out.Patch(SFP_FILE_POOL_AT, pooled);
    out.Patch(SFP_FILE_POOL_AT + 4, out.Size());
    for (const s_sfp_text& t : movie.texts)
        out.Bytes(t.text, TextLength(t));
    return out.Take();
}

}  // namespace sfpc
