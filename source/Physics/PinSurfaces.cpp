// A free pin against the lane, the gutters, the end of the deck, the pit, the back
// cushion, the kickbacks and the ceiling. Each surface is met by a few spheres on the
// pin's axis; every test reads the pin afresh, because an answered contact moves it.
#include "source/Physics/BallMotion.h"
#include "source/Physics/Physics.h"
#include "source/Physics/PinSurfaceMath.h"
#include "source/Physics/PinTables.h"

using namespace PinSurface;

namespace {

using Axis = f32 s_Vector3::*;

constexpr f32 kGutterDepth = 0.875f;  // gutter floor below the lane surface

// A plane at coordinate `at` along `axis`; `side` is the direction of its normal as
// seen from the pin (from the proxy towards the surface).
struct Plane {
    Axis axis;
    f32 at;
    f32 side;
    f64 elas;
};

struct Floor {
    Plane plane;
    f64 muS;
    f64 muK;
};

// A plane the whole pin can only reach from within 2.25 of it; `touchAtReach` tells
// whether being exactly at the reach counts.
struct FarWall {
    Plane plane;
    bool touchAtReach;
};

// A contact proxy: a sphere on the pin's axis.
struct Proxy {
    const s_Vector3* centre;
    f64 radius;
    const f64* normals;  // profile correction of edge normals
    bool body;           // its floor contact is placed along the pin by ContactOffset
};

constexpr Floor kLaneFloor{{&s_Vector3::y, 0.0f, 1.0f, 0.5}, 0.13, 0.09};
constexpr Floor kGutterFloor{{&s_Vector3::y, kGutterDepth, 1.0f, 0.55}, 0.15, 0.11};
constexpr Plane kLeftGutterWall{&s_Vector3::x, 0.0f, 1.0f, 0.55};
constexpr Plane kRightGutterWall{&s_Vector3::x, LANE_RIGHT_EDGE, -1.0f, 0.55};
constexpr Plane kDeckEndFace{&s_Vector3::z, PIN_DECK_END_Z, -1.0f, 0.5};
constexpr f64 kLaneEdgeElas = 0.62;
constexpr f64 kDeckEndEdgeElas = 0.5;

constexpr FarWall kCushion{{&s_Vector3::z, BACK_WALL_Z, 1.0f, 0.23}, true};
constexpr FarWall kLeftKickback{{&s_Vector3::x, -2.3125f, -1.0f, 0.5}, false};
constexpr FarWall kRightKickback{{&s_Vector3::x, 12.8125f, 1.0f, 0.5}, false};
constexpr FarWall kCeiling{{&s_Vector3::y, -5.25f, -1.0f, 0.4}, true};
constexpr f64 kPinReach = 2.25;

constexpr f32 kBodyRadius = 0.56f;
constexpr f32 kHeadProxyRadius = 0.4375f;
constexpr f32 kBellyRadius = 0.625f;

// Distance from the proxy's centre to the plane, along the plane's normal.
f64 Gap(const Plane& plane, const s_Vector3& s) {
    return plane.side * (f64(plane.at) - s.*plane.axis);
}

// The contact lies halfway between the proxy's extreme point and the plane, on the
// normal through the proxy's centre. Its coordinate along the normal, from the
// centre of mass:
f64 PlaneContactAlongNormal(const PinData& p, const s_Vector3& s, f64 r, const Plane& plane) {
    return (f64(plane.at) + s.*plane.axis + plane.side * r) / 2.0 - p.position.*plane.axis;
}

// The contact as an offset from the centre of mass.
s_Vector3 PlaneContactOffset(const PinData& p, const s_Vector3& s, f64 r, const Plane& plane) {
    s_Vector3 c{s.x - p.position.x, s.y - p.position.y, s.z - p.position.z, 0.0f};
    c.*plane.axis = f32(PlaneContactAlongNormal(p, s, r, plane));
    return c;
}

void WallContact(LaneContext& lane, s32 pin, const Proxy& proxy, const Plane& plane) {
    const PinData& p = lane.PhysPins[pin];
    const s_Vector3& s = *proxy.centre;
    s_Vector3 c = PlaneContactOffset(p, s, proxy.radius, plane);
    s_Vector3 normal{};
    normal.*plane.axis = plane.side;
    PinWallCollision(lane, pin, Gap(plane, s), proxy.radius, plane.elas, &normal, &c);
}

void FloorContact(LaneContext& lane, s32 pin, const Proxy& proxy, const Floor& floor) {
    const PinData& p = lane.PhysPins[pin];
    const s_Vector3& s = *proxy.centre;
    s_Vector3 c = PlaneContactOffset(p, s, proxy.radius, floor.plane);
    if (proxy.body) {
        // The body proxy's sphere misses the real profile of a lying pin: move the
        // contact along the pin to where the pin touches.
        const s_Vector3& u = p.O.up;
        const f64 along = ContactOffset[ContactOffsetBin(u.y)];
        c.x = f32(along * u.x);
        c.y = f32(PlaneContactAlongNormal(p, s, proxy.radius, floor.plane) + along * u.y);
        c.z = f32(along * u.z);
    }
    PinFloorCollision(lane, pin, Gap(floor.plane, s), proxy.radius, floor.plane.elas, floor.muS, floor.muK,
                      &c);
}

// An edge along one axis; `edge` is the point of the edge level with the proxy's centre.
void EdgeContact(LaneContext& lane, s32 pin, const Proxy& proxy, const s_Vector3& edge, f64 dist, f64 elas) {
    const PinData& p = lane.PhysPins[pin];
    const s_Vector3& s = *proxy.centre;
    const s_Vector3& u = p.O.up;
    s_Vector3 c{edge.x - p.position.x, edge.y - p.position.y, edge.z - p.position.z, 0.0f};
    const f64 axial = proxy.normals[HeightBin(c, u)];
    s_Vector3 normal{f32(edge.x - s.x + axial * u.x), f32(edge.y - s.y + axial * u.y),
                     f32(edge.z - s.z + axial * u.z), 0.0f};
    FastNormalizeVector(&normal);
    PinWallCollision(lane, pin, dist, proxy.radius, elas, &normal, &c);
}

// A gutter beside the lane; `side` is -1 on the left, +1 on the right.
void GutterContacts(LaneContext& lane, s32 pin, const Proxy& proxy, f32 side) {
    const s_Vector3& s = *proxy.centre;
    const f32 edgeX = side < 0.0f ? 0.0f : LANE_RIGHT_EDGE;
    const f64 dx = side * (f64(s.x) - edgeX);
    const f64 dy = -f64(s.y);
    if (dy > 0.0) {
        const f64 n = OctagonalMeasure(dx, dy);
        if (n <= proxy.radius)
            EdgeContact(lane, pin, proxy, {edgeX, 0.0f, s.z, 0.0f}, n, kLaneEdgeElas);
    } else if (dx <= proxy.radius) {
        WallContact(lane, pin, proxy, side < 0.0f ? kLeftGutterWall : kRightGutterWall);
    }
    if (s.y + proxy.radius >= kGutterDepth)
        FloorContact(lane, pin, proxy, kGutterFloor);
}

void DeckEndContacts(LaneContext& lane, s32 pin, const Proxy& proxy) {
    const s_Vector3& s = *proxy.centre;
    const f32 level = (s.x >= 0.0f && s.x <= LANE_RIGHT_EDGE) ? 0.0f : kGutterDepth;
    if (s.y >= level) {
        WallContact(lane, pin, proxy, kDeckEndFace);
        return;
    }
    const f64 n = OctagonalMeasure(f64(s.z) - PIN_DECK_END_Z, f64(level) - s.y);
    if (n <= proxy.radius)
        EdgeContact(lane, pin, proxy, {s.x, level, PIN_DECK_END_Z, 0.0f}, n, kDeckEndEdgeElas);
}

// The lane, a gutter or the end of the deck, by where the proxy's centre lies.
void ZoneContacts(LaneContext& lane, s32 pin, const Proxy& proxy) {
    const s_Vector3& s = *proxy.centre;
    if (s.z > PIN_DECK_END_Z) {
        DeckEndContacts(lane, pin, proxy);
    } else if (s.x < 0.0f) {
        GutterContacts(lane, pin, proxy, -1.0f);
    } else if (s.x > LANE_RIGHT_EDGE) {
        GutterContacts(lane, pin, proxy, 1.0f);
    } else {
        FloorContact(lane, pin, proxy, kLaneFloor);
    }
}

bool Reaches(const FarWall& wall, const s_Vector3& s, f64 reach) {
    const f64 gap = Gap(wall.plane, s);
    return wall.touchAtReach ? gap <= reach : gap < reach;
}

// The bottom sphere, the head proxy and the belly proxy against a far wall.
void FarWallContacts(LaneContext& lane, s32 pin, const FarWall& wall) {
    const PinData& p = lane.PhysPins[pin];
    const Proxy proxies[] = {
        {&p.collisionSpheres[0], PinCollisionSphereRadius[0], nullptr, false},
        {&p.collisionSpheres[1], kHeadProxyRadius, nullptr, false},
        {&p.position, kBellyRadius, nullptr, false},
    };
    for (const Proxy& proxy : proxies) {
        if (Reaches(wall, *proxy.centre, proxy.radius))
            WallContact(lane, pin, proxy, wall.plane);
    }
}

}  // namespace

void DetectPinWallCollision(LaneContext& lane, s32 pin) {
    PinData& p = lane.PhysPins[pin];
    const Proxy body{&p.position, kBodyRadius, NormTableX, true};
    const Proxy bottom{&p.collisionSpheres[0], PinCollisionSphereRadius[0], NormTable1, false};
    const Proxy head{&p.collisionSpheres[1], PinCollisionSphereRadius[1], NormTableX, false};

    if (p.position.y <= -kPinReach) {
        // Too high for any floor.
        FarWallContacts(lane, pin, kCeiling);
    } else {
        if (!(p.position.y <= -kBodyRadius)) {
            if (p.position.y > PIT_FLOOR_Y) {
                // Dropped into the pit: out of play, and no longer filmed.
                p.state = InactivePin;
                lane.PinsToOutput = PinMask(lane.PinsToOutput & ~PinBit(pin));
                return;
            }
            if (!(p.position.z > 189.606875f))
                ZoneContacts(lane, pin, body);
        }
        if (!(p.collisionSpheres[0].y <= -0.5625f || p.collisionSpheres[0].z > 189.609375f)) {
            ZoneContacts(lane, pin, bottom);
        }
        if (!(p.collisionSpheres[1].y <= -0.335f || p.collisionSpheres[1].z > 189.381875f)) {
            ZoneContacts(lane, pin, head);
        }
    }

    if (Reaches(kCushion, p.position, kPinReach))
        FarWallContacts(lane, pin, kCushion);
    if (Reaches(kLeftKickback, p.position, kPinReach)) {
        FarWallContacts(lane, pin, kLeftKickback);
    } else if (Reaches(kRightKickback, p.position, kPinReach)) {
        FarWallContacts(lane, pin, kRightKickback);
    }
}
