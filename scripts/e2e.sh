#!/usr/bin/env bash
# Runs the end-to-end tests (a Windows GoogleTest program) under Wine, in the
# private prefix under build/, under a virtual X server when there is no
# display. Extra arguments go to the test program (e.g. --gtest_filter=...).
# The run is bounded in time and ends every process of the prefix afterwards,
# so a hanging program cannot hang the caller.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

# The MP3 and WMA songs the player's tests play, encoded once.
bash scripts/make-test-audio.sh build/test-audio >/dev/null
export VARNOK_TEST_AUDIO="$(windows_path build/test-audio)"
export VARNOK_EXE="$(windows_path build/windows/Varnok.exe)"
export VARNOK_STANDIN_EXE="$(windows_path build/windows/tools/standin/standin.exe)"

run_bounded e2e "${VARNOK_E2E_TIMEOUT:-1200}" build/windows/tests/e2e/varnok_e2e_tests.exe \
    --gtest_color=no --gtest_output="xml:$(windows_path build)\\e2e-results.xml" "$@"
