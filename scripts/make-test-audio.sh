#!/usr/bin/env bash
# Encodes the compressed songs the end-to-end tests play: a 3-second tone as
# MP3 (lame) and as WMA (ffmpeg's wmav2), into the folder given (default
# build/test-audio). The tests write their WAV files themselves.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="${1:-build/test-audio}"
mkdir -p "$out"
if [ ! -s "$out/tone.mp3" ] || [ ! -s "$out/tone.wma" ]; then
    ffmpeg -v error -y -f lavfi -i "sine=frequency=440:duration=3:sample_rate=44100" \
        -ac 2 -c:a pcm_s16le "$out/tone-source.wav"
    lame --quiet -b 128 "$out/tone-source.wav" "$out/tone.mp3"
    ffmpeg -v error -y -i "$out/tone-source.wav" -c:a wmav2 -b:a 128k "$out/tone.wma"
    rm -f "$out/tone-source.wav"
fi
echo "test audio: $out"
