#!/usr/bin/env bash
# Checks the include layering and the formatting, builds everything under
# AddressSanitizer and UndefinedBehaviorSanitizer with warnings as errors, and runs
# every test.
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
