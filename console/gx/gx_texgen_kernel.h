// Texture-coordinate generation, written once for any vector width. Not a
// normal header: a file includes it inside its own unnamed namespace, after
// including <cmath> and <cstring>, defining for its width kLanes and the
// vector type VF, and including gx_lanes_kernel.h.
//
// Every lane does the sums one vertex alone would, in the same order, so the
// coordinates are the same however the vertices are grouped.

// The generator's input row: (x, y, z, 1) for position and normal, (s, t, 1, 1)
// for a texture coordinate.
void TexGenInput(const EyeVertex* const (&v)[kLanes], GXTexGenSrc src, VF in[3]) {
    if (src == GX_TG_POS || src == GX_TG_NRM) {
        for (int r = 0; r < 3; ++r)
            in[r] = FromLanes<VF>([&](int lane) {
                const DecodedVertex& d = v[lane]->decoded;
                return (src == GX_TG_POS ? d.pos : d.nrm)[r];
            });
    } else {
        for (int r = 0; r < 2; ++r)
            in[r] = FromLanes<VF>([&](int lane) { return v[lane]->decoded.tex[src - GX_TG_TEX0][r]; });
        in[2] = VF{} + 1.0f;
    }
}

// out = m (in, 1).
void TexGenMul(const Mtx& m, const VF in[3], VF out[3]) {
    for (int r = 0; r < 3; ++r)
        out[r] = m[r][0] * in[0] + m[r][1] * in[1] + m[r][2] * in[2] + m[r][3];
}

void TexGenNormalize(VF stq[3]) {
    VF length = stq[0] * stq[0] + stq[1] * stq[1] + stq[2] * stq[2];
    for (int lane = 0; lane < kLanes; ++lane)
        length[lane] = std::sqrt(length[lane]);
    for (int c = 0; c < 3; ++c)
        stq[c] = length > 0.0f ? stq[c] / length : stq[c];
}

// s, t, q of the plan's coordinates for the vertices which[0 .. used),
// used <= kLanes, the rest zero.
void TexCoordGroup(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 used,
                   RasterVertex* out) {
    // All zero first, half at a time: cheaper than the unused ones one by one,
    // and than the string store one fill of the whole becomes.
    constexpr u32 kHalf = kMaxTexCoords / 2;
    for (u32 lane = 0; lane < used; ++lane) {
        float(*tex)[3] = out[which[lane]].tex;
        std::memset(tex, 0, kHalf * sizeof tex[0]);
        std::memset(tex + kHalf, 0, kHalf * sizeof tex[0]);
    }
    const EyeVertex* v[kLanes];
    LaneVertices(eye, which, used, v);
    for (u32 i = 0; i < plan.count; ++i) {
        const TexGenPlan::Gen& gen = plan.gens[i];
        VF stq[3];
        TexGenInput(v, gen.src, stq);
        if (gen.useMtx) {
            const VF in[3] = {stq[0], stq[1], stq[2]};
            TexGenMul(gen.mtx, in, stq);
        }
        if (gen.st)
            stq[2] = VF{} + 1.0f;
        if (gen.normalize)
            TexGenNormalize(stq);
        if (gen.usePostMtx) {
            const VF pre[3] = {stq[0], stq[1], stq[2]};
            TexGenMul(gen.postMtx, pre, stq);
        }
        for (u32 lane = 0; lane < used; ++lane)
            for (int c = 0; c < 3; ++c)
                out[which[lane]].tex[i][c] = stq[c][lane];
    }
}
