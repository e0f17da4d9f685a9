// Leaving the program in the engine's reset and disc-error tests: the console's
// restart and switch-off throw instead, and frames run until one of them comes.
#pragma once

#include <optional>

#include "console/os/reset_control.h"
#include "orblib47/source/OrbLib.h"

// How the program was left: the restart code, or kShutdown.
struct ProgramLeft {
    int code;
};
constexpr int kShutdown = -1;

inline void ThrowRestart(u32 code) {
    throw ProgramLeft{int(code)};
}
inline void ThrowShutdown() {
    throw ProgramLeft{kShutdown};
}

inline void CatchLeaving() {
    HostSetRestartHandler(ThrowRestart);
    HostSetShutdownHandler(ThrowShutdown);
}

// Runs `body`; how it left the program, or nothing when it returned.
template <typename Body>
std::optional<int> Leaving(Body body) {
    try {
        body();
    } catch (const ProgramLeft& left) {
        return left.code;
    }
    return std::nullopt;
}

inline std::optional<int> RunFrames(int frames) {
    return Leaving([frames] { EventWait(frames); });
}
