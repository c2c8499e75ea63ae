#!/usr/bin/env bash
# Configures and builds presets with Ninja: "native" (the core and its
# unit tests) and "windows" (Varnok.exe, the stand-in game and the end-to-end
# tests, cross-compiled with mingw-w64) by default; "fuzz" (the unit tests and
# the fuzz targets under the sanitizers, clang) on request. Builds are
# incremental. Arguments after "--" go to every "cmake --build", e.g.
# "-- --target Varnok standin".
# Usage: bash scripts/build.sh [native|windows|fuzz]... [-- BUILD-ARGS...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

jobs="${VARNOK_JOBS:-2}"
presets=()
while (($#)) && [ "$1" != "--" ]; do
    presets+=("$1")
    shift
done
(($#)) && shift
((${#presets[@]})) || presets=(native windows)

for preset in "${presets[@]}"; do
    echo "== build: $preset"
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >/dev/null
    fi
    cmake --build --preset "$preset" -j "$jobs" "$@"
done
