// Test controls of the host I/O channel: a virtual host that posts mailbox words and
// sees what the console writes. HostInit detaches it and clears its logs.
#pragma once

#include <span>
#include <vector>

#include "console/hio2.h"

// Bytes of the host's memory that the console can write.
constexpr u32 kHostHIO2MemorySize = 64 * 1024;

// A host on a device of the given type from now on.
void HostHIO2Attach(HIO2DeviceType type);
// The host goes away: an open channel gets its disconnect callback at the next poll
// point, and the device is no longer found.
void HostHIO2Detach();
bool HostHIO2IsOpen();

// The host writes the console's mailbox; the receive callback runs at the next poll
// point.
void HostHIO2PostMail(u32 mail);
// Called whenever the console writes the host's mailbox (after it is logged), so a
// host can answer at once; null: none.
using HostHIO2MailFunc = void (*)(u32 mail, void* context);
void HostHIO2SetMailHandler(HostHIO2MailFunc handler, void* context);
// The next count writes (data or mailbox) fail as a busy host makes them.
void HostHIO2FailWrites(u32 count);

// Every word the console wrote to the host's mailbox, in order.
const std::vector<u32>& HostHIO2SentMail();
struct HostHIO2Write {
    u32 addr;
    u32 size;
};
// Every data write that reached the host, in order.
const std::vector<HostHIO2Write>& HostHIO2Writes();
std::span<const u8> HostHIO2Memory();
