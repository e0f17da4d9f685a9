// One whole throw, from the release to the end of the sweep, through the lane
// manager's slices. The counter is simulated seconds per wall-clock second; the
// goal is at least 10,000 for every throw (one core).
#include <benchmark/benchmark.h>

#include "orblib47/source/OrbRandom.h"
#include "source/GameReset.h"
#include "source/NPCBowler.h"
#include "source/Physics/ThrowRunner.h"

namespace {

const u16 DRY_LANE[OIL_ROWS][OIL_BOARDS]{};

ThrowSetup Throw(f32 x, f32 spinX) {
    ThrowSetup setup;
    setup.ball.position.x = x;
    setup.ball.velocity.z = 85.0f;
    setup.ball.VSpin.x = spinX;
    setup.ball.mass = 16;
    setup.oil = DRY_LANE;
    return setup;
}

void Report(benchmark::State& state, f64 simulatedSeconds) {
    state.counters["sim_s_per_wall_s"] = benchmark::Counter(simulatedSeconds, benchmark::Counter::kIsRate);
}

// A strike leaves the most pins moving, the costliest pin action.
void BM_PlayerThrow(benchmark::State& state) {
    GameColdReset();
    const ThrowSetup setup = Throw(state.range(0) / 100.0f, 0.0f);
    f64 simulated = 0.0;
    for (auto _ : state) {
        OrbSRand(1);
        PlayerLane.BallOil = 0;
        const ThrowSummary s = RunPlayerThrow(Physics, setup);
        simulated += (s.frames - 1) / 120.0;
    }
    Report(state, simulated);
}
BENCHMARK(BM_PlayerThrow)->Arg(600)->Arg(525)->Arg(50)->Unit(benchmark::kMillisecond);

// A computer lane: the coarse roll sliced too, and a 541-step pick-up.
void BM_ComputerThrow(benchmark::State& state) {
    GameColdReset();
    static CNPCBowler bowler;
    const ThrowSetup setup = Throw(6.0f, 0.0f);
    f64 simulated = 0.0;
    for (auto _ : state) {
        OrbSRand(1);
        const ThrowSummary s = RunComputerThrow(bowler, setup);
        simulated += (s.frames - 1) / 120.0;
    }
    Report(state, simulated);
}
BENCHMARK(BM_ComputerThrow)->Unit(benchmark::kMillisecond);

}  // namespace
