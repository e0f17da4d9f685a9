// Materials: the record every mesh is drawn under (colours, render states, flags
// and up to four texture passes), its 400-byte big-endian form in model chunks,
// and the one material system that selects them per pass and keeps the draw
// state in step.
#pragma once

#include <span>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_texture;
struct s_flat_matrix;
struct s_thread;

// u_MATERIAL_FLAGS (bit 31 first).
constexpr u32 MATERIAL_FLAG_HAS_TRANSPARENT = 0x80000000u;
constexpr u32 MATERIAL_FLAG_HAS_ALPHA = 0x40000000u;
constexpr u32 MATERIAL_FLAG_HAS_OPAQUE = 0x20000000u;
constexpr u32 MATERIAL_FLAG_HAS_STENCIL = 0x10000000u;
constexpr u32 MATERIAL_FLAG_HAS_AMBIENT = 0x08000000u;
constexpr u32 MATERIAL_FLAG_HAS_DIFFUSE = 0x04000000u;
constexpr u32 MATERIAL_FLAG_HAS_SPECULAR = 0x02000000u;
constexpr u32 MATERIAL_FLAG_HAS_EMMISIVE = 0x01000000u;
constexpr u32 MATERIAL_FLAG_USES_VERTEX_SHADER = 0x00800000u;
constexpr u32 MATERIAL_FLAG_USES_PIXEL_SHADER = 0x00400000u;
constexpr u32 MATERIAL_FLAG_NO_DRAW = 0x00200000u;

// Sizes of the file records.
constexpr u32 ORB_MATERIAL_FILE_SIZE = 400;
constexpr u32 TEXTURE_PASS_FILE_SIZE = 52;
constexpr u32 TEXTURE_PASS_NAME_LEN = 16;
constexpr s32 MATERIAL_MAX_TEXTURE_PASSES = 4;

enum e_MATERIAL_MODE : u32 {
    MATERIAL_MODE_DEFAULT = 0,
    MATERIAL_MODE_ALPHA = 1,
    MATERIAL_MODE_CUSTOM = 2,
    MATERIAL_MODE_ANIMATE = 3,
    MATERIAL_MODE_ANIMATE_ALPHA = 4,
    MATERIAL_MODE_DOUBLE_SIDED = 5,
    MATERIAL_MODE_DOUBLE_SIDED_ALPHA = 6,
    MATERIAL_MODE_SHADOW_MAP = 7,
    MATERIAL_MODE_LIGHT_MAP = 8,
    MATERIAL_MODE_DECAL = 9,
    MATERIAL_MODE_GLOW = 10,
    MATERIAL_MODE_GLOW_NO_LIGHTING = 11,
    MATERIAL_MODE_GLOW_ALPHA = 12,
    MATERIAL_MODE_REFLECT = 13,
    MATERIAL_MODE_OUTLINE = 14,
    MATERIAL_MODE_REFRACT = 15,
    MATERIAL_MODE_SPECULAR_MAP_TEST = 16,
    MATERIAL_MODE_PROJECT = 17,
    MATERIAL_MODE_BUMPENV_MAP_TEST = 18,
    MATERIAL_MODE_DIFFUSE_BUMPENV_MAP_TEST = 19,
    MATERIAL_MODE_NORMAL_MAP_TEST = 20,
    MATERIAL_MODE_EARTH512_TEST = 21,
    MATERIAL_MODE_EARTH2048_TEST = 22,
    MATERIAL_MODE_CUTOUT = 23,
    MATERIAL_MODE_ALPHA_ADD = 24,
    MATERIAL_MODE_ANIMATE_ALPHA_ADD = 25,
    MATERIAL_MODE_DOUBLE_SIDED_CUTOUT = 26,
    MATERIAL_MODE_SPECULAR_WITH_GLOSSINESS_TEST = 27,
    MATERIAL_MODE_ANISOTROPIC_TEST = 28,
    MATERIAL_MODE_SPECULAR_TEST = 29,
    MATERIAL_MODE_SPECULAR_MAP_2D_TEST = 30,
    MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D = 31,
    MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D_GLOSSY = 32,
    MATERIAL_MODE_SPHERE_ENV_MAP_SPEC_MAP_2D = 33,
    MATERIAL_MODE_DIFFUSE_NORMAL_MAP = 34,
    MATERIAL_MODE_DIFFUSE_NORMAL_MAP_OBJ = 35,
    MATERIAL_MODE_DOUBLE_SIDED_ANIMATE_ALPHA = 36,
    MATERIAL_MODE_DOUBLE_SIDED_ANIMATE_ALPHA_ADD = 37,
    MATERIAL_MODE_DOUBLE_SIDED_STENCIL = 38,
    MATERIAL_MODE_COUNT = 39,
};

enum e_TEXTURE_MODE : u32 {
    TEXTURE_MODE_NONE = 0,
    TEXTURE_MODE_DIFFUSE = 1,
    TEXTURE_MODE_ANIMATE = 2,
    TEXTURE_MODE_REFLECT = 3,
    TEXTURE_MODE_REFRACT = 4,
    TEXTURE_MODE_SPECULAR_MAP = 5,
    TEXTURE_MODE_PROJECT = 6,
    TEXTURE_MODE_BUMPENV0_MAP = 7,
    TEXTURE_MODE_BUMPENV1_MAP = 8,
    TEXTURE_MODE_NORMAL_MAP = 9,
    TEXTURE_MODE_GLOSSY_SPECULAR = 10,
    TEXTURE_MODE_ANISOTROPIC = 11,
    TEXTURE_MODE_SPECULAR_REFLECT = 12,
    TEXTURE_MODE_NORMAL_MAP_OBJ = 13,
};

// One byte each; two records are compared as two 32-bit words.
struct s_MATERIAL_DRAW_MODE {
    u8 combine;    // e_COMBINE_MODE
    u8 cull;       // e_CULL_MODE
    u8 zbuffer;    // e_ZBUF_MODE
    u8 zbufwrite;  // 0/1
    u8 wrap;       // e_TEXTURE_WRAP_MODE of sampler 0
    u8 stencil;    // e_STENCIL_MODE
    u8 lighting;   // 0/1
    u8 unused;

    bool operator==(const s_MATERIAL_DRAW_MODE&) const = default;
};

struct s_TEXTURE_PASS {
    char textureName[TEXTURE_PASS_NAME_LEN + 1];
    s_texture* texture;  // loaded by name; empty in a parsed record
    e_TEXTURE_MODE mode;
    e_COMBINE_MODE combine;
    f32 parms[6];
};

struct s_ORB_MATERIAL;
using MaterialSetupFunc = void (*)(s_ORB_MATERIAL* material);

struct s_ORB_MATERIAL {
    s_Matrix4 matrix;    // texture animation matrix, written by the animate pass
    s_Vector4 ambient;   // RGBA 0..1
    s_Vector4 diffuse;   // RGBA 0..1
    s_Vector4 specular;  // alpha switches the second-pass specular reflection
    s_Vector4 emissive;  // RGBA 0..1
    s_MATERIAL_DRAW_MODE drawModes;
    u32 flags;  // MATERIAL_FLAG_*
    f32 shininess;
    e_MATERIAL_MODE mode;         // row of MaterialModes that supplies setupFunc
    MaterialSetupFunc setupFunc;  // set by COrbMaterial::Load; empty in a parsed record
    f32 depthOffset;              // 0: no depth bias
    s32 shader;                   // always 0 on this platform
    s32 numShaderParms;
    f32 shaderParmList[4];
    s32 numTexturePasses;  // 0..MATERIAL_MAX_TEXTURE_PASSES
    s_TEXTURE_PASS texturePassList[MATERIAL_MAX_TEXTURE_PASSES];
    s32 vertexShader;  // always 0
    s32 pixelShader;   // always 0
};

// Parses one 400-byte record. False, with `out` unspecified, when the record is
// short, its mode is not a row of MaterialModes, its pass count is outside
// 0..4 or a draw mode is not one the draw context knows. The run-time slots
// (pass textures, setupFunc) come out empty whatever the file holds.
bool OrbMaterialParse(std::span<const u8> record400, s_ORB_MATERIAL* out);

// The built-in materials, one per mode: each model material's setup function
// comes from its mode's row, and row 0 is the default material.
extern s_ORB_MATERIAL MaterialModes[MATERIAL_MODE_COUNT];

// Row 0's setup: draw modes, lighting and depth offset, with pass 0's texture only.
void MaterialDefaultFunc(s_ORB_MATERIAL* material);
// Every other row's: draw modes, all texture passes, lighting and depth offset.
void MaterialStandardFunc(s_ORB_MATERIAL* material);

// The one material system. It holds the material list of the model being drawn,
// sets the draw state when a mesh selects a material, filters materials by pass
// (opaque or alpha), and can be locked to one material for a whole model.
class COrbMaterial {
public:
    s32 ColdReset();
    // Filter opaque and alpha, nothing current, and the start and end tasks.
    void WarmReset();
    void Initialize();

    // Setup functions from the mode rows; pass textures loaded by name.
    void Load(s_ORB_MATERIAL* list, s32 count);
    // Releases the pass textures Load took.
    void Free(s_ORB_MATERIAL* list, s32 count);
    // The table's textures, for the resource viewer.
    void LoadMaterialModes();
    void FreeMaterialModes();
    s_ORB_MATERIAL* GetMaterialModePtr(e_MATERIAL_MODE mode);

    // The list of the model about to be drawn; with none, the default material
    // is set up at once.
    void SetList(s_ORB_MATERIAL* list, s32 count);
    // 1 when material `index` is drawn in this pass, after setting it up if it
    // was not already current; 0 otherwise. A rejected material does not become
    // current, so it is set up when a later pass accepts it.
    s32 Set(s32 index);
    s32 TestFilter(s32 index) const;
    u32 SetFilter(u32 flags);
    u8 SetTextureVariant(u8 variant);
    u8 GetTextureVariant() const { return m_TextureVariant; }
    s32 GetUseDefaultDepthOffset() const { return m_bUseDefaultDepthOffset; }
    void SetMatrixList(s_flat_matrix* list) { m_MatrixList = list; }

    // Draws everything with `material` until Unlock.
    void Lock(s_ORB_MATERIAL* material);
    void Unlock();

    // The start and end of the frame's 3-D passes.
    void BeginRender();
    void EndRender();
    void SaveDrawContext();
    void RestoreDrawContext();
    void DefaultDrawContext();
    void SetDrawModes(const s_MATERIAL_DRAW_MODE& modes);
    void SetTexturePasses(s_ORB_MATERIAL* material);
    void SetLighting(const s_ORB_MATERIAL* material);
    void SetDefaultTexturePasses();
    // Nothing on this platform: projected textures need no set-up of their own.
    void ProjectionBegin() {}
    void ProjectionEnd() {}

    s_Matrix4 m_ColorMatrix;
    s_MATERIAL_DRAW_MODE m_DrawMode;      // last applied
    s_MATERIAL_DRAW_MODE m_DrawModeSave;  // saved from the draw context
    s_Matrix4* m_ProjectionMatrix;
    s_Matrix4* m_ObjectWorldMatrix;
    s_Matrix4* m_BoneWorldMatrix;
    s_Vector3* m_ProjectionDir;
    f32 m_DepthOffset;           // the viewport's, saved
    s_ORB_MATERIAL* m_Material;  // current
    s32 m_NumMaterials;
    s_ORB_MATERIAL* m_MaterialList;
    s_flat_matrix* m_MatrixList;  // texture animation matrices, one per material
    u32 m_Filter;                 // MATERIAL_FLAG_* drawn in this pass
    s32 m_Locked;
    s32 m_Default;
    s32 m_Active;
    s32 m_ContextSaved;
    s_thread* m_StartThreadPtr;
    s_thread* m_EndThreadPtr;
    u32 m_Index;  // of the current material
    u8 m_TextureVariant;
    s32 m_bUseDefaultDepthOffset;
    s32 m_bUseDefaultEnableLighting;
};

extern COrbMaterial OrbMaterial;
