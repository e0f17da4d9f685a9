// The 3-D state of the menus' bowler previews: the database's shell lights of a
// usage (or the default lights over a grey ambient), perspective, blended colour
// and a written depth.
#pragma once

#include "orblib47/source/OrbTypes.h"

void ShellPreviewBegin(u32 usage);
