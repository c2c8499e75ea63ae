#!/usr/bin/env bash
# Runs the Win32 adapter checks (build/windows/varnok_win32_checks.exe) under
# Wine in the project's private prefix, on a virtual X server when there is no
# display. Build first with scripts/build.sh.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib/wine-env.sh

checks_exe="build/windows/varnok_win32_checks.exe"
if [ ! -f "$checks_exe" ]; then
    echo "win32-checks: $checks_exe is missing; run bash scripts/build.sh first" >&2
    exit 1
fi

ensure_wine_prefix
trap stop_wine_prefix EXIT
with_display timeout -k 10 "${VARNOK_CHECKS_TIMEOUT:-300}" "$wine_bin" "$checks_exe"
