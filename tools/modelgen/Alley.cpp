#include "tools/modelgen/Alley.h"

#include <array>
#include <cmath>
#include <iterator>
#include <numbers>
#include <utility>

#include "orblib47/source/Collision.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/World.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Physics/BallMotion.h"
#include "tools/modelgen/AlleyParts.h"
#include "tools/modelgen/CollisionMesh.h"
#include "tools/modelgen/Level.h"
#include "tools/modelgen/SkyDome.h"
#include "tools/modelgen/SphereTree.h"

namespace modelgen {

namespace {

constexpr const char* kLaneHeadTexture = "LANEHEAD";
constexpr const char* kLaneWoodTexture = "LANEWOOD";
constexpr const char* kLaneDeckTexture = "LANEDECK";
constexpr const char* kApproachTexture = "APPROACH";
constexpr const char* kPinTexture = "PINSKIN";
constexpr const char* kBallTexture = "BALLMARB";
constexpr const char* kNpcBallTexture = "NPCMARB";
constexpr const char* kMaskingTexture = "MASKART";

constexpr u16 kSolid = COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS | COLLISION_SHADOW_OBS;

// The hall in lane coordinates: each lane owns a cell of one pitch about its middle.
constexpr f32 kPitch = ALLEY_RIGHT_LANE_OFFSET;
constexpr f32 kCellMargin = (kPitch - LANE_RIGHT_EDGE) / 2;  // cell edge to the lane's edge
constexpr f32 kHallLeft = kAlleyFirstLane * kPitch - kCellMargin;
constexpr f32 kHallRight = kHallLeft + kAlleyLanes * kPitch;
constexpr f32 kHallBack = -100.0f;
constexpr f32 kHallHeight = 40.0f;
constexpr f32 kGutterDepth = 0.875f;  // a ball in the gutter sits this much lower
constexpr f32 kCappingHeight = 0.5f;
constexpr f32 kKickbackHeight = 10.0f;
constexpr f32 kBallReturnZ = -56.0f;
constexpr f32 kLampReach = 60.0f;  // world units: the whole hall
// World units about a spot that it lights and takes the shadows of.
constexpr f32 kApproachSpotReach = 6.0f;
constexpr f32 kDeckSpotReach = 5.0f;

constexpr u32 kGutterSteel = 0x9098A0FFu, kCapping = 0x4A3426FFu, kKickback = 0x283038FFu;
constexpr u32 kPit = 0x141414FFu, kBackWall = 0x1C1C20FFu;

constexpr s_Vector3 V(f32 x, f32 h, f32 z) {
    return {x, h, z, 0};
}

f32 LaneOffset(s32 k) {
    return f32(kAlleyFirstLane + k) * kPitch;
}

// A lane's bed from z0 to z1, facing up.
Mesh LaneBed(f32 offset, f32 z0, f32 z1, u32 lengthCells, f32 vRepeat) {
    return Grid(V(offset, 0, z0), V(0, 0, z1 - z0), V(LANE_RIGHT_EDGE, 0, 0), lengthCells, 2, 0xFFFFFFFFu, 1,
                vRepeat);
}

// A gutter's trough beside the lane, from its outer edge x0 to x0 + kGutterWidth.
Mesh Gutter(f32 x0) {
    constexpr u32 kFacets = 4;
    Mesh mesh;
    for (u32 i = 0; i < kFacets; ++i) {
        const f32 a0 = std::numbers::pi_v<f32> * f32(i) / kFacets,
                  a1 = std::numbers::pi_v<f32> * f32(i + 1) / kFacets;
        const f32 r = kGutterWidth / 2;
        const s_Vector3 from = V(x0 + r - r * std::cos(a0), -kGutterDepth * std::sin(a0), 0);
        const s_Vector3 to = V(x0 + r - r * std::cos(a1), -kGutterDepth * std::sin(a1), 0);
        Append(&mesh,
               Grid(from, V(0, 0, PIN_DECK_END_Z), V(to.x - from.x, to.y - from.y, 0), 4, 1, kGutterSteel));
    }
    return mesh;
}

// The panel over the pin decks, its picture (if any) once a lane pair.
Mesh Masking(u32 color, f32 uRepeat) {
    return Grid(V(kHallLeft, kKickbackHeight, kLaneDeckStartZ), V(0, kHallHeight - kKickbackHeight, 0),
                V(kHallRight - kHallLeft, 0, 0), 2, 6, color, uRepeat);
}

Mesh Slab(f32 x0, f32 h0, f32 z0, f32 x1, f32 h1, f32 z1, u32 color) {
    return Box(V(x0, h0, z0), V(x1, h1, z1), {1, 1, 1}, color);
}

// What is neither lane nor approach: gutters, cappings and kickbacks, pits and the
// walls about them, the hall's floor, walls and ceiling, closed above the pins by
// the masking panel (left out when the look has a picture for it). Also the
// collision world.
Mesh Hall(Mesh* solid, const AlleyLook& look) {
    Mesh hall;
    for (s32 k = 0; k < kAlleyLanes; ++k) {
        const f32 o = LaneOffset(k);
        const f32 left = o - kGutterWidth, right = o + LANE_RIGHT_EDGE + kGutterWidth;
        Append(solid, Gutter(left));
        Append(solid, Gutter(o + LANE_RIGHT_EDGE));
        Append(solid, Grid(V(left, -PIT_FLOOR_Y, PIN_DECK_END_Z), V(0, 0, BACK_WALL_Z - PIN_DECK_END_Z),
                           V(right - left, 0, 0), 1, 2, kPit));
        Append(&hall, Grid(V(left, -PIT_FLOOR_Y, PIN_DECK_END_Z), V(right - left, 0, 0), V(0, PIT_FLOOR_Y, 0),
                           2, 1, kPit));
        for (const auto& [x0, x1] :
             {std::pair{o - kCellMargin, left}, std::pair{right, o + kPitch - kCellMargin}}) {
            Append(&hall, Slab(x0, 0, 0, x1, kCappingHeight, kLaneDeckStartZ, kCapping));
            Append(&hall, Slab(x0, 0, kLaneDeckStartZ, x1, kKickbackHeight, BACK_WALL_Z, kKickback));
        }
    }
    const f32 width = kHallRight - kHallLeft;
    Append(&hall, Grid(V(kHallLeft, -PIT_FLOOR_Y, BACK_WALL_Z), V(0, kKickbackHeight + PIT_FLOOR_Y, 0),
                       V(width, 0, 0), 1, 6, kBackWall));
    if (!look.paintMasking)
        Append(&hall, Masking(look.masking, 1));
    Append(solid, Grid(V(kHallLeft, 0, kHallBack), V(0, 0, kApproachStartZ - kHallBack), V(width, 0, 0), 4,
                       12, look.carpet));
    Append(solid, Grid(V(kHallLeft, 0, kHallBack), V(0, kHallHeight, 0), V(0, 0, BACK_WALL_Z - kHallBack), 4,
                       16, look.wall));
    Append(solid, Grid(V(kHallRight, 0, kHallBack), V(0, 0, BACK_WALL_Z - kHallBack), V(0, kHallHeight, 0),
                       16, 4, look.wall));
    Append(solid, Grid(V(kHallLeft, 0, kHallBack), V(width, 0, 0), V(0, kHallHeight, 0), 12, 4, look.wall));
    Append(&hall, Grid(V(kHallLeft, kHallHeight, kHallBack), V(width, 0, 0),
                       V(0, 0, kLaneDeckStartZ - kHallBack), 6, 12, look.ceiling));
    return hall;
}

GeneratedModel Scene(const AlleyLook& look) {
    Mesh heads, wood, decks, solid;
    for (s32 k = 0; k < kAlleyLanes; ++k) {
        const f32 o = LaneOffset(k);
        Append(&heads, LaneBed(o, 0, kLaneHeadLength, 6, 1));
        Append(&wood, LaneBed(o, kLaneHeadLength, kLaneDeckStartZ, 12, 8));
        Append(&decks, LaneBed(o, kLaneDeckStartZ, PIN_DECK_END_Z, 2, 1));
    }
    const Mesh approach = Grid(V(kHallLeft, 0, kApproachStartZ), V(0, 0, -kApproachStartZ),
                               V(kHallRight - kHallLeft, 0, 0), 4, 2 * kAlleyLanes, 0xFFFFFFFFu, kAlleyLanes);
    const Mesh hall = Hall(&solid, look);

    std::vector<Part> parts = {
        {SceneToWorld(heads), PlainMaterial(look.laneTint, kLaneHeadTexture)},
        {SceneToWorld(wood), PlainMaterial(look.laneTint, kLaneWoodTexture)},
        {SceneToWorld(decks), PlainMaterial(look.laneTint, kLaneDeckTexture)},
        {SceneToWorld(approach), PlainMaterial(look.laneTint, kApproachTexture)},
        {SceneToWorld(solid), PlainMaterial(0xFFFFFFFFu)},
        {SceneToWorld(hall), PlainMaterial(0xFFFFFFFFu)},
    };
    if (look.paintMasking)
        parts.push_back({SceneToWorld(Masking(0xFFFFFFFFu, kAlleyLanes / 2)),
                         PlainMaterial(0xFFFFFFFFu, kMaskingTexture)});
    GeneratedModel scene = StaticModel(parts);
    SetMeshOctree(&scene.vhm);
    for (size_t p = 0; p < 5; ++p)  // everything that is floor or wall
        AddCollisionFaces(&scene.vhm, parts[p].mesh, kSolid);
    SetCollisionOctree(&scene.vhm);
    return scene;
}

discbuild::WrlAtom BallReturnAt(f32 x) {
    const s_Vector3 at = AlleyWorldPoint(x, 0, kBallReturnZ);
    discbuild::WrlAtom atom;
    atom.matrix.at(0, 3) = at.x;
    atom.matrix.at(1, 3) = at.y;
    atom.matrix.at(2, 3) = at.z;
    atom.center = {at.x, at.y, at.z};
    atom.groupId = kAlleyBallReturnGroupId;
    atom.flags = WORLD_DRAW_OPAQUE;
    return atom;
}

// A ball return between the lanes of each pair.
discbuild::WrlWorld World(const GeneratedModel& ballReturn) {
    discbuild::WrlWorld world;
    world.name = ALLEY_SCENE;
    std::vector<ItemSphere> spheres;
    for (s32 k = 0; k < kAlleyLanes; k += 2) {
        world.atoms.push_back(BallReturnAt(LaneOffset(k) + LANE_RIGHT_EDGE + kCellMargin));
        const std::array<f32, 3>& c = world.atoms.back().center;
        spheres.push_back({{c[0], c[1], c[2], 0}, ballReturn.vhm.radius, u16(spheres.size())});
    }
    world.octTree = SphereTree(std::move(spheres));
    return world;
}

discbuild::GamPlaceholder Placeholder(const char* name, e_PLACEHOLDER_TYPE type, const s_Vector3& at) {
    discbuild::GamPlaceholder placeholder;
    placeholder.name = name;
    placeholder.pos = {at.x, at.y, at.z};
    placeholder.type = type;
    return placeholder;
}

discbuild::GamInstance Lamp(f32 x, f32 height, f32 z, const char* rrggbb, f32 reach) {
    const s_Vector3 at = AlleyWorldPoint(x, height, z);
    return LevelLamp(at.x, at.y, at.z, rrggbb, reach);
}

// A texture projector shining straight down from (x, height, z), lighting and
// taking the shadows of what lies within `reach` world units of it.
discbuild::GamInstance Spot(f32 x, f32 height, f32 z, f32 reach) {
    const s_Vector3 at = AlleyWorldPoint(x, height, z);
    discbuild::GamInstance spot;
    spot.pos = {at.x, at.y, at.z};
    spot.type = INSTANCE_TYPE_INSTANCE_TEXTURE_PROJECT;
    spot.name = ALLEY_SPOT_TEXTURE;
    spot.radius = reach;
    spot.flags = u_INSTANCE_FLAGS::Force_Create;
    return spot;
}

// The walkers' loop round the seats behind the approaches.
discbuild::GamPath Walkway() {
    const s_Vector3 corners[] = {
        AlleyWorldPoint(kHallLeft + 6, 0, -64), AlleyWorldPoint(kHallRight - 6, 0, -64),
        AlleyWorldPoint(kHallRight - 6, 0, kHallBack + 8), AlleyWorldPoint(kHallLeft + 6, 0, kHallBack + 8)};
    discbuild::GamPath path;
    path.name = ALLEY_WALKER_PATH;
    path.flags = u_PATH_FLAGS::Closed | u_PATH_FLAGS::Npc;
    for (size_t i = 0; i < std::size(corners); ++i) {
        const s_Vector3& a = corners[i];
        const s_Vector3& b = corners[(i + 1) % std::size(corners)];
        const f32 length = std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
        path.points.push_back(
            {{a.x, a.y, a.z}, {(b.x - a.x) / length, (b.y - a.y) / length, (b.z - a.z) / length}, length});
    }
    return path;
}

discbuild::GamLevel GameData(const AlleyLook& look) {
    discbuild::GamLevel data;
    const f32 pairMiddle = ALLEY_LANE_MIDDLE_X + kPitch / 2;
    // A scene or an object takes the first two point lights only, so the hall has
    // two, over the player's pair and reaching every camera: the ceiling's light
    // on the approach from behind the bowler, and the pin decks' light under the
    // masking.
    // Two spots over the player's pair cast shadows forward: one behind the
    // bowlers' spots over the approach, one before the masking over the pin decks.
    data.instances = {Lamp(pairMiddle, 30, -50, look.approachLamp, kLampReach),
                      Lamp(pairMiddle, 8, 168, look.deckLamp, kLampReach),
                      Spot(pairMiddle, 36, -50, kApproachSpotReach),
                      Spot(pairMiddle, 24, kLaneDeckStartZ - 16, kDeckSpotReach)};
    data.placeholders = {
        Placeholder(ALLEY_BOWLER_SPOT, PLACEHOLDER_TYPE_PLACEHOLDER_PLAYER_INIT,
                    AlleyWorldPoint(ALLEY_LANE_MIDDLE_X, 0, -36)),
        Placeholder(ALLEY_CAMERA_START, PLACEHOLDER_TYPE_PLACEHOLDER_CAMERA_INIT,
                    AlleyWorldPoint(pairMiddle, 22, -80)),
    };
    data.paths = {Walkway()};
    return data;
}

}  // namespace

Alley MakeAlley(const AlleyLook& look) {
    Alley alley;
    alley.scene = Scene(look);
    alley.sky = SkyCap(60.0f, 1.2f, 0x0C1018FFu, 0x283040FFu);
    alley.pin = PinModel(kPinTexture, PinDetail::Near);
    alley.farPin = PinModel(kPinTexture, PinDetail::Far);
    // In file order the first whose distance the camera has reached is drawn.
    discbuild::GrpModelDef farPin, nearPin;
    farPin.name = ALLEY_FAR_PIN_MODEL;
    farPin.lodLevel = 1;
    farPin.lodMinDist = kAlleyFarPinDistance;
    nearPin.name = ALLEY_NEAR_PIN_MODEL;
    alley.pinGroup = {kAlleyPinGroupId, GROUP_TYPE_OBJECT, ALLEY_PIN_MODEL, {farPin, nearPin}};
    alley.ball = BallModel(kBallTexture);
    alley.npcBall = BallModel(kNpcBallTexture);
    alley.pinsetter = PinsetterModel();
    alley.sweeper = SweeperModel();
    alley.ballReturn = BallReturnModel();
    discbuild::GrpModelDef def;
    def.name = kAlleyBallReturnName;
    alley.ballReturnGroup = {kAlleyBallReturnGroupId, GROUP_TYPE_WORLD, kAlleyBallReturnGroupName, {def}};
    alley.world = World(alley.ballReturn);
    alley.gameData = GameData(look);
    alley.textures = {
        {kLaneHeadTexture, LaneHeadTexture()}, {kLaneWoodTexture, LaneWoodTexture()},
        {kLaneDeckTexture, LaneDeckTexture()}, {kApproachTexture, ApproachTexture()},
        {kPinTexture, PinSkinTexture()},       {kBallTexture, BallTexture(0x102070u, 0x4080E0u)},
        {ALLEY_SPOT_TEXTURE, SpotTexture()}};
    if (look.paintMasking)
        alley.textures.push_back({kMaskingTexture, MaskingTexture(look)});
    alley.npcBallTexture = {kNpcBallTexture, BallTexture(0x601010u, 0xE06030u)};
    return alley;
}

}  // namespace modelgen
