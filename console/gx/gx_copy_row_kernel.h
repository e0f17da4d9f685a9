// The display copy's row loop, written once for any vector width. Not a normal
// header: a file includes it inside its own unnamed namespace, after defining for
// its width kLanes, the vector types VU and VI (kLanes 32-bit lanes), VH (16-bit)
// and VL (64-bit), Load, StoreBytes, Evens (the even lanes of two vectors that
// follow each other) and Madd (signed 16-bit products, adjacent pairs summed into
// 32-bit lanes). Every sum is the scalar form's own, exact in its lanes, so the
// bytes come out the same.

// Pixels 0x..RRGGBB as 16-bit lanes: [b r] and [g, top byte] per pixel.
struct Channels {
    VH br, ga;
};

[[gnu::always_inline]] inline Channels Split(VU p) {
    return {VH(p & 0x00FF00FFu), VH((p >> 8) & 0x00FF00FFu)};
}

// (w0 * above + w1 * at + w2 * below + 32) / 64, at most 255; the sums fit in 16
// bits while the weights add up to at most 256.
[[gnu::always_inline]] inline VH Filter(VH above, VH at, VH below, VH w0, VH w1, VH w2) {
    const VH sum = (w0 * above + w1 * at + w2 * below + 32) >> 6;
    return sum > 255 ? VH{} + 255 : sum;
}

// A repeating pattern of four 16-bit values.
[[gnu::always_inline]] inline VH Pattern(s16 a, s16 b, s16 c, s16 d) {
    const s16 values[4] = {a, b, c, d};
    VH v;
    for (int i = 0; i < 2 * kLanes; ++i)
        v[i] = u16(values[i % 4]);
    return v;
}

// kLanes pixels into kLanes / 2 Y0 U Y1 V words, in the even 32-bit lanes.
[[gnu::always_inline]] inline VU Encode(Channels c) {
    VI y = Madd(c.br, Pattern(25, 66, 25, 66)) + Madd(c.ga, Pattern(129, 0, 129, 0));
    y = ((y + 128) >> 8) + 16;
    // The pair's channels summed: [b r g -] in each 64-bit lane.
    const VL br = VL(c.br), ga = VL(c.ga);
    const VH sums = VH(((br + (br >> 32)) & 0xFFFFFFFFu) | (ga + (ga >> 32)) << 32);
    const VL u = VL(Madd(sums, Pattern(112, -38, -74, 0)));
    const VL v = VL(Madd(sums, Pattern(-18, 112, -94, 0)));
    const VI us = ((VI(u + (u >> 32)) + 256) >> 9) + 128;
    const VI vs = ((VI(v + (v >> 32)) + 256) >> 9) + 128;
    const VL ys = VL(y);
    // Every value is within 16..240: the bytes of a little-endian word.
    return VU(ys | ys >> 16) | VU(us) << 8 | VU(vs) << 24;
}

// The first width / (2 * kLanes) groups of 2 * kLanes pixels; returns how many
// pixels that was (none for a filter too heavy for 16-bit sums).
template <bool kFilter>
u32 CopyRowGroups(const CopyRowSource& s, u32 width, u8* yuyv) {
    constexpr u32 kStep = 2 * kLanes;
    if (kFilter && s.weights[0] + s.weights[1] + s.weights[2] > 256)
        return 0;
    const VH w0 = VH{} + u16(s.weights[0]), w1 = VH{} + u16(s.weights[1]), w2 = VH{} + u16(s.weights[2]);
    // Locals, so that the stores cannot alias the rows.
    const u32 *aboveRow = s.above, *lineRow = s.line, *belowRow = s.below;
    const u32 done = width / kStep * kStep;
    for (u32 x = 0; x < done; x += kStep, yuyv += 4 * kLanes) {
        VU words[2];
        for (u32 half = 0; half < 2; ++half) {
            const u32 i = x + half * kLanes;
            Channels c = Split(Load(lineRow + i));
            if constexpr (kFilter) {
                const Channels above = Split(Load(aboveRow + i)), below = Split(Load(belowRow + i));
                c = {Filter(above.br, c.br, below.br, w0, w1, w2),
                     Filter(above.ga, c.ga, below.ga, w0, w1, w2)};
            }
            words[half] = Encode(c);
        }
        StoreBytes(yuyv, Evens(words[0], words[1]));
    }
    return done;
}
