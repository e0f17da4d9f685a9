// The demo alley's busiest frames through the software GX: the game itself, four
// computer bowlers on the home alley, caught at two moments. Bowler up: the
// camera behind the first bowler, the bowlers, the hall and every lane in view,
// the full scoreboard. Pin action: the first ball has scattered the pins, the
// player's lane and its neighbours close up, the pinsetter and sweeper. Both have
// the HUD. Goal: under 8 ms on one core. The game is held still (paused, no idle
// physics) while frames are timed, so every iteration draws the same picture.
// The argument is the number of threads that draw the pixels.
// The counters give the share of each stage of the rasteriser's pipeline;
// "engine" is what the frame spends outside it. The copies run in the pixel
// threads' job, after the bands they read: their rows count as pixels.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "bench/FourBowlerGame.h"
#include "console/gx/gx_stage_timing.h"
#include "console/system.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"

namespace {

constexpr u32 kFramesToScene = 4000;          // bound on the wait for a scene
constexpr f32 kFilmFramesIntoPinAction = 60;  // half a second after the ball reaches the pins
constexpr u32 kSharedFrames = 30;             // frames timed stage by stage

bool BowlerUp() {
    return Physics.m_state == LANE_STATE_RELEASE;
}

bool PinsScattering() {
    return Physics.m_state == LANE_STATE_ROLL && PlayerLane.FrameBallReachesPins > 0 &&
           Physics.fCurrentFrame > f32(PlayerLane.FrameBallReachesPins) + kFilmFramesIntoPinAction;
}

// The shares of a frame each stage takes, from frames of their own: timing the
// stages costs clock reads per triangle, which the timed frames must not pay.
void TimeStages(benchmark::State& state) {
    HostGXSetStageTiming(true);
    const auto start = std::chrono::steady_clock::now();
    for (u32 frame = 0; frame < kSharedFrames; ++frame)
        EventWait(1);
    const f64 totalNs =
        f64(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
                .count());
    const HostGXStageTimes times = HostGXStageTimesSoFar();
    HostGXSetStageTiming(false);
    // Shares of a frame in per cent.
    const char* names[kGXStageCount] = {"vertex%", "clip%", "pixel%", "copy%"};
    f64 engine = 100;
    for (u32 s = 0; s < kGXStageCount; ++s) {
        const f64 share = 100 * f64(times.nanoseconds[s]) / totalNs;
        state.counters[names[s]] = share;
        engine -= share;
    }
    state.counters["engine%"] = engine;
    // What a frame takes with the stage clocks running, for comparison.
    state.counters["timed-ms"] = totalNs / kSharedFrames / 1e6;
}

void AlleyFrame(benchmark::State& state, bool (*scene)()) {
    StartFourBowlerGame(u32(state.range(0)));
    for (u32 frame = 0; frame < kFramesToScene && !scene(); ++frame)
        LevelLaunchFrame();
    if (!scene()) {
        state.SkipWithError("the game never came to the scene");
    } else {
        SetGamePause(1);
        const AppIdleCallbackFunc idle = AppIdleCallback;
        AppIdleCallback = DoNothingCallback;
        for (auto _ : state)
            EventWait(1);
        // On several threads the stages run side by side on the pool: their
        // shares of a frame add up only on one.
        if (state.range(0) == 1)
            TimeStages(state);
        AppIdleCallback = idle;
        SetGamePause(0);
    }
    OrbMainShutdown();
    HostShutdown();
}
BENCHMARK_CAPTURE(AlleyFrame, BowlerUp, BowlerUp)
    ->Arg(1)
    ->Arg(int(std::thread::hardware_concurrency()))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(AlleyFrame, PinAction, PinsScattering)
    ->Arg(1)
    ->Arg(int(std::thread::hardware_concurrency()))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
