// The host I/O channel with at most one virtual host behind it.
#include "console/hio2.h"

#include <array>
#include <cstring>

#include "console/hio2/hio2_control.h"
#include "console/hio2/hio2_reset.h"
#include "console/host_services.h"
#include "console/os/clock.h"
#include "console/os/poll.h"

namespace {

constexpr HIO2Handle kHandle = 0;  // the one device's channel

struct Channel {
    bool attached = false;
    HIO2DeviceType type = HIO2_DEVICE_INVALID;
    bool initialised = false;
    bool open = false;
    HIO2ReceiveCallback receive = nullptr;
    HIO2DisconnectCallback disconnect = nullptr;
    u32 consoleMailbox = 0;
    u32 failWrites = 0;
    HostHIO2MailFunc mailHandler = nullptr;
    void* mailContext = nullptr;
};

Channel s_channel;
HIO2DisconnectCallback s_lostChannel = nullptr;  // waiting for delivery
std::vector<u32> s_sentMail;
std::vector<HostHIO2Write> s_writes;
std::array<u8, kHostHIO2MemorySize> s_memory;

bool IsOpen(HIO2Handle handle) {
    return handle == kHandle && s_channel.open;
}

// A busy host refuses writes until the scripted failures are used up.
bool HostBusy() {
    if (s_channel.failWrites == 0)
        return false;
    --s_channel.failWrites;
    return true;
}

void DeliverMail(void*) {
    if (s_channel.open && s_channel.receive != nullptr)
        s_channel.receive(kHandle);
}

void DeliverDisconnect(void*) {
    const HIO2DisconnectCallback callback = s_lostChannel;
    s_lostChannel = nullptr;
    if (callback != nullptr)
        callback(kHandle);
}

}  // namespace

namespace console {

void HIO2Reset() {
    s_channel = Channel{};
    s_lostChannel = nullptr;
    s_sentMail.clear();
    s_writes.clear();
    s_memory.fill(0);
}

}  // namespace console

BOOL HIO2Init() {
    s_channel.initialised = s_channel.attached;
    return s_channel.initialised;
}

BOOL HIO2EnumDevices(HIO2EnumCallback callback) {
    if (!s_channel.initialised)
        return FALSE;
    if (s_channel.attached)
        callback(s_channel.type);
    return TRUE;
}

HIO2Handle HIO2Open(HIO2DeviceType type, HIO2ReceiveCallback receive, HIO2DisconnectCallback disconnect) {
    if (!s_channel.initialised || !s_channel.attached || type != s_channel.type || s_channel.open)
        return HIO2_HANDLE_INVALID;
    s_channel.open = true;
    s_channel.receive = receive;
    s_channel.disconnect = disconnect;
    return kHandle;
}

BOOL HIO2Close(HIO2Handle handle) {
    if (!IsOpen(handle))
        return FALSE;
    s_channel.open = false;
    return TRUE;
}

BOOL HIO2ReadMailbox(HIO2Handle handle, u32* mail) {
    if (!IsOpen(handle))
        return FALSE;
    *mail = s_channel.consoleMailbox;
    return TRUE;
}

BOOL HIO2WriteMailbox(HIO2Handle handle, u32 mail) {
    if (!IsOpen(handle) || HostBusy())
        return FALSE;
    {
        HostMemoryScope hostMemory;
        s_sentMail.push_back(mail);
    }
    if (s_channel.mailHandler != nullptr)
        s_channel.mailHandler(mail, s_channel.mailContext);
    return TRUE;
}

BOOL HIO2Write(HIO2Handle handle, u32 addr, const void* buffer, s32 size) {
    if (!IsOpen(handle) || size < 0 || addr > s_memory.size() || u32(size) > s_memory.size() - addr)
        return FALSE;
    if (HostBusy())
        return FALSE;
    std::memcpy(s_memory.data() + addr, buffer, size_t(size));
    HostMemoryScope hostMemory;
    s_writes.push_back(HostHIO2Write{addr, u32(size)});
    return TRUE;
}

void HostHIO2Attach(HIO2DeviceType type) {
    s_channel.attached = true;
    s_channel.type = type;
}

void HostHIO2Detach() {
    s_channel.attached = false;
    if (!s_channel.open)
        return;
    s_channel.open = false;
    s_lostChannel = s_channel.disconnect;
    console::PollSchedule(console::ClockNow(), DeliverDisconnect, nullptr);
}

bool HostHIO2IsOpen() {
    return s_channel.open;
}

void HostHIO2PostMail(u32 mail) {
    s_channel.consoleMailbox = mail;
    console::PollSchedule(console::ClockNow(), DeliverMail, nullptr);
}

void HostHIO2SetMailHandler(HostHIO2MailFunc handler, void* context) {
    s_channel.mailHandler = handler;
    s_channel.mailContext = context;
}

void HostHIO2FailWrites(u32 count) {
    s_channel.failWrites = count;
}

const std::vector<u32>& HostHIO2SentMail() {
    return s_sentMail;
}

const std::vector<HostHIO2Write>& HostHIO2Writes() {
    return s_writes;
}

std::span<const u8> HostHIO2Memory() {
    return s_memory;
}
