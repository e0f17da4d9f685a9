// The skinning kernels: one tight loop per run of vertices that share bones. The
// matrix rows are copied to locals for the whole run and the loop body has no
// branches; the load type is chosen once per run.
#include "orblib47/source/Debug.h"
#include "orblib47/source/Skin.h"

namespace {

// The upper 3 x 4 of a bone matrix, row-major, translation in column 3.
struct Rows3x4 {
    f32 m[12];
};

Rows3x4 Rows(const s_Matrix4& M) {
    Rows3x4 r;
    for (int i = 0; i < 12; ++i)
        r.m[i] = M.element[i];
    return r;
}

// A rest-pose vertex: position then normal.
struct Rest {
    f32 v[6];
};

template <bool kUnsigned>
inline f32 Load(s16 raw, f32 scale) {
    return (kUnsigned ? f32(u16(raw)) : f32(raw)) * scale;
}

template <bool kUnsigned>
inline Rest Dequantise(const s_model_vertex_skinned& in, f32 scale) {
    return {{Load<kUnsigned>(in.coord[0], scale), Load<kUnsigned>(in.coord[1], scale),
             Load<kUnsigned>(in.coord[2], scale), Load<kUnsigned>(in.normal[0], scale),
             Load<kUnsigned>(in.normal[1], scale), Load<kUnsigned>(in.normal[2], scale)}};
}

// The vertex carried by one matrix: position with translation, normal rotation only.
inline Rest Transform(const Rows3x4& r, const Rest& v) {
    Rest o;
    for (int row = 0; row < 3; ++row) {
        const f32* m = &r.m[4 * row];
        o.v[row] = m[0] * v.v[0] + m[1] * v.v[1] + m[2] * v.v[2] + m[3];
        o.v[3 + row] = m[0] * v.v[3] + m[1] * v.v[4] + m[2] * v.v[5];
    }
    return o;
}

inline void Store(s_vert_pair& out, const Rest& o) {
    out = {o.v[0], o.v[1], o.v[2], o.v[3], o.v[4], o.v[5]};
}

template <bool kUnsigned>
void Skin1(const Rows3x4& a, const s_model_vertex_skinned* in, s_vert_pair* out, u32 count, f32 scale) {
    for (u32 i = 0; i < count; ++i)
        Store(out[i], Transform(a, Dequantise<kUnsigned>(in[i], scale)));
}

template <bool kUnsigned>
void Skin2(const Rows3x4& a, const Rows3x4& b, const s_model_vertex_weight* weights,
           const s_model_vertex_skinned* in, s_vert_pair* out, u32 count, f32 scale) {
    for (u32 i = 0; i < count; ++i) {
        const Rest v = Dequantise<kUnsigned>(in[i], scale);
        const Rest pa = Transform(a, v);
        const Rest pb = Transform(b, v);
        const f32 w0 = ModelSkinWeight(weights[i].weight[0]);
        const f32 w1 = ModelSkinWeight(weights[i].weight[1]);
        Rest o;
        for (int k = 0; k < 6; ++k)
            o.v[k] = w0 * pa.v[k] + w1 * pb.v[k];
        Store(out[i], o);
    }
}

template <bool kUnsigned>
void SkinAcc(const Rows3x4& c, u32 count, const s_model_vertex_skinned* in, s_vert_pair* out,
             const u16* indices, const s_model_vertex_weight* weights, f32 scale) {
    for (u32 i = 0; i < count; ++i) {
        const Rest pc = Transform(c, Dequantise<kUnsigned>(in[i], scale));
        const f32 w2 = ModelSkinWeight(weights[i].weight[2]);
        s_vert_pair& o = out[indices[i]];
        o.x += w2 * pc.v[0];
        o.y += w2 * pc.v[1];
        o.z += w2 * pc.v[2];
        o.nx += w2 * pc.v[3];
        o.ny += w2 * pc.v[4];
        o.nz += w2 * pc.v[5];
    }
}

}  // namespace

void ModelSkin1Vecs32Norms32(const s_Matrix4& M, const s_model_vertex_skinned* in, s_vert_pair* out,
                             u32 count, const s_quant_load& q) {
    if (q.type == QUANT_TYPE_U16)
        Skin1<true>(Rows(M), in, out, count, q.scale);
    else
        Skin1<false>(Rows(M), in, out, count, q.scale);
}

void ModelSkin2Vecs32Norms32(const s_Matrix4& A, const s_Matrix4& B, const s_model_vertex_weight* weights,
                             const s_model_vertex_skinned* in, s_vert_pair* out, u32 count,
                             const s_quant_load& q) {
    if (q.type == QUANT_TYPE_U16)
        Skin2<true>(Rows(A), Rows(B), weights, in, out, count, q.scale);
    else
        Skin2<false>(Rows(A), Rows(B), weights, in, out, count, q.scale);
}

void ModelSkinAccVecs32Norms32Iu16(const s_Matrix4& C, u32 count, const s_model_vertex_skinned* in,
                                   s_vert_pair* out, const u16* indices, const s_model_vertex_weight* weights,
                                   const s_quant_load& q) {
    ORB_ASSERT(count <= MODEL_SKIN_INDEX_COUNT, "Skin run of %u vertices passes the index table\n", count);
    if (q.type == QUANT_TYPE_U16)
        SkinAcc<true>(Rows(C), count, in, out, indices, weights, q.scale);
    else
        SkinAcc<false>(Rows(C), count, in, out, indices, weights, q.scale);
}
