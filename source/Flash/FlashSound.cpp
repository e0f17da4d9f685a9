#include "source/Flash/FlashSound.h"

#include "orblib47/source/Sound.h"
#include "source/GameSettings.h"

void FlashPlaySound(s32 id) {
    SfxPlay(id, &g_GameSettings.m_sfxVolumeMix, 3);
}
