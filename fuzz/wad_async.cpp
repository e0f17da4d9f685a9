// An archive loaded by the loader task, with its ".OWD" override loaded first:
// one byte of load flags, then the two files (fuzz::Split); an empty override
// means none.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr int kMaxFrames = 2000;  // far beyond what any input of libFuzzer's size needs
constexpr u32 kFlagChoices = WAD_LOAD_BEST_FIT | WAD_LOAD_LOW | WAD_LOAD_MIN_DATA_SET;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size == 0)
        return 0;
    fuzz::Input input;
    const auto [archive, override] = fuzz::Split({data + 1, size - 1});
    fuzz::WriteDiscFile("FUZZ.WAD", archive);
    if (override.empty())
        fuzz::RemoveDiscFile("FUZZ.OWD");
    else
        fuzz::WriteDiscFile("FUZZ.OWD", override);

    s_wad_status* status = WadLoadAsync("FUZZ", data[0] & kFlagChoices);
    if (status == nullptr)
        fuzz::Fail("no async-load record with none in use");
    for (int frame = 0;; ++frame) {
        s32 done = 0;
        s_wad* handle = WadLoadStatus(status, &done);
        if (done) {
            WadFree(handle);
            break;
        }
        if (frame == kMaxFrames)
            fuzz::Fail("the async load never finished");
        EventWait(1);
    }
    return 0;
}
