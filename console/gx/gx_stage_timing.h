// Time spent in each stage of the rasteriser's pipeline, for the benchmarks: off
// unless a bench switches it on (HostGXSetStageTiming), when each timed stage costs
// two clock reads.
#pragma once

#include <chrono>

#include "console/types.h"

// The pipeline's stages as the timing counts them: decoding, transforming and
// lighting vertices; clipping and projecting triangles; everything a pixel goes
// through (edge set-up, spans, texture, TEV, depth, blending); and the display copy.
enum GXPipelineStage : u32 { kGXStageVertex, kGXStageClip, kGXStagePixel, kGXStageCopy, kGXStageCount };
struct HostGXStageTimes {
    u64 nanoseconds[kGXStageCount];
};
// Switching the timing on or off zeroes the times.
void HostGXSetStageTiming(bool enabled);
HostGXStageTimes HostGXStageTimesSoFar();

namespace console::gx {

extern bool g_stageTiming;
void StageTimingAdd(GXPipelineStage stage, std::chrono::steady_clock::duration spent);
void StageTimingReset();

// Adds its lifetime to its stage.
class StageTimer {
public:
    explicit StageTimer(GXPipelineStage stage) : m_stage(stage) {
        if (g_stageTiming)
            m_start = std::chrono::steady_clock::now();
    }
    ~StageTimer() {
        if (g_stageTiming)
            StageTimingAdd(m_stage, std::chrono::steady_clock::now() - m_start);
    }
    StageTimer(const StageTimer&) = delete;
    StageTimer& operator=(const StageTimer&) = delete;

private:
    GXPipelineStage m_stage;
    std::chrono::steady_clock::time_point m_start{};
};

}  // namespace console::gx
