// The row loops, written once for any vector width. Not a normal header: a
// file includes it inside its own unnamed namespace, after defining for its
// width kLanes, the vector types VF, VI, VU and Load, Store, Any, Select,
// ToBytes, DepthAt, MulColor, AddSaturate (each byte added, held at 255: the
// one-and-one blend), BlendSrcAlpha and ModulateBlendSrcAlpha, and after including
// gx_sampler_kernel.h. Every header it needs is included before that, so
// nothing here includes anything.

template <DepthPath kPath>
VI DepthPasses(Compare func, VU z, VU stored) {
    if constexpr (kPath == DepthPath::Less)
        return z < stored;
    if constexpr (kPath == DepthPath::LEqual)
        return z <= stored;
    if constexpr (kPath == DepthPath::Always)
        return VI{} - 1;
    switch (func) {
        case Compare::Never:
            return VI{};
        case Compare::Less:
            return z < stored;
        case Compare::Equal:
            return z == stored;
        case Compare::LEqual:
            return z <= stored;
        case Compare::Greater:
            return z > stored;
        case Compare::NEqual:
            return z != stored;
        case Compare::GEqual:
            return z >= stored;
        default:
            return VI{} - 1;
    }
}

// EfbStoredColor on a vector of pixels.
VU StoredColor(PixelFormat format, VU argb) {
    switch (format) {
        case PixelFormat::RGBA6_Z24: {
            const VU top = argb & 0xFCFCFCFCu;
            return top | ((top >> 6) & 0x03030303u);
        }
        case PixelFormat::RGB565_Z16: {
            const VU rb = argb & 0x00F800F8u;
            const VU g = argb & 0x0000FC00u;
            return 0xFF000000u | rb | ((rb >> 5) & 0x00070007u) | g | ((g >> 6) & 0x00000300u);
        }
        default:
            return argb | 0xFF000000u;
    }
}

constexpr int kPrefetchRows = 2;

// A plane at a group of pixels of a row, summed as Plane::At sums.
VF PlaneAt(const Plane& p, VF x, float y) {
    return p.c + p.dx * x + p.dy * y;
}

// The texel words of a stage's map as CombineAt and the sampler read them:
// the coordinate worked out from its planes at each pixel.
VU StageTexels(const TriangleDraw& d, const TexLevelView* view, u8 texMap, u8 texCoord, VF px, float py,
               VI live) {
    VF s{}, t{}, iq{};
    VI usable{};
    const Plane* p = &d.t.attr[kAttrTex0 + 3 * (texCoord != kTevNull ? texCoord : 0)];
    if (texCoord != kTevNull) {
        const VF q = PlaneAt(p[2], px, py);
        usable = (q > 1e-30f) | (q < -1e-30f);
        iq = 1.0f / q;
        s = PlaneAt(p[0], px, py) * iq;
        t = PlaneAt(p[1], px, py) * iq;
    }
    if (view != nullptr)
        return SampleLevel(*view, usable ? s : VF{}, usable ? t : VF{});
    const VF dsdx = (p[0].dx - s * p[2].dx) * iq, dtdx = (p[1].dx - t * p[2].dx) * iq;
    const VF dsdy = (p[0].dy - s * p[2].dy) * iq, dtdy = (p[1].dy - t * p[2].dy) * iq;
    VU words{};
    for (int i = 0; i < kLanes; ++i)
        if (live[i] != 0) {
            const TexCoordSample coord = usable[i] != 0
                                             ? TexCoordSample{s[i], t[i], dsdx[i], dtdx[i], dsdy[i], dtdy[i]}
                                             : TexCoordSample{};
            const Rgba8 texel = TevSample(d.state, texMap, coord);
            u32 word;
            std::memcpy(&word, &texel, sizeof word);
            words[i] = word;
        }
    return words;
}

// Texel words through a swap table.
VU SwapTexels(VU words, const SwapTable& table) {
    auto channel = [&](u8 from) { return words >> (8 * (from & 3)) & 0xFFu; };
    return channel(table.r) | channel(table.g) << 8 | channel(table.b) << 16 | channel(table.a) << 24;
}

// Texel words (red in the low byte) as the rows pack colours (blue in the low byte).
VU TexelToPacked(VU word) {
    return (word & 0xFF00FF00u) | (word >> 16 & 0xFFu) | (word & 0xFFu) << 16;
}

// floor(x / 255) for 0 <= x < 65535: the combiners' lerps.
VI Over255(VI x) {
    return (x + 1 + (x >> 8)) >> 8;
}

VI Held(VI v, int lo, int hi) {
    return v < lo ? VI{} + lo : v > hi ? VI{} + hi : v;
}

// Channel i (R G B A) of texel words, times a konst channel, over 255.
VI ChannelOf(VU words, int i) {
    return __builtin_convertvector(words >> (8 * i) & 0xFFu, VI);
}

VI Scaled(VU words, int i, int konst) {
    return Over255(ChannelOf(words, i) * konst + 127);
}

// A Yuv plan's four stages over the texel words of its three maps, as
// TevCombine works them out, packed as the rows pack colours.
VU CombineYuv(const TevYuvInputs& in, VU first, VU second, VU third) {
    const VI firstAlpha = Held(in.base[3] - Scaled(first, 3, in.konst[0][3]), -1024, 1023);
    const VI secondAlpha = Held(firstAlpha - Scaled(second, 3, in.konst[1][3]), -1024, 1023);
    const VI alpha = Held(secondAlpha + ChannelOf(third, 3), 0, 255);
    VU packed{};
    for (int i = 0; i < 3; ++i) {
        const VI a = Held(in.base[i] + Scaled(first, i, in.konst[0][i]), -1024, 1023);
        const VI b = Held((a + Scaled(second, i, in.konst[1][i])) * 2, -1024, 1023);
        const VI c = Held(b + ChannelOf(third, i), 0, 255);
        const int k = in.konst[2][i];
        packed |= __builtin_convertvector(Over255(alpha * (255 - k) + c * k + 127), VU) << (16 - 8 * i);
    }
    return packed;
}

// The rows of a triangle within a band. A row's pixels x0..x1 go in groups of
// kLanes from x0, so that a short span takes as few groups as it can; lanes
// past x1 stay masked off, and what they read (the rest of the row) they write
// back unchanged. The triangle's values are copied to locals first:
// the buffer stores could otherwise alias them and force reloads.
//
// kPlain: depth before shading, no fog, no alpha compare, every colour bit written
// and RGB8: the usual state, with no switches left in the loop.
template <TevKind kKind, BlendPath kBlend, DepthPath kDepth, bool kPlain>
void DrawRows(const TriangleDraw& d) {
    const Triangle& t = d.t;
    const PixelPlan& pix = d.plan.pixel;
    const bool earlyZ = kPlain || pix.earlyZ;
    const bool needZ = kPlain ? kDepth != DepthPath::Off : d.needZ;
    const bool shade = kPlain || d.shade;
    const bool fog = !kPlain && d.plan.fog.enabled;
    const bool alphaTest = !kPlain && pix.alphaTest;
    const bool colorWrite = kPlain || pix.colorWrite;
    const bool zUpdate = pix.zUpdate;
    const Compare zFunc = pix.zFunc;
    const u32 valueMask = d.valueMask, valueOr = d.valueOr, keepMask = pix.keepMask;
    const PixelFormat format = pix.format;
    constexpr bool kDepthTest = kDepth != DepthPath::Off;
    // Nothing reads the modulated colour but the blend: the two in one pass.
    constexpr bool kFused = kPlain && kKind == TevKind::Modulate && kBlend == BlendPath::SrcAlpha;
    // Nor does anything read alpha when nothing blends into an RGB8 buffer.
    constexpr bool kAlphaRead = !kPlain || kBlend != BlendPath::Replace;

    const float originX = t.originX, originY = t.originY;
    const double z0c = t.z0, zdx = t.zdx, zdy = t.zdy;
    const Plane invW = t.invW;
    const bool constantW = t.constantW;
    const VF constW = VF{} + t.w;
    const Plane* cp = d.colorPlanes;
    const Plane pb = cp[2], pg = cp[1], pr = cp[0], pa = cp[3];
    // One colour over the whole triangle (sprites, text, panels): worked out once.
    bool flat = constantW;
    for (const Plane& p : {pb, pg, pr, pa})
        flat = flat && p.dx == 0 && p.dy == 0;
    VU flatColor{};
    if (flat) {
        flatColor = ToBytes(VF{} + pb.c * t.w) | ToBytes(VF{} + pg.c * t.w) << 8 |
                    ToBytes(VF{} + pr.c * t.w) << 16 | ToBytes(VF{} + pa.c * t.w) << 24;
    }
    // Texels times white are the texels: (c * 255 + 127) / 255 rounds down to c.
    const bool white = flat && flatColor[0] == 0xFFFFFFFFu;
    // The texture coordinate a Modulate draw reads, s and t over q.
    const bool texCoord = kKind == TevKind::Modulate && d.plan.tev.texCoord != kTevNull;
    const u32 texAttr = kAttrTex0 + 3 * (texCoord ? d.plan.tev.texCoord : 0);
    const Plane ps = t.attr[texAttr], pt = t.attr[texAttr + 1], pq = t.attr[texAttr + 2];
    const bool viewed = kKind == TevKind::Modulate && d.texView != nullptr;
    const TexLevelView view = viewed ? *d.texView : TexLevelView{};
    const TevYuvInputs yuv = kKind == TevKind::Yuv ? YuvInputs(d.state) : TevYuvInputs{};
    VI lane;
    for (int i = 0; i < kLanes; ++i)
        lane[i] = i;

    // Only the rows of the band this thread draws; a walk may start on any row.
    const int top = std::max(t.minY, d.top), bottom = std::min(t.maxY, d.bottom);
    EdgeWalk edges[3];
    for (int i = 0; i < 3; ++i)
        edges[i].Start(t, i, top);
    Efb& efb = EfbDrawing();
    for (int y = top; y <= bottom; ++y) {
        s64 lo = t.minX;
        s64 hi = t.maxX;
        bool empty = false;
        for (EdgeWalk& e : edges) {
            if (e.side > 0)
                lo = std::max(lo, -e.q);
            else if (e.side < 0)
                hi = std::min(hi, e.q);
            else if (e.q < 0)
                empty = true;
            e.Next();
        }
        if (empty || lo > hi)
            continue;
        const int x0 = int(lo), x1 = int(hi);
        u32* colorRow = &efb.color[u32(y) * kEfbWidth];
        u32* depthRow = &efb.depth[u32(y) * kEfbWidth];
        // The rows below are asked for ahead: the buffer is far larger than the caches.
        if (y + kPrefetchRows <= bottom) {
            for (int x = x0 & ~15; x <= x1; x += 16) {
                __builtin_prefetch(depthRow + kPrefetchRows * kEfbWidth + x, 1);
                __builtin_prefetch(colorRow + kPrefetchRows * kEfbWidth + x, 1);
            }
        }

        const float py = float(y) + 0.5f - originY;
        const float px0 = float(x0) + 0.5f - originX;
        const double z0 = z0c + zdx * px0 + zdy * py;
        const float invW0 = invW.At(px0, py);
        const float cb = pb.At(px0, py), cg = pg.At(px0, py), cr = pr.At(px0, py), ca = pa.At(px0, py);
        const float s0 = ps.At(px0, py), t0 = pt.At(px0, py), q0 = pq.At(px0, py);
        // q the same along the row (no perspective across it): one division for
        // the row. A zero step times any pixel offset is that zero, sign and all.
        const bool rowQ = pq.dx == 0;
        const VF qRow = VF{} + (q0 + pq.dx), iqRow = 1.0f / qRow;
        // And t too (a texture drawn upright): its texel rows once for the row.
        const bool rowT = viewed && rowQ && pt.dx == 0;
        TexelRows rowTexels{};
        if (rowT) {
            const VI usable = texCoord ? (qRow > 1e-30f) | (qRow < -1e-30f) : VI{};
            rowTexels = RowsAt(view, usable ? (t0 + pt.dx) * iqRow : VF{});
        }
        const VI last = VI{} + x1;

        for (int x = x0; x <= x1; x += kLanes) {
            // A group must not reach past the row's end into the next row, which
            // another band's thread may be drawing: it ends at the row's end
            // instead, its lanes before x off.
            const int at = std::min(x, int(kEfbWidth) - kLanes);
            const VI xs = at + lane;
            VI live = xs <= last;
            if (at != x)
                live &= xs >= x;
            VU z{};
            if (needZ)
                z = DepthAt(z0, zdx, at - x0);
            VU stored{};
            if (kDepthTest && earlyZ) {
                stored = Load(depthRow + at);
                live &= DepthPasses<kDepth>(zFunc, z, stored);
                if (!Any(live))
                    continue;
                if (zUpdate)
                    Store(depthRow + at, Select(live, z, stored));
            }

            VU color{}, tex{};
            if (shade) {
                const VF fi = __builtin_convertvector(xs - x0, VF);
                const VF w = constantW ? constW : 1.0f / (invW0 + invW.dx * fi);
                if constexpr (kKind == TevKind::ModulateTwice) {
                    // As CombineAt works it out: every value from its plane at the pixel.
                    const VF px = px0 + fi;
                    const VU ras = flat ? flatColor
                                        : ToBytes(PlaneAt(pb, px, py) * w) |
                                              ToBytes(PlaneAt(pg, px, py) * w) << 8 |
                                              ToBytes(PlaneAt(pr, px, py) * w) << 16 |
                                              ToBytes(PlaneAt(pa, px, py) * w) << 24;
                    const TevPlan& tev = d.plan.tev;
                    const VU first = StageTexels(d, d.texView, tev.texMap, tev.texCoord, px, py, live);
                    const VU second = SwapTexels(
                        StageTexels(d, d.texView2, tev.texMap2, tev.texCoord2, px, py, live), tev.swap2);
                    color = MulColor(TexelToPacked(second), MulColor(TexelToPacked(first), ras));
                } else if constexpr (kKind == TevKind::Yuv) {
                    const VF px = px0 + fi;
                    const TevPlan& tev = d.plan.tev;
                    color = CombineYuv(yuv, StageTexels(d, d.texView, tev.texMap, tev.texCoord, px, py, live),
                                       StageTexels(d, d.texView2, tev.texMap2, tev.texCoord2, px, py, live),
                                       StageTexels(d, d.texView3, tev.texMap3, tev.texCoord3, px, py, live));
                } else if constexpr (kKind != TevKind::General) {
                    if (flat) {
                        color = flatColor;
                    } else {
                        color = ToBytes((cb + pb.dx * fi) * w) | ToBytes((cg + pg.dx * fi) * w) << 8 |
                                ToBytes((cr + pr.dx * fi) * w) << 16;
                        if constexpr (kAlphaRead)
                            color |= ToBytes((ca + pa.dx * fi) * w) << 24;
                    }
                }
                if constexpr (kKind == TevKind::Modulate) {
                    // As CoordAt works it out, a group of pixels at a time.
                    const VF q = rowQ ? qRow : q0 + pq.dx * fi;
                    const VF iq = rowQ ? iqRow : 1.0f / q;
                    const VF sv = (s0 + ps.dx * fi) * iq, tv = (t0 + pt.dx * fi) * iq;
                    if (viewed) {
                        // Without a usable q the texture reads at the origin.
                        const VI usable = texCoord ? (q > 1e-30f) | (q < -1e-30f) : VI{};
                        const TexelRows rows = rowT ? rowTexels : RowsAt(view, usable ? tv : VF{});
                        tex = TexelToPacked(SampleRows(view, usable ? sv : VF{}, rows, rowQ));
                    } else {
                        const VF dsdx = (ps.dx - sv * pq.dx) * iq, dtdx = (pt.dx - tv * pq.dx) * iq;
                        const VF dsdy = (ps.dy - sv * pq.dy) * iq, dtdy = (pt.dy - tv * pq.dy) * iq;
                        for (int i = 0; i < kLanes; ++i)
                            if (live[i] != 0) {
                                const bool usable = texCoord && (q[i] > 1e-30f || q[i] < -1e-30f);
                                const TexCoordSample coord =
                                    usable ? TexCoordSample{sv[i], tv[i], dsdx[i], dtdx[i], dsdy[i], dtdy[i]}
                                           : TexCoordSample{};
                                tex[i] = PackRgba(TevSample(d.state, d.plan.tev.texMap, coord));
                            }
                    }
                    if constexpr (!kFused)
                        color = white ? tex : MulColor(tex, color);
                }
                if constexpr (kKind == TevKind::General) {
                    for (int i = 0; i < kLanes; ++i)
                        if (live[i] != 0)
                            color[i] = CombineAt(d.state, d.plan.tev, t, px0 + fi[i], py, w[i]);
                }
                if (fog) {
                    for (int i = 0; i < kLanes; ++i)
                        if (live[i] != 0)
                            color[i] = PackRgba(
                                ApplyFog(d.plan.fog, UnpackRgba(color[i]), w[i], float(z[i]) / kMaxDepth));
                }
                if (alphaTest) {
                    for (int i = 0; i < kLanes; ++i)
                        if (live[i] != 0 && !AlphaPasses(pix, color[i] >> 24))
                            live[i] = 0;
                }
            }

            if (kDepthTest && !earlyZ) {
                stored = Load(depthRow + at);
                live &= DepthPasses<kDepth>(zFunc, z, stored);
                if (zUpdate)
                    Store(depthRow + at, Select(live, z, stored));
            }
            if (!colorWrite || !Any(live))
                continue;

            const VU dst = Load(colorRow + at);
            VU value;
            if constexpr (kBlend == BlendPath::Replace) {
                value = color;
            } else if constexpr (kBlend == BlendPath::SrcAlpha) {
                value = kFused && !white ? ModulateBlendSrcAlpha(tex, color, dst)
                                         : BlendSrcAlpha(kFused ? tex : color, dst);
            } else if constexpr (kBlend == BlendPath::Add) {
                value = AddSaturate(color, dst);
            } else {
                for (int i = 0; i < kLanes; ++i)
                    value[i] = live[i] != 0 ? BlendColor(pix, Unpack(color[i]), dst[i]) : 0;
            }
            if constexpr (kPlain) {
                Store(colorRow + at, Select(live, value | 0xFF000000u, dst));
            } else {
                value = (value & valueMask) | valueOr;
                const VU merged = StoredColor(format, (dst & keepMask) | (value & ~keepMask));
                Store(colorRow + at, Select(live, merged, dst));
            }
        }
    }
}

template <TevKind kKind, BlendPath kBlend, DepthPath kDepth>
void DrawRowsFor(bool plain, const TriangleDraw& d) {
    if (plain)
        return DrawRows<kKind, kBlend, kDepth, true>(d);
    return DrawRows<kKind, kBlend, kDepth, false>(d);
}

template <TevKind kKind, BlendPath kBlend>
void DrawRowsFor(DepthPath depth, const TriangleDraw& d) {
    // The plain loops only for the colours worked out in vectors.
    const bool plain = kKind != TevKind::General && kBlend != BlendPath::Other && d.plain;
    switch (depth) {
        case DepthPath::Off:
            return DrawRowsFor<kKind, kBlend, DepthPath::Off>(plain, d);
        case DepthPath::Less:
            return DrawRowsFor<kKind, kBlend, DepthPath::Less>(plain, d);
        case DepthPath::LEqual:
            return DrawRowsFor<kKind, kBlend, DepthPath::LEqual>(plain, d);
        case DepthPath::Always:
            return DrawRowsFor<kKind, kBlend, DepthPath::Always>(plain, d);
        default:
            return DrawRowsFor<kKind, kBlend, DepthPath::Other>(plain, d);
    }
}

template <TevKind kKind>
void DrawRowsFor(BlendPath blend, DepthPath depth, const TriangleDraw& d) {
    switch (blend) {
        case BlendPath::Replace:
            return DrawRowsFor<kKind, BlendPath::Replace>(depth, d);
        case BlendPath::SrcAlpha:
            return DrawRowsFor<kKind, BlendPath::SrcAlpha>(depth, d);
        case BlendPath::Add:
            return DrawRowsFor<kKind, BlendPath::Add>(depth, d);
        default:
            return DrawRowsFor<kKind, BlendPath::Other>(depth, d);
    }
}

void DrawTriangleRows(const TriangleDraw& d) {
    switch (d.plan.tev.kind) {
        case TevKind::Raster:
            return DrawRowsFor<TevKind::Raster>(d.plan.blend, d.plan.depth, d);
        case TevKind::Modulate:
            return DrawRowsFor<TevKind::Modulate>(d.plan.blend, d.plan.depth, d);
        case TevKind::ModulateTwice:
            return DrawRowsFor<TevKind::ModulateTwice>(d.plan.blend, d.plan.depth, d);
        case TevKind::Yuv:
            return DrawRowsFor<TevKind::Yuv>(d.plan.blend, d.plan.depth, d);
        default:
            return DrawRowsFor<TevKind::General>(d.plan.blend, d.plan.depth, d);
    }
}
