#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/Debug.h"

namespace {

u32 ChangedBit(HAnimKind kind) {
    switch (kind) {
        case HAnimKind::Rotation:
            return HBONE_FLAG_QUAT_CHANGED;
        case HAnimKind::Translation:
            return HBONE_FLAG_TRANS_CHANGED;
        case HAnimKind::Scale:
            return HBONE_FLAG_SCALE_CHANGED;
        case HAnimKind::Other:
            break;
    }
    return 0;
}

bool MaterialChannel(const s_hchannel* channel) {
    return (channel->flags & HCHANNEL_FLAG_MATERIAL) != 0;
}

// The bone a bone channel drives, or null when it is left alone. The hierarchy may
// have been re-seated on fewer bones since the animation started.
s_hmatrix_bone* ChannelBone(const s_hchannel* channel, s_hmatrix* hmatrix) {
    if (channel->boneId >= u32(hmatrix->numBones))
        return nullptr;
    s_hmatrix_bone* bone = &hmatrix->boneList[channel->boneId];
    return (bone->flags & HBONE_FLAG_IN_ACTIVE) != 0 ? nullptr : bone;
}

// The walk all four writers share: events fire, material tracks go to their flat
// bones, and each bone channel is sampled and handed to `write(channel, bone, kind)`.
template <typename Write>
void WriteChannels(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix, Write write) {
    for (s_hchannel* channel = hanim->channels; channel != nullptr; channel = channel->next) {
        if (channel->boneId == HANIM_CHANNEL_NO_BONE) {
            if (channel->type == ANIM_EVENT)
                HAnimExtractChannelData(hanim, channel);
            continue;
        }
        s_hmatrix_bone* bone = nullptr;
        if (MaterialChannel(channel)) {
            // A track's flat bone comes from the file: one the instance lacks is skipped.
            if (texMatrix == nullptr || channel->boneId >= texMatrix->numBones)
                continue;
        } else if ((bone = ChannelBone(channel, hmatrix)) == nullptr) {
            continue;
        }
        HAnimExtractChannelData(hanim, channel);
        const HAnimKind kind = HAnimChannelKind(channel->type);
        if (kind == HAnimKind::Other) {
            DebugAssertWarn("FALSE", __FILE_NAME__, __LINE__, "Need to implement anim type!!!!\n");
            continue;
        }
        if (bone == nullptr) {
            HAnimWriteFlatBone(channel, kind, &texMatrix->boneList[channel->boneId]);
            continue;
        }
        write(*channel, *bone, kind);
        bone->flags |= ChangedBit(kind);
    }
}

void WriteNormal(const s_hchannel& channel, s_hmatrix_bone& bone, HAnimKind kind) {
    s_QuatCoordSys& pose = bone.localQuatSys;
    const s_Vector4& v = channel.currentData;
    switch (kind) {
        case HAnimKind::Rotation:
            pose.quat = HAnimQuat(v);
            bone.lastLocalQuatSys.quat = pose.quat;
            break;
        case HAnimKind::Translation:
            pose.trans = HAnimVector3(v);
            break;
        case HAnimKind::Scale:
            pose.scale = HAnimVector3(v);
            break;
        case HAnimKind::Other:
            break;
    }
}

// Moves each component of `pose` from `from` towards the sampled value by p.
void WriteMix(const s_QuatCoordSys& from, const s_Vector4& v, f32 p, HAnimKind kind, s_QuatCoordSys* pose) {
    const s_Vector3 to = HAnimVector3(v);
    switch (kind) {
        case HAnimKind::Rotation: {
            const s_Quaternion q = HAnimQuat(v);
            QuatSlerp(&pose->quat, &from.quat, &q, p);
            break;
        }
        case HAnimKind::Translation:
            Vect3Interpolate(&pose->trans, &from.trans, &to, p);
            break;
        case HAnimKind::Scale:
            Vect3Interpolate(&pose->scale, &from.scale, &to, p);
            break;
        case HAnimKind::Other:
            break;
    }
}

// a + sign (v - b), component by component.
s_Vector3 Offset(const s_Vector3& a, const s_Vector4& v, const s_Vector3& b, f32 sign) {
    return {a.x + sign * (v.x - b.x), a.y + sign * (v.y - b.y), a.z + sign * (v.z - b.z), 0.0f};
}

void WriteAdd(const s_hchannel& channel, s_hmatrix_bone& bone, HAnimKind kind) {
    s_QuatCoordSys& pose = bone.localQuatSys;
    const s_Vector4& v = channel.currentData;
    const s_QuatCoordSys& b = channel.blend;
    switch (kind) {
        case HAnimKind::Rotation: {
            bone.lastLocalQuatSys.quat = pose.quat;
            // The offset goes the way of the bone's own hemisphere.
            const bool sameSide = (v.w > 0.0f && pose.quat.w > 0.0f) || (v.w < 0.0f && pose.quat.w < 0.0f);
            const f32 sign = sameSide ? 1.0f : -1.0f;
            s_Vector4 q = {pose.quat.x + sign * (v.x - b.quat.x), pose.quat.y + sign * (v.y - b.quat.y),
                           pose.quat.z + sign * (v.z - b.quat.z), pose.quat.w + sign * (v.w - b.quat.w)};
            Vect4Normal(&q, &q);
            pose.quat = HAnimQuat(q);
            break;
        }
        case HAnimKind::Translation:
            pose.trans = Offset(pose.trans, v, b.trans, 1.0f);
            break;
        case HAnimKind::Scale:
            pose.scale = Offset(pose.scale, v, b.scale, 1.0f);
            break;
        case HAnimKind::Other:
            break;
    }
}

void ResetChannelAdd(const s_hchannel& channel, s_hmatrix_bone& bone) {
    s_QuatCoordSys& pose = bone.localQuatSys;
    const HAnimKind kind = HAnimChannelKind(channel.type);
    switch (kind) {
        case HAnimKind::Rotation:
            pose.quat = bone.lastLocalQuatSys.quat;
            break;
        case HAnimKind::Translation:
            pose.trans = Offset(pose.trans, channel.currentData, channel.blend.trans, -1.0f);
            break;
        case HAnimKind::Scale:
            pose.scale = Offset(pose.scale, channel.currentData, channel.blend.scale, -1.0f);
            break;
        case HAnimKind::Other:
            break;
    }
    bone.flags |= ChangedBit(kind);
}

}  // namespace

void HAnimUpdateNormal(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix) {
    WriteChannels(hanim, hmatrix, texMatrix, WriteNormal);
    hanim->oldTime = hanim->time;
}

void HAnimUpdateStaticBlend(s_hanim* hanim, s_hmatrix* hmatrix, f32 pct, s_flat_matrix* texMatrix) {
    WriteChannels(hanim, hmatrix, texMatrix,
                  [pct](const s_hchannel& channel, s_hmatrix_bone& bone, HAnimKind kind) {
                      // The motion bone follows at once: its motion is exported, never blended.
                      if (channel.boneId == 1)
                          WriteNormal(channel, bone, kind);
                      else
                          WriteMix(channel.blend, channel.currentData, pct, kind, &bone.localQuatSys);
                  });
}

void HAnimUpdateDynamicBlend(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix) {
    const f32 p = hanim->dynamicBlendPercent;
    WriteChannels(hanim, hmatrix, texMatrix,
                  [p](const s_hchannel& channel, s_hmatrix_bone& bone, HAnimKind kind) {
                      const s_QuatCoordSys now = bone.localQuatSys;
                      WriteMix(now, channel.currentData, p, kind, &bone.localQuatSys);
                  });
}

void HAnimUpdateAdd(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix) {
    WriteChannels(hanim, hmatrix, texMatrix, WriteAdd);
}

void HAnimResetAdd(s_hanim* hanim, s_hmatrix* hmatrix) {
    if (hanim == nullptr)
        return;
    for (const s_hchannel* channel = hanim->channels; channel != nullptr; channel = channel->next) {
        if (channel->boneId == HANIM_CHANNEL_NO_BONE || MaterialChannel(channel))
            continue;
        if (s_hmatrix_bone* bone = ChannelBone(channel, hmatrix))
            ResetChannelAdd(*channel, *bone);
    }
}
