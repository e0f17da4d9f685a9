// The demo alley's busiest frame through the software GX: the game itself, four
// computer bowlers on the home alley, caught when the first ball has scattered the
// pins. The frame holds the lit hall, the player's lane and the three computer
// lanes with their balls and pins, the pinsetter and sweeper, the bowler and the
// walkers, and the HUD with its scoreboard. Goal: under 8 ms on one core. The game
// is held still (paused, no idle physics) while frames are timed, so every
// iteration draws the same picture. The counters give the share of each stage of
// the rasteriser's pipeline; "engine" is what the frame spends outside it.
#include <benchmark/benchmark.h>

#include <chrono>

#include "console/gx/gx_stage_timing.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "tests/support/TestHost.h"

namespace {

constexpr u32 kFramesToFirstPins = 4000;      // bound on the wait for the first pin action
constexpr f32 kFilmFramesIntoPinAction = 60;  // half a second after the ball reaches the pins
constexpr u32 kSharedFrames = 30;             // frames timed stage by stage

bool PinsScattering() {
    return Physics.m_state == LANE_STATE_ROLL && PlayerLane.FrameBallReachesPins > 0 &&
           Physics.fCurrentFrame > f32(PlayerLane.FrameBallReachesPins) + kFilmFramesIntoPinAction;
}

void BM_AlleyBusiestFrame(benchmark::State& state) {
    // The console's full memory, as the game has it.
    HostConfig config = TestHostConfig();
    config.mem1Size = HostConfig{}.mem1Size;
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    HostInit(config);
    g_LevelLaunchOptions = {LAUNCH_DEFAULT_LEVEL, 4, 0xF, 3};
    OrbMainStartup();
    for (u32 frame = 0; frame < kFramesToFirstPins && !PinsScattering(); ++frame)
        OrbMainFrame();
    if (!PinsScattering()) {
        state.SkipWithError("the first ball never reached the pins");
    } else {
        SetGamePause(1);
        const AppIdleCallbackFunc idle = AppIdleCallback;
        AppIdleCallback = DoNothingCallback;
        for (auto _ : state)
            EventWait(1);
        // The shares come from frames of their own: timing the stages costs clock
        // reads per triangle, which the frames above must not pay.
        HostGXSetStageTiming(true);
        const auto start = std::chrono::steady_clock::now();
        for (u32 frame = 0; frame < kSharedFrames; ++frame)
            EventWait(1);
        const f64 totalNs =
            f64(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
                    .count());
        const HostGXStageTimes times = HostGXStageTimesSoFar();
        HostGXSetStageTiming(false);
        AppIdleCallback = idle;
        SetGamePause(0);
        // Shares of a frame in per cent.
        const char* names[kGXStageCount] = {"vertex%", "clip%", "pixel%", "copy%"};
        f64 engine = 100;
        for (u32 s = 0; s < kGXStageCount; ++s) {
            const f64 share = 100 * f64(times.nanoseconds[s]) / totalNs;
            state.counters[names[s]] = share;
            engine -= share;
        }
        state.counters["engine%"] = engine;
    }
    OrbMainShutdown();
    HostShutdown();
}
BENCHMARK(BM_AlleyBusiestFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
