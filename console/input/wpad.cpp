// WPAD: the channels' probe results and the rumble motor; PAD, whose controller
// ports need no set-up on the host.
#include "console/wpad.h"

#include "console/host_services.h"
#include "console/input/input_control.h"
#include "console/input/remote.h"
#include "console/pad.h"
#include "console/vi.h"

namespace {

WPADAlloc s_alloc = nullptr;
WPADFree s_free = nullptr;
std::vector<HostMotorEntry> s_motorLog;

bool ValidChannel(s32 chan) {
    return chan >= 0 && chan < WPAD_MAX_CONTROLLERS;
}

}  // namespace

void WPADRegisterAllocator(WPADAlloc alloc, WPADFree free) {
    s_alloc = alloc;
    s_free = free;
}

void HostWPADGetAllocator(WPADAlloc* alloc, WPADFree* free) {
    *alloc = s_alloc;
    *free = s_free;
}

s32 WPADProbe(s32 chan, u32* type) {
    *type = WPAD_DEV_NOT_FOUND;
    if (!ValidChannel(chan))
        return WPAD_ERR_NO_CONTROLLER;
    console::RemotesCatchUp();
    const console::RemoteState& remote = console::RemoteNow(chan);
    if (!remote.connected)
        return WPAD_ERR_NO_CONTROLLER;
    *type = remote.nunchuk ? WPAD_DEV_FREESTYLE : WPAD_DEV_CORE;
    return remote.probeError;
}

void WPADControlMotor(s32 chan, u32 command) {
    if (!ValidChannel(chan))
        return;
    const bool on = command == WPAD_MOTOR_RUMBLE;
    {
        HostMemoryScope scope;
        s_motorLog.push_back({VIGetRetraceCount(), chan, on});
    }
    console::RemoteRumble(chan, on);
}

void WPADReconnect() {}

s32 WPADGetStatus() {
    return WPAD_STATE_ENABLED;
}

const std::vector<HostMotorEntry>& HostMotorLog() {
    return s_motorLog;
}

void console::MotorLogReset() {
    HostMemoryScope scope;
    s_motorLog = {};
}

BOOL PADInit() {
    return TRUE;
}

BOOL PADRecalibrate(u32) {
    return TRUE;
}
