// CARD: the memory card slots answer what the tests script. By default slot 0 is
// the console's own flash storage, where the saves live, and is always ready;
// slot 1 holds no card.
#include "console/card.h"

#include "console/card/card_control.h"

namespace {

struct Slot {
    s32 probeResult = CARD_RESULT_NOCARD;
    s32 memSize = 0;
    s32 sectorSize = 0;
    u32 probes = 0;
};

constexpr s32 kStorageMegabits = 512;
constexpr s32 kStorageSectorSize = 8192;

Slot s_slots[CARD_NUM_CHANS];

bool ValidChannel(s32 chan) {
    return chan >= 0 && chan < CARD_NUM_CHANS;
}

}  // namespace

void CARDInit() {
    for (Slot& slot : s_slots)
        slot = Slot{};
    s_slots[0] = {CARD_RESULT_READY, kStorageMegabits, kStorageSectorSize, 0};
}

s32 CARDProbeEx(s32 chan, s32* memSize, s32* sectorSize) {
    if (!ValidChannel(chan))
        return CARD_RESULT_FATAL_ERROR;
    Slot& slot = s_slots[chan];
    ++slot.probes;
    if (slot.probeResult == CARD_RESULT_READY) {
        if (memSize != nullptr)
            *memSize = slot.memSize;
        if (sectorSize != nullptr)
            *sectorSize = slot.sectorSize;
    }
    return slot.probeResult;
}

void HostCARDSetSlot(s32 chan, s32 probeResult, s32 memSize, s32 sectorSize) {
    if (!ValidChannel(chan))
        return;
    s_slots[chan].probeResult = probeResult;
    s_slots[chan].memSize = memSize;
    s_slots[chan].sectorSize = sectorSize;
}

u32 HostCARDProbeCount(s32 chan) {
    return ValidChannel(chan) ? s_slots[chan].probes : 0;
}
