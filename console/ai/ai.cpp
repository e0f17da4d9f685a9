// The audio interface: plays DMA blocks of 16-bit stereo samples at 32 kHz. At each
// block boundary the block that just played goes to the outputs, the block named
// by AIInitDMA is latched to play next, and the DMA callback runs.
#include "console/ai.h"

#include <cstring>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/host_services.h"
#include "console/os.h"
#include "console/os/arena.h"
#include "console/os/clock.h"
#include "console/os/poll.h"

namespace {

constexpr u32 kBytesPerFrame = 4;  // left and right, 16 bits each

bool s_initialised = false;
AIDCallback s_callback = nullptr;
u32 s_start = 0;
u32 s_length = 0;
bool s_running = false;
uintptr_t s_generation = 0;  // stamps the scheduled boundary; a stop or reset voids it
OSTime s_dmaStart = 0;
u64 s_framesLatched = 0;  // since the DMA started
u32 s_latchedStart = 0;
u32 s_latchedLength = 0;
std::vector<s16> s_playing;

OSTime BoundaryTime() {
    // Exact in ticks for whole blocks: 60,750,000 / 32,000 = 30,375 / 16.
    return s_dmaStart + OSTime(s_framesLatched * 30375 / 16);
}

// Latches the named block to play next. Its samples are read only when its play
// time is over, so its owner may still mix into it while it plays (a movie's sound
// on top of AX's).
void Latch() {
    s_latchedStart = s_start;
    s_latchedLength = s_length;
    s_framesLatched += s_length / kBytesPerFrame;
}

// Hands the block that has just played to the outputs; memory outside the arenas
// plays as silence.
void PlayLatched() {
    HostMemoryScope hostMemory;
    s_playing.assign(size_t(s_latchedLength / kBytesPerFrame) * 2, 0);
    if (const u8* source = console::ArenaPhysicalRange(s_latchedStart, s_latchedLength))
        std::memcpy(s_playing.data(), source, s_latchedLength);
    console::AudioOutputPlayed(s_playing.data(), u32(s_playing.size() / 2));
}

void ScheduleBoundary();

void Boundary(void* context) {
    // Deliveries come one per poll point, so a late one catches up here.
    while (s_running && reinterpret_cast<uintptr_t>(context) == s_generation) {
        PlayLatched();
        Latch();
        if (s_callback != nullptr)
            s_callback();
        if (BoundaryTime() > console::ClockNow())
            break;
    }
    if (s_running && reinterpret_cast<uintptr_t>(context) == s_generation)
        ScheduleBoundary();
}

void ScheduleBoundary() {
    console::PollSchedule(BoundaryTime(), Boundary, reinterpret_cast<void*>(s_generation));
}

}  // namespace

void console::AIReset() {
    s_initialised = false;
    s_callback = nullptr;
    s_start = 0;
    s_length = 0;
    s_running = false;
    ++s_generation;
    s_dmaStart = 0;
    s_framesLatched = 0;
    s_latchedStart = 0;
    s_latchedLength = 0;
    HostMemoryScope hostMemory;
    std::vector<s16>().swap(s_playing);
}

void AIInit(u8*) {
    s_initialised = true;
}

BOOL AICheckInit() {
    return s_initialised ? TRUE : FALSE;
}

AIDCallback AIRegisterDMACallback(AIDCallback callback) {
    const AIDCallback previous = s_callback;
    s_callback = callback;
    return previous;
}

void AIInitDMA(u32 start, u32 length) {
    if (start % 32 != 0 || length == 0 || length % 32 != 0)
        OSPanic(__FILE_NAME__, __LINE__, "AIInitDMA: bad block %08x, %u bytes\n", start, length);
    s_start = start;
    s_length = length;
}

void AIStartDMA() {
    if (s_running || s_length == 0)
        return;
    console::PollScope call;
    s_running = true;
    s_dmaStart = console::ClockNow();
    s_framesLatched = 0;
    Latch();
    ScheduleBoundary();
}

void AIStopDMA() {
    s_running = false;
    ++s_generation;
}

u32 AIGetDMAStartAddr() {
    return s_start;
}

u32 AIGetDMALength() {
    return s_length;
}
