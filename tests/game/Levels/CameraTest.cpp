// The in-game camera: the intro's sweep ends behind the bowler (and waits while
// held), the lane's turn picks the shot in the automatic modes, every mode hands
// the draw context a finite camera, free flight returns to the mode before it.
#include <gtest/gtest.h>

#include <cmath>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "source/Camera.h"
#include "source/LevelCutScene.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "tests/support/GameFixture.h"
#include "tools/discbuild/DiscCutScenes.h"

namespace {

class CameraTest : public GameFixture {
protected:
    // One frame so that frames last a retrace; the camera then runs on that time
    // without drawing frames it does not need.
    void SetUp() override {
        GameFixture::SetUp();
        EventWait(1);
        ASSERT_GT(RealDeltaTime, 0.0f);
    }
    // Seconds of camera updates.
    void Run(CCamera& camera, f32 seconds) {
        for (f32 t = 0.0f; t < seconds; t += RealDeltaTime)
            camera.Update();
    }
    // Seconds of frames, each with its camera update, as the level runs them.
    void Play(CCamera& camera, f32 seconds) {
        for (f32 t = 0.0f; t < seconds; t += RealDeltaTime) {
            camera.Update();
            EventWait(1);
        }
    }
};

bool Finite(const s_Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

f32 Distance(const s_Vector3& a, const s_Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

// The demo disc's intro, played from memory: its sweep moves the camera frame by
// frame, holds while the cut-scene is held, and its end ends the intro.
TEST_F(CameraTest, TheIntroCutSceneSweepsDownToTheBowlerAndWaitsWhileHeld) {
    const std::vector<u8> image = discbuild::IntroCutScene();
    CCamera camera;
    camera.m_introFrom = {0.0f, 12.0f, 20.0f, 0.0f};
    camera.SetAutoCameraMode(E_CAMERA_MODE_INTRO);
    LevelCutSceneStart(OrbCutScenePlay(image.data(), u32(image.size()), 0, 1.0f));
    Play(camera, 1.0f);
    EXPECT_EQ(camera.m_cameraMode, E_CAMERA_MODE_INTRO);
    GameCutScenePause();
    const s_Vector3 held = camera.m_position;
    Play(camera, 2.0f);
    EXPECT_EQ(camera.m_cameraMode, E_CAMERA_MODE_INTRO);
    EXPECT_EQ(Distance(camera.m_position, held), 0.0f);
    EXPECT_TRUE(LevelCutScenePlaying());
    GameCutSceneResume();
    Play(camera, 3.5f);
    EXPECT_EQ(camera.m_cameraMode, E_CAMERA_MODE_PLAYER_PAN);
    EXPECT_FALSE(LevelCutScenePlaying());
    // Down from the start, and from there on it stays behind the bowler.
    EXPECT_LT(camera.m_position.y, 12.0f - 5.0f);
    const s_Vector3 pan = camera.m_position;
    Run(camera, 1.0f);
    EXPECT_LT(Distance(camera.m_position, pan), 1e-3f);
}

TEST_F(CameraTest, TheLanesTurnPicksTheShotAndEveryModeGivesAFiniteCamera) {
    const struct {
        s32 mode;
        e_LaneState lane;
        s32 becomes;
    } cases[] = {
        {E_CAMERA_MODE_PLAYER_PAN, LANE_STATE_AIM, E_CAMERA_MODE_PLAYER_PAN},
        {E_CAMERA_MODE_PLAYER_PAN, LANE_STATE_ROLL, E_CAMERA_MODE_FOLLOW_BALL},
        {E_CAMERA_MODE_FOLLOW_BALL, LANE_STATE_RESULT, E_CAMERA_MODE_PIN_VIEW},
        {E_CAMERA_MODE_PIN_VIEW, LANE_STATE_NEXT, E_CAMERA_MODE_PLAYER_PAN},
        {E_CAMERA_MODE_FREE, LANE_STATE_ROLL, E_CAMERA_MODE_FREE},
        {E_CAMERA_MODE_INVALID, LANE_STATE_ROLL, E_CAMERA_MODE_INVALID},
        {E_CAMERA_MODE_INTRO, LANE_STATE_IDLE, E_CAMERA_MODE_PLAYER_PAN},  // no intro cut-scene playing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 100 + c.lane);
        CCamera camera;
        camera.SetAutoCameraMode(c.mode);
        Physics.m_state = c.lane;
        Physics.m_displayPoses.body[FILM_BODY_BALL].position = {5.0f, -1.0f, 90.0f, 0.0f};
        Run(camera, 0.5f);
        EXPECT_EQ(camera.m_cameraMode, c.becomes);
        s_Matrix4 view;
        s_Vector3 eye;
        DrawGetCamera(&view, &eye);
        EXPECT_TRUE(Finite(eye));
        for (f32 element : view.element)
            EXPECT_TRUE(std::isfinite(element));
        EXPECT_GT(Distance(camera.m_position, camera.m_lookAt), 0.1f);
    }
}

TEST_F(CameraTest, TheBallCameraFollowsTheBallButStopsShortOfThePins) {
    CCamera camera;
    camera.SetAutoCameraMode(E_CAMERA_MODE_FOLLOW_BALL);
    Physics.m_state = LANE_STATE_ROLL;
    f32 lastZ = -1e9f;
    for (const f32 ballZ : {20.0f, 80.0f, 140.0f, 200.0f, 240.0f}) {
        Physics.m_displayPoses.body[FILM_BODY_BALL].position = {5.0f, -1.0f, ballZ, 0.0f};
        Run(camera, 3.0f);
        EXPECT_GE(camera.m_position.z, lastZ - 1e-3f) << ballZ;
        lastZ = camera.m_position.z;
    }
    CCamera pins;
    pins.SetAutoCameraMode(E_CAMERA_MODE_PIN_VIEW);
    Physics.m_state = LANE_STATE_RESULT;
    Run(pins, 3.0f);
    EXPECT_LE(camera.m_position.z, pins.m_position.z + 1e-3f);
}

TEST_F(CameraTest, FreeFlightMovesOnlyWhenFlownAndReturnsToTheModeBeforeIt) {
    CCamera camera;
    const s_Vector3 at = {1.0f, 2.0f, 3.0f, 0.0f}, target = {1.0f, 2.0f, 10.0f, 0.0f};
    camera.SetPosition(&at);
    camera.SetLookAt(&target);
    CCamera::SetFreeMode(&camera, 1);
    EXPECT_EQ(camera.m_cameraMode, E_CAMERA_MODE_FREE);
    Run(camera, 1.0f);
    EXPECT_EQ(Distance(camera.m_position, at), 0.0f);
    CCamera::SetFreeMode(&camera, 1);
    CCamera::SetFreeMode(&camera, 0);
    EXPECT_EQ(camera.m_cameraMode, E_CAMERA_MODE_INVALID);
}

TEST_F(CameraTest, AHandPlacedCameraIsWhatTheDrawContextGets) {
    CCamera camera;
    camera.m_fov = 45.0f;
    const s_Vector3 at = {0.0f, 1.0f, 5.0f, 0.0f}, target = {0.0f, 1.0f, 0.0f, 0.0f};
    camera.SetPosition(&at);
    camera.SetLookAt(&target);
    camera.Update();
    s_Matrix4 view;
    s_Vector3 eye;
    DrawGetCamera(&view, &eye);
    EXPECT_EQ(Distance(eye, at), 0.0f);
}

}  // namespace
