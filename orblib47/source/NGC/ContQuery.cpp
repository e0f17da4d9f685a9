// The Wii Remote input layer's direct queries: pointer, accelerometer, roll,
// rumble, sensitivity and the raw samples.
#include <algorithm>

#include "console/kpad.h"
#include "console/wpad.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/Cont.h"

namespace {

constexpr f32 kQuarterTurn = 1.57080078125f;
constexpr f32 kTurn = 6.283203125f;

bool ValidChannel(s32 channel) {
    return channel >= 0 && channel < CONT_CHANNELS && PadType[channel] != PAD_TYPE_INVALID;
}

bool PointerValid(s32 channel) {
    return ValidChannel(channel) && Pads[channel][0].dpd_valid_fg != 0;
}

}  // namespace

void PadSetVibe(s32 channel, u16 amplitude0, u16) {
    if (PadType[channel] == PAD_TYPE_ANALOG)
        WPADControlMotor(channel, amplitude0 != 0 ? WPAD_MOTOR_RUMBLE : WPAD_MOTOR_STOP);
}

s32 ContEnabledPointer(s32 channel, s32 on) {
    if (!ValidChannel(channel))
        return 0;
    if (on != 0) {
        KPADEnableDPD(channel);
    } else {
        KPADDisableDPD(channel);
    }
    return 1;
}

s32 ContSetAccSensitivity(s32 channel, f32 play, f32 sensitivity) {
    if (!ValidChannel(channel))
        return 0;
    KPADSetAccParam(channel, play, std::clamp(sensitivity, 0.0f, 1.0f));
    return 1;
}

s32 ContGetPointerPos(s32 channel, s_Vector2* out) {
    if (!PointerValid(channel))
        return 0;
    const Vec2 pos = Pads[channel][0].pos;
    const f32 halfWidth = f32(DrawContext.screenSize.x) / 2.0f;
    const f32 halfHeight = f32(DrawContext.screenSize.y) / 2.0f;
    *out = {halfWidth + halfWidth * pos.x, halfHeight + halfHeight * pos.y};
    return 1;
}

// The horizontal motion scales with the screen's width and the vertical with its
// height, as the position does.
s32 ContGetPointerDelta(s32 channel, s_Vector2* out) {
    if (!PointerValid(channel))
        return 0;
    const Vec2 vec = Pads[channel][0].vec;
    // In the pixels of ContGetPointerPos, whose -1..1 spans the screen.
    *out = {f32(DrawContext.screenSize.x) / 2.0f * vec.x, f32(DrawContext.screenSize.y) / 2.0f * vec.y};
    return 1;
}

s32 ContGetPointerAcc(s32 channel, f32* out) {
    if (!ValidChannel(channel))
        return 0;
    const Vec acc = Pads[channel][0].acc;
    out[0] = acc.x;
    out[1] = acc.y;
    out[2] = acc.z;
    return 1;
}

s32 ContGetTiltRoll(s32 channel, f32* out) {
    f32 acc[3];
    if (ContGetPointerAcc(channel, acc) == 0)
        return 0;
    s_Vector3 v{acc[0], acc[1], 0.0f, 0.0f};
    Vect3Normal(&v, &v);
    f32 roll = ArcTan2(v.x, v.y) + kQuarterTurn;
    while (roll > kTurn)
        roll -= kTurn;
    while (roll < 0.0f)
        roll += kTurn;
    *out = roll;
    return 1;
}

KPADStatus* ContGetRawData(s32 channel) {
    return Pads[channel];
}

void ContGetStatus(s32 channel, u32* type, s32* result) {
    *type = WPadType[channel];
    *result = WPadResult[channel];
}
