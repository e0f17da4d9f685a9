// The skinned parts: skin and skeleton, shirts, pants, shoes, heads, hair, facial
// hair, the hat, glasses and wrist guards. Sizes in metres.
#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/modelgen/BowlerInternal.h"

namespace modelgen {

namespace {

using namespace bowler;

std::string Name(const char* prefix, s32 a = -1, s32 b = -1) {
    char name[16];
    BowlerPartName(name, prefix, a, b);
    return name;
}

constexpr u32 kSkin = 0xE8B898FFu, kWhite = 0xFFFFFFFFu, kEye = 0x302820FFu, kLips = 0xC06060FFu;
constexpr u32 kSegments = 10;

// The build of a body: girth and the shape of shoulders and hips.
struct Build {
    f32 girth;     // limbs and torso
    f32 shoulder;  // chest width
    f32 hip;       // pelvis width
    f32 size;      // hands and feet
};

Build BuildOf(s32 gender, s32 bodyType) {
    const f32 girth = bodyType == 0 ? 1.0f : 1.25f;
    return gender == 0 ? Build{girth, 1.0f * girth, 0.95f * girth, 1.0f}
                       : Build{0.9f * girth, 0.86f * girth, 1.02f * girth, 0.88f};
}

// A limb hanging from its joint: radius r0 at the joint tapering to r1 at `length`
// below, closed at both ends.
Mesh Limb(f32 length, f32 r0, f32 r1, f32 from = 0, u32 color = kWhite) {
    const ProfilePoint profile[] = {{0, -length}, {r1, -length}, {r1, -length},
                                    {r0, -from},  {r0, -from},   {0, -from}};
    return Lathe(profile, kSegments, color);
}

// A solid standing up from its joint, its section an ellipse of depth/width `depth`.
Mesh Trunk(std::initializer_list<ProfilePoint> profile, f32 depth, u32 color = kWhite) {
    Mesh mesh = Lathe(std::span<const ProfilePoint>(profile.begin(), profile.size()), 14, color);
    return Placed(std::move(mesh), {1, 1, depth, 0}, {});
}

Mesh Ellipsoid(const s_Vector3& radii, const s_Vector3& center, u32 color, u32 rings = 8) {
    return Placed(Sphere(1, rings, 12, color), radii, center);
}

Mesh Block(const s_Vector3& min, const s_Vector3& max, u32 color) {
    return Box(min, max, {1, 1, 1}, color);
}

// The triangles of `mesh` whose three corners `keep` accepts.
Mesh Trimmed(const Mesh& mesh, const std::function<bool(const s_Vector3&)>& keep) {
    Mesh out;
    out.vertices = mesh.vertices;
    for (size_t t = 0; t + 2 < mesh.triangles.size(); t += 3) {
        const u16* tri = &mesh.triangles[t];
        if (keep(mesh.vertices[tri[0]].pos) && keep(mesh.vertices[tri[1]].pos) &&
            keep(mesh.vertices[tri[2]].pos))
            out.triangles.insert(out.triangles.end(), tri, tri + 3);
    }
    return out;
}

// Both sides: the shape made for the right side and its mirror on the left.
void AddBothSides(SkinBuilder* part, s32 rightBone, const Mesh& shape, f32 blend = 0.05f) {
    part->Add(rightBone, shape, blend);
    Mesh mirrored = shape;
    for (Vertex& v : mirrored.vertices) {
        v.pos.x = -v.pos.x;
        v.normal.x = -v.normal.x;
    }
    for (size_t t = 0; t + 2 < mirrored.triangles.size(); t += 3)
        std::swap(mirrored.triangles[t + 1], mirrored.triangles[t + 2]);
    part->Add(MirrorBone(rightBone), mirrored, blend);
}

// ---- skin and skeleton: neck, arms and hands.
GeneratedModel SkinModel(s32 gender, s32 bodyType) {
    const Build b = BuildOf(gender, bodyType);
    SkinBuilder part;
    part.Add(
        BOWLER_BONE_NECK,
        Trunk({{0, -0.04f}, {0.05f * b.girth, -0.04f}, {0.045f * b.girth, 0.12f}, {0, 0.12f}}, 1, kSkin));
    AddBothSides(&part, BOWLER_BONE_UPPER_ARM_RIGHT,
                 Limb(0.29f, 0.048f * b.girth, 0.04f * b.girth, 0, kSkin));
    AddBothSides(&part, BOWLER_BONE_FOREARM_RIGHT, Limb(0.26f, 0.04f * b.girth, 0.03f * b.girth, 0, kSkin));
    const f32 s = b.size;
    AddBothSides(&part, BOWLER_BONE_HAND_RIGHT,
                 Block({-0.016f * s, -0.17f * s, -0.042f * s, 0}, {0.016f * s, 0.01f, 0.042f * s, 0}, kSkin));
    return part.Build(PlainMaterial(kWhite));
}

// ---- shirts: 0 bowling shirt (short sleeves and a collar), 1 short sleeves, 2 long sleeves.
GeneratedModel ShirtModel(s32 gender, s32 bodyType, s32 shirtType) {
    const Build b = BuildOf(gender, bodyType);
    const f32 w = 0.17f * b.shoulder, waist = 0.155f * b.girth;
    SkinBuilder part;
    part.Add(BOWLER_BONE_SPINE,
             Trunk({{0, -0.08f}, {0.16f * b.hip, -0.08f}, {waist, 0.1f}, {waist * 1.02f, 0.24f}, {0, 0.24f}},
                   0.62f),
             0.1f);
    part.Add(BOWLER_BONE_CHEST,
             Trunk({{0, -0.02f},
                    {waist * 1.02f, -0.02f},
                    {w, 0.14f},
                    {w * 0.96f, 0.2f},
                    {0.06f * b.girth, 0.25f},
                    {0, 0.25f}},
                   0.6f),
             0.08f);
    const f32 sleeve = shirtType == 2 ? 0.29f : shirtType == 0 ? 0.16f : 0.13f;
    AddBothSides(&part, BOWLER_BONE_UPPER_ARM_RIGHT,
                 Limb(sleeve, 0.062f * b.girth, 0.055f * b.girth, -0.04f));
    if (shirtType == 2)
        AddBothSides(&part, BOWLER_BONE_FOREARM_RIGHT, Limb(0.22f, 0.053f * b.girth, 0.042f * b.girth));
    if (shirtType == 0)
        part.Add(BOWLER_BONE_NECK,
                 Trunk({{0, -0.05f}, {0.07f * b.girth, -0.05f}, {0.066f * b.girth, 0.03f}, {0, 0.03f}}, 1));
    return part.Build(PlainMaterial(kWhite, Name(BOWLER_TEX_SHIRT, gender)));
}

GeneratedModel PantsModel(s32 gender, s32 bodyType) {
    const Build b = BuildOf(gender, bodyType);
    SkinBuilder part;
    part.Add(BOWLER_BONE_HIPS, Trunk({{0, -0.12f},
                                      {0.165f * b.hip, -0.12f},
                                      {0.165f * b.hip, 0.04f},
                                      {0.158f * b.hip, 0.06f},
                                      {0, 0.06f}},
                                     0.66f));
    AddBothSides(&part, BOWLER_BONE_THIGH_RIGHT, Limb(0.45f, 0.085f * b.girth, 0.058f * b.girth), 0.12f);
    AddBothSides(&part, BOWLER_BONE_SHIN_RIGHT, Limb(0.4f, 0.058f * b.girth, 0.045f * b.girth));
    return part.Build(PlainMaterial(kWhite, Name(BOWLER_TEX_PANTS, gender)));
}

GeneratedModel ShoesModel(s32 gender) {
    const f32 s = gender == 0 ? 1.0f : 0.88f;
    SkinBuilder part;
    AddBothSides(
        &part, BOWLER_BONE_FOOT_RIGHT,
        Box({-0.048f * s, -0.05f, -0.06f * s, 0}, {0.048f * s, 0.04f, 0.2f * s, 0}, {1, 1, 2}, kWhite),
        0.03f);
    return part.Build(PlainMaterial(kWhite, Name(BOWLER_TEX_SHOES, gender)));
}

// ---- heads: the face types differ in jaw, nose, eyes and brows.
struct Face {
    f32 jaw, nose, eyeSpread, brow;
};
constexpr Face kFaces[CAC_FACE_TYPE_COUNT] = {{1.0f, 1.0f, 1.0f, 0.0f},
                                              {1.1f, 1.3f, 0.9f, 0.01f},
                                              {0.92f, 0.8f, 1.1f, 0.004f},
                                              {1.05f, 1.1f, 1.0f, 0.015f}};

GeneratedModel HeadModel(s32 gender, s32 face) {
    const Face& f = kFaces[face % CAC_FACE_TYPE_COUNT];
    const f32 g = gender == 0 ? 1.0f : 0.94f;
    SkinBuilder part;
    part.Add(BOWLER_BONE_HEAD,
             Ellipsoid({0.085f * g * f.jaw, 0.115f * g, 0.1f * g, 0}, {0, 0.115f * g, 0.01f, 0}, kSkin), 0);
    const f32 ex = 0.033f * f.eyeSpread * g, ey = 0.135f * g, ez = 0.098f * g;
    for (f32 side : {-1.0f, 1.0f}) {
        part.Add(BOWLER_BONE_HEAD,
                 Block({side * ex - 0.012f, ey - 0.007f, ez - 0.01f, 0},
                       {side * ex + 0.012f, ey + 0.007f, ez + 0.006f, 0}, kEye),
                 0);
        part.Add(BOWLER_BONE_HEAD,
                 Block({side * ex - 0.016f, ey + 0.018f + f.brow, ez - 0.012f, 0},
                       {side * ex + 0.016f, ey + 0.024f + f.brow, ez + 0.004f, 0}, kEye),
                 0);
        part.Add(
            BOWLER_BONE_HEAD,
            Ellipsoid({0.012f, 0.025f, 0.018f, 0}, {side * 0.086f * g * f.jaw, 0.12f * g, 0, 0}, kSkin, 4),
            0);
    }
    part.Add(BOWLER_BONE_HEAD,
             Block({-0.011f * f.nose, 0.09f * g, ez - 0.004f, 0},
                   {0.011f * f.nose, 0.125f * g, ez + 0.02f * f.nose, 0}, kSkin),
             0);
    part.Add(BOWLER_BONE_HEAD,
             Block({-0.022f, 0.06f * g, ez - 0.02f, 0}, {0.022f, 0.07f * g, ez - 0.002f, 0}, kLips), 0);
    return part.Build(PlainMaterial(kWhite));
}

// ---- hair: a cap over the head cut at a hairline, with what hangs from it.
struct HairStyle {
    f32 volume;    // the cap's size over the head
    f32 hairline;  // height above the head's centre where the front stops
    f32 back;      // how far down the back reaches (0 none)
    f32 width;     // of what hangs at the back
    s8 extra;      // 0 none, 1 ponytail, 2 bun, 3 mohawk ridge, 4 bunches at the sides
};
// clang-format off
constexpr HairStyle kHair[2][8] = {
    {{1.05f, 0.03f, 0, 0, 0}, {1.02f, 0.05f, 0, 0, 0}, {1.12f, 0.02f, 0, 0, 0}, {1.07f, 0.0f, 0.05f, 0.07f, 0},
     {1.06f, 0.02f, 0.16f, 0.08f, 0}, {1.0f, 0.09f, 0, 0, 3}, {1.05f, 0.06f, 0.02f, 0.08f, 0}, {1.25f, 0.0f, 0.04f, 0.09f, 0}},
    {{1.1f, 0.0f, 0.12f, 0.095f, 0}, {1.06f, 0.02f, 0, 0, 1}, {1.06f, 0.02f, 0, 0, 2}, {1.08f, 0.0f, 0.26f, 0.09f, 0},
     {1.05f, 0.03f, 0.02f, 0.07f, 0}, {1.07f, 0.01f, 0, 0, 4}, {1.22f, 0.0f, 0.1f, 0.1f, 0}, {1.09f, 0.0f, 0.18f, 0.095f, 0}},
};
// clang-format on

void AddCap(SkinBuilder* part, f32 g, f32 volume, f32 hairline, u32 color) {
    const s_Vector3 radii = {0.085f * g * volume, 0.115f * g * volume, 0.1f * g * volume, 0};
    const f32 centreY = 0.115f * g;
    Mesh cap = Trimmed(Ellipsoid(radii, {0, centreY, 0.01f, 0}, color, 10), [&](const s_Vector3& p) {
        // Higher at the brow than at the nape.
        return p.y - centreY >
               hairline * (p.z > 0 ? 1.0f + 4.0f * p.z : 1.0f) - 0.06f * (p.z < 0 ? 1.0f : 0.0f);
    });
    part->Add(BOWLER_BONE_HEAD, cap, 0);
}

GeneratedModel HairModel(s32 gender, s32 style) {
    const HairStyle& h = kHair[gender][style % 8];
    const f32 g = gender == 0 ? 1.0f : 0.94f;
    SkinBuilder part;
    if (h.extra != 3)
        AddCap(&part, g, h.volume, h.hairline, kWhite);
    if (h.back > 0)
        part.Add(BOWLER_BONE_HEAD,
                 Block({-h.width, 0.12f - h.back, -0.1f * h.volume, 0}, {h.width, 0.16f, -0.03f, 0}, kWhite),
                 0);
    switch (h.extra) {
        case 1:
            part.Add(BOWLER_BONE_HEAD, Block({-0.02f, -0.02f, -0.14f, 0}, {0.02f, 0.16f, -0.09f, 0}, kWhite),
                     0);
            break;
        case 2:
            part.Add(BOWLER_BONE_HEAD, Ellipsoid({0.045f, 0.045f, 0.045f, 0}, {0, 0.2f, -0.1f, 0}, kWhite, 6),
                     0);
            break;
        case 3:
            part.Add(BOWLER_BONE_HEAD, Block({-0.014f, 0.16f, -0.1f, 0}, {0.014f, 0.27f, 0.08f, 0}, kWhite),
                     0);
            break;
        case 4:
            for (f32 side : {-1.0f, 1.0f})
                part.Add(BOWLER_BONE_HEAD,
                         Ellipsoid({0.025f, 0.06f, 0.025f, 0}, {side * 0.1f, 0.1f, -0.04f, 0}, kWhite, 5), 0);
            break;
        default:
            break;
    }
    return part.Build(PlainMaterial(kWhite, BOWLER_TEX_HAIR));
}

// ---- facial hair: moustache, goatee, full beard, chin strap, sideburns, handlebar.
GeneratedModel BeardModel(s32 style) {
    SkinBuilder part;
    const f32 z = 0.098f;
    const Mesh moustache = Block({-0.03f, 0.072f, z - 0.012f, 0}, {0.03f, 0.085f, z + 0.004f, 0}, kWhite);
    const Mesh goatee = Block({-0.02f, 0.0f, z - 0.03f, 0}, {0.02f, 0.058f, z - 0.006f, 0}, kWhite);
    switch (style % 6) {
        case 0:
            part.Add(BOWLER_BONE_HEAD, moustache, 0);
            break;
        case 1:
            part.Add(BOWLER_BONE_HEAD, goatee, 0);
            part.Add(BOWLER_BONE_HEAD, moustache, 0);
            break;
        case 2:
            part.Add(BOWLER_BONE_HEAD,
                     Trimmed(Ellipsoid({0.091f, 0.12f, 0.106f, 0}, {0, 0.112f, 0.012f, 0}, kWhite, 10),
                             [](const s_Vector3& p) { return p.y < 0.09f && p.z > -0.02f; }),
                     0);
            part.Add(BOWLER_BONE_HEAD, moustache, 0);
            break;
        case 3:
            part.Add(BOWLER_BONE_HEAD,
                     Trimmed(Ellipsoid({0.09f, 0.12f, 0.105f, 0}, {0, 0.112f, 0.012f, 0}, kWhite, 10),
                             [](const s_Vector3& p) { return p.y < 0.05f && p.y > -0.01f; }),
                     0);
            break;
        case 4:
            for (f32 side : {-1.0f, 1.0f})
                part.Add(BOWLER_BONE_HEAD,
                         Block({side * 0.087f - 0.008f, 0.07f, 0.0f, 0},
                               {side * 0.087f + 0.008f, 0.14f, 0.04f, 0}, kWhite),
                         0);
            break;
        default:
            part.Add(BOWLER_BONE_HEAD,
                     Block({-0.045f, 0.06f, z - 0.012f, 0}, {0.045f, 0.085f, z + 0.004f, 0}, kWhite), 0);
            part.Add(BOWLER_BONE_HEAD, goatee, 0);
            break;
    }
    return part.Build(PlainMaterial(kWhite, BOWLER_TEX_HAIR));
}

// ---- a cap with a peak, over the largest hair.
GeneratedModel HatModel() {
    SkinBuilder part;
    part.Add(BOWLER_BONE_HEAD,
             Trimmed(Ellipsoid({0.1f, 0.13f, 0.115f, 0}, {0, 0.125f, 0.01f, 0}, kWhite, 10),
                     [](const s_Vector3& p) { return p.y > 0.15f; }),
             0);
    part.Add(BOWLER_BONE_HEAD, Block({-0.07f, 0.15f, 0.06f, 0}, {0.07f, 0.162f, 0.2f, 0}, kWhite), 0);
    return part.Build(PlainMaterial(kWhite, BOWLER_TEX_HAT));
}

// ---- glasses: lenses, bridge and arms; sizes and colours by index.
GeneratedModel GlassesModel(s32 gender, s32 index) {
    constexpr u32 kFrames[] = {0x202020FFu, 0x8A5A2AFFu, 0xC0C0C8FFu, 0xB02030FFu, 0x2040A0FFu, 0xD0B040FFu};
    const u32 frame = kFrames[(index + gender) % 6];
    const u32 lens = index % 3 == 2 ? 0x181818FFu : 0x9CC8D8FFu;
    const f32 w = 0.022f + 0.003f * f32(index % 4), h = 0.014f + 0.004f * f32(index % 3);
    const f32 x = 0.034f, y = 0.135f, z = 0.112f;
    SkinBuilder part;
    for (f32 side : {-1.0f, 1.0f}) {
        part.Add(BOWLER_BONE_HEAD,
                 Block({side * x - w - 0.003f, y - h - 0.003f, z - 0.003f, 0},
                       {side * x + w + 0.003f, y + h + 0.003f, z, 0}, frame),
                 0);
        part.Add(BOWLER_BONE_HEAD,
                 Block({side * x - w, y - h, z, 0}, {side * x + w, y + h, z + 0.002f, 0}, lens), 0);
        part.Add(
            BOWLER_BONE_HEAD,
            Block({side * 0.088f - 0.003f, y, -0.02f, 0}, {side * 0.088f + 0.003f, y + 0.005f, z, 0}, frame),
            0);
    }
    part.Add(BOWLER_BONE_HEAD, Block({-x + w, y, z - 0.003f, 0}, {x - w, y + 0.004f, z, 0}, frame), 0);
    return part.Build(PlainMaterial(kWhite));
}

// ---- a cuff round the bowling wrist.
GeneratedModel GuardModel(s32 hand) {
    SkinBuilder part;
    const Mesh cuff = Limb(0.27f, 0.045f, 0.04f, 0.15f);
    const s32 bone = BOWLER_BONE_FOREARM_RIGHT;
    if (hand == 0) {
        part.Add(bone, cuff, 0);
    } else {
        part.Add(MirrorBone(bone), cuff, 0);
    }
    return part.Build(PlainMaterial(kWhite, BOWLER_TEX_GUARD));
}

}  // namespace

std::vector<NamedModel> BowlerBodyModels(const BowlerCounts& counts) {
    std::vector<NamedModel> models;
    for (s32 gender = 0; gender < 2; ++gender) {
        for (s32 body = 0; body < CAC_BODY_TYPE_COUNT; ++body) {
            models.push_back({Name(BOWLER_SKIN, gender, body), SkinModel(gender, body)});
            models.push_back({Name(BOWLER_PANTS, gender * 2 + body), PantsModel(gender, body)});
            for (s32 shirt = 0; shirt < BOWLER_SHIRT_TYPE_COUNT; ++shirt)
                models.push_back(
                    {Name(BOWLER_SHIRT, gender * 2 + body, shirt), ShirtModel(gender, body, shirt)});
        }
        models.push_back({Name(BOWLER_SHOES, gender), ShoesModel(gender)});
        for (s32 face = 0; face < CAC_FACE_TYPE_COUNT; ++face)
            models.push_back({Name(BOWLER_HEAD, gender, face), HeadModel(gender, face)});
        for (u32 style = 0; style < counts.hairStyles[gender]; ++style)
            models.push_back({Name(BOWLER_HAIR, gender, s32(style)), HairModel(gender, s32(style))});
        for (u32 i = 0; i < counts.glasses[gender]; ++i)
            models.push_back({Name(BOWLER_GLASSES, gender, s32(i)), GlassesModel(gender, s32(i))});
    }
    for (u32 style = 0; style < counts.beardStyles; ++style)
        models.push_back({Name(BOWLER_BEARD, s32(style)), BeardModel(s32(style))});
    models.push_back({Name(BOWLER_HAT), HatModel()});
    for (s32 hand = 0; hand < 2; ++hand)
        models.push_back({Name(BOWLER_GUARD, hand), GuardModel(hand)});
    return models;
}

}  // namespace modelgen
