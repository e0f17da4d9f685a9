// The vertex command stream: matrix commands choose the current bones, skin runs
// weight consecutive vertices with them. The walk is bounded by the stream's bytes
// and checks every command against the model's arrays before it touches them.
#include <algorithm>
#include <array>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Skin.h"

namespace {

std::array<u16, MODEL_SKIN_INDEX_COUNT> OutVertNormIndices;

// The bones a run is weighted with.
struct WeightMatrices {
    u32 bone[3];
    u32 count;
};

// Walks the stream to its end command. `run(first, count, matrices)` is called for
// every run under at least one matrix, once the run has been checked against
// `numVertices` and every bone against `numBones`. False, after a one-line error
// naming `who`, at the first command that does not fit or when the stream has no end.
template <class RunFn>
bool WalkVertexCommands(const char* who, std::span<const u8> stream, size_t numVertices, u32 numBones,
                        RunFn&& run) {
    WeightMatrices current{{}, 0};
    for (size_t at = 0; at + VERTEX_CMD_SIZE <= stream.size(); at += VERTEX_CMD_SIZE) {
        const s_vertex_cmd cmd = VertexCmdAt(stream.data() + at, 0);
        const char* fault = nullptr;
        switch (cmd.type) {
            case VERTEX_CMD_END:
                return true;
            case VERTEX_CMD_MATRIX1:
            case VERTEX_CMD_MATRIX2:
            case VERTEX_CMD_MATRIX3: {
                const WeightMatrices next{{cmd.parm8, cmd.parm16, cmd.parm32}, cmd.type};
                if (std::any_of(next.bone, next.bone + next.count, [&](u32 b) { return b >= numBones; }))
                    fault = "bone out of range";
                else
                    current = next;
                break;
            }
            case VERTEX_CMD_MATRIX4:
                fault = "four matrix weights not supported";
                break;
            case VERTEX_CMD_SKIN:
                if (cmd.parm32 == 0 || u64(cmd.parm16) + cmd.parm32 > numVertices)
                    fault = "vertex run out of range";
                else if (current.count == 3 && cmd.parm32 > MODEL_SKIN_INDEX_COUNT)
                    fault = "three-matrix run longer than the index table";
                else if (current.count != 0)
                    run(u32(cmd.parm16), cmd.parm32, current);
                break;
            default:
                break;
        }
        if (fault) {
            DEBUG_PRINT("%s: vertex command %zu: %s\n", who, at / VERTEX_CMD_SIZE, fault);
            return false;
        }
    }
    DEBUG_PRINT("%s: vertex commands have no end\n", who);
    return false;
}

}  // namespace

void ModelSetupSkinIndices(u32 count) {
    count = std::min(count, MODEL_SKIN_INDEX_COUNT);
    for (u32 i = 0; i < count; ++i)
        OutVertNormIndices[i] = u16(i);
}

bool ModelCheckVertexCommands(const s_model_skin& model, u32 numBones) {
    const size_t numVertices = std::min(model.vertexListUnion.size(), model.vertexWeightList.size());
    return WalkVertexCommands("ModelCheckVertexCommands", model.vertexCommands, numVertices, numBones,
                              [](u32, u32, const WeightMatrices&) {});
}

bool ModelWeightVertices(const s_model_skin& model, const s_hmatrix* header) {
    if (model.outVertNormBuffer.empty() || !header)
        return true;
    const s_quant_load q = QuantLoadDecode(model.vertNormGQR);
    if (q.type != QUANT_TYPE_U16 && q.type != QUANT_TYPE_S16) {
        DEBUG_PRINT("ModelWeightVertices: vertices are not 16-bit\n");
        return false;
    }
    const size_t numVertices = std::min(
        {model.vertexListUnion.size(), model.vertexWeightList.size(), model.outVertNormBuffer.size()});
    const u32 numBones = u32(std::max<s16>(header->numBones, 0));
    const auto matrix = [&](u32 bone) -> const s_Matrix4& { return header->boneList[bone].modelMatrixInv; };
    return WalkVertexCommands("ModelWeightVertices", model.vertexCommands, numVertices, numBones,
                              [&](u32 first, u32 count, const WeightMatrices& w) {
                                  const s_model_vertex_skinned* in = model.vertexListUnion.data() + first;
                                  const s_model_vertex_weight* weights =
                                      model.vertexWeightList.data() + first;
                                  s_vert_pair* out = model.outVertNormBuffer.data() + first;
                                  const s_Matrix4& a = matrix(w.bone[0]);
                                  if (w.count == 1) {
                                      ModelSkin1Vecs32Norms32(a, in, out, count, q);
                                      return;
                                  }
                                  ModelSkin2Vecs32Norms32(a, matrix(w.bone[1]), weights, in, out, count, q);
                                  if (w.count == 3)
                                      ModelSkinAccVecs32Norms32Iu16(matrix(w.bone[2]), count, in, out,
                                                                    OutVertNormIndices.data(), weights, q);
                              });
}
