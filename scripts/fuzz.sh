#!/usr/bin/env bash
# Builds the fuzz harnesses with clang and libFuzzer (build/fuzz) and runs each
# for a while on its seeds and its committed corpus (docs/fuzzing.md).
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]   (default: 60 seconds each, every harness)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
[ $# -gt 0 ] && shift
bash "$root/scripts/deps.sh"

# clang and its runtime libraries (libFuzzer and the sanitizers).
missing=()
for package in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBOWLING_FUZZ=ON \
    > /dev/null
cmake --build "$build" --target fuzz_harnesses

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for program in "$build"/fuzz/fuzz_*; do
        harnesses+=("$(basename "$program" | sed 's/^fuzz_//')")
    done
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
for harness in "${harnesses[@]}"; do
    # New inputs go to the first folder (kept between runs); findings to crashes/.
    corpus="$build/fuzz/corpus/$harness"
    mkdir -p "$corpus" "$build/fuzz/crashes"
    inputs=("$corpus" "$build/fuzz/seeds/$harness")
    [ -d "$root/fuzz/corpus/$harness" ] && inputs+=("$root/fuzz/corpus/$harness")
    echo "== $harness: $seconds s"
    "$build/fuzz/fuzz_$harness" "${inputs[@]}" -max_total_time="$seconds" -max_len=4096 \
        -artifact_prefix="$build/fuzz/crashes/$harness-" -print_final_stats=1 || failed+=("$harness")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]} (see $build/fuzz/crashes/)"
    exit 1
fi
