// The remotes of the window: keyboard, mouse and SDL2 game controllers (the
// mapping is in docs/input.md). Internal to the console.
#pragma once

#include <memory>

#include "console/remote.h"

namespace console {

std::unique_ptr<RemoteSource> MakeWindowSource();

}  // namespace console
