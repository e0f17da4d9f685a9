#include <cmath>
#include <cstdio>

#include "orblib47/source/Collision.h"
#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/TextureProject.h"

s_draw_light TestLight{
    {0.8f, 0.8f, 0.8f, 0.0f},
    {0.0f, 0.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 5.0f, 0.0f},
    {0.0f, 0.0f, 1.0f, 0.0f},
    0,
    10.0f,
    1.0f,
    3.0f,
    0,
    0.0f,
};
s_Matrix4 ProjectionMatrix{};
s_Vector3 ProjectionDir{};

namespace {

constexpr u32 kWhite = 0xFFFFFFFF;
constexpr u32 kLineGrey = 0x808080FF;
constexpr u32 kAllClipPlanes =
    DC_CLIP_RIGHT | DC_CLIP_LEFT | DC_CLIP_TOP | DC_CLIP_BOTTOM | DC_CLIP_FAR | DC_CLIP_NEAR;

bool ViewChecked(s32 id) {
    return RViewerItemChecked(ViewMenuItems, VIEW_MENU_COUNT, id);
}

bool DrawChecked(s32 id) {
    return RViewerItemChecked(ModeMenuItems, 7, id);
}

// The group's pick by the root bone's distance, bound when it differs.
void ChooseByDistance(s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    if (hmodel->modelGroup == nullptr || hmodel->hmatrix == nullptr)
        return;
    const s_Matrix4* root = HModelGetBoneMatrix(hmodel, 0);
    const s_Vector3 pos{root->element[3], root->element[7], root->element[11], 0.0f};
    s_model* model = ModelGroupGetModel(hmodel->modelGroup->groupId, locals.modelType, locals.modelSubType,
                                        &pos, &locals.prevModelIndex);
    if (model != nullptr && model != hmodel->model)
        HModelBindLod(hmodel, locals.modelType, model);
}

void PaintScreen(s_texture* texture) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(kWhite);
    const s32 write = DrawSetZBufferWrite(0);
    DrawSetTexture(texture);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    const s_Vector3 p0{0.0f, 0.0f, 0.0f, 0.0f};
    const s_Vector3 p1{f32(DrawContext.screenSize.x), f32(DrawContext.screenSize.y), 0.0f, 0.0f};
    DrawFilledRect(&p0, &p1);
    DrawSetZBufferWrite(write);
    DrawSetProjection(projection);
}

void LockMaterial(const s_rvlocals& locals) {
    if (locals.materialNum == 0)
        return;
    s_ORB_MATERIAL* material = OrbMaterial.GetMaterialModePtr(e_MATERIAL_MODE(locals.materialNum));
    if (material == nullptr)
        return;
    if (material->numTexturePasses > 0) {
        const s_TEXTURE_PASS& pass = material->texturePassList[0];
        if (pass.mode == TEXTURE_MODE_ANIMATE) {
            material->matrix = IDMatrix4;
            Matrix4RotateZ(&material->matrix, GameTime);
        } else if (pass.mode == TEXTURE_MODE_REFRACT) {
            PaintScreen(pass.texture);
        }
    }
    OrbMaterial.Lock(material);
}

void DrawModel(s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    const e_POLYGON_MODE mode = locals.polyDrawMode;
    DrawSetFlatColor(mode == DC_POLY_DRAW_LINE ? kLineGrey : kWhite);
    if (!DrawChecked(DRAW_TEXTURE))
        DrawEnableTexture(0);
    if (DrawChecked(DRAW_LIGHT)) {
        DrawSetDefaultLights();
        DrawEnableLight(1);
        DrawSetAmbientLight(locals.ambientColor);
    } else {
        DrawEnableLight(0);
    }
    LockMaterial(locals);
    DrawSetProjection(DC_PROJ_3D);
    DrawSetPolygonMode(mode);
    DrawSetFlatColor(kWhite);
    HModelDraw(hmodel);
    OrbMaterial.Unlock();
    DrawSetPolygonMode(DC_POLY_DRAW_FILL);
    DrawEnableTexture(1);
    DrawEnableLight(0);
}

void DrawOverlays(s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    const s_model* model = hmodel->model;
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kWhite);
    if (ViewChecked(VIEW_BOUNDS)) {
        DrawPushMatrix(&hmodel->worldMatrix);
        const s_Vector3 min{model->minBounds.x, model->minBounds.y, model->minBounds.z, 0.0f};
        const s_Vector3 max{model->maxBounds.x, model->maxBounds.y, model->maxBounds.z, 0.0f};
        DrawBox(&min, &max);
        const s_Vector3 centre{model->centerOffset.x, model->centerOffset.y, model->centerOffset.z, 0.0f};
        DebugDrawSphere(&centre, model->radius, kWhite, 4, 16);
        DrawPopMatrix();
    }
    if (ViewChecked(VIEW_COLLISION_POLYS)) {
        DrawPushMatrix(&hmodel->worldMatrix);
        PolyCollideDebugDraw(model);
        DrawPopMatrix();
    }
    if (ViewChecked(VIEW_LINK_POINTS) && hmodel->linkInfo != nullptr)
        LinkPointsDebugDraw(hmodel->linkInfo);
    if (ViewChecked(VIEW_COLLISION_SPHERES) && hmodel->collisionInfo != nullptr)
        CollisionDebugDraw(hmodel->collisionInfo);
    if (ViewChecked(VIEW_BONES)) {
        HModelDebugDrawBones(hmodel);
        const s_Matrix4* root = HModelGetBoneMatrix(hmodel, 0);
        if (root != nullptr) {
            const s_Vector3 origin{root->element[3], root->element[7], root->element[11], 0.0f};
            s_CoordSys3 axes{};
            axes.right = {-root->element[0], -root->element[4], -root->element[8], 0.0f};
            axes.up = {root->element[1], root->element[5], root->element[9], 0.0f};
            axes.forward = {root->element[2], root->element[6], root->element[10], 0.0f};
            DebugDrawCoord(&origin, &axes, 1.0f);
        }
    }
    if (ViewChecked(VIEW_VERTEX_NORMALS)) {
        DrawPushMatrix(&hmodel->worldMatrix);
        HModelDebugDrawNormals(hmodel);
        DrawPopMatrix();
    }
}

void DrawObject(s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    ChooseByDistance(locals);
    const s_model* model = hmodel->model;
    if (model == nullptr)
        return;
    DrawSetProjection(DC_PROJ_3D);
    s_Vector3 centre{model->centerOffset.x, model->centerOffset.y, model->centerOffset.z, 0.0f};
    Matrix4MultPoints(&hmodel->worldMatrix, &centre, &centre, 1);
    locals.q = DrawWorld2Screen(&locals.screenPos, &centre);
    if (!ViewChecked(VIEW_COLLISION_POLYS) && (HModelClip(hmodel) & kAllClipPlanes) == 0)
        DrawModel(locals);
    DrawOverlays(locals);
}

void InfoLine(s32 offset, const char* text) {
    const f32 x = f32(DrawContext.screenTitleSafe.x + 10);
    const f32 y = f32(DrawContext.screenTitleSafe.y + 30 + offset);
    FontDrawString(text, 0, x, y);
}

// What the group shows now: its model, distances and the texture variant.
void DrawGroupInfo(const s_rvlocals& locals) {
    s_hmodel* hmodel = locals.hmodel;
    s_model_def* def = nullptr;
    ModelGroupGetCurrent(hmodel->modelGroup, &def);
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    FontSet(DebugFont);
    DrawSetFlatColor(kWhite);
    char text[96];
    std::snprintf(text, sizeof(text), "Model: %s", def->name != nullptr ? def->name : "");
    InfoLine(20, text);
    std::snprintf(text, sizeof(text), "Min Z: %0.4f", double(def->lodMinDist));
    InfoLine(40, text);
    std::snprintf(text, sizeof(text), "Max Z: %0.4f", double(def->lodMaxDist));
    InfoLine(60, text);
    const s_Vector3& camera = DrawContext.viewport->cameraPosition;
    const f32 dx = camera.x - locals.pos.x, dy = camera.y - locals.pos.y, dz = camera.z - locals.pos.z;
    std::snprintf(text, sizeof(text), "Z: %0.4f", double(std::sqrt(dx * dx + dy * dy + dz * dz)));
    InfoLine(80, text);
    const s_model* model = hmodel->model;
    const s_texture_def* first =
        model != nullptr && model->numTextureDefs > 0 ? &model->textureDefs[0] : nullptr;
    const s_texture* texture = first != nullptr ? first->texture : nullptr;
    const s32 children = texture != nullptr ? texture->file.numChildTextures : 0;
    const s32 variant = hmodel->textureVariant;
    const char* textureName = first == nullptr ? ""
                              : variant == 0 || variant - 1 >= children
                                  ? first->name
                                  : texture->file.childTextures[variant - 1].name;
    std::snprintf(text, sizeof(text), "Texture Name: %s", textureName);
    InfoLine(120, text);
    std::snprintf(text, sizeof(text), "Texture Variant: %d of %d", variant + 1,
                  texture != nullptr ? 1 + children : 1);
    InfoLine(140, text);
    DrawSetProjection(projection);
}

void DrawStatic(const s_rvlocals& locals) {
    DrawSetProjection(DC_PROJ_3D);
    DrawSetPolygonMode(locals.polyDrawMode);
    DrawSetFlatColor(kWhite);
    DrawEnableTexture(DrawChecked(DRAW_TEXTURE) ? 1 : 0);
    DrawEnableLight(DrawChecked(DRAW_LIGHT) ? 1 : 0);
    ModelDrawWithAlpha(locals.model, &IDMatrix4, 1);
    DrawEnableTexture(1);
    DrawEnableLight(0);
    DrawSetPolygonMode(DC_POLY_DRAW_FILL);
}

}  // namespace

void DrawProjectBegin(s_draw_light* light) {
    s_textproj_parms parms{};
    TextureProjectInitSpotLight(&parms, light, 1.0f);
    ProjectionMatrix = parms.screenMatrix;
    ProjectionDir = {light->direction.x, light->direction.y, light->direction.z, 0.0f};
    OrbMaterial.m_ProjectionMatrix = &ProjectionMatrix;
    OrbMaterial.m_ProjectionDir = &ProjectionDir;
}

void RViewerViewModelThread(s_thread*, void* record) {
    s_rvlocals& locals = *static_cast<s_rvlocals*>(record);
    const s_depth_offset depth = DrawDepthOffset;
    DrawSetDepthOffset(0.0f, 0.0f);
    // The projection as the Projection editor has it.
    s_viewport* viewport = DrawContext.viewport;
    if (viewport->nearZ != TestEdit.nearZ || viewport->farZ != TestEdit.farZ ||
        viewport->fov != TestEdit.fov) {
        viewport->nearZ = TestEdit.nearZ;
        viewport->farZ = TestEdit.farZ;
        DrawViewSetFOV(viewport, TestEdit.fov);
    }
    RViewerDrawToolBar(&ModelViewerToolBar);
    RViewerUpdateToolBar(&ModelViewerToolBar);
    OrbMaterial.SetMatrixList(nullptr);
    if (locals.hmodel != nullptr) {
        DrawObject(locals);
        if (locals.hmodel->modelGroup != nullptr)
            DrawGroupInfo(locals);
    } else if (locals.model != nullptr) {
        DrawStatic(locals);
    }
    DrawSetDepthOffset(depth.factor, depth.offset);
}
