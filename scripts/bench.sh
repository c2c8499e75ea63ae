#!/usr/bin/env bash
# What Varnok costs and how fast it answers, under Wine beside the stand-in
# game, printed as one table:
#   - idle CPU of Varnok.exe, and what it adds to the wineserver, the game and
#     the game's own thread (their CPU over the same time without Varnok,
#     subtracted), with the console present, with N other top-level windows
#     open (half hidden, by tools/deskwindows), and with no game running; and
#     the CPU of one idle turn: all of that over the turns Varnok counted (it
#     counts its idle waits into the file VARNOK_TURN_COUNTER names);
#   - reaction from a chat line appearing in the pane to the first command
#     typed, for "!commands" and, less its 1 s pause, "!now"; and the same on a
#     community client that Varnok starts itself (the stand-in as EternalJK,
#     heard through its log, typed into through Varnok's hidden console);
#   - start-up: launch to the first "name" typed;
#   - the cost of one turn that reads a pane of 32 000 characters;
#   - natively, without Wine: how long loading the game's texts takes when its
#     string files lie among some thousands of entries of a 300 MiB archive
#     (tests/bench/GameStringsBench.cpp, built for release), with a cold page
#     cache (only as root, which may empty it) and a warm one;
#   - what wakes Varnok, idle and with a busy game, one ear at a time: its
#     waits a second by how each ended (the counter file's slots), and what
#     each wake asks of the wineserver (Varnok's own requests, in a second
#     run under a wineserver that traces every request: wineserver -d1).
# CPU is the run time of every thread from /proc/PID/task/*/schedstat (in ns;
# clock ticks from /proc/PID/stat where that is missing); the times come from
# the stand-in's timing file. The game's own thread is the stand-in's first
# thread, which owns the console window. Takes about eight minutes with the
# defaults.
#
# The Wine phases run for each of Varnok's ears, side by side: "log" (Varnok
# reads the game's log file, its default) and "pane" (Varnok.exe --pane, the
# console's pane polled).
#
# Usage: bash scripts/bench.sh [--seconds S] [--windows N] [--rounds R] [--exe PATH]
#   --seconds  length of each idle measurement (default 20)
#   --windows  other top-level windows on the busy desktop (default 200)
#   --rounds   reaction rounds per command (default 100)
#   --exe      the Varnok.exe to measure (default build/windows/Varnok.exe)
#   --only P   run only the phases named in P, of: idle busy playing nogame reaction community
#              pane wakes texts
#   --ears E   the ears measured, of: log pane (default both)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

seconds=20
windows=200
rounds=100
exe=build/windows/Varnok.exe
only="idle busy playing nogame reaction community pane wakes texts"
ears="log pane"
session=0
args=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        --windows) windows="$2"; shift 2 ;;
        --rounds) rounds="$2"; shift 2 ;;
        --exe) exe="$2"; shift 2 ;;
        --only) only="$2"; shift 2 ;;
        --ears) ears="$2"; shift 2 ;;
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

# CPU time of the given processes in microseconds (gone ones count 0): the
# run time of all their threads where the kernel keeps it, else user+system
# time in clock ticks. A "PID/TID" counts that one thread only.
schedstat=0
[ -r /proc/self/schedstat ] && schedstat=1
cpu_us_of() {
    local total=0 pid files file
    for pid in "$@"; do
        if [[ "$pid" == */* ]]; then files="/proc/${pid%/*}/task/${pid#*/}"; else files="/proc/$pid/task/"*; fi
        for file in $files; do
            [ -r "$file/stat" ] || continue
            if [ "$schedstat" = 1 ]; then
                total=$((total + $(awk '{ printf "%d", $1 / 1000 }' "$file/schedstat" 2>/dev/null || echo 0)))
            else
                total=$((total + $(awk -v hz="$hz" '{ sub(/^.*\) /, ""); printf "%d", ($12 + $13) * 1000000 / hz }' "$file/stat" 2>/dev/null || echo 0)))
            fi
        done
    done
    echo "$total"
}

now_us() { echo $(($(date +%s%N) / 1000)); }

# CPU microseconds the given processes use over the next $1 seconds.
cpu_us_over() {
    local span="$1" before
    shift
    before=$(cpu_us_of "$@")
    sleep "$span"
    echo $(($(cpu_us_of "$@") - before))
}

percent() {  # microseconds of CPU over seconds as a share of one core
    awk -v t="$1" -v s="$2" 'BEGIN { printf "%.2f %%", t / 1e4 / s }'
}

per_turn() {  # microseconds of CPU over a number of turns, in ms
    awk -v t="$1" -v n="$2" 'BEGIN { if (n > 0) printf "%.3f ms", t / 1000 / n; else print "no turns" }'
}

# Varnok's count of idle turns so far (0 before it started counting).
turns_counted() {
    od -An -tu8 -N8 "$bench_dir/turns.bin" 2>/dev/null | tr -d ' ' | grep . || echo 0
}

start_game() {  # standin.exe with a timing file and optional script; prints nothing
    local timing="$1"
    shift
    mkdir -p "$bench_dir/game"
    "$wine_bin" "$standin" --name Padawan --timing "$(windows_path "$timing")" \
        --basepath "$(windows_path "$bench_dir/game")" "$@" >/dev/null 2>&1 &
}

start_varnok() {  # $1 the ears (log or pane); records the launch time in $bench_dir/launch-us
    local option=()
    [ "${1:-log}" = pane ] && option=(--pane)
    rm -f "$bench_dir/turns.bin"
    now_us >"$bench_dir/launch-us"
    (cd "$bench_dir" && VARNOK_TURN_COUNTER="$(windows_path "$bench_dir/turns.bin")" \
        exec "$wine_bin" Varnok.exe "${option[@]}") >/dev/null 2>&1 &
}

# Varnok starting the stand-in itself as EternalJK, on its hidden console.
start_community_game() {
    local timing="$1"
    shift
    mkdir -p "$bench_dir/community"
    cp "$standin" "$bench_dir/community/standin.exe"
    rm -f "$bench_dir/turns.bin"
    now_us >"$bench_dir/launch-us"
    (cd "$bench_dir" && VARNOK_TURN_COUNTER="$(windows_path "$bench_dir/turns.bin")" \
        exec "$wine_bin" Varnok.exe --game "$(windows_path "$bench_dir/community")\\standin.exe" \
        --client eternaljk --name Padawan --timing "$(windows_path "$timing")" "$@") \
        >/dev/null 2>&1 &
}

# The counter file's slots: waits, then how they ended (Win32TurnCounter.h).
wake_slots() {
    od -An -tu8 -N88 -v "$bench_dir/turns.bin" 2>/dev/null | tr -s ' \n' ' ' | sed 's/^ //'
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
idle_rows=()
row() { rows+=("$(printf '| %s | %s |' "$1" "$2")"); }

# Idle cost: the game and the wineserver without Varnok, then with it, over
# the same length of time. $1 label, $2 "game" or "nogame", $3 other windows,
# $4 the ears.
idle_phase() {
    local label="$1, $4" game="$2" others="$3" ear="$4" timing="$bench_dir/idle-timing.txt"
    local printing="${5:-}" i
    stop_wine_prefix
    rm -f "$timing"
    [ "$others" -gt 0 ] && "$wine_bin" "$deskwindows" "$others" >/dev/null 2>&1 &
    # The game's window is in front, as while the player plays: from the
    # start, and again once Varnok has started and taken the front (Varnok's
    # own window in front blinks a text field's caret, which wakes it twice a
    # second). A game "printing" prints a line every 50 ms all along, into a
    # pane kept near full.
    if [ -z "$printing" ]; then
        printf 'wait 1000\nactivate\nwait %d\nactivate\n' \
            $(((settle + seconds + settle / 2) * 1000 - 1000)) >"$bench_dir/idle.txt"
    else
        {
            echo "wait 1000"
            echo "activate"
            for ((i = 0; i < (2 * (settle + seconds) + 4) * 20; i++)); do
                [ "$i" = $(((settle + seconds + settle / 2) * 20)) ] && echo "activate"
                # The pane stays near full, so that both spells print into the same pane.
                [ $((i % 100)) = 0 ] && echo "fill 32000"
                echo "print the game prints line $i of a busy match\\n"
                echo "wait 50"
            done
        } >"$bench_dir/idle.txt"
    fi
    [ "$game" = game ] && start_game "$timing" --script "$(windows_path "$bench_dir/idle.txt")"
    sleep "$settle"
    local server game_pid="" thread=""
    server=$(wine_pid_of wineserver || true)
    if [ "$game" = game ]; then
        game_pid=$(wine_pid_of 'standin\.exe' || true)
        [ -n "$game_pid" ] && thread="$game_pid/$game_pid"
    fi
    echo "bench: $label: ${seconds} s without Varnok..." >&2
    local server0 game0 thread0
    server0=$(cpu_us_of $server)
    game0=$(cpu_us_of $game_pid)
    thread0=$(cpu_us_of $thread)
    sleep "$seconds"
    local without_s=$(($(cpu_us_of $server) - server0)) without_g=$(($(cpu_us_of $game_pid) - game0))
    local without_t=$(($(cpu_us_of $thread) - thread0))
    start_varnok "$ear"
    sleep "$settle"
    local varnok
    varnok=$(wine_pid_of 'Varnok\.exe') || { echo "bench: Varnok.exe is not running" >&2; exit 1; }
    echo "bench: $label: ${seconds} s with Varnok..." >&2
    local before_v turns0
    turns0=$(turns_counted)
    before_v=$(cpu_us_of "$varnok")
    server0=$(cpu_us_of $server)
    game0=$(cpu_us_of $game_pid)
    thread0=$(cpu_us_of $thread)
    sleep "$seconds"
    local own=$(($(cpu_us_of "$varnok") - before_v)) turns=$(($(turns_counted) - turns0))
    local add_s=$(($(cpu_us_of $server) - server0 - without_s)) add_g=$(($(cpu_us_of $game_pid) - game0 - without_g))
    local add_t=$(($(cpu_us_of $thread) - thread0 - without_t))
    # The game's own frame loop moves with its window states by more than
    # Varnok's whole cost: what it adds is shown, not counted in the total.
    local total=$((own + add_s)) game_cols="no game | no game"
    [ -n "$game_pid" ] && game_cols="$(percent "$add_g" "$seconds") | $(percent "$add_t" "$seconds"), $(per_turn "$add_t" "$turns") a turn"
    idle_rows+=("$(printf '| %s | %s | %s | %s | %s | %s | %s |' "$label" "$(percent "$own" "$seconds")" \
        "$(percent "$add_s" "$seconds")" "$game_cols" "$(percent "$total" "$seconds")" \
        "$(awk -v n="$turns" -v s="$seconds" 'BEGIN { printf "%.1f", n / s }')" "$(per_turn "$total" "$turns")")")
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
# one value in ms per round of the word $2. The player's chat goes through the
# stand-in's server: the round starts when it shows ("shown Padawan: <word> ...").
reactions() {
    local timing="$1" word="$2" pause_ms="$3"
    awk -v word="$word" -v pause="$pause_ms" '
        $2 == "shown" && $3 ~ /:$/ { waiting = ($4 == word); shown = $1; next }
        $2 == "typed" && waiting && ($3 == "say" || $3 == "echo") {
            printf "%.3f\n", ($1 - shown) / 1000 - pause; waiting = 0 }' "$timing"
}

# Reaction rounds: each round shows a chat line, waits for the replies, then
# empties the pane so that it never fills, and leaves the console quiet long
# enough for Varnok to poll at its slower, quiet pace when the next line comes.
# The waits vary a little so that the lines fall at every point of the polling.
# The server has no flood guard here (as one the player hosts himself): the
# rounds come faster than one chat line a second.
reaction_phase() {
    local ear="$1" timing="$bench_dir/reaction-timing.txt" script="$bench_dir/reaction.txt" i
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
    if [ "$ear" = community ]; then
        # A community client has no pane: "clearpane" does nothing there.
        start_community_game "$timing" --flood-ms 0 --script "$(windows_path "$script")"
    else
        start_game "$timing" --flood-ms 0 --script "$(windows_path "$script")"
        sleep 2
        start_varnok "$ear"
    fi
    echo "bench: reaction, $ear: $rounds rounds of !commands and of !now..." >&2
    sleep "$(awk -v ms="$total_ms" 'BEGIN { print ms / 1000 }')"
    local ms
    ms=$(startup_ms "$timing")
    [ -n "$ms" ] && startups+=("$ms")
    row "reaction, chat line to first command: \"!commands\", $ear" \
        "$(reactions "$timing" '!commands' 0 | percentiles)"
    row "reaction, less the 1000 ms pause: \"!now\", $ear" \
        "$(reactions "$timing" '!now' 1000 | percentiles)"
}

# A busy game: a pane of 32 000 characters that grows by a short line every
# 50 ms (and is filled back to 32 000 now and then). On the pane Varnok reads
# the whole pane on each change; on the log, only the line the log got. The
# CPU of Varnok and what it adds, over the number of changes and as a share of
# a core, for each of the ears.
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
    local run without=""
    for run in without $ears; do
        stop_wine_prefix
        rm -f "$timing"
        start_game "$timing" --script "$(windows_path "$script")"
        [ "$run" != without ] && start_varnok "$run"
        sleep $((settle - 1))
        local pids ticks
        pids="$(wine_pid_of wineserver || true) $(wine_pid_of 'standin\.exe' || true)"
        [ "$run" != without ] && pids="$pids $(wine_pid_of 'Varnok\.exe' || true)"
        echo "bench: busy 32 000-character pane, ${run/without/without Varnok}..." >&2
        ticks="$(cpu_us_over $((span + 1)) $pids)"
        if [ "$run" = without ]; then
            without="$ticks"
            continue
        fi
        row "busy: a line every 50 ms on a 32 000-character pane, $run (all processes)" \
            "$(awk -v a="$ticks" -v b="$without" -v n="$changes" -v s="$((span + 1))" \
                'BEGIN { printf "%.2f ms CPU per change (%d changes), %.2f %% of a core", (a - b) / 1000 / n, n, (a - b) / 1e4 / s }')"
    done
}

# The game's texts: GameStrings::load of the German texts from a game folder
# whose one archive is 300 MiB of 3000 entries, the string files in its middle.
# Cold: the page cache emptied first (root only); warm: the median of five.
texts_phase() {
    local build=build/bench-release folder="$build_root/bench-texts" bench cold="" warm
    echo "bench: texts: building the benchmark for release..." >&2
    [ -f "$build/build.ninja" ] ||
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j "${VARNOK_JOBS:-2}" --target varnok_texts_bench >/dev/null
    bench="$build/varnok_texts_bench"
    rm -rf "$folder"
    echo "bench: texts: writing a 300 MiB archive..." >&2
    "$bench" write "$folder" 300 3000
    sync
    if [ -w /proc/sys/vm/drop_caches ]; then
        echo 3 >/proc/sys/vm/drop_caches
        cold=$("$bench" load "$folder" 1)
    fi
    warm=$("$bench" load "$folder" 6 | tail -n 5 | sort -n | sed -n 3p)
    rm -rf "$folder"
    echo
    echo "Game texts ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)): GameStrings::load, German, two files, from one archive of 300 MiB and 3000 entries:"
    echo
    echo "| figure | value |"
    echo "|---|---|"
    if [ -n "$cold" ]; then
        echo "| load, cold page cache | ${cold%% ms*} ms |"
    else
        echo "| load, cold page cache | not measured (emptying the page cache needs root) |"
    fi
    echo "| load, warm page cache (median of 5) | ${warm%% ms*} ms |"
    echo "| bytes read from the archive | $(awk -v b="${warm#* ms }" 'BEGIN { printf "%.1f KiB", b / 1024 }') |"
}

# What wakes Varnok with ear $1, the game idle ($2 idle: its window in front)
# or busy ($2 busy: a line every 50 ms), beside the other windows: its waits a
# second by how they ended,
# then, in a second run with Wine's request trace, Varnok's requests to the
# wineserver a wake, the most frequent first.
wakes_phase() {
    local ear="$1" kind="$2" script="$bench_dir/wakes.txt" trace="$bench_dir/trace.txt" i run
    local span=$((settle + seconds + 2))
    {
        echo "wait 1000"
        echo "activate"
        if [ "$kind" = busy ]; then
            echo "wait $((settle * 1000))"
            for ((i = 0; i < span * 20; i++)); do
                echo "print busy line $i of the game\\n"
                echo "wait 50"
            done
        fi
    } >"$script"
    for run in counted traced; do
        stop_wine_prefix
        # The traced run's wineserver writes every request of every process.
        [ "$run" = traced ] && { "$wineserver_bin" -f -d1 2>"$trace" & sleep 1; }
        [ "$windows" -gt 0 ] && "$wine_bin" "$deskwindows" "$windows" >/dev/null 2>&1 &
        start_game "$bench_dir/wakes-timing.txt" --script "$(windows_path "$script")"
        sleep 1
        start_varnok "$ear"
        sleep "$settle"
        echo "bench: wakes, $ear, $kind game, $run: ${seconds} s..." >&2
        local slots0 slots1 from to
        slots0=$(wake_slots)
        from=$(stat -c %s "$trace" 2>/dev/null || echo 0)
        sleep "$seconds"
        slots1=$(wake_slots)
        to=$(stat -c %s "$trace" 2>/dev/null || echo 0)
        if [ "$run" = counted ]; then
            wake_rows+=("$(awk -v a="$slots0" -v b="$slots1" -v s="$seconds" -v label="$ear, $kind game" 'BEGIN {
                n = split(a, x, " "); split(b, y, " ")
                for (i = 1; i <= n; i++) d[i] = (y[i] - x[i]) / s
                printf "| %s | %.1f | %.1f | %.1f | %.1f | %.1f (keys/mouse %.1f, posted %.1f, timer %.1f, paint %.1f, sent %.1f, other %.1f) |",
                    label, d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10], d[11] }')")
            continue
        fi
        # Varnok's threads are those the server began for its Unix process.
        local varnok waits counts
        varnok=$(wine_pid_of 'Varnok\.exe' || echo none)
        waits=$(awk -v a="$slots0" -v b="$slots1" 'BEGIN { split(a, x, " "); split(b, y, " "); print y[1] - x[1] }')
        counts=$(awk -v pid="$varnok" -v from="$from" -v to="$to" '
            { at += length($0) + 1 }
            $2 ~ /^init_(first_)?thread\($/ && $3 == "unix_pid=" pid "," { mine[$1] = 1 }
            at > from && at <= to && ($1 in mine) && $2 ~ /^[a-z_]+\($/ { n[substr($2, 1, length($2) - 1)]++ }
            END { for (r in n) print n[r], r }' "$trace" | sort -rn)
        wake_rows+=("$(printf '%s\n' "$counts" | awk -v waits="$waits" -v label="$ear, $kind game" '
            NF == 2 { total += $1; if (k++ < 8) top = top sprintf(" %s %.2f,", $2, $1 / (waits > 0 ? waits : 1)) }
            END { printf "| %s: requests a wake | %.1f:%s | | | |\n", label, total / (waits > 0 ? waits : 1), top }')")
    done
}

wanted() { [[ " $only " == *" $1 "* ]]; }

if [ "$session" = 0 ]; then
    wanted texts && texts_phase
    wine_phases=0
    for phase in idle busy playing nogame reaction community pane wakes; do wanted "$phase" && wine_phases=1; done
    [ "$wine_phases" = 1 ] || exit 0
    if [ ! -f "$deskwindows" ]; then bash scripts/build.sh windows; fi
    prepare_varnok_folder "$bench_dir"
    cp "$exe" "$bench_dir/Varnok.exe"
    with_display bash "$0" --session "${args[@]}"
    exit $?
fi

for ear in $ears; do
    wanted idle && idle_phase "console present" game 0 "$ear"
    wanted busy && idle_phase "console present, $windows other windows" game "$windows" "$ear"
    wanted playing && idle_phase "a line every 50 ms, $windows other windows" game "$windows" "$ear" printing
done
# Without a game there is no log: the ears do not differ.
wanted nogame && idle_phase "no game, $windows other windows" nogame "$windows" "${ears%% *}"
for ear in $ears; do
    wanted reaction && reaction_phase "$ear"
done
wanted community && reaction_phase community
wanted pane && pane_phase
wake_rows=()
if wanted wakes; then
    for ear in $ears; do
        wakes_phase "$ear" idle
        wakes_phase "$ear" busy
    done
fi
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
echo "idle windows of ${seconds} s; exe: $exe; CPU from $([ "$schedstat" = 1 ] && echo "schedstat run times" || echo "clock ticks")"
if [ ${#idle_rows[@]} -gt 0 ]; then
    echo
    echo "Idle, as a share of one core (\"added\": with Varnok less without it):"
    echo
    echo "| idle | Varnok.exe | added to wineserver | added to game | added to game's own thread | total (Varnok and wineserver) | turns/s | CPU per turn |"
    echo "|---|---|---|---|---|---|---|---|"
    printf '%s\n' "${idle_rows[@]}"
fi
if [ ${#wake_rows[@]} -gt 0 ]; then
    echo
    echo "What wakes Varnok, a second (the game's window in front), and Varnok's requests to the wineserver a wake:"
    echo
    echo "| ears, game | waits | ran out | log's folder | game's process | window input |"
    echo "|---|---|---|---|---|---|"
    printf '%s\n' "${wake_rows[@]}"
fi
echo
echo "| figure | value |"
echo "|---|---|"
printf '%s\n' "${rows[@]}"
