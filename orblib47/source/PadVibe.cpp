// Timed rumble programs on the pads' motors.
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"

namespace {

bool ValidPad(s32 pad) {
    return pad >= 0 && pad < PAD_COUNT;
}

void Stop(s32 pad) {
    s_vibe& vibe = Pad[pad].vibe;
    PadSetVibe(pad, 0, 0);
    vibe.progAddr = nullptr;
    vibe.priority = 0;
}

}  // namespace

void PadVibeOn(s32 pad, s_vibe_prog* prog) {
    if (!ValidPad(pad))
        return;
    s_vibe& vibe = Pad[pad].vibe;
    if (prog == vibe.progAddr) {
        vibe.timer = vibe.duration = prog->duration;
        return;
    }
    if (prog->priority < vibe.priority)
        return;
    vibe.progAddr = prog;
    vibe.priority = s16(prog->priority);
    vibe.amplitude0 = u16(prog->amplitude0);
    vibe.amplitude1 = u16(prog->amplitude1);
    vibe.duty = vibe.dutyTimer = prog->duty;
    vibe.duration = vibe.timer = prog->duration;
    vibe.dutyStatus = 1;
    PadSetVibe(pad, vibe.amplitude0, vibe.amplitude1);
}

void PadVibeOff(s32 pad) {
    if (ValidPad(pad))
        Stop(pad);
}

void PadVibeClearAll() {
    for (s32 pad = 0; pad < PAD_COUNT; ++pad)
        Stop(pad);
}

void PadVibeUpdate() {
    for (s32 pad = 0; pad < PAD_COUNT; ++pad) {
        s_vibe& vibe = Pad[pad].vibe;
        if (vibe.progAddr == nullptr)
            continue;
        if (vibe.timer > 0.0f) {
            vibe.timer -= RealDeltaTime;
            if (vibe.timer <= 0.0f) {
                Stop(pad);
                continue;
            }
        }
        if (vibe.dutyTimer > 0.0f) {
            vibe.dutyTimer -= RealDeltaTime;
            if (vibe.dutyTimer <= 0.0f) {
                vibe.dutyStatus ^= 1;
                vibe.dutyTimer = vibe.duty;
                PadSetVibe(pad, vibe.dutyStatus != 0 ? vibe.amplitude0 : 0, vibe.amplitude1);
            }
        }
    }
}
