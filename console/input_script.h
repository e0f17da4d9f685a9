// The input script: what the remotes do, frame by frame, in virtual mode (the
// format is in docs/input.md). Internal to the console.
#pragma once

#include <memory>
#include <string>

#include "console/remote.h"

namespace console {

// The script in the file (an empty path: no remote is ever connected). A file
// that cannot be read or parsed is fatal.
std::unique_ptr<RemoteSource> LoadScriptSource(const std::string& path);

}  // namespace console
