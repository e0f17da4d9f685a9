// Vertex lighting, written once for any vector width. Not a normal header: a
// file includes it inside its own unnamed namespace, after defining for its
// width kLanes, the vector types VF and VI and Sqrt, and after including
// gx_lanes_kernel.h. Every header it needs is included before that, so nothing
// here includes anything.
//
// Every lane does the sums one vertex alone would, in the same order, so the
// colours are the same however wide the groups and however the vertices fall
// into them.

// kLanes vertices, lane i of each vector being vertex i's.
struct Lanes {
    VF eye[3], normal[3];  // view space; normal unread unless the plan is lit
    VF color[2][4];        // the vertex colours in 0..1, of the plan's channels
};

VF Splat(f32 v) {
    return VF{} + v;
}

VF Dot(const VF a[3], const VF b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

VF Dot(const VF a[3], const f32 b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

VF Poly(const f32 c[3], VF x) {
    return c[0] + c[1] * x + c[2] * x * x;
}

// std::max(a, 0.0f): NaN stays.
VF AtLeastZero(VF a) {
    return a < 0.0f ? VF{} : a;
}

// a / k, where a degenerate light (k <= 0) gives nothing rather than a division
// by zero.
VF Attenuation(VF a, VF k) {
    return k > 0.0f ? AtLeastZero(a) / k : VF{};
}

// The light's weight at the vertices: diffuse function times attenuation.
VF LightWeight(const ChanCtrl& ctrl, const GXLightObj& light, const VF eye[3], const VF normal[3]) {
    VF toLight[3] = {light.pos[0] - eye[0], light.pos[1] - eye[1], light.pos[2] - eye[2]};
    const VF distance = Sqrt(Dot(toLight, toLight));
    const VI away = distance > 0.0f;
    for (VF& c : toLight)
        c = away ? c / distance : c;
    const VF nDotL = Dot(normal, toLight);
    VF diffuse = Splat(1.0f);
    if (ctrl.diffFn == GX_DF_SIGN)
        diffuse = nDotL;
    else if (ctrl.diffFn == GX_DF_CLAMP)
        diffuse = AtLeastZero(nDotL);

    VF attn = Splat(1.0f);
    if (ctrl.attnFn == GX_AF_SPOT) {
        const VF fromLight[3] = {-toLight[0], -toLight[1], -toLight[2]};
        attn = Attenuation(Poly(light.a, Dot(fromLight, light.dir)), Poly(light.k, distance));
    } else if (ctrl.attnFn == GX_AF_SPEC) {
        // dir holds the half-angle; both polynomials take N.H.
        const VF nDotH = AtLeastZero(Dot(normal, light.dir));
        attn = nDotL > 0.0f ? Attenuation(Poly(light.a, nDotH), Poly(light.k, nDotH)) : VF{};
    }
    return diffuse * attn;
}

// The lights' weights at the vertices. A vertex's parts usually light with the
// same functions (colour and alpha set together), so a weight is worked out
// once and kept for as long as the functions stay the same.
class VertexWeights {
public:
    VertexWeights(const LightPlan& plan, const Lanes& in) : m_plan(plan), m_in(in) {}

    VF Of(const ChanCtrl& ctrl, u32 light) {
        if (ctrl.diffFn != m_diffFn || ctrl.attnFn != m_attnFn) {
            m_diffFn = ctrl.diffFn;
            m_attnFn = ctrl.attnFn;
            m_known = 0;
        }
        if ((m_known & (1u << light)) == 0) {
            m_weight[light] = LightWeight(ctrl, m_plan.lights[light], m_in.eye, m_in.normal);
            m_known |= 1u << light;
        }
        return m_weight[light];
    }

private:
    const LightPlan& m_plan;
    const Lanes& m_in;
    GXDiffuseFn m_diffFn = GX_DF_NONE;
    GXAttnFn m_attnFn = GX_AF_NONE;
    u32 m_known = 0;
    VF m_weight[kLightCount];
};

// std::clamp(v, 0, 1): NaN stays.
VF Clamp01(VF v) {
    return v < 0.0f ? VF{} : v > 1.0f ? Splat(1.0f) : v;
}

void LightPart(const LightPlan& plan, const LightPlan::Part& part, const VF vtx[4], VertexWeights& weights,
               VF* out) {
    const ChanCtrl& ctrl = part.ctrl;
    const int first = part.first, last = part.first + part.count;
    auto material = [&](int k) { return part.vtxMat ? vtx[k] : Splat(part.mat[k]); };
    if (!ctrl.enable) {
        for (int k = first; k < last; ++k)
            out[k] = material(k);
        return;
    }
    VF sum[4];
    for (int k = first; k < last; ++k)
        sum[k] = part.vtxAmb ? vtx[k] : Splat(part.amb[k]);
    for (u32 i = 0; i < kLightCount; ++i) {
        if ((ctrl.lightMask & (1u << i)) == 0)
            continue;
        const VF weight = weights.Of(ctrl, i);
        for (int k = first; k < last; ++k)
            sum[k] += plan.lightColor[i][k] * weight;
    }
    for (int k = first; k < last; ++k)
        out[k] = material(k) * Clamp01(sum[k]);
}

// The vertices which[0 .. used), used <= kLanes, into the lanes; the lanes
// beyond take the last vertex again. Normals go through the normal matrix.
// Only what the plan reads: the normals when lit, the channels it has.
void Gather(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 used, Lanes* in) {
    const EyeVertex* v[kLanes];
    LaneVertices(eye, which, used, v);
    for (int r = 0; r < 3; ++r)
        in->eye[r] = FromLanes<VF>([&](int lane) { return v[lane]->eye[r]; });
    if (plan.lit) {
        VF model[3];
        for (int r = 0; r < 3; ++r)
            model[r] = FromLanes<VF>([&](int lane) { return v[lane]->decoded.nrm[r]; });
        const f32(&n)[3][3] = plan.normalMtx;
        for (int r = 0; r < 3; ++r)
            in->normal[r] = n[r][0] * model[0] + n[r][1] * model[1] + n[r][2] * model[2];
    }
    // The bytes of a colour as one word a lane, red lowest; each byte / 255,
    // as the plan's colours are.
    for (u32 c = 0; c < plan.numChans && c < 2; ++c) {
        const VI words = FromLanes<VI>([&](int lane) {
            s32 word;
            std::memcpy(&word, &v[lane]->decoded.clr[c], sizeof word);
            return word;
        });
        for (int j = 0; j < 4; ++j)
            in->color[c][j] = __builtin_convertvector(words >> (8 * j) & 0xFF, VF) / 255.0f;
    }
}

// Lights the vertices which[0 .. used) and writes their colours.
void LightGroup(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 used, RasterVertex* out) {
    Lanes in;
    Gather(plan, eye, which, used, &in);
    VF colors[2][4];
    VertexWeights weights(plan, in);
    for (u32 c = 0; c < 2; ++c) {
        if (c >= plan.numChans) {
            for (VF& k : colors[c])
                k = VF{};
            continue;
        }
        LightPart(plan, plan.parts[c][0], in.color[c], weights, colors[c]);
        LightPart(plan, plan.parts[c][1], in.color[c], weights, colors[c]);
    }
    for (int c = 0; c < 2; ++c) {
        float* to[kLanes];
        for (u32 lane = 0; lane < used; ++lane)
            to[lane] = out[which[lane]].color[c];
        StoreQuads(colors[c], to, used);
    }
}
