// The time slicer: periodic work spread over a cycle of ten frame slots. A job that
// runs every n-th pass gets the phase whose slots carry the least estimated load,
// and sees the real time since its own last run as the frame's delta time.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr s32 TIME_SLICE_SLOTS = 10;

struct s_time_slice {
    s8 slot;        // runs on passes whose count modulo rate equals slot
    s8 rate;        // every rate-th pass, 1..10
    s8 initFlag;    // forces the first run
    u32 passCount;  // retrace count at the last run
    f32 estimatedTime;
};

extern f32 TimeSlots[TIME_SLICE_SLOTS];
extern u32 TimeSliceRealVBlankCount;
extern f32 TimeSliceRealDeltaTime;

e_error_code TimeSliceWarmReset();
s32 TimeSliceAlloc(s_time_slice* slice, s32 rate, f32 estimatedTime);
void TimeSliceFree(s_time_slice* slice);
s32 TimeSliceStart(s_time_slice* slice);
void TimeSliceEnd();
