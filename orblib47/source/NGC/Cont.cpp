// The Wii Remote input layer: resets, the once-per-retrace read and the
// conversion of a sample into the engine's pad slots.
#include "orblib47/source/NGC/Cont.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "console/wpad.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"

const s_cont_config PadAnalog[] = {
    {5, CONT_CONFIG_AXIS_POSITIVE, nullptr, WPAD_BUTTON_RIGHT},
    {4, CONT_CONFIG_AXIS_NEGATIVE, nullptr, WPAD_BUTTON_LEFT},
    {7, CONT_CONFIG_AXIS_NEGATIVE, nullptr, WPAD_BUTTON_DOWN},
    {6, CONT_CONFIG_AXIS_POSITIVE, nullptr, WPAD_BUTTON_UP},
    {1, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_RIGHT},
    {0, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_LEFT},
    {3, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_DOWN},
    {2, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_UP},
    {13, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_A},
    {11, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_C},
    {12, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_B},
    {10, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_Z},
    {8, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_1},
    {18, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_2},
    {20, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_PLUS},
    {21, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_MINUS},
    {22, CONT_CONFIG_DIGITAL, nullptr, WPAD_BUTTON_HOME},
    {0, CONT_CONFIG_END, nullptr, 0},
};

KPADStatus Pads[CONT_CHANNELS][CONT_SAMPLES];
s32 WPadResult[CONT_CHANNELS];
u32 WPadType[CONT_CHANNELS];
PAD_TYPE PadType[CONT_CHANNELS];
u32 PadLastReadTick = 0xFFFFFFFF;
s32 PadDisabled = 0;

namespace {

constexpr s32 kStickBitThreshold = 60;

// The GameCube pad type that would select a GameCube table; nothing sets it.
s32 GCPadType[CONT_CHANNELS];
s32 PadIgnoreController[CONT_CHANNELS];
s32 PadIgnoreExtController[CONT_CHANNELS];
s32 PadReadButtonsOnly[CONT_CHANNELS];
const s_cont_config* ControllerConfigs[CONT_CHANNELS];

// The remote library's buffers come from the extra heap.
void* ContAlloc(u32 size) {
    HeapPush(&ExtraHeap);
    void* block = HeapMalloc(size, __FILE_NAME__, __LINE__);
    HeapPop();
    return block;
}

u8 ContFree(void* block) {
    HeapPush(&ExtraHeap);
    HeapMallocFree(block);
    HeapPop();
    return 1;
}

void ClearNunchuk(KPADStatus& sample) {
    sample.ex_status.fs.stick = {0.0f, 0.0f};
    sample.ex_status.fs.acc_value = 0.0f;
    sample.ex_status.fs.acc_speed = 0.0f;
}

void ProbeAndRead(s32 channel) {
    PadIgnoreController[channel] = 0;
    WPadResult[channel] = WPADProbe(channel, &WPadType[channel]);
    KPADRead(channel, Pads[channel], CONT_SAMPLES);
    KPADStatus& newest = Pads[channel][0];
    switch (WPadResult[channel]) {
        case WPAD_ERR_NONE:
            KPADRead(channel, Pads[channel], CONT_SAMPLES);
            if (channel == 0 && newest.wpad_err == WPAD_ERR_NO_CONTROLLER)
                KPADEnableDPD(0);
            break;
        case WPAD_ERR_BUSY:
            newest.wpad_err = WPAD_ERR_BUSY;
            PadIgnoreController[channel] = 1;
            break;
        default:
            newest.wpad_err = WPAD_ERR_NO_CONTROLLER;
            break;
    }
}

void Classify(s32 channel) {
    PadIgnoreExtController[channel] = 0;
    PadReadButtonsOnly[channel] = 0;
    switch (Pads[channel][0].wpad_err) {
        case WPAD_ERR_NONE:
            PadType[channel] = PAD_TYPE_ANALOG;
            break;
        case WPAD_ERR_BUSY:
        case WPAD_ERR_INVALID:
            PadType[channel] = PAD_TYPE_ANALOG;
            PadReadButtonsOnly[channel] = PadIgnoreController[channel] == 0 ? 1 : 0;
            break;
        case WPAD_ERR_CORRUPTED:
            PadType[channel] = PAD_TYPE_ANALOG;
            PadIgnoreExtController[channel] = 1;
            break;
        default:
            PadType[channel] = PAD_TYPE_INVALID;
            break;
    }
}

// The value of one table row: 255 for a held button, 255 times the stick's
// deflection for an axis; the bit comes on above the threshold.
f32 RowValue(const s_cont_config& row, const KPADStatus& sample, u32 hold, u32* bit) {
    const Vec2 stick = sample.ex_status.fs.stick;
    f32 value = 0.0f;
    switch (row.type) {
        case CONT_CONFIG_DIGITAL:
            value = (hold & u32(row.bit)) != 0 ? 255.0f : 0.0f;
            *bit = value != 0.0f ? 1 : 0;
            return value;
        case CONT_CONFIG_AXIS_POSITIVE:
            value = 255.0f * (row.index == 5 ? stick.x : stick.y);
            break;
        default:
            value = -255.0f * (row.index == 4 ? stick.x : stick.y);
            break;
    }
    *bit = value > f32(kStickBitThreshold) ? 1 : 0;
    return value;
}

}  // namespace

e_error_code ContColdReset() {
    for (s32 channel = 0; channel < CONT_CHANNELS; ++channel) {
        PadType[channel] = PAD_TYPE_INVALID;
        ControllerConfigs[channel] = PadAnalog;
        GCPadType[channel] = 0;
        PadIgnoreController[channel] = 0;
        PadIgnoreExtController[channel] = 0;
        PadReadButtonsOnly[channel] = 0;
    }
    // As a fresh program finds them: a restart from the HOME-button menu leaves
    // the pads disabled and the last samples behind.
    std::fill_n(&Pads[0][0], CONT_CHANNELS * CONT_SAMPLES, KPADStatus{});
    std::fill_n(WPadResult, CONT_CHANNELS, 0);
    std::fill_n(WPadType, CONT_CHANNELS, 0u);
    PadLastReadTick = 0xFFFFFFFF;
    PadDisabled = 0;
    return RET_NO_ERROR;
}

e_error_code ContWarmReset() {
    WPADRegisterAllocator(ContAlloc, ContFree);
    KPADInit();
    KPADReset();
    return RET_NO_ERROR;
}

void ContExit() {}

void ContRead() {
    if (VblTickCount == PadLastReadTick)
        return;
    PadLastReadTick = VblTickCount;
    for (s32 channel = 0; channel < CONT_CHANNELS; ++channel)
        ProbeAndRead(channel);
    for (s32 channel = 0; channel < CONT_CHANNELS; ++channel)
        Classify(channel);
}

e_cont_type ContGetReadData(s32 channel, u32* word, s32* analog, s8* types) {
    *word = 0;
    std::fill_n(analog, CONT_SLOTS, 0);
    if (PadDisabled != 0)
        return CONT_TYPE_PAD;
    if (PadType[channel] == PAD_TYPE_INVALID)
        return CONT_TYPE_NONE;
    KPADStatus& sample = Pads[channel][0];
    u32 hold = sample.hold;
    if (PadIgnoreController[channel] != 0) {
        hold = 0;
        ClearNunchuk(sample);
    }
    if (PadIgnoreExtController[channel] != 0) {
        hold &= ~(WPAD_BUTTON_Z | WPAD_BUTTON_C);
        ClearNunchuk(sample);
    }
    if (PadReadButtonsOnly[channel] != 0) {
        sample.dpd_valid_fg = 0;
        sample.acc = {0.0f, 0.0f, 0.0f};
        sample.acc_vertical = {0.0f, 0.0f};
        ClearNunchuk(sample);
    }
    u32 bits = 0;
    for (const s_cont_config* row = ControllerConfigs[channel]; row->type != CONT_CONFIG_END; ++row) {
        u32 bit = 0;
        const f32 value = std::clamp(RowValue(*row, sample, hold, &bit), -128.0f, 128.0f);
        const s32 stored = s32(value);
        if (row->type == CONT_CONFIG_DIGITAL || std::abs(stored) > std::abs(analog[row->index]))
            analog[row->index] = stored;
        types[row->index] = row->type == CONT_CONFIG_DIGITAL ? 1 : 2;
        bits |= bit << row->index;
    }
    *word |= bits;
    return CONT_TYPE_PAD;
}
