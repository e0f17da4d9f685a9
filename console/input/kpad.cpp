// KPAD: the remotes' samples, newest first.
#include "console/kpad.h"

#include <algorithm>

#include "console/input/remote.h"
#include "console/system.h"

namespace {

bool ValidChannel(s32 chan) {
    return chan >= 0 && chan < WPAD_MAX_CONTROLLERS;
}

}  // namespace

// Starts the remotes from the host's input: the window's devices, or the input
// script (none: no remote is connected).
void KPADInit() {
    const HostConfig& config = HostGetConfig();
    console::MotorLogReset();
    console::RemotesStart(config.window ? console::MakeWindowSource()
                                        : console::LoadScriptSource(config.inputScript));
}

void KPADReset() {
    console::RemotesClearSamples();
}

s32 KPADRead(s32 chan, KPADStatus samplingBufs[], u32 length) {
    if (!ValidChannel(chan))
        return 0;
    console::RemotesCatchUp();
    return console::RemoteTakeSamples(chan, samplingBufs, length);
}

void KPADEnableDPD(s32 chan) {
    if (ValidChannel(chan))
        console::RemoteSettings(chan).dpd = true;
}

void KPADDisableDPD(s32 chan) {
    if (ValidChannel(chan))
        console::RemoteSettings(chan).dpd = false;
}

void KPADSetAccParam(s32 chan, f32 playRadius, f32 sensitivity) {
    if (!ValidChannel(chan))
        return;
    console::SampleSettings& settings = console::RemoteSettings(chan);
    settings.playRadius = std::max(playRadius, 0.0f);
    settings.sensitivity = std::clamp(sensitivity, 0.0f, 1.0f);
}
