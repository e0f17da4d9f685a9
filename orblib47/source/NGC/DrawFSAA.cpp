// The anti-aliasing pass: the bound texture blended over the whole picture.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/OrbThread.h"

namespace {

constexpr u32 kDrawFsaaPriority = 4700;

s_thread* FSAAThreadPtr = nullptr;

void DrawFSAAThreadFunc(s_thread*, void*) {
    const s_Ivector2 size = DrawContext.screenSize;
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(0xFFFFFF00u | ColorByteOf(DrawContext.FSAAPercent));
    DrawSetUV(0.0f, 0.0f, f32(size.x) / 1024.0f, f32(size.y) / 512.0f);
    const s_Irect16 screen = {0, 0, s16(size.x), s16(size.y)};
    DrawFilledIrect(&screen);
}

}  // namespace

void DrawSetFSAA(f32 amount) {
    DrawContext.FSAAPercent = amount;
    if (amount != 0.0f && FSAAThreadPtr == nullptr) {
        FSAAThreadPtr = ThreadInsertPriorityDebug("DrawFSAAThreadFunc", nullptr, nullptr, DrawFSAAThreadFunc,
                                                  nullptr, kDrawFsaaPriority);
    } else if (amount == 0.0f && FSAAThreadPtr != nullptr) {
        ThreadKill(FSAAThreadPtr);
        FSAAThreadPtr = nullptr;
    }
}

s32 DrawEnableMultiSample(s32) {
    return DrawContext.multiSampleEnable;
}

void DrawFSAAColdReset() {
    FSAAThreadPtr = nullptr;
}
