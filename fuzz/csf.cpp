// A ".CSF" script played from memory and then from the disc, each for a few
// frames at twenty times speed, and stopped: whatever the bytes say, nothing may
// be read past the script, and nothing it loaded or opened may outlive the stop.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/CutScene.h"
#include "orblib47/source/OrbLib.h"

namespace {

constexpr s32 kFrames = 30;
constexpr f32 kTimeScale = 20.0f;

s32 Handler(s_orb_cut_scene*, s_cs_cmd_queue*, s32, s_cs_cmd*) {
    return 0;
}

void PlayFor(s_orb_cut_scene* cs) {
    if (cs == nullptr)
        return;
    cs->cmdHandler = Handler;
    for (s32 frame = 0; frame < kFrames && OrbCutScenePlaying(cs); ++frame)
        EventWait(1);
    OrbCutSceneStop(cs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    PlayFor(OrbCutScenePlay(data, u32(size), 0, kTimeScale));
    fuzz::WriteDiscFile("FUZZ.CSF", {data, size});
    PlayFor(OrbCutScenePlay("FUZZ", 2.0f, 0, kTimeScale));
    fuzz::RemoveDiscFile("FUZZ.CSF");
    return 0;
}
