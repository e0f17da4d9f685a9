// The bowling level's life: the lanes' balls, pins, pinsetter and sweeper, the
// bowler up, the computer bowlers, the walkers behind the lanes and the props the
// level places.
#pragma once

#include "orblib47/source/GameData.h"
#include "orblib47/source/ParticleList.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Objects/Object.h"
#include "source/Players/Player.h"

constexpr s32 ALLEY_WALKERS = 2;

// What a walker wants: to stand a while at its waypoint, or to walk to the next.
enum e_WalkerDesire : s32 {
    WALKER_DESIRE_IDLE,
    WALKER_DESIRE_WALK,
};

// A walker goes round the points of a path, resting at each; after the last point
// it walks back to the first.
struct CWalker {
    // Stands at point `start` of the path.
    void Start(const s_PATH* path, s32 start);
    // dt seconds at `speed` world units per second.
    void Update(f32 dt, f32 speed);

    const s_PATH* m_Path = nullptr;
    e_WalkerDesire m_Desire = WALKER_DESIRE_IDLE;
    s32 m_Waypoint = 0;  // where it stands, or where it walks to
    f32 m_Rest = 0.0f;   // seconds still to stand
    s_Vector3 m_Position{};
    f32 m_Heading = 0.0f;  // degrees about +y; 0 faces +z
};

// A bowler model the alley places: it turns and changes animation only when asked
// for something new. Draws nothing while the model is not built.
struct AlleyFigure {
    void Face(f32 heading);
    void Play(u32 animId);
    void Place(const s_Vector3& at);
    void Draw();

    CPlayerConstruction* look = nullptr;  // not owned
    f32 heading = 0.0f;
    u32 anim = 0;
};

// Which lane's ball or pin an object shows.
struct AlleyLaneItem {
    s32 npc;  // computer lane 0..ALLEY_NPC_LANES-1; -1 the player's lane
    s32 pin;  // 0..9; -1 the ball
};

constexpr s32 ALLEY_OWN_LOOKS = ALLEY_NPC_LANES + ALLEY_WALKERS;

struct AlleyLife {
    CGameData* gameData = nullptr;  // one reference while the objects live
    s_Vector3 bowlerSpot{};
    f32 bowlerHeading = 0.0f;
    u32 playersBuilt = 0;  // bit i: this level built player i's model
    AlleyLaneItem items[ALLEY_NPC_LANES + 1][NUM_PINS + 1]{};
    CWalker walkers[ALLEY_WALKERS];
    CPlayerConstruction looks[ALLEY_OWN_LOOKS];  // the computer bowlers', then the walkers'
    AlleyFigure npcFigures[ALLEY_NPC_LANES];
    AlleyFigure walkerFigures[ALLEY_WALKERS];
    AlleyFigure playerFigures[MAX_PLAYERS];
    s_particle_list* effects = nullptr;  // the lane's particle effects, killed with the objects
};

extern AlleyLife g_AlleyLife;

// Where a lane's bowler stands: the level's bowler spot moved across to the lane at
// that offset (physics units).
s_Vector3 AlleyBowlerSpot(f32 laneOffset);
// The kind table's rows.
extern const s_BASE_OBJECT AlleyObjectKinds[OBJECT_KIND_COUNT];

// AlleyEffects.cpp: the player's lane's particle effects.
// Dust rising off the pin deck as the ball scatters the pins.
void AlleyPinDust();
// Stars thrown up over the rack on a strike.
void AlleyStrikeBurst();
