#include "tools/modelgen/Skinning.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "orblib47/source/Model.h"
#include "tools/modelgen/Quantise.h"

namespace modelgen {

namespace {

// The used slots in bone order: the bone set that decides a vertex's run.
struct BoneSet {
    std::array<u8, 3> bones{kNoBone, kNoBone, kNoBone};
    std::array<f32, 3> weights{};
    u32 count = 0;
};

BoneSet Canonical(const Influences& in, u32 numBones) {
    BoneSet set;
    f32 sum = 0;
    for (u32 k = 0; k < 3; ++k) {
        if (in.weights[k] == 0)
            continue;
        if (!(in.weights[k] > 0) || in.bones[k] >= std::min(numBones, MODEL_MAX_BONES))
            throw std::invalid_argument("modelgen: a skin weight below zero or a bone past the skeleton");
        set.bones[set.count] = in.bones[k];
        set.weights[set.count++] = in.weights[k];
        sum += in.weights[k];
    }
    if (set.count == 0)
        throw std::invalid_argument("modelgen: a skinned vertex follows no bone");
    for (u32 i = 1; i < set.count; ++i)
        for (u32 j = i; j > 0 && set.bones[j] < set.bones[j - 1]; --j) {
            std::swap(set.bones[j], set.bones[j - 1]);
            std::swap(set.weights[j], set.weights[j - 1]);
        }
    for (u32 i = 1; i < set.count; ++i)
        if (set.bones[i] == set.bones[i - 1])
            throw std::invalid_argument("modelgen: a bone given twice for one vertex");
    for (u32 k = 0; k < set.count; ++k)
        set.weights[k] /= sum;
    return set;
}

// Rounded weights, the largest taking up the rounding so that they sum to 0x8000.
s_model_vertex_weight RawWeights(const BoneSet& set) {
    s_model_vertex_weight raw{};
    u32 largest = 0, sum = 0;
    for (u32 k = 0; k < set.count; ++k) {
        raw.weight[k] = u16(std::lround(set.weights[k] * 32768.0f));
        sum += raw.weight[k];
        if (set.weights[k] > set.weights[largest])
            largest = k;
    }
    raw.weight[largest] = u16(raw.weight[largest] + 0x8000 - sum);
    return raw;
}

u32 PackBones(const BoneSet& set) {
    return (u32(set.bones[0]) << 24) | (u32(set.bones[1]) << 16) | (u32(set.bones[2]) << 8) | kNoBone;
}

s_model_vertex_skinned Quantised(const Vertex& v, u32 gqr) {
    return {QuantiseUV(v.u),
            QuantiseUV(v.v),
            {QuantiseCoord(v.pos.x, gqr), QuantiseCoord(v.pos.y, gqr), QuantiseCoord(v.pos.z, gqr)},
            {QuantiseCoord(v.normal.x, gqr), QuantiseCoord(v.normal.y, gqr), QuantiseCoord(v.normal.z, gqr)},
            v.color};
}

void Commands(std::vector<s_vertex_cmd>* out, const BoneSet& set, u32 first, u32 count) {
    const u8 matrix[] = {VERTEX_CMD_MATRIX1, VERTEX_CMD_MATRIX2, VERTEX_CMD_MATRIX3};
    out->push_back({matrix[set.count - 1], set.bones[0], u16(set.count > 1 ? set.bones[1] : 0),
                    set.count > 2 ? set.bones[2] : 0u});
    const u32 longest = set.count == 3 ? MODEL_SKIN_INDEX_COUNT : count;
    for (u32 done = 0; done < count; done += longest)
        out->push_back({VERTEX_CMD_SKIN, 0, u16(first + done), std::min(longest, count - done)});
}

}  // namespace

void SkinMesh(Mesh* mesh, const std::vector<Influences>& influences, u32 numBones,
              discbuild::VhmModel* model) {
    const u32 n = u32(mesh->vertices.size());
    if (influences.size() != n)
        throw std::invalid_argument("modelgen: one set of skin weights a vertex");
    std::vector<BoneSet> sets;
    for (const Influences& in : influences)
        sets.push_back(Canonical(in, numBones));
    std::vector<u32> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](u32 a, u32 b) { return sets[a].bones < sets[b].bones; });

    std::vector<u16> newIndex(n);
    std::vector<Vertex> vertices;
    f32 largest = 1;  // the normals share the coordinates' scale
    for (u32 i = 0; i < n; ++i) {
        newIndex[order[i]] = u16(i);
        vertices.push_back(mesh->vertices[order[i]]);
        const s_Vector3& p = vertices.back().pos;
        largest = std::max({largest, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    }
    mesh->vertices = std::move(vertices);
    for (u16& index : mesh->triangles)
        index = newIndex[index];

    model->vertNormGQR = VertNormGQR(largest);
    for (u32 i = 0; i < n; ++i) {
        const BoneSet& set = sets[order[i]];
        model->skinnedVertices.push_back(Quantised(mesh->vertices[i], model->vertNormGQR));
        model->vertexWeights.push_back(RawWeights(set));
        model->weightBones.push_back(PackBones(set));
    }
    for (u32 first = 0; first < n;) {
        u32 end = first + 1;
        while (end < n && sets[order[end]].bones == sets[order[first]].bones)
            ++end;
        Commands(&model->vertexCommands, sets[order[first]], first, end - first);
        first = end;
    }
}

}  // namespace modelgen
