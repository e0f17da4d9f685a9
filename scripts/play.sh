#!/usr/bin/env bash
# Builds the game and runs it: in a window, or headless with --headless.
# Arguments go to the game (for example: --headless --frames 600).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBOWLING_TESTS=OFF > /dev/null
cmake --build "$root/build/release" --target bowling
exec "$root/build/release/source/bowling" "$@"
