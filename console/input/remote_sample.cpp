// One KPAD sample from a remote's state and the sample before it.
#include <algorithm>
#include <cmath>

#include "console/input/remote.h"

namespace {

constexpr u32 kRemoteButtons = WPAD_BUTTON_LEFT | WPAD_BUTTON_RIGHT | WPAD_BUTTON_DOWN | WPAD_BUTTON_UP |
                               WPAD_BUTTON_PLUS | WPAD_BUTTON_2 | WPAD_BUTTON_1 | WPAD_BUTTON_B |
                               WPAD_BUTTON_A | WPAD_BUTTON_MINUS | WPAD_BUTTON_HOME;
constexpr u32 kNunchukButtons = WPAD_BUTTON_C | WPAD_BUTTON_Z;
constexpr s8 kPointerOnScreen = 2;  // both marks of the sensor bar seen

f32 Length(Vec v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// The accelerometer's output stays inside the play radius and otherwise moves
// by the sensitivity of the way to the new value.
Vec Smooth(Vec raw, const KPADStatus& previous, const console::SampleSettings& settings) {
    if (previous.wpad_err == WPAD_ERR_NO_CONTROLLER)
        return raw;
    const Vec last = previous.acc;
    const Vec step{raw.x - last.x, raw.y - last.y, raw.z - last.z};
    if (Length(step) <= settings.playRadius)
        return last;
    const f32 k = settings.sensitivity;
    return {last.x + step.x * k, last.y + step.y * k, last.z + step.z * k};
}

}  // namespace

KPADStatus console::EmptySample() {
    KPADStatus sample{};
    sample.dev_type = WPAD_DEV_NOT_FOUND;
    sample.wpad_err = WPAD_ERR_NO_CONTROLLER;
    return sample;
}

KPADStatus console::BuildSample(const RemoteState& state, const KPADStatus& previous,
                                const SampleSettings& settings) {
    KPADStatus sample = EmptySample();
    if (state.connected) {
        sample.dev_type = state.nunchuk ? WPAD_DEV_FREESTYLE : WPAD_DEV_CORE;
        sample.wpad_err = s8(state.sampleError);
        sample.hold = state.hold & (state.nunchuk ? kRemoteButtons | kNunchukButtons : kRemoteButtons);
        sample.acc = Smooth(state.acc, previous, settings);
        sample.acc_value = Length(sample.acc);
        sample.acc_speed = sample.acc_value - previous.acc_value;
        sample.acc_vertical = {sample.acc.y, sample.acc.z};
        sample.pos = previous.pos;
        if (settings.dpd && state.pointing) {
            sample.pos = {std::clamp(state.pos.x, -1.0f, 1.0f), std::clamp(state.pos.y, -1.0f, 1.0f)};
            sample.dpd_valid_fg = kPointerOnScreen;
            if (previous.dpd_valid_fg != 0)
                sample.vec = {sample.pos.x - previous.pos.x, sample.pos.y - previous.pos.y};
            sample.speed = std::hypot(sample.vec.x, sample.vec.y);
        }
        if (state.nunchuk) {
            auto& fs = sample.ex_status.fs;
            fs.stick = {std::clamp(state.stick.x, -1.0f, 1.0f), std::clamp(state.stick.y, -1.0f, 1.0f)};
            fs.acc = {0.0f, 1.0f, 0.0f};  // the Nunchuk rests in the other hand
            fs.acc_value = Length(fs.acc);
            fs.acc_speed = fs.acc_value - previous.ex_status.fs.acc_value;
        }
    }
    sample.trig = sample.hold & ~previous.hold;
    sample.release = previous.hold & ~sample.hold;
    return sample;
}
