#include "source/Objects/AlleyObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "orblib47/source/HModel.h"
#include "orblib47/source/OrbLib.h"
#include "source/AlleyNPCManager.h"
#include "source/GameSettings.h"
#include "source/Physics/LaneManager.h"

AlleyLife g_AlleyLife;

namespace {

constexpr s_physics_lite_def kWalkerPhysics = {1.2f};
constexpr f32 kDegreesPerRadian = 57.29578f;

s_object& Object(void* record) {
    return *static_cast<s_object*>(record);
}

const AlleyLaneItem& Item(const s_object& object) {
    return *static_cast<const AlleyLaneItem*>(object.user);
}

void SetHidden(s_object& object, bool hidden) {
    object.flags = hidden ? object.flags | OBJECT_FLAG_HIDDEN : object.flags & ~OBJECT_FLAG_HIDDEN;
}

// A figure stands where its object is, where the object's lights are chosen.
void Stand(s_object& object, AlleyFigure& figure, const s_Vector3& at) {
    figure.Place(at);
    object.transform.at(0, 3) = at.x;
    object.transform.at(1, 3) = at.y;
    object.transform.at(2, 3) = at.z;
}

bool Throwing(s32 state) {
    return state == LANE_STATE_BOWLER_UP || state == LANE_STATE_AIM || state == LANE_STATE_SWING;
}

// ---- behaviours

// The player's lane display first (its poses were set by the turn), then the deck.
void PinsetterBehaviour(s_thread*, void* record) {
    if (!GamePaused()) {
        Physics.UpdatePinModelTransforms();
        Physics.DisplaySetterSweeper();
    }
    Object(record).transform = Physics.m_setterTransform;
}

void SweeperBehaviour(s_thread*, void* record) {
    Object(record).transform = Physics.m_sweeperTransform;
}

void PinBehaviour(s_thread*, void* record) {
    s_object& object = Object(record);
    const AlleyLaneItem& item = Item(object);
    if (item.npc < 0) {
        object.transform = Physics.m_pinTransform[item.pin];
        return;
    }
    const CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[item.npc];
    object.transform = LaneDisplayToWorld(bowler.m_pinOrientation[item.pin], bowler.m_pinPosition[item.pin]);
}

// On the lane while the film shown has the ball; before that in the bowler's hand
// when the bowler has a model.
void BallBehaviour(s_thread*, void* record) {
    s_object& object = Object(record);
    const AlleyLaneItem& item = Item(object);
    if (item.npc >= 0) {
        const CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[item.npc];
        object.transform = LaneDisplayToWorld(bowler.m_ballOrientation, bowler.m_ballPosition);
        SetHidden(object, !bowler.BallShown());
        return;
    }
    const CPlayer& player = g_Players[std::clamp(Physics.iCurrentBowler, 0, MAX_PLAYERS - 1)];
    if (Throwing(Physics.m_state)) {
        const bool inHand = player.m_PlayerConstruction.GetBodyTypeModel() != nullptr;
        if (inHand)
            player.getPlayerBallTransform(&object.transform);
        SetHidden(object, !inHand);
        return;
    }
    object.transform = Physics.m_ballTransform;
    const bool rolling = Physics.m_state >= LANE_STATE_RELEASE && Physics.m_state <= LANE_STATE_SWEEP;
    SetHidden(object, !rolling || !FilmShowsBall(PlayerLane, Physics.m_iLastDisplayedFrame));
}

u32 IdleAnim(const CPlayerConstruction& look) {
    return look.m_CharacterAttributes.gender != 0 ? BOWLER_ANIM_IDLE_FEMALE : BOWLER_ANIM_IDLE_MALE;
}

// Standing while up and aiming, the approach once the swing starts, the throw from
// the release on.
void BowlerBehaviour(s_thread*, void* record) {
    const s32 index = std::clamp(Physics.iCurrentBowler, 0, MAX_PLAYERS - 1);
    AlleyFigure& figure = g_AlleyLife.playerFigures[index];
    const s32 state = Physics.m_state;
    const bool left = g_Players[index].LeftHanded();
    if (state == LANE_STATE_SWING)
        figure.Play(left ? BOWLER_ANIM_APPROACH_LEFT : BOWLER_ANIM_APPROACH_RIGHT);
    else if (state >= LANE_STATE_RELEASE && state <= LANE_STATE_SWEEP)
        figure.Play(left ? BOWLER_ANIM_THROW_LEFT : BOWLER_ANIM_THROW_RIGHT);
    else
        figure.Play(IdleAnim(*figure.look));
    const s_Vector3 spot = AlleyBowlerSpot(Physics.fLaneOffset);
    Stand(Object(record), figure, spot);
    // The bowler is drawn from the player's look, not from an hmodel of the object.
    ObjectCastShadow(figure.look != nullptr ? figure.look->GetBodyTypeModel() : nullptr, spot);
}

void BowlerDraw(s_object*) {
    g_AlleyLife.playerFigures[std::clamp(Physics.iCurrentBowler, 0, MAX_PLAYERS - 1)].Draw();
}

s32 NpcIndex(const s_object& object) {
    return s32(static_cast<const AlleyFigure*>(object.user) - g_AlleyLife.npcFigures);
}

void NpcBowlerBehaviour(s_thread*, void* record) {
    s_object& object = Object(record);
    AlleyFigure& figure = *static_cast<AlleyFigure*>(object.user);
    const CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[NpcIndex(object)];
    // Computer bowlers bowl right-handed.
    if (bowler.m_BowlState == BowlState_Prep)
        figure.Play(IdleAnim(*figure.look));
    else if (bowler.m_fApproachTime < NPC_APPROACH_TIME)
        figure.Play(BOWLER_ANIM_APPROACH_RIGHT);
    else
        figure.Play(BOWLER_ANIM_THROW_RIGHT);
    Stand(object, figure, AlleyBowlerSpot(bowler.fLaneOffset));
}

void FigureDraw(s_object* object) {
    static_cast<AlleyFigure*>(object->user)->Draw();
}

void WalkerBehaviour(s_thread*, void* record) {
    s_object& object = Object(record);
    const s32 index = s32(static_cast<const AlleyFigure*>(object.user) - g_AlleyLife.walkerFigures);
    CWalker& walker = g_AlleyLife.walkers[index];
    AlleyFigure& figure = g_AlleyLife.walkerFigures[index];
    walker.Update(ObjectFrameTime(), object.base->physics->speed);
    figure.Play(walker.m_Desire == WALKER_DESIRE_WALK ? BOWLER_ANIM_WALK : IdleAnim(*figure.look));
    figure.Face(walker.m_Heading);
    Stand(object, figure, walker.m_Position);
}

// ---- the level's data

const s_PLACEHOLDER* FindPlaceholder(const s_GAME_DATA& data, const char* name) {
    for (s32 i = 0; i < data.numPlaceHolder; ++i)
        if (std::strcmp(data.placeHolderList[i].name, name) == 0)
            return &data.placeHolderList[i];
    return nullptr;
}

const s_PATH* FindPath(const s_GAME_DATA& data, const char* name) {
    for (s32 i = 0; i < data.numPaths; ++i)
        if (std::strcmp(data.pathList[i].name, name) == 0)
            return &data.pathList[i];
    return nullptr;
}

// Degrees about +y that the placement's +z faces.
f32 Heading(const s_Quaternion& q) {
    s_Matrix4 m;
    QuatToMatrix4(&m, &q);
    return std::atan2(m.at(0, 2), m.at(2, 2)) * kDegreesPerRadian;
}

s_object* MakeObject(e_OBJECT_KIND kind, const char* name, void* user, const char* model) {
    s_object* object = ObjectCreate(&AlleyObjectKinds[kind], name, user);
    if (object != nullptr && model != nullptr)
        object->hmodel = HModelLoad(model, 0);
    return object;
}

void MakeLane(s32 npc) {
    AlleyLaneItem* items = g_AlleyLife.items[npc + 1];
    items[NUM_PINS] = {npc, -1};
    s_object* ball = MakeObject(OBJECT_KIND_BALL, npc < 0 ? "Ball" : "NPC Ball", &items[NUM_PINS],
                                npc < 0 ? ALLEY_BALL_MODEL : ALLEY_NPC_BALL_MODEL);
    if (ball != nullptr)
        ball->flags |= OBJECT_FLAG_CASTER;
    for (s32 i = 0; i < NUM_PINS; ++i) {
        items[i] = {npc, i};
        s_object* pin = MakeObject(OBJECT_KIND_PIN, npc < 0 ? "Pin" : "NPC Pin", &items[i], ALLEY_PIN_MODEL);
        if (pin != nullptr)
            pin->flags |= OBJECT_FLAG_CASTER;
    }
}

void MakePlayers() {
    AlleyLife& life = g_AlleyLife;
    const s32 players = std::clamp(g_GameSettings.m_Current.iNumPlayers, 1, MAX_PLAYERS);
    for (s32 i = 0; i < MAX_PLAYERS; ++i) {
        CPlayerConstruction& look = g_Players[i].m_PlayerConstruction;
        life.playerFigures[i] = {&look, 0.0f, 0};
        if (i < players && look.GetBodyTypeModel() == nullptr) {
            look.UpdateBodyTypeModel();
            life.playersBuilt |= 1u << i;
        }
        life.playerFigures[i].Face(life.bowlerHeading);
    }
    MakeObject(OBJECT_KIND_BOWLER, "Bowler", nullptr, nullptr);
}

void MakeLife() {
    AlleyLife& life = g_AlleyLife;
    for (s32 i = 0; i < ALLEY_OWN_LOOKS; ++i) {
        life.looks[i].SetCharGender(i % 2, 0);
        life.looks[i].UpdateBodyTypeModel();
    }
    for (s32 i = 0; i < ALLEY_NPC_LANES; ++i) {
        life.npcFigures[i] = {&life.looks[i], 0.0f, 0};
        life.npcFigures[i].Face(life.bowlerHeading);
        MakeObject(OBJECT_KIND_NPC_BOWLER, "NPC Bowler", &life.npcFigures[i], nullptr);
        CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[i];
        bowler.fLaneOffset = ALLEY_NPC_LANE_OFFSET[i];
        bowler.m_bMale = i % 2 == 0;
        bowler.StartBowling();
        MakeLane(i);
    }
    const s_PATH* path =
        life.gameData != nullptr ? FindPath(*life.gameData->m_Header, ALLEY_WALKER_PATH) : nullptr;
    if (path == nullptr || path->count < 2)
        return;
    for (s32 i = 0; i < ALLEY_WALKERS; ++i) {
        life.walkers[i].Start(path, i * s32(path->count) / ALLEY_WALKERS);
        life.walkerFigures[i] = {&life.looks[ALLEY_NPC_LANES + i], 0.0f, 0};
        MakeObject(OBJECT_KIND_WALKER, "Walker", &life.walkerFigures[i], nullptr);
    }
}

// Every object instance the level places stands as a prop of the model it names.
void MakeProps() {
    const CGameData* data = g_AlleyLife.gameData;
    if (data == nullptr)
        return;
    const s_INSTANCE_LIST& list = data->m_Header->instanceHeader;
    for (s32 i = 0; i < list.numInstance; ++i) {
        const s_INSTANCE& instance = list.instanceList[i];
        if (instance.type != INSTANCE_TYPE_INSTANCE_OBJECT || instance.name == nullptr)
            continue;
        s_object* prop = MakeObject(OBJECT_KIND_PROP, instance.name, nullptr, instance.name);
        if (prop == nullptr)
            continue;
        QuatToMatrix4(&prop->transform, &instance.quat);
        prop->transform.at(0, 3) = instance.pos.x;
        prop->transform.at(1, 3) = instance.pos.y;
        prop->transform.at(2, 3) = instance.pos.z;
    }
}

}  // namespace

const s_BASE_OBJECT AlleyObjectKinds[OBJECT_KIND_COUNT] = {
    {"Ball", OBJECT_KIND_BALL, BallBehaviour, nullptr, nullptr},
    {"Pin", OBJECT_KIND_PIN, PinBehaviour, nullptr, nullptr},
    {"Pinsetter", OBJECT_KIND_PINSETTER, PinsetterBehaviour, nullptr, nullptr},
    {"Sweeper", OBJECT_KIND_SWEEPER, SweeperBehaviour, nullptr, nullptr},
    {"Bowler", OBJECT_KIND_BOWLER, BowlerBehaviour, BowlerDraw, nullptr},
    {"NPC Bowler", OBJECT_KIND_NPC_BOWLER, NpcBowlerBehaviour, FigureDraw, nullptr},
    {"Walker", OBJECT_KIND_WALKER, WalkerBehaviour, FigureDraw, &kWalkerPhysics},
    {"Prop", OBJECT_KIND_PROP, nullptr, nullptr, nullptr},
};

s_Vector3 AlleyBowlerSpot(f32 laneOffset) {
    // The lane's shift across, as the film places it.
    const s_CoordSys3 upright = {
        {1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f, 0.0f}, {}};
    const s_Vector3 origin = {0.0f, 0.0f, 0.0f, 0.0f};
    const s_Matrix4 base = LaneDisplayToWorld(upright, LaneDisplayPosition(origin, 0.0f));
    const s_Matrix4 moved = LaneDisplayToWorld(upright, LaneDisplayPosition(origin, laneOffset));
    s_Vector3 spot = g_AlleyLife.bowlerSpot;
    spot.x += moved.at(0, 3) - base.at(0, 3);
    spot.y += moved.at(1, 3) - base.at(1, 3);
    spot.z += moved.at(2, 3) - base.at(2, 3);
    return spot;
}

void AlleyObjectsCreate() {
    AlleyLife& life = g_AlleyLife;
    life.gameData = GameDataLoad(ALLEY_SCENE, nullptr, 0);
    if (life.gameData != nullptr) {
        if (const s_PLACEHOLDER* spot = FindPlaceholder(*life.gameData->m_Header, ALLEY_BOWLER_SPOT)) {
            life.bowlerSpot = spot->pos;
            life.bowlerHeading = Heading(spot->quat);
        }
    }
    // The deck first: it brings the lane's display up to date for the rest.
    MakeObject(OBJECT_KIND_PINSETTER, "Pinsetter", nullptr, ALLEY_PINSETTER_MODEL);
    MakeObject(OBJECT_KIND_SWEEPER, "Sweeper", nullptr, ALLEY_SWEEPER_MODEL);
    MakeLane(-1);
    MakePlayers();
    MakeLife();
    MakeProps();
    const s_Vector3 origin{};
    life.effects = ParticleListAlloc(&origin);
}

void AlleyObjectsRemove() {
    AlleyLife& life = g_AlleyLife;
    ParticleListFree(life.effects, PARTLIST_KILL);
    ObjectFreeAll();
    for (CNPCBowler& bowler : g_AlleyNPCManager.m_NPCBowlers)
        bowler.m_bNPCIsBowling = 0;
    for (CPlayerConstruction& look : life.looks)
        look.FreeAll();
    for (s32 i = 0; i < MAX_PLAYERS; ++i) {
        // A model the front end built goes back to facing the way it did.
        life.playerFigures[i].Face(0.0f);
        if (life.playersBuilt & (1u << i))
            g_Players[i].m_PlayerConstruction.FreeAll();
    }
    GameDataFree(life.gameData);
    std::destroy_at(&life);
    std::construct_at(&life);
}
