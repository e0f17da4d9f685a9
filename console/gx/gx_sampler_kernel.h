// Reading one texture level at a group of coordinates: wrap, then nearest or
// bilinear filtering. Not a normal header: a file includes it inside its own
// unnamed namespace, after defining the vector types VF, VI, VU of its width
// and Gather (the texel words at a group of indices), and after console/gx.h.
// Texel words hold red in the low byte, as an Rgba8 lies in memory. The single
// pixel sampler and the rasteriser's groups so work out the same texels.

// Texel coordinates far outside any texture wrap the same as nearer ones would;
// the bound keeps the conversions to int defined.
constexpr float kCoordLimit = 1 << 20;

// Power-of-two sizes, the usual ones, wrap without a division.
VI WrapTexel(VI i, s32 n, u8 mode) {
    const bool pow2 = (n & (n - 1)) == 0;
    switch (mode) {
        case GX_REPEAT:
            return pow2 ? i & (n - 1) : (i % n + n) % n;
        case GX_MIRROR: {
            const VI m = pow2 ? i & (2 * n - 1) : (i % (2 * n) + 2 * n) % (2 * n);
            return m < n ? m : 2 * n - 1 - m;
        }
        default:
            return i < 0 ? 0 : i > n - 1 ? n - 1 : i;
    }
}

// floor for the bounded coordinates, without a library call.
VI FloorTexel(VF v) {
    const VI i = __builtin_convertvector(v, VI);
    return i + (__builtin_convertvector(i, VF) > v);  // true is -1
}

VF TexelCoord(VF v, s32 size) {
    const VF u = v * float(size);
    return (u > -kCoordLimit) & (u < kCoordLimit) ? u : 0.0f;
}

// a + (b - a) w / 256 on all four bytes at once, two at a time in 16-bit lanes.
VU LerpWord(VU a, VU b, VU w) {
    const VU lo = ((a & 0x00FF00FFu) * (256 - w) + (b & 0x00FF00FFu) * w + 0x00800080u) >> 8 & 0x00FF00FFu;
    const VU hi =
        ((a >> 8 & 0x00FF00FFu) * (256 - w) + (b >> 8 & 0x00FF00FFu) * w + 0x00800080u) & 0xFF00FF00u;
    return lo | hi;
}

VU SampleNearest(const TexLevelView& v, VF s, VF t) {
    const VI x = WrapTexel(FloorTexel(TexelCoord(s, v.width)), v.width, v.wrapS);
    const VI y = WrapTexel(FloorTexel(TexelCoord(t, v.height)), v.height, v.wrapT);
    return Gather(v.texels, y * v.width + x);
}

// Weights in 256ths between the four texels around the sample point.
VU SampleBilinear(const TexLevelView& v, VF s, VF t) {
    const VF u = TexelCoord(s, v.width) - 0.5f, w = TexelCoord(t, v.height) - 0.5f;
    const VI x = FloorTexel(u), y = FloorTexel(w);
    const VU wu = VU(__builtin_convertvector((u - __builtin_convertvector(x, VF)) * 256.0f, VI));
    const VU wv = VU(__builtin_convertvector((w - __builtin_convertvector(y, VF)) * 256.0f, VI));
    const VI x0 = WrapTexel(x, v.width, v.wrapS), x1 = WrapTexel(x + 1, v.width, v.wrapS);
    const VI row0 = WrapTexel(y, v.height, v.wrapT) * v.width;
    const VI row1 = WrapTexel(y + 1, v.height, v.wrapT) * v.width;
    const VU top = LerpWord(Gather(v.texels, row0 + x0), Gather(v.texels, row0 + x1), wu);
    const VU bottom = LerpWord(Gather(v.texels, row1 + x0), Gather(v.texels, row1 + x1), wu);
    return LerpWord(top, bottom, wv);
}

VU SampleLevel(const TexLevelView& v, VF s, VF t) {
    return v.linear ? SampleBilinear(v, s, t) : SampleNearest(v, s, t);
}
