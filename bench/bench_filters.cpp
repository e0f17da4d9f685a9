// The blur frame filter over a 640x448 picture, as one frame runs it: the
// picture copied into the frame-buffer texture, the command list, and the
// composite back over the picture. Goal: under 2 ms a frame on one core.
#include <benchmark/benchmark.h>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/OrbLib.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"

namespace {

void BM_BlurFilter(benchmark::State& state) {
    HostInit(TestHostConfig());
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    // Something to blur: a bright bar over a dim picture.
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(0x304060FFu);
    const s_Irect16 screen = {0, 0, 640, 448}, bar = {200, 100, 240, 120};
    DrawFilledIrect(&screen);
    DrawSetFlatColor(0xFFFFFFFFu);
    DrawFilledIrect(&bar);
    OrbFrameFilter.Set(ORB_FILTER_MODE_BLUR);
    for (auto _ : state) {
        OrbFrameFilter.Update();
        OrbFrameFilter.Draw();
    }
    OrbFrameFilter.Set(ORB_FILTER_MODE_NONE);
    OrblibExit();
    HostShutdown();
}
BENCHMARK(BM_BlurFilter)->Unit(benchmark::kMicrosecond);

}  // namespace
