#!/usr/bin/env bash
# How long a song takes to open in each format, and how long the loop's thread
# is held meanwhile: the synchronous DirectShow open Varnok made before ("before"),
# Varnok's DirectShow graph alone ("directshow") and Media Foundation with
# DirectShow behind it ("mediafoundation"), each in a process of its own under
# Wine (tests/bench/MediaOpenBench.cpp). The songs are scripts/make-test-audio.sh's.
# Usage: bash scripts/bench-media.sh [--rounds N] [--paced]
# Sound goes to ALSA's null device unless --paced (the tests' device, whose
# reader starts with each stream and is timed with each open).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
rounds=5
sound=null
while (($#)); do
    case "$1" in
        --rounds) rounds="$2"; shift 2 ;;
        --paced) sound=paced; shift ;;
        *) echo "usage: bash scripts/bench-media.sh [--rounds N] [--paced]" >&2; exit 2 ;;
    esac
done
export VARNOK_SOUND="$sound"
source scripts/lib/wine-env.sh

bash scripts/build.sh windows -- --target varnok_media_bench >/dev/null || exit 1
bash scripts/make-test-audio.sh build/test-audio >/dev/null
songs="$(windows_path build/test-audio)"
echo "== media: $rounds rounds a song, sound to the ${sound} device; times in ms"
rc=0
for way in before directshow mediafoundation; do
    run_bounded bench-media 900 build/windows/varnok_media_bench.exe "$songs" "$way" "$rounds" \
        2>/dev/null | grep -v '^way' || rc=1
done
exit "$rc"
