// The built-in materials, one row per material mode.
#include <initializer_list>

#include "orblib47/source/Material.h"

namespace {

struct Pass {
    const char* name;
    e_TEXTURE_MODE mode;
    f32 parms[6];
};

// Every row: identity matrix, white ambient, diffuse and specular, no emission,
// depth test less-or-equal, and alpha combine on every pass.
constexpr s_ORB_MATERIAL Row(e_MATERIAL_MODE mode, e_COMBINE_MODE combine, e_CULL_MODE cull, u8 zwrite,
                             u8 wrap, u8 stencil, u8 lit, u32 flags, f32 shininess, f32 depthOffset,
                             std::initializer_list<Pass> passes) {
    s_ORB_MATERIAL m{};
    for (int i = 0; i < 4; ++i)
        m.matrix.element[i * 5] = 1.0f;
    m.ambient = m.diffuse = m.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    m.drawModes = {u8(combine), u8(cull), u8(DC_ZMODE_LESS_EQUAL), zwrite, wrap, stencil, lit, 0};
    m.flags = flags;
    m.shininess = shininess;
    m.mode = mode;
    m.setupFunc = mode == MATERIAL_MODE_DEFAULT ? MaterialDefaultFunc : MaterialStandardFunc;
    m.depthOffset = depthOffset;
    for (s_TEXTURE_PASS& pass : m.texturePassList)
        pass.combine = DC_COMBINE_ALPHA;
    for (const Pass& from : passes) {
        s_TEXTURE_PASS& pass = m.texturePassList[m.numTexturePasses++];
        for (u32 c = 0; from.name[c] != 0 && c < TEXTURE_PASS_NAME_LEN; ++c)
            pass.textureName[c] = from.name[c];
        pass.mode = from.mode;
        for (int p = 0; p < 6; ++p)
            pass.parms[p] = from.parms[p];
    }
    return m;
}

constexpr s_ORB_MATERIAL SpecularTest() {
    s_ORB_MATERIAL m = Row(MATERIAL_MODE_SPECULAR_TEST, DC_COMBINE_ALPHA, DC_CULL_BACK, 1, 2, 255, 1,
                           MATERIAL_FLAG_HAS_OPAQUE | MATERIAL_FLAG_HAS_SPECULAR, 40.0f, 0.0f,
                           {{"EARTH512", TEXTURE_MODE_DIFFUSE, {}}});
    m.specular = {1.0f, 0.0f, 0.0f, 1.0f};
    return m;
}

// The resource viewer's sphere map.
constexpr const char* kSphereMap = "SPHEREMAP01";

constexpr e_COMBINE_MODE OVERWRITE = DC_COMBINE_OVERWRITE, ALPHA = DC_COMBINE_ALPHA,
                         ALPHA_ADD = DC_COMBINE_ALPHA_ADD, ALPHA_SUBTRACT = DC_COMBINE_ALPHA_SUBTRACT,
                         STENCIL = DC_COMBINE_STENCIL;
constexpr e_CULL_MODE BACK = DC_CULL_BACK, NONE = DC_CULL_NONE;
constexpr u32 OPAQUE = MATERIAL_FLAG_HAS_OPAQUE, TRANSLUCENT = MATERIAL_FLAG_HAS_ALPHA,
              SPECULAR = MATERIAL_FLAG_HAS_SPECULAR, STENCILLED = MATERIAL_FLAG_HAS_STENCIL;
constexpr Pass Diffuse(const char* name) {
    return {name, TEXTURE_MODE_DIFFUSE, {}};
}
constexpr Pass Animate(const char* name) {
    return {name, TEXTURE_MODE_ANIMATE, {}};
}

}  // namespace

constinit s_ORB_MATERIAL MaterialModes[MATERIAL_MODE_COUNT] = {
    Row(MATERIAL_MODE_DEFAULT, OVERWRITE, BACK, 1, 0, 255, 1, OPAQUE, 0, 0, {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_ALPHA, ALPHA, BACK, 0, 0, 255, 1, TRANSLUCENT, 0, 0, {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_CUSTOM, ALPHA, BACK, 1, 0, 255, 1, OPAQUE, 0, 0, {}),
    Row(MATERIAL_MODE_ANIMATE, OVERWRITE, BACK, 1, 0, 255, 1, OPAQUE, 0, 0, {Animate("SPECMASK02")}),
    Row(MATERIAL_MODE_ANIMATE_ALPHA, ALPHA, BACK, 0, 0, 255, 1, TRANSLUCENT, 0, 0, {Animate("SPECMASK02")}),
    Row(MATERIAL_MODE_DOUBLE_SIDED, OVERWRITE, NONE, 1, 0, 255, 1, OPAQUE, 0, 0, {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_DOUBLE_SIDED_ALPHA, ALPHA, NONE, 0, 0, 255, 1, TRANSLUCENT, 0, 0,
        {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_SHADOW_MAP, ALPHA_SUBTRACT, BACK, 0, 0, 255, 0, TRANSLUCENT, 0, -1.5f,
        {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_LIGHT_MAP, ALPHA_ADD, BACK, 0, 0, 255, 0, TRANSLUCENT, 0, -1.5f,
        {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_DECAL, ALPHA, BACK, 0, 0, 255, 1, TRANSLUCENT, 0, -1.5f, {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_GLOW, OVERWRITE, BACK, 1, 0, 0, 1, OPAQUE, 0, 0, {Diffuse("SPECMASK01")}),
    Row(MATERIAL_MODE_GLOW_NO_LIGHTING, OVERWRITE, BACK, 1, 0, 0, 0, OPAQUE, 0, 0, {Diffuse("SIGN")}),
    Row(MATERIAL_MODE_GLOW_ALPHA, ALPHA, BACK, 0, 0, 0, 1, TRANSLUCENT, 0, 0, {Diffuse("SPECMASK01")}),
    Row(MATERIAL_MODE_REFLECT, ALPHA, BACK, 1, 2, 255, 1, OPAQUE | SPECULAR, 20, 0,
        {{kSphereMap, TEXTURE_MODE_REFLECT, {}}}),
    Row(MATERIAL_MODE_OUTLINE, ALPHA, BACK, 1, 2, 0, 1, OPAQUE | STENCILLED, 0, 0,
        {{"CRYSTAL01", TEXTURE_MODE_REFLECT, {}}}),
    Row(MATERIAL_MODE_REFRACT, ALPHA, BACK, 1, 2, 255, 1, OPAQUE, 20, 0,
        {{"SCENE01", TEXTURE_MODE_REFRACT, {0.03f, 0, 0, 640, 448, 0}}}),
    Row(MATERIAL_MODE_SPECULAR_MAP_TEST, ALPHA, BACK, 1, 2, 255, 1, OPAQUE | SPECULAR, 0, 0,
        {{"SPECMAP02", TEXTURE_MODE_SPECULAR_MAP, {}}}),
    Row(MATERIAL_MODE_PROJECT, ALPHA_ADD, BACK, 1, 2, 255, 1, TRANSLUCENT, 0, 0,
        {{"SCENE01", TEXTURE_MODE_PROJECT, {}}}),
    Row(MATERIAL_MODE_BUMPENV_MAP_TEST, OVERWRITE, BACK, 1, 2, 255, 0, OPAQUE, 0, 0,
        {{"EARTHBUMP512", TEXTURE_MODE_BUMPENV0_MAP, {}}, {"EARTHENVMAP", TEXTURE_MODE_NONE, {}}}),
    Row(MATERIAL_MODE_DIFFUSE_BUMPENV_MAP_TEST, OVERWRITE, BACK, 1, 2, 255, 0, OPAQUE, 0, 0,
        {Diffuse("EARTH512"),
         {"EARTHBUMP512", TEXTURE_MODE_BUMPENV1_MAP, {}},
         {"EARTHENVMAP", TEXTURE_MODE_NONE, {}}}),
    Row(MATERIAL_MODE_NORMAL_MAP_TEST, OVERWRITE, BACK, 1, 2, 255, 0, OPAQUE, 0, 0,
        {{"EARTH2048", TEXTURE_MODE_NORMAL_MAP, {}}, {"EARTHNORMAL1024", TEXTURE_MODE_NONE, {}}}),
    Row(MATERIAL_MODE_EARTH512_TEST, OVERWRITE, BACK, 1, 2, 255, 1, OPAQUE, 0, 0, {Diffuse("EARTH512")}),
    Row(MATERIAL_MODE_EARTH2048_TEST, OVERWRITE, BACK, 1, 2, 255, 1, OPAQUE, 0, 0, {Diffuse("EARTH2048")}),
    Row(MATERIAL_MODE_CUTOUT, ALPHA, BACK, 1, 0, 255, 1, TRANSLUCENT, 0, 0, {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_ALPHA_ADD, ALPHA_ADD, BACK, 0, 0, 255, 1, TRANSLUCENT, 0, 0, {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_ANIMATE_ALPHA_ADD, ALPHA_ADD, BACK, 0, 0, 255, 1, TRANSLUCENT, 0, 0,
        {Animate("NOTEXTURE01")}),
    Row(MATERIAL_MODE_DOUBLE_SIDED_CUTOUT, ALPHA, NONE, 1, 0, 255, 1, TRANSLUCENT, 0, 0,
        {Diffuse("NOTEXTURE01")}),
    Row(MATERIAL_MODE_SPECULAR_WITH_GLOSSINESS_TEST, OVERWRITE, BACK, 1, 2, 0, 1, OPAQUE | SPECULAR, 20, 0,
        {{"SPECMAP01", TEXTURE_MODE_GLOSSY_SPECULAR, {}}}),
    Row(MATERIAL_MODE_ANISOTROPIC_TEST, OVERWRITE, BACK, 1, 2, 255, 0, OPAQUE, 0, 0,
        {{"ANISO2", TEXTURE_MODE_ANISOTROPIC, {}}}),
    SpecularTest(),
    Row(MATERIAL_MODE_SPECULAR_MAP_2D_TEST, ALPHA, BACK, 1, 2, 255, 1, OPAQUE | SPECULAR, 0, 0,
        {{"SPEC02", TEXTURE_MODE_SPECULAR_REFLECT, {}}}),
    Row(MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D, OVERWRITE, BACK, 1, 2, 255, 1, OPAQUE | SPECULAR, 0, 0,
        {Diffuse("EARTH512"), {"SPEC04", TEXTURE_MODE_SPECULAR_REFLECT, {}}}),
    Row(MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D_GLOSSY, OVERWRITE, BACK, 1, 2, 0, 1, OPAQUE | SPECULAR, 0, 0,
        {Diffuse("SPECMASK01"), {"SPEC04", TEXTURE_MODE_SPECULAR_REFLECT, {}}}),
    Row(MATERIAL_MODE_SPHERE_ENV_MAP_SPEC_MAP_2D, ALPHA, BACK, 1, 2, 255, 1, OPAQUE | SPECULAR, 0, 0,
        {{kSphereMap, TEXTURE_MODE_REFLECT, {}}, {"SPEC04", TEXTURE_MODE_SPECULAR_REFLECT, {}}}),
    Row(MATERIAL_MODE_DIFFUSE_NORMAL_MAP, OVERWRITE, BACK, 1, 0, 255, 0, OPAQUE, 0, 0,
        {{"EARTH2048", TEXTURE_MODE_NORMAL_MAP, {}}, {"EARTHNORMAL1024", TEXTURE_MODE_NONE, {}}}),
    Row(MATERIAL_MODE_DIFFUSE_NORMAL_MAP_OBJ, OVERWRITE, BACK, 1, 0, 255, 0, OPAQUE, 0, 0,
        {{"EARTH2048", TEXTURE_MODE_NORMAL_MAP_OBJ, {}}, {"EARTHNORMAL1024", TEXTURE_MODE_NONE, {}}}),
    Row(MATERIAL_MODE_DOUBLE_SIDED_ANIMATE_ALPHA, ALPHA, NONE, 0, 0, 255, 1, TRANSLUCENT, 0, 0,
        {Animate("NOTEXTURE01")}),
    Row(MATERIAL_MODE_DOUBLE_SIDED_ANIMATE_ALPHA_ADD, ALPHA_ADD, NONE, 0, 0, 255, 1, TRANSLUCENT, 0, 0,
        {Animate("NOTEXTURE01")}),
    Row(MATERIAL_MODE_DOUBLE_SIDED_STENCIL, STENCIL, NONE, 1, 0, 255, 1, TRANSLUCENT, 0, 0,
        {Diffuse("NOTEXTURE01")}),
};
