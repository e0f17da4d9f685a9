// The scheduler behind the poll points: a small queue of timed callbacks and the
// retrace source, delivered in time order on the program thread.
#include "console/os/poll.h"

#include <limits>
#include <vector>

#include "console/host_services.h"
#include "console/os/clock.h"

namespace console {
namespace {

struct Timed {
    OSTime due;
    u64 call;  // the console call that queued it
    PollCallback callback;
    void* context;
};

constexpr OSTime kNever = std::numeric_limits<OSTime>::max();

std::vector<Timed> s_queue;  // in queueing order: equal due times keep that order
bool s_interruptsEnabled = true;
bool s_delivering = false;
u32 s_scopeDepth = 0;
u64 s_call = 0;
void (*s_onRetrace)() = nullptr;
OSTime s_lastRetrace = 0;

// The earliest timed callback that the current call may deliver, or end().
std::vector<Timed>::iterator NextTimed() {
    auto next = s_queue.end();
    for (auto it = s_queue.begin(); it != s_queue.end(); ++it) {
        if (it->call != s_call && (next == s_queue.end() || it->due < next->due))
            next = it;
    }
    return next;
}

void Deliver() {
    if (s_delivering)
        return;
    s_delivering = true;
    const bool wasEnabled = s_interruptsEnabled;
    s_interruptsEnabled = false;  // callbacks run with interrupts masked
    const OSTime now = ClockNow();
    for (;;) {
        const OSTime retrace = s_onRetrace != nullptr ? s_lastRetrace + kRetracePeriod : kNever;
        const auto timed = NextTimed();
        const OSTime timedDue = timed != s_queue.end() ? timed->due : kNever;
        if (retrace <= timedDue && retrace <= now) {
            s_lastRetrace = retrace;
            s_onRetrace();
        } else if (timedDue <= now) {
            const Timed event = *timed;
            s_queue.erase(timed);
            event.callback(event.context);
        } else {
            break;
        }
    }
    s_interruptsEnabled = wasEnabled;
    s_delivering = false;
}

}  // namespace

PollScope::PollScope() {
    if (s_scopeDepth++ == 0)
        ++s_call;
}

PollScope::~PollScope() {
    --s_scopeDepth;
}

void PollReset() {
    s_queue.clear();
    s_interruptsEnabled = true;
    s_delivering = false;
    s_scopeDepth = 0;
    s_call = 0;
    s_onRetrace = nullptr;
    s_lastRetrace = 0;
}

void Poll() {
    PollScope scope;
    if (s_interruptsEnabled)
        Deliver();
}

void PollWaitUntil(OSTime time) {
    PollScope scope;
    ClockWaitUntil(time);
    Deliver();
}

bool PollDelivering() {
    return s_delivering;
}

void PollSchedule(OSTime due, PollCallback callback, void* context) {
    HostMemoryScope hostMemory;
    s_queue.push_back(Timed{due, s_call, callback, context});
}

void PollStartRetraces(void (*onRetrace)()) {
    const OSTime now = ClockNow();
    s_lastRetrace = now - ((now % kRetracePeriod) + kRetracePeriod) % kRetracePeriod;
    s_onRetrace = onRetrace;
}

bool PollRetracesStarted() {
    return s_onRetrace != nullptr;
}

OSTime PollLastRetrace() {
    return s_lastRetrace;
}

bool PollSetInterruptsEnabled(bool enabled) {
    const bool previous = s_interruptsEnabled;
    s_interruptsEnabled = enabled;
    return previous;
}

}  // namespace console
