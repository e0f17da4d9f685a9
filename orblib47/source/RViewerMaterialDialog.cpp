#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OrbEnum.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/UIDialogInternal.h"

s_listbox MaterialListBox{0, 0, nullptr, 0, 220, 4};

const s_orb_enum OrbMaterialTypes[] = {
    {MATERIAL_MODE_DEFAULT, "DEFAULT", "Default"},
    {MATERIAL_MODE_ALPHA, "ALPHA", "Alpha"},
    {MATERIAL_MODE_CUSTOM, "CUSTOM", "Custom"},
    {MATERIAL_MODE_ANIMATE, "ANIMATE", "Animate"},
    {MATERIAL_MODE_ANIMATE_ALPHA, "ANIMATE_ALPHA", "AnimateAlpha"},
    {MATERIAL_MODE_DOUBLE_SIDED, "DOUBLE_SIDED", "DoubleSided"},
    {MATERIAL_MODE_DOUBLE_SIDED_ALPHA, "DOUBLE_SIDED_ALPHA", "DoubleSidedAlpha"},
    {MATERIAL_MODE_SHADOW_MAP, "SHADOW_MAP", "ShadowMap"},
    {MATERIAL_MODE_LIGHT_MAP, "LIGHT_MAP", "LightMap"},
    {MATERIAL_MODE_DECAL, "DECAL", "Decal"},
    {MATERIAL_MODE_GLOW, "GLOW", "Glow"},
    {MATERIAL_MODE_GLOW_NO_LIGHTING, "GLOW_NO_LIGHTING", "GlowNoLighting"},
    {MATERIAL_MODE_GLOW_ALPHA, "GLOW_ALPHA", "GlowAlpha"},
    {MATERIAL_MODE_REFLECT, "REFLECT", "Reflect"},
    {MATERIAL_MODE_OUTLINE, "OUTLINE", "Outline"},
    {MATERIAL_MODE_REFRACT, "REFRACT", "Refract"},
    {MATERIAL_MODE_SPECULAR_MAP_TEST, "SPECULAR_MAP_TEST", "SpecularMap_TEST"},
    {MATERIAL_MODE_PROJECT, "PROJECT", "Project"},
    {MATERIAL_MODE_BUMPENV_MAP_TEST, "BUMPENV_MAP_TEST", "BumpEnvMap_TEST"},
    {MATERIAL_MODE_DIFFUSE_BUMPENV_MAP_TEST, "DIFFUSE_BUMPENV_MAP_TEST", "DiffuseBumpEnvMap_TEST"},
    {MATERIAL_MODE_NORMAL_MAP_TEST, "NORMAL_MAP_TEST", "NormalMap_TEST"},
    {MATERIAL_MODE_EARTH512_TEST, "EARTH512_TEST", "Earth512_TEST"},
    {MATERIAL_MODE_EARTH2048_TEST, "EARTH2048_TEST", "Earth2048_TEST"},
    {MATERIAL_MODE_CUTOUT, "CUTOUT", "Cutout"},
    {MATERIAL_MODE_ALPHA_ADD, "ALPHA_ADD", "AlphaAdd"},
    {MATERIAL_MODE_ANIMATE_ALPHA_ADD, "ANIMATE_ALPHA_ADD", "AnimateAlphaAdd"},
    {MATERIAL_MODE_DOUBLE_SIDED_CUTOUT, "DOUBLE_SIDED_CUTOUT", "DoubleSidedCutout"},
    {MATERIAL_MODE_SPECULAR_WITH_GLOSSINESS_TEST, "SPECULAR_WITH_GLOSSINESS_TEST",
     "SpecularWithGlossiness_TEST"},
    {MATERIAL_MODE_ANISOTROPIC_TEST, "ANISOTROPIC_TEST", "Anisotropic_TEST"},
    {MATERIAL_MODE_SPECULAR_TEST, "SPECULAR_TEST", "Specular_TEST"},
    {MATERIAL_MODE_SPECULAR_MAP_2D_TEST, "SPECULAR_MAP_2D_TEST", "SpecularMap2D_TEST"},
    {MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D, "DIFFUSE_SPECULAR_MAP_2D", "DiffuseSpecularMap2D"},
    {MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D_GLOSSY, "DIFFUSE_SPECULAR_MAP_2D_GLOSSY",
     "DiffuseSpecularMap2DGlossy"},
    {MATERIAL_MODE_SPHERE_ENV_MAP_SPEC_MAP_2D, "SPHERE_ENV_MAP_SPEC_MAP_2D", "SphereEnvMapSpecMap2D"},
    {MATERIAL_MODE_DIFFUSE_NORMAL_MAP, "DIFFUSE_NORMAL_MAP", "DiffuseNormalMap"},
    {MATERIAL_MODE_DIFFUSE_NORMAL_MAP_OBJ, "DIFFUSE_NORMAL_MAP_OBJ", "DiffuseNormalMapObj"},
    {MATERIAL_MODE_DOUBLE_SIDED_ANIMATE_ALPHA, "DOUBLE_SIDED_ANIMATE_ALPHA", "DoubleSidedAnimateAlpha"},
    {MATERIAL_MODE_DOUBLE_SIDED_ANIMATE_ALPHA_ADD, "DOUBLE_SIDED_ANIMATE_ALPHA_ADD",
     "DoubleSidedAnimateAlphaAdd"},
    {MATERIAL_MODE_DOUBLE_SIDED_STENCIL, "DOUBLE_SIDED_STENCIL", "DoubleSidedStencil"},
    {0, nullptr, nullptr},
};

namespace {

s32 MaterialListFunc(s_ui_object* object, e_ui_obj_event_type event) {
    s_rvlocals& locals = RVModelLocals;
    locals.materialListIndex = reinterpret_cast<s_listbox_obj*>(object)->index;
    if (event == UI_OBJ_EVENT_USER && (Mouse.buttonDoubleClick & UI_MOUSE_BUTTONS) != 0)
        locals.materialNum = locals.materialListIndex;
    return 0;
}

}  // namespace

void MaterialDialogOpen(s_rvlocals* locals) {
    if (locals->materialDialog != nullptr)
        return;
    s32 count = 0;
    locals->materialStrings = RViewerEnumStrings(OrbMaterialTypes, &count);
    if (locals->materialStrings == nullptr)
        return;
    s_window_obj* window = RViewerListWindow(
        "Select Material Mode", locals->materialDialogX, locals->materialDialogY, &MaterialListBox,
        locals->materialStrings, count, locals->materialNum, MaterialListFunc, 36);
    if (window == nullptr) {
        HeapMallocFree(locals->materialStrings);
        locals->materialStrings = nullptr;
        return;
    }
    locals->materialListIndex = locals->materialNum;
    s_Irect16& r = window->obj.rect;
    s_button_obj* close = UIDialogButton(window, r.w - 74, r.h + 4, "Close", PAD_B, CloseMaterialButtonFunc);
    UIDialogButton(window, r.w - 120, r.h + 4, "Set", PAD_A, SetMaterialButtonFunc);
    if (close != nullptr)
        r.h = s16(r.h + close->obj.rect.h + 12);
    locals->materialDialog = window;
}

void MaterialDialogClose(s_rvlocals* locals) {
    RViewerListWindowClose(&locals->materialDialog, &locals->materialStrings, &locals->materialDialogX,
                           &locals->materialDialogY);
}

s32 SetMaterialButtonFunc(s_button_obj*) {
    RVModelLocals.materialNum = RVModelLocals.materialListIndex;
    return 1;
}

s32 CloseMaterialButtonFunc(s_button_obj*) {
    MaterialDialogClose(&RVModelLocals);
    return 1;
}
