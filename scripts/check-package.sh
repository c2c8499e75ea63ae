#!/usr/bin/env bash
# Checks a player's package (default: the one build/ holds) by listing and
# unpacking it: Varnok.exe carrying the project's version in its version
# resource, README.txt with CR LF line ends, and Saves/example.vnk, a CR LF
# reply file under the current header. Prints one line per failed check and a
# closing count; exits non-zero when any check fails.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

zip="${1:-$(ls build/Varnok-*-win64.zip 2>/dev/null | tail -1)}"
[ -f "$zip" ] || { echo "package: no zip; run bash scripts/package.sh first" >&2; exit 1; }
zip="$(readlink -f "$zip")"
version="$(basename "$zip" | sed -E 's/^Varnok-(.*)-win64\.zip$/\1/')"

passed=0
failed=0
check() {  # description, command...
    local what="$1"
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL package: $what"
        failed=$((failed + 1))
    fi
}

# Every line of the file ends in CR LF, the last one included.
crlf_only() {
    [ -s "$1" ] && ! grep -qv $'\r$' "$1" && [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" = '\r\n' ]
}

listing="$(cmake -E tar tf "$zip" | sort)"
expected="$(printf '%s\n' README.txt Saves/example.vnk Varnok.exe)"
check "holds exactly Varnok.exe, README.txt and Saves/example.vnk (has: $(echo $listing))" \
    test "$(grep -v '/$' <<<"$listing")" = "$expected"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
check "Varnok.exe is a Windows program" \
    test "$(head -c 2 "$unpacked/Varnok.exe" 2>/dev/null)" = MZ
check "Varnok.exe's version resource says $version" \
    bash -c "strings -el '$unpacked/Varnok.exe' | grep -qx '$version'"
check "README.txt has CR LF line ends" crlf_only "$unpacked/README.txt"
check "README.txt names the version $version" grep -q "^Varnok $version" "$unpacked/README.txt"
check "Saves/example.vnk has CR LF line ends" crlf_only "$unpacked/Saves/example.vnk"
check "Saves/example.vnk starts with the reply file header" \
    test "$(head -1 "$unpacked/Saves/example.vnk")" = $'Varnok -{ZUL}- $pellow$\r'

echo "package $(basename "$zip"): $passed checks passed, $failed failed"
[ "$failed" -eq 0 ]
