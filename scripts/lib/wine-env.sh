# Sourced by the scripts that run Windows programs under Wine: a private Wine
# prefix under build/ (created once, then reused), Wine's own messages kept
# out of the console (in build/logs), a home folder
# inside build/ whose .asoundrc routes sound to ALSA's null device (so playback
# works on machines without a sound card and a user's own settings are never
# touched), and a helper that runs a command under a virtual X server when
# there is no display.
#
# The null device takes sound as fast as it comes, and Media Foundation's
# audio renderer then plays a 3-second song in under one second (DirectShow
# keeps its own clock). So the sound goes first through ALSA's file plugin
# into a pipe that pv empties at the pace of a sound card (16-bit stereo at
# 44.1 kHz, 176400 bytes a second): a write waits for the reader, and songs
# take their real time. Each stream opened gets its own pv, which ends with it.
# VARNOK_SOUND=null keeps the plain null device (the media benchmark: starting
# a pv with every stream would be timed with each open).

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build_root="$repo_root/build"
logs_root="$build_root/logs"
mkdir -p "$logs_root"

export WINEPREFIX="${VARNOK_WINEPREFIX:-$build_root/wineprefix}"
# Wine's own fonts are linked into the prefix unless VARNOK_WINE_FONTS=0.
wine_fonts="${VARNOK_WINE_FONTS:-1}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine_home="$build_root/wine-home"
mkdir -p "$wine_home"
if [ "${VARNOK_SOUND:-paced}" != null ] && command -v pv >/dev/null; then
    cat >"$wine_home/.asoundrc" <<'ASOUND'
pcm.!default {
    type plug
    slave { pcm "paced"; format S16_LE; rate 44100; channels 2 }
}
pcm.paced {
    type file
    slave.pcm "null"
    file "|exec pv -q -L 176400 -B 16384 >/dev/null"
    format "raw"
}
ASOUND
else
    [ "${VARNOK_SOUND:-paced}" = null ] ||
        echo "wine-env: pv is missing (scripts/setup.sh installs it): songs play faster than real time" >&2
    cat >"$wine_home/.asoundrc" <<'ASOUND'
pcm.!default { type null }
ASOUND
fi
export HOME="$wine_home"
export XDG_RUNTIME_DIR="$wine_home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

wine_bin="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
[ -x "$wine_bin" ] || wine_bin=/usr/lib/wine/wine64
wineserver_bin="$(command -v wineserver || echo /usr/lib/wine/wineserver64)"
[ -x "$wineserver_bin" ] || wineserver_bin=/usr/lib/wine/wineserver64

# Creates the prefix on first use (about ten seconds), later a no-op. The
# prefix uses a virtual desktop of 1280x1024: every Windows window then lives
# inside one X window, so hiding or destroying one does not wait for a window
# manager that a bare X server does not have, and screenshots show the desktop.
# A crashing program gets no crash dialog (which would wait for a click that
# never comes): its backtrace goes to the log and it ends. What Wine says
# meanwhile goes to build/logs/wine-prefix.log.
prefix_marker_name=.varnok-prefix-v4
prefix_marker="$WINEPREFIX/$prefix_marker_name"
ensure_wine_prefix() {
    [ -f "$prefix_marker" ] && return
    echo "wine: preparing prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    {
        "$wine_bin" wineboot --init || true
        "$wine_bin" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f
        "$wine_bin" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
        "$wine_bin" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
        "$wineserver_bin" -w || true
    } >>"$logs_root/wine-prefix.log" 2>&1
    # The prefix without fonts (use_plain_prefix) is this one as it is now,
    # copied: a copy takes a fraction of the time Wine takes to make one.
    if [ "$wine_fonts" != 0 ] && [ ! -f "$plain_prefix/$prefix_marker_name" ]; then
        rm -rf "$plain_prefix"
        cp -a "$WINEPREFIX" "$plain_prefix"
        touch "$plain_prefix/$prefix_marker_name"
    fi
    # Wine's own MS Sans Serif and Tahoma (fonts-wine), which the layouts
    # were measured with; this Wine does not look for them by itself.
    if [ "$wine_fonts" != 0 ] && [ -d /usr/share/wine/fonts ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        for font in /usr/share/wine/fonts/*; do
            ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
        done
    fi
    touch "$prefix_marker"
}

# Switches to a second private prefix, build/wineprefix-plain, made without
# Wine's own fonts, as a Linux player's game prefix may be: there MS Sans Serif
# is missing and the system gives a wider font in its place.
plain_prefix="$build_root/wineprefix-plain"
use_plain_prefix() {
    export WINEPREFIX="$plain_prefix"
    prefix_marker="$WINEPREFIX/$prefix_marker_name"
    wine_fonts=0
}

# Switches to lane N's prefix, build/wineprefix-laneN: a copy of the main
# prefix (made first when missing), for programs that run beside those of the
# main prefix and must not see their windows. Copy it while the main one is
# at rest.
use_lane_prefix() {
    local lane_prefix="$build_root/wineprefix-lane$1"
    if [ ! -f "$lane_prefix/$prefix_marker_name" ]; then
        ensure_wine_prefix
        rm -rf "$lane_prefix"
        cp -a "$WINEPREFIX" "$lane_prefix"
    fi
    export WINEPREFIX="$lane_prefix"
    prefix_marker="$WINEPREFIX/$prefix_marker_name"
}

# The main prefix and those of lanes 1 to N-1, made while nothing runs in them.
ensure_lane_prefixes() {
    ensure_wine_prefix
    stop_wine_prefix
    local lane
    for ((lane = 1; lane < $1; lane++)); do (use_lane_prefix "$lane"); done
}

# Ends every process of this prefix (never another prefix's).
stop_wine_prefix() {
    "$wineserver_bin" -k >/dev/null 2>&1 || true
    # And until the server has gone, so that a program started next does not
    # meet the one that is shutting down.
    timeout 10 "$wineserver_bin" -w >/dev/null 2>&1 || true
}

# The Windows path of a Linux path (through the prefix's Z: drive).
windows_path() {
    local abs
    abs="$(readlink -f "$1")"
    printf 'Z:%s' "${abs//\//\\}"
}

# Runs "$@" with a display: the current one, or a fresh virtual X server.
with_display() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
    fi
}

# Runs a Windows program of the build tree under Wine in this prefix, with a
# display, for at most `limit` seconds, and ends the prefix's processes after
# it: run_bounded NAME LIMIT EXE [ARGS...]. The program's output stays on
# stdout; what Wine, GStreamer, ALSA and the X server write to stderr goes to
# build/logs/NAME.wine.log. Returns the program's exit code (124 when the
# limit stopped it).
run_bounded() {
    local name="$1" limit="$2" exe="$3"
    shift 3
    if [ ! -f "$exe" ]; then
        echo "$name: $exe is missing; run bash scripts/build.sh first" >&2
        return 1
    fi
    ensure_wine_prefix
    local wine_log="$logs_root/$name.wine.log"
    with_display timeout -k 10 "$limit" "$wine_bin" "$exe" "$@" 2>"$wine_log"
    local rc=$?
    [ "$rc" -eq 124 ] && echo "$name: stopped at its ${limit} s limit" >&2
    stop_wine_prefix
    echo "Wine's own messages: ${wine_log#"$repo_root"/}"
    return "$rc"
}

# Builds Varnok.exe and the stand-in where they are missing or out of date,
# ends whatever still runs in this prefix (and again when the calling script
# exits), and makes DIR a fresh folder holding a copy of Varnok.exe, so its
# "Saves" folder starts empty.
prepare_varnok_folder() {
    local dir="$1"
    bash scripts/build.sh windows -- --target Varnok standin
    ensure_wine_prefix
    stop_wine_prefix
    trap stop_wine_prefix EXIT
    rm -rf "$dir"
    mkdir -p "$dir"
    cp build/windows/Varnok.exe "$dir/"
}
