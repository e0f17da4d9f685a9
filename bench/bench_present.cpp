// The window's presentation of a shown 640x480 YUYV frame at each retrace, on
// SDL's dummy video driver with its software renderer, so no display is needed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "console/gx.h"
#include "console/os.h"
#include "console/system.h"
#include "console/vi.h"

namespace {

void BM_PresentFrame(benchmark::State& bench) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    HostConfig config;
    config.window = true;
    std::string error;
    if (!HostInit(config, &error)) {
        // Without a window every retrace would be an empty loop.
        bench.SkipWithError(error.c_str());
        return;
    }
    VIInit();
    GXRenderModeObj mode{};
    mode.fbWidth = 640;
    mode.xfbHeight = 480;
    VIConfigure(&mode);
    // A grey ramp, so the conversion works on varied pixels.
    u8* xfb = static_cast<u8*>(OSGetMEM1ArenaLo());
    for (u32 i = 0; i < 640 * 480 * 2; ++i)
        xfb[i] = i % 2 == 0 ? u8(16 + i / 2 % 220) : u8(128);
    VISetNextFrameBuffer(xfb);
    VISetBlack(FALSE);
    VIFlush();
    for (auto _ : bench)
        VIWaitForRetrace();
    HostShutdown();
}
BENCHMARK(BM_PresentFrame)->Unit(benchmark::kMillisecond);

}  // namespace
