#!/usr/bin/env bash
# What Varnok costs and how fast it answers, under Wine beside the stand-in
# game, printed as one table:
#   - idle CPU of Varnok.exe, and what it adds to the wineserver and the game
#     (their CPU over the same time without Varnok, subtracted), with the
#     console present, with N other top-level windows open (half hidden, by
#     tools/deskwindows), and with no game running;
#   - reaction from a chat line appearing in the pane to the first command
#     typed, for "!commands" and, less its 1 s pause, "!now";
#   - start-up: launch to the first "name" typed;
#   - the cost of one turn that reads a pane of 32 000 characters.
# CPU is user+system time from /proc; the times come from the stand-in's
# timing file. Takes about eight minutes with the defaults.
#
# Usage: bash scripts/bench.sh [--seconds S] [--windows N] [--rounds R] [--exe PATH]
#   --seconds  length of each idle measurement (default 20)
#   --windows  other top-level windows on the busy desktop (default 200)
#   --rounds   reaction rounds per command (default 100)
#   --exe      the Varnok.exe to measure (default build/windows/Varnok.exe)
#   --only P   run only the phases named in P, of: idle busy nogame reaction pane
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

seconds=20
windows=200
rounds=100
exe=build/windows/Varnok.exe
only="idle busy nogame reaction pane"
session=0
args=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        --windows) windows="$2"; shift 2 ;;
        --rounds) rounds="$2"; shift 2 ;;
        --exe) exe="$2"; shift 2 ;;
        --only) only="$2"; shift 2 ;;
        --session) session=1; shift ;;
        *) echo "bench: unknown argument $1" >&2; exit 2 ;;
    esac
done

bench_dir="$build_root/bench"
standin=build/windows/tools/standin/standin.exe
deskwindows=build/windows/tools/deskwindows/deskwindows.exe
settle=6  # seconds for a freshly started program to settle before measuring
hz=$(getconf CLK_TCK)

# The Linux process of a Windows program of this prefix whose command line names $1.
wine_pid_of() {
    local pattern="$1" pid
    for pid in $(pgrep -f -- "$pattern" || true); do
        if { tr "\0" "\n" <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

ticks_of() {  # utime + stime of the given processes, in clock ticks (gone ones count 0)
    local total=0 pid
    for pid in "$@"; do
        [ -r "/proc/$pid/stat" ] || continue
        total=$((total + $(awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat")))
    done
    echo "$total"
}

now_us() { echo $(($(date +%s%N) / 1000)); }

# CPU ticks the given processes use over the next $1 seconds.
ticks_over() {
    local span="$1" before
    shift
    before=$(ticks_of "$@")
    sleep "$span"
    echo $(($(ticks_of "$@") - before))
}

percent() {  # ticks over seconds as a share of one core
    awk -v t="$1" -v hz="$hz" -v s="$2" 'BEGIN { printf "%.2f %%", 100 * t / hz / s }'
}

start_game() {  # standin.exe with a timing file and optional script; prints nothing
    local timing="$1"
    shift
    "$wine_bin" "$standin" --name Padawan --timing "$(windows_path "$timing")" "$@" \
        >/dev/null 2>&1 &
}

start_varnok() {  # records the launch time in $bench_dir/launch-us
    now_us >"$bench_dir/launch-us"
    (cd "$bench_dir" && exec "$wine_bin" Varnok.exe) >/dev/null 2>&1 &
}

# Launch to the first "name" typed into the console, in ms; empty when none.
startup_ms() {
    local timing="$1" launch
    launch=$(cat "$bench_dir/launch-us")
    awk -v t0="$launch" '$2 == "typed" && $3 == "name" && $1 >= t0 {
        printf "%.0f", ($1 - t0) / 1000; exit }' "$timing"
}

startups=()
rows=()
row() { rows+=("$(printf '| %s | %s |' "$1" "$2")"); }

# Idle cost: the game and the wineserver without Varnok, then with it, over
# the same length of time. $1 label, $2 "game" or "nogame", $3 other windows.
idle_phase() {
    local label="$1" game="$2" others="$3" timing="$bench_dir/idle-timing.txt"
    stop_wine_prefix
    rm -f "$timing"
    [ "$others" -gt 0 ] && "$wine_bin" "$deskwindows" "$others" >/dev/null 2>&1 &
    [ "$game" = game ] && start_game "$timing"
    sleep "$settle"
    local others_pids
    others_pids="$(wine_pid_of wineserver || true) $(wine_pid_of 'standin\.exe' || true)"
    echo "bench: $label: ${seconds} s without Varnok..." >&2
    local without
    without=$(ticks_over "$seconds" $others_pids)
    start_varnok
    sleep "$settle"
    local varnok
    varnok=$(wine_pid_of 'Varnok\.exe') || { echo "bench: Varnok.exe is not running" >&2; exit 1; }
    echo "bench: $label: ${seconds} s with Varnok..." >&2
    local before_v before_o
    before_v=$(ticks_of "$varnok")
    before_o=$(ticks_of $others_pids)
    sleep "$seconds"
    local own=$(($(ticks_of "$varnok") - before_v)) added=$(($(ticks_of $others_pids) - before_o - without))
    row "idle, $label: Varnok.exe" "$(percent "$own" "$seconds")"
    row "idle, $label: added to wineserver + game" "$(percent "$added" "$seconds")"
    row "idle, $label: total" "$(percent $((own + added)) "$seconds")"
    if [ "$game" = game ]; then
        local ms
        ms=$(startup_ms "$timing")
        [ -n "$ms" ] && startups+=("$ms")
    fi
}

# p50 / p95 / max of the numbers on standard input, in ms.
percentiles() {
    sort -n | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "no rounds"; exit }
        p50 = v[int((NR - 1) * 0.50) + 1]; p95 = v[int((NR - 1) * 0.95) + 1]
        printf "p50 %.1f ms, p95 %.1f ms, max %.1f ms (%d rounds)", p50, p95, v[NR], NR }'
}

# Chat line in the pane to the first reply typed, less the prescribed pause,
# one value in ms per round of the word $2.
reactions() {
    local timing="$1" word="$2" pause_ms="$3"
    awk -v word="$word" -v pause="$pause_ms" '
        $2 == "control" && $3 == "chat" { waiting = ($4 == word); shown = $1; next }
        $2 == "typed" && waiting && ($3 == "say" || $3 == "echo") {
            printf "%.3f\n", ($1 - shown) / 1000 - pause; waiting = 0 }' "$timing"
}

# Reaction rounds: each round shows a chat line, waits for the replies, then
# empties the pane so that it never fills, and leaves the console quiet long
# enough for Varnok to poll at its slower, quiet pace when the next line comes.
# The waits vary a little so that the lines fall at every point of the polling.
reaction_phase() {
    local timing="$bench_dir/reaction-timing.txt" script="$bench_dir/reaction.txt" i
    stop_wine_prefix
    rm -f "$timing"
    {
        echo "wait $((settle * 1000 + 2000))"
        for ((i = 0; i < rounds; i++)); do
            echo "chat !commands r$i"
            echo "wait 300"
            echo "clearpane"
            echo "wait $((400 + i % 7 * 5))"
        done
        for ((i = 0; i < rounds; i++)); do
            echo "chat !now r$i"
            echo "wait 1150"
            echo "clearpane"
            echo "wait $((400 + i % 7 * 5))"
        done
    } >"$script"
    local total_ms=$((settle * 1000 + 2000 + rounds * (715 + 1565) + 2000))
    start_game "$timing" --script "$(windows_path "$script")"
    sleep 2
    start_varnok
    echo "bench: reaction: $rounds rounds of !commands and of !now..." >&2
    sleep "$(awk -v ms="$total_ms" 'BEGIN { print ms / 1000 }')"
    local ms
    ms=$(startup_ms "$timing")
    [ -n "$ms" ] && startups+=("$ms")
    row 'reaction, chat line to first command: "!commands"' \
        "$(reactions "$timing" '!commands' 0 | percentiles)"
    row 'reaction, less the 1000 ms pause: "!now"' "$(reactions "$timing" '!now' 1000 | percentiles)"
}

# A pane of 32 000 characters that grows by a short line every 50 ms (and is
# filled back to 32 000 now and then): Varnok reads the whole pane on each
# change. The CPU of Varnok and what it adds, over the number of changes.
pane_phase() {
    local timing="$bench_dir/pane-timing.txt" script="$bench_dir/pane.txt" r p
    local pane_rounds=20 prints=20
    {
        echo "wait $((settle * 1000))"
        for ((r = 0; r < pane_rounds; r++)); do
            echo "fill 32000"
            echo "wait 50"
            for ((p = 0; p < prints; p++)); do
                echo "print line $r.$p of the busy console\\r\\n"
                echo "wait 50"
            done
        done
    } >"$script"
    local span=$(((pane_rounds * (prints + 1) * 50) / 1000 + 1)) changes=$((pane_rounds * (prints + 1)))
    local run ticks=()
    for run in without with; do
        stop_wine_prefix
        rm -f "$timing"
        start_game "$timing" --script "$(windows_path "$script")"
        [ "$run" = with ] && start_varnok
        sleep $((settle - 1))
        local pids
        pids="$(wine_pid_of wineserver || true) $(wine_pid_of 'standin\.exe' || true)"
        [ "$run" = with ] && pids="$pids $(wine_pid_of 'Varnok\.exe' || true)"
        echo "bench: 32 000-character pane, $run Varnok..." >&2
        ticks+=("$(ticks_over $((span + 1)) $pids)")
    done
    row "one turn on a 32 000-character pane (all processes, per change)" \
        "$(awk -v a="${ticks[1]}" -v b="${ticks[0]}" -v n="$changes" -v hz="$hz" \
            'BEGIN { printf "%.2f ms CPU (%d changes)", 1000 * (a - b) / hz / n, n }')"
}

if [ "$session" = 0 ]; then
    if [ ! -f "$deskwindows" ]; then bash scripts/build.sh windows; fi
    prepare_varnok_folder "$bench_dir"
    cp "$exe" "$bench_dir/Varnok.exe"
    with_display bash "$0" --session "${args[@]}"
    exit $?
fi

wanted() { [[ " $only " == *" $1 "* ]]; }
wanted idle && idle_phase "console present" game 0
wanted busy && idle_phase "console present, $windows other windows" game "$windows"
wanted nogame && idle_phase "no game, $windows other windows" nogame "$windows"
wanted reaction && reaction_phase
wanted pane && pane_phase
stop_wine_prefix

startup="no start-up seen"
if [ ${#startups[@]} -gt 0 ]; then
    startup="$(printf '%s\n' "${startups[@]}" | sort -n |
        awk '{ v[NR] = $1 } END { printf "%d ms (median of %d launches, max %d ms)", v[int((NR + 1) / 2)], NR, v[NR] }')"
fi
row "start-up, launch to first \"name\"" "$startup"

echo
echo "Varnok benchmark: $(date -u '+%Y-%m-%d %H:%M UTC'), $(wine --version 2>/dev/null || echo wine)"
echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "idle windows of ${seconds} s; exe: $exe"
echo
echo "| figure | value |"
echo "|---|---|"
printf '%s\n' "${rows[@]}"
