#!/usr/bin/env bash
# Checks the include layering and the formatting, builds everything under
# AddressSanitizer and UndefinedBehaviorSanitizer with warnings as errors, and runs
# every test; then builds the game tests in a Release (-O3) build and runs them there
# too, so that films and pictures that drift with the optimiser fail.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
bash "$root/scripts/check_includes.sh"
bash "$root/scripts/check_format.sh"
build="$root/build/test"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBOWLING_SANITIZE=ON -DBOWLING_WERROR=ON > /dev/null
cmake --build "$build"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

release="$root/build/release-o3"
cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBOWLING_WERROR=ON > /dev/null
cmake --build "$release" --target game_tests
ctest --test-dir "$release" -L '^game$' --output-on-failure -j "$(nproc)"
