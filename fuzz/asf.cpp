// A stream pack (".ASF") on the disc, opened: a refused pack is one line and
// nothing kept; an accepted one has every entry inside the file, and each of its
// streams (up to the eight slots) is started, played for a few frames, stopped by
// freeing the pack, and its slot and channel given back.
#include "console/vi.h"
#include "fuzz/fuzz_world.h"
#include "orblib47/source/NGC/Stream.h"

namespace {

const char kName[] = "FUZZ.ASF";
constexpr int kFrames = 4;

void RunFrames() {
    for (int i = 0; i < kFrames; ++i)
        VIWaitForRetrace();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile(kName, {data, size});
    s_stream_file* file = StreamSetFile(kName);
    if (file == nullptr)
        return 0;
    for (u32 i = 0; i < file->numStreams; ++i) {
        const s_ngc_pak_entry& entry = file->pakEntry[i];
        if (entry.length <= PCM_HEADER_SIZE || entry.offset > size || entry.length > size - entry.offset)
            fuzz::Fail("an entry outside the file was kept");
    }
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    for (u32 i = 0; i < file->numStreams && i < STREAM_COUNT; ++i)
        StreamStart(file, s32(i), &mix, STREAM_FLAG_LOOP);
    RunFrames();
    StreamFreeFile(file);
    RunFrames();
    for (const s_stream& stream : SpuStream) {
        if (stream.status != 0)
            fuzz::Fail("a stream of a freed pack is still active");
    }
    for (const s_channel_status& channel : ChannelStatus) {
        if (channel.header.flags != 0)
            fuzz::Fail("a stream's channel was not given back");
    }
    return 0;
}
