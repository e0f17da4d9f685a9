// One mesh command stream: materials, bone selections and primitives sent straight
// into the GX FIFO, one GXBegin per primitive command.
#include <algorithm>

#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/ModelDrawInternal.h"

s_Matrix4 gxprj = IDMatrix4;

namespace {

constexpr u32 kBoneSlots = 4;
constexpr u32 kScratchSlots = 3;
constexpr u32 kMaxPrimitiveVertices = 0xFFFF;  // GXBegin's count; a longer primitive is invalid data

// A vertex weighted on its own for the weighted triangle.
struct s_scratch_vertex {
    s_Vector4 coord;
    s_Vector4 normal;
    u32 color;
    s16 u, v;
};

struct s_mesh_walk {
    s_model& model;
    const s_hmatrix* header;
    s_quant_load quant;
    GXPrimitive strip;
    bool textured;
    bool bDraw;
    const s_Matrix4* slots[kBoneSlots];
    s_scratch_vertex scratch[kScratchSlots];
};

bool BoneHidden(const s_hmatrix* header, u32 bone) {
    return header != nullptr && bone < u32(std::max<s16>(header->numBones, 0)) &&
           (header->boneList[bone].flags & HBONE_FLAG_NO_DRAW) != 0;
}

// Slots past the command's bones are cleared; a bone past the matrix list has none.
void SelectBones(s_mesh_walk& walk, const u32* bones, u32 count) {
    for (u32 k = 0; k < kBoneSlots; ++k) {
        const bool held = k < count && bones[k] < MODEL_MAX_BONES && ModelMatrixList != nullptr;
        walk.slots[k] = held ? &ModelMatrixList[bones[k]] : nullptr;
    }
    if (count == 1) {
        walk.bDraw = !BoneHidden(walk.header, bones[0]);
    } else if (count <= 3) {
        const u32 hidden =
            u32(std::count_if(bones, bones + count, [&](u32 b) { return BoneHidden(walk.header, b); }));
        const bool anyHides = walk.header != nullptr && (walk.header->flags & HMATRIX_FLAG_NO_DRAW_OR) != 0;
        walk.bDraw = anyHides ? hidden == 0 : hidden < count;
    }
}

void AddPolygons(u32 count) {
    DrawContext.stats[DRAW_STAT_POLYGONS] += count;
}

void DrawStaticStrip(const s_mesh_walk& walk, const s_model_mesh& mesh, const s_model_command& cmd) {
    const u32 count = u32(cmd.parm16) + 2;
    if (count > kMaxPrimitiveVertices)
        return;
    AddPolygons(cmd.parm16);
    const u16* index = mesh.indexList + cmd.parm32;
    GXBegin(walk.strip, GXVtxFmt(DRAW_VTXFMT_COMPRESSED), u16(count));
    for (u32 i = 0; i < count; ++i)
        ModelSendStaticVertex(walk.model, index[i], walk.quant, walk.textured);
    GXEnd();
}

void DrawWeighted(const s_mesh_walk& walk, const s_model_mesh& mesh, GXPrimitive type, u32 polygons,
                  u32 count, u32 first) {
    if (walk.model.outVertNormBuffer.empty() || count > kMaxPrimitiveVertices)
        return;
    AddPolygons(polygons);
    const u16* index = mesh.indexList + first;
    GXBegin(type, GXVtxFmt(DRAW_VTXFMT_MESH), u16(count));
    for (u32 i = 0; i < count; ++i)
        ModelSendWeightedVertex(walk.model, index[i], walk.textured);
    GXEnd();
}

// The rest vertex carried by the selected bones with the vertex's own weights; the
// fourth weight takes what the stored three leave.
void WeightVertex(s_mesh_walk& walk, u32 slot, u32 vertex) {
    const s_model& model = walk.model;
    if (slot >= kScratchSlots || vertex >= model.skinnedVertices.size() ||
        vertex >= model.vertexWeightList.size())
        return;
    const s_model_vertex_skinned& v = model.skinnedVertices[vertex];
    const u16* raw = model.vertexWeightList[vertex].weight;
    f32 w[kBoneSlots];
    for (u32 k = 0; k < 3; ++k)
        w[k] = ModelSkinWeight(raw[k]);
    w[3] = 1.0f - (w[0] + w[1] + w[2]);
    s_Vector4 rest, restNormal;
    GetVector3GQR(v.coord, &rest, walk.quant);
    GetVector3GQR(v.normal, &restNormal, walk.quant);
    s_scratch_vertex& out = walk.scratch[slot];
    out = {{0.0f, 0.0f, 0.0f, 1.0f}, {}, v.color, v.u, v.v};
    for (u32 k = 0; k < kBoneSlots; ++k)
        if (walk.slots[k] != nullptr && w[k] != 0.0f)
            ModelAccumulateBone(*walk.slots[k], w[k], rest, restNormal, &out.coord, &out.normal);
    Vect4Normal(&out.normal, &out.normal);
}

void DrawWeightedTriangle(const s_mesh_walk& walk) {
    GXBegin(GX_TRIANGLES, GXVtxFmt(DRAW_VTXFMT_MESH), kScratchSlots);
    for (const s_scratch_vertex& s : walk.scratch) {
        GXPosition3f32(s.coord.x, s.coord.y, s.coord.z);
        GXNormal3f32(s.normal.x, s.normal.y, s.normal.z);
        GXColor1u32(s.color);
        if (walk.textured)
            GXTexCoord2s16(s.u, s.v);
    }
    GXEnd();
}

// Projected-texture coordinates of stencil-locked drawing: gxprj after the model view.
void LoadStencilProjection() {
    s_Matrix4 m = gxprj;
    if (const s_Matrix4* modelView = DrawGetMatrix())
        Matrix4MultMatrix4x4(&m, modelView, &gxprj);
    Mtx hw;
    for (s32 r = 0; r < 3; ++r)
        for (s32 c = 0; c < 4; ++c)
            hw[r][c] = m.at(r, c);
    GXLoadTexMtxImm(hw, GX_TEXMTX9, GX_MTX3x4);
}

}  // namespace

u32 ModelSkipToMaterial(const s_model_mesh& mesh, u32 i) {
    while (++i < mesh.numCommands) {
        const u8 type = mesh.commands[i * MODEL_COMMAND_SIZE];
        if (type == MODEL_CMD_MATERIAL || type == MODEL_CMD_END)
            break;
    }
    return i;
}

u32 ModelDrawMesh(s_model* model, const s_model_mesh* mesh, u32 state, s_hmatrix* header) {
    const s32 zWrite = DrawContext.zBufferWriteEnable;
    const e_COMBINE_MODE combine = DrawContext.combineMode;
    const e_CULL_MODE cull = DrawContext.cullMode;
    const u32 flatColor = DrawContext.color;

    if (DrawContext.stencilMode == DC_STENCIL_ON && (DrawContext.flags & u_draw_flags::Stencil_Mode_Locked))
        LoadStencilProjection();
    // The vertex layout is declared up front too: a mesh without a material command
    // draws under whatever material the model's list set up.
    s_mesh_walk walk{*model,
                     header,
                     QuantLoadDecode(model->vertNormGQR),
                     DrawContext.polygonMode == DC_POLY_DRAW_LINE ? GX_LINESTRIP : GX_TRIANGLESTRIP,
                     ModelDeclareVertex(),
                     true,
                     {},
                     {}};
    const bool skinned = (model->flags & MODEL_FLAG_SKINNED) != 0;

    u32 i = 0;
    while (i < mesh->numCommands) {
        const s_model_command cmd = ModelCommandAt(mesh->commands, i);
        if (cmd.type == MODEL_CMD_END)
            break;
        switch (cmd.type) {
            case MODEL_CMD_MATERIAL:
                if (!OrbMaterial.Set(cmd.parm8)) {
                    i = ModelSkipToMaterial(*mesh, i);
                    continue;
                }
                walk.textured = ModelDeclareVertex();
                break;
            case MODEL_CMD_BONES1:
            case MODEL_CMD_BONES2:
            case MODEL_CMD_BONES3:
            case MODEL_CMD_BONES4: {
                const u32 bones[kBoneSlots] = {cmd.parm8, cmd.parm16,
                                               cmd.type == MODEL_CMD_BONES4 ? cmd.parm32 >> 16 : cmd.parm32,
                                               cmd.parm32 & 0xFFFFu};
                SelectBones(walk, bones, u32(cmd.type - MODEL_CMD_BONES1) + 1);
                break;
            }
            case MODEL_CMD_SKIN_TRIS:
                if (walk.bDraw)
                    DrawWeighted(walk, *mesh, GX_TRIANGLES, cmd.parm16, 3u * cmd.parm16, cmd.parm32);
                break;
            case MODEL_CMD_STRIP:
                if (walk.bDraw)
                    DrawStaticStrip(walk, *mesh, cmd);
                break;
            case MODEL_CMD_SKIN_STRIP:
                if (walk.bDraw)
                    DrawWeighted(walk, *mesh, walk.strip, cmd.parm16, u32(cmd.parm16) + 2, cmd.parm32);
                break;
            case MODEL_CMD_WEIGHT_VERT:
                if (skinned)
                    WeightVertex(walk, cmd.parm8, cmd.parm16);
                break;
            case MODEL_CMD_WEIGHT_TRI:
                DrawWeightedTriangle(walk);
                break;
            default:
                break;
        }
        ++i;
    }

    DrawSetZBufferWrite(zWrite);
    DrawSetCullMode(cull);
    DrawSetCombineMode(combine);
    DrawSetFlatColor(flatColor);
    return state;
}
