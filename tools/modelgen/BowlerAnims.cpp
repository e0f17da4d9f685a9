// The bowler's animations as key poses: angles about each bone's x, y and z (x
// swings a hanging limb backwards, z turns it towards +x) and the hips' place in
// metres. Left-handed animations are the right-handed ones mirrored.
#include <array>

#include "orblib47/source/Anim.h"
#include "tools/modelgen/BowlerInternal.h"

namespace modelgen {

namespace {

using namespace bowler;

struct Euler {
    f32 x = 0, y = 0, z = 0;
};

struct Pose {
    f32 time = 0;
    s_Vector3 hips = {0, 0.95f, 0, 0};
    std::array<Euler, BOWLER_BONE_COUNT> bones{};

    Pose& At(f32 t) {
        time = t;
        return *this;
    }
    Pose& Hips(f32 x, f32 y, f32 z) {
        hips = {x, y, z, 0};
        return *this;
    }
    Pose& Set(s32 bone, f32 x, f32 y = 0, f32 z = 0) {
        bones[bone] = {x, y, z};
        return *this;
    }
};

using Keys = std::vector<Pose>;

Pose Relaxed() {
    Pose p;
    p.Set(BOWLER_BONE_UPPER_ARM_RIGHT, 0, 0, -0.08f).Set(BOWLER_BONE_UPPER_ARM_LEFT, 0, 0, 0.08f);
    p.Set(BOWLER_BONE_FOREARM_RIGHT, -0.15f).Set(BOWLER_BONE_FOREARM_LEFT, -0.15f);
    return p;
}

// The ball at the chest in the right hand, the left hand under it.
Pose Holding() {
    Pose p;
    p.Set(BOWLER_BONE_UPPER_ARM_RIGHT, -0.45f, 0, 0.2f).Set(BOWLER_BONE_FOREARM_RIGHT, -1.35f);
    p.Set(BOWLER_BONE_UPPER_ARM_LEFT, -0.4f, 0, -0.35f).Set(BOWLER_BONE_FOREARM_LEFT, -1.3f);
    return p;
}

// A breath: the chest lifts and the hips settle half way through.
Keys Breathing(Pose rest, f32 loop, f32 sway) {
    Pose mid = rest;
    mid.At(loop / 2).Hips(sway, 0.948f, 0);
    mid.bones[BOWLER_BONE_CHEST].x -= 0.03f;
    mid.bones[BOWLER_BONE_SPINE].z -= sway;
    Pose end = rest;
    end.At(loop);
    return {rest.At(0), mid, end};
}

// The legs of a stride: `front` planted ahead and the other behind, or (mid) the
// moving leg passing under the hips with its knee bent.
void Legs(Pose* p, s32 frontThigh, bool mid) {
    const s32 backThigh = MirrorBone(frontThigh);
    auto leg = [p](s32 thigh, f32 hip, f32 knee) {
        p->Set(thigh, hip).Set(thigh + 1, knee).Set(thigh + 2, -(hip + knee));
    };
    if (mid) {
        leg(frontThigh, -0.2f, 0.7f);
        leg(backThigh, 0.0f, 0.05f);
    } else {
        leg(frontThigh, -0.38f, 0.05f);
        leg(backThigh, 0.32f, 0.25f);
    }
}

// Four steps from the stance to the line, right foot first, the ball held.
Keys Approach() {
    constexpr f32 kStride[4] = {0.6f, 0.7f, 0.8f, 0.9f};
    constexpr f32 kStep = BOWLER_APPROACH_TIME / 4;
    Keys keys = {Holding().At(0)};
    f32 z = 0;
    for (s32 step = 0; step < 4; ++step) {
        const s32 front = step % 2 == 0 ? BOWLER_BONE_THIGH_RIGHT : BOWLER_BONE_THIGH_LEFT;
        Pose mid = Holding();
        Legs(&mid, front, true);
        keys.push_back(mid.At(kStep * (f32(step) + 0.5f)).Hips(0, 0.93f, z + kStride[step] / 2));
        z += kStride[step];
        Pose end = Holding();
        Legs(&end, front, false);
        keys.push_back(end.At(kStep * f32(step + 1)).Hips(0, 0.92f, z));
    }
    return keys;
}

// Push away, swing back, slide on the left foot and release at the bottom of the
// swing, then follow through and hold.
Keys Throw() {
    constexpr f32 z = BOWLER_APPROACH_LENGTH, slide = BOWLER_SLIDE_LENGTH;
    Pose start = Holding();
    Legs(&start, BOWLER_BONE_THIGH_LEFT, false);
    start.At(0).Hips(0, 0.92f, z);

    Pose push;
    push.At(0.3f).Hips(0, 0.93f, z + 0.1f * slide);
    push.Set(BOWLER_BONE_UPPER_ARM_RIGHT, -1.0f, 0, 0.1f).Set(BOWLER_BONE_FOREARM_RIGHT, -0.3f);
    push.Set(BOWLER_BONE_UPPER_ARM_LEFT, -0.8f, 0, -0.2f).Set(BOWLER_BONE_FOREARM_LEFT, -0.3f);
    push.Set(BOWLER_BONE_THIGH_RIGHT, 0.0f)
        .Set(BOWLER_BONE_SHIN_RIGHT, 0.3f)
        .Set(BOWLER_BONE_FOOT_RIGHT, -0.3f);
    push.Set(BOWLER_BONE_THIGH_LEFT, -0.1f).Set(BOWLER_BONE_SHIN_LEFT, 0.1f);

    Pose back;
    back.At(0.6f).Hips(0, 0.88f, z + 0.3f * slide);
    back.Set(BOWLER_BONE_UPPER_ARM_RIGHT, 1.4f).Set(BOWLER_BONE_FOREARM_RIGHT, -0.05f);
    back.Set(BOWLER_BONE_UPPER_ARM_LEFT, -0.3f, 0, 0.9f);
    back.Set(BOWLER_BONE_SPINE, 0.25f).Set(BOWLER_BONE_CHEST, 0.1f).Set(BOWLER_BONE_HEAD, -0.3f);
    back.Set(BOWLER_BONE_THIGH_RIGHT, -0.2f)
        .Set(BOWLER_BONE_SHIN_RIGHT, 0.4f)
        .Set(BOWLER_BONE_FOOT_RIGHT, -0.2f);
    back.Set(BOWLER_BONE_THIGH_LEFT, -0.4f)
        .Set(BOWLER_BONE_SHIN_LEFT, 0.5f)
        .Set(BOWLER_BONE_FOOT_LEFT, -0.1f);

    // Low over the deeply bent slide knee, the back leaning well forward and the
    // arm swinging through under the shoulder: the hand low over the lane.
    Pose release;
    release.At(BOWLER_THROW_RELEASE_TIME).Hips(0, 0.48f, z + slide);
    release.Set(BOWLER_BONE_UPPER_ARM_RIGHT, -0.5f).Set(BOWLER_BONE_HAND_RIGHT, -0.1f);
    release.Set(BOWLER_BONE_UPPER_ARM_LEFT, -0.6f, 0, 1.2f);
    release.Set(BOWLER_BONE_SPINE, 0.7f).Set(BOWLER_BONE_CHEST, 0.35f).Set(BOWLER_BONE_NECK, -0.1f);
    release.Set(BOWLER_BONE_HEAD, -0.9f);
    release.Set(BOWLER_BONE_THIGH_LEFT, -1.5f)
        .Set(BOWLER_BONE_SHIN_LEFT, 2.1f)
        .Set(BOWLER_BONE_FOOT_LEFT, -0.6f);
    release.Set(BOWLER_BONE_THIGH_RIGHT, 0.8f)
        .Set(BOWLER_BONE_SHIN_RIGHT, 0.2f)
        .Set(BOWLER_BONE_FOOT_RIGHT, -0.75f);

    Pose follow = release;
    follow.At(1.3f).Hips(0, 0.7f, z + slide + 0.05f);
    follow.Set(BOWLER_BONE_UPPER_ARM_RIGHT, -2.2f)
        .Set(BOWLER_BONE_FOREARM_RIGHT, -0.4f)
        .Set(BOWLER_BONE_HAND_RIGHT, 0);
    follow.Set(BOWLER_BONE_SPINE, 0.35f);

    Pose hold = follow;
    hold.At(BOWLER_THROW_TIME);
    hold.Set(BOWLER_BONE_UPPER_ARM_RIGHT, -2.0f);
    return {start, push, back, release, follow, hold};
}

// Two steps on the spot, the arms swinging against the legs: the hips stay over
// the placement, so a walker moved along its path walks where it goes.
Keys Walk() {
    constexpr f32 kStep = BOWLER_WALK_TIME / 2;
    Keys keys;
    for (s32 step = 0; step <= 2; ++step) {
        const s32 front = step % 2 == 0 ? BOWLER_BONE_THIGH_RIGHT : BOWLER_BONE_THIGH_LEFT;
        const f32 swing = step % 2 == 0 ? 0.3f : -0.3f;  // the right arm back as the right leg leads
        Pose planted = Relaxed();
        Legs(&planted, front, false);
        planted.Set(BOWLER_BONE_UPPER_ARM_RIGHT, swing, 0, -0.08f)
            .Set(BOWLER_BONE_UPPER_ARM_LEFT, -swing, 0, 0.08f);
        keys.push_back(planted.At(kStep * f32(step)).Hips(0, 0.93f, 0));
        if (step == 2)
            break;
        Pose passing = Relaxed();
        Legs(&passing, MirrorBone(front), true);
        keys.push_back(passing.At(kStep * (f32(step) + 0.5f)).Hips(0, 0.95f, 0));
    }
    return keys;
}

Keys Mirrored(const Keys& keys) {
    Keys out = keys;
    for (size_t k = 0; k < keys.size(); ++k) {
        out[k].hips.x = -keys[k].hips.x;
        for (s32 b = 0; b < BOWLER_BONE_COUNT; ++b) {
            const Euler& e = keys[k].bones[b];
            out[k].bones[MirrorBone(b)] = {e.x, -e.y, -e.z};
        }
    }
    return out;
}

discbuild::VhaKey RotationKey(f32 time, const Euler& e) {
    s_Matrix4 m = IDMatrix4;
    Matrix4RotateY(&m, e.y);
    Matrix4RotateX(&m, e.x);
    Matrix4RotateZ(&m, e.z);
    s_Quaternion q;
    Matrix4ToQuat(&q, &m);
    return {time, {q.x, q.y, q.z, q.w}, {}};
}

discbuild::VhaAnimation Animation(const char* name, const Keys& keys, bool repeat) {
    constexpr f32 kScale = BOWLER_UNITS_PER_METRE;
    discbuild::VhaAnimation anim{name, u16(repeat ? HANIM_FLAG_REPEAT : 0), 0, keys.back().time, 0.1f, {}};
    discbuild::VhaChannel hips{ANIM_FPOS, HCHANNEL_FLAG_IS_KEYED, 0, BOWLER_BONE_HIPS, {}};
    for (const Pose& p : keys)
        hips.keys.push_back({p.time, {p.hips.x * kScale, p.hips.y * kScale, p.hips.z * kScale, 0}, {}});
    anim.channels.push_back(hips);
    // Every bone is keyed, so one animation never keeps another's turn.
    for (s32 b = 0; b < BOWLER_BONE_COUNT; ++b) {
        discbuild::VhaChannel channel{ANIM_QUAT, HCHANNEL_FLAG_IS_KEYED, 0, u32(b), {}};
        for (const Pose& p : keys)
            channel.keys.push_back(RotationKey(p.time, p.bones[b]));
        anim.channels.push_back(channel);
    }
    return anim;
}

}  // namespace

discbuild::VhaBank BowlerAnimations() {
    const Keys idleMale = Breathing(Relaxed(), 2.4f, 0);
    const Keys idleFemale = Breathing(Relaxed(), 2.8f, 0.02f);
    const Keys holdMale = Breathing(Holding(), 2.4f, 0);
    const Keys holdFemale = Breathing(Holding(), 2.8f, 0.02f);
    discbuild::VhaBank bank;
    bank.animations = {
        Animation("IDLE_M", idleMale, true),
        Animation("IDLE_F", idleFemale, true),
        Animation("HOLD_M_R", holdMale, true),
        Animation("HOLD_M_L", Mirrored(holdMale), true),
        Animation("HOLD_F_R", holdFemale, true),
        Animation("HOLD_F_L", Mirrored(holdFemale), true),
        Animation("APPROACH_R", Approach(), false),
        Animation("APPROACH_L", Mirrored(Approach()), false),
        Animation("THROW_R", Throw(), false),
        Animation("THROW_L", Mirrored(Throw()), false),
        Animation("WALK", Walk(), true),
    };
    return bank;
}

}  // namespace modelgen
