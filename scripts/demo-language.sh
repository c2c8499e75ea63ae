#!/usr/bin/env bash
# The demo's game in another language: writes the game's string files of a
# German of the demo's own making into the demo game's folder, as the game
# keeps them (strings/<language>/<file>.str inside base/*.pk3), and the
# match's lines that make the stand-in print its event lines in it. Varnok
# finds the texts by asking the game for its language and folder.
# Usage: bash scripts/demo-language.sh <demo folder>   (prints the phrase lines)
set -euo pipefail
demo_dir="$1"
game_dir="$demo_dir/Game"
work="$demo_dir/strings-work"
rm -rf "$work"
mkdir -p "$work/strings/german" "$work/strings/english" "$game_dir/base"

# stand-in token, file, key, English text, German text
phrases=(
    "PLENTER|mp_svgame|PLENTER|entered the game|betritt die Arena"
    "PLRENAME|mp_svgame|PLRENAME|renamed to|nennt sich jetzt"
    "PLDUELACCEPT|mp_svgame|PLDUELACCEPT|has become engaged in a duel with|duelliert sich mit"
    "TIMELIMIT_HIT|mp_svgame|TIMELIMIT_HIT|Timelimit hit|Die Zeit ist um"
    "HIT_THE_KILL_LIMIT|mp_svgame|HIT_THE_KILL_LIMIT|hit the kill limit|erreicht das Siegeslimit"
    "KILLED_SABER|mp_ingame|KILLED_SABER|was sabered by|fiel durch das Lichtschwert von"
    "KILLED_HIMSELF|mp_ingame|KILLED_SELF_MALE|killed himself|stolperte in die eigene Klinge."
)

for file in mp_svgame mp_ingame; do
    for language in german english; do
        {
            printf 'VERSION "1"\r\nCONFIG "W:\\bin\\striped.cfg"\r\nFILENOTES "demo"\r\n'
            for entry in "${phrases[@]}"; do
                IFS='|' read -r _token in_file key english german <<<"$entry"
                [ "$in_file" = "$file" ] || continue
                printf 'REFERENCE %s\r\nLANG_ENGLISH "%s"\r\n' "$key" "$english"
                [ "$language" = german ] && printf 'LANG_GERMAN "%s"\r\n' "$german"
            done
            printf 'ENDMARKER\r\n'
        } >"$work/strings/$language/$file.str"
    done
done
rm -f "$game_dir/base/demo_strings.pk3"
(cd "$work" && zip -q -r "../Game/base/demo_strings.pk3" strings)
rm -rf "$work"

for entry in "${phrases[@]}"; do
    IFS='|' read -r token _file _key _english german <<<"$entry"
    echo "phrase $token $german"
done
