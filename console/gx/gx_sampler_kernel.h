// Reading one texture level at a group of coordinates: wrap, then nearest or
// bilinear filtering. Not a normal header: a file includes it inside its own
// unnamed namespace, after defining the vector types VF, VI, VU, VH of its
// width, Any (a lane of a mask set), Gather (the texel words at a group of
// indices), GatherPairs (those and the words after them), GatherQuads (the
// footprints at a group of indices, as four vectors) and Spread (the words at
// a group of indices, each under the group's width, from one pointer), and
// after console/gx.h.
// Texel words hold red in the low byte, as an Rgba8 lies in memory. The single
// pixel sampler and the rasteriser's groups so work out the same texels.

// Everything is inlined into the row loops, which would otherwise pass the
// vectors through memory.

// Texel coordinates far outside any texture wrap the same as nearer ones would;
// the bound keeps the conversions to int defined.
constexpr float kCoordLimit = 1 << 20;

// Every lane of a mask set: one test, not a branch a lane.
[[gnu::always_inline]] inline bool AllLanes(VI mask) {
    return !Any(~mask);
}

// i modulo n in 0..n-1. Power-of-two sizes, the usual ones, take no division,
// nor does a group within a period either side of the texture (a picture's
// copy drawn over the screen): a division a lane is far slower than the texel
// reads.
[[gnu::always_inline]] inline VI Modulo(VI i, s32 n) {
    if ((n & (n - 1)) == 0)
        return i & (n - 1);
    const VI near = (i >= -n) & (i < 2 * n);
    if (AllLanes(near))
        return i < 0 ? i + n : i >= n ? i - n : i;
    return (i % n + n) % n;
}

[[gnu::always_inline]] inline VI WrapTexel(VI i, s32 n, u8 mode) {
    switch (mode) {
        case GX_REPEAT:
            return Modulo(i, n);
        case GX_MIRROR: {
            const VI m = Modulo(i, 2 * n);
            return m < n ? m : 2 * n - 1 - m;
        }
        default:
            return i < 0 ? 0 : i > n - 1 ? n - 1 : i;
    }
}

// Footprint columns (or rows) a wrap tells apart: a repeat's period, a
// mirror's two, a clamp's texels and the one left of them.
[[gnu::always_inline]] inline s32 QuadSpan(s32 n, u8 mode) {
    return mode == GX_REPEAT ? n : mode == GX_MIRROR ? 2 * n : n + 1;
}

// The footprint column of a texel column: texels i and i + 1 wrap the same as
// at the column's.
[[gnu::always_inline]] inline VI QuadColumn(VI i, s32 n, u8 mode) {
    switch (mode) {
        case GX_REPEAT:
            return Modulo(i, n);
        case GX_MIRROR:
            return Modulo(i, 2 * n);
        default:
            return (i < -1 ? -1 : i > n - 1 ? n - 1 : i) + 1;
    }
}

// floor for the bounded coordinates, without a library call.
[[gnu::always_inline]] inline VI FloorTexel(VF v) {
    const VI i = __builtin_convertvector(v, VI);
    return i + (__builtin_convertvector(i, VF) > v);  // true is -1
}

[[gnu::always_inline]] inline VF TexelCoord(VF v, s32 size) {
    const VF u = v * float(size);
    return ((u > -kCoordLimit) & (u < kCoordLimit)) ? u : 0.0f;
}

// a + (b - a) w / 256 on all four bytes at once, two at a time in 16-bit lanes
// (at most 255 * 256 + 128: no lane overflows).
[[gnu::always_inline]] inline VU LerpWord(VU a, VU b, VU w) {
    const VU m = VU{} + 0x00FF00FFu;
    const VH wb = VH(w | w << 16), wa = 256 - wb;
    const VH lo = (VH(a & m) * wa + VH(b & m) * wb + 128) >> 8;
    const VH hi = (VH(a >> 8 & m) * wa + VH(b >> 8 & m) * wb + 128) >> 8;
    return VU(lo) | VU(hi) << 8;
}

constexpr s32 kWindow = s32(sizeof(VI) / sizeof(s32));

// A texture drawn smaller spreads a group over a few windows of a row.
constexpr s32 kWindows = 3;

// A row of a texture drawn upright (a picture's copy, a panel) is read by
// every lane of a group on one texel row, its columns close together. When the
// lanes' columns x (and x + reach, reach 0 or 1) lie within `windows` windows
// of kWindow from the first lane's, on row y (and y + reach), inside the
// texture, where no wrap changes them: the first lane's column, from which
// SpreadWindows reads the row; else -1. The loads stay inside the texels.
[[gnu::always_inline]] inline s32 WindowStart(const TexLevelView& v, VI x, VI y, s32 reach, s32 windows) {
    if (kWindow == 1)
        return -1;
    const s32 base = x[0], row = y[0];
    if (base < 0 || row < 0 || row + reach >= v.height ||
        (row + reach) * v.width + base + reach + windows * kWindow > v.width * v.height)
        return -1;
    const VI at = x - base;
    return AllLanes((y == row) & (at >= 0) & (at < windows * kWindow) & (x + reach < v.width)) ? base : -1;
}

// The words at indices under windows * kWindow from `texels` on, a window at a time.
[[gnu::always_inline]] inline VU SpreadWindows(const Rgba8* texels, VI at, s32 windows) {
    VU words = Spread(texels, at & (kWindow - 1));
    for (s32 k = 1; k < windows; ++k) {
        const VI in = at - k * kWindow;
        words = in >= 0 ? Spread(texels + k * kWindow, in & (kWindow - 1)) : words;
    }
    return words;
}

// The four texels around each lane's sample point from `row` on, and their blend.
[[gnu::always_inline]] inline VU BlendWindows(const Rgba8* row, s32 width, VI at, s32 windows, VU wu, VU wv) {
    const VU topLeft = SpreadWindows(row, at, windows), topRight = SpreadWindows(row + 1, at, windows);
    const VU bottomLeft = SpreadWindows(row + width, at, windows);
    const VU bottomRight = SpreadWindows(row + width + 1, at, windows);
    return LerpWord(LerpWord(topLeft, topRight, wu), LerpWord(bottomLeft, bottomRight, wu), wv);
}

// The texel row a group reads at t: for a bilinear read the upper of its two
// rows and the lower's weight in 256ths. A row of pixels at one t works it out
// once.
struct TexelRows {
    VI y;
    VU weight;
};

[[gnu::always_inline]] inline TexelRows RowsAt(const TexLevelView& v, VF t) {
    if (!v.linear)
        return {FloorTexel(TexelCoord(t, v.height)), VU{}};
    // In 256ths of a texel (exact: a power-of-two scale), the texel is the
    // integer part and the weight the fraction.
    const VI w = FloorTexel((TexelCoord(t, v.height) - 0.5f) * 256.0f);
    return {w >> 8, VU(w & 0xFF)};
}

[[gnu::always_inline]] inline VU SampleNearest(const TexLevelView& v, VF s, const TexelRows& rows,
                                               bool windows) {
    const VI x = FloorTexel(TexelCoord(s, v.width)), y = rows.y;
    if (const s32 base = windows ? WindowStart(v, x, y, 0, 1) : -1; base >= 0)
        return Spread(v.texels + y[0] * v.width + base, x - base);
    return Gather(v.texels, WrapTexel(y, v.height, v.wrapT) * v.width + WrapTexel(x, v.width, v.wrapS));
}

// Weights in 256ths between the four texels around the sample point.
[[gnu::always_inline]] inline VU SampleBilinear(const TexLevelView& v, VF s, const TexelRows& rows,
                                                bool windows) {
    // As RowsAt works out the rows.
    const VI u = FloorTexel((TexelCoord(s, v.width) - 0.5f) * 256.0f);
    const VI x = u >> 8, y = rows.y;
    const VU wu = VU(u & 0xFF), wv = rows.weight;
    // At texel centres (a texture drawn texel for pixel) every weight is 0 and
    // the lerps give the top left texel as it is.
    if (windows) {
        const bool centred = AllLanes(VI((wu | wv) == 0));
        if (const s32 base = WindowStart(v, x, y, centred ? 0 : 1, 1); base >= 0) {
            const Rgba8* row = v.texels + y[0] * v.width + base;
            return centred ? Spread(row, x - base) : BlendWindows(row, v.width, x - base, 1, wu, wv);
        }
        if (const s32 base = WindowStart(v, x, y, 1, kWindows); base >= 0)
            return BlendWindows(v.texels + y[0] * v.width + base, v.width, x - base, kWindows, wu, wv);
    }
    if (v.quads != nullptr) {
        const VI at =
            QuadColumn(y, v.height, v.wrapT) * QuadSpan(v.width, v.wrapS) + QuadColumn(x, v.width, v.wrapS);
        VU topLeft, topRight, bottomLeft, bottomRight;
        GatherQuads(v.quads, at, topLeft, topRight, bottomLeft, bottomRight);
        return LerpWord(LerpWord(topLeft, topRight, wu), LerpWord(bottomLeft, bottomRight, wu), wv);
    }
    const VI x0 = WrapTexel(x, v.width, v.wrapS), x1 = WrapTexel(x + 1, v.width, v.wrapS);
    const VI row0 = WrapTexel(y, v.height, v.wrapT) * v.width;
    const VI row1 = WrapTexel(y + 1, v.height, v.wrapT) * v.width;
    VU topLeft, topRight, bottomLeft, bottomRight;
    // Away from a wrap every lane's right texel follows its left one in memory.
    const VI adjacent = x1 == x0 + 1;
    if (AllLanes(adjacent)) {
        GatherPairs(v.texels, row0 + x0, topLeft, topRight);
        GatherPairs(v.texels, row1 + x0, bottomLeft, bottomRight);
    } else {
        topLeft = Gather(v.texels, row0 + x0);
        topRight = Gather(v.texels, row0 + x1);
        bottomLeft = Gather(v.texels, row1 + x0);
        bottomRight = Gather(v.texels, row1 + x1);
    }
    return LerpWord(LerpWord(topLeft, topRight, wu), LerpWord(bottomLeft, bottomRight, wu), wv);
}

// `windows`: the lanes may lie on one texel row, as a texture drawn upright
// has them, and are read from windows of it where they do; in perspective
// they seldom are, and the tests would be wasted.
[[gnu::always_inline]] inline VU SampleRows(const TexLevelView& v, VF s, const TexelRows& rows,
                                            bool windows = true) {
    return v.linear ? SampleBilinear(v, s, rows, windows) : SampleNearest(v, s, rows, windows);
}

[[gnu::always_inline]] inline VU SampleLevel(const TexLevelView& v, VF s, VF t) {
    return SampleRows(v, s, RowsAt(v, t));
}
