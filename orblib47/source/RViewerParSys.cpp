#include <cstddef>
#include <cstdio>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/ParticleSystemEditor.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/TrackBall.h"

s_particle_system* RViewerParticleSystem = nullptr;
s_Vector3 ParSysPosition = {};
s_Vector3 ParSysVelocity = {};
s_parsys_parms ParSysParms = {};

namespace {

constexpr f32 kTrackballSize = 1.5f;
constexpr f32 kEmitterRadius = 0.25f;
constexpr f32 kWheelStep = 0.25f;
constexpr f32 kDragStep = 0.01f;
constexpr f32 kGridHalf = 4.0f;
constexpr u32 kGridColor = 0xFFFFFF40;

constexpr u16 Offset(std::size_t vector, std::size_t component) {
    return u16(vector + component * sizeof(f32));
}

const s_struct_var ParSysParmVars[] = {
    {TYPE_STRUCT, 0, 0, "Particle Movement", {1, 6, 0}},
    {TYPE_FLOAT32, 0, Offset(offsetof(s_parsys_parms, velocity), 0), "Velocity X", {}},
    {TYPE_FLOAT32, 0, Offset(offsetof(s_parsys_parms, velocity), 1), "Y", {}},
    {TYPE_FLOAT32, 0, Offset(offsetof(s_parsys_parms, velocity), 2), "Z", {}},
    {TYPE_FLOAT32, 0, Offset(offsetof(s_parsys_parms, acceleration), 0), "Acceleration X", {}},
    {TYPE_FLOAT32, 0, Offset(offsetof(s_parsys_parms, acceleration), 1), "Y", {}},
    {TYPE_FLOAT32, 0, Offset(offsetof(s_parsys_parms, acceleration), 2), "Z", {}},
};

char SystemName[DATA_NAME_LENGTH + 1] = "";
s_Vector3 CameraPos = {};

void EditParSysParmsCallback(e_struct_edit_event) {
    ParSysVelocity = ParSysParms.velocity;
}

// The ground plane's grid under the emitter.
void RViewerViewParSysThread(s_thread*, void*) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_3D);
    DrawSetTexture(nullptr);
    const u32 flat = DrawSetFlatColor(kGridColor);
    for (s32 i = -4; i <= 4; ++i) {
        const f32 k = f32(i);
        const s_Vector3 a{k, 0.0f, -kGridHalf, 0.0f};
        const s_Vector3 b{k, 0.0f, kGridHalf, 0.0f};
        const s_Vector3 c{-kGridHalf, 0.0f, k, 0.0f};
        const s_Vector3 d{kGridHalf, 0.0f, k, 0.0f};
        DrawLine(&a, &b);
        DrawLine(&c, &d);
    }
    DrawSetFlatColor(flat);
    DrawSetProjection(projection);
}

void LoadSystem() {
    ParticleSystemFree(RViewerParticleSystem);
    // Kept after it stops, so that the view's pointer stays good.
    RViewerParticleSystem = ParticleSystemLoad(SystemName, &ParSysPosition, 0, PARTSYS_DONT_FREE);
    if (RViewerParticleSystem == nullptr)
        DEBUG_PRINT("RViewer: no particle system %s.\n", SystemName);
}

void FreeSystem() {
    ParticleSystemFree(RViewerParticleSystem);
    RViewerParticleSystem = nullptr;
}

// The emitter flies with the parameters' acceleration and starts again at the
// origin once it has left the view.
void MoveEmitter(s32 edit) {
    const f32 dt = RealDeltaTime;
    ParSysVelocity.x += ParSysParms.acceleration.x * dt;
    ParSysVelocity.y += ParSysParms.acceleration.y * dt;
    ParSysVelocity.z += ParSysParms.acceleration.z * dt;
    if (edit != 0) {
        ParSysEditorMove(&ParSysVelocity);
        ParSysEditorGetPosition(&ParSysPosition);
    } else {
        ParSysPosition.x += ParSysVelocity.x * dt;
        ParSysPosition.y += ParSysVelocity.y * dt;
        ParSysPosition.z += ParSysVelocity.z * dt;
    }
    if (DrawClipSphere(&ParSysPosition, kEmitterRadius) != 0) {
        ParSysPosition = {};
        ParSysVelocity = ParSysParms.velocity;
    }
    if (edit != 0)
        ParSysEditorSetPosition(&ParSysPosition);
    else if (RViewerParticleSystem != nullptr)
        ParticleSystemSetPosition(RViewerParticleSystem, &ParSysPosition);
}

// The pointer flies the camera: the trackball turns it, the wheel moves it along
// the view and a drag of the second button moves it across.
void RViewerViewParSysUI() {
    if (Mouse.connected == 0 || UIDisableMouse != 0)
        return;
    s_Matrix4 camera;
    TrackballUpdateCamera(&camera);
    const f32 along = kWheelStep * f32(Mouse.analog[MOUSE_WHEEL]);
    f32 dx = 0.0f;
    f32 dy = 0.0f;
    if ((Mouse.buttonDown & MOUSE_BUTTON_2) != 0) {
        dx = -kDragStep * f32(Mouse.analog[MOUSE_MOVE_X]);
        dy = kDragStep * f32(Mouse.analog[MOUSE_MOVE_Y]);
    }
    for (s32 axis = 0; axis < 3; ++axis) {
        f32* p = axis == 0 ? &CameraPos.x : axis == 1 ? &CameraPos.y : &CameraPos.z;
        *p += camera.at(0, axis) * dx + camera.at(1, axis) * dy - camera.at(2, axis) * along;
    }
    DrawSetCamera(&camera, &CameraPos);
}

// An editor still open when the view ends closes as its close box would close it,
// so that it gives its blocks back and leaves the editor stack empty.
void CloseParmsEditors() {
    while (StructEditStackDepth > 0) {
        s_window_obj* window = StructEditStack[StructEditStackDepth - 1].windowObj;
        if (window == nullptr || !UIObjectIsOpen(&window->obj))
            break;
        UIObjectEvent(&window->obj, UI_OBJ_EVENT_CLOSE);
        UIObjectClose(&window->obj);
    }
}

}  // namespace

s32 ParSysParmsMenuFunc(s_menu_item*) {
    StructEditStartup(ParSysParmVars, 7);
    StructEditOpen(DrawContext.screenCenter.x, DrawContext.screenCenter.y, 0, &ParSysParms,
                   EditParSysParmsCallback);
    return 1;
}

s32 RViewerViewParSys(char* name, s32 edit) {
    CameraPos = {0.0f, 1.0f, 5.0f, 0.0f};
    const s_Vector3 target{};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &CameraPos);
    DrawSetCamera(&camera, &CameraPos);
    s_Quaternion q;
    Matrix4ToQuat(&q, &camera);
    TrackballInitQuat(&q, kTrackballSize);
    const std::string directory = FileGetDirectory();
    FileChangeDirectory("");
    RViewerOpenMenus(2, ParSysMenus);
    s_thread* task = ThreadInsertPriorityDebug("RViewerViewParSysThread", nullptr, nullptr,
                                               RViewerViewParSysThread, nullptr, RVIEWER_THREAD_PRIORITY);
    ParSysPosition = {};
    ParSysVelocity = ParSysParms.velocity;
    RViewerCancel = 0;
    if (edit != 0) {
        ParSysEditorStartup(0);
    } else {
        const s_Ivector2 safe = DrawContext.screenTitleSafe;
        PlayDialog2Open(safe.x, DrawContext.screenSize.y - safe.y - 108, "Play Particle System");
        std::snprintf(SystemName, sizeof SystemName, "%s", name);
        RViewerFixName(SystemName);
        LoadSystem();
    }
    while (!RViewerViewEnded()) {
        EventWait(1);
        MoveEmitter(edit);
        if (edit == 0) {
            const e_play_dialog_state state = PlayDialog2Query();
            if (state == PLAY_DIALOG_PLAY)
                LoadSystem();
            else if (state == PLAY_DIALOG_STOP)
                FreeSystem();
        }
        RViewerViewParSysUI();
    }
    if (edit != 0)
        ParSysEditorShutdown();
    else
        FreeSystem();
    ThreadKill(task);
    CloseParmsEditors();
    UIObjectCloseAll();
    PlayDialogsForget();
    FileChangeDirectory(directory.c_str());
    return 0;
}
