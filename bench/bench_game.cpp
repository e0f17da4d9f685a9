// The whole game headless: four seeded computer bowlers on the home alley for
// 3,000 frames from the level's start (loading, the intro, throws, pin action and
// the idle physics between frames), as `bowling --headless` runs it. The counter
// is frames a second of wall time; goal: 1,000 on 8 cores. The argument is the
// number of threads that draw the pixels.
#include <benchmark/benchmark.h>

#include <thread>

#include "bench/FourBowlerGame.h"
#include "console/system.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"

namespace {

constexpr u32 kFrames = 3000;

void WholeGame(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        StartFourBowlerGame(u32(state.range(0)));
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
