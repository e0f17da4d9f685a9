#include "console/gx/gx_stage_timing.h"

#include <atomic>

namespace console::gx {

bool g_stageTiming = false;

namespace {
// Added to by every thread that runs a stage.
std::atomic<u64> s_nanoseconds[kGXStageCount];
}  // namespace

void StageTimingAdd(GXPipelineStage stage, std::chrono::steady_clock::duration spent) {
    s_nanoseconds[stage].fetch_add(u64(std::chrono::duration_cast<std::chrono::nanoseconds>(spent).count()),
                                   std::memory_order_relaxed);
}

void StageTimingReset() {
    g_stageTiming = false;
    for (std::atomic<u64>& stage : s_nanoseconds)
        stage.store(0, std::memory_order_relaxed);
}

}  // namespace console::gx

void HostGXSetStageTiming(bool enabled) {
    console::gx::StageTimingReset();
    console::gx::g_stageTiming = enabled;
}

HostGXStageTimes HostGXStageTimesSoFar() {
    HostGXStageTimes times;
    for (u32 stage = 0; stage < kGXStageCount; ++stage)
        times.nanoseconds[stage] = console::gx::s_nanoseconds[stage].load(std::memory_order_relaxed);
    return times;
}
