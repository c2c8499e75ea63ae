#!/usr/bin/env bash
# Builds the fuzz preset and runs the libFuzzer targets side by side for a
# short while (VARNOK_FUZZ_SECONDS, 20 by default), each over its seeds in
# tests/fuzz/corpus/<target>. Inputs found on the way go to build/fuzz/work,
# so the seeds in the repository stay as they are. Exits non-zero on a
# finding: a crash, a sanitizer report or a broken invariant, whose input is
# kept in build/fuzz/findings.
# Usage: bash scripts/fuzz.sh [target]...
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds="${VARNOK_FUZZ_SECONDS:-20}"
bash scripts/build.sh fuzz >/dev/null || { echo "fuzz: build failed" >&2; exit 1; }

targets=("$@")
if ((${#targets[@]} == 0)); then
    for dir in tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# The engine target makes a program folder per input: keep it in memory.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

mkdir -p build/fuzz/findings
# The targets run side by side: the run takes the time of one.
pids=()
for target in "${targets[@]}"; do
    work="build/fuzz/work/$target"
    mkdir -p "$work"
    build/fuzz/"$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -artifact_prefix="build/fuzz/findings/$target-" -print_final_stats=1 \
        "$work" "tests/fuzz/corpus/$target" >"build/fuzz/$target.log" 2>&1 &
    pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
    target="${targets[$i]}"
    if wait "${pids[$i]}"; then
        runs=$(grep -aoE "stat::number_of_executed_units: *[0-9]+" "build/fuzz/$target.log" |
            grep -oE "[0-9]+$")
        echo "fuzz: $target clean, ${runs:-?} inputs in ${seconds} s"
    else
        failed+=("$target")
        echo "fuzz: $target FOUND A FAULT (build/fuzz/$target.log):"
        grep -aE "invariant broken|ERROR: |runtime error|SUMMARY|Test unit written" \
            "build/fuzz/$target.log" | head -8 | sed 's/^/    /'
    fi
done

if ((${#failed[@]})); then
    echo "fuzz: findings in ${failed[*]}"
    exit 1
fi
echo "fuzz: all targets clean"
