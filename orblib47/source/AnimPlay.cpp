#include <cmath>

#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SymbolTrans.h"

namespace {

constexpr f32 kDefaultBlendTime = 0.15f;

void SetStaticBlend(s_hanim* hanim, u16 flags, s_hmatrix* hmatrix) {
    f32 blend = hanim->data->blendTime != 0.0f ? hanim->data->blendTime : kDefaultBlendTime;
    u32 word = HMATRIX_FLAG_RESET;
    if ((flags & HANIM_FLAG_BLEND_STATIC) != 0 && blend < hanim->timeEnd - hanim->timeStart)
        word |= HMATRIX_FLAG_BLEND;
    else
        blend = 0.0f;
    hanim->blendTime = blend;
    hmatrix->flags = (flags & HANIM_FLAG_NO_RESET) != 0 ? 0 : word;
}

// The bone a bank channel drives, or false when this animation skips it.
bool ChannelBone(const s_hanim_channel* record, const s_hmatrix* hmatrix, u32* boneId) {
    *boneId = record->boneId;
    if (record->boneId == HANIM_CHANNEL_NO_BONE)
        return true;
    if ((record->flags & HCHANNEL_FLAG_MATERIAL) != 0) {
        if ((*boneId & 0x80000000u) != 0)
            return SymbolTransLookup(*boneId & 0x7FFFFFFFu, boneId) == RET_NO_ERROR;
        return true;
    }
    if (record->boneId >= u32(hmatrix->numBones))
        return false;
    return HAnimBoneMaskTable == nullptr || HAnimBoneMaskTable[record->boneId] != 0;
}

// Additive animations blend from what they sample; others from the bone's pose.
void SetChannelBlend(const s_hanim* hanim, s_hchannel* channel, const s_hmatrix* hmatrix) {
    if ((hanim->flags & HANIM_FLAG_ADD) == 0) {
        channel->blend = hmatrix->boneList[channel->boneId].localQuatSys;
        return;
    }
    const s_Vector4& v = channel->currentData;
    switch (HAnimChannelKind(channel->type)) {
        case HAnimKind::Rotation:
            channel->blend.quat = HAnimQuat(v);
            break;
        case HAnimKind::Translation:
            channel->blend.trans = HAnimVector3(v);
            break;
        case HAnimKind::Scale:
            channel->blend.scale = HAnimVector3(v);
            break;
        case HAnimKind::Other:
            break;
    }
}

void AddChannels(s_hanim* hanim, s_hmatrix* hmatrix) {
    s_hchannel** tail = &hanim->channels;
    const s_hanim_channel* record = hanim->data->channels;
    for (u32 c = 0; c < hanim->data->count; ++c, record = HAnimNextChannel(record)) {
        u32 boneId = 0;
        // A channel without keys has nothing to sample.
        if (record->count == 0 || !ChannelBone(record, hmatrix, &boneId))
            continue;
        auto* channel = static_cast<s_hchannel*>(RecordAlloc(HChannelRecords));
        if (channel == nullptr) {
            DEBUG_PRINT("HAnimPlay: Out of channel records\n");
            return;
        }
        *channel = {};
        channel->type = record->type;
        channel->flags = record->flags;
        channel->boneId = boneId;
        channel->rate = record->rate;
        channel->count = record->count;
        channel->data = record;
        // Events are walked in the direction of play, so backwards from the last key.
        if (record->type == ANIM_EVENT && hanim->timeScale < 0.0f)
            channel->dataIndex = record->count - 1;
        HAnimExtractChannelData(hanim, channel);
        if (boneId != HANIM_CHANNEL_NO_BONE && (record->flags & HCHANNEL_FLAG_MATERIAL) == 0)
            SetChannelBlend(hanim, channel, hmatrix);
        *tail = channel;
        tail = &channel->next;
    }
}

}  // namespace

s_hanim* HAnimPlay(u32 num, f32 scale, u16 uFlags, u32 sysFlags, s_hmatrix* hmatrix, void* workBuffer,
                   void* textureMatrix, s_hmodel* hmodel) {
    u32 index = 0;
    s_hanim_header* bank = HAnimResolveId(num, &index);
    if (bank == nullptr) {
        DEBUG_PRINT("HAnimPlay: Animation %d not loaded!\n", s32(num & 0xFFFFu));
        return nullptr;
    }
    // A symbol's index lies in its translated id, not in the symbol number.
    return HAnimPlayFromBankAndId(bank, index, scale, uFlags, sysFlags, hmatrix, workBuffer, textureMatrix,
                                  hmodel);
}

s_hanim* HAnimPlayFromBankAndId(s_hanim_header* anim, u32 num, f32 scale, u16 uFlags, u32 sysFlags,
                                s_hmatrix* hmatrix, void* /*workBuffer*/, void* /*textureMatrix*/,
                                s_hmodel* /*hmodel*/) {
    const u32 index = num & 0xFFFFu;
    if (anim == nullptr || index >= u32(anim->numAnim)) {
        DEBUG_PRINT("HAnimPlay: Bad animation index %d\n", s32(index));
        return nullptr;
    }
    const s_hanim_data* data = &anim->animList[index];
    // A spooled animation whose channels are still on the disc has nothing to play.
    if (!HAnimDataLoaded(data)) {
        DEBUG_PRINT("HAnimPlay: Animation %d not loaded!\n", s32(index));
        return nullptr;
    }
    ORB_ASSERT(hmatrix != nullptr, "HAnimPlay: hmatrix == NULL.\n");
    ORB_ASSERT(!std::isnan(scale), "Invalid timeScale value!\n");
    u16 flags = uFlags;
    if ((sysFlags & 0x80000000u) != 0)
        flags &= u16(~(HANIM_FLAG_BLEND_STATIC | HANIM_FLAG_BLEND_DYNAMIC));
    auto* hanim = static_cast<s_hanim*>(RecordAlloc(HAnimRecords));
    if (hanim == nullptr) {
        DEBUG_PRINT("HAnimPlay: Out of animation records\n");
        return nullptr;
    }
    if ((flags & (HANIM_FLAG_CLEAR_DATA_FLAGS | HANIM_FLAG_DATA_FLAGS)) == 0)
        flags |= data->flags;
    *hanim = {};
    hanim->flags = flags;
    hanim->index = index;
    hanim->timeScale = scale;
    hanim->data = data;
    hanim->timeStart = data->timeStart;
    hanim->timeEnd = data->timeEnd;
    hanim->loopStart = data->timeStart;
    hanim->loopEnd = data->timeEnd;
    hanim->time = scale >= 0.0f ? data->timeStart : data->timeEnd;
    hanim->oldTime = hanim->time;
    SetStaticBlend(hanim, flags, hmatrix);
    hanim->exportMatrix = IDMatrix4;
    AddChannels(hanim, hmatrix);
    hanim->lastExportMatrix = IDMatrix4;
    return hanim;
}

void HAnimStop(s_hanim* hanim) {
    if (hanim == nullptr)
        return;
    for (s_hchannel* channel = hanim->channels; channel != nullptr;) {
        s_hchannel* next = channel->next;
        RecordFree(HChannelRecords, channel);
        channel = next;
    }
    RecordFree(HAnimRecords, hanim);
}

void HAnimSetEventFunc(s_hanim* hanim, HAnimEventFunc func, void* record) {
    if (hanim == nullptr)
        return;
    hanim->eventFunc = func;
    hanim->eventRecord = record;
}

void HAnimSetScale(s_hanim* hanim, f32 scale) {
    if (hanim == nullptr)
        return;
    // Every NaN, not one bit pattern: a NaN clock never recovers.
    ORB_ASSERT(!std::isnan(scale), "Invalid timeScale value!\n");
    hanim->timeScale = scale;
}

f32 HAnimGetScale(const s_hanim* hanim) {
    return hanim != nullptr ? hanim->timeScale : 0.0f;
}

f32 HAnimGetTime(const s_hanim* hanim) {
    return hanim != nullptr ? hanim->time : 0.0f;
}

f32 HAnimGetDuration(const s_hanim* hanim) {
    return hanim != nullptr ? hanim->timeEnd - hanim->timeStart : 0.0f;
}

s32 HAnimDone(const s_hanim* hanim) {
    return hanim == nullptr || (hanim->sysFlags & (HANIM_SYS_DONE | HANIM_SYS_LOOPED)) != 0;
}
