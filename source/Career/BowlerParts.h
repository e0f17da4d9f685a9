// The bowler parts archive: what the disc builder writes into it and the game reads
// from it. Every part model is skinned to the one bowler skeleton, so a part is
// drawn on the body's bones; a texture with children is swapped by choosing the
// child (the hmodel's texture variant is child + 1).
#pragma once

#include <cstdio>

#include "orblib47/source/OrbTypes.h"

constexpr s32 CAC_FACE_TYPE_COUNT = 4;
constexpr s32 CAC_BODY_TYPE_COUNT = 2;
constexpr s32 BOWLER_SHIRT_TYPE_COUNT = 3;  // 0 bowling shirt, 1 short sleeves, 2 long sleeves

constexpr u32 BOWLER_ANIM_BANK_ID = 210;  // data-file id of the animation bank
constexpr const char* BOWLER_ANIM_BANK = "BOWLER_ANIM";

// Bones of the skeleton; the bowler faces +z with +y up, its right side at -x.
enum e_BowlerBone : s32 {
    BOWLER_BONE_HIPS,  // the root, 0.95 m above the floor at rest
    BOWLER_BONE_SPINE,
    BOWLER_BONE_CHEST,
    BOWLER_BONE_NECK,
    BOWLER_BONE_HEAD,
    BOWLER_BONE_SHOULDER_RIGHT,
    BOWLER_BONE_UPPER_ARM_RIGHT,
    BOWLER_BONE_FOREARM_RIGHT,
    BOWLER_BONE_HAND_RIGHT,
    BOWLER_BONE_SHOULDER_LEFT,
    BOWLER_BONE_UPPER_ARM_LEFT,
    BOWLER_BONE_FOREARM_LEFT,
    BOWLER_BONE_HAND_LEFT,
    BOWLER_BONE_THIGH_RIGHT,
    BOWLER_BONE_SHIN_RIGHT,
    BOWLER_BONE_FOOT_RIGHT,
    BOWLER_BONE_THIGH_LEFT,
    BOWLER_BONE_SHIN_LEFT,
    BOWLER_BONE_FOOT_LEFT,
    BOWLER_BONE_COUNT
};

// Animations of the bank, in bank order.
enum e_BowlerAnimIndex : u32 {
    BOWLER_ANIM_INDEX_IDLE_MALE,
    BOWLER_ANIM_INDEX_IDLE_FEMALE,
    BOWLER_ANIM_INDEX_HOLD_MALE_RIGHT,  // standing with the ball in the bowling hand
    BOWLER_ANIM_INDEX_HOLD_MALE_LEFT,
    BOWLER_ANIM_INDEX_HOLD_FEMALE_RIGHT,
    BOWLER_ANIM_INDEX_HOLD_FEMALE_LEFT,
    BOWLER_ANIM_INDEX_APPROACH_RIGHT,
    BOWLER_ANIM_INDEX_APPROACH_LEFT,
    BOWLER_ANIM_INDEX_THROW_RIGHT,
    BOWLER_ANIM_INDEX_THROW_LEFT,
    BOWLER_ANIM_INDEX_WALK,  // a stroll on the spot, looped
    BOWLER_ANIM_INDEX_COUNT
};

// World units a metre: the alley's scale (4 inches are 4 x 0.03057 units).
constexpr f32 BOWLER_UNITS_PER_METRE = 4.0f * 0.03057f / 0.1016f;
// The approach's four steps carry the bowler this far forward (metres), the
// throw's slide this much more; the hips stand there at the release.
constexpr f32 BOWLER_APPROACH_LENGTH = 3.0f;
constexpr f32 BOWLER_SLIDE_LENGTH = 0.5f;
constexpr f32 BOWLER_APPROACH_TIME = 1.6f;
// Seconds into the throw animation when the ball leaves the hand (the hand is
// then at its lowest, just ahead of the slide foot): the film starts here.
constexpr f32 BOWLER_THROW_RELEASE_TIME = 0.95f;
constexpr f32 BOWLER_THROW_TIME = 2.0f;
// The walk's two steps: a stroll of about a metre a second.
constexpr f32 BOWLER_WALK_TIME = 1.1f;

// Part model prefixes; the numbers that follow are given with each.
constexpr const char* BOWLER_SKIN = "BWSKIN";      // gender, body type: skin, skeleton and animations
constexpr const char* BOWLER_SHIRT = "BWSHIRT";    // gender * 2 + body type, shirt type
constexpr const char* BOWLER_PANTS = "BWPANTS";    // gender * 2 + body type
constexpr const char* BOWLER_SHOES = "BWSHOES";    // gender
constexpr const char* BOWLER_HEAD = "BWHEAD";      // gender, face
constexpr const char* BOWLER_HAIR = "BWHAIR";      // gender, style
constexpr const char* BOWLER_BEARD = "BWBEARD";    // style
constexpr const char* BOWLER_HAT = "BWHAT";        // -
constexpr const char* BOWLER_GLASSES = "BWGLASS";  // gender, index
constexpr const char* BOWLER_GUARD = "BWGUARD";    // hand (0 right)
constexpr const char* BOWLER_BALL = "BWBALL";      // - (not skinned)
constexpr const char* BOWLER_TROPHY = "BWTROPHY";  // (place - 1) + 3 * tier (not skinned)
constexpr s32 BOWLER_TROPHY_COUNT = 9;

// Swapped textures: the parent the material names, its children the choices.
constexpr const char* BOWLER_TEX_SHIRT = "TXSHIRT";  // gender; children by shirt colour
constexpr const char* BOWLER_TEX_PANTS = "TXPANTS";  // gender; children by pants
constexpr const char* BOWLER_TEX_SHOES = "TXSHOES";  // gender; children by shoes
constexpr const char* BOWLER_TEX_HAIR = "TXHAIR";    // -; children by hair colour (hair and beards)
constexpr const char* BOWLER_TEX_HAT = "TXHAT";      // -; children by the hat's texture id
constexpr const char* BOWLER_TEX_GUARD = "TXGUARD";  // -; children by the guard's texture id
constexpr const char* BOWLER_TEX_BALL = "TXBALL";    // -; children by the ball's texture id

// A part's name: the prefix, then each number that is not negative as two digits.
inline void BowlerPartName(char (&out)[16], const char* prefix, s32 a = -1, s32 b = -1) {
    if (a < 0)
        std::snprintf(out, sizeof(out), "%s", prefix);
    else if (b < 0)
        std::snprintf(out, sizeof(out), "%s%02d", prefix, a % 100);
    else
        std::snprintf(out, sizeof(out), "%s%02d%02d", prefix, a % 100, b % 100);
}
