// A stream playing across an open disc cover: the handler waits, after the cover
// is closed, until the re-synchronised stream plays again, and for 60 frames at
// least, showing "Loading..." meanwhile.
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbThread.h"
#include "tests/engine/StreamFixture.h"
#include "tools/discbuild/AsfWriter.h"

namespace {

class HardwareStreamTest : public StreamFixture {
protected:
    const std::vector<u8>& Pack() const override {
        static const std::vector<u8> pack = discbuild::AsfWrite({{Tone(14 * 20000, 40.0), {}, 32000}});
        return pack;
    }
};

struct Seen {
    u32 status;
    s32 active;
    bool playing;
    f32 left;  // the stream channel's left volume
};
std::vector<Seen> s_seen;
const s_stream* s_watched = nullptr;

void Watch(s_thread*, void*) {
    s_seen.push_back({FileGetErrorStatus(), HardwareErrorActive, StreamIsPlaying(s_watched),
                      ChannelStatus[s_watched->channel].header.volumeMix.volL});
}

void CloseCover(void*) {
    HostDVDSetDriveStatus(DVD_STATE_END);
}

TEST_F(HardwareStreamTest, AStreamPlayingAcrossAnOpenCoverPausesAndResumes) {
    s_stream_file* file = StreamSetFile(kPack);
    ASSERT_NE(file, nullptr);
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    s_stream* stream = StreamStart(file, 0, &mix, 0);
    ASSERT_NE(stream, nullptr);
    Retraces(10);
    ASSERT_TRUE(StreamIsPlaying(stream));

    s_watched = stream;
    s_seen.clear();
    ThreadInsertPriorityDebug("Watch", nullptr, nullptr, Watch, nullptr, 100);
    HostDVDSetDriveStatus(DVD_STATE_COVER_OPEN);
    console::PollSchedule(console::ClockNow() + 20 * console::kRetracePeriod, CloseCover, nullptr);
    EXPECT_EQ(HardwareCheckFileError(), FILE_ERROR_COVER_OPEN);

    // Frames held after the cover closed: "Loading..." until the stream plays again
    // and 60 frames have passed.
    u32 loading = 0;
    u32 open = 0;
    for (const Seen& seen : s_seen) {
        if (seen.active == 0)
            continue;
        // The first frame with the cover closed lets the message task unmute; the
        // re-synchronisation mutes again from the next frame on.
        if (seen.status != 0 || loading > 1) {
            EXPECT_EQ(seen.left, 0.0f) << "muted while held: frame " << open + loading;
        }
        if (seen.status != 0)
            ++open;
        else
            ++loading;
    }
    EXPECT_GE(open, 19u) << "held while the cover was open";
    EXPECT_GE(loading, u32(HARDWARE_RESYNC_MIN_FRAMES));
    EXPECT_LT(loading, u32(HARDWARE_RESYNC_MAX_FRAMES));
    ASSERT_FALSE(s_seen.empty());
    EXPECT_TRUE(s_seen.back().playing);
    EXPECT_TRUE(StreamIsPlaying(stream)) << "the stream plays on";
    EXPECT_EQ(ChannelStatus[stream->channel].header.volumeMix.volL, 1.0f) << "at its own volume";
    EXPECT_FALSE(report().contains("Waiting for Stream Re-Sync: ABORT!"));
    StreamStop(stream);
    Retraces(2);
    StreamFreeFile(file);
}

}  // namespace
