#include "console/gx/gx_stage_timing.h"

namespace console::gx {

bool g_stageTiming = false;

namespace {
HostGXStageTimes s_times;
}

void StageTimingAdd(GXPipelineStage stage, std::chrono::steady_clock::duration spent) {
    s_times.nanoseconds[stage] += u64(std::chrono::duration_cast<std::chrono::nanoseconds>(spent).count());
}

void StageTimingReset() {
    g_stageTiming = false;
    s_times = {};
}

}  // namespace console::gx

void HostGXSetStageTiming(bool enabled) {
    console::gx::StageTimingReset();
    console::gx::g_stageTiming = enabled;
}

HostGXStageTimes HostGXStageTimesSoFar() {
    return console::gx::s_times;
}
