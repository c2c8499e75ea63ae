#!/usr/bin/env bash
# Runs the end-to-end tests (a Windows GoogleTest program) under Wine, in the
# private prefix under build/, under a virtual X server when there is no
# display. Extra arguments go to the test program (e.g. --gtest_filter=...).
# Without them the suite runs twice: with Varnok reading the game's log (its
# default), then with Varnok kept on the console's pane ("--pane",
# VARNOK_E2E_EARS=pane), the stand-in's own tests and the log's left out.
# Each run is bounded in time and ends every process of the prefix
# afterwards, so a hanging program cannot hang the caller.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

# The songs of every format the player's tests play, encoded once.
bash scripts/make-test-audio.sh build/test-audio >/dev/null
export VARNOK_TEST_AUDIO="$(windows_path build/test-audio)"
export VARNOK_EXE="$(windows_path build/windows/Varnok.exe)"
export VARNOK_STANDIN_EXE="$(windows_path build/windows/tools/standin/standin.exe)"

tests=build/windows/tests/e2e/varnok_e2e_tests.exe
run_bounded e2e "${VARNOK_E2E_TIMEOUT:-1200}" "$tests" \
    --gtest_color=no --gtest_output="xml:$(windows_path build)\\e2e-results.xml" "$@"
rc=$?
(($#)) && exit "$rc"

echo "== end-to-end tests again, Varnok on the console's pane (--pane)"
export VARNOK_E2E_EARS=pane
run_bounded e2e "${VARNOK_E2E_TIMEOUT:-1200}" "$tests" \
    --gtest_color=no --gtest_output="xml:$(windows_path build)\\e2e-results-pane.xml" \
    --gtest_filter='-StandIn*:GameLogEndToEnd.*'
pane_rc=$?
((rc == 0)) && rc=$pane_rc
exit "$rc"
