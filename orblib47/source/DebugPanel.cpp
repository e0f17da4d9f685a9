// The bar panels of the overlays: one full-width panel on the bottom title-safe
// margin, a label and a bar a row, and the two panels drawn with it.
#include <algorithm>

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"

namespace {

constexpr u32 kWhite = 0xFFFFFFFFu;
constexpr u32 kGrey = 0x808080FFu;
constexpr u32 kYellow = 0xFFFF00FFu;
constexpr u32 kBevelLight = 0x808080FFu;
constexpr u32 kBevelDark = 0x404040FFu;
constexpr u32 kMemoryFill = 0x000064C8u;
constexpr u32 kTimingFill = 0x202020B4u;
constexpr f32 kLabelWidth = 160.0f;

void MemoryInfo(const s_heap& heap, u32* freeBytes, u32* totalBytes) {
    if (freeBytes != nullptr)
        *freeBytes = heap.avail;
    if (totalBytes != nullptr)
        *totalBytes = heap.size;
}

void MainHeapMemoryInfo(u32* freeBytes, u32* totalBytes) {
    MemoryInfo(MainHeap, freeBytes, totalBytes);
}

void ExtraHeapMemoryInfo(u32* freeBytes, u32* totalBytes) {
    MemoryInfo(ExtraHeap, freeBytes, totalBytes);
}

// The drawing state a panel changes, put back by End.
class Panel {
public:
    // Sets the state and the debug font; the rows' line height comes from it.
    Panel() {
        zMode_ = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetTexture(nullptr);
        FontGetScale(&fontScaleX_, &fontScaleY_);
        FontSetDefaults(DebugFont);
    }

    // Lays out and draws the panel for `rows` rows under a header line.
    void Open(s32 lineHeight, s32 rows, u32 fill) {
        lineH_ = lineHeight;
        s_Vector2 scale;
        DrawGetSpriteScale(&scale);
        const s_Ivector2 safe = DrawContext.screenTitleSafe;
        const s_Ivector2 screen = DrawContext.screenSize;
        const f32 fx = FontScaleX;
        const s32 height = (rows + 1) * lineH_;
        rect_ = {s16(f32(safe.x) * scale.x), s16(screen.y - safe.y - height),
                 s16(f32(screen.x) - scale.x * 2.0f * f32(safe.x)), s16(height)};
        bar_ = rect_;
        bar_.x = s16(bar_.x + s32(kLabelWidth * fx + 4.0f * scale.x));
        bar_.h = s16(16.0f * scale.y);
        barWidth_ = f32(rect_.w) - (kLabelWidth * fx + 12.0f * fx);
        labelX_ = s32(f32(rect_.x) + 8.0f * scale.x);
        DrawSetConstantZ(0.0f);
        DrawSetFlatColor(fill);
        DrawBeveledIrect(&rect_, kBevelLight, kBevelDark);
    }

    // Row i's label; with `share` its percentage and a bar of `share` of the full width.
    void Row(s32 i, const char* label, u32 labelColour, const f32* share, u32 barColour,
             f32 barScale = 1.0f) {
        DrawSetFlatColor(labelColour);
        FontPrintf("%s", labelX_, Baseline(i), label);
        if (share == nullptr)
            return;
        FontSetJustification(FONT_JUSTIFY_RIGHT);
        FontPrintf("%d%%", bar_.x - 8, Baseline(i), s32(100.0f * *share));
        FontSetJustification(FONT_JUSTIFY_LEFT);
        s_Irect16 bar = bar_;
        bar.y = s16(rect_.y + (i + 1) * lineH_);
        bar.w = s16(std::min(s32(barWidth_ * *share * barScale), s32(barWidth_)));
        DrawSetTexture(nullptr);  // the text bound its glyphs
        DrawSetFlatColor(barColour);
        DrawFilledIrect(&bar);
        bar.w = s16(barWidth_);
        DrawSetFlatColor(kGrey);
        DrawIrect(&bar);
    }

    void End() {
        FontSetScale(fontScaleX_, fontScaleY_);
        DrawSetFlatColor(kWhite);
        DrawSetZBufferMode(zMode_);
    }

    f32 Baseline(s32 row) const { return f32(rect_.y + (row + 2) * lineH_); }
    const s_Irect16& rect() const { return rect_; }
    const s_Irect16& bar() const { return bar_; }
    f32 barWidth() const { return barWidth_; }
    s32 labelX() const { return labelX_; }
    s32 lineHeight() const { return lineH_; }

private:
    e_ZBUF_MODE zMode_;
    f32 fontScaleX_ = 1.0f, fontScaleY_ = 1.0f;
    s32 lineH_ = 0;
    s_Irect16 rect_{};
    s_Irect16 bar_{};
    f32 barWidth_ = 0.0f;
    s32 labelX_ = 0;
};

bool ShiftPressed(u32 button) {
    return (Pad[0].bdown & PAD_MINUS) != 0 && (Pad[0].shift.bnew & button) != 0;
}

}  // namespace

s_heap_def HeapDefs[DEBUG_HEAP_DEFS] = {
    {"Main Heap", 0xFF0000FFu, MainHeapMemoryInfo},
    {"MEM2 Heap", 0x00FF00FFu, ExtraHeapMemoryInfo},
};
s32 HeapDefIndex = 0;

void DebugDrawMemory() {
    if (ShiftPressed(PAD_A))
        HeapDefIndex = (HeapDefIndex + 1) % DEBUG_HEAP_DEFS;
    Panel panel;
    panel.Open(s32(FontCharHeight() + 2.0f), DEBUG_HEAP_DEFS, kMemoryFill);
    const s_Irect16& rect = panel.rect();
    const f32 header = f32(rect.y + panel.lineHeight());
    DrawSetFlatColor(kYellow);
    FontPrintf("Memory Stats", panel.labelX(), header);
    u32 freeBytes = 0, totalBytes = 0;
    HeapDefs[HeapDefIndex].memoryInfo(&freeBytes, &totalBytes);
    char freeText[DEBUG_FORMAT_SINT32_SIZE], totalText[DEBUG_FORMAT_SINT32_SIZE];
    DrawSetFlatColor(kWhite);
    FontSetJustification(FONT_JUSTIFY_RIGHT);
    FontPrintf("%s (%s)", rect.x + rect.w, header, DebugFormatSint32(freeText, s32(freeBytes)),
               DebugFormatSint32(totalText, s32(totalBytes)));
    FontSetJustification(FONT_JUSTIFY_LEFT);
    for (s32 i = 0; i < DEBUG_HEAP_DEFS; ++i) {
        const s_heap_def& heap = HeapDefs[i];
        heap.memoryInfo(&freeBytes, &totalBytes);
        const f32 used = totalBytes != 0 ? 1.0f - f32(freeBytes) / f32(totalBytes) : 0.0f;
        panel.Row(i, heap.name, i == HeapDefIndex ? kWhite : kGrey, totalBytes != 0 ? &used : nullptr,
                  heap.color);
    }
    panel.End();
}

void DebugDrawTiming(s_Irect16* rect, const s_timing_list* rows, s32 count) {
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
    const f32 frame = 1.0f / f32(ScreenFrameRate);
    Panel panel;
    panel.Open(s32(FontCharHeight() + 1.0f), count, kTimingFill);
    *rect = panel.rect();
    for (s32 i = 0; i < count; ++i) {
        const f32 share = *rows[i].var / frame;
        // The full bar stands for two frames.
        panel.Row(i, rows[i].name, kWhite, &share, rows[i].color, 0.5f);
    }
    // A line at one whole frame.
    const f32 x = f32(panel.bar().x) + 0.5f * panel.barWidth();
    const f32 top = f32(rect->y + panel.lineHeight());
    const s_Vector3 a{x, top, 0.0f, 1.0f};
    const s_Vector3 b{x, top + f32(panel.lineHeight() * count), 0.0f, 1.0f};
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kWhite);
    DrawLine(&a, &b);
    panel.End();
    DrawSetCombineMode(combine);
}
