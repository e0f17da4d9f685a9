// A large unskinned model drawn through its octree: the visible meshes are filed per
// material and drawn opaque first; the alpha ones wait for the scene's alpha pass
// unless the caller wants one pass.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/Octree.h"

namespace {

constexpr u32 kMeshTimer = 2;
constexpr s32 kClipOutside = 0x3f;
constexpr u32 kBothPasses = MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_OPAQUE;

s_Vector3 MeshCentre(const s_model_mesh& mesh) {
    return {mesh.centerOffset.x, mesh.centerOffset.y, mesh.centerOffset.z, 0.0f};
}

// Items are mesh numbers, checked against the model's meshes when it was loaded.
void FileVisibleMesh(s32 item, void* data, s32 clipFlags, const s_octtree_node*) {
    if (item < 0)
        return;
    s_model* model = static_cast<s_model*>(data);
    const s_model_mesh& mesh = model->meshList[item];
    const s_Vector3 centre = MeshCentre(mesh);
    if (!(clipFlags & 1) && (DrawClipSphere(&centre, mesh.radius) & kClipOutside))
        return;
    ModelDrawMeshSorted(model, &mesh, 0);
}

void DrawVisibleBoneMeshes(s_model* model) {
    u32 state = 0;
    for (s32 b = 0; b < model->numBones; ++b) {
        const s16 meshId = model->boneList[b].meshId;
        if (meshId == -1)
            continue;
        const s_model_mesh& mesh = model->meshList[meshId];
        const s_Vector3 centre = MeshCentre(mesh);
        f32 distance = 0.0f;
        if (DrawClipSphereWFar(&centre, &distance, mesh.radius) == 0) {
            ModelSetVertexArray(model);
            state = ModelDrawMesh(model, &mesh, state, nullptr);
            ModelClearVertexArray();
        }
    }
}

}  // namespace

void ModelDrawWithAlpha(s_model* model, const s_Matrix4* world, s32 onePass) {
    ClockResetTimer(kMeshTimer);
    DrawPushMatrix(world);
    OrbMaterial.SetFilter(kBothPasses);
    ModelDrawStart(model);
    ModelSetVertexArray(model);
    if (model->octTree != nullptr) {
        DrawLightsOn();
        OctTreeFrustum(model->octTree, FileVisibleMesh, model);
    } else {
        DrawVisibleBoneMeshes(model);
    }
    OrbMaterial.SetFilter(MATERIAL_FLAG_HAS_OPAQUE);
    ModelDrawEnd();
    if (onePass) {
        OrbMaterial.SetFilter(MATERIAL_FLAG_HAS_ALPHA);
        ModelDrawEnd();
    }
    OrbMaterial.SetFilter(kBothPasses);
    ModelClearVertexArray();
    DrawPopMatrix();
    DrawLightsOff();
    MSHTime += ClockGetHiresTimer(kMeshTimer);
}
