// A skinned model held in vectors sized exactly, so that the sanitizers see any read
// or write past one of its arrays; for the skinning tests and benchmark.
#pragma once

#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Skin.h"

struct SkinModelBuilder {
    static constexpr u32 kGqr = 0x08070807u;  // signed 16-bit, 1/256 per step
    static constexpr f32 kStep = 1.0f / 256.0f;

    std::vector<u8> commands;
    std::vector<s_model_vertex_skinned> vertices;
    std::vector<s_model_vertex_weight> weights;
    std::vector<s_vert_pair> out;  // one record more than there are vertices

    void Command(u8 type, u8 parm8 = 0, u16 parm16 = 0, u32 parm32 = 0) {
        const size_t at = commands.size();
        commands.resize(at + VERTEX_CMD_SIZE);
        commands[at] = type;
        commands[at + 1] = parm8;
        StoreBE16(&commands[at + 2], parm16);
        StoreBE32(&commands[at + 4], parm32);
    }
    void Run(u16 first, u32 count) { Command(VERTEX_CMD_SKIN, 0, first, count); }
    void End() { Command(VERTEX_CMD_END); }

    // A vertex at (x, y, z) with normal (nx, ny, nz), in units of kStep.
    void Vertex(s16 x, s16 y, s16 z, s16 nx, s16 ny, s16 nz, u16 w0, u16 w1, u16 w2) {
        vertices.push_back({0, 0, {x, y, z}, {nx, ny, nz}, 0xFFFFFFFFu});
        weights.push_back({{w0, w1, w2}});
        out.assign(vertices.size() + 1, s_vert_pair{});
    }

    s_model_skin Skin() { return {commands, vertices, weights, kGqr, out}; }
};

// A pose whose bone b carries the skinning matrix matrices[b].
class SkinPose {
public:
    explicit SkinPose(const std::vector<s_Matrix4>& matrices) : bones_(matrices.size()) {
        for (size_t b = 0; b < matrices.size(); ++b)
            bones_[b].modelMatrixInv = matrices[b];
        header_.numBones = header_.maxBones = s16(bones_.size());
        header_.boneList = bones_.data();
    }
    SkinPose(const SkinPose&) = delete;
    SkinPose& operator=(const SkinPose&) = delete;

    const s_hmatrix* Header() const { return &header_; }

private:
    std::vector<s_hmatrix_bone> bones_;
    s_hmatrix header_{};
};
