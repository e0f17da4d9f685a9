// The alley's particle effects for its archive.
#pragma once

#include "tools/discbuild/WadWriter.h"

namespace modelgen {

// The effects' texture, sprite set and attributes, after everything else.
void AddAlleyEffects(discbuild::WadWriter* wad);

}  // namespace modelgen
