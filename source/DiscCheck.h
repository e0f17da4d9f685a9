// Checks a folder before the engine starts on it as the disc: it is a folder, it
// holds what start-up loads, and those files parse.
#pragma once

#include <string>

// False, with a one-line reason, when the disc at `root` cannot start the game.
// Runs before HostInit: it takes the debug output for the engine's checks.
bool CheckDisc(const std::string& root, std::string* error);
