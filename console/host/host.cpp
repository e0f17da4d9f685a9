// HostInit: brings every console service back to its power-on state.
#include "console/host/host.h"

#include "console/arena.h"
#include "console/clock.h"
#include "console/gx/gx_state.h"
#include "console/host/nand_control.h"
#include "console/host/window.h"
#include "console/poll.h"
#include "console/reset.h"

namespace {

HostConfig s_config;
u32 s_memoryScopes = 0;
void (*s_quitCallback)() = nullptr;
bool s_quitNotified = false;

}  // namespace

void HostInit(const HostConfig& config) {
    HostShutdown();
    s_config = config;
    s_quitCallback = nullptr;
    s_quitNotified = false;
    HostSetReportSink(nullptr, nullptr);
    console::ClockReset(config);
    console::PollReset();
    console::ArenaReset(config.mem1Size, config.mem2Size);
    console::VIReset();
    console::DVDDriveReset();
    console::gx::GXReset();
    HostNANDReset();
    console::SCReset(config);
    if (config.window)
        console::WindowOpen(config.windowTitle.c_str());
}

void HostShutdown() {
    console::WindowClose();
    console::ArenaRelease();
}

const HostConfig& HostGetConfig() {
    return s_config;
}

void HostSetQuitCallback(void (*callback)()) {
    s_quitCallback = callback;
}

void console::HostNotifyQuit() {
    if (s_quitNotified || s_quitCallback == nullptr)
        return;
    s_quitNotified = true;
    s_quitCallback();
}

void HostChargeIdleWork() {
    if (console::ClockIsVirtual())
        console::ClockAdvance(s_config.virtualIdleCost);
    console::Poll();
}

void HostAdvanceClock(OSTime ticks) {
    console::ClockAdvance(ticks);
}

HostMemoryScope::HostMemoryScope() {
    ++s_memoryScopes;
}

HostMemoryScope::~HostMemoryScope() {
    --s_memoryScopes;
}

bool HostMemoryScopeOpen() {
    return s_memoryScopes != 0;
}
