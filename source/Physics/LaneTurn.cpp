// The turn: each bowler in order is racked for, aims, swings and releases; the film
// of the throw plays back; the pins are counted and scored; the pinsetter and the
// sweep play; then the next ball, the next bowler or the end of the game. Every
// state the game drives ends by itself; only aiming waits for the player.
#include <bit>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Objects/AlleyObjects.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/Physics.h"

namespace {

constexpr f32 kIntroLongest = 10.0f;
constexpr f32 kBowlerUpTime = 0.75f;  // the camera comes round to the bowler
constexpr f32 kComputerThinks = 1.0f;
constexpr f32 kSwingLongest = 4.0f;
// Longer than the longest film (PHYS_MAX_FRAMES at 120 a second).
constexpr f32 kRollLongest = 32.0f;
constexpr f32 kSweepLongest = 32.0f;
constexpr f32 kKudosLongest = 6.0f;
// More slices than the longest film takes.
constexpr s32 kMostSlices = 4 * PHYS_MAX_FRAMES;

s_vibe_prog ReleaseRumble = {1, 0x7fff, 0, 0.0f, 0.25f};

s32 PinCount(PinMask pins) {
    return std::popcount(u32(pins & PIN_MASK_ALL));
}

bool Reached(f32 playback, s32 frame) {
    return frame != 0 && playback >= f32(frame);
}

}  // namespace

s32 CLaneManager::Channel() const {
    const s32 controller = g_GameSettings.GetControllerMapping(iCurrentBowler);
    return controller >= 0 && controller < PAD_COUNT ? controller : 0;
}

void CLaneManager::StartGame() {
    mScoreKeeper.Reset();
    const s32 players = g_GameSettings.m_Current.iNumPlayers;
    m_NumBowlers = players < 1 ? 1 : players > MAX_PLAYERS ? MAX_PLAYERS : players;
    iCurrentBowler = 0;
    iCurrentBowlThrow = 0;
    m_iPracticePinSetup = PIN_MASK_ALL;
    // The physics' lane is the pair's left one; the right one lies a lane pitch along.
    fLaneOffset = bLeftLane ? 0.0f : ALLEY_RIGHT_LANE_OFFSET;
    InitLane(1);
    StartMusic();
    Enter(g_LevelMgr.m_GameCamera.m_cameraMode == E_CAMERA_MODE_INTRO ? LANE_STATE_INTRO
                                                                      : LANE_STATE_BOWLER_UP);
}

void CLaneManager::NewGame() {
    mScoreKeeper.Reset();
    iCurrentBowler = 0;
    iCurrentBowlThrow = 0;
    InitLane(1);
    Enter(LANE_STATE_BOWLER_UP);
}

void CLaneManager::ForfeitGame(s32 player) {
    mScoreKeeper.Forfeit(u32(player));
    Enter(LANE_STATE_GAME_OVER);
}

void CLaneManager::Enter(s32 state) {
    m_state = state;
    m_StateTime = 0.0f;
    if (state == LANE_STATE_BOWLER_UP) {
        BowlerUp();
    } else if (state == LANE_STATE_GAME_OVER) {
        StopRollSound();
        PadVibeOff(Channel());
        g_LevelMgr.m_bActive = 0;
    }
}

void CLaneManager::run() {
    // Paused time does not count: the film, the clocks of the states and the input wait.
    if (GamePaused())
        return;
    m_StateTime += RealDeltaTime;
    switch (m_state) {
        case LANE_STATE_INTRO:
            if (g_LevelMgr.m_GameCamera.m_cameraMode != E_CAMERA_MODE_INTRO ||
                g_GameSettings.ButtonDown(eButtonMap_Action, 0) || m_StateTime > kIntroLongest)
                Enter(LANE_STATE_BOWLER_UP);
            break;
        case LANE_STATE_BOWLER_UP:
            if (g_Players[iCurrentBowler].bIsHumanPlayer) {
                if (m_StateTime >= kBowlerUpTime)
                    Enter(LANE_STATE_AIM);
            } else if (m_StateTime >= kBowlerUpTime + kComputerThinks) {
                Enter(LANE_STATE_RELEASE);
            }
            break;
        case LANE_STATE_AIM:
        case LANE_STATE_SWING:
            Aim();
            break;
        case LANE_STATE_RELEASE:
            Release();
            break;
        case LANE_STATE_ROLL:
            Roll();
            break;
        case LANE_STATE_RESULT:
            Result();
            break;
        case LANE_STATE_SWEEP:
            Sweep();
            break;
        case LANE_STATE_NEXT:
            Next();
            break;
        default:
            break;
    }
    if (m_state != LANE_STATE_ROLL && m_state != LANE_STATE_SWEEP)
        UpdatePinModelTransforms();
    DisplaySetterSweeper();
    FillHud();
}

void CLaneManager::BowlerUp() {
    m_RackBefore = m_iLastPinSetup;
    m_bPreviewed = 0;
    m_bPickingPins = 0;
    g_LevelMgr.m_GameCamera.SetAutoCameraMode(E_CAMERA_MODE_PLAYER_PAN);
    CPlayer& bowler = g_Players[iCurrentBowler];
    if (bowler.bIsHumanPlayer)
        m_ThrowInput.Begin(Channel(), bowler.m_Shot);
    else
        bowler.calculateShot(m_RackBefore, iCurrentBowlThrow);
}

void CLaneManager::Aim() {
    CPlayer& bowler = g_Players[iCurrentBowler];
    if (m_bPickingPins) {
        PinMask chosen = m_iPracticePinSetup;
        if (g_InGameScreens.PickPinsDone && !g_InGameScreens.PickPinsDone(&chosen))
            return;
        m_bPickingPins = 0;
        // At least one pin stands.
        m_iPracticePinSetup = (chosen & PIN_MASK_ALL) ? PinMask(chosen & PIN_MASK_ALL) : PIN_MASK_ALL;
        InitLane(1);
        m_RackBefore = m_iLastPinSetup;
        m_bPreviewed = 0;
        return;
    }
    if (m_state == LANE_STATE_AIM) {
        if (g_GameSettings.ButtonDown(eButtonMap_BallSwap, iCurrentBowler))
            bowler.m_Shot.Ball ^= 1;
        // One button: pick pins in practice, the oil pattern otherwise.
        if (m_bPracticeMode && g_GameSettings.ButtonDown(eButtonMap_PinSelect, iCurrentBowler)) {
            if (g_InGameScreens.PickPinsOpen)
                g_InGameScreens.PickPinsOpen(m_iPracticePinSetup);
            m_bPickingPins = 1;
            return;
        }
        if (!m_bPracticeMode && g_GameSettings.ButtonDown(eButtonMap_OilPattern, iCurrentBowler))
            m_Hud.showOil ^= 1;
    }
    const e_ThrowPhase phase = m_ThrowInput.Update(bowler, &bowler.m_Shot);
    if (phase == THROW_RELEASED || (m_state == LANE_STATE_SWING && m_StateTime > kSwingLongest)) {
        Enter(LANE_STATE_RELEASE);
        return;
    }
    if (phase == THROW_SWINGING) {
        if (m_state != LANE_STATE_SWING)
            Enter(LANE_STATE_SWING);
        return;
    }
    const ShotParameters& s = bowler.m_Shot;
    const ShotParameters& p = m_PreviewShot;
    if (!m_bPreviewed || s.AimX != p.AimX || s.ReleaseX != p.ReleaseX || s.Spin != p.Spin ||
        s.Ball != p.Ball) {
        ComputeBallAngle();
        m_PreviewShot = s;
        m_bPreviewed = 1;
    }
}

void CLaneManager::Release() {
    ComputeShot();
    ++g_Players[iCurrentBowler].m_NumThrows;
    if (g_Players[iCurrentBowler].bIsHumanPlayer)
        PadVibeOn(Channel(), &ReleaseRumble);
    m_bPinSoundDone = 0;
    m_bGutterSoundDone = 0;
    m_bSetterSoundDone = 0;
    m_bSweepSoundDone = 0;
    StartRollSound();
    g_LevelMgr.m_GameCamera.SetAutoCameraMode(E_CAMERA_MODE_FOLLOW_BALL);
    Enter(LANE_STATE_ROLL);
}

// Runs whatever the idle time has not yet simulated, at once.
void CLaneManager::FinishPhysics() {
    for (s32 n = 0; n < kMostSlices && ComputePhysicsTimeSlice(); ++n) {
    }
}

void CLaneManager::Roll() {
    DisplayFrame();
    const LaneContext& lane = PlayerLane;
    if (!m_bGutterSoundDone && Reached(fCurrentFrame, lane.FrameBallHitGutter)) {
        m_bGutterSoundDone = 1;
        StopRollSound();
        PlayLaneSound(ALLEY_SFX_GUTTER, 1.0f);
    }
    if (!m_bPinSoundDone && Reached(fCurrentFrame, lane.FrameBallReachesPins)) {
        m_bPinSoundDone = 1;
        StopRollSound();
        const PinMask standing = lane.PhysicsDone ? GetPhysicsResult(lane) : m_RackBefore;
        const s32 down = PinCount(m_RackBefore & ~standing);
        PlayLaneSound(AlleyPinHitSound(down), down > 0 ? 1.0f : 0.5f);
        if (down > 0)
            AlleyPinDust();
        g_LevelMgr.m_GameCamera.SetAutoCameraMode(E_CAMERA_MODE_PIN_VIEW);
    }
    const bool filmOver = bSweepDone && fCurrentFrame >= f32(lane.NumPhysFrames);
    if (Reached(fCurrentFrame, lane.FramePinActionComplete) || filmOver || m_StateTime > kRollLongest)
        Enter(LANE_STATE_RESULT);
}

void CLaneManager::Result() {
    PadVibeOff(Channel());
    StopRollSound();
    // A roll that ran out of time: the rest of the throw is simulated now.
    if (!bPhysicsDone)
        FinishPhysics();
    const PinMask standing = GetPhysicsResult(PlayerLane) & m_RackBefore;
    m_Hud.standing = standing;
    if (!m_bPracticeMode) {
        const u32 bowler = u32(iCurrentBowler);
        const bool split = iCurrentBowlThrow == 0 && IsSplit(standing);
        const bool gutter = PlayerLane.FrameBallHitGutter != 0;
        mScoreKeeper.AddThrow(bowler, u32(PinCount(m_RackBefore) - PinCount(standing)), split, gutter);
        const e_Kudos kudos = mScoreKeeper.ClassifyLastThrow(bowler);
        // The kudos screen itself honours the settings' switch.
        if (kudos != KUDOS_NONE && g_InGameScreens.KudosShow)
            g_InGameScreens.KudosShow(kudos);
        if (kudos == KUDOS_STRIKE || kudos == KUDOS_TURKEY || kudos == KUDOS_SIXPACK) {
            PlayLaneSound(ALLEY_SFX_STRIKE_CHEER, 1.0f);
            AlleyStrikeBurst();
        }
    }
    Enter(LANE_STATE_SWEEP);
}

void CLaneManager::Sweep() {
    DisplayFrame();
    const LaneContext& lane = PlayerLane;
    if (!m_bSetterSoundDone && Reached(fCurrentFrame, lane.FramePinsetterStarts)) {
        m_bSetterSoundDone = 1;
        PlayLaneSound(ALLEY_SFX_PINSETTER, 1.0f);
    }
    if (!m_bSweepSoundDone && m_displayPoses.body[FILM_BODY_SWEEPER].position.z != 0.0f) {
        m_bSweepSoundDone = 1;
        PlayLaneSound(ALLEY_SFX_SWEEP, 1.0f);
    }
    const bool kudos =
        g_InGameScreens.KudosActive && g_InGameScreens.KudosActive() && m_StateTime < kKudosLongest;
    const bool filmOver = bSweepDone && fCurrentFrame >= f32(lane.NumPhysFrames);
    if ((filmOver && !kudos) || m_StateTime > kSweepLongest) {
        if (g_InGameScreens.KudosKill)
            g_InGameScreens.KudosKill();
        FinishPhysics();
        Enter(LANE_STATE_NEXT);
    }
}

void CLaneManager::Next() {
    if (m_bPracticeMode) {
        iCurrentBowlThrow = 0;
        InitLane(1);
        Enter(LANE_STATE_BOWLER_UP);
        return;
    }
    const ScoreNextBall next = mScoreKeeper.GetNextBall(u32(iCurrentBowler));
    if (!next.over && next.ball != 0) {
        // The same bowler's frame goes on; the tenth racks afresh after a strike or spare.
        iCurrentBowlThrow = next.freshRack ? 0 : 1;
        InitLane(next.freshRack ? 1 : 0);
        Enter(LANE_STATE_BOWLER_UP);
        return;
    }
    for (s32 step = 1; step <= m_NumBowlers; ++step) {
        const s32 bowler = (iCurrentBowler + step) % m_NumBowlers;
        if (mScoreKeeper.IsGameOver(u32(bowler)))
            continue;
        iCurrentBowler = bowler;
        iCurrentBowlThrow = 0;
        InitLane(1);
        Enter(LANE_STATE_BOWLER_UP);
        return;
    }
    Enter(LANE_STATE_GAME_OVER);
}

void CLaneManager::FillHud() {
    const CPlayer& bowler = g_Players[iCurrentBowler];
    const bool human = bowler.bIsHumanPlayer != 0;
    m_Hud.showAim = human && m_state == LANE_STATE_AIM && !m_bPickingPins;
    m_Hud.showMeters = human && (m_state == LANE_STATE_AIM || m_state == LANE_STATE_SWING);
    m_Hud.power = m_ThrowInput.PowerMeter();
    m_Hud.spin = m_ThrowInput.SpinMeter();
    m_Hud.aimX = bowler.m_Shot.AimX;
    if (m_state < LANE_STATE_RESULT)
        m_Hud.standing = m_RackBefore;
}
