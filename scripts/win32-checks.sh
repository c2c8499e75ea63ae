#!/usr/bin/env bash
# Builds the Windows preset and runs the Win32 adapter checks under Wine on a
# virtual display. WINEPREFIX may be given; by default a prefix inside the
# build tree is made once and reused.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target varnok_win32_checks
export WINEPREFIX="${WINEPREFIX:-$PWD/build/windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w  # the new prefix is ready once its server has finished
fi
# Wine's own MS Sans Serif and Tahoma, where the fonts package put them.
if [ -d /usr/share/wine/fonts ]; then
  for font in /usr/share/wine/fonts/*; do
    [ -e "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$font")" ] ||
      ln -s "$font" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  done
fi
xvfb-run -a -s "-screen 0 1024x768x24" wine build/windows/varnok_win32_checks.exe
