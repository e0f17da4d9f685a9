// The frame filter's two drawing commands: a copy of one texture onto another
// (or onto the picture), and a kernel drawn as shifted, weighted quads.
#include <cmath>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/Texture.h"

namespace {

constexpr u32 kClear = 0x00000000u;
constexpr u32 kClearOpaque = 0x000000FFu;
constexpr u32 kNoAlphaWrites = 0xFFu;

// The source bound for 2-D drawing over the destination, and the state it changed
// put back when it goes.
class SourceBinding {
public:
    SourceBinding(s_texture* src, bool isFrameBuffer, e_TEXTURE_WRAP_MODE wrap)
        : isFrameBuffer_(isFrameBuffer),
          projection_(DrawSetProjection(DC_PROJ_ORTHO)),
          enabled_(DrawEnableTexture(1)),
          filter_(DrawSetTextureFilterMode(DC_TEXTURE_FILTER_LINEAR)),
          wrap_(DrawSetTextureWrapMode(wrap)),
          combine_(DrawContext.combineMode),
          flat_(DrawContext.color) {
        if (isFrameBuffer_)
            TextureBindFB();
        texture_ = DrawSetTexture(src);
    }
    ~SourceBinding() {
        DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
        DrawSetTexture(texture_);
        if (isFrameBuffer_)
            TextureUnbindFB();
        DrawSetFlatColor(flat_);
        DrawSetCombineMode(combine_);
        DrawSetTextureWrapMode(wrap_);
        DrawSetTextureFilterMode(filter_);
        DrawEnableTexture(enabled_);
        DrawSetProjection(projection_);
    }
    SourceBinding(const SourceBinding&) = delete;
    SourceBinding& operator=(const SourceBinding&) = delete;

private:
    bool isFrameBuffer_;
    e_PROJ_MODE projection_;
    s32 enabled_;
    e_TEXTURE_FILTER_MODE filter_;
    e_TEXTURE_WRAP_MODE wrap_;
    e_COMBINE_MODE combine_;
    u32 flat_;
    s_texture* texture_ = nullptr;
};

u32 Grey(f32 level) {
    const u32 v = u32(std::lround(std::fmin(std::fmax(level, 0.0f), 1.0f) * 255.0f));
    return v << 24 | v << 16 | v << 8 | v;
}

// One quad over `area` shifted by (dx, dy), its top edge `top` and bottom `bottom`.
void ShiftedQuad(const s_Irect16& area, f32 dx, f32 dy, u32 top, u32 bottom) {
    const f32 x0 = f32(area.x) + dx, y0 = f32(area.y) + dy;
    const f32 x1 = x0 + f32(area.w), y1 = y0 + f32(area.h);
    const struct {
        f32 x, y, u, v;
        u32 color;
    } corners[4] = {{x0, y0, 0, 0, top}, {x1, y0, 1, 0, top}, {x1, y1, 1, 1, bottom}, {x0, y1, 0, 1, bottom}};
    DrawBegin(PRIM_QUAD);
    for (const auto& c : corners) {
        s_draw_vertex vertex;
        DrawInitVertex(&vertex);
        vertex.coord = {c.x, c.y, DrawContext.vertex.coord.z, 1.0f};
        vertex.u = c.u;
        vertex.v = c.v;
        vertex.color = c.color;
        DrawVertex(&vertex);
    }
    DrawEnd();
}

}  // namespace

s_Irect16 COrbFrameFilter::Area(s_texture* dst) const {
    if (dst == m_FBTexture)
        return {0, 0, s16(DrawContext.screenSize.x), s16(DrawContext.screenSize.y)};
    const s_texture_map& map = dst->file.maps[0];
    return {0, 0, s16(map.width), s16(map.height)};
}

u32 COrbFrameFilter::PrepareDestination(s_texture* dst, u32 flags) {
    SetRenderTarget(dst);
    if (flags & u_ORB_FILTER_FLAGS::Clear_Texture)
        DrawClearTexture(dst, kClear);
    else if (flags & u_ORB_FILTER_FLAGS::Set_Alpha)
        DrawClearTexture(dst, kClearOpaque);
    return (flags & u_ORB_FILTER_FLAGS::Mask_Alpha) ? DrawSetRgbaMask(kNoAlphaWrites) : DrawContext.rgbaMask;
}

void COrbFrameFilter::Copy(s_texture* dst, s_texture* src, const s_Irect16* rect, const s_Vector4* color,
                           e_COMBINE_MODE combine, u32 flags) {
    const u32 mask = PrepareDestination(dst, flags);
    {
        SourceBinding binding(src, src == m_FBTexture, DrawContext.samplerStateList[0].wrapMode[0]);
        DrawSetFlatColorV(color);
        DrawSetCombineMode(combine);
        const s_texture_map& map = src->file.maps[0];
        const f32 w = f32(map.width), h = f32(map.height);
        if (flags & u_ORB_FILTER_FLAGS::Use_Rect_For_Uv) {
            DrawSetUV(f32(rect->x) / w, f32(rect->y) / h, f32(rect->w) / w, f32(rect->h) / h);
        } else if (flags & u_ORB_FILTER_FLAGS::Use_Rect) {
            const f32 across = rect->w != 0 ? f32(rect->w) : f32(DrawContext.screenSize.x);
            const f32 down = rect->h != 0 ? f32(rect->h) : f32(DrawContext.screenSize.y);
            DrawSetUV(f32(rect->x) / w, f32(rect->y) / h, (f32(rect->x) + across) / w,
                      (f32(rect->y) + down) / h);
        } else {
            DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
        }
        const s_Irect16 area = Area(dst);
        DrawFilledIrect(&area);
    }
    DrawSetRgbaMask(mask);
}

void COrbFrameFilter::Filter(s_texture* dst, s_texture* src, const s_ORB_FILTER* filter, u32 flags) {
    const u32 mask = PrepareDestination(dst, flags);
    {
        SourceBinding binding(src, src == m_FBTexture, DC_TEXTURE_WRAP_CLAMP);
        DrawSetFlatColor(0xFFFFFFFFu);
        const s_Irect16 area = Area(dst);
        for (s32 i = 0; i < filter->numElements; ++i) {
            const s_ORB_FILTER_ELEMENT& e = filter->elementList[i];
            if (e.value == 0.0f)
                continue;
            const f32 weight = std::fabs(e.value) * filter->valueMultiplier;
            DrawSetCombineMode(e.value > 0.0f ? DC_COMBINE_ADD : DC_COMBINE_SUBTRACT);
            ShiftedQuad(area, e.offsetX * filter->offsetMultiplier, e.offsetY * filter->offsetMultiplier,
                        Grey(weight * filter->upperIntensity), Grey(weight * filter->lowerIntensity));
        }
    }
    DrawSetRgbaMask(mask);
}
