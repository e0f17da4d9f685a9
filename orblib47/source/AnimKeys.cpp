#include <cmath>
#include <cstring>
#include <utility>

#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"

f32 QuatTable[HANIM_QUAT_TABLE_SIZE];

namespace {

enum class Value : u8 { None, Fixed, Float, Packed, Event };

// How a type's key stores its value after the time of a keyed key.
struct Encoding {
    Value value;
    u8 width;       // bytes per component
    u8 components;  // stored, including an unused one
    f32 scale;      // of a fixed-point component
    bool sampled;   // has an unkeyed form
};

constexpr Encoding kEncodings[ANIM_CHANNEL_TYPE_COUNT] = {
    {Value::Fixed, 2, 4, 1.0f / 16384.0f, true},  // ANIM_QUAT
    {Value::None, 0, 0, 0.0f, false},             // ANIM_EULER
    {Value::Fixed, 2, 4, 1.0f / 128.0f, true},    // ANIM_POS
    {Value::Fixed, 2, 4, 1.0f / 4096.0f, true},   // ANIM_SCALE
    {Value::Event, 4, 4, 0.0f, false},            // ANIM_EVENT
    {Value::None, 0, 0, 0.0f, false},             // ANIM_MORPH
    {Value::Fixed, 2, 4, 1.0f / 4096.0f, true},   // ANIM_TRANS
    {Value::Float, 4, 3, 0.0f, true},             // ANIM_FPOS
    {Value::Packed, 4, 1, 0.0f, true},            // ANIM_QUAT32
    {Value::None, 0, 0, 0.0f, false},             // ANIM_QUAT48
    {Value::Float, 4, 4, 0.0f, true},             // ANIM_FQUAT
    {Value::Float, 4, 3, 0.0f, true},             // ANIM_FSCALE
};

constexpr u32 kTimeSize = 4;

const Encoding* Find(u8 type, bool keyed) {
    if (type >= ANIM_CHANNEL_TYPE_COUNT)
        return nullptr;
    const Encoding& e = kEncodings[type];
    if (e.value == Value::None || !(keyed || e.sampled))
        return nullptr;
    return &e;
}

bool Keyed(const s_hanim_channel* channel) {
    return (channel->flags & HCHANNEL_FLAG_IS_KEYED) != 0;
}

const u8* Key(const s_hanim_channel* channel, u32 i) {
    return reinterpret_cast<const u8*>(channel + 1) + i * HAnimKeySize(channel->type, Keyed(channel));
}

void Swap(u8* p, u32 width) {
    if (width == 2) {
        std::swap(p[0], p[1]);
    } else {
        std::swap(p[0], p[3]);
        std::swap(p[1], p[2]);
    }
}

template <typename T>
T Load(const u8* p) {
    T value;
    std::memcpy(&value, p, sizeof(value));
    return value;
}

}  // namespace

void HAnimFillQuatTable() {
    // In single precision, as the files were quantised.
    for (u32 i = 0; i < HANIM_QUAT_TABLE_SIZE; ++i)
        QuatTable[i] = -0.70710677f + 0.0013810679f * f32(i + 1);
}

HAnimKind HAnimChannelKind(u8 type) {
    switch (type) {
        case ANIM_QUAT:
        case ANIM_QUAT32:
        case ANIM_FQUAT:
            return HAnimKind::Rotation;
        case ANIM_POS:
        case ANIM_TRANS:
        case ANIM_FPOS:
            return HAnimKind::Translation;
        case ANIM_SCALE:
        case ANIM_FSCALE:
            return HAnimKind::Scale;
        default:
            return HAnimKind::Other;
    }
}

u32 HAnimKeySize(u8 type, bool keyed) {
    const Encoding* e = Find(type, keyed);
    if (e == nullptr)
        return 0;
    return (keyed ? kTimeSize : 0) + u32(e->width) * e->components;
}

void HAnimSwapKeys(u8* keys, u8 type, bool keyed, u32 count) {
    const Encoding* e = Find(type, keyed);
    for (u32 k = 0; k < count; ++k) {
        if (keyed) {
            Swap(keys, kTimeSize);
            keys += kTimeSize;
        }
        for (u32 c = 0; c < e->components; ++c, keys += e->width)
            Swap(keys, e->width);
    }
}

const s_hanim_channel* HAnimNextChannel(const s_hanim_channel* channel) {
    return reinterpret_cast<const s_hanim_channel*>(Key(channel, channel->count));
}

f32 HAnimKeyTime(const s_hanim_channel* channel, u32 i) {
    if (Keyed(channel))
        return Load<f32>(Key(channel, i));
    return channel->rate != 0 ? f32(i) / f32(channel->rate) : 0.0f;
}

void HAnimKeyValue(const s_hanim_channel* channel, u32 i, s_Vector4* out) {
    f32 v[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    const Encoding* found = Find(channel->type, Keyed(channel));
    if (found == nullptr) {
        *out = {v[0], v[1], v[2], v[3]};
        return;
    }
    const Encoding& e = *found;
    const u8* p = Key(channel, i) + (Keyed(channel) ? kTimeSize : 0);
    const bool rotation = channel->type == ANIM_QUAT || channel->type == ANIM_FQUAT;
    switch (e.value) {
        case Value::Fixed:
            for (u32 c = 0; c < (rotation ? 4u : 3u); ++c)
                v[c] = f32(Load<s16>(p + 2 * c)) * e.scale;
            break;
        case Value::Float:
            for (u32 c = 0; c < e.components; ++c)
                v[c] = Load<f32>(p + 4 * c);
            break;
        case Value::Packed: {
            s_Quaternion q;
            HAnimUnpackQuat32(Load<u32>(p), &q);
            v[0] = q.x, v[1] = q.y, v[2] = q.z, v[3] = q.w;
            break;
        }
        case Value::Event:
        case Value::None:
            break;
    }
    *out = {v[0], v[1], v[2], v[3]};
}

const s_event_key* HAnimEventKey(const s_hanim_channel* channel, u32 i) {
    return reinterpret_cast<const s_event_key*>(Key(channel, i));
}

void HAnimUnpackQuat32(u32 packed, s_Quaternion* out) {
    const u32 dropped = packed & 3;
    f32 q[4];
    f32 sum = 0.0f;
    for (u32 c = 0, field = 0; c < 4; ++c) {
        if (c == dropped)
            continue;
        q[c] = QuatTable[(packed >> (22 - 10 * field++)) & 0x3FF];
        sum += q[c] * q[c];
    }
    // Rounding lets the three kept squares pass 1; the dropped one is then 0.
    q[dropped] = std::sqrt(std::fmax(0.0f, 1.0f - sum));
    *out = {q[0], q[1], q[2], q[3]};
}
