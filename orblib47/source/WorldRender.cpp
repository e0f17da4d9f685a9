// The world's two draw tasks. The opaque task culls the atoms against the view,
// chooses each atom's model by level of detail, draws what is opaque at once and
// files what has alpha; the alpha task draws the filed meshes afterwards.
//
// Models with an octree are split mesh by mesh on the mesh flags. A whole model
// (no octree) is split on its materials' flags, which the loader gathers for it:
// drawn in the opaque pass when it has opaque materials, filed when it has alpha
// ones. A skinned whole model is skipped: it draws only with bone matrices, which
// a world atom does not have.
#include <algorithm>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/WorldInternal.h"

namespace {

constexpr u32 kMeshTimer = 2;
constexpr u32 kWhite = 0xFFFFFFFFu;
// The world's lights are chosen for the origin, as the scene's are.
constexpr s_Vector3 kLightCentre = {0.0f, 0.0f, 0.0f, 0.0f};

// The atom whose model's octree is being walked.
s32 WorldAtomId = -1;

void File(s32 atomId, s_model* model, s_model_mesh* mesh) {
    if (NumWorldDraw >= WORLD_MAX_DRAWS) {
        DEBUG_PRINT("WorldRenderThread: WorldDrawList overflow!\n");
        return;
    }
    WorldDrawList[NumWorldDraw++] = {atomId, model, mesh, nullptr};
}

// The materials read the world matrix through a pointer; the atom's stays put.
void UseAtomMatrix(s_world_atom& atom) {
    OrbMaterial.m_ObjectWorldMatrix = &atom.matrix;
    OrbMaterial.m_BoneWorldMatrix = &atom.matrix;
}

// Mesh numbers were checked against the model's meshes when it was loaded.
void DrawOrFileMesh(s32 item, void* data, s32, const s_octtree_node*) {
    if (item < 0)
        return;
    s_model* model = static_cast<s_model*>(data);
    s_model_mesh* mesh = &model->meshList[item];
    if (mesh->flags & WORLD_DRAW_OPAQUE)
        ModelDrawMesh(model, mesh, 0, nullptr);
    if (mesh->flags & WORLD_DRAW_ALPHA)
        File(WorldAtomId, model, mesh);
}

void DrawOrFileWholeModel(s32 atomId, s_model* model, s_world_atom& atom) {
    if (model->flags & MODEL_FLAG_SKINNED)
        return;
    if (model->materialFlags & MATERIAL_FLAG_HAS_OPAQUE)
        ModelDraw(model, &atom.matrix, nullptr, nullptr);
    if (model->materialFlags & MATERIAL_FLAG_HAS_ALPHA)
        File(atomId, model, nullptr);
}

// Atom numbers were checked against the world's atoms when it was loaded.
void DrawAtom(s32 item, void*, s32, const s_octtree_node*) {
    if (item < 0 || WorldWaitingLoad)
        return;
    s_world_atom& atom = World->atomList[item];
    s_model* model = ModelGroupGetModel(atom.groupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_NONE, &atom.center,
                                        &atom.prevModel);
    if (model == nullptr)
        return;
    if (model->octTree == nullptr) {
        DrawOrFileWholeModel(item, model, atom);
        return;
    }
    WorldAtomId = item;
    OrbMaterial.SetList(model->orbMaterialList, model->numOrbMaterials);
    UseAtomMatrix(atom);
    DrawLightsOn();
    DrawPushMatrix(&atom.matrix);
    OctTreeFrustumMatrix(model->octTree, &atom.matrix, DrawOrFileMesh, model);
    DrawPopMatrix();
}

// Up to WORLD_MAX_LIGHTS point lights, nearest first, become the draw lights.
void LoadLights() {
    scene_light* lights[SCENE_LIGHT_MAX_LOCAL];
    const s32 count = SceneLightsGetLocal(lights, &kLightCentre, SCENE_LIGHT_POINT);
    SceneLightsSetDrawLights(lights, std::min(count, WORLD_MAX_LIGHTS), 0);
}

}  // namespace

void WorldRenderThread(s_thread*, void*) {
    if (!WorldRenderEnabled || World == nullptr || WorldDrawList == nullptr)
        return;
    ClockResetTimer(kMeshTimer);
    DrawSetProjection(DC_PROJ_3D);
    DrawSetFlatColor(kWhite);
    const u32 ambient = DrawSetAmbientLight(kWhite);
    LoadLights();
    DrawLightsOn();
    ModelSetFilter(WORLD_DRAW_OPAQUE);
    NumWorldDraw = 0;
    OctTreeFrustum(World->octTree, DrawAtom, nullptr);
    ModelSetFilter(MODEL_DRAW_FILTER_DEFAULT);
    DrawSetAmbientLight(ambient);
    DrawLightsOff();
    MSHTime += ClockGetHiresTimer(kMeshTimer);
}

void WorldRenderAlphaThread(s_thread*, void*) {
    if (NumWorldDraw == 0)
        return;
    DrawSetProjection(DC_PROJ_3D);
    DrawSetFlatColor(kWhite);
    DrawLightsOn();
    ClockResetTimer(kMeshTimer);
    ModelSetFilter(WORLD_DRAW_ALPHA);
    s_model* previous = nullptr;  // of the run of mesh draws in progress
    const auto endRun = [&previous] {
        if (previous != nullptr)
            ModelClearVertexArray();
        previous = nullptr;
    };
    for (s32 i = 0; i < NumWorldDraw; ++i) {
        const s_world_render_list& draw = WorldDrawList[i];
        s_world_atom& atom = World->atomList[draw.atomId];
        if (draw.mesh == nullptr) {
            endRun();  // ModelDraw sets its own materials and turns the lights off
            ModelDraw(draw.model, &atom.matrix, nullptr, nullptr);
            continue;
        }
        if (draw.model != previous) {
            endRun();
            ModelSetVertexArray(draw.model);
            OrbMaterial.SetList(draw.model->orbMaterialList, draw.model->numOrbMaterials);
            DrawLightsOn();
            previous = draw.model;
        }
        UseAtomMatrix(atom);
        DrawPushMatrix(&atom.matrix);
        ModelDrawMesh(draw.model, draw.mesh, 0, nullptr);
        DrawPopMatrix();
    }
    endRun();
    DrawLightsOff();
    MSHTime += ClockGetHiresTimer(kMeshTimer);
    ModelSetFilter(MODEL_DRAW_FILTER_DEFAULT);
    NumWorldDraw = 0;
}
