// The disc stream engine: streams of a pack played through the voice mixer and
// compared sample for sample with a straight decode, the hold flag, the slots,
// stopping, and refused packs.
#include <algorithm>
#include <functional>

#include "console/dvd/dvd_control.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FileInternal.h"
#include "tests/engine/StreamFixture.h"

namespace {

constexpr u32 kBlock = 16384;  // half the audio-memory ring
constexpr f64 kRetraceSeconds = 1.0 / 60.0;

u32 SamplesOf(u32 adpcmBytes) {
    return AdpcmSamples(adpcmBytes);
}

class StreamTest : public StreamFixture {
protected:
    // 0..2: mono with a partial last block, an odd number of whole blocks (the last
    // lands at the ring's start while the voice plays the second half), less than
    // a block;
    // 3: stereo of three blocks a side; 4: a short mono stream last in the file.
    const std::vector<u8>& Pack() const override {
        static const std::vector<u8> pack =
            discbuild::AsfWrite({{Tone(SamplesOf(3 * kBlock + 4000), 40.0), {}, 32000},
                                 {Tone(SamplesOf(3 * kBlock), 61.0), {}, 32000},
                                 {Tone(SamplesOf(4000), 33.0), {}, 32000},
                                 {Tone(SamplesOf(2 * kBlock + 8000), 50.0),
                                  Tone(SamplesOf(2 * kBlock + 8000), 77.0, 3000), 32000},
                                 {Tone(SamplesOf(1000), 29.0), {}, 32000}});
        return pack;
    }

    s_stream_file* Open() {
        s_stream_file* file = StreamSetFile(kPack);
        EXPECT_NE(file, nullptr);
        return file;
    }

    // Plays stream n to its end and returns what was heard.
    std::vector<s16> PlayToEnd(s_stream_file* file, s32 n, u32 flags = 0) {
        HostAudioCaptureStart();
        const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        s_stream* stream = StreamStart(file, n, &mix, flags);
        EXPECT_NE(stream, nullptr);
        const u32 samples = u32(StraightDecode(u32(n), 0).size());
        Retraces(int(samples / 32000.0 / kRetraceSeconds) + 30);
        EXPECT_TRUE(StreamIsFinished(stream));
        return HostAudioCaptureTake();
    }

    static size_t FirstSound(const std::vector<s16>& side) {
        return size_t(std::find_if(side.begin(), side.end(), [](s16 s) { return s != 0; }) - side.begin());
    }

    // The samples the mixer's resampler still holds when a voice stops, never heard.
    static constexpr size_t kResamplerTail = 2;

    // `side` holds `expected` from its first sound on (but the resampler's tail),
    // then silence.
    static void ExpectPlayed(const std::vector<s16>& side, const std::vector<s16>& expected,
                             const char* what) {
        const size_t first = FirstSound(side);
        ASSERT_GE(side.size(), first + expected.size() + 96) << what;
        const auto heard = side.begin() + ptrdiff_t(first);
        const auto differ = std::mismatch(expected.begin(), expected.end() - kResamplerTail, heard);
        EXPECT_EQ(differ.first, expected.end() - kResamplerTail)
            << what << ": sample " << (differ.first - expected.begin()) << " of " << expected.size()
            << " differs";
        EXPECT_TRUE(std::all_of(heard + ptrdiff_t(expected.size()), side.end(), [](s16 s) { return s == 0; }))
            << what << ": sound after the end";
    }
};

TEST_F(StreamTest, PlaysEachStreamAsItsStraightDecodeThroughRingWrapsToTheEnd) {
    s_stream_file* file = Open();
    const struct {
        s32 n;
        const char* what;
    } cases[] = {{0, "partial last block"},
                 {1, "whole blocks, the last at the ring start (remainder 0)"},
                 {2, "under one block"},
                 {4, "last in the file"}};
    for (const auto& c : cases) {
        const std::vector<s16> heard = PlayToEnd(file, c.n);
        const std::vector<s16> expected = StraightDecode(u32(c.n), 0);
        ExpectPlayed(Side(heard, 0), expected, c.what);
        ExpectPlayed(Side(heard, 1), expected, c.what);
    }
    StreamFreeFile(file);
}

TEST_F(StreamTest, PlaysAStereoStreamsChannelsOnTheirSides) {
    s_stream_file* file = Open();
    const std::vector<s16> heard = PlayToEnd(file, 3);
    ExpectPlayed(Side(heard, 0), StraightDecode(3, 0), "left");
    ExpectPlayed(Side(heard, 1), StraightDecode(3, 1), "right");
    StreamFreeFile(file);
}

TEST_F(StreamTest, LoopingStreamRestartsFromItsFirstByte) {
    s_stream_file* file = Open();
    HostAudioCaptureStart();
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    s_stream* stream = StreamStart(file, 2, &mix, STREAM_FLAG_LOOP);
    const std::vector<s16> once = StraightDecode(2, 0);
    Retraces(int(2.5 * once.size() / 32000.0 / kRetraceSeconds) + 20);
    const std::vector<s16> left = Side(HostAudioCaptureTake(), 0);
    EXPECT_TRUE(StreamIsPlaying(stream));
    size_t at = FirstSound(left);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_LE(at + once.size(), left.size());
        EXPECT_TRUE(std::equal(once.begin(), once.end() - kResamplerTail, left.begin() + ptrdiff_t(at)))
            << "pass " << pass;
        at += once.size();
        at += FirstSound(std::vector<s16>(left.begin() + at, left.end()));
    }
    StreamStop(stream);
    StreamFreeFile(file);
    Retraces(1);
}

TEST_F(StreamTest, StartRefusesAMissingPackAnIndexPastItAndAForeignInterleave) {
    disc_.Write("STREAM/NARROW.ASF", discbuild::AsfWrite({{Tone(280, 10.0), Tone(280, 13.0), 32000}}, 256));
    s_stream_file* file = Open();
    s_stream_file* narrow = StreamSetFile("STREAM/NARROW.ASF");
    ASSERT_NE(narrow, nullptr);
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    const struct {
        s_stream_file* file;
        s32 n;
        const char* message;
    } cases[] = {
        {nullptr, 0, "StreamStart: Stream File not loaded!\n"},
        {file, s32(file->numStreams), "StreamStart: Stream Id 5 out of range!\n"},
        {narrow, 0, "StreamSetup: Refresh / Interleave Size mismatch (4000 / 100)\n"},
    };
    for (const auto& c : cases) {
        report_->clear();
        EXPECT_EQ(StreamStart(c.file, c.n, &mix, 0), nullptr) << c.message;
        EXPECT_EQ(report().text(), c.message);
    }
    StreamFreeFile(narrow);
    StreamFreeFile(file);
}

TEST_F(StreamTest, HeldStreamFillsAndWaitsUntilResumed) {
    s_stream_file* file = Open();
    HostAudioCaptureStart();
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    s_stream* stream = StreamStart(file, 0, &mix, STREAM_FLAG_HOLD);
    Retraces(10);
    EXPECT_NE(stream->status & STREAM_STATUS_READY, 0u);
    EXPECT_FALSE(StreamIsPlaying(stream));
    std::vector<s16> heard = HostAudioCaptureTake();
    EXPECT_TRUE(std::all_of(heard.begin(), heard.end(), [](s16 s) { return s == 0; }));

    StreamResume(stream);
    Retraces(2);
    EXPECT_EQ(stream->status & STREAM_STATUS_READY, 0u);
    EXPECT_TRUE(StreamIsPlaying(stream));
    heard = HostAudioCaptureTake();
    EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](s16 s) { return s != 0; }));
    StreamStop(stream);
    StreamFreeFile(file);
}

TEST_F(StreamTest, EightSlotsAndAStereoStreamTakesTwo) {
    s_stream_file* file = Open();
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    std::vector<s_stream*> started;
    for (int i = 0; i < 3; ++i)
        started.push_back(StreamStart(file, 3, &mix, 0));
    started.push_back(StreamStart(file, 0, &mix, 0));
    started.push_back(StreamStart(file, 1, &mix, 0));
    EXPECT_EQ(std::count(started.begin(), started.end(), nullptr), 0);
    report_->clear();
    EXPECT_EQ(StreamStart(file, 2, &mix, 0), nullptr);
    EXPECT_TRUE(report().contains("StreamSetup: No Free Streams\n"));
    StreamFreeFile(file);
    Retraces(1);
    EXPECT_TRUE(std::all_of(std::begin(SpuStream), std::end(SpuStream),
                            [](const s_stream& s) { return s.status == 0; }));
}

TEST_F(StreamTest, StoppingWhileFillingReleasesOverTwoFramesWhilePlayingAtOnce) {
    s_stream_file* file = Open();
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    s_stream* filling = StreamStart(file, 0, &mix, 0);
    const u32 channel = filling->channel;
    StreamStop(filling);
    EXPECT_NE(filling->status & STREAM_STATUS_STOPPING, 0u);
    EXPECT_FALSE(AudioQueueChannelExists(channel));
    Retraces(1);
    EXPECT_EQ(filling->status, 0u);
    EXPECT_TRUE(AudioQueueChannelExists(channel));

    s_stream* playing = StreamStart(file, 3, &mix, 0);
    Retraces(10);
    ASSERT_EQ(playing->status, STREAM_STATUS_PLAYING);
    const u32 left = playing->channel, right = playing->child->channel;
    StreamStop(playing);
    EXPECT_EQ(playing->status, 0u);
    EXPECT_TRUE(AudioQueueChannelExists(left));
    EXPECT_TRUE(AudioQueueChannelExists(right));
    EXPECT_EQ(ChannelStatus[left].voiceData, nullptr);
    StreamFreeFile(file);
}

TEST_F(StreamTest, ChannelGoesBackWhenNoVoiceIsHad) {
    s_stream_file* file = Open();
    std::vector<AXVPB*> taken;
    while (AXVPB* voice = AXAcquireVoice(AX_PRIORITY_NODROP, nullptr, 0))
        taken.push_back(voice);
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(StreamStart(file, 0, &mix, 0), nullptr);
    EXPECT_TRUE(report().contains("StreamSetup: AXAcquireVoice Failed\n"));
    for (u32 channel = 0; channel < u32(AUDIO_CHANNEL_COUNT); ++channel)
        EXPECT_TRUE(AudioQueueChannelExists(channel)) << channel;
    for (AXVPB* voice : taken)
        AXFreeVoice(voice);
    StreamFreeFile(file);
}

TEST_F(StreamTest, ReadsStayInsideTheStreamsData) {
    s_stream_file* file = Open();
    HostDVDRecordTransfers();
    PlayToEnd(file, 4);
    const s_ngc_pak_entry& entry = file->pakEntry[4];
    ASSERT_FALSE(HostDVDTransferLog().empty());
    for (const HostDVDTransfer& read : HostDVDTransferLog()) {
        EXPECT_GE(read.offset, entry.offset + PCM_HEADER_SIZE);
        EXPECT_LE(read.offset + read.length, entry.offset + entry.length);
    }
    StreamFreeFile(file);
}

TEST_F(StreamTest, AFailedReadIsRetriedAndAResyncRefillsAndPlaysOn) {
    s_stream_file* file = Open();
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    s_stream* stream = StreamStart(file, 0, &mix, 0);
    HostDVDFailTransfers(1);
    Retraces(20);
    ASSERT_TRUE(StreamIsPlaying(stream));
    EXPECT_EQ(StreamResyncAll(), stream);
    EXPECT_EQ(stream->status, STREAM_STATUS_SETUP);
    Retraces(10);
    EXPECT_TRUE(StreamIsPlaying(stream));
    Retraces(200);
    EXPECT_TRUE(StreamIsFinished(stream));
    EXPECT_EQ(StreamResyncAll(), nullptr);
    StreamFreeFile(file);
}

TEST_F(StreamTest, RefusesAPackThatDoesNotHoldTogetherWithOneLine) {
    const auto put = [](std::vector<u8>& pack, u32 at, u32 value) {
        for (int i = 0; i < 4; ++i)
            pack[at + i] = u8(value >> (8 * i));
    };
    const u32 entry = 4;
    const u32 mono = entry, stereo = entry + 3 * STREAM_PAK_ENTRY_SIZE;
    const struct {
        const char* what;
        std::function<void(std::vector<u8>&)> mutate;
    } cases[] = {
        {"empty", [](std::vector<u8>& p) { p.clear(); }},
        {"count past the file", [&](std::vector<u8>& p) { put(p, 0, 0x01000000); }},
        {"count overflowing", [&](std::vector<u8>& p) { put(p, 0, 0xFFFFFFFF); }},
        {"truncated table", [](std::vector<u8>& p) { p.resize(4 + STREAM_PAK_ENTRY_SIZE * 2); }},
        {"offset past the file", [&](std::vector<u8>& p) { put(p, mono, u32(p.size()) + 32); }},
        {"length past the file", [&](std::vector<u8>& p) { put(p, mono + 4, u32(p.size())); }},
        {"offset + length wrapping", [&](std::vector<u8>& p) { put(p, mono + 4, 0xFFFFFFF0); }},
        {"length of the header only", [&](std::vector<u8>& p) { put(p, mono + 4, PCM_HEADER_SIZE); }},
        {"partial frames", [&](std::vector<u8>& p) { put(p, mono + 4, PCM_HEADER_SIZE + 12); }},
        {"zero interleave", [&](std::vector<u8>& p) { put(p, stereo + 12, 0); }},
        {"odd interleave", [&](std::vector<u8>& p) { put(p, stereo + 12, 1000); }},
        {"not ADPCM", [&](std::vector<u8>& p) { p[mono + 16 + 15] = 1; }},
        {"no sample rate", [&](std::vector<u8>& p) { put(p, mono + 16 + 8, 0); }},
    };
    for (const auto& c : cases) {
        std::vector<u8> bytes = pack_;
        c.mutate(bytes);
        disc_.Write("STREAM/BAD.ASF", bytes);
        report_->clear();
        const u32 avail = MainHeap.avail;
        EXPECT_EQ(StreamSetFile("STREAM/BAD.ASF"), nullptr) << c.what;
        EXPECT_EQ(std::count(report().text().begin(), report().text().end(), '\n'), 1)
            << c.what << report().text();
        EXPECT_EQ(MainHeap.avail, avail) << c.what;
        EXPECT_TRUE(std::none_of(std::begin(Files), std::end(Files),
                                 [](const s_ngc_file& f) { return f.inUse != 0; }))
            << c.what << ": the pack was left open";
    }
}

}  // namespace
