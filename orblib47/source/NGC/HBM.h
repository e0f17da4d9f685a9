// The HOME-button menu: a modal overlay over a dimmed picture with a title and
// three choices (back to the game, reset, the system menu), drawn in the front
// end's look from its own files of the disc folder "HomeButton2". The caller loads
// the files, hands them over in HBMDataInfo, and then each frame feeds the remotes
// to HBMCalc and draws with HBMDraw until HBMCalc reports a choice.
#pragma once

#include "console/kpad.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

constexpr s32 HBM_CONTROLLERS = 4;

// HBMGetSelectBtnNum: what the player chose.
constexpr s32 HBM_SELECT_NULL = -1;
constexpr s32 HBM_SELECT_HOMEBTN = 0;  // closed: back to the game
constexpr s32 HBM_SELECT_BTN1 = 1;     // return to the system menu
constexpr s32 HBM_SELECT_BTN2 = 2;     // reset

// The work memory HBMCreate needs in HBMDataInfo::mem.
constexpr u32 HBM_MEM_SIZE = 0x80000;

using HBMSoundCallback = s32 (*)(s32 event, s32 id);

// The set-up record. The file buffers are the whole files with their sizes; the
// library reads them and keeps none of them. This menu has no use for
// sound_callback, backFlag, messageFlag, frameDelta and pAllocator; callers set
// them all the same.
struct HBMDataInfo {
    void* layoutBuf;  // "/homeBtn*.arc": font, skin and layout values
    void* spkSeBuf;   // "/SpeakerSe.arc": the remote speaker's sounds (our remotes have none)
    void* msgBuf;     // "/home.csv": the texts by language
    void* configBuf;  // "/config.txt"
    u32 layoutSize;
    u32 spkSeSize;
    u32 msgSize;
    u32 configSize;
    void* mem;  // HBM_MEM_SIZE bytes of work memory
    HBMSoundCallback sound_callback;
    s32 backFlag;
    s32 region;  // SC_LANG_*: the texts' column
    s32 cursor;
    s32 messageFlag;
    u32 memSize;
    f32 frameDelta;
    s_Vector2 adjust;  // pointer scale while the adjust flag is set (16:9)
    void* pAllocator;
};

struct HBMKPadData {
    KPADStatus* kpad;  // the remote's latest sample, null when it is not connected
    Vec2 pos;          // an extension stick's cursor (-1..1)
    u32 use_devtype;
};

struct HBMControllerData {
    HBMKPadData wiiCon[HBM_CONTROLLERS];
};

// Parses the files into the work memory: false, after one "HBM: ..." line, when the
// memory is missing or short or the layout file is bad (the menu then does not
// open). Without a texts or config file, or with a bad one (reported), the
// built-in English texts and default settings are used.
BOOL HBMCreate(const HBMDataInfo* info);
void HBMDelete();
// Opens the menu: the first choice current, nothing chosen.
void HBMInit();
// One frame of input: HBM_CALC_RUNNING while the menu is up, else the chosen
// button (HBMGetSelectBtnNum).
constexpr s32 HBM_CALC_RUNNING = -1;
s32 HBMCalc(const HBMControllerData* controllers);
void HBMDraw();
s32 HBMGetSelectBtnNum();
// Fades the menu to black and keeps it there (the reset button is held).
void HBMStartBlackOut();
void HBMSetAdjustFlag(BOOL flag);

// The menu's sounds: the bank file at `path` read into `buffer` (`size` bytes).
// False, after one line, when it cannot be read or is not a sound bank; the menu
// then stays silent.
BOOL HBMCreateDvdSound(const char* path, void* buffer, u32 size);
// Plays the sounds the last HBMCalc asked for.
void HBMUpdateSound();
void HBMDeleteSound();

// The engine's warm reset remade the heap: forget the menu and its sounds.
void HBMForget();
