// Memory card: a status word for each of the two memory card slots, kept up to
// date by a per-frame task that probes one slot per pass while polling is on.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_thread;

// u_MCARD_STATUS bits, from the most significant.
constexpr u32 Mem_Card_Empty = 0x80000000u;
constexpr u32 Mem_Card_Present = 0x40000000u;
constexpr u32 Mem_Card_Not_Formatted = 0x20000000u;
constexpr u32 Mem_Card_Bad = 0x10000000u;
constexpr u32 Mem_Card_File_Not_Found = 0x08000000u;
constexpr u32 Mem_Card_Is_Mounted = 0x04000000u;
constexpr u32 Mem_Card_Mount_Error = 0x02000000u;
constexpr u32 Mem_Card_IO_Failed = 0x01000000u;
constexpr u32 Mem_Card_Busy = 0x00800000u;
constexpr u32 Mem_Card_Not_Ready = 0x00400000u;
constexpr u32 Mem_Card_Swapped = 0x00200000u;
constexpr u32 Mem_Card_Fatal_Error = 0x00100000u;
constexpr u32 Mem_Card_Format_Error = 0x00080000u;
constexpr u32 Mem_Card_IO_Complete = 0x00040000u;
constexpr u32 Mem_Card_Bad_Size = 0x00020000u;
constexpr u32 Mem_Card_Bad_Encoding = 0x00010000u;
constexpr u32 Mem_Card_Is_Full = 0x00008000u;
constexpr u32 Mem_Card_Poll_In_Progress = 0x00004000u;
constexpr u32 Mem_Card_Disabled = 0x00002000u;
constexpr u32 Mem_Card_Wrong_Device = 0x00001000u;
constexpr u32 Mem_Card_Damaged = 0x00000800u;
constexpr u32 Mem_Card_Size_Mismatch = 0x00000400u;
constexpr u32 Mem_Card_Data_Corrupt = 0x00000200u;
constexpr u32 Mem_Card_Changed = 0x00000100u;

struct u_MCARD_STATUS {
    u32 word;
};

struct s_mem_card {
    u_MCARD_STATUS status;
    s32 memSize;         // as the probe reported it; 0 when no card
    s32 sectorSize;      // as the probe reported it; 0 when no card
    s32 freeDirEntries;  // -1 after a probe found no usable card
    s32 freeBytes;       // -1 after a probe found no usable card
};

constexpr u32 MEMCARD_SLOTS = 2;
constexpr u32 MEMCARD_POLL_PRIORITY = 32767;
constexpr s32 MEMCARD_SECTOR_SIZE = 8192;

extern s_mem_card MemCard[MEMCARD_SLOTS];
extern s32 MemCardEnable;
extern s_thread* MemCardPollThread;
extern u8 curCard;  // the slot the next pass probes

e_error_code MemCardColdReset();
// Registers the poll task, empties both slots, turns polling off and runs a frame.
e_error_code MemCardWarmReset();
void MemCardActivate();
// Turns polling off and empties both slots.
void MemCardDeactivate();
// Mem_Card_Empty alone for a slot that does not exist.
u_MCARD_STATUS MemCardGetStatus(u32 cardNum);
void MemCardPollThreadFunc(s_thread* task, void* record);
