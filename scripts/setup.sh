#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine needs to build Varnok, run its
# tests and run the demo: the native toolchain with GoogleTest, the mingw-w64
# cross compiler, Wine with GStreamer (Media Foundation and DirectShow playback
# under Wine), a virtual X server, screenshot tools, encoders for test audio,
# pv (reads the sound Wine plays at the pace of a sound card), zip (the demo
# game's archive of texts), and clang with its sanitizer and libFuzzer
# runtimes (and llvm-symbolizer for their reports),
# and zlib for both builds (read the game's archives; linked statically).
set -euo pipefail

packages=(
  build-essential cmake ninja-build clang-format libgtest-dev libgmock-dev
  clang libclang-rt-14-dev llvm
  mingw-w64 g++-mingw-w64-x86-64-posix
  zlib1g-dev libz-mingw-w64-dev
  wine wine64 libwine fonts-wine
  xvfb xauth x11-utils imagemagick procps
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
  libasound2 libasound2-plugins
  ffmpeg lame zip pv
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
echo "setup: all packages present"
