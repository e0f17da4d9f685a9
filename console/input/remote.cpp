// The sampler: one sample per channel and retrace, kept in a ring of 16 per
// channel until KPADRead takes them. Retraces are sampled when a WPAD or KPAD
// call comes, which on the one program thread is the same as at each retrace.
#include "console/input/remote.h"

#include <algorithm>

#include "console/vi.h"

namespace {

struct Channel {
    std::array<KPADStatus, KPAD_MAX_READ_BUFS> ring{};  // newest at `newest`
    u32 newest = 0;
    u32 unread = 0;
    console::SampleSettings settings;
};

struct Sampler {
    std::unique_ptr<console::RemoteSource> source;
    console::Remotes remotes{};
    console::DeskState desk{};
    Vec2 motion{};  // the mouse's, since the last DeskTakeMotion
    std::array<Channel, WPAD_MAX_CONTROLLERS> channels{};
    u32 nextRetrace = 0;  // the first retrace not sampled yet
};

Sampler s_sampler;

void Push(Channel& channel, const console::RemoteState& state) {
    const KPADStatus& previous = channel.ring[channel.newest];
    const KPADStatus sample = console::BuildSample(state, previous, channel.settings);
    channel.newest = (channel.newest + 1) % KPAD_MAX_READ_BUFS;
    channel.ring[channel.newest] = sample;
    channel.unread = std::min(channel.unread + 1, KPAD_MAX_READ_BUFS);
}

}  // namespace

void console::RemotesStart(std::unique_ptr<RemoteSource> source) {
    s_sampler = Sampler{};
    s_sampler.source = std::move(source);
    s_sampler.nextRetrace = VIGetRetraceCount();
    RemotesClearSamples();
}

void console::RemotesSetSource(std::unique_ptr<RemoteSource> source) {
    s_sampler.source = std::move(source);
}

void console::RemotesClearSamples() {
    for (Channel& channel : s_sampler.channels) {
        channel.ring.fill(EmptySample());
        channel.unread = 0;
    }
}

void console::RemotesCatchUp() {
    const u32 now = VIGetRetraceCount();
    if (s_sampler.source == nullptr || now < s_sampler.nextRetrace)
        return;
    const u32 first = std::max(s_sampler.nextRetrace, now - std::min(now, KPAD_MAX_READ_BUFS - 1));
    for (u32 retrace = first; retrace <= now; ++retrace) {
        const console::DeskState before = s_sampler.desk;
        s_sampler.source->Sample(retrace, now, s_sampler.remotes, s_sampler.desk);
        if (before.pointing && s_sampler.desk.pointing) {
            s_sampler.motion.x += s_sampler.desk.pos.x - before.pos.x;
            s_sampler.motion.y += s_sampler.desk.pos.y - before.pos.y;
        }
        for (u32 chan = 0; chan < s_sampler.channels.size(); ++chan)
            Push(s_sampler.channels[chan], s_sampler.remotes[chan]);
    }
    s_sampler.nextRetrace = now + 1;
}

const console::RemoteState& console::RemoteNow(s32 chan) {
    return s_sampler.remotes[chan];
}

const console::DeskState& console::DeskNow() {
    return s_sampler.desk;
}

Vec2 console::DeskTakeMotion() {
    const Vec2 motion = s_sampler.motion;
    s_sampler.motion = {};
    return motion;
}

console::SampleSettings& console::RemoteSettings(s32 chan) {
    return s_sampler.channels[chan].settings;
}

s32 console::RemoteTakeSamples(s32 chan, KPADStatus* buffers, u32 length) {
    Channel& channel = s_sampler.channels[chan];
    const u32 count = std::min(channel.unread, length);
    for (u32 i = 0; i < count; ++i)
        buffers[i] = channel.ring[(channel.newest + KPAD_MAX_READ_BUFS - i) % KPAD_MAX_READ_BUFS];
    channel.unread = 0;
    return s32(count);
}

void console::RemoteRumble(s32 chan, bool on) {
    if (s_sampler.source != nullptr)
        s_sampler.source->Rumble(chan, on);
}
