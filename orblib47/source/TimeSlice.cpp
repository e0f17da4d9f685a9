#include "orblib47/source/TimeSlice.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbThread.h"

f32 TimeSlots[TIME_SLICE_SLOTS];
u32 TimeSliceRealVBlankCount = 0;
f32 TimeSliceRealDeltaTime = 0.0f;

namespace {

void BookLoad(const s_time_slice* slice, f32 load) {
    for (s32 s = slice->slot; s < TIME_SLICE_SLOTS; s += slice->rate)
        TimeSlots[s] += load;
}

// The cycle has ten slots: a rate outside 1..10 would divide by zero or never
// come round, so it is brought into range.
s32 ValidRate(s32 rate) {
    s32 valid = rate < 1 ? 1 : (rate > TIME_SLICE_SLOTS ? TIME_SLICE_SLOTS : rate);
    if (valid != rate)
        DEBUG_PRINT("TimeSliceAlloc: rate %d out of range, using %d\n", rate, valid);
    return valid;
}

void TimeSliceStartThread(s_thread*, void*) {
    TimeSliceRealVBlankCount = VBlankCount;
    TimeSliceRealDeltaTime = RealDeltaTime;
}

void TimeSliceEndThread(s_thread*, void*) {}

}  // namespace

e_error_code TimeSliceWarmReset() {
    for (f32& load : TimeSlots)
        load = 0.0f;
    // TimeSliceEnd before this engine's first frame has no frame's time to go back to.
    TimeSliceRealVBlankCount = 0;
    TimeSliceRealDeltaTime = 0.0f;
    ThreadInsertPriorityDebug("TimeSliceStartThread", nullptr, nullptr, TimeSliceStartThread, nullptr, 9600);
    ThreadInsertPriorityDebug("TimeSliceEndThread", nullptr, nullptr, TimeSliceEndThread, nullptr, 1000);
    return RET_NO_ERROR;
}

s32 TimeSliceAlloc(s_time_slice* slice, s32 rate, f32 estimatedTime) {
    rate = ValidRate(rate);
    s32 phase = 0;
    for (s32 s = 1; s < rate; ++s) {
        if (TimeSlots[s] < TimeSlots[phase])
            phase = s;
    }
    slice->slot = s8(phase);
    slice->rate = s8(rate);
    slice->estimatedTime = estimatedTime;
    BookLoad(slice, estimatedTime);
    slice->passCount = VBlankCount - 1;
    slice->initFlag = 1;
    return 1;
}

void TimeSliceFree(s_time_slice* slice) {
    BookLoad(slice, -slice->estimatedTime);
}

s32 TimeSliceStart(s_time_slice* slice) {
    if (PassCount % u32(slice->rate) != u32(slice->slot) && slice->initFlag == 0)
        return 0;
    slice->initFlag = 0;
    RealDeltaTime = FrameDuration * f32(VBlankCount - slice->passCount);
    DeltaTime = RealDeltaTime * DeltaTimeScale;
    slice->passCount = VBlankCount;
    return 1;
}

void TimeSliceEnd() {
    RealDeltaTime = TimeSliceRealDeltaTime;
    DeltaTime = RealDeltaTime * DeltaTimeScale;
}
