#!/usr/bin/env bash
# The package a player downloads: builds Varnok.exe where it is missing or out
# of date, lets CPack zip it with README.txt and Saves\example.vnk, and writes
# build/Varnok-<version>-win64.zip. Prints the zip's path.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/build.sh windows -- --target Varnok >&2
staging=build/windows/cpack
rm -rf "$staging"
cpack --config build/windows/CPackConfig.cmake -B "$staging" >/dev/null
zips=("$staging"/Varnok-*-win64.zip)
[ -f "${zips[0]}" ] || { echo "package: CPack wrote no zip" >&2; exit 1; }
cp "${zips[0]}" build/
echo "build/$(basename "${zips[0]}")"
