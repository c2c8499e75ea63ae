#!/usr/bin/env bash
# Runs the end-to-end tests (a Windows GoogleTest program) under Wine, in
# private prefixes under build/, under virtual X servers when there is no
# display. Two passes: Varnok reading the game's log (its default), then
# Varnok kept on the console's pane ("--pane", VARNOK_E2E_EARS=pane) for the
# cases where the two ears differ (pane_cases below).
#
# The whole suite runs in lanes side by side (VARNOK_E2E_LANES, 3 by
# default), each lane in a Wine prefix and X server of its own, so that no
# test sees another lane's windows, and taking every third test of each pass
# (GoogleTest's sharding). The tests mostly wait (for the game's frames, the
# server's flood window, Varnok's pauses and gates): three lanes keep about a
# quarter of two cores busy. A lane's prefix (build/wineprefix-laneN) is a
# copy of the main one, made once.
#
# Each run is bounded in time and ends every process of its prefix
# afterwards, so a hanging program cannot hang the caller. Wine's, GStreamer's
# and ALSA's own messages go to build/logs/e2e-*.wine.log, the results to
# build/logs/e2e-*.xml; the last line counts the passes' tests.
# Usage: bash scripts/e2e.sh [--ears log|pane] [GTEST-ARGS...]
#   --ears: that pass alone; GTEST-ARGS (e.g. --gtest_filter=...) go to the
#   test program in one lane, in the log pass unless --ears pane is given,
#   and replace the pane pass's choice of cases.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

# The pane pass: the cases whose outcome rests on how Varnok hears the game.
# Its pane ear measures the console's pane every turn and reads what it got;
# its log ear is woken by the log file's growth and looks at the pane only
# every two seconds. What happens to a line once heard (commands, replies,
# names, languages, the windows and the player) is the same for both and runs
# once, with the log; so do the stand-in's own tests, and the log's tests
# have no pane pass.
pane_cases=(
    # The console closing: on the pane the turn's length request finds it
    # gone, on the log a caption read of a later turn.
    VarnokWithGame.NoticesTheConsoleClosingAndFindsItAgain
    # A game that stalls: every pane request waits on it and gets no answer,
    # and the reading goes on from the same place (ChatText shows the pane's
    # lines); the log is read without asking the game.
    VarnokWithGame.StaysResponsiveWhileTheGameHangs
    ReplyEngine.AStalledGameRepeatsNoReplyAndIsFollowedAfterwards
    # The pane's own ways: several lines in one reading, a line whose end
    # comes in a later one, a full pane replaced, a pane cleared by someone
    # else; the log sees none of the last two.
    ChatCommandsEndToEnd.EveryCommandLineRunsHoweverTheLinesArrive
    ReplyEngine.AFullPaneGetsNoClearAndItsLinesAreAnswered
    ReplyEngine.AClearBySomeoneElseIsFollowed
    # The pane read during a reply's pause, and not again after it.
    ReplyEngine.OwnEntryGivesTheAnnouncementAfterASecond
    # The flood guard rests on when the player's chat and a say's echo are
    # heard, and on the pane's length requests telling that the game runs
    # (on the log one is made for an overdue echo only): every case of it.
    'FloodGuardEndToEnd.*'
)

ears=both
if [ "${1:-}" = --ears ]; then
    ears="${2:-}"
    shift 2 || true
fi
case "$ears" in
    log | pane) ;;
    both) (($#)) && ears=log ;;
    *)
        echo "usage: bash scripts/e2e.sh [--ears log|pane] [GTEST-ARGS...]" >&2
        exit 2
        ;;
esac

# The songs of every format the player's tests play, encoded once.
bash scripts/make-test-audio.sh build/test-audio >/dev/null
export VARNOK_TEST_AUDIO="$(windows_path build/test-audio)"
export VARNOK_EXE="$(windows_path build/windows/Varnok.exe)"
export VARNOK_STANDIN_EXE="$(windows_path build/windows/tools/standin/standin.exe)"
tests=build/windows/tests/e2e/varnok_e2e_tests.exe

passes=(log pane)
[ "$ears" != both ] && passes=("$ears")
lanes="${VARNOK_E2E_LANES:-3}"
(($#)) && lanes=1
rm -f "$logs_root"/e2e-*.xml

# run_pass LANE EARS [GTEST-ARGS...]: the lane's share of one pass.
run_pass() {
    local lane="$1" pass="$2"
    shift 2
    local name="e2e-$pass" title="end-to-end tests, Varnok on the $pass"
    if ((lanes > 1)); then
        name+="-lane$lane"
        title+=" (lane $((lane + 1)) of $lanes)"
    fi
    (($#)) || [ "$pass" = log ] || set -- --gtest_filter="$(IFS=:; echo "${pane_cases[*]}")"
    echo "== $title"
    VARNOK_E2E_EARS="$pass" run_bounded "$name" "${VARNOK_E2E_TIMEOUT:-1200}" "$tests" \
        --gtest_color=no --gtest_output="xml:$(windows_path "$logs_root")\\$name.xml" "$@"
}

# run_lane LANE [GTEST-ARGS...]: each pass's share in turn.
run_lane() {
    local lane="$1" rc=0 pass
    shift
    for pass in "${passes[@]}"; do
        run_pass "$lane" "$pass" "$@" || rc=$?
    done
    return "$rc"
}

# The passes' counts from the results' XML: "on the log 62 of 62 passed, ...".
count_results() {
    local pass counts=()
    for pass in "${passes[@]}"; do
        counts+=("$(cat "$logs_root"/e2e-"$pass"*.xml 2>/dev/null |
            sed -nE 's/^<testsuites tests="([0-9]+)" failures="([0-9]+)".*/\1 \2/p' |
            awk -v pass="$pass" '{ n += $1; f += $2 }
                END { printf "on the %s %d of %d passed", pass, n - f, n }')")
    done
    echo "end-to-end: $(IFS=,; echo "${counts[*]}" | sed 's/,/, /g')"
}

rc=0
if ((lanes == 1)); then
    run_lane 0 "$@" || rc=$?
else
    ensure_lane_prefixes "$lanes"
    pids=()
    for ((lane = 0; lane < lanes; lane++)); do
        (
            ((lane > 0)) && use_lane_prefix "$lane"
            unset DISPLAY  # an X server of its own: the lanes' windows apart
            export GTEST_TOTAL_SHARDS="$lanes" GTEST_SHARD_INDEX="$lane"
            run_lane "$lane"
        ) >"$logs_root/e2e-lane$lane.log" 2>&1 &
        pids+=($!)
    done
    for ((lane = 0; lane < lanes; lane++)); do
        wait "${pids[$lane]}" || rc=1
        cat "$logs_root/e2e-lane$lane.log"
    done
fi
count_results
exit "$rc"
