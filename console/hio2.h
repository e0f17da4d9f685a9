// HIO2: the host I/O channel of development hardware. The host and the console each
// have a 32-bit mailbox, and the console writes into a block of the host's memory.
// A console without the channel (the default here) fails HIO2Init; tests attach a
// virtual host (console/hio2/hio2_control.h).
#pragma once

#include "console/types.h"

using HIO2DeviceType = s32;
constexpr HIO2DeviceType HIO2_DEVICE_INVALID = -1;

using HIO2Handle = s32;
constexpr HIO2Handle HIO2_HANDLE_INVALID = -1;

// Called once per device found; returning FALSE stops the enumeration.
using HIO2EnumCallback = BOOL (*)(HIO2DeviceType type);
// Interrupt level: a word has arrived in the console's mailbox / the host has gone.
using HIO2ReceiveCallback = void (*)(HIO2Handle handle);
using HIO2DisconnectCallback = void (*)(HIO2Handle handle);

// FALSE when the console has no host channel.
BOOL HIO2Init();
// FALSE before a successful HIO2Init.
BOOL HIO2EnumDevices(HIO2EnumCallback callback);
// HIO2_HANDLE_INVALID when no such device is present or it is already open.
HIO2Handle HIO2Open(HIO2DeviceType type, HIO2ReceiveCallback receive, HIO2DisconnectCallback disconnect);
BOOL HIO2Close(HIO2Handle handle);
// The console's mailbox: the word the host wrote last.
BOOL HIO2ReadMailbox(HIO2Handle handle, u32* mail);
// The host's mailbox; FALSE while the host is busy (try again).
BOOL HIO2WriteMailbox(HIO2Handle handle, u32 mail);
// Copies `size` bytes to the host's memory at `addr`; FALSE while the host is busy
// (try again) or when the range lies outside the host's memory.
BOOL HIO2Write(HIO2Handle handle, u32 addr, const void* buffer, s32 size);
