#include <cstddef>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/UIObject.h"
#include "source/Dev/GameEdit.h"
#include "source/LevelMgr.h"

s_edit_vp EditVp{};
s_edit_color EditColor{};

namespace {

const s_struct_var EditVpVars[] = {
    {TYPE_STRUCT, 0, 0, "Viewport", {1, 7, 0}},
    {TYPE_FLOAT32, 0, offsetof(s_edit_vp, fogNearZ), "Fog Near Z", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, offsetof(s_edit_vp, fogFarZ), "Fog Far Z", {0, 0, 1.0f}},
    {TYPE_RGBA, 0, offsetof(s_edit_vp, fogColor), "Fog Color", {0, 0, 0}},
    {TYPE_FLOAT32, 0, offsetof(s_edit_vp, fov), "FOV", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, offsetof(s_edit_vp, nearZ), "Near Z", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, offsetof(s_edit_vp, farZ), "Far Z", {0, 0, 1.0f}},
    {TYPE_FLOAT32, 0, offsetof(s_edit_vp, fsaa), "FSAA", {0, 0, 1.0f}},
};

const s_struct_var EditColorVars[] = {
    {TYPE_STRUCT, 0, 0, "Color", {1, 4, 0}},
    {TYPE_RGBA, 0, offsetof(s_edit_color, sceneBkgAmbient), "Background Ambient Color", {0, 0, 0}},
    {TYPE_RGBA, 0, offsetof(s_edit_color, sceneObjAmbient), "Object Ambient Color", {0, 0, 0}},
    {TYPE_RGBA, 0, offsetof(s_edit_color, scenePlayerAmbient), "Player Ambient Color", {0, 0, 0}},
    {TYPE_RGBA, 0, offsetof(s_edit_color, sceneNpcAmbient), "Npc Ambient Color", {0, 0, 0}},
};

void FadeAgainWhenClosed(e_struct_edit_event event) {
    if (event != STRUCT_EDIT_APPLY)
        UIFadeOutEnable(1);
}

void EditViewportCallback(e_struct_edit_event event) {
    FadeAgainWhenClosed(event);
    if (event != STRUCT_EDIT_OKAY && event != STRUCT_EDIT_APPLY)
        return;
    OrbScene.SetFog(EditVp.fogNearZ, EditVp.fogFarZ, EditVp.fogColor);
    s_viewport* viewport = DrawContext.viewport;
    viewport->nearZ = EditVp.nearZ;
    viewport->farZ = EditVp.farZ;
    // A field of view the viewport does not have yet: the projection is rebuilt
    // with the new planes even when the angle stays.
    viewport->fov = 0.0f;
    DrawSetFOV(EditVp.fov);
    DrawSetFSAA(EditVp.fsaa);
}

void EditColorCallback(e_struct_edit_event event) {
    FadeAgainWhenClosed(event);
    if (event != STRUCT_EDIT_OKAY && event != STRUCT_EDIT_APPLY)
        return;
    g_LevelMgr.m_BackgroundAmbient = EditColor.sceneBkgAmbient;
    g_LevelMgr.m_ObjectAmbient = EditColor.sceneObjAmbient;
    g_LevelMgr.m_PlayerAmbient = EditColor.scenePlayerAmbient;
    g_LevelMgr.m_NpcAmbient = EditColor.sceneNpcAmbient;
    OrbScene.m_Ambient = EditColor.sceneBkgAmbient;
}

}  // namespace

s_window_obj* GameEditOpenEditor(const s_struct_var* vars, s32 numVars, void* record,
                                 StructEditCallbackFunc callback) {
    StructEditStartup(vars, numVars);
    s_window_obj* window =
        StructEditOpen(DrawContext.screenCenter.x, DrawContext.screenCenter.y, 0, record, callback);
    UIFadeOutEnable(0);
    return window;
}

s32 EditViewportMenuFunc(s_menu_item*) {
    OrbScene.GetFog(&EditVp.fogNearZ, &EditVp.fogFarZ, &EditVp.fogColor);
    const s_viewport* viewport = DrawContext.viewport;
    EditVp.fov = viewport->fov;
    EditVp.nearZ = viewport->nearZ;
    EditVp.farZ = viewport->farZ;
    EditVp.fsaa = DrawContext.FSAAPercent;
    GameEditOpenEditor(EditVpVars, 8, &EditVp, EditViewportCallback);
    return 1;
}

s32 EditColorMenuFunc(s_menu_item*) {
    EditColor.sceneBkgAmbient = g_LevelMgr.m_BackgroundAmbient;
    EditColor.sceneObjAmbient = g_LevelMgr.m_ObjectAmbient;
    EditColor.scenePlayerAmbient = g_LevelMgr.m_PlayerAmbient;
    EditColor.sceneNpcAmbient = g_LevelMgr.m_NpcAmbient;
    GameEditOpenEditor(EditColorVars, 5, &EditColor, EditColorCallback);
    return 1;
}
