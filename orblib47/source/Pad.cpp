// The pad records and the pad task: edges, auto-repeat, the shift view and the
// debug mouse's switch (minus + C).
#include "orblib47/source/Pad.h"

#include <algorithm>

#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbThread.h"

s_pad Pad[PAD_COUNT];
s_pad PadAny;
s32 PadActivePad = 0;
f32 PadInitialDelay = 0.0f;
f32 PadRepeatDelay = 0.0f;

namespace {

constexpr u32 kPadThreadPriority = 9500;

s_thread* PadTask = nullptr;
s32 Activated = 0;

// The pad's held buttons go up with the controller: the release is reported
// once, so a held button is never left held for its readers.
void Absent(s_pad& pad) {
    pad.status = 0;
    pad.breleased = pad.bdown;
    pad.buttons = pad.bdown = pad.bnew = pad.brepeat = 0;
    pad.repeatDelay = PadInitialDelay;
    std::fill(std::begin(pad.digital), std::end(pad.digital), 0);
    std::fill(std::begin(pad.analog), std::end(pad.analog), 0);
    std::fill(std::begin(pad.buttonType), std::end(pad.buttonType), 0);
    PadAny.breleased |= pad.breleased;
}

void Update(s_pad& pad, u32 word, bool shiftPad) {
    pad.buttons = word;
    const u32 old = pad.bdown;
    pad.bdown = 0;
    for (s32 slot = 0; slot < PAD_SLOTS; ++slot) {
        if ((word & (1u << slot)) != 0)
            pad.bdown |= pad.remap[slot];
    }
    if (pad.bdown != old) {
        pad.holdTime = 0.0f;
        pad.brepeat = 0;
        pad.repeatDelay = PadInitialDelay;
    } else {
        pad.repeatDelay -= RealDeltaTime;
        pad.holdTime += RealDeltaTime;
        if (pad.repeatDelay <= 0.0f) {
            pad.brepeat = pad.bdown;
            pad.repeatDelay = PadRepeatDelay;
        } else {
            pad.brepeat = 0;
        }
    }
    pad.bnew = pad.bdown & ~old;
    pad.breleased = (old ^ pad.bdown) & ~pad.bnew;
    pad.brepeat |= pad.bnew;
    PadAny.bdown |= pad.bdown;
    PadAny.bnew |= pad.bnew;
    PadAny.breleased |= pad.breleased;
    PadAny.brepeat |= pad.brepeat;
    if (shiftPad && (pad.bdown & PAD_MINUS) != 0) {
        pad.shift.bnew = pad.bdown & ~pad.shift.bdown;
        pad.shift.bdown = pad.bdown;
    }
}

}  // namespace

void PadColdReset() {
    // Power-on state, so that a second start in one process behaves as the first.
    PadInitialDelay = PadRepeatDelay = 0.0f;
    Activated = 0;
    PadTask = nullptr;
    for (s_pad& pad : Pad) {
        pad = s_pad{};
        pad.repeatDelay = PadInitialDelay;
        for (s32 slot = 0; slot < PAD_SLOTS; ++slot)
            pad.remap[slot] = 1u << slot;
    }
    PadAny = s_pad{};
}

void PadWarmReset() {
    PadInitialDelay = 1.0f / 3.0f;
    PadRepeatDelay = 0.05f;
    PadActivePad = 0;
    Activated = 0;
    PadTask =
        ThreadInsertPriorityDebug("PadThread", nullptr, nullptr, PadThread, nullptr, kPadThreadPriority);
    PadStartup();
}

void PadStartup() {
    for (s_pad* pad : {&Pad[0], &Pad[1], &Pad[2], &Pad[3], &PadAny})
        pad->bnew = pad->bdown = pad->brepeat = 0;
}

void PadThread(s_thread*, void*) {
    ContRead();
    PadAny = s_pad{};
    for (s32 p = 0; p < PAD_COUNT; ++p) {
        u32 word = 0;
        if (ContGetReadData(p, &word, Pad[p].analog, Pad[p].buttonType) == CONT_TYPE_NONE) {
            Absent(Pad[p]);
        } else {
            Pad[p].status = 1;
            Update(Pad[p], word, p == 0);
        }
    }
    PadVibeUpdate();
    if ((Pad[0].bdown & PAD_MINUS) != 0 && (Pad[0].bnew & PAD_C) != 0) {
        if (MouseGetEnabledStatus() != 0)
            MouseDisable();
        else
            MouseEnable();
    }
    Activated = 1;
}

void PadRead() {
    PadThread(nullptr, nullptr);
}

s32 PadSystemActivated() {
    return Activated;
}

f32 PadAnalogToVectorXZ(s32 pad, s32 slot, s_Vector3* vec, s_Vector3* dir) {
    const f32 x = std::clamp(f32(Pad[pad].analog[slot]) / 255.0f * 2.0f, -1.0f, 1.0f);
    const f32 z = std::clamp(f32(Pad[pad].analog[slot + 2]) / 255.0f * 2.0f, -1.0f, 1.0f);
    *vec = {x, 0.0f, z, 0.0f};
    return std::min(Vect3Normal(dir, vec), 1.0f);
}
