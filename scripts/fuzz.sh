#!/usr/bin/env bash
# Builds the fuzz harnesses with clang and libFuzzer (build/fuzz) and runs each
# for a while on its seeds and its committed corpus (docs/fuzzing.md).
# Usage: scripts/fuzz.sh [-j JOBS] [SECONDS] [HARNESS...]
#            (default: 60 seconds each, every harness, one at a time; with JOBS > 1
#            each harness's output goes to build/fuzz/fuzz/logs/<harness>.log)
#        scripts/fuzz.sh --check
#            (CI: builds the harnesses at -O0 in build/fuzz-check, which writes the
#            seeds, and runs every harness once over its seeds and committed corpus)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
jobs=1
while [ $# -gt 0 ]; do
    case "$1" in
        --check) check=1; shift ;;
        -j) jobs="$2"; shift 2 ;;
        *) break ;;
    esac
done
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

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if [ "$check" -eq 1 ]; then
    # Cheap to build: -O0 and no debug information; the sanitizers, the assertions and
    # warnings as errors stay.
    build="$root/build/fuzz-check"
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS=-O0 \
        -DCMAKE_CXX_FLAGS=-O0 -DBOWLING_FUZZ=ON -DBOWLING_WERROR=ON > /dev/null
    cmake --build "$build" --target fuzz_harnesses
    failed=()
    for program in "$build"/fuzz/fuzz_*; do
        harness="$(basename "$program" | sed 's/^fuzz_//')"
        inputs=("$build/fuzz/seeds/$harness")
        [ -d "$root/fuzz/corpus/$harness" ] && inputs+=("$root/fuzz/corpus/$harness")
        "$program" -runs=0 "${inputs[@]}" > "$build/fuzz/$harness.log" 2>&1 ||
            { cat "$build/fuzz/$harness.log"; failed+=("$harness"); }
    done
    if [ ${#failed[@]} -gt 0 ]; then
        echo "Failed under clang: ${failed[*]}"
        exit 1
    fi
    exit 0
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

# Runs one harness; new inputs go to the first folder (kept between runs),
# findings to crashes/.
fuzz() {
    local harness="$1"
    local corpus="$build/fuzz/corpus/$harness"
    mkdir -p "$corpus" "$build/fuzz/crashes"
    local inputs=("$corpus" "$build/fuzz/seeds/$harness")
    [ -d "$root/fuzz/corpus/$harness" ] && inputs+=("$root/fuzz/corpus/$harness")
    echo "== $harness: $seconds s"
    "$build/fuzz/fuzz_$harness" "${inputs[@]}" -max_total_time="$seconds" \
        -artifact_prefix="$build/fuzz/crashes/$harness-" -print_final_stats=1
}

failed=()
if [ "$jobs" -le 1 ]; then
    for harness in "${harnesses[@]}"; do
        fuzz "$harness" || failed+=("$harness")
    done
else
    mkdir -p "$build/fuzz/logs"
    declare -A running=()
    collect() {
        local pid status=0
        wait -n -p pid "${!running[@]}" || status=$?
        [ "$status" -eq 0 ] || failed+=("${running[$pid]}")
        echo "== ${running[$pid]} done (status $status)"
        unset "running[$pid]"
    }
    for harness in "${harnesses[@]}"; do
        [ ${#running[@]} -lt "$jobs" ] || collect
        fuzz "$harness" > "$build/fuzz/logs/$harness.log" 2>&1 &
        running[$!]="$harness"
    done
    while [ ${#running[@]} -gt 0 ]; do
        collect
    done
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]} (see $build/fuzz/crashes/)"
    exit 1
fi
