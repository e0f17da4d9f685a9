#include "tools/discbuild/VhaWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

namespace {

enum Type : u8 {
    Quat = 0,
    Pos = 2,
    Scale = 3,
    Event = 4,
    Trans = 6,
    FPos = 7,
    Quat32 = 8,
    FQuat = 10,
    FScale = 11
};

constexpr f32 kQuatStepBase = -0.70710677f;
constexpr f32 kQuatStep = 0.0013810679f;

u16 Fixed(f32 value, f32 one) {
    return u16(s16(std::clamp(std::lround(value * one), -32768l, 32767l)));
}

bool Known(u8 type) {
    switch (type) {
        case Quat:
        case Pos:
        case Scale:
        case Event:
        case Trans:
        case FPos:
        case Quat32:
        case FQuat:
        case FScale:
            return true;
        default:
            return false;
    }
}

void Check(const VhaBank& bank) {
    if (bank.animations.size() > 0x7FFF)
        throw std::invalid_argument("vha: more than 32767 animations");
    for (const VhaAnimation& animation : bank.animations) {
        if (animation.channels.size() > 0xFFFF)
            throw std::invalid_argument("vha: more than 65535 channels in " + animation.name);
        for (const VhaChannel& channel : animation.channels) {
            if (!Known(channel.type))
                throw std::invalid_argument("vha: a channel type without a key encoding");
            if (channel.type == Event && !(channel.flags & kVhaKeyed))
                throw std::invalid_argument("vha: an unkeyed event channel");
            if (channel.keys.size() > 0xFFFF)
                throw std::invalid_argument("vha: more than 65535 keys");
        }
    }
}

void WriteValue(ChunkOut* out, u8 type, const VhaKey& key) {
    const auto& v = key.value;
    switch (type) {
        case Quat:
            for (f32 c : v)
                out->Half(Fixed(c, 16384.0f));
            break;
        case Pos:
        case Scale:
        case Trans:
            for (u32 c = 0; c < 3; ++c)
                out->Half(Fixed(v[c], type == Pos ? 128.0f : 4096.0f));
            out->Half(0);
            break;
        case Event:
            for (s32 parm : key.event)
                out->Word(u32(parm));
            break;
        case FPos:
        case FScale:
            for (u32 c = 0; c < 3; ++c)
                out->Float(v[c]);
            break;
        case Quat32:
            out->Word(VhaPackQuat32(v));
            break;
        case FQuat:
            for (f32 c : v)
                out->Float(c);
            break;
    }
}

void WriteChannel(ChunkOut* out, const VhaChannel& channel) {
    const u32 start = out->Size();
    out->Byte(channel.type);
    out->Byte(channel.flags);
    out->Byte(u8(std::min<u32>(channel.boneId, 0xFF)));  // oldboneId
    out->Byte(channel.rate);
    out->Half(u16(channel.keys.size()));
    out->Half(0);  // size, patched below
    out->Word(channel.boneId);
    for (const VhaKey& key : channel.keys) {
        if (channel.flags & kVhaKeyed)
            out->Float(key.time);
        WriteValue(out, channel.type, key);
    }
    out->PatchHalf(start + 6, u16(std::min<u32>(out->Size() - start, 0x7FFF)));
}

}  // namespace

u32 VhaPackQuat32(const std::array<f32, 4>& q) {
    u32 dropped = 0;
    for (u32 c = 1; c < 4; ++c)
        if (std::fabs(q[c]) > std::fabs(q[dropped]))
            dropped = c;
    const f32 sign = q[dropped] < 0 ? -1.0f : 1.0f;
    u32 packed = dropped;
    u32 shift = 22;
    for (u32 c = 0; c < 4; ++c) {
        if (c == dropped)
            continue;
        const long index = std::lround((sign * q[c] - kQuatStepBase) / kQuatStep) - 1;
        packed |= u32(std::clamp(index, 0l, 1023l)) << shift;
        shift -= 10;
    }
    return packed;
}

std::vector<u8> VhaPayload(const VhaBank& bank) {
    Check(bank);
    const u32 numAnim = u32(bank.animations.size());
    ChunkOut out;
    out.Word(0);  // dataEntry
    out.Half(bank.flags);
    out.Half(bank.bankNum);
    out.Half(u16(numAnim));
    out.Half(0);  // numBoneRemaps
    out.Word(0);  // animList, patched below
    out.Word(0);  // boneRemapList
    out.Word(0);  // aramHandle
    out.Word(0);  // largestAnimSize
    out.Word(0);  // lastAnimSize

    std::vector<u32> names;
    for (const VhaAnimation& animation : bank.animations) {
        names.push_back(out.Size());
        out.Bytes(animation.name.c_str(), animation.name.size() + 1);
    }
    out.Align(4);
    const u32 animList = out.Size();
    out.Patch(12, animList);
    for (u32 i = 0; i < numAnim; ++i) {
        const VhaAnimation& animation = bank.animations[i];
        out.Word(names[i]);
        out.Half(animation.flags);
        out.Half(u16(animation.channels.size()));
        out.Float(animation.timeStart);
        out.Float(animation.timeEnd);
        out.Float(animation.blendTime);
        out.Word(0);  // spoolHandle
        out.Word(0);  // refCount, bLoadInProgress
        out.Word(0);  // orgChannelPtr
        out.Word(0);  // channels, patched below
    }
    u32 largest = 0, last = 0;
    for (u32 i = 0; i < numAnim; ++i) {
        const u32 start = out.Size();
        out.Patch(animList + i * kVhaAnimationSize + 32, start);
        for (const VhaChannel& channel : bank.animations[i].channels)
            WriteChannel(&out, channel);
        last = out.Size() - start;
        largest = std::max(largest, last);
    }
    out.Patch(24, largest);
    out.Patch(28, last);
    return out.Take();
}

}  // namespace discbuild
