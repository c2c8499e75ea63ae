#!/usr/bin/env bash
# Runs the Win32 adapter checks (build/windows/varnok_win32_checks.exe) under
# Wine in the project's private prefix, then the caption checks again in a
# second prefix without Wine's own fonts, on a virtual X server when there is
# no display. Build first with scripts/build.sh.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

run_bounded win32-checks "${VARNOK_CHECKS_TIMEOUT:-300}" build/windows/varnok_win32_checks.exe
rc=$?

# The captions once more where MS Sans Serif is missing (the prefix is made
# once, then reused).
use_plain_prefix
run_bounded win32-checks "${VARNOK_CHECKS_TIMEOUT:-300}" build/windows/varnok_win32_checks.exe \
    --captions-without-ms-sans-serif || rc=$?
exit "$rc"
