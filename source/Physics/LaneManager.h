// The lane manager: the turn of each bowler (up, aim, swing, release, pin action,
// result, pinsetter and sweep), racking the player's lane, starting a throw,
// slicing the simulation into idle time and playing its film back, the lane's oil,
// sound and music, and the game's score table.
#pragma once

#include "orblib47/source/OrbStream.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/Scoreboard.h"
#include "source/Players/ThrowInput.h"

// Turn states. The physics slices run only in LANE_STATE_RELEASE..LANE_STATE_SWEEP.
enum e_LaneState : s32 {
    LANE_STATE_IDLE = 0,        // no game
    LANE_STATE_INTRO = 1,       // the level's intro plays
    LANE_STATE_BOWLER_UP = 2,   // the rack stands, the camera comes to the bowler
    LANE_STATE_AIM = 3,         // tilt aims, the guide line shows where
    LANE_STATE_SWING = 4,       // the throw button is held
    LANE_STATE_RELEASE = 10,    // the shot is started; the bowler delivers
    LANE_STATE_ROLL = 11,       // the film plays: the roll and the pin action
    LANE_STATE_RESULT = 12,     // pins counted and scored, kudos
    LANE_STATE_SWEEP = 13,      // the pinsetter and the sweep play
    LANE_STATE_NEXT = 20,       // the next ball or bowler
    LANE_STATE_GAME_OVER = 30,  // every bowler has bowled ten frames
};

// What the HUD shows, written by the turn machine every frame.
struct LaneHudState {
    s32 showAim = 0;     // the guide line and the aim marker
    s32 showMeters = 0;  // power and spin
    f32 power = 0.0f;    // 0..1
    f32 spin = 0.0f;     // -1..1
    f32 aimX = 0.5f;     // 0..1 across the lane
    PinMask standing = PIN_MASK_ALL;
    s32 showOil = 0;  // the oil view (button 2 outside practice)
};

class CLaneManager {
public:
    // ---- the game
    // Starts play on the racked lane with bowler 0 up (after the intro when it
    // still runs); NewGame starts another game on the same lane.
    void StartGame();
    void NewGame();
    // One frame of the turn, called by the bowling level's update.
    void run();
    // The player quit the game: it ends now and the player's game totals 0, so the
    // career never counts it as a win.
    void ForfeitGame(s32 player);
    // The shot of the bowler up, from its ShotParameters and ball.
    s32 ComputeShot();
    s32 ComputeBallAngle();

    // ---- oil
    // Loads the database pattern with this id into both lanes.
    void SetOilPattern(s32 id);
    // 0 the left lane's grid, 1 the right's.
    u16* GetOilPatternData(s32 lane);
    // The lane and its oil in 2-D, in screen pixels.
    void DrawOilPattern2D(f32 x, f32 y, f32 w, f32 h);

    // ---- sound
    void PlayLastSong();
    // The lane's sounds (LaneAudio.cpp): volume 0..1 of the effects volume.
    void PlayLaneSound(s32 sound, f32 volume);
    void StartRollSound();
    void StopRollSound();
    void StartMusic();
    // The level's end: the song stops and its pack goes back to the heap.
    void StopMusic();
    // Warm reset: the song and the sound channels lived in the engine's pools.
    void ForgetSound();

    // ---- display
    void DisplaySetterSweeper();

    // One physics slice of the player's lane; 1 while there was work.
    s32 ComputePhysicsTimeSlice();
    void InitLane(s32 freshRack);
    // Rolls the shot being aimed from the foul line as far as the arrows.
    s32 ComputeBallAngle(const BallData_t& aimed, const BallRecord& ball);
    // Starts a throw; ball speeds in units per second.
    s32 ComputeShot(const BallData_t& released, const BallRecord& ball, s32 bIsHumanPlayer);
    // Point i of n of the aim guide line, in inches.
    s_Vector3 GetShotLineCoord(u32 i, u32 n) const;
    // The guide line through the draw camera, in 2-D over the picture.
    void DrawGuideLine();

    // Playback: shows the film up to the playback position, then advances it.
    void DisplayFrame();
    void UpdatePinModelTransforms();

    OilGrid LaneOil() { return bLeftLane ? LeftOil : RightOil; }

    s32 m_state = LANE_STATE_IDLE;
    // Nothing to simulate until the first throw.
    s32 bPhysicsDone = 1;
    s32 bPinsetterUpDone = 1;
    s32 bSweepDone = 1;
    s32 iCurrentBowlThrow = 0;
    f32 fLaneOffset = 0.0f;
    s32 bLeftLane = 0;
    u16 LeftOil[OIL_ROWS][OIL_BOARDS]{};
    u16 RightOil[OIL_ROWS][OIL_BOARDS]{};
    PinMask m_iLastPinSetup = 0;
    PinMask m_iPracticePinSetup = 0;
    s32 m_bPracticeMode = 0;
    f32 fCurrentFrame = 0.0f;  // playback position in film frames

    FilmPoses m_displayPoses{};
    s32 m_iLastDisplayedFrame = -1;
    s_Matrix4 m_pinTransform[NUM_PINS]{};
    s_Matrix4 m_ballTransform{};
    s_Matrix4 m_sweeperTransform{};
    s_Matrix4 m_setterTransform{};

    CScoreboard mScoreKeeper;
    s32 iCurrentBowler = 0;
    s32 iOilPatternNum = 0;
    s32 bHUDEnabled = 1;
    COrbStream* m_Streams[2] = {};  // the playing song first
    s32 m_LastSong = -1;
    CThrowInput m_ThrowInput;
    LaneHudState m_Hud;

    // The turn (LaneTurn.cpp).
    f32 m_StateTime = 0.0f;  // seconds of game time in the state
    s32 m_NumBowlers = 1;
    PinMask m_RackBefore = PIN_MASK_ALL;  // standing before the ball
    s32 m_bPickingPins = 0;
    ShotParameters m_PreviewShot{};  // the aim the guide line was rolled for
    s32 m_bPreviewed = 0;
    s32 m_bPinSoundDone = 0;
    s32 m_bGutterSoundDone = 0;
    s32 m_bSetterSoundDone = 0;
    s32 m_bSweepSoundDone = 0;
    s32 m_RollChannel = -1;
    s_orb_stream_file* m_MusicFile = nullptr;

private:
    void Enter(s32 state);
    void BowlerUp();
    void Aim();
    void Release();
    void Roll();
    void Result();
    void Sweep();
    void Next();
    void FinishPhysics();
    void FillHud();
    s32 Channel() const;
};

// The lane manager.
extern CLaneManager Physics;

// The sound id (a symbol) of an e_AlleySound (LaneAudio.cpp).
s32 LaneSoundId(s32 sound);
