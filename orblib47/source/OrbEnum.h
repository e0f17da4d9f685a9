// Name tables of enumerations: one row per value with its keyword and description,
// ended by a row of zeros.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_orb_enum {
    s32 value;
    const char* keyword;
    const char* description;
};
