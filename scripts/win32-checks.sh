#!/usr/bin/env bash
# Runs the Win32 adapter tests (build/windows/tests/win32/varnok_win32_tests.exe,
# a GoogleTest program) under Wine in the project's private prefix, then the
# caption tests again in a second prefix without Wine's own fonts, on a virtual
# X server when there is no display. Extra arguments go to the first run (e.g.
# --gtest_filter=...). Wine's own messages go to build/logs/win32-checks*.wine.log.
# Build first with scripts/build.sh.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

tests=build/windows/tests/win32/varnok_win32_tests.exe

# The songs of every format the media graphs' tests play, encoded once.
bash scripts/make-test-audio.sh build/test-audio >/dev/null
export VARNOK_TEST_AUDIO="$(windows_path build/test-audio)"

# Through a pipe: the game starter's tests leave the console Wine gives the
# program in a terminal for a hidden one of their own, and the output written
# to the terminal's console would end there.
run_bounded win32-checks "${VARNOK_CHECKS_TIMEOUT:-300}" "$tests" --gtest_color=no "$@" | cat
rc=${PIPESTATUS[0]}

# The captions once more where MS Sans Serif is missing (the prefix is made
# once, then reused); the program then runs the caption tests only.
use_plain_prefix
run_bounded win32-checks-plain "${VARNOK_CHECKS_TIMEOUT:-300}" "$tests" \
    --captions-without-ms-sans-serif --gtest_color=no || rc=$?
exit "$rc"
