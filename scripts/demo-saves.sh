#!/usr/bin/env bash
# Fills the demo's "Saves" folder beside its copy of Varnok.exe: a reply file
# "demo.vnk" (duel templates, the four reply messages, both options) that the
# match loads with "!load demo", three short songs (WAV, MP3, WMA) and the
# start-up playlist "playlist.lst" that lists them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/wine-env.sh"
demo_dir="$1"
saves="$demo_dir/Saves"
music="$demo_dir/Music"
mkdir -p "$saves" "$music"

# Reply and playlist files are CR LF text; numbers stand between two blanks.
crlf() { printf '%s\r\n' "$@"; }

crlf 'Varnok -{ZUL}- $pellow$' \
    '^1%s ^7takes on ^3%d^7!' \
    '^2GG %d^7, well fought!' \
    '^3%d^7 wins this one.' \
    '^7Welcome to the server, %d^7!' ' 1 ' \
    '^1Oops^7, gravity wins again.' ' 1 ' \
    '^5Ready for battle!' ' 1 ' \
    '^3GG all^7, see you next map.' ' 1 ' \
    ' 1 ' ' 1 ' >"$saves/demo.vnk"

tone() {  # frequency, seconds, output file, ffmpeg codec options...
    local freq="$1" secs="$2" out="$3"
    shift 3
    ffmpeg -v error -y -f lavfi -i "sine=frequency=$freq:duration=$secs:sample_rate=44100" \
        -ac 2 "$@" "$out"
}
tone 440 40 "$music/Duel of the Fates.wav" -c:a pcm_s16le
tone 523 40 "$music/Cantina Band.mp3" -c:a libmp3lame -b:a 128k
tone 392 40 "$music/Imperial March.wma" -c:a wmav2 -b:a 128k

songs=("Duel of the Fates.wav" "Cantina Band.mp3" "Imperial March.wma")
{
    crlf " ${#songs[@]} "
    for song in "${songs[@]}"; do
        crlf "$(windows_path "$music")\\$song" "$song"
    done
} >"$saves/playlist.lst"
