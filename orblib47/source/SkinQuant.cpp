// The processor's quantised loads as the skinned vertex arrays use them.
#include <cmath>

#include "orblib47/source/Skin.h"

s_quant_load QuantLoadDecode(u32 gqr) {
    s32 scale = s32((gqr >> 24) & 0x3Fu);
    if (scale >= 32)
        scale -= 64;
    return {u8((gqr >> 16) & 7u), std::ldexp(1.0f, -scale)};
}

void GetVector3GQR(const s16* src, s_Vector4* dst, const s_quant_load& q) {
    dst->x = QuantLoad16(q, src[0]);
    dst->y = QuantLoad16(q, src[1]);
    dst->z = QuantLoad16(q, src[2]);
    dst->w = 1.0f;
}
