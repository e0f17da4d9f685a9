// The 400-byte big-endian material record of model chunks.
#pragma once

#include <array>

#include "orblib47/source/Material.h"

namespace discbuild {

// Encodes every file field of `material`; the run-time slots (pass textures,
// setupFunc) are written as 0.
std::array<u8, ORB_MATERIAL_FILE_SIZE> MaterialRecord(const s_ORB_MATERIAL& material);

}  // namespace discbuild
