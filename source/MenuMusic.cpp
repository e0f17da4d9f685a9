#include "source/MenuMusic.h"

#include "orblib47/source/OrbStream.h"
#include "source/GameSettings.h"

COrbStream* g_MenuMusicStream = nullptr;

namespace {

constexpr s32 kMenuMusicStream = 0;
constexpr f32 kMenuMusicFadeIn = 3.0f;

s_orb_stream_file* s_menuMusicFile = nullptr;
bool s_menuMusicTried = false;

// The stream object goes back to the manager's pool when it ends; forget it then.
void MenuMusicEnded(COrbStream*, void*, s32) {
    g_MenuMusicStream = nullptr;
}

}  // namespace

void MenuMusicUpdate() {
    if (!s_menuMusicTried) {
        s_menuMusicTried = true;
        s_menuMusicFile = OrbStreamManager.LoadFile(MENU_MUSIC_FILE);
    }
    if (s_menuMusicFile == nullptr || g_MenuMusicStream != nullptr)
        return;
    g_MenuMusicStream =
        OrbStreamManager.Play(s_menuMusicFile, kMenuMusicStream, &g_GameSettings.m_musicVolumeMix,
                              ORB_STREAM_TYPE_MUSIC, kMenuMusicFadeIn);
    if (g_MenuMusicStream != nullptr) {
        g_MenuMusicStream->m_EventCallback = MenuMusicEnded;
        g_MenuMusicStream->m_EventCallbackParm = nullptr;
    }
}

void MenuMusicForget() {
    s_menuMusicFile = nullptr;
    s_menuMusicTried = false;
    g_MenuMusicStream = nullptr;
}
