// AX's reset and its mixer, for HostInit, tests and the benchmark. Internal to the
// console.
#pragma once

#include "console/ax.h"

namespace console {

// No voices acquired, no callback, AX not started.
void AXReset();

// Mixes one audio frame of the given voices into `out` (AX_FRAME_SAMPLES stereo
// samples, left then right), moving each running voice on by one frame.
void AXMixFrame(AXVPB* voices, u32 count, s16* out);

}  // namespace console
