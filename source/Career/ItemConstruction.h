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
};

class CBallConstruction {
public:
    void UpdateBallTexture(s32 textureId, s32 waitFrames);
    void SetBallPosition(f32 x, f32 y, f32 z);
    void SetScale(f32 scale);
    // Turns one degree every call.
    void Draw();
    void Reset();

private:
    s32 m_textureId = -1;
    s_Vector3 m_position{};
    f32 m_scale = 1.0f;
    f32 m_turn = 0.0f;
};

class CTrophyConstruction {
public:
    void UpdateTrophy(s32 index);
    void SetTrophyPosition(f32 x, f32 y, f32 z);
    void SetRotationX(f32 degrees);
    void Draw();
    void Reset();

private:
    s32 m_index = -1;
    s_Vector3 m_position{};
    f32 m_rotationX = 0.0f;
};
