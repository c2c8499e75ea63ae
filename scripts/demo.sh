#!/usr/bin/env bash
# The demo: Varnok at work beside the stand-in game. Installs what is missing
# (scripts/setup.sh), builds what is missing or out of date, starts the
# stand-in with a scripted short match (scripts/demo-match.txt) and Varnok.exe
# under Wine (in a virtual X server when there is no display), lets them run
# for about a minute, prints what Varnok typed into the game's console and
# what the console showed, saves a screenshot to build/demo.png, and ends
# every process it started. With --language german the game plays in a
# German of the demo's own making: its texts in an archive of the game's
# folder (scripts/demo-language.sh), which Varnok reads to know its lines.
# With --client community the game is a community client (EternalJK) that
# Varnok starts itself on a console no one sees ("--game"): no console
# window, Varnok hears the game's log and types into that console.
# Usage: bash scripts/demo.sh [--language german | --client community]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# Before the Wine environment, which looks for Wine's programs.
[ "${1:-}" = "--session" ] || bash scripts/setup.sh
source scripts/lib/wine-env.sh

demo_dir="$build_root/demo"
seconds="${VARNOK_DEMO_SECONDS:-58}"

if [ "${1:-}" = "--session" ] && [ "${2:-}" = community ]; then
    # Inside the display: Varnok, which starts the game on its hidden console.
    (cd "$demo_dir" && exec "$wine_bin" Varnok.exe --game "$(windows_path "$demo_dir/Game")\\standin.exe" \
        --client eternaljk --name Padawan \
        --log "$(windows_path "$demo_dir")\\transcript.log" \
        --pane-log "$(windows_path "$demo_dir")\\console.log" \
        --faults "$(windows_path "$demo_dir")\\faults.log" \
        --script "$(windows_path "$demo_dir/match.txt")") &
    varnok_pid=$!
    sleep $((seconds - 2))
    import -window root "$build_root/demo.png" || echo "demo: screenshot failed" >&2
    sleep 2
    exec 2>/dev/null
    stop_wine_prefix
    wait "$varnok_pid" || true
    exit 0
fi

if [ "${1:-}" = "--session" ]; then
    language="${2:-english}"
    # Inside the display: the game first (its console shown, as the game shows
    # it only on request), Varnok a moment later.
    "$wine_bin" build/windows/tools/standin/standin.exe --name Padawan --show-console \
        --basepath "$(windows_path "$demo_dir/Game")" --language "$language" \
        --log "$(windows_path "$demo_dir")\\transcript.log" \
        --pane-log "$(windows_path "$demo_dir")\\console.log" \
        --faults "$(windows_path "$demo_dir")\\faults.log" \
        --script "$(windows_path "$demo_dir/match.txt")" &
    game_pid=$!
    sleep 2
    (cd "$demo_dir" && exec "$wine_bin" Varnok.exe) &
    varnok_pid=$!
    sleep $((seconds - 4))
    import -window root "$build_root/demo.png" || echo "demo: screenshot failed" >&2
    sleep 2
    # The game and Varnok are ended by force here: their ends are no news.
    exec 2>/dev/null
    stop_wine_prefix
    wait "$game_pid" "$varnok_pid" || true
    exit 0
fi

usage="usage: bash scripts/demo.sh [--language german | --client community]"
language=english
client=retail
case "${1:-}" in
    --language)
        language="${2:-}"
        [ "$language" = german ] || [ "$language" = english ] || { echo "$usage" >&2; exit 2; }
        ;;
    --client)
        client="${2:-}"
        [ "$client" = community ] || { echo "$usage" >&2; exit 2; }
        ;;
    "") ;;
    *) echo "$usage" >&2; exit 2 ;;
esac

rm -f "$build_root/demo.png" "$demo_dir/faults.log" "$demo_dir/transcript.log" "$demo_dir/console.log"
prepare_varnok_folder "$demo_dir"
mkdir -p "$demo_dir/Game/base"
cp build/windows/tools/standin/standin.exe "$demo_dir/Game/"
if [ "$language" = german ]; then
    bash scripts/demo-language.sh "$demo_dir" >"$demo_dir/match.txt"
fi
cat scripts/demo-match.txt >>"$demo_dir/match.txt"
bash scripts/demo-saves.sh "$demo_dir"

if [ "$client" = community ]; then
    echo "demo: a ${seconds} s match on the stand-in game as a community client, started by Varnok..."
    with_display bash "$0" --session community
else
    echo "demo: a ${seconds} s match on the stand-in game (in $language) with Varnok watching..."
    with_display bash "$0" --session "$language"
fi

echo
echo "== what Varnok typed into the game's console (build/demo/transcript.log)"
if [ -s "$demo_dir/transcript.log" ]; then
    sed 's/^/  > /' "$demo_dir/transcript.log"
else
    echo "  (nothing)"
fi
echo
echo "== the game's console (build/demo/console.log)"
tr -d '\r' <"$demo_dir/console.log" | sed 's/^/  | /'
echo
echo "== what the game held against Varnok (build/demo/faults.log: overruns, dropped commands)"
if [ -s "$demo_dir/faults.log" ]; then
    sed 's/^/  ! /' "$demo_dir/faults.log"
else
    echo "  (nothing)"
fi
echo
if [ -f "$build_root/demo.png" ]; then
    echo "demo: screenshot saved to build/demo.png"
fi
