// A native model held in vectors sized exactly, so that the sanitizers see any read
// past one of its arrays: meshes with their command streams and one shared index
// list, quantised, float or skinned vertices, a skeleton and materials. For the
// drawing tests and benchmark; no chunk or loader is involved.
#pragma once

#include <deque>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"

class ModelBuilder {
public:
    static constexpr u32 kGqr = 0x08070807u;  // signed 16-bit, 1/256 per step
    static constexpr f32 kStep = 1.0f / 256.0f;

    // Starts a new mesh; commands go to the last one started.
    ModelBuilder& Mesh() {
        commands_.emplace_back();
        return *this;
    }
    ModelBuilder& Command(u8 type, u8 parm8 = 0, u16 parm16 = 0, u32 parm32 = 0) {
        Encode(commands_.back(), type, parm8, parm16, parm32);
        return *this;
    }
    // A primitive command over `indices`, appended to the shared index list.
    ModelBuilder& Primitive(u8 type, u16 count, const std::vector<u16>& indices) {
        const u32 first = u32(indices_.size());
        indices_.insert(indices_.end(), indices.begin(), indices.end());
        return Command(type, 0, count, first);
    }

    // A static vertex at (x, y, z), in kStep units.
    void Quant(s16 x, s16 y, s16 z, u32 color) {
        quant_.push_back({s16(x & 0x3FF), s16(y & 0x3FF), {x, y, z, 0}, {0, 0, 64, 0}, color});
    }
    // A float vertex (a model without quantisation) at (x, y, z).
    void Float(f32 x, f32 y, f32 z, u32 color) {
        s_model_vertex_float v{};
        v.coord[0] = x;
        v.coord[1] = y;
        v.coord[2] = z;
        v.normal[2] = 64;
        v.color = color;
        float_.push_back(v);
    }
    // A skinned vertex on `bones` (0xFF none) with weights w, in kStep units.
    void Skinned(s16 x, s16 y, s16 z, u32 color, const u8 (&bones)[3], const u16 (&w)[3]) {
        skinned_.push_back({s16(x & 0x3FF), s16(y & 0x3FF), {x, y, z}, {0, 0, 256}, color});
        weights_.push_back({{w[0], w[1], w[2]}});
        weightBones_.push_back(u32(bones[0]) << 24 | u32(bones[1]) << 16 | u32(bones[2]) << 8 | 0xFFu);
    }
    // One command of a skinned model's vertex command stream.
    ModelBuilder& VertexCommand(u8 type, u8 parm8 = 0, u16 parm16 = 0, u32 parm32 = 0) {
        Encode(vertexCommands_, type, parm8, parm16, parm32);
        return *this;
    }

    // Bone b draws mesh meshIds[b] (-1 none) at `local` relative to the model.
    void Bone(s16 meshId, const s_Matrix4& local) {
        s_hmatrix_bone_def def{};
        def.localMatrix = local;
        def.model2BoneMatrix = IDMatrix4;
        def.parentId = def.siblingId = def.childId = -1;
        def.meshId = meshId;
        def.boneId = s16(bones_.size());
        bones_.push_back(def);
    }
    // The default material with `flags`, without its texture.
    void Material(u32 flags) {
        s_ORB_MATERIAL material = MaterialModes[MATERIAL_MODE_DEFAULT];
        material.flags = flags;
        material.numTexturePasses = 0;
        materials_.push_back(material);
    }

    // Points the model at the arrays and gives the materials their setup functions;
    // the builder must outlive the model and stay unchanged.
    s_model* Build(u32 flags = 0) {
        model_ = {};
        model_.flags = flags;
        meshes_.clear();
        for (const std::vector<u8>& stream : commands_) {
            s_model_mesh mesh{};
            mesh.commands = stream.data();
            mesh.numCommands = u32(stream.size() / MODEL_COMMAND_SIZE);
            mesh.numPolygons = 1;
            mesh.indexList = indices_.data();
            mesh.numIndices = s32(indices_.size());
            meshes_.push_back(mesh);
        }
        model_.numMeshes = s32(meshes_.size());
        model_.meshList = meshes_.data();
        model_.numIndices = s32(indices_.size());
        model_.indexList = indices_.data();
        model_.numBones = s32(bones_.size());
        model_.boneList = bones_.data();
        model_.numOrbMaterials = s32(materials_.size());
        model_.orbMaterialList = materials_.data();
        OrbMaterial.Load(materials_.data(), model_.numOrbMaterials);
        model_.vertNormGQR = kGqr;
        if (flags & MODEL_FLAG_SKINNED) {
            model_.numVertex = s32(skinned_.size());
            model_.skinnedVertices = skinned_;
            model_.vertexWeightList = weights_;
            model_.weightBones = weightBones_;
            model_.vertexCommands = vertexCommands_;
            out_.assign(skinned_.size() + 1, s_vert_pair{});
            model_.outVertNormBuffer = out_;
        } else if (!float_.empty()) {
            model_.numVertex = s32(float_.size());
            model_.floatVertices = float_;
            model_.vertNormGQR = 0;
        } else {
            model_.numVertex = s32(quant_.size());
            model_.quantVertices = quant_;
        }
        return &model_;
    }

private:
    static void Encode(std::vector<u8>& stream, u8 type, u8 parm8, u16 parm16, u32 parm32) {
        static_assert(MODEL_COMMAND_SIZE == VERTEX_CMD_SIZE);
        const size_t at = stream.size();
        stream.resize(at + MODEL_COMMAND_SIZE);
        stream[at] = type;
        stream[at + 1] = parm8;
        StoreBE16(&stream[at + 2], parm16);
        StoreBE32(&stream[at + 4], parm32);
    }

    std::deque<std::vector<u8>> commands_;
    std::vector<u16> indices_;
    std::vector<s_model_vertex_quant> quant_;
    std::vector<s_model_vertex_float> float_;
    std::vector<s_model_vertex_skinned> skinned_;
    std::vector<s_model_vertex_weight> weights_;
    std::vector<u32> weightBones_;
    std::vector<u8> vertexCommands_;
    std::vector<s_vert_pair> out_;
    std::vector<s_model_mesh> meshes_;
    std::vector<s_hmatrix_bone_def> bones_;
    std::vector<s_ORB_MATERIAL> materials_;
    s_model model_{};
};
