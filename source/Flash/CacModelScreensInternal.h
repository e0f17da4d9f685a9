// What the create-a-bowler screens' files share: the buttons and sounds, where
// the preview stands, and the edited model.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/Career/PlayerConstruction.h"

// Screen button ids.
constexpr s32 CAC_BUTTON_ACCEPT = 0, CAC_BUTTON_BACK = 1, CAC_BUTTON_UP = 6, CAC_BUTTON_DOWN = 7,
              CAC_BUTTON_LEFT = 8, CAC_BUTTON_RIGHT = 9, CAC_BUTTON_NAME = 14, CAC_BUTTON_FINISH = 15,
              CAC_BUTTON_TURN_PLUS = 16, CAC_BUTTON_TURN_MINUS = 17;
constexpr s32 CAC_HELD = 0, CAC_NEW_PRESS = 2;
constexpr s32 CAC_SFX_ACCEPT = s32(0x80001997u), CAC_SFX_MOVE = s32(0x80001998u),
              CAC_SFX_CLOSE = s32(0x80001999u);

// The preview framed for the bowlers of our parts archive: the whole bowler right
// of the pages, or the head close up, facing the camera.
inline constexpr s_Vector3 CAC_FULL_BODY_POS{1.35f, -1.08f, -3.9f, 0.0f};
inline constexpr s_Vector3 CAC_HEAD_CLOSE_UP_POS{0.8f, -1.75f, -0.9f, 0.0f};
inline constexpr s_Vector3 CAC_CAMERA_LOOK_AT{0.0f, 0.2f, -1.0f, 0.0f};
inline constexpr s_Vector3 CAC_CAMERA_POSITION{0.0f, 0.2f, 1.0f, 0.0f};
constexpr f32 CAC_TURN_Y = -30.0f;

// The look being edited: player slot 0's.
CPlayerConstruction& CacModel();
