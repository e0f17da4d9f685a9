// The cut-scene player on scripts from the writer: command frames, the order of
// execution and handler calls, pausing, stopping early, and scripts that name what
// they never declared.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "orblib47/source/CutScene.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/CsfWriter.h"

namespace {

using discbuild::CsfCommand;
using discbuild::CsfScript;

struct Call {
    s32 reason;
    s32 type;
    s32 frame;
};

std::vector<Call> g_calls;
s32 g_holdFrames = 0;  // the handler keeps its commands this many calls

s32 Handler(s_orb_cut_scene*, s_cs_cmd_queue*, s32 reason, s_cs_cmd* cmd) {
    if (reason != 2)
        g_calls.push_back({reason, cmd != nullptr ? cmd->type : -1, s32(FrameCount)});
    return reason == 1 && g_holdFrames-- > 0 ? 1 : 0;
}

u32 Queued(const s_orb_cut_scene* cs) {
    u32 n = 0;
    for (const s_linked_list* node = cs->queue->next; node != nullptr; node = node->next)
        ++n;
    return n;
}

class CutSceneTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        EventWait(2);  // frames of 1/60 s from here on
        g_calls.clear();
        g_holdFrames = 0;
    }
    void TearDown() override {
        OrbCutSceneStop(cs_);
        EngineFixture::TearDown();
    }

    s_orb_cut_scene* Play(const CsfScript& script) {
        image_ = discbuild::CsfFile(script);
        cs_ = OrbCutScenePlay(image_.data(), u32(image_.size()), 0, 1.0f);
        cs_->cmdHandler = Handler;
        return cs_;
    }

    std::vector<u8> image_;
    s_orb_cut_scene* cs_ = nullptr;
};

TEST_F(CutSceneTest, CommandFramesAreSixtiethsWithAHalfFrameTolerance) {
    const struct {
        f32 time;
        s32 frame;
    } rows[] = {{0.0f, 0}, {0.0165f, 0}, {0.0166f, 1}, {0.5f, 30}};
    for (const auto& row : rows)
        EXPECT_EQ(CutSceneFrame(row.time), row.frame) << row.time;
}

// One scripted run: priming (reason 0) once a command lies beyond the window,
// handler commands on their frames (reason 1), an engine fade between them, and
// END after the last.
TEST_F(CutSceneTest, CommandsRunOnTheirFramesAndTheHandlerHearsEachReason) {
    Play({{},
          {},
          {{CS_CMD_TYPE_GAME_WARP, 0.0f, 0, {}},
           {CS_CMD_TYPE_SPEECH, 0.0166f, 0, {}},
           {CS_CMD_TYPE_FADE_OUT, 0.5f, 0, discbuild::CsfFadeOut(1.0f, 0x000000FF)},
           {CS_CMD_TYPE_GAME_LEVEL_HIDE, 3.0f, 0, {}}}});
    const s32 start = s32(FrameCount);
    EventWait(1);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].reason, 0);  // the 3 s command lies beyond the 2 s window
    EXPECT_EQ(g_calls[1].type, CS_CMD_TYPE_GAME_WARP);
    EXPECT_EQ(Queued(cs_), 2u);
    EventWait(1);
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[2].type, CS_CMD_TYPE_SPEECH);
    EXPECT_EQ(g_calls[2].frame - start, 1);
    EventWait(28);
    EXPECT_EQ(FadeThreadPtr, nullptr);
    EventWait(1);
    EXPECT_NE(FadeThreadPtr, nullptr);  // frame 30
    EventWait(149);
    EXPECT_TRUE(OrbCutScenePlaying(cs_));
    EXPECT_EQ(cs_->state, CS_STATE_EOF);  // the END is queued, not yet run
    EventWait(1);
    ASSERT_EQ(g_calls.size(), 4u);
    EXPECT_EQ(g_calls[3].type, CS_CMD_TYPE_GAME_LEVEL_HIDE);
    EXPECT_EQ(g_calls[3].frame - start, 180);
    EXPECT_FALSE(OrbCutScenePlaying(cs_));
}

TEST_F(CutSceneTest, AHandlerStillBusyHoldsEveryLaterCommand) {
    g_holdFrames = 3;
    Play(
        {{},
         {},
         {{CS_CMD_TYPE_GAME_WARP, 0.0f, 0, {}}, {CS_CMD_TYPE_FADE_IN, 0.0f, 0, discbuild::CsfFadeIn(0.5f)}}});
    EventWait(3);
    EXPECT_EQ(FadeThreadPtr, nullptr);
    EXPECT_EQ(g_calls.size(), 3u);
    EventWait(1);
    EXPECT_NE(FadeThreadPtr, nullptr);
    EXPECT_FALSE(OrbCutScenePlaying(cs_));
    const std::string& log = report().text();
    EXPECT_EQ(log.find("] Warp"), log.rfind("] Warp"));  // logged once while held
}

TEST_F(CutSceneTest, PausingStopsTheClockButTheQueueStillFills) {
    SetGamePause(1);
    Play({{}, {}, {{CS_CMD_TYPE_GAME_WARP, 0.0f, 0, {}}, {CS_CMD_TYPE_GAME_WARP, 1.0f, 0, {}}}});
    EventWait(10);
    EXPECT_EQ(cs_->time, 0.0f);
    EXPECT_EQ(Queued(cs_), 3u);
    EXPECT_TRUE(g_calls.empty());
    SetGamePause(0);
    EventWait(1);
    EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(CutSceneTest, TheFileSlotOfALoadedAssetStartsEmpty) {
    std::vector<u8> image = discbuild::CsfFile({{{"TEX", "TIM"}}, {}, {{CS_CMD_TYPE_NOP, 1.0f, 0, {}}}});
    image[32 + 20] = 0xAB;  // a stray pointer in the run-time slot
    cs_ = OrbCutScenePlay(image.data(), u32(image.size()), 0, 1.0f);
    EventWait(1);
    ASSERT_NE(cs_->dataList, nullptr);
    EXPECT_EQ(cs_->dataList[0].data, nullptr);
}

// Each row: a script, and whether the player must refuse it (error state, one line).
TEST_F(CutSceneTest, IndicesAndSizesBeyondWhatTheScriptDeclaredEndInTheErrorState) {
    const CsfScript twoSlots = {{{"MODEL", "VHM"}, {"WALK", "VHA"}}, {{}, {}}, {}};
    auto with = [&](CsfCommand command) {
        CsfScript script = twoSlots;
        script.commands.push_back(std::move(command));
        script.commands.push_back({CS_CMD_TYPE_NOP, 1.0f, 0, {}});
        return discbuild::CsfFile(script);
    };
    std::vector<u8> truncated = with({CS_CMD_TYPE_NOP, 0.0f, 0, {}});
    truncated.resize(truncated.size() - 1);
    std::vector<u8> negative = with({CS_CMD_TYPE_NOP, 0.0f, 0, {}});
    negative[20] = 0x80;
    const struct {
        const char* what;
        std::vector<u8> image;
        bool refused;
    } rows[] = {
        {"last definition", with({CS_CMD_TYPE_FREE_ANIM, 0.0f, 1, {}}), false},
        {"definition past the end", with({CS_CMD_TYPE_FREE_ANIM, 0.0f, 2, {}}), true},
        {"definition of another type", with({CS_CMD_TYPE_FREE_ANIM, 0.0f, 0, {}}), true},
        {"last slot", with({CS_CMD_TYPE_OBJECT_DESTROY, 0.0f, 0, discbuild::CsfObject(1)}), false},
        {"slot past the end", with({CS_CMD_TYPE_OBJECT_DESTROY, 0.0f, 0, discbuild::CsfObject(2)}), true},
        {"placement past the end",
         with({CS_CMD_TYPE_OBJECT_SET_POS, 0.0f, 0, discbuild::CsfObjectSetPos(0, 2)}), true},
        {"stop anim slot past the end", with({CS_CMD_TYPE_OBJECT_STOP_ANIM, 0.0f, 2, {}}), true},
        {"anim that is a model",
         with({CS_CMD_TYPE_OBJECT_PLAY_ANIM, 0.0f, 0, discbuild::CsfObjectPlayAnim(0, 0, 1)}), true},
        {"short camera", with({CS_CMD_TYPE_SET_CAMERA, 0.0f, 0, discbuild::CsfFadeIn(1.0f)}), true},
        {"time not a number", with({CS_CMD_TYPE_NOP, std::numeric_limits<f32>::quiet_NaN(), 0, {}}), true},
        {"no END", truncated, true},
        {"negative count", negative, true},
    };
    for (const auto& row : rows) {
        cs_ = OrbCutScenePlay(row.image.data(), u32(row.image.size()), 0, 1.0f);
        EventWait(2);
        EXPECT_EQ(OrbCutScenePlaying(cs_), !row.refused) << row.what;
        EXPECT_EQ(report().contains("CutScene: "), row.refused) << row.what;
        OrbCutSceneStop(cs_);
        cs_ = nullptr;
        report_->clear();
    }
}

TEST_F(CutSceneTest, APayloadTheHeapCannotHoldEndsInTheErrorState) {
    Play({{}, {}, {{CS_CMD_TYPE_GAME_WARP, 0.0f, 0, std::vector<u8>(64u << 20)}}});
    EventWait(1);
    EXPECT_EQ(cs_->state, CS_STATE_ERROR);
    EXPECT_TRUE(report().contains("CutScene: Unable to allocate command data buffer!"));
}

TEST_F(CutSceneTest, AFadeOutOfTwoSecondsIsHalfWayAtOneSecond) {
    s_fade_parms fade = {};
    OrbCutSceneObjectFade(&fade, FADE_OUT, 2.0f);
    for (s32 frame = 0; frame < 60; ++frame)
        OrbCutSceneFadeParmsUpdate(&fade);
    EXPECT_NEAR(fade.timer, 1.0f, 1e-4f);
    EXPECT_NEAR(fade.alpha, 0.5f, 1e-4f);
    OrbCutSceneObjectFade(&fade, FADE_OUT, 0.5f);  // already fading out: ignored
    EXPECT_EQ(fade.time, 2.0f);
}

class CutSceneFileTest : public CutSceneTest {
protected:
    HostConfig Config() const override { return disc_.Config(); }
    void SetUp() override {
        const std::vector<u8> image = discbuild::CsfFile({{}, {}, {{CS_CMD_TYPE_GAME_WARP, 0.0f, 0, {}}}});
        disc_.Write("ELEVENCHARS.CSF", image);
        disc_.Write("TWELVECHARSX.CSF", image);
        CutSceneTest::SetUp();
    }
    TempDisc disc_;
};

TEST_F(CutSceneFileTest, NamesOfElevenCharactersPlayFromTheDiscAndLongerOnesAreRefused) {
    EXPECT_EQ(OrbCutScenePlay("TWELVECHARSX", 2.0f, 0, 1.0f), nullptr);
    cs_ = OrbCutScenePlay("ELEVENCHARS", 2.0f, 0, 1.0f);
    ASSERT_NE(cs_, nullptr);
    cs_->cmdHandler = Handler;
    for (s32 frame = 0; frame < 20 && g_calls.empty(); ++frame)
        EventWait(1);
    ASSERT_EQ(g_calls.size(), 1u);
    EventWait(1);
    EXPECT_FALSE(OrbCutScenePlaying(cs_));
}

TEST_F(CutSceneFileTest, StoppingBeforeTheHeaderArrivesFreesTheRecordAlone) {
    HostDVDSetReadLatency(OSTime(OS_TIMER_CLOCK));  // a second a read
    cs_ = OrbCutScenePlay("ELEVENCHARS", 2.0f, 0, 1.0f);
    EventWait(2);
    EXPECT_EQ(cs_->state, CS_STATE_WAIT_IO);
    EXPECT_EQ(cs_->dataList, nullptr);
    OrbCutSceneStop(cs_);
    cs_ = nullptr;
}

}  // namespace
