// The HOME-button driver: a poll task watches the four remotes; HOME alone fades
// the game out, stops it and opens the HOME-button menu (HBM.h) in a second task,
// then restores everything and fades back in. While the button is disabled a
// press shows a small "not available" icon instead.
#pragma once

#include "console/types.h"
#include "orblib47/source/NGC/HBM.h"
#include "orblib47/source/OrbMath.h"

struct s_texture;
struct s_thread;

constexpr u32 HOME_BUTTON_POLL_PRIORITY = 6300;
constexpr u32 HOME_BUTTON_PROCESS_PRIORITY = 4099;
constexpr u32 HOME_BUTTON_ICON_PRIORITY = 4099;
constexpr u32 HOME_BUTTON_ICON_ERROR_PRIORITY = 3396;  // under a hardware error screen
constexpr u32 HOME_BUTTON_MEM_SIZE = 0x80000;
constexpr u32 HOME_BUTTON_SOUND_SIZE = 0x88000;
constexpr char HOME_BUTTON_FOLDER[] = "HomeButton2";
constexpr s32 HOME_BUTTON_LANGUAGES = 7;  // a layout file each; others use the first

enum e_home_poll_state : s32 {
    HOME_POLL_IDLE = 0,
    HOME_POLL_FADING_OUT = 1,
    HOME_POLL_SETTLING = 2,
    HOME_POLL_MENU_UP = 3,
    HOME_POLL_FADING_IN = 4,
};

extern s32 HomeButtonEnabled;
extern s32 EnableHomeButtonPollThread;
extern s32 PollThreadState;
extern s32 HomeButtonControllerID;
extern s32 g_GameAlreadyPaused;
extern s32 HomeButtonPausedAudio;
extern HBMDataInfo HomeButtonInfo;
extern HBMControllerData HomeButtonContData;
extern void* HomeButtonSoundBuffer;
extern s_texture* HomeButtonNoAvailTexture;
extern f32 HomeButtonIconTime;
extern s32 HomeButtonIconStatus;  // 0 fading in, 1 shown, 2 fading out
extern volatile s32 HomeButtonFileIO;
extern s_thread* HomeButtonPollThreadPtr;
extern s_thread* HomeButtonProcessThreadPtr;
extern s_thread* HomeButtonNoAvailThreadPtr;

void HomeButtonStartup();
// The flows' switch. The driver's own disable after the menu closes is lifted when
// the fade-in ends, back to what the flows last asked for.
void HomeButtonEnable(s32 on);
// The save dialogue's switch, apart from the flows' one: while set, HOME shows the
// "not available" icon (the dialogue's nested waits must not open the menu).
// Set it when the dialogue starts and clear it when it ends; the flows' own
// enabling does not lift it.
void HomeButtonSaveActive(s32 on);
s32 HomeButtonMenuIsActive();
s32 HomeButtonWasPressed();
void HomeButtonDisplay();
// Reads the menu's files in the console's language; false (after one line, with
// everything it took given back) when a file is missing or memory runs out.
bool HomeButtonLoadAssets();
// The whole file in a block of the current heap (its size in *size), or null.
void* HomeButtonFileLoad(const char* path, u32* size);
// The layout file of a console language, and the region the menu gets.
const char* HomeButtonLayoutFile(s32 language, s32* region);

void HomeButtonPollThread(s_thread* task, void* record);
void HomeButtonProcessThread(s_thread* task, void* record);
void HomeButtonNoAvailThread(s_thread* task, void* record);

void calcDigitalCursorPos(u32 buttons, Vec2* pos);
void calcAnalogCursorPos(f32 x, f32 y, Vec2* pos);

// The game's reset steps: start-up values, and the tasks and buffers the engine's
// warm reset has just forgotten.
void HomeButtonColdReset();
void HomeButtonForget();
// The menu's part of HomeButtonForget: its set-up record, buffers and task.
void HomeButtonMenuForget();
