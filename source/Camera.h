// A camera that places the draw camera every frame: set by hand (front-end screens),
// or driven by a mode while a bowling level runs.
#pragma once

#include "orblib47/source/OrbMath.h"

enum e_CameraMode : s32 {
    E_CAMERA_MODE_INVALID = -1,  // placed by hand: SetPosition / SetLookAt
    E_CAMERA_MODE_INTRO = 0,     // the level's intro cut-scene sweeps down the lanes
    E_CAMERA_MODE_FOLLOW_BALL = 1,
    E_CAMERA_MODE_PIN_VIEW = 2,    // close on the pin deck
    E_CAMERA_MODE_PLAYER_PAN = 3,  // behind the bowler, looking down the lane
    E_CAMERA_MODE_FREE = 4,        // flown by the developer's controls
};

class CCamera {
public:
    void SetAutoCameraMode(s32 mode);
    void SetLookAt(const s_Vector3* target);
    void SetPosition(const s_Vector3* position);
    // Moves the camera one frame and hands it to the draw context (camera and FOV).
    void Update();
    // Free flight on or off; off returns to the mode before it.
    static void SetFreeMode(CCamera* camera, s32 on);

    s32 m_cameraMode = E_CAMERA_MODE_INVALID;
    f32 m_fov = 45.0f;
    s_Vector3 m_position{0.0f, 1.0f, 5.0f, 0.0f};
    s_Vector3 m_lookAt{0.0f, 1.0f, 0.0f, 0.0f};
    s32 m_modeBeforeFree = E_CAMERA_MODE_INVALID;
    f32 m_modeTime = 0.0f;  // seconds in the current mode
    // Where the intro starts, in world units: the level's camera start.
    s_Vector3 m_introFrom{0.0f, 4.0f, 0.0f, 0.0f};
};
