#include "console/gx/gx_efb.h"

#include <algorithm>
#include <iterator>

#include "console/gx/efb_control.h"

namespace console::gx {

namespace {

Efb s_efb;

struct PowerOn {
    PowerOn() { EfbReset(); }
} s_powerOn;

}  // namespace

Efb& EfbGet() {
    return s_efb;
}

void EfbReset() {
    std::fill(std::begin(s_efb.color), std::end(s_efb.color), 0xFF000000u);
    std::fill(std::begin(s_efb.depth), std::end(s_efb.depth), kMaxDepth);
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
