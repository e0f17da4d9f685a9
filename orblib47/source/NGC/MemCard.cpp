// Memory card: slot status from the probe of the console's CARD library.
#include "orblib47/source/NGC/MemCard.h"

#include "console/card.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"

s_mem_card MemCard[MEMCARD_SLOTS];
s32 MemCardEnable = 0;
s_thread* MemCardPollThread = nullptr;
u8 curCard = 0;

namespace {

void EmptySlots() {
    for (s_mem_card& card : MemCard) {
        card.status.word = Mem_Card_Empty | Mem_Card_Not_Ready;
        card.memSize = 0;
        card.sectorSize = 0;
    }
}

void CardReady(s_mem_card& card, s32 memSize, s32 sectorSize) {
    u32 word = card.status.word;
    if ((word & Mem_Card_Present) == 0)
        word |= Mem_Card_Swapped;
    word = (word | Mem_Card_Present) & ~(Mem_Card_Empty | Mem_Card_Not_Ready);
    if (sectorSize != MEMCARD_SECTOR_SIZE)
        word |= Mem_Card_Bad_Size;
    card.status.word = word;
    card.memSize = memSize;
    card.sectorSize = sectorSize;
}

void CardUnusable(s_mem_card& card, u32 word) {
    card.status.word = word;
    card.memSize = 0;
    card.sectorSize = 0;
    card.freeBytes = -1;
    card.freeDirEntries = -1;
}

}  // namespace

e_error_code MemCardColdReset() {
    // The slots' status as at power-on: a change flag left up would make the next
    // save take the storage for swapped.
    for (s_mem_card& card : MemCard)
        card = {};
    return RET_NO_ERROR;
}

e_error_code MemCardWarmReset() {
    MemCardPollThread =
        ThreadInsertPriority(nullptr, nullptr, MemCardPollThreadFunc, nullptr, MEMCARD_POLL_PRIORITY);
    EmptySlots();
    MemCardEnable = 0;
    EventWait(1);
    return RET_NO_ERROR;
}

void MemCardActivate() {
    MemCardEnable = 1;
}

void MemCardDeactivate() {
    MemCardEnable = 0;
    EmptySlots();
}

u_MCARD_STATUS MemCardGetStatus(u32 cardNum) {
    return cardNum < MEMCARD_SLOTS ? MemCard[cardNum].status : u_MCARD_STATUS{Mem_Card_Empty};
}

void MemCardPollThreadFunc(s_thread*, void*) {
    if (MemCardEnable == 0)
        return;
    if (curCard >= MEMCARD_SLOTS)
        curCard = 0;
    s_mem_card& card = MemCard[curCard];
    s32 memSize = 0;
    s32 sectorSize = 0;
    const s32 result = CARDProbeEx(curCard, &memSize, &sectorSize);
    if (result == CARD_RESULT_BUSY)
        return;  // the same slot again next pass
    if (result == CARD_RESULT_READY)
        CardReady(card, memSize, sectorSize);
    else
        CardUnusable(card, result == CARD_RESULT_WRONGDEVICE ? Mem_Card_Present | Mem_Card_Wrong_Device
                                                             : Mem_Card_Empty);
    ++curCard;
}
