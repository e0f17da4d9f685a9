// A computer bowler of the alley: its own lane, simulated with the same physics as
// the player's lane, one slice per idle call.
#pragma once

#include "source/Career/BowlerParts.h"
#include "source/Physics/LaneContext.h"

// The computer lanes' oil: rows 0 to 9 taper from 2048 down, inwards from the edges.
void FillComputerLaneOil(OilGrid grid);

enum BowlState : s32 {
    BowlState_Prep,      // the throw's whole film is being simulated
    BowlState_Approach,  // walking up to bowl, then watching the film play
};

// Seconds from the start of the approach: the walk (the approach animation), then
// the throw animation, whose ball leaves the hand BOWLER_THROW_RELEASE_TIME in;
// from then the film plays from its first frame.
constexpr f32 NPC_APPROACH_TIME = 1.6f;
constexpr f32 NPC_RELEASE_TIME = NPC_APPROACH_TIME + BOWLER_THROW_RELEASE_TIME;

class CNPCBowler {
public:
    CNPCBowler();
    // The lane context points into the bowler itself.
    CNPCBowler(const CNPCBowler&) = delete;
    CNPCBowler& operator=(const CNPCBowler&) = delete;

    // One physics slice while in BowlState_Prep; 1 while there was work.
    s32 computePhysicsTimeslice();
    // Turn logic: leaves BowlState_Prep once the throw is simulated to the end;
    // the approach plays the film from the release and, a second after its end,
    // racks for the next ball and starts its shot.
    void run();
    // A fresh rack and the first shot on its lane; bowling from now on.
    void StartBowling();
    // The film shown up to the playback position.
    void DisplayFrame();
    // The ball is on the lane in the film being shown.
    bool BallShown() const;
    // A random release, started on the racked lane.
    s32 SetupRandomShot();
    void EnterPrep();
    PinMask GetRemainingPins() const;

    void NPC_SetupPins(PinMask pins, s32 randomTurn);
    s32 NPC_StartPhysics(const BallData_t* ball);
    s32 NPC_InitialBallRoll();
    s32 NPC_RunPhysics();
    s32 NPC_PickupPins();
    s32 NPC_SweepPins();

    LaneContext lane{LaneKind::Computer};
    u16 m_Oil[OIL_ROWS][OIL_BOARDS]{};

    s32 m_BallRollDone = 0;
    s32 m_PinsetterDone = 0;
    s32 m_SweepDone = 0;  // with lane.PhysicsDone, the driver's progress flags
    s32 iCurrentThrow = 0;
    BowlState m_BowlState = BowlState_Approach;
    s32 m_bNPCIsBowling = 0;
    s32 m_bMale = 1;
    PinMask m_iLastPinSetup = 0;

    f32 m_fApproachTime = 0.0f;  // seconds into the approach
    f32 fCurrentFrame = 0.0f;    // playback position in film frames

    f32 fLaneOffset = 0.0f;
    f32 fPinsetterOffset = -0.01f;
    s32 m_iLastDisplayedFrame = -1;
    s_Vector3 m_ballPosition{};
    s_CoordSys3 m_ballOrientation{};
    s_Vector3 m_pinPosition[NUM_PINS]{};
    s_CoordSys3 m_pinOrientation[NUM_PINS]{};

private:
    void Throw(PinMask rack, s32 freshRack);
};
