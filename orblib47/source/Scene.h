// The scene: a level's static surroundings drawn as one model, animated as a whole
// by one looping animation, lit by the scene lights near the camera and fogged,
// with an optional skydome that follows the camera.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/SceneLight.h"

struct s_flat_matrix;
struct s_hanim;
struct s_hanim_header;
struct s_hmatrix;
struct s_model;
struct s_thread;

class COrbScene {
public:
    static constexpr s32 MAX_LIGHTS = 16;

    s32 ColdReset();
    void WarmReset();
    // Loads (shares) the model, its "<model>ANM" animation bank and the skydome,
    // and starts the tasks. A model, bank or skydome that is not loaded is left out.
    e_error_code Startup(const char* modelName, const char* skydomeName);
    void Shutdown();

    void SetFog(f32 nearZ, f32 farZ, u32 color);
    void GetFog(f32* nearZ, f32* farZ, u32* color) const;
    // Returns the previous value.
    s32 SetEnable(s32 val);
    // Moves the fog towards its targets while a fade runs.
    void UpdateFogFade();

    static void RenderThread(s_thread* task, void* record);
    static void AlphaRenderThread(s_thread* task, void* record);
    static void StencilRenderThread(s_thread* task, void* record);
    static void UpdateThread(s_thread* task, void* record);

    s_thread* m_RenderThreadPtr;
    s_thread* m_AlphaRenderThreadPtr;
    s_thread* m_StencilRenderThreadPtr;
    s_thread* m_UpdateThreadPtr;
    s_model* m_Model;
    s_hanim_header* m_AnimHeader;
    s_hanim* m_Anim;
    s_hmatrix* m_HMatrix;
    s_flat_matrix* m_FMatrix;  // one texture matrix per material
    s_model* m_SkydomeModel;
    s32 m_Enabled;
    u32 m_Ambient;  // 0xRRGGBBAA
    f32 m_FogNearZ;
    f32 m_FogFarZ;
    u32 m_FogColor;
    // A fade is started by writing the targets and a non-zero time directly.
    f32 m_TargetFogNearZ;
    f32 m_TargetFogFarZ;
    u32 m_TargetFogColor;
    f32 m_FogFadeTime;   // seconds; 0: no fade
    f32 m_FogFadeTimer;  // seconds
    s32 m_NumLights;
    scene_light* m_LightList[MAX_LIGHTS];  // the nearest lights of the last render
};

extern COrbScene OrbScene;
