#include "tools/modelgen/Quantise.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "orblib47/source/Skin.h"

namespace modelgen {

namespace {

constexpr s32 kMaxScale = 31, kMinScale = -32;  // the word's signed 6-bit field

s16 Fixed(f32 value, f32 steps) {
    return s16(std::clamp(std::lround(value * steps), -32768l, 32767l));
}

}  // namespace

u32 VertNormGQR(f32 largest) {
    s32 scale = kMaxScale;
    while (scale > kMinScale && std::ldexp(largest, scale) > 32767.0f)
        --scale;
    if (!(std::ldexp(largest, scale) <= 32767.0f))
        throw std::invalid_argument("modelgen: coordinates too large for 16 bits");
    const u32 field = u32(scale) & 0x3Fu;
    return (field << 24) | (u32(QUANT_TYPE_S16) << 16) | (field << 8) | QUANT_TYPE_S16;
}

s16 QuantiseCoord(f32 value, u32 gqr) {
    return Fixed(value, 1.0f / QuantLoadDecode(gqr).scale);
}

s16 QuantiseUV(f32 value) {
    return Fixed(value, 1024.0f);
}

s8 QuantiseNormal8(f32 value) {
    return s8(std::clamp(std::lround(value * 64.0f), -128l, 127l));
}

}  // namespace modelgen
