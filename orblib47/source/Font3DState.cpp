// The 3-D text state and its two default hooks.
#include <cmath>

#include "orblib47/source/Font3D.h"

// Set by the warm reset.
s32 Font3DMode = 0;
s32 Font3DJustification = 0;
s_Vector3 Font3DPenLoc{};
f32 Font3DScaleX = 0.0f;
f32 Font3DScaleY = 0.0f;
f32 Font3DItalicTilt = 0.0f;
s_Vector3 Font3DSpacing{};
e_font3d_coordinate_mode Font3DCoordinateMode = F3D_COORDINATE_3D;
s_Vector3 Font3DRight{};
s_Vector3 Font3DOffset{};
s_Matrix4 Font3DMatrix{};
s_Matrix4 Font3DCharRot{};
f32 YSineAngle = 0.0f;
Font3DFunc Font3DSpacingFunc = nullptr;
Font3DFunc Font3DPostCharFunc = nullptr;

namespace {

constexpr f32 kWaveAmplitude = 2.0f;
constexpr f32 kWaveStep = 0.34906685f;  // about 20 degrees a character

}  // namespace

void Font3DWarmReset() {
    Fonts3D = nullptr;
    CurrentFont3D = nullptr;
    Font3DMode = 1;
    Font3DJustification = 0;
    Font3DPenLoc = {0.0f, 0.0f, 0.0f, 0.0f};
    Font3DScaleX = Font3DScaleY = 1.0f;
    Font3DItalicTilt = 0.0f;
    Font3DSpacing = {0.1f, 0.0f, 0.0f, 0.0f};
    Font3DCoordinateMode = F3D_COORDINATE_3D;
    Font3DRight = {1.0f, 0.0f, 0.0f, 0.0f};
    Font3DMatrix = Font3DCharRot = IDMatrix4;
    YSineAngle = 0.0f;
    Font3DSpacingFunc = Font3DStandardSpacing;
    Font3DPostCharFunc = Font3DStepY;
    Font3DResetOffset();
}

e_font3d_coordinate_mode Font3DSetCoordinateMode(e_font3d_coordinate_mode mode) {
    const e_font3d_coordinate_mode previous = Font3DCoordinateMode;
    Font3DCoordinateMode = mode;
    return previous;
}

void Font3DSetSpacingFunc(Font3DFunc func) {
    Font3DSpacingFunc = func;
}

void Font3DResetOffset() {
    Font3DOffset = {0.0f, 0.0f, 0.0f, 0.0f};
}

void Font3DStandardSpacing() {
    const s_Vector3 step = {Font3DSpacing.x * Font3DRight.x, Font3DSpacing.y * Font3DRight.y,
                            Font3DSpacing.z * Font3DRight.z, 0.0f};
    s_Vector3 turned;
    Matrix4RotPoints(&Font3DMatrix, &turned, &step, 1);
    Font3DPenLoc.x += turned.x;
    Font3DPenLoc.y += turned.y;
    Font3DPenLoc.z += turned.z;
}

void Font3DStepY() {
    Font3DOffset.y = kWaveAmplitude * std::sin(YSineAngle);
    YSineAngle += kWaveStep;
}
