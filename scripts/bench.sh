#!/usr/bin/env bash
# Measures how much CPU an idle Varnok costs under Wine: Varnok.exe runs beside
# the stand-in game (console present, nothing happening) and the user+system
# time of its Wine process is read from /proc before and after a 60-second
# window. Prints the share of one core, also for the game and the wineserver.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

bench_dir="$build_root/bench"
window="${VARNOK_BENCH_SECONDS:-60}"

# The Linux process of a Windows program of this prefix whose command line names $1.
wine_pid_of() {
    local pattern="$1" pid
    for pid in $(pgrep -f -- "$pattern" || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

cpu_ticks() {  # utime + stime of a process, in clock ticks
    awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

if [ "${1:-}" = "--session" ]; then
    "$wine_bin" build/windows/tools/standin/standin.exe --name Padawan &
    sleep 2
    (cd "$bench_dir" && exec "$wine_bin" Varnok.exe) &
    sleep 8  # start-up settles
    varnok=$(wine_pid_of 'Varnok\.exe') || { echo "bench: Varnok.exe is not running" >&2; exit 1; }
    game=$(wine_pid_of 'standin\.exe') || game=""
    server=$(wine_pid_of 'wineserver') || server=""
    declare -A before
    for p in $varnok $game $server; do before[$p]=$(cpu_ticks "$p"); done
    echo "bench: measuring ${window} s of idle time..."
    sleep "$window"
    hz=$(getconf CLK_TCK)
    report() {
        local label="$1" pid="$2"
        [ -n "$pid" ] && [ -r "/proc/$pid/stat" ] || return 0
        local used=$(($(cpu_ticks "$pid") - before[$pid]))
        awk -v l="$label" -v t="$used" -v hz="$hz" -v s="$window" \
            'BEGIN { printf "%-11s %6.2f %% of one core (%.2f s CPU in %d s)\n", l, 100 * t / hz / s, t / hz, s }'
    }
    report "Varnok:" "$varnok"
    report "game:" "$game"
    report "wineserver:" "$server"
    stop_wine_prefix
    exit 0
fi

prepare_varnok_folder "$bench_dir"
with_display bash "$0" --session
