// DVD transfers. A transfer is logged (while a test asks) and its fate (failing or not) decided when
// it starts; its bytes move when it completes, after the drive's latency and once
// the drive reports no error. The bytes that exist are moved: a read at or past
// the end of the file comes back short.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/dvd/dvd_drive.h"
#include "console/dvd/dvd_path.h"
#include "console/host_services.h"
#include "console/os/clock.h"
#include "console/os/poll.h"

namespace {

struct Transfer {
    u32 id;
    DVDFileInfo* info;
    void* addr;
    u32 length;
    u32 offset;
    bool fails;
    bool canceled;
};

constexpr OSTime kDefaultLatency = OSMillisecondsToTicks(1);
// How often a drive that reports an error looks again.
constexpr OSTime kHoldRecheck = console::kRetracePeriod;

std::vector<Transfer> s_transfers;
u32 s_lastId = 0;
OSTime s_latency = kDefaultLatency;
s32 s_status = DVD_STATE_END;
u32 s_failing = 0;
bool s_logging = false;
std::vector<HostDVDTransfer> s_log;

bool Holding() {
    return s_status == DVD_STATE_NO_DISK || s_status == DVD_STATE_COVER_OPEN ||
           s_status == DVD_STATE_WRONG_DISK || s_status == DVD_STATE_RETRY;
}

bool Valid(const DVDFileInfo* info, void* addr, s32 length, s32 offset) {
    return info != nullptr && info->entrynum >= 0 && addr != nullptr && length >= 0 && offset >= 0;
}

// Logs a transfer when a test asked; true when it is one of those set to fail.
bool Begin(const DVDFileInfo* info, void* addr, u32 length, u32 offset) {
    if (s_logging)
        s_log.push_back(HostDVDTransfer{info->entrynum, offset, length, addr});
    if (s_failing == 0)
        return false;
    --s_failing;
    return true;
}

s32 Move(const DVDFileInfo* info, void* addr, u32 length, u32 offset, bool fails) {
    if (fails || s_status == DVD_STATE_FATAL_ERROR)
        return DVD_RESULT_FATAL_ERROR;
    std::FILE* file = std::fopen(console::DVDHostPath(info->entrynum).c_str(), "rb");
    if (file == nullptr)
        return DVD_RESULT_FATAL_ERROR;
    std::size_t moved = 0;
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0)
        moved = std::fread(addr, 1, length, file);
    std::fclose(file);
    return static_cast<s32>(moved);
}

void Finish(DVDFileInfo* info, s32 result) {
    info->transferredSize = static_cast<u32>(std::max(result, 0));
}

void* ContextOf(u32 id) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
}

void Complete(void* context) {
    const u32 id = static_cast<u32>(reinterpret_cast<std::uintptr_t>(context));
    const auto it =
        std::find_if(s_transfers.begin(), s_transfers.end(), [id](const Transfer& t) { return t.id == id; });
    if (it == s_transfers.end())
        return;  // cancelled or forgotten earlier
    if (!it->canceled && Holding()) {
        console::PollSchedule(console::ClockNow() + kHoldRecheck, Complete, context);
        return;
    }
    const Transfer transfer = *it;
    s_transfers.erase(it);
    const s32 result = transfer.canceled ? DVD_RESULT_CANCELED
                                         : Move(transfer.info, transfer.addr, transfer.length,
                                                transfer.offset, transfer.fails);
    DVDFileInfo* info = transfer.info;
    Finish(info, result);
    info->transfer = 0;
    const DVDCallback callback = info->callback;
    info->callback = nullptr;
    if (callback != nullptr)
        callback(result, info);
}

std::vector<Transfer>::iterator Find(const DVDFileInfo* info) {
    return std::find_if(s_transfers.begin(), s_transfers.end(),
                        [info](const Transfer& t) { return t.info == info; });
}

}  // namespace

BOOL DVDReadAsyncPrio(DVDFileInfo* fileInfo, void* addr, s32 length, s32 offset, DVDCallback callback,
                      s32 /*prio*/) {
    HostMemoryScope hostMemory;
    console::PollScope call;  // the completion never comes inside this call
    console::Poll();
    if (!Valid(fileInfo, addr, length, offset) || fileInfo->transfer != 0)
        return FALSE;
    if (++s_lastId == 0)
        ++s_lastId;
    const u32 ulength = static_cast<u32>(length);
    const u32 uoffset = static_cast<u32>(offset);
    const bool fails = Begin(fileInfo, addr, ulength, uoffset);
    s_transfers.push_back(Transfer{s_lastId, fileInfo, addr, ulength, uoffset, fails, false});
    fileInfo->transfer = s_lastId;
    fileInfo->callback = callback;
    console::PollSchedule(console::ClockNow() + s_latency, Complete, ContextOf(s_lastId));
    return TRUE;
}

s32 DVDReadPrio(DVDFileInfo* fileInfo, void* addr, s32 length, s32 offset, s32 /*prio*/) {
    HostMemoryScope hostMemory;
    if (console::PollDelivering())
        OSPanic(__FILE_NAME__, __LINE__, "DVDReadPrio(): called from a callback\n");
    if (!Valid(fileInfo, addr, length, offset) || fileInfo->transfer != 0)
        return DVD_RESULT_FATAL_ERROR;
    const u32 ulength = static_cast<u32>(length);
    const u32 uoffset = static_cast<u32>(offset);
    const bool fails = Begin(fileInfo, addr, ulength, uoffset);
    console::PollWaitUntil(console::ClockNow() + s_latency);
    while (Holding())
        console::PollWaitUntil(console::ClockNow() + kHoldRecheck);
    const s32 result = Move(fileInfo, addr, ulength, uoffset, fails);
    Finish(fileInfo, result);
    return result;
}

s32 DVDCancel(DVDFileInfo* fileInfo) {
    console::PollScope call;
    const auto it = Find(fileInfo);
    if (it == s_transfers.end())
        return -1;
    it->canceled = true;
    console::PollSchedule(console::ClockNow(), Complete, ContextOf(it->id));
    return 0;
}

namespace console {

void DVDDriveReset() {
    DVDNamesReset();
    s_transfers.clear();
    s_latency = kDefaultLatency;
    s_status = DVD_STATE_END;
    s_failing = 0;
    s_logging = false;
    s_log.clear();
}

void DVDDriveForget(DVDFileInfo* fileInfo) {
    const auto it = Find(fileInfo);
    if (it != s_transfers.end())
        s_transfers.erase(it);
    fileInfo->transfer = 0;
    fileInfo->callback = nullptr;
}

s32 DVDDriveStatus() {
    if (s_status != DVD_STATE_END)
        return s_status;
    return s_transfers.empty() ? DVD_STATE_END : DVD_STATE_BUSY;
}

}  // namespace console

void HostDVDSetReadLatency(OSTime ticks) {
    s_latency = ticks;
}
void HostDVDSetDriveStatus(s32 status) {
    s_status = status;
}
void HostDVDFailTransfers(u32 count) {
    s_failing = count;
}
const std::vector<HostDVDTransfer>& HostDVDTransferLog() {
    return s_log;
}
void HostDVDRecordTransfers() {
    s_logging = true;
    s_log.clear();
}
