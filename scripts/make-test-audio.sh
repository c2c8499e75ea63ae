#!/usr/bin/env bash
# Encodes the songs the end-to-end and adapter tests play, a 3-second tone in
# every format the player takes, into the folder given (default
# build/test-audio): WAV, MP3 (lame), WMA (wmav2), M4A as AAC and as ALAC,
# FLAC, Ogg Vorbis (.ogg and .oga), Opus, and a raw AAC stream (.aac);
# damaged.m4a, the first kilobytes of the AAC one (its index, at the end, is
# missing), which no engine can play; and 30-second songs as M4A, FLAC and OGG
# (long.*) for the end-to-end tests' playlists, which outlast a few commands.
# The end-to-end tests write their WAV files themselves.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="${1:-build/test-audio}"
mkdir -p "$out"
songs=(tone.wav tone.mp3 tone.wma tone.m4a tone-alac.m4a tone.flac tone.ogg tone.oga tone.opus tone.aac
    damaged.m4a long.m4a long.flac long.ogg)
missing=0
for song in "${songs[@]}"; do [ -s "$out/$song" ] || missing=1; done
if ((missing)); then
    source="$out/tone.wav"
    ffmpeg -v error -y -f lavfi -i "sine=frequency=440:duration=3:sample_rate=44100" \
        -ac 2 -c:a pcm_s16le "$source"
    encode() { ffmpeg -v error -y -i "$source" "$@"; }
    lame --quiet -b 128 "$source" "$out/tone.mp3"
    encode -c:a wmav2 -b:a 128k "$out/tone.wma"
    encode -c:a aac -b:a 128k "$out/tone.m4a"
    encode -c:a alac "$out/tone-alac.m4a"
    encode -c:a flac "$out/tone.flac"
    encode -c:a libvorbis -q:a 4 "$out/tone.ogg"
    encode -c:a libvorbis -q:a 4 -f ogg "$out/tone.oga"
    encode -c:a libopus -b:a 96k "$out/tone.opus"
    encode -c:a aac -b:a 128k -f adts "$out/tone.aac"
    head -c 3000 "$out/tone.m4a" >"$out/damaged.m4a"
    long="$out/long.wav"
    ffmpeg -v error -y -f lavfi -i "sine=frequency=330:duration=30:sample_rate=44100" \
        -ac 2 -c:a pcm_s16le "$long"
    ffmpeg -v error -y -i "$long" -c:a aac -b:a 96k "$out/long.m4a"
    ffmpeg -v error -y -i "$long" -c:a flac "$out/long.flac"
    ffmpeg -v error -y -i "$long" -c:a libvorbis -q:a 2 "$out/long.ogg"
    rm -f "$long"
fi
echo "test audio: $out"
