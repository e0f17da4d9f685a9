#!/usr/bin/env bash
# Checks the include layering and the formatting, builds everything under
# AddressSanitizer and UndefinedBehaviorSanitizer with warnings as errors, and runs
# every test, then each test executable whole in one shuffled process and each
# benchmark once; then builds the game tests in a Release (-O3) build linked with
# link-time optimisation and runs them there too, so that films and pictures that
# drift with the optimiser fail, with the whole-game benchmark; last,
# builds the fuzz harnesses with clang and replays their seeds.
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
# The tests' files go to a folder of the build: the same names under /tmp would be
# shared with test runs of other checkouts on the machine.
tests_tmp() {
    rm -rf "$1/tmp"
    mkdir -p "$1/tmp"
    echo "$1/tmp"
}
tmp="$(tests_tmp "$build")"
TMPDIR="$tmp" TEST_TMPDIR="$tmp/" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

# CTest runs one test per process. Each test executable runs once more whole (the
# game's in shards), in one process and a shuffled order, so that state outliving
# the resets fails; the
# benchmarks run one iteration each beside them, so that a broken one fails too.
# The order follows the commit, so a run can be repeated; BOWLING_TEST_SEED=N
# replays another (seeds are 1..99999).
commit="$(git -C "$root" rev-parse --short=7 HEAD 2>/dev/null || echo 1)"
seed="${BOWLING_TEST_SEED:-$(( 16#${commit//[^0-9a-f]/} % 99999 + 1 ))}"
echo "Whole-process runs: --gtest_shuffle --gtest_random_seed=$seed"
runs="$build/whole-process"
rm -rf "$runs"
# A run is an executable, or a shard of one (gtest's own sharding: "game_tests.2"
# is its third shard, replayed with GTEST_TOTAL_SHARDS and GTEST_SHARD_INDEX).
# The suites that only start the programs as child processes leave nothing behind
# in the test process: these runs pass them over.
run_whole() {
    local exe="$1" shards="${2:-1}" index="${3:-0}"
    local dir="$runs/$exe${3+.$3}"
    mkdir -p "$dir/tmp"
    (cd "$dir" && TEST_TMPDIR="$dir/tmp/" TMPDIR="$dir/tmp" \
        GTEST_TOTAL_SHARDS="$shards" GTEST_SHARD_INDEX="$index" \
        "$build/tests/$exe" --gtest_shuffle --gtest_random_seed="$seed" \
        --gtest_filter='-*Program*Test.*:DocExamplesTest.*' > log.txt 2>&1)
}
run_benchmarks() {
    mkdir -p "$runs/benchmarks"
    cd "$runs/benchmarks"
    local status=0
    for bench in "$build"/bench/bench_*; do
        [ -f "$bench" ] && [ -x "$bench" ] || continue
        # The whole game's 3,000 frames take minutes here: the Release build runs it.
        [ "$(basename "$bench")" = bench_game ] && continue
        "$bench" --benchmark_min_time=0 >> log.txt 2>&1 || status=1
    done
    # A benchmark that stops with an error still exits 0.
    ! grep -q "ERROR OCCURRED" log.txt && return $status
}
declare -A pids
for exe in console_tests engine_tests; do
    run_whole "$exe" &
    pids[$exe]=$!
done
# The game's tests take the longest in one process: they run in shards beside each
# other.
game_shards=$(( $(nproc) >= 8 ? 4 : 2 ))
for ((i = 0; i < game_shards; i++)); do
    run_whole game_tests "$game_shards" "$i" &
    pids[game_tests.$i]=$!
done
run_benchmarks &
pids[benchmarks]=$!
failed=0
for name in "${!pids[@]}"; do
    if wait "${pids[$name]}"; then
        echo "$name: passed"
    else
        echo "$name: FAILED with seed $seed (of $game_shards game shards); from $runs/$name/log.txt:"
        grep -E "^\[  FAILED  \]|ERROR OCCURRED|runtime error" "$runs/$name/log.txt" | head -20 || true
        grep "^\[ RUN" "$runs/$name/log.txt" | tail -1 || true
        grep -A30 "ERROR: AddressSanitizer" "$runs/$name/log.txt" | head -30 || true
        tail -n 30 "$runs/$name/log.txt"
        failed=1
    fi
done
[ "$failed" -eq 0 ]

# The Release build links with link-time optimisation, as distributions build: the
# optimiser then inlines across files, and films or pictures that drift with it fail.
release="$root/build/release-lto"
cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBOWLING_WERROR=ON \
    -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON > /dev/null
cmake --build "$release" --target game_tests bench_game
tmp="$(tests_tmp "$release")"
TMPDIR="$tmp" TEST_TMPDIR="$tmp/" ctest --test-dir "$release" -L '^game$' --output-on-failure -j "$(nproc)"
(cd "$tmp" && "$release/bench/bench_game" --benchmark_min_time=0 > bench_game.txt 2>&1) ||
    { cat "$tmp/bench_game.txt"; exit 1; }
! grep -q "ERROR OCCURRED" "$tmp/bench_game.txt" || { cat "$tmp/bench_game.txt"; exit 1; }

# The fuzz harnesses build with clang and write their seeds, so a fault that only
# clang's code shows (in the writers or the harnesses) cannot come back unseen.
bash "$root/scripts/fuzz.sh" --check
