// CRC-32 (the reflected 0xEDB88320 polynomial, initial and final value all ones),
// the checksum of the save file.
#pragma once

#include "orblib47/source/OrbTypes.h"

u32 Crc32(const u8* data, u32 length);
