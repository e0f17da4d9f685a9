// The lane's HUD drawn by its task over a cleared frame: a two-player scoreboard of
// a known game, the meters, the pin window, the aim line of a previewed shot and
// the oil view, against a kept picture. The picture drawn is written as
// lane_hud.png in the working folder; BOWLING_UPDATE_REFERENCE=1 makes it the new
// reference.
#include <gtest/gtest.h>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"
#include "source/AlleyNPCManager.h"
#include "source/GameSettings.h"
#include "source/Hud/BowlingHud.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Objects/Object.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/Physics.h"
#include "source/Players/Player.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/lane_hud.png";
constexpr const char* kDrawn = "lane_hud.png";
constexpr BallRecord kHouseBall{0.2, 0.6175, 40, 0, 0};

class HudPictureTest : public DemoDiscFixture {
protected:
    void SetUp() override {
        DemoDiscFixture::SetUp();
        // The game's archives are named from its data folder.
        FileChangeDirectory(GAME_DATA_FOLDER);
        m_fontWad = WadLoad(ALLEY_HUD_FONT_WAD, 0);
        ASSERT_NE(m_fontWad, nullptr);
        g_GameSettings.m_Current.iNumPlayers = 2;
        g_Players[0].SetName("Anna");
        g_Players[1].SetName("Bartholomew Longname");  // too wide for its column
        Physics.mScoreKeeper.Reset();
        for (u32 pins : {10u, 7u, 3u, 9u, 0u, 0u, 0u, 8u, 1u})
            ASSERT_TRUE(Physics.mScoreKeeper.AddThrow(0, pins));
        for (u32 pins : {10u, 10u, 6u, 2u, 0u})
            ASSERT_TRUE(Physics.mScoreKeeper.AddThrow(1, pins));
        Physics.m_state = LANE_STATE_AIM;
        Physics.iCurrentBowler = 1;
    }
    void TearDown() override {
        BowlingHudStop();
        WadFree(m_fontWad);
        DemoDiscFixture::TearDown();
    }

    // The camera behind the foul line, looking down the lane.
    static void LookDownTheLane() {
        const s_Vector3 eyeOnLane{21.0f, -66.0f, -150.0f, 0.0f};  // inches
        const s_Vector3 targetOnLane{21.0f, 0.0f, 600.0f, 0.0f};
        const s_Vector3 eye = PhysicsToWorldSpace(&eyeOnLane);
        const s_Vector3 target = PhysicsToWorldSpace(&targetOnLane);
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye);
        DrawSetCamera(&camera, &eye);
    }

    s_wad* m_fontWad = nullptr;
};

TEST_F(HudPictureTest, DrawsTheHudAsInTheKeptPictureAndNothingWhenSwitchedOff) {
    // A hooking preview for the guide line, a leave of 7-10 and more, an oiled lane.
    Physics.InitLane(1);
    BallData_t aimed{};
    aimed.position.x = 7.0f;
    aimed.velocity = {-0.6f, 0.0f, 85.0f, 0.0f};
    aimed.mass = 16;
    ASSERT_EQ(Physics.ComputeBallAngle(aimed, kHouseBall), 1);
    for (s32 row = 0; row < 40; ++row)
        for (s32 board = 3; board < OIL_BOARDS - 3; ++board)
            Physics.RightOil[row][board] = u16((board > 9 && board < 29 ? 10240 : 4096) * (40 - row) / 40);
    LaneHudState& hud = Physics.m_Hud;
    hud = {1, 1, 0.65f, -0.4f, 0.5f, PinMask(PinBit(3) | PinBit(6) | PinBit(9)), 1};
    LookDownTheLane();

    g_HUDDraw = 1;
    g_LevelIsPlaying = 1;  // the bowler can aim
    BowlingHudStart();
    EventWait(12);  // past the black frames after start-up
    // A misplaced mark, pin or meter changes hundreds of pixels.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;

    for (s32* off : {&g_HUDDraw, &Physics.bHUDEnabled}) {
        *off = 0;
        EventWait(2);
        HostFrame frame;
        HostCaptureShownFrame(&frame);
        u32 lit = 0;
        for (u8 channel : frame.rgb)
            lit += channel != 0;
        EXPECT_EQ(lit, 0u);
        *off = 1;
    }
}

}  // namespace
