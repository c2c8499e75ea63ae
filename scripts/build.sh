#!/usr/bin/env bash
# Configures and builds both presets with Ninja: "native" (the core and its
# unit tests) and "windows" (Varnok.exe, the stand-in game and the end-to-end
# tests, cross-compiled with mingw-w64). Builds are incremental.
# Usage: bash scripts/build.sh [native|windows]...
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

jobs="${VARNOK_JOBS:-2}"
presets=("$@")
((${#presets[@]})) || presets=(native windows)

for preset in "${presets[@]}"; do
    echo "== build: $preset"
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >/dev/null
    fi
    cmake --build --preset "$preset" -j "$jobs"
done
