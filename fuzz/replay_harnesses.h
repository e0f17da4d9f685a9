// The harnesses linked into the replay program, by name (the build writes the
// table).
#pragma once

#include <cstddef>
#include <span>

#include "console/types.h"

struct ReplayHarness {
    const char* name;
    int (*run)(const u8* data, std::size_t size);
};

std::span<const ReplayHarness> ReplayHarnesses();
