// Vertex descriptor, attribute formats and the decoding of direct vertex data.
#include "console/gx/gx_vertex.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "console/gx/gx_log.h"
#include "console/os.h"

namespace console::gx {
namespace {

u32 AttrIndex(GXAttr attr, const char* call) {
    if (attr < GX_VA_POS || attr > GX_VA_TEX7)
        OSPanic(__FILE_NAME__, __LINE__, "%s: unsupported attribute %u\n", call, attr);
    return attr - GX_VA_POS;
}

bool IsScalarType(GXCompType type) {
    return type <= GX_F32;
}

bool IsColorType(GXCompType type) {
    return type == GX_RGB8 || type == GX_RGBX8 || type == GX_RGBA8;
}

u32 ScalarSize(GXCompType type) {
    return type == GX_F32 ? 4 : (type == GX_U16 || type == GX_S16) ? 2 : 1;
}

u32 ComponentCount(u32 attr, GXCompCnt cnt) {
    if (attr == kAttrPos)
        return cnt == GX_POS_XYZ ? 3 : 2;
    if (attr == kAttrNrm)
        return 3;
    return cnt == GX_TEX_ST ? 2 : 1;
}

u32 AttrSize(u32 attr, const AttrFormat& fmt) {
    if (attr == kAttrClr0 || attr == kAttrClr0 + 1)
        return fmt.type == GX_RGB8 ? 3 : 4;
    return ComponentCount(attr, fmt.cnt) * ScalarSize(fmt.type);
}

// count scalars of type T into floats, fixed point ones scaled, for each of
// `vertices` vertices.
template <typename T, u32 count>
void ReadScalars(const u8* bytes, u32 stride, u32 vertices, f32 scale, u8* field, u32 fieldStride) {
    for (u32 n = 0; n < vertices; ++n, bytes += stride, field += fieldStride) {
        for (u32 i = 0; i < count; ++i) {
            T v;
            std::memcpy(&v, bytes + i * sizeof(T), sizeof v);
            f32 out;
            if constexpr (std::is_same_v<T, f32>)
                out = v;
            else
                out = f32(v) * scale;
            std::memcpy(field + i * sizeof out, &out, sizeof out);
        }
    }
}

template <bool alpha>
void ReadColor(const u8* bytes, u32 stride, u32 vertices, f32, u8* field, u32 fieldStride) {
    for (u32 n = 0; n < vertices; ++n, bytes += stride, field += fieldStride) {
        const GXColor c = {bytes[0], bytes[1], bytes[2], alpha ? bytes[3] : u8(255)};
        std::memcpy(field, &c, sizeof c);
    }
}

using ReadFn = decltype(VertexLayout::Slot::read);

template <typename T>
ReadFn ScalarReader(u32 count) {
    return count == 1 ? ReadScalars<T, 1> : count == 2 ? ReadScalars<T, 2> : ReadScalars<T, 3>;
}

ReadFn Reader(u32 attr, const AttrFormat& format) {
    if (attr == kAttrClr0 || attr == kAttrClr0 + 1)
        return format.type == GX_RGBA8 ? ReadColor<true> : ReadColor<false>;
    const u32 count = ComponentCount(attr, format.cnt);
    switch (format.type) {
        case GX_U8:
            return ScalarReader<u8>(count);
        case GX_S8:
            return ScalarReader<s8>(count);
        case GX_U16:
            return ScalarReader<u16>(count);
        case GX_S16:
            return ScalarReader<s16>(count);
        default:
            return ScalarReader<f32>(count);
    }
}

// Where in the decoded record the attribute goes.
u16 FieldOf(u32 attr) {
    if (attr == kAttrPos)
        return offsetof(DecodedVertex, pos);
    if (attr == kAttrNrm)
        return offsetof(DecodedVertex, nrm);
    if (attr < kAttrTex0)
        return u16(offsetof(DecodedVertex, clr) + (attr - kAttrClr0) * sizeof(GXColor));
    return u16(offsetof(DecodedVertex, tex) + (attr - kAttrTex0) * sizeof(DecodedVertex::tex[0]));
}

// Normals take the hardware's fixed fractions whatever the format says.
f32 NormalScale(GXCompType type) {
    return type == GX_S8 ? 1.0f / 64 : type == GX_S16 ? 1.0f / 16384 : 1.0f;
}

// The layout last worked out for each format, with the descriptor and formats
// it came from: most primitives come while neither has changed.
struct KnownLayout {
    GXAttrType desc[kAttrCount];
    AttrFormat formats[kAttrCount];
    VertexLayout layout;
    bool known = false;
};
KnownLayout s_known[GX_MAX_VTXFMT];

}  // namespace

const VertexLayout& LayoutOf(GXVtxFmt fmt) {
    const FrontState& state = FrontStateView();
    KnownLayout& known = s_known[fmt % GX_MAX_VTXFMT];
    if (known.known && std::memcmp(known.desc, state.desc, sizeof known.desc) == 0 &&
        std::memcmp(known.formats, state.vtxFmt[fmt], sizeof known.formats) == 0)
        return known.layout;
    VertexLayout& layout = known.layout;
    layout = {};
    for (u32 attr = 0; attr < kAttrCount; ++attr) {
        if (state.desc[attr] == GX_NONE)
            continue;
        const AttrFormat& format = state.vtxFmt[fmt][attr];
        const u32 size = AttrSize(attr, format);
        const f32 scale = attr == kAttrNrm ? NormalScale(format.type) : 1.0f / f32(1u << format.frac);
        layout.slots[layout.slotCount++] = {Reader(attr, format), FieldOf(attr), u8(attr), u8(size),
                                            u8(layout.size),      format,        scale};
        layout.size += size;
    }
    std::memcpy(known.desc, state.desc, sizeof known.desc);
    std::memcpy(known.formats, state.vtxFmt[fmt], sizeof known.formats);
    known.known = true;
    return layout;
}

void DecodeVertices(const VertexLayout& layout, const u8* bytes, u32 count, DecodedVertex* first,
                    u32 stride) {
    u8* const records = reinterpret_cast<u8*>(first);
    // The defaults first, field by field: the whole record at once becomes a
    // slow string store. Writing them all costs less than picking.
    static constexpr DecodedVertex kDefault{};
    for (u32 n = 0; n < count; ++n) {
        DecodedVertex& v = *reinterpret_cast<DecodedVertex*>(records + std::size_t(n) * stride);
        std::memcpy(v.pos, kDefault.pos, sizeof v.pos);
        std::memcpy(v.nrm, kDefault.nrm, sizeof v.nrm);
        std::memcpy(v.clr, kDefault.clr, sizeof v.clr);
        std::memset(v.tex, 0, sizeof v.tex);
    }
    // An attribute at a time: one call each, not one a vertex.
    for (u32 i = 0; i < layout.slotCount; ++i) {
        const VertexLayout::Slot& slot = layout.slots[i];
        slot.read(bytes + slot.offset, layout.size, count, slot.scale, records + slot.field, stride);
    }
}

}  // namespace console::gx

using namespace console::gx;

void GXClearVtxDesc() {
    LogCall("GXClearVtxDesc");
    for (GXAttrType& type : FrontStateCurrent().desc)
        type = GX_NONE;
}

void GXSetVtxDesc(GXAttr attr, GXAttrType type) {
    LogCall("GXSetVtxDesc", "%u, %u", attr, type);
    const u32 index = AttrIndex(attr, "GXSetVtxDesc");
    if (type != GX_NONE && type != GX_DIRECT)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetVtxDesc: only direct vertex data is supported\n");
    FrontStateCurrent().desc[index] = type;
}

void GXSetVtxAttrFmt(GXVtxFmt fmt, GXAttr attr, GXCompCnt cnt, GXCompType type, u8 frac) {
    LogCall("GXSetVtxAttrFmt", "%u, %u, %u, %u, %u", fmt, attr, cnt, type, frac);
    const u32 index = AttrIndex(attr, "GXSetVtxAttrFmt");
    const bool isColor = index == kAttrClr0 || index == kAttrClr0 + 1;
    const bool typeOk = isColor ? IsColorType(type)
                        : index == kAttrNrm
                            ? (type == GX_S8 || type == GX_S16 || type == GX_F32) && cnt == GX_NRM_XYZ
                            : IsScalarType(type) && cnt <= 1;
    if (fmt >= GX_MAX_VTXFMT || !typeOk || frac > 31)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetVtxAttrFmt: unsupported format %u/%u/%u/%u for attribute %u\n",
                fmt, cnt, type, frac, attr);
    FrontStateCurrent().vtxFmt[fmt][index] = {cnt, type, frac};
}
