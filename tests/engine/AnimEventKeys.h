// A keyed event channel for test banks, made by the VHA writer.
#pragma once

#include <vector>

#include "orblib47/source/Anim.h"
#include "tools/discbuild/VhaWriter.h"

struct AnimEventKey {
    f32 time;
    s32 type, parm8;
};

inline discbuild::VhaChannel Events(const std::vector<AnimEventKey>& events) {
    discbuild::VhaChannel channel{ANIM_EVENT, HCHANNEL_FLAG_IS_KEYED, 0, HANIM_CHANNEL_NO_BONE, {}};
    for (const AnimEventKey& e : events)
        channel.keys.push_back({e.time, {}, {e.type, e.parm8, 0, 0}});
    return channel;
}
