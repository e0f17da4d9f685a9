#!/usr/bin/env bash
# Builds the game and runs it: in a window, or headless with --headless.
# Arguments go to the game (for example: --headless --frames 600).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
# Linked with link-time optimisation: the physics runs faster, and CI checks that
# the films stay the same under it.
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBOWLING_TESTS=OFF \
    -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON > /dev/null
cmake --build "$root/build/release" --target bowling
exec "$root/build/release/source/bowling" "$@"
