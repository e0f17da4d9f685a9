// A ".thp" movie on the disc, opened by the movie player, preloaded, and played
// frame by frame with its sound mixed, until the ring runs dry; then shut down.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/THPSimpleInternal.h"
#include "orblib47/source/OrbLib.h"

namespace {

constexpr s32 kMaxPasses = 24;
const char kName[] = "FUZZ.thp";

void Play() {
    u8* buffer = static_cast<u8*>(HeapMalloc(THPSimpleCalcNeedMemory(), __FILE__, __LINE__));
    if (buffer == nullptr)
        return;
    THPSimpleSetBuffer(buffer);
    if (THPSimplePreLoad(FALSE)) {
        THPSimpleAudioStart();
        s16 block[thp::THP_DMA_FRAMES * 2];
        for (s32 pass = 0; pass < kMaxPasses; ++pass) {
            const s32 result = THPSimpleDecode(0);
            thp::THPMixAudio(block, nullptr, thp::THP_DMA_FRAMES);
            if (result == THP_DECODE_NO_FRAME && !thp::SimpleControl.readProgress)
                break;
            EventWait(1);
        }
        THPSimpleAudioStop();
    }
    THPSimpleLoadStop();
    THPSimpleClose();
    HeapMallocFree(buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile(kName, {data, size});
    if (!THPSimpleInit(THP_MODE_ALONE))
        fuzz::Fail("the player did not start");
    if (THPSimpleOpen(kName))
        Play();
    THPSimpleQuit();
    EventWait(3);  // the sound blocks' delayed free
    fuzz::RemoveDiscFile(kName);
    return 0;
}
