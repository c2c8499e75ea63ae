# Sourced by scripts/test.sh: runs the stages of the test run with their
# whole output in a log file each (build/logs/<stage>.log), and prints a few
# lines a stage: its name when it starts, then its result and time; when it
# failed, also its log and the names of the failing tests. The reports below
# read a stage's log for its result line; `print_summary` repeats every
# stage's result at the end, and `all_passed` says whether all passed.

logs_dir=build/logs
summary=()
failures=0

# run_stage NAME TITLE REPORT COMMAND...: runs COMMAND with its output in
# build/logs/NAME.log; REPORT LOG EXIT-CODE prints the result (its first line
# the result itself, any further lines the details of a failure).
run_stage() {
    local name="$1" title="$2" report="$3"
    shift 3
    local log="$logs_dir/$name.log" started=$SECONDS
    echo "== $title"
    "$@" >"$log" 2>&1
    local rc=$?
    local seconds=$((SECONDS - started))
    local result
    result="$("$report" "$log" "$rc")"
    local first="${result%%$'\n'*}"
    if [ "$rc" -eq 0 ]; then
        printf '   ok: %s (%d s)\n' "$first" "$seconds"
        summary+=("$(printf '%-26s ok      %4d s  %s' "$title" "$seconds" "$first")")
    else
        failures=$((failures + 1))
        printf '   FAILED: %s (%d s); log: %s\n' "$first" "$seconds" "$log"
        [ "$result" != "$first" ] && printf '%s\n' "${result#*$'\n'}" | sed 's/^/     /'
        summary+=("$(printf '%-26s FAILED  %4d s  %s' "$title" "$seconds" "$first")")
    fi
    return "$rc"
}

print_summary() {
    echo
    echo "== summary (logs in $logs_dir)"
    printf '%s\n' "${summary[@]}"
    printf 'total %d s (%d min %02d s)\n' "$SECONDS" $((SECONDS / 60)) $((SECONDS % 60))
}

all_passed() { [ "$failures" -eq 0 ]; }

# --- reports: LOG EXIT-CODE -> result line [, details]

# The last line of the log (a script's own closing line), without the
# script's name in front.
report_last_line() {
    local line
    line="$(grep -av '^[[:space:]]*$' "$1" | tail -1 | sed -E 's/^(setup|package):? //')"
    echo "${line:-no output (exit code $2)}"
}

# A build: on failure, the compiler's errors or the failed commands.
report_build() {
    if [ "$2" -eq 0 ]; then
        echo "$(grep -c "^== build:" "$1") presets built"
        return
    fi
    echo "build failed (exit code $2)"
    grep -aE 'error:|^FAILED: |CMake Error' "$1" | head -12
}

# The failing tests of GoogleTest runs, by name; those of the end-to-end
# suite's pane pass marked so.
failing_tests() {
    tr -d '\r' <"$1" | awk '
        /^== end-to-end tests, Varnok on the pane/ { pane = 1 }
        /^== end-to-end tests, Varnok on the log/ { pane = 0 }
        /^\[  FAILED  \] [A-Za-z_].* \([0-9]+ ms\)$/ {
            sub(/^\[  FAILED  \] /, ""); sub(/ \([0-9]+ ms\)$/, "")
            print $0 (pane ? " (on the pane)" : "")
        }' | sort -u
}

# A run that ended without its tests' verdict: what stopped it.
stop_reasons() {
    grep -aE 'stopped at its|ERROR: |runtime error|SUMMARY: |is missing' "$1" | head -8
}

# Where Wine's own messages are, when the stage failed.
wine_logs() {
    [ "$2" -eq 0 ] && return 0
    local logs
    logs="$(grep -aoE "Wine's own messages: .*" "$1" | sort -u)"
    if [ "$(grep -c . <<<"$logs")" -gt 1 ]; then
        echo "Wine's own messages: $logs_dir/*.wine.log"
    elif [ -n "$logs" ]; then
        echo "$logs"
    fi
}

# GoogleTest programs, one or more runs in the log: the tests counted over
# all runs, and the failing ones by name.
report_gtest() {
    local ran passed failed
    ran=$(grep -aoE '^\[==========\] [0-9]+ tests? from .* ran' "$1" | awk '{s += $2} END {print s + 0}')
    passed=$(grep -aoE '^\[  PASSED  \] [0-9]+ test' "$1" | awk '{s += $4} END {print s + 0}')
    failed="$(failing_tests "$1")"
    if [ "$2" -eq 0 ]; then
        echo "$passed tests passed"
    elif [ -n "$failed" ]; then
        echo "$(grep -c . <<<"$failed") of $ran tests failed"
        echo "$failed"
    else
        echo "$passed of $ran tests passed, then stopped (exit code $2)"
        stop_reasons "$1"
    fi
    wine_logs "$1" "$2"
}

# The end-to-end suite: its own closing count of both passes.
report_e2e() {
    local counted failed
    counted="$(grep -a '^end-to-end: ' "$1" | tail -1 | sed 's/^end-to-end: //')"
    echo "${counted:-no result (exit code $2)}"
    failed="$(failing_tests "$1")"
    [ "$2" -ne 0 ] && [ -n "$failed" ] && echo "$failed"
    [ "$2" -ne 0 ] && [ -z "$failed" ] && stop_reasons "$1"
    wine_logs "$1" "$2"
}

# ctest: its closing count, and the failing tests by name.
report_ctest() {
    grep -aE 'tests passed|tests failed' "$1" | tail -1 | sed -E 's/^100% tests passed, 0 tests failed out of ([0-9]+)/\1 tests passed/'
    [ "$2" -ne 0 ] && sed -n '/The following tests FAILED:/,$p' "$1" | grep -aE '^[[:space:]]+[0-9]+ - ' |
        sed -E 's/^[[:space:]]+[0-9]+ - //'
    return 0
}

# The fuzz targets: how many ran clean, and the findings.
report_fuzz() {
    local clean
    clean=$(grep -ac '^fuzz: .* clean, ' "$1")
    if [ "$2" -eq 0 ]; then
        echo "$clean targets clean ($(grep -aoE 'in [0-9]+ s$' "$1" | head -1 | cut -d' ' -f2) s each)"
    else
        echo "a fault found; $clean targets clean"
        grep -aE 'FOUND A FAULT|^    ' "$1" | head -12
    fi
}
