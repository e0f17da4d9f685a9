#include "source/Camera.h"

#include <algorithm>
#include <cmath>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/LevelCutScene.h"
#include "source/LevelMgr.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Physics/LaneManager.h"

namespace {

// Shots in lane units (x across from the left edge, y down, z from the foul line).
constexpr f32 kLaneMiddle = ALLEY_LANE_MIDDLE_X;
constexpr s_Vector3 kPanEye = {kLaneMiddle, -24.0f, -72.0f, 0.0f};
constexpr s_Vector3 kPanTarget = {kLaneMiddle, 0.0f, 120.0f, 0.0f};
constexpr s_Vector3 kPinEye = {kLaneMiddle, -14.0f, 140.0f, 0.0f};
constexpr s_Vector3 kPinTarget = {kLaneMiddle, -3.0f, 184.0f, 0.0f};
constexpr s_Vector3 kFollowBehind = {0.0f, -10.0f, -36.0f, 0.0f};
constexpr s_Vector3 kFollowAhead = {0.0f, 0.0f, 24.0f, 0.0f};

constexpr f32 kEaseRate = 5.0f;      // per second, towards a shot
constexpr f32 kFreeSpeed = 3.0f;     // world units per second
constexpr f32 kFreeTurnRate = 1.2f;  // radians per second

s_Vector3 Add(const s_Vector3& a, const s_Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z, 0.0f};
}

s_Vector3 Lerp(const s_Vector3& a, const s_Vector3& b, f32 t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t, 0.0f};
}

// A point of the player's lane in the world.
s_Vector3 LaneToWorld(const s_Vector3& lane) {
    const s_Vector3 p = LaneDisplayPosition(lane, Physics.fLaneOffset);
    const s_Matrix4& m = PhysLaneTransform;
    return {m.at(0, 0) * p.x + m.at(0, 1) * p.y + m.at(0, 2) * p.z + m.at(0, 3),
            m.at(1, 0) * p.x + m.at(1, 1) * p.y + m.at(1, 2) * p.z + m.at(1, 3),
            m.at(2, 0) * p.x + m.at(2, 1) * p.y + m.at(2, 2) * p.z + m.at(2, 3), 0.0f};
}

// The shot the lane's turn calls for: the bowler while aiming, the ball while it
// rolls (never closer than the pin view), the deck while the pins are counted.
s32 ModeForLane() {
    switch (Physics.m_state) {
        case LANE_STATE_RELEASE:
        case LANE_STATE_ROLL:
            return E_CAMERA_MODE_FOLLOW_BALL;
        case LANE_STATE_RESULT:
        case LANE_STATE_SWEEP:
            return E_CAMERA_MODE_PIN_VIEW;
        default:
            return E_CAMERA_MODE_PLAYER_PAN;
    }
}

void Shot(s32 mode, s_Vector3* eye, s_Vector3* target) {
    if (mode == E_CAMERA_MODE_PIN_VIEW) {
        *eye = LaneToWorld(kPinEye);
        *target = LaneToWorld(kPinTarget);
    } else if (mode == E_CAMERA_MODE_FOLLOW_BALL) {
        const s_Vector3& ball = Physics.m_displayPoses.body[FILM_BODY_BALL].position;
        s_Vector3 behind = Add(ball, kFollowBehind);
        s_Vector3 ahead = Add(ball, kFollowAhead);
        behind.z = std::clamp(behind.z, kPanEye.z, kPinEye.z);
        ahead.z = std::min(ahead.z, kPinTarget.z);
        *eye = LaneToWorld(behind);
        *target = LaneToWorld(ahead);
    } else {
        *eye = LaneToWorld(kPanEye);
        *target = LaneToWorld(kPanTarget);
    }
}

f32 SmoothStep(f32 t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// The developer's free flight on pad 0: up and down move along the view, left and
// right turn it.
void Fly(CCamera& camera, f32 dt) {
    const u32 held = Pad[0].bdown;
    const f32 step = ((held & PAD_UP) ? 1.0f : 0.0f) - ((held & PAD_DOWN) ? 1.0f : 0.0f);
    const f32 turn = ((held & PAD_RIGHT) ? 1.0f : 0.0f) - ((held & PAD_LEFT) ? 1.0f : 0.0f);
    const s_Vector3 look = {camera.m_lookAt.x - camera.m_position.x, camera.m_lookAt.y - camera.m_position.y,
                            camera.m_lookAt.z - camera.m_position.z, 0.0f};
    const f32 flat = std::sqrt(look.x * look.x + look.z * look.z);
    if (flat > 1e-4f) {
        const f32 distance = step * kFreeSpeed * dt / flat;
        camera.m_position.x += look.x * distance;
        camera.m_position.z += look.z * distance;
    }
    const f32 angle = turn * kFreeTurnRate * dt;
    const f32 c = std::cos(angle), s = std::sin(angle);
    camera.m_lookAt =
        Add(camera.m_position, {look.x * c - look.z * s, look.y, look.x * s + look.z * c, 0.0f});
}

}  // namespace

void CCamera::SetAutoCameraMode(s32 mode) {
    if (mode == E_CAMERA_MODE_INTRO) {
        // The intro starts where the level's camera start is, looking at the pins.
        m_position = m_introFrom;
        m_lookAt = LaneToWorld(kPinTarget);
    }
    if (mode != m_cameraMode)
        m_modeTime = 0.0f;
    m_cameraMode = mode;
}

void CCamera::SetLookAt(const s_Vector3* target) {
    m_lookAt = *target;
}

void CCamera::SetPosition(const s_Vector3* position) {
    m_position = *position;
}

void CCamera::SetFreeMode(CCamera* camera, s32 on) {
    if (on && camera->m_cameraMode != E_CAMERA_MODE_FREE) {
        camera->m_modeBeforeFree = camera->m_cameraMode;
        camera->m_cameraMode = E_CAMERA_MODE_FREE;
    } else if (!on && camera->m_cameraMode == E_CAMERA_MODE_FREE) {
        camera->m_cameraMode = camera->m_modeBeforeFree;
    }
}

void CCamera::Update() {
    const f32 dt = GamePaused() ? 0.0f : RealDeltaTime;
    if (m_cameraMode == E_CAMERA_MODE_INTRO) {
        // The level's intro cut-scene sweeps the camera; the sweep's end or the
        // cut-scene's ends the intro.
        const f32 progress = LevelCutSceneIntroAdvance(dt);
        s_Vector3 endEye, endTarget;
        Shot(E_CAMERA_MODE_PLAYER_PAN, &endEye, &endTarget);
        const f32 t = SmoothStep(progress);
        m_position = Lerp(m_introFrom, endEye, t);
        m_lookAt = Lerp(LaneToWorld(kPinTarget), endTarget, t);
        if (progress >= 1.0f || !LevelCutScenePlaying()) {
            LevelCutSceneStop();
            SetAutoCameraMode(E_CAMERA_MODE_PLAYER_PAN);
        }
    } else if (m_cameraMode == E_CAMERA_MODE_FREE) {
        Fly(*this, RealDeltaTime);
    } else if (m_cameraMode != E_CAMERA_MODE_INVALID) {
        SetAutoCameraMode(ModeForLane());
        m_modeTime += dt;
        s_Vector3 eye, target;
        Shot(m_cameraMode, &eye, &target);
        const f32 ease = std::min(1.0f, dt * kEaseRate);
        m_position = Lerp(m_position, eye, ease);
        m_lookAt = Lerp(m_lookAt, target, ease);
    }
    s_Matrix4 view;
    Matrix4LookAt(&view, &m_lookAt, &m_position);
    DrawSetCamera(&view, &m_position);
    DrawSetFOV(m_fov);
}
