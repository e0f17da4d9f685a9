// The sound mode of the system settings.
#include "console/os.h"
#include "console/os/sound_mode.h"

namespace {

u32 s_soundMode = OS_SOUND_MODE_STEREO;

}  // namespace

void console::SoundModeReset(u32 mode) {
    s_soundMode = mode;
}

u32 OSGetSoundMode() {
    return s_soundMode;
}

void OSSetSoundMode(u32 mode) {
    s_soundMode = mode == OS_SOUND_MODE_MONO ? OS_SOUND_MODE_MONO : OS_SOUND_MODE_STEREO;
}
