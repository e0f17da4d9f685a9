// The few host services the engine calls beyond the console's own API: the
// idle-work charge, the quit request and the host-memory scope.
#pragma once

#include <cstdarg>

// A poll point for work the program does while it waits: delivers the callbacks
// that are due; on the virtual clock it first charges one idle-callback call (the
// n-th call after a retrace ends n calls' cost after it).
void HostChargeIdleWork();

// A progress line of the debug output, formatted as OSReport's: to the report
// sink when one is installed, else to standard error only when the
// configuration asks for progress lines.
void HostReportProgress(const char* format, va_list args);

// Called once when the user closes the window (a quit request).
void HostSetQuitCallback(void (*callback)());

// Memory the console takes for its own bookkeeping comes from the host, never from
// the game's heap, even where the game routes the global operator new there: the
// console's state outlives the game's heap. Console calls that may allocate open a
// scope; the game's operator new asks whether one is open on its thread. The
// console's own threads hold one for as long as they run.
class HostMemoryScope {
public:
    HostMemoryScope();
    ~HostMemoryScope();
    HostMemoryScope(const HostMemoryScope&) = delete;
    HostMemoryScope& operator=(const HostMemoryScope&) = delete;
};
bool HostMemoryScopeOpen();
