// The game's start routine: brings the engine up in its fixed order and runs
// frames until the program is asked to quit.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The video-mode word both engine resets receive: 640x480, 32-bit colour, 24-bit
// depth, interlace mode 1.
constexpr u32 GAME_VIDEO_MODE = 0x507A3400u;

struct s_wad;

// What start-up loads from the disc besides the engine's symbol table: the
// bowling database from its folder, then the archives of the front end's strings,
// of the menu sounds and of the fonts every screen uses, in the data folder.
constexpr char GAME_DATA_FOLDER[] = "DATA";
constexpr char GAME_DATABASE_FOLDER[] = "DATABASE";
constexpr char GAME_SYSTEM_TEXT_WAD[] = "SYSTEXT";
constexpr char GAME_MENU_SOUND_WAD[] = "MENUSND";
constexpr char GAME_PRELOAD_WAD[] = "PRELOAD";
// The screen movies' folder, in the data folder.
constexpr char GAME_MOVIE_FOLDER[] = "640";

// Those archives, loaded at start-up and kept for the whole run.
extern s_wad* SystemTextWad;
extern s_wad* MenuSFXWad;
extern s_wad* PreloadGlobal;

// The retrace (1/60 s) to leave at, at the end of the frame that reaches it, as
// input scripts count them; 0 runs until a quit request.
extern u32 g_FrameLimit;

// True once the frame limit's retrace has come.
bool OrbMainFrameLimitReached();

// The launcher entry that runs (DEV_ENTRY_...), or DEV_ENTRY_LAUNCHER for the
// launcher's list: the game shell unless the command line asks for another.
extern s32 g_LauncherEntry;

// Set by the save dialogue when the player asks to return to the system menu;
// the shell polls it.
extern u8 g_ExitToOs;

// The screen-movie player's font table: movie font names to the menu fonts of
// "SFPFONT".
constexpr s32 SFP2K_NUM_FONTS = 21;
struct SFP_FONT_LOOKUP_t;
extern SFP_FONT_LOOKUP_t SFP2KFonts[SFP2K_NUM_FONTS];

// The program's status when the level does not load: its archive on the disc is
// bad, as a bad disc is (until the front end's level flow can report it).
constexpr s32 ORB_MAIN_LEVEL_FAILED = 2;

// Start-up, the launcher entry (or the launcher), shut-down. 0 at the frame limit
// or the launcher's "Exit", ORB_MAIN_LEVEL_FAILED once the command line's level
// did not load.
s32 OrbMain();
void OrbMainStartup();
// The game's part goes first, then the engine; nothing is left for a second call
// (a quit that ends the process from inside a frame shuts down on its way out).
void OrbMainShutdown();

// The game shell: steps the main flow once a frame until it ends, the frame
// limit comes or the player returns to the system menu.
s32 DorvantonProBowlingShell();
// Shuts the engine down and ends the process with status 0; a launcher entry in
// form, which the list never offers.
[[noreturn]] s32 MainExit();
