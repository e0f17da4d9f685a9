// The NTSC 640x480 render modes: a centred 640-pixel picture in the 720-pixel
// line, sample points at the pixel centres.
#include "console/gx.h"
#include "console/vi.h"

namespace {

constexpr GXRenderModeObj Mode(u32 tvMode, u32 xfbMode, u8 f0, u8 f1, u8 f2, u8 f3) {
    GXRenderModeObj mode{
        tvMode, 640, 480, 480, 40, 0, 640, 480, xfbMode, 0, 0, {}, {f0, f1, f2, f3, f2, f1, f0}};
    for (auto& point : mode.sample_pattern) {
        point[0] = 6;
        point[1] = 6;
    }
    return mode;
}

}  // namespace

GXRenderModeObj GXNtsc480IntDf = Mode(VI_TVMODE_NTSC_INT, VI_XFBMODE_DF, 8, 8, 10, 12);
GXRenderModeObj GXNtsc480Int = Mode(VI_TVMODE_NTSC_INT, VI_XFBMODE_DF, 0, 0, 21, 22);
GXRenderModeObj GXNtsc480Prog = Mode(VI_TVMODE_NTSC_PROG, VI_XFBMODE_SF, 0, 0, 21, 22);
