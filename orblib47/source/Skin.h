// Vertex skinning: a skinned model keeps its vertices in rest pose, quantised to 16
// bits; before it is drawn every vertex is carried into the current pose on the
// processor, blended over up to three bone matrices by its weights. The model's
// vertex command stream groups the vertices into runs that share bones, and each
// run is one kernel call over consecutive vertices.
//
// Declarations are grouped by the file that defines them: SkinQuant.cpp (the
// quantised loads), SkinKernel.cpp (the kernels), SkinWeight.cpp (the stream walk).
#pragma once

#include <span>

#include "orblib47/source/Bone.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

// A skinned vertex of the model's payload, in native byte order (the model loader
// swaps the array in place).
struct s_model_vertex_skinned {
    s16 u, v;
    s16 coord[3];
    s16 normal[3];
    u32 color;  // 0xRRGGBBAA
};
static_assert(sizeof(s_model_vertex_skinned) == 20);

// A skinned vertex's three bone weights, unsigned 16-bit, 0x8000 = 1.0.
struct s_model_vertex_weight {
    u16 weight[3];
};
static_assert(sizeof(s_model_vertex_weight) == 6);

// One weighted vertex of the model's weighted buffer, in model space.
struct s_vert_pair {
    f32 x, y, z;
    f32 nx, ny, nz;
};

// One vertex command, decoded from its 8 big-endian bytes.
struct s_vertex_cmd {
    u8 type;
    u8 parm8;
    u16 parm16;
    u32 parm32;
};

enum e_VERTEX_CMD : u8 {
    VERTEX_CMD_END = 0,
    VERTEX_CMD_MATRIX1 = 1,  // parm8
    VERTEX_CMD_MATRIX2 = 2,  // parm8, parm16
    VERTEX_CMD_MATRIX3 = 3,  // parm8, parm16, parm32
    VERTEX_CMD_MATRIX4 = 4,  // not supported
    VERTEX_CMD_SKIN = 5,     // parm16 first vertex, parm32 vertex count
};
constexpr u32 VERTEX_CMD_SIZE = 8;

// Command `index` of a big-endian stream of 8-byte commands (mesh commands share
// the layout).
inline s_vertex_cmd VertexCmdAt(const u8* commands, u32 index) {
    const u8* p = commands + index * VERTEX_CMD_SIZE;
    return {p[0], p[1], LoadBE16(p + 2), LoadBE32(p + 4)};
}

// The skin index table's length, and so the longest run under three matrices.
constexpr u32 MODEL_SKIN_INDEX_COUNT = 256;

// What weighting needs of a skinned model; the model loader fills it from the chunk.
struct s_model_skin {
    std::span<const u8> vertexCommands;  // s_vertex_cmd records as in the file (big-endian)
    std::span<const s_model_vertex_skinned> vertexListUnion;
    std::span<const s_model_vertex_weight> vertexWeightList;
    u32 vertNormGQR;                           // quantisation of coordinates and normals
    std::span<s_vert_pair> outVertNormBuffer;  // empty when it could not be allocated
};

// --- SkinQuant.cpp

// A processor quantisation register's load half: value = raw x 2^-scale.
struct s_quant_load {
    u8 type;  // 0 f32, 4 u8, 5 u16, 6 s8, 7 s16
    f32 scale;
};
enum : u8 {
    QUANT_TYPE_F32 = 0,
    QUANT_TYPE_U8 = 4,
    QUANT_TYPE_U16 = 5,
    QUANT_TYPE_S8 = 6,
    QUANT_TYPE_S16 = 7
};

// Decodes the load type (bits 16-18) and the signed 6-bit load scale (bits 24-29).
s_quant_load QuantLoadDecode(u32 gqr);

// One 16-bit field read through a 16-bit load type (u16 or s16).
inline f32 QuantLoad16(const s_quant_load& q, s16 raw) {
    return (q.type == QUANT_TYPE_U16 ? f32(u16(raw)) : f32(raw)) * q.scale;
}

// dst = the three dequantised values of src and 1.0 in w.
void GetVector3GQR(const s16* src, s_Vector4* dst, const s_quant_load& q);

// The one reading of a stored skin weight: unsigned, 2^-15 per step, so 0x8000 is a
// full weight.
inline f32 ModelSkinWeight(u16 raw) {
    return f32(raw) * (1.0f / 32768.0f);
}

// --- SkinKernel.cpp (every count at least 1; only the upper 3 x 4 of a matrix is used)

// out[i] = M applied to in[i] (position with translation, normal with rotation only).
void ModelSkin1Vecs32Norms32(const s_Matrix4& M, const s_model_vertex_skinned* in, s_vert_pair* out,
                             u32 count, const s_quant_load& q);
// out[i] = w0 x (A applied to in[i]) + w1 x (B applied to in[i]).
void ModelSkin2Vecs32Norms32(const s_Matrix4& A, const s_Matrix4& B, const s_model_vertex_weight* weights,
                             const s_model_vertex_skinned* in, s_vert_pair* out, u32 count,
                             const s_quant_load& q);
// out[indices[i]] += w2 x (C applied to in[i]); count at most MODEL_SKIN_INDEX_COUNT.
void ModelSkinAccVecs32Norms32Iu16(const s_Matrix4& C, u32 count, const s_model_vertex_skinned* in,
                                   s_vert_pair* out, const u16* indices, const s_model_vertex_weight* weights,
                                   const s_quant_load& q);

// --- SkinWeight.cpp

// Writes 0..count-1 into the skin index table (count clamped to its length).
void ModelSetupSkinIndices(u32 count);

// Checks the whole vertex command stream against the model's arrays and bone count
// without weighting: what a loader runs once. False, after a one-line error, when a
// command would read or write outside them.
bool ModelCheckVertexCommands(const s_model_skin& model, u32 numBones);

// Runs the vertex command stream: each run is weighted into the weighted buffer with
// the modelMatrixInv of its bones in `header`. Stops with false, after a one-line
// error, at the first command that does not fit the model or the header; a model
// without a weighted buffer, or without a header, is left alone.
bool ModelWeightVertices(const s_model_skin& model, const s_hmatrix* header);
