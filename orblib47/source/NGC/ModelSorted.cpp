// Material-sorted drawing of a static model: the visible meshes' strips are
// recorded in one list per material, then each material is set up once and its
// strips drawn.
#include <algorithm>
#include <array>

#include "console/gx.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/ModelDrawInternal.h"

namespace {

// One recorded strip.
struct s_material_draw {
    s_material_draw* next;  // the next strip of the same material
    u32 numVertex;
    u32 index;  // first index in the mesh's index list
    u32 count;  // triangles
    const s_model_mesh* mesh;
};

std::array<s_material_draw, MODEL_MAX_MATERIAL_DRAWS> MaterialDrawRecords;
u32 NumMaterialDraws = 0;
std::array<s_material_draw*, MODEL_MATERIAL_LISTS> MaterialDrawList;
s_model* ModelPtr = nullptr;

// The materials that have a list (a model with more is invalid data).
u32 MaterialCount(const s_model& model) {
    return std::min<u32>(u32(std::max(model.numOrbMaterials, 0)), MODEL_MATERIAL_LISTS);
}

void DrawRecord(const s_model& model, const s_material_draw& record, const s_quant_load& q, bool textured) {
    const u16* index = record.mesh->indexList + record.index;
    const u32 count = record.count + 2;
    GXBegin(GX_TRIANGLESTRIP, GXVtxFmt(DRAW_VTXFMT_COMPRESSED), u16(count));
    for (u32 i = 0; i < count; ++i)
        ModelSendStaticVertex(model, index[i], q, textured);
    GXEnd();
}

}  // namespace

void ModelDrawStart(s_model* model) {
    NumMaterialDraws = 0;
    ModelPtr = model;
    OrbMaterial.SetList(model->orbMaterialList, model->numOrbMaterials);
    std::fill_n(MaterialDrawList.begin(), MaterialCount(*model), nullptr);
}

u32 ModelDrawMeshSorted(s_model* model, const s_model_mesh* mesh, u32 state) {
    if (mesh->numPolygons == 0)
        return 0;
    s32 material = -1;  // strips before any material have none to draw under
    for (u32 i = 0; i < mesh->numCommands; ++i) {
        const s_model_command cmd = ModelCommandAt(mesh->commands, i);
        if (cmd.type == MODEL_CMD_END)
            break;
        if (cmd.type == MODEL_CMD_MATERIAL) {
            material = cmd.parm8;
            if (cmd.parm8 >= MaterialCount(*model) || !OrbMaterial.TestFilter(cmd.parm8))
                i = ModelSkipToMaterial(*mesh, i) - 1;
            continue;
        }
        if (cmd.type != MODEL_CMD_STRIP || material < 0)
            continue;
        if (NumMaterialDraws >= MODEL_MAX_MATERIAL_DRAWS) {
            DEBUG_PRINT("Materials Draw Overflow!\n");
            continue;
        }
        s_material_draw& record = MaterialDrawRecords[NumMaterialDraws++];
        record = {MaterialDrawList[material], u32(model->numVertex), cmd.parm32, cmd.parm16, mesh};
        MaterialDrawList[material] = &record;
        DrawContext.stats[DRAW_STAT_POLYGONS] += cmd.parm16;
    }
    return state;
}

void ModelDrawEnd() {
    if (ModelPtr == nullptr)
        return;
    const s_model& model = *ModelPtr;
    const s32 zWrite = DrawContext.zBufferWriteEnable;
    const e_COMBINE_MODE combine = DrawContext.combineMode;
    const e_CULL_MODE cull = DrawContext.cullMode;
    const s32 lightEnabled = (DrawContext.flags & u_draw_flags::LightEnabled) != 0;
    const s_Vector4 flatColor = DrawContext.colorVect;

    const s_quant_load q = QuantLoadDecode(model.vertNormGQR);
    for (u32 m = 0; NumMaterialDraws > 0 && m < MaterialCount(model); ++m) {
        if (MaterialDrawList[m] == nullptr || !OrbMaterial.Set(s32(m)))
            continue;
        const bool textured = ModelDeclareVertex();
        for (const s_material_draw* record = MaterialDrawList[m]; record != nullptr; record = record->next)
            DrawRecord(model, *record, q, textured);
    }

    DrawSetZBufferWrite(zWrite);
    DrawSetCullMode(cull);
    DrawSetCombineMode(combine);
    DrawEnableLight(lightEnabled);
    DrawSetFlatColorV(&flatColor);
}
