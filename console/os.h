// OS: boot, debug output, the time base, the calendar, interrupt masking and the
// two memory arenas with their system heaps.
#pragma once

#include <cstdarg>

#include "console/types.h"

// The time base runs at a quarter of the bus clock.
constexpr u32 OS_BUS_CLOCK = 243000000u;
constexpr u32 OS_TIMER_CLOCK = OS_BUS_CLOCK / 4;  // 60,750,000 ticks per second

using OSTime = s64;  // ticks since 2000-01-01 00:00:00
using OSTick = u32;  // low 32 bits of the time base

constexpr OSTime OSSecondsToTicks(s64 s) {
    return s * OS_TIMER_CLOCK;
}
constexpr OSTime OSMillisecondsToTicks(s64 ms) {
    return ms * (OS_TIMER_CLOCK / 1000);
}

void OSInit();

// Debug output: printf-style, to the debug console (standard error unless a test
// installed a sink with HostSetReportSink).
void OSReport(const char* format, ...) __attribute__((format(printf, 1, 2)));
void OSVReport(const char* format, va_list args);
// Prints "OSPanic in <file>:<line>: " and the message to standard error, then
// aborts: the console's misuse checks never return.
[[noreturn]] void OSPanic(const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

OSTime OSGetTime();
OSTick OSGetTick();

struct OSCalendarTime {
    s32 sec;   // 0-59
    s32 min;   // 0-59
    s32 hour;  // 0-23
    s32 mday;  // 1-31
    s32 mon;   // 0-11
    s32 year;  // e.g. 2007
    s32 wday;  // 0-6, Sunday first
    s32 yday;  // 0-365
    s32 msec;  // 0-999
    s32 usec;  // 0-999
};
void OSTicksToCalendarTime(OSTime ticks, OSCalendarTime* td);

// Interrupts are the console's callbacks; here they are delivered at poll points
// and masking them only defers delivery.
BOOL OSDisableInterrupts();
BOOL OSEnableInterrupts();
BOOL OSRestoreInterrupts(BOOL level);

// Physical addresses: the audio hardware (AX voices, AI DMA) reads main memory by
// 32-bit physical address. MEM1 starts at 0x00000000 and MEM2 at 0x10000000.
constexpr u32 OS_PHYSICAL_MEM1 = 0x00000000u;
constexpr u32 OS_PHYSICAL_MEM2 = 0x10000000u;
// 0 for an address outside both arenas (never a valid sample address: MEM1's first
// bytes are the system's).
u32 OSCachedToPhysical(const void* address);
// Null for a physical address outside both arenas.
void* OSPhysicalToCached(u32 address);

// Cache maintenance: the host's memory is coherent, so these only mark the places
// where the program hands memory to the hardware.
void DCFlushRange(void* start, u32 bytes);
void DCFlushRangeNoSync(void* start, u32 bytes);
void DCStoreRange(void* start, u32 bytes);
void DCInvalidateRange(void* start, u32 bytes);
void LCEnable();
void LCDisable();

// The sound mode of the system settings (HostConfig::soundMode).
constexpr u32 OS_SOUND_MODE_MONO = 0;
constexpr u32 OS_SOUND_MODE_STEREO = 1;
u32 OSGetSoundMode();
void OSSetSoundMode(u32 mode);

// The reset and power buttons. The reset button is a key in the window and an
// input-script event headless; the power button is closing the window (or a quit
// signal) once a power callback is installed.
BOOL OSGetResetButtonState();
using OSPowerCallback = void (*)();
OSPowerCallback OSSetPowerCallback(OSPowerCallback callback);
// Restart the program from the top, and switch the console off (leave the program).
[[noreturn]] void OSRestart(u32 resetCode);
[[noreturn]] void OSShutdownSystem();
[[noreturn]] void OSReturnToMenu();

// Arenas: MEM1 and MEM2, each one block of host memory.
void* OSGetMEM1ArenaLo();
void* OSGetMEM1ArenaHi();
void OSSetMEM1ArenaLo(void* addr);
void OSSetMEM1ArenaHi(void* addr);
void* OSGetMEM2ArenaLo();
void* OSGetMEM2ArenaHi();
void OSSetMEM2ArenaLo(void* addr);
void OSSetMEM2ArenaHi(void* addr);

// System heaps inside an arena range.
using OSHeapHandle = s32;
void* OSInitAlloc(void* arenaStart, void* arenaEnd, s32 maxHeaps);
OSHeapHandle OSCreateHeap(void* start, void* end);
OSHeapHandle OSSetCurrentHeap(OSHeapHandle heap);
void* OSAllocFromHeap(OSHeapHandle heap, u32 size);
void OSFreeToHeap(OSHeapHandle heap, void* ptr);
