// KPAD: the Wii Remote's sampling library: one sample per channel and vertical
// retrace, read newest first.
#pragma once

#include "console/mtx.h"
#include "console/types.h"

struct Vec2 {
    f32 x, y;
};

// The Nunchuk's part of a sample.
struct KPADEXStatus {
    struct {
        Vec2 stick;  // -1..1, x right, y up
        Vec acc;     // in g
        f32 acc_value;
        f32 acc_speed;
    } fs;
    // The extension with a cross key and sticks (WPAD_DEV_CLASSIC); no source of
    // ours connects one, so it stays zero.
    struct {
        u32 hold;     // its own button word: 0x0001 up, 0x0002 left, 0x4000 down, 0x8000 right
        Vec2 lstick;  // -1..1, y up
    } cl;
};

struct KPADStatus {
    u32 hold;           // WPAD_BUTTON_* held
    u32 trig;           // went down since the previous sample
    u32 release;        // went up since the previous sample
    Vec acc;            // in g: x right, y up out of the face, z forward (at rest face up: 0, 1, 0)
    f32 acc_value;      // length of acc
    f32 acc_speed;      // change of acc_value since the previous sample
    Vec2 pos;           // pointer, -1..1 from the screen's centre, y down
    Vec2 vec;           // pointer motion since the previous sample
    f32 speed;          // length of vec
    Vec2 acc_vertical;  // acceleration in the remote's vertical plane: (acc.y, acc.z)
    u32 dev_type;       // WPAD_DEV_*
    s8 wpad_err;        // WPAD_ERR_*
    s8 dpd_valid_fg;    // 0 while the pointer is off or off screen, 2 while it points
    KPADEXStatus ex_status;
};

constexpr u32 KPAD_MAX_READ_BUFS = 16;

void KPADInit();
void KPADReset();
// Copies the samples taken since the last read, newest first, at most `length`;
// returns their count (0: nothing new, the buffers are left alone).
s32 KPADRead(s32 chan, KPADStatus samplingBufs[], u32 length);
void KPADEnableDPD(s32 chan);
void KPADDisableDPD(s32 chan);
// The accelerometer follows a new value only when it moves out of the play
// radius, and then by the sensitivity (0..1) of the difference.
void KPADSetAccParam(s32 chan, f32 playRadius, f32 sensitivity);
