// The menu music: the first stream of "/STREAM/MUSIC.ASF", faded in and started
// again whenever it has finished, for as long as the menus run.
#pragma once

class COrbStream;

constexpr char MENU_MUSIC_FILE[] = "/STREAM/MUSIC.ASF";

extern COrbStream* g_MenuMusicStream;

// Once a frame: loads the pack when it is not loaded (once: a disc without it
// stays silent), plays the tune when it is not playing.
void MenuMusicUpdate();
// Warm reset: the pack's slot and the stream lived in the engine's pools.
void MenuMusicForget();
