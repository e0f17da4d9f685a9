#include "console/gx/gx_efb.h"

#include <algorithm>
#include <iterator>

#include "console/gx/efb_control.h"
#include "console/gx/gx_tiles.h"

namespace console::gx {

namespace {

Efb s_efb;

void Clear() {
    std::fill(std::begin(s_efb.color), std::end(s_efb.color), 0xFF000000u);
    std::fill(std::begin(s_efb.depth), std::end(s_efb.depth), kMaxDepth);
}

struct PowerOn {
    PowerOn() { Clear(); }
} s_powerOn;

}  // namespace

Efb& EfbGet() {
    FinishFrameBuffer();
    return s_efb;
}

Efb& EfbDrawing() {
    return s_efb;
}

void EfbReset() {
    FinishFrameBuffer();
    Clear();
}

}  // namespace console::gx

void GXPeekARGB(u16 x, u16 y, u32* color) {
    *color = HostEFBColor(x, y);
}

u32 HostEFBColor(u32 x, u32 y) {
    using namespace console::gx;
    return x < kEfbWidth && y < kEfbHeight ? EfbGet().color[y * kEfbWidth + x] : 0;
}

u32 HostEFBDepth(u32 x, u32 y) {
    using namespace console::gx;
    return x < kEfbWidth && y < kEfbHeight ? EfbGet().depth[y * kEfbWidth + x] : 0;
}
