// A logo movie played with pictures, as the game plays it before the menus: the
// counter is wall time a retrace (goal: at most twice bench_sfp's
// MenuWithPixels on one pixel thread). The argument is the number of threads
// that draw the pixels.
#include <benchmark/benchmark.h>

#include "console/vi.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Movie.h"
#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "source/GameReset.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"

namespace {

void LogoMovie(benchmark::State& state) {
    HostConfig config = TestHostConfig();
    config.mem1Size = HostConfig{}.mem1Size;
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    config.gxThreads = u32(state.range(0));
    HostInit(config);
    InstanceSetGameColdReset(GameEngineColdReset);
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    GameColdReset();
    GameWarmReset();
    FileChangeDirectory(GAME_DATA_FOLDER);
    u32 retraces = 0;
    for (auto _ : state) {
        const u32 start = VIGetRetraceCount();
        if (MoviePlay("ORBLOGO") != 0)
            state.SkipWithError("the movie did not play");
        retraces += VIGetRetraceCount() - start;
    }
    state.counters["retrace"] =
        benchmark::Counter(f64(retraces), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    OrblibExit();
    HostShutdown();
}
BENCHMARK(LogoMovie)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
