// Models of single items shown on their own or worn: a wrist guard on a bowler's
// arm, a ball and a trophy, each from the bowler parts archive.
#pragma once

#include "orblib47/source/HModel.h"
#include "orblib47/source/OrbMath.h"

class CWristGuardConstruction {
public:
    // -1 wears none.
    void UpdateGuardModel(s32 textureId);
    // Drawn on the bowling arm of the body given.
    void Draw(s_hmodel* body);
    void SetScale(f32 scale);
    void Reset();

private:
    s32 m_textureId = -1;
    f32 m_scale = 1.0f;
    s_hmodel* m_hModel = nullptr;  // the guard for the bowling hand of the body last drawn on
    s32 m_hand = 0;
};

class CBallConstruction {
public:
    void UpdateBallTexture(s32 textureId, s32 waitFrames);
    void SetBallPosition(f32 x, f32 y, f32 z);
    void SetScale(f32 scale);
    // Turns one degree about the upright every call; nothing before a texture is set.
    void Draw();
    void Reset();

private:
    s32 m_textureId = -1;
    s_Vector3 m_position{};
    f32 m_scale = 1.0f;
    f32 m_turn = 0.0f;  // degrees
    s_hmodel* m_hModel = nullptr;
};

class CTrophyConstruction {
public:
    // (place - 1) + 3 * tier, as the trophy records hold it; another value shows none.
    void UpdateTrophy(s32 index);
    void SetTrophyPosition(f32 x, f32 y, f32 z);
    void SetRotationX(f32 degrees);
    void Draw();
    void Reset();

private:
    s32 m_index = -1;
    s_Vector3 m_position{};
    f32 m_rotationX = 0.0f;  // degrees
    s_hmodel* m_hModel = nullptr;
};
