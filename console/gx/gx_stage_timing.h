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

// Adds its lifetime to its stage, less the time of the timers opened inside it
// on its thread:
// a batch's clipping is timed once around the whole batch, its triangles' pixels
// each, so that a triangle costs two clock reads and not four.
class StageTimer {
public:
    explicit StageTimer(GXPipelineStage stage) : m_stage(stage) {
        if (g_stageTiming) {
            m_outer = s_open;
            s_open = this;
            m_start = std::chrono::steady_clock::now();
        }
    }
    ~StageTimer() {
        if (s_open != this)
            return;  // opened while timing was off
        s_open = m_outer;
        if (g_stageTiming) {
            const std::chrono::steady_clock::duration spent = std::chrono::steady_clock::now() - m_start;
            StageTimingAdd(m_stage, spent);
            if (m_outer != nullptr)
                StageTimingAdd(m_outer->m_stage, -spent);
        }
    }
    StageTimer(const StageTimer&) = delete;
    StageTimer& operator=(const StageTimer&) = delete;

private:
    static inline thread_local StageTimer* s_open = nullptr;
    GXPipelineStage m_stage;
    StageTimer* m_outer = nullptr;
    std::chrono::steady_clock::time_point m_start{};
};

}  // namespace console::gx
