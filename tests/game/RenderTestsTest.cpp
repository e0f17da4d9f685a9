// The launcher's rendering tests: the 2-D test's throw measurement, the 3-D
// test's turn, the depth-offset test's input, each test's picture and a clean
// leave on Plus, and what a test gives back when one of its assets is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/UIObject.h"
#include "orblib47/source/Wad.h"
#include "source/DefaultDisc.h"
#include "source/Dev/DevEntriesRender.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/EntryRun.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/TimWriter.h"

namespace {

// What a test may not leave behind: heap blocks and UI object records.
struct Usage {
    u32 avail, handles, uiFree;
    bool operator==(const Usage&) const = default;
};

Usage Now() {
    // Texel memory goes back two frames after its texture.
    EventWait(3);
    return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles,
            UIObjectRecords != nullptr ? UIObjectRecords->count : 0};
}

constexpr const char* kPressPlus = "40 0 button plus down\n42 0 button plus up\n";

// ---- the throw measurement

struct ThrowCase {
    const char* name;
    std::vector<s_throw_input> frames;
    s32 startY, stickMax, yMax;
    f32 throwTime;
};

// Frames of half a second, so the hold times add up exactly.
constexpr s_throw_input Arm(s32 x, s32 y) {
    return {x, y, true, false, true, 0.5f};
}
constexpr s_throw_input Hold(s32 x, s32 y) {
    return {x, y, false, false, true, 0.5f};
}
constexpr s_throw_input Release(s32 x, s32 y) {
    return {x, y, false, true, false, 0.5f};
}

const ThrowCase kThrowCases[] = {
    {"AIsIgnoredWithTheStickForward", {Arm(0, 10), Hold(40, 0)}, 128, 0, 0, 0.0f},
    {"ReleaseEndsTheThrowWithItsPower", {Arm(0, -50), Hold(30, 0), Release(0, 40)}, 128, 30, 40, 1.0f},
    {"StickPastTheLimitEndsTheThrow", {Arm(0, -100), Hold(0, 121)}, 128, 0, 121, 0.5f},
    {"StickAtTheLimitKeepsItRunning", {Arm(0, -100), Hold(50, 120)}, -100, 0, 0, 1.0f},
    {"SpinIsTheSidewaysPushFarthestOut",
     {Arm(0, -50), Hold(100, 0), Hold(-5, 0), Hold(-60, 0)},
     -50,
     100,
     0,
     2.0f},
    {"SpinKeepsItsSign", {Arm(0, -50), Hold(20, 0), Hold(-110, 0), Hold(90, 0)}, -50, -110, 0, 2.0f},
    {"APressedAgainDoesNotRearm", {Arm(60, -50), Arm(0, -80)}, -50, 60, 0, 1.0f},
};

class ThrowMeasureTest : public GameFixture, public testing::WithParamInterface<ThrowCase> {};

TEST_P(ThrowMeasureTest, FollowsTheRule) {
    const ThrowCase& c = GetParam();
    for (const s_throw_input& frame : c.frames)
        ThrowMeasureFrame(frame);
    EXPECT_EQ(startY, c.startY);
    EXPECT_EQ(stickMax, c.stickMax);
    EXPECT_EQ(yMax, c.yMax);
    EXPECT_FLOAT_EQ(throwTime, c.throwTime);
}

INSTANTIATE_TEST_SUITE_P(RenderTests, ThrowMeasureTest, testing::ValuesIn(kThrowCases),
                         [](const testing::TestParamInfo<ThrowCase>& info) { return info.param.name; });

// ---- the tests on the demo disc

class RenderTestsTest : public MenuDiscFixture {};

struct EntryCase {
    const char* picture;
    s32 (*entry)();
    u32 frames;  // past the fade in; the 3-D test's cards then face the camera again
};

const EntryCase kEntries[] = {
    {"render_2d", PrimitiveDraw2DTest, 80},  {"render_2d_texture", PrimitiveDraw2DTextureTest, 80},
    {"render_3d", PrimitiveDraw3DTest, 200}, {"render_depth_offset", DepthOffsetDrawTest, 80},
    {"render_scene", SceneTest, 100},
};

class RenderEntryTest : public RenderTestsTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(RenderEntryTest, ShowsItsScreenAndLeavesOnPlusCleanly) {
    const EntryCase& c = GetParam();
    const Usage before = Now();
    const u32 ran = RunEntry(c.entry, "", c.frames);
    EXPECT_GE(ran, c.frames) << "the frame limit ends it";
    EXPECT_LE(ran, c.frames + 1) << "the frame limit ends it";
    ExpectLooksAsKept(c.picture);
    EXPECT_EQ(Now(), before);

    EXPECT_LT(RunEntry(c.entry, kPressPlus, 600), 100u) << "Plus leaves";
    EXPECT_EQ(Now(), before);
}

INSTANTIATE_TEST_SUITE_P(RenderTests, RenderEntryTest, testing::ValuesIn(kEntries),
                         [](const testing::TestParamInfo<EntryCase>& info) { return info.param.picture; });

TEST_F(RenderTestsTest, ThePrimitivesTurnOneDegreeAFrameFromZero) {
    const u32 frames = RunEntry(PrimitiveDraw3DTest, "", 50);
    EXPECT_FLOAT_EQ(PrimAngle, f32(frames));
    RunEntry(PrimitiveDraw3DTest, "", 20);
    EXPECT_FLOAT_EQ(PrimAngle, 20.0f);
}

// A short press steps the offset once; B held steps it down on the press and on
// each of the pad's repeats; B wins over A; the stick turns the card a degree a frame.
TEST_F(RenderTestsTest, DepthOffsetStepsPerPressAndAtTheRepeatRate) {
    OrblibStartup();
    ScriptFromNow(
        "0 0 connect\n0 0 nunchuk on\n"
        "5 0 button a down\n7 0 button a up\n"
        "10 0 button b down\n70 0 button b up\n"
        "80 0 button a down\n80 0 button b down\n82 0 button a up\n82 0 button b up\n"
        "90 0 stick -1 0\n100 0 stick 0 0\n");
    s32 up = 0, down = 0;
    for (s32 frame = 0; frame < 110; ++frame) {
        EventWait(1);
        const u32 stepping = Pad[0].bnew | Pad[0].brepeat;
        down += (stepping & PAD_B) != 0;
        up += (stepping & PAD_B) == 0 && (stepping & PAD_A) != 0;
        DepthOffsetInputFrame();
    }
    EXPECT_EQ(up, 1) << "A's short press steps once and loses to B";
    EXPECT_GT(down, 3) << "B repeats while held";
    EXPECT_LT(down, 30) << "at the repeat rate, not every frame";
    EXPECT_FLOAT_EQ(DepthOffset, f32(up - down));
    EXPECT_LT(AngleY, -5.0f);
    EXPECT_FLOAT_EQ(AngleX, 0.0f);
}

// The symbols of the test's animations reach the character's bank.
TEST_F(RenderTestsTest, TheCharacterPlaysEachTestAnimation) {
    s_wad* clonie = WadLoad("CLONIE", 0);
    ASSERT_NE(clonie, nullptr);
    s_hmodel* model = HModelLoad("CLONIE", 0);
    ASSERT_NE(model, nullptr);
    for (s32 anim : TestAnims)
        EXPECT_NE(HModelPlayAnim(model, u32(anim), 1.0f, HANIM_FLAG_REPEAT), nullptr) << std::hex << anim;
    HModelFree(model);
    WadFree(clonie);
}

TEST_F(RenderTestsTest, StreamTestReturnsAtOnce) {
    EXPECT_EQ(RunEntry(StreamTest, "", 100), 0u);
}

// ---- a missing asset: what did load goes back

class RenderTestsAloneTest : public GameFixture {};

TEST_F(RenderTestsAloneTest, DepthOffsetTestGivesBackItsOneTexture) {
    discbuild::TimTexture texture;
    texture.image = {8, 8, std::vector<u8>(8 * 8 * 4, 0x80)};
    const std::vector<u8> payload = discbuild::TimPayload(texture);
    void* data = HeapMalloc(u32(payload.size()), __FILE_NAME__, __LINE__);
    std::copy(payload.begin(), payload.end(), static_cast<u8*>(data));
    s_texture* own = TextureLoad("ARIAL_10", data, u32(payload.size()));
    ASSERT_NE(own, nullptr);

    EXPECT_EQ(DepthOffsetDrawTest(), 0);
    TextureFree(own);
    EXPECT_EQ(TextureFind("ARIAL_10"), nullptr) << "the test kept a reference";
}

// A disc with the arena's archive and no character's.
class SceneTestOneArchiveTest : public GameFixture {
protected:
    SceneTestOneArchiveTest() {
        std::ifstream file(std::filesystem::path(DefaultDiscRoot()) / "DATA" / "ARENA1.WAD",
                           std::ios::binary);
        disc_.Write("ARENA1.WAD", {std::istreambuf_iterator<char>(file), {}});
    }
    HostConfig Config() const override { return disc_.Config(); }
    TempDisc disc_;
};

TEST_F(SceneTestOneArchiveTest, GivesBackTheArchiveThatLoaded) {
    const Usage before = Now();
    EXPECT_EQ(SceneTest(), 0);
    EXPECT_EQ(Now(), before);
}

}  // namespace
