// SC: system settings from the host configuration; ready as soon as SCInit ran.
#include "console/sc.h"

#include "console/sc/sc_reset.h"

namespace {

struct SCState {
    bool ready = false;
    u8 language = SC_LANG_ENGLISH;
    u8 aspectRatio = SC_ASPECT_RATIO_4x3;
    u8 progressiveMode = 0;
};

SCState s_sc;

}  // namespace

void console::SCReset(const HostConfig& config) {
    s_sc = SCState{false, config.language, config.aspectRatio, config.progressiveMode};
}

void SCInit() {
    s_sc.ready = true;
}

s32 SCCheckStatus() {
    return s_sc.ready ? SC_STATUS_READY : SC_STATUS_BUSY;
}

u8 SCGetLanguage() {
    return s_sc.language;
}
u8 SCGetAspectRatio() {
    return s_sc.aspectRatio;
}
u8 SCGetProgressiveMode() {
    return s_sc.progressiveMode;
}
void SCSetProgressiveMode(u8 mode) {
    s_sc.progressiveMode = mode;
}
