// HostInit: brings every console service back to its power-on state; the host
// services the engine calls.
#include "console/system.h"

#include "console/ai/ai_control.h"
#include "console/ax/ax_control.h"
#include "console/dvd/dvd_drive.h"
#include "console/gx/gx_state.h"
#include "console/gx/gx_tiles.h"
#include "console/hio2/hio2_reset.h"
#include "console/host_services.h"
#include "console/nand/nand_control.h"
#include "console/os/arena.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/os/reset.h"
#include "console/os/sound_mode.h"
#include "console/sc/sc_reset.h"
#include "console/vi/vi_control.h"

namespace {

HostConfig s_config;
// A thread's own: the console's threads hold one for as long as they run.
thread_local u32 s_memoryScopes = 0;
OSTime s_idleRetrace = 0;  // the retrace the idle calls below count from
u32 s_idleCalls = 0;

// On the virtual clock the n-th idle call after a retrace ends n costs after it:
// how many calls fit in a frame's wait then does not depend on how often the frame
// read the clock before it (how much it drew). Before the retraces start, each
// call costs one.
void ChargeIdleCall() {
    if (!console::PollRetracesStarted()) {
        console::ClockAdvance(s_config.virtualIdleCost);
        return;
    }
    const OSTime retrace = console::PollLastRetrace();
    if (retrace != s_idleRetrace) {
        s_idleRetrace = retrace;
        s_idleCalls = 0;
    }
    ++s_idleCalls;
    console::ClockWaitUntil(retrace + OSTime(s_idleCalls) * s_config.virtualIdleCost);
}

}  // namespace

bool HostInit(const HostConfig& config, std::string* windowError) {
    HostShutdown();
    s_config = config;
    s_idleRetrace = 0;
    s_idleCalls = 0;
    HostSetReportSink(nullptr, nullptr);
    console::ClockReset(config);
    console::PollReset();
    console::ArenaReset(config.mem1Size, config.mem2Size);
    console::VIReset();
    console::DVDDriveReset();
    console::gx::GXReset();
    console::gx::SetPixelThreads(console::gx::ChoosePixelThreads(config.gxThreads));
    console::HIO2Reset();
    HostNANDReset();
    console::SCReset(config);
    console::QuitReset();
    console::SoundModeReset(config.soundMode);
    console::AIReset();
    console::AXReset();
    console::ResetButtonsReset();
    std::string error;
    const bool windowOpened = !config.window || console::WindowOpen(config.windowTitle.c_str(), &error);
    if (!windowOpened && windowError != nullptr)
        *windowError = error;
    console::AudioOutputsOpen(config);
    return windowOpened;
}

void HostShutdown() {
    console::AudioOutputsClose();
    console::WindowClose();
    // Copies to texture still queued write into the arena.
    console::gx::FinishFrameBuffer();
    console::ArenaRelease();
}

const HostConfig& HostGetConfig() {
    return s_config;
}

void HostChargeIdleWork() {
    if (console::ClockIsVirtual())
        ChargeIdleCall();
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
