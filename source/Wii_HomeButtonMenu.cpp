// The HOME-button driver's menu: its files from the disc, the task that runs the
// menu library while it is up, and the extension's cursor.
#include <cstdio>
#include <iterator>

#include "console/dvd.h"
#include "console/os.h"
#include "console/pad.h"
#include "console/sc.h"
#include "console/vi.h"
#include "console/wpad.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Sound.h"
#include "source/Wii_HomeButton.h"

HBMDataInfo HomeButtonInfo{};
HBMControllerData HomeButtonContData{};
void* HomeButtonSoundBuffer = nullptr;
volatile s32 HomeButtonFileIO = 0;
s_thread* HomeButtonProcessThreadPtr = nullptr;

namespace {

constexpr const char* kLayoutFiles[] = {"/homeBtn.arc",     "/homeBtn_ENG.arc", "/homeBtn_GER.arc",
                                        "/homeBtn_FRA.arc", "/homeBtn_SPA.arc", "/homeBtn_ITA.arc",
                                        "/homeBtn_NED.arc"};
static_assert(std::size(kLayoutFiles) == HOME_BUTTON_LANGUAGES);
constexpr u32 kPathSize = 64;
constexpr f32 kStep = 0.03515625f;
constexpr f32 kDiagonalStep = 0.024858983f;
constexpr f32 kStickScale = 28.444445f;

s32 s_readResult = 0;

void ReadDone(s32 result, DVDFileInfo*) {
    s_readResult = result;
    HomeButtonFileIO = 0;
}

u32 DriveError(s32 status) {
    switch (status) {
        case DVD_STATE_FATAL_ERROR:
            return FILE_ERROR_FATAL;
        case DVD_STATE_NO_DISK:
            return FILE_ERROR_NO_DISC;
        case DVD_STATE_COVER_OPEN:
            return FILE_ERROR_COVER_OPEN;
        case DVD_STATE_WRONG_DISK:
            return FILE_ERROR_WRONG_DISC;
        case DVD_STATE_RETRY:
            return FILE_ERROR_RETRY;
        default:
            return 0;
    }
}

// Shows the drive's error, if any, in the picture on screen and completes a frame.
void ShowDriveError() {
    const u32 error = DriveError(DVDGetDriveStatus());
    if (error == 0)
        return;
    const u32 minimum = MinVblCount;
    MinVblCount = 1;
    DrawEndFrame();
    void* shown = FrameBuffer[ActiveBuffer ^ 1];
    HardwareClearXfb(shown, XfbFrameBufferSize);
    HardwareXfbDisplayError(shown, error);
    DrawStartDraw();
    MinVblCount = minimum;
}

void* Load(const char* name, u32* size) {
    char path[kPathSize];
    std::snprintf(path, sizeof path, "%s%s", HOME_BUTTON_FOLDER, name);
    return HomeButtonFileLoad(path, size);
}

void FreeAll() {
    HBMDelete();
    for (void* block : {HomeButtonInfo.layoutBuf, HomeButtonInfo.spkSeBuf, HomeButtonInfo.msgBuf,
                        HomeButtonInfo.configBuf, HomeButtonInfo.mem, HomeButtonSoundBuffer}) {
        if (block != nullptr)
            HeapMallocFree(block);
    }
    HomeButtonInfo = HBMDataInfo{};
    HomeButtonSoundBuffer = nullptr;
}

s32 NoSound(s32, s32) {
    return 0;
}

f32 AbsClamp(f32 value, f32 limit) {
    return value < -limit ? -limit : value > limit ? limit : value;
}

void ClampCursor(Vec2* pos) {
    pos->x = AbsClamp(pos->x, 1.0f);
    pos->y = AbsClamp(pos->y, 1.0f);
}

// Closes the menu and gives back everything it held.
void CloseMenu(s_thread* task) {
    HBMDeleteSound();
    FreeAll();
    ThreadKill(task);
    for (s32 channel = 1; channel < CONT_CHANNELS; ++channel)
        KPADDisableDPD(channel);
    VISetBlack(FALSE);
    PadDisabled = 0;
    HomeButtonProcessThreadPtr = nullptr;
}

[[noreturn]] void SwitchOff() {
    PADRecalibrate(PAD_CHAN0_BIT | PAD_CHAN1_BIT | PAD_CHAN2_BIT | PAD_CHAN3_BIT);
    SfxStopAll();
    HardwareClearXfb(FrameBuffer[ActiveBuffer], XfbFrameBufferSize);
    VISetBlack(TRUE);
    VIFlush();
    VIWaitForRetrace();
    VIWaitForRetrace();
    OSShutdownSystem();
}

}  // namespace

const char* HomeButtonLayoutFile(s32 language, s32* region) {
    const bool known = language >= 0 && language < HOME_BUTTON_LANGUAGES;
    *region = known ? language : 0;
    return kLayoutFiles[*region];
}

void* HomeButtonFileLoad(const char* path, u32* size) {
    DVDFileInfo file;
    if (!DVDOpen(path, &file))
        return nullptr;
    const u32 rounded = (file.length + 31u) & ~31u;
    void* buffer =
        rounded >= file.length && file.length != 0 ? HeapMalloc(rounded, __FILE_NAME__, __LINE__) : nullptr;
    if (buffer != nullptr) {
        HomeButtonFileIO = 1;
        if (!DVDReadAsyncPrio(&file, buffer, s32(rounded), 0, ReadDone, 2)) {
            HomeButtonFileIO = 0;
            s_readResult = -1;
        }
        while (HomeButtonFileIO != 0)
            ShowDriveError();
        if (s_readResult != s32(file.length)) {
            HeapMallocFree(buffer);
            buffer = nullptr;
        }
    }
    DVDClose(&file);
    *size = file.length;
    return buffer;
}

bool HomeButtonLoadAssets() {
    const bool extra = ExtraHeap.size != 0;
    if (extra)
        HeapPush(&ExtraHeap);
    HBMDataInfo& info = HomeButtonInfo;
    info = HBMDataInfo{};
    s32 region = 0;
    const char* layout = HomeButtonLayoutFile(SCGetLanguage(), &region);
    info.region = region;
    info.layoutBuf = Load(layout, &info.layoutSize);
    info.spkSeBuf = Load("/SpeakerSe.arc", &info.spkSeSize);
    info.msgBuf = Load("/home.csv", &info.msgSize);
    info.configBuf = Load("/config.txt", &info.configSize);
    info.sound_callback = NoSound;
    info.adjust = {1.3684211f, 1.0f};
    info.frameDelta = 1.0f;
    for (HBMKPadData& con : HomeButtonContData.wiiCon) {
        con.pos = {0.0f, 0.0f};
        con.use_devtype = 0;
    }
    info.mem = HeapCalloc(1, HOME_BUTTON_MEM_SIZE, __FILE_NAME__, __LINE__);
    info.memSize = HOME_BUTTON_MEM_SIZE;
    HomeButtonSoundBuffer = HeapCalloc(1, HOME_BUTTON_SOUND_SIZE, __FILE_NAME__, __LINE__);
    const bool ready = info.layoutBuf != nullptr && info.spkSeBuf != nullptr && info.msgBuf != nullptr &&
                       info.configBuf != nullptr && info.mem != nullptr && HomeButtonSoundBuffer != nullptr &&
                       HBMCreate(&info) != FALSE;
    if (ready) {
        char path[kPathSize];
        std::snprintf(path, sizeof path, "%s%s", HOME_BUTTON_FOLDER, "/HomeButtonSe.brsar");
        HBMCreateDvdSound(path, HomeButtonSoundBuffer, HOME_BUTTON_SOUND_SIZE);
        HBMSetAdjustFlag(FALSE);
    } else {
        DEBUG_PRINT("HomeButton: the menu cannot open (files or memory missing)\n");
        FreeAll();
    }
    if (extra)
        HeapPop();
    return ready;
}

s32 HomeButtonMenuIsActive() {
    return HomeButtonProcessThreadPtr != nullptr ? 1 : 0;
}

void HomeButtonProcessThread(s_thread* task, void*) {
    PadDisabled = 1;
    for (s32 channel = 0; channel < CONT_CHANNELS; ++channel) {
        HBMKPadData& con = HomeButtonContData.wiiCon[channel];
        u32 type = 0;
        s32 result = 0;
        ContGetStatus(channel, &type, &result);
        if (result != WPAD_ERR_NONE && result != WPAD_ERR_BUSY && result != WPAD_ERR_TRANSFER) {
            con.kpad = nullptr;
            continue;
        }
        con.kpad = &ContGetRawData(channel)[0];
        if (con.kpad->dev_type == WPAD_DEV_CLASSIC) {
            calcDigitalCursorPos(con.kpad->ex_status.cl.hold, &con.pos);
            calcAnalogCursorPos(con.kpad->ex_status.cl.lstick.x, con.kpad->ex_status.cl.lstick.y, &con.pos);
        }
    }
    if (OSGetResetButtonState())
        HBMStartBlackOut();
    if (HBMCalc(&HomeButtonContData) < 0) {
        HBMUpdateSound();
        HBMDraw();
    } else {
        switch (HBMGetSelectBtnNum()) {
            case HBM_SELECT_BTN1:
                OSReturnToMenu();
            case HBM_SELECT_BTN2:
                OSRestart(0);
            default:
                CloseMenu(task);
                return;
        }
    }
    if (HardwareGetPowerButtonStatus() != 0)
        SwitchOff();
    // The menu draws through the engine's own 2-D calls and puts back every state it
    // changes, so the engine's drawing state needs nothing more.
}

void calcDigitalCursorPos(u32 buttons, Vec2* pos) {
    switch (buttons & 0xC003u) {
        case 0x0001:
            pos->y -= kStep;
            break;
        case 0x0002:
            pos->x -= kStep;
            break;
        case 0x0003:
            pos->x -= kDiagonalStep;
            pos->y -= kDiagonalStep;
            break;
        case 0x4000:
            pos->y += kStep;
            break;
        case 0x4002:
            pos->y += kDiagonalStep;
            pos->x -= kDiagonalStep;
            break;
        case 0x8000:
            pos->x += kStep;
            break;
        case 0x8001:
            pos->y -= kDiagonalStep;
            pos->x += kDiagonalStep;
            break;
        case 0xC000:
            pos->x += kDiagonalStep;
            pos->y += kDiagonalStep;
            break;
        default:
            break;
    }
    ClampCursor(pos);
}

void calcAnalogCursorPos(f32 x, f32 y, Vec2* pos) {
    pos->x += x / kStickScale;
    pos->y -= y / kStickScale;
    ClampCursor(pos);
}

void HomeButtonMenuForget() {
    HomeButtonInfo = HBMDataInfo{};
    HomeButtonContData = HBMControllerData{};
    HomeButtonSoundBuffer = nullptr;
    HomeButtonFileIO = 0;
    HomeButtonProcessThreadPtr = nullptr;
    s_readResult = 0;
}
