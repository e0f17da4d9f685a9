// The screen-movie player's frame: a menu of 40 objects, 6 of them text fields,
// moving on their keys, updated and drawn each frame with the rest of the task
// list. Without pixels GX keeps its state but draws nothing: what the player
// itself costs (goal: under 1 ms on one core, less the empty frame's time); with
// pixels the software rasteriser's work is added.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "source/GameReset.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "tests/support/TempDisc.h"
#include "tools/sfpcompile/SfpCompile.h"

namespace {

// Six buttons with a caption each, a title, a spinning sprite of six blades, and
// panels sliding in: 1 + 6 x 2 + 6 + 7 + 14 = 40 objects.
std::string MenuSource() {
    std::string s =
        "movie BenchMenu\nframes 60\nlabel TransIn 0\nlabel Idle 20\nlabel TransOut 50\n"
        "draw Face roundrect 200 32 radius 8 fill panel-top panel-bottom border 2 outline\n"
        "symbol Look 1\nimage Face Face\nkey 0\nend\n"
        "symbol Spinner 12\n";
    for (int blade = 0; blade < 6; ++blade)
        s += "rect Blade 4 24\nkey 0 rot " + std::to_string(blade * 60) + "\nkey 11 rot " +
             std::to_string(blade * 60 + 55) + "\n";
    s += "end\nrect Backdrop 640 448\nkey 0 colour backdrop-bottom\n";
    for (int i = 0; i < 6; ++i) {
        const std::string y = std::to_string(100 + 44 * i);
        s += "button Btn" + std::to_string(i) + " 200 32 Look - -\nkey 0 x -200 y " + y +
             " ease out\nkey 20 x 220\n";
    }
    for (int i = 0; i < 6; ++i)
        s += "text Caption" + std::to_string(i) + " DORVAREG20 20 200 32 centre middle \"Menu choice " +
             std::to_string(i) + "\"\nkey 0 x 220 y " + std::to_string(100 + 44 * i) +
             " alpha 0\nkey 20 alpha 1\n";
    s += "instance Spin Spinner\nkey 0 x 560 y 60\n";
    for (int i = 0; i < 14; ++i)
        s += "rect Panel" + std::to_string(i) + " 40 20\nkey 0 x " + std::to_string(20 + 42 * (i % 7)) +
             " y " + std::to_string(20 + 360 * (i / 7)) +
             " colour panel-top alpha 0.5 ease inout\nkey 59 y 40\n";
    return s;
}

void WriteFile(const TempDisc& disc, const std::string& path, const std::string& from) {
    std::ifstream file(from, std::ios::binary);
    disc.Write(path, {std::istreambuf_iterator<char>(file), {}});
}

void MenuFrame(benchmark::State& state, bool menu, bool pictures) {
    TempDisc disc;
    WriteFile(disc, "DATA/IGFNT640.WAD", std::string(DefaultDiscRoot()) + "/DATA/IGFNT640.WAD");
    sfpc::CompiledMovie movie;
    std::string error;
    if (!sfpc::CompileMovie(MenuSource(), "bench", &movie, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    disc.Write("640/BenchMenu.sfp", movie.sfp);
    disc.Write("640/BenchMenu.sfc", movie.sfc);
    HostConfig config = disc.Config();
    config.pictures = pictures;
    HostInit(config);
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    GameColdReset();
    GameWarmReset();

    SFP_FONT_LOOKUP_t fonts[1] = {{"DORVAREG20", "DATA/IGFNT640", "IGFNT640", nullptr, nullptr, 0}};
    SFP_SCREEN_LABEL_t labels[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
    SFP_SCREEN_INFO_t info{};
    info.fileName = "BenchMenu";
    info.screenAlign = 1;
    info.numSubScreens = 3;
    info.subScreens = labels;
    info.curButton = -1;
    SFP2KSetFlashFileRootPath("640");
    SFP2KInit(fonts, 1);
    const s32 id = menu ? SFP2KLoadScreen(&info, 4, 0) : -1;
    if (menu && id < 0) {
        state.SkipWithError("the menu did not load");
    } else {
        SFP2KOpenScreen(id, 0, SFP_SUBSCREEN_NEXT, 1);
        for (auto _ : state)
            EventWait(1);
    }
    SFP2KKill();
    OrblibExit();
    HostShutdown();
}
BENCHMARK_CAPTURE(MenuFrame, EmptyFrame, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MenuFrame, MenuWithoutPixels, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MenuFrame, MenuWithPixels, true, true)->Unit(benchmark::kMicrosecond);

}  // namespace
