// The stream manager: file slots, type volumes, fades, stopping by type, pause and
// resume.
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "tests/engine/StreamFixture.h"

namespace {

constexpr s_VOLUME_MIX kFull{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};

class OrbStreamTest : public StreamFixture {
protected:
    const std::vector<u8>& Pack() const override {
        static const std::vector<u8> pack = discbuild::AsfWrite(
            {{Tone(14 * 4000, 40.0), {}, 32000}, {Tone(14 * 4000, 50.0), Tone(14 * 4000, 70.0), 32000}});
        return pack;
    }

    void SetUp() override {
        StreamFixture::SetUp();
        disc_.Write("STREAM/B.ASF", pack_);
        disc_.Write("STREAM/C.ASF", pack_);
        disc_.Write("STREAM/D.ASF", pack_);
        slot_ = OrbStreamManager.LoadFile(kPack);
        ASSERT_NE(slot_, nullptr);
    }

    // Runs the manager's task for `seconds` of real frame time in steps of 0.25 s.
    static void Update(f32 seconds) {
        RealDeltaTime = 0.25f;
        for (f32 t = 0.0f; t < seconds - 0.001f; t += 0.25f)
            OrbStreamManager.Update();
    }

    static f32 Left(const COrbStream* stream) {
        return OrbStreamManager.GetChannelStatus(stream)->header.volumeMix.volL;
    }

    static void CountEvent(COrbStream*, void* parm, s32 event) {
        EXPECT_EQ(event, 1);
        ++*static_cast<int*>(parm);
    }

    s_orb_stream_file* slot_ = nullptr;
};

TEST_F(OrbStreamTest, LoadFileSharesNamesAndKeepsNoFailedOpen) {
    EXPECT_EQ(OrbStreamManager.LoadFile(kPack), slot_);
    s_orb_stream_file* b = OrbStreamManager.LoadFile("STREAM/B.ASF");
    s_orb_stream_file* c = OrbStreamManager.LoadFile("STREAM/C.ASF");
    EXPECT_EQ(b, &StreamFileArray[1]);
    EXPECT_EQ(c, &StreamFileArray[2]);
    EXPECT_EQ(OrbStreamManager.LoadFile("STREAM/D.ASF"), nullptr);

    // A name in a later slot is found, not opened again into a freed earlier one.
    OrbStreamManager.FreeFile(slot_);
    EXPECT_EQ(OrbStreamManager.LoadFile("STREAM/C.ASF"), c);
    EXPECT_EQ(StreamFileArray[0].file, nullptr);

    // A pack that cannot be opened leaves the slot empty.
    EXPECT_EQ(OrbStreamManager.LoadFile("STREAM/NONE.ASF"), nullptr);
    EXPECT_EQ(StreamFileArray[0].file, nullptr);
    EXPECT_EQ(StreamFileArray[0].name[0], '\0');
    EXPECT_EQ(OrbStreamManager.LoadFile("STREAM/D.ASF"), &StreamFileArray[0]);
}

TEST_F(OrbStreamTest, FadeInReachesTheMixTimesTheTypeVolume) {
    OrbStreamManager.SetMusicVolume(0.5f);
    COrbStream* stream = OrbStreamManager.Play(slot_, 0, &kFull, ORB_STREAM_TYPE_MUSIC, 2.0f);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(Left(stream), 0.0f);
    Update(1.0f);
    EXPECT_FLOAT_EQ(Left(stream), 0.25f);
    Update(1.0f);
    EXPECT_FLOAT_EQ(Left(stream), 0.5f);
    EXPECT_EQ(stream->m_Flags & ORB_STREAM_IS_FADING_IN, 0u);
    OrbStreamManager.StopAll(0.0f);
}

TEST_F(OrbStreamTest, FadesFreezeWhileTheGameIsPaused) {
    COrbStream* stream = OrbStreamManager.Play(slot_, 0, &kFull, ORB_STREAM_TYPE_EFFECT, 1.0f);
    SetGamePause(1);
    Update(1.0f);
    EXPECT_EQ(Left(stream), 0.0f);
    SetGamePause(0);
    Update(1.0f);
    EXPECT_FLOAT_EQ(Left(stream), 1.0f);
    OrbStreamManager.StopAll(0.0f);
}

TEST_F(OrbStreamTest, StopFadesOutThenStopsAndCallsBackOnce) {
    // By the stream, by its type and all: each applies its fade time.
    const std::function<void(COrbStream*)> stops[] = {
        [](COrbStream* s) { OrbStreamManager.Stop(s, 1.5f); },
        [](COrbStream*) { OrbStreamManager.Stop(ORB_STREAM_TYPE_MUSIC_LOOPING, 1.5f); },
        [](COrbStream*) { OrbStreamManager.StopAll(1.5f); },
    };
    for (const auto& stop : stops) {
        COrbStream* stream = OrbStreamManager.Play(slot_, 1, &kFull, ORB_STREAM_TYPE_MUSIC_LOOPING, 0.0f);
        ASSERT_NE(stream, nullptr);
        int events = 0;
        stream->m_EventCallback = CountEvent;
        stream->m_EventCallbackParm = &events;
        Retraces(10);
        stop(stream);
        EXPECT_TRUE(OrbStreamManager.IsActive(stream));
        Update(0.75f);
        EXPECT_FLOAT_EQ(Left(stream), 0.5f);
        EXPECT_FLOAT_EQ(OrbStreamManager.GetChildChannelStatus(stream)->header.volumeMix.volR, 0.5f);
        Update(0.75f);
        EXPECT_EQ(events, 1);
        Retraces(1);
        Update(0.25f);
        EXPECT_EQ(events, 1);
        EXPECT_EQ(StreamList, nullptr);
    }
}

TEST_F(OrbStreamTest, SetMusicVolumeScalesMusicOnly) {
    COrbStream* music = OrbStreamManager.Play(slot_, 0, &kFull, ORB_STREAM_TYPE_MUSIC, 0.0f);
    COrbStream* effect = OrbStreamManager.Play(slot_, 0, &kFull, ORB_STREAM_TYPE_EFFECT, 0.0f);
    OrbStreamManager.SetMusicVolume(0.5f);
    EXPECT_FLOAT_EQ(Left(music), 0.5f);
    EXPECT_FLOAT_EQ(Left(effect), 1.0f);
    OrbStreamManager.SetMusicVolume(0.0f);
    EXPECT_FLOAT_EQ(OrbStreamManager.GetVolume(ORB_STREAM_TYPE_MUSIC), 0.5f);
    EXPECT_FLOAT_EQ(Left(music), 0.5f);
    OrbStreamManager.StopAll(0.0f);
}

TEST_F(OrbStreamTest, PauseHoldsThePlacesAndResumePlaysOn) {
    COrbStream* stream = OrbStreamManager.Play(slot_, 1, &kFull, ORB_STREAM_TYPE_MUSIC, 0.0f);
    Retraces(10);
    ASSERT_TRUE(OrbStreamManager.IsPlaying(stream));
    OrbStreamManager.Pause();
    Retraces(1);
    const s_stream* left = stream->m_Stream;
    const u32 place = ChannelStatus[left->channel].voiceData->pb.addr.currentAddress;
    Retraces(5);
    EXPECT_EQ(ChannelStatus[left->channel].voiceData->pb.addr.currentAddress, place);
    EXPECT_NE(OrbStreamManager.GetChildChannelStatus(stream)->header.flags & CHANNEL_FLAG_PAUSED, 0);
    OrbStreamManager.Resume();
    Retraces(1);
    EXPECT_NE(ChannelStatus[left->channel].voiceData->pb.addr.currentAddress, place);
    EXPECT_EQ(OrbStreamManager.GetChildChannelStatus(stream)->header.flags & CHANNEL_FLAG_PAUSED, 0);
    OrbStreamManager.StopAll(0.0f);
}

TEST_F(OrbStreamTest, DialogueStartsWithEffectsOff) {
    COrbStream* stream = OrbStreamManager.Play(slot_, 1, &kFull, ORB_STREAM_TYPE_DIALOG, 0.0f);
    EXPECT_NE(OrbStreamManager.GetChannelStatus(stream)->header.playFlags & AUDIO_PLAY_DISABLE_EFFECTS, 0u);
    EXPECT_NE(OrbStreamManager.GetChildChannelStatus(stream)->header.playFlags & AUDIO_PLAY_DISABLE_EFFECTS,
              0u);
    OrbStreamManager.StopAll(0.0f);
}

}  // namespace
