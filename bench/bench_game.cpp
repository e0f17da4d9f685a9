// The whole game headless: four seeded computer bowlers on the home alley for
// 3,000 frames from the level's start (loading, the intro, throws, pin action and
// the idle physics between frames), as `bowling --headless` runs it. The counter
// is frames a second of wall time; goal: 1,000 on 8 cores. The argument is the
// number of threads that draw the pixels.
#include <benchmark/benchmark.h>

#include <thread>

#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "source/DevEntries.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"

namespace {

constexpr u32 kFrames = 3000;

void WholeGame(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        // The console's full memory, as the game has it.
        HostConfig config = TestHostConfig();
        config.mem1Size = HostConfig{}.mem1Size;
        config.mem2Size = HostConfig{}.mem2Size;
        config.discRoot = DefaultDiscRoot();
        config.gxThreads = u32(state.range(0));
        HostInit(config);
        g_LevelLaunchOptions = {LAUNCH_DEFAULT_LEVEL, 4, 0xF, 3};
        OrbMainStartup();
        LevelLaunchBegin();
        state.ResumeTiming();
        for (u32 frame = 0; frame < kFrames; ++frame)
            LevelLaunchFrame();
        state.PauseTiming();
        if (g_LaunchState != LAUNCH_PLAYING)
            state.SkipWithError("the game was not under way at its last frame");
        OrbMainShutdown();
        HostShutdown();
        state.ResumeTiming();
    }
    state.counters["frames/s"] =
        benchmark::Counter(f64(kFrames) * f64(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(WholeGame)
    ->Arg(1)
    ->Arg(int(std::thread::hardware_concurrency()))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
