#!/usr/bin/env bash
# Runs a Windows program under wine64 in a throwaway prefix under Xvfb.
#
#   wine-runner.sh PROGRAM.exe [ARGS...]   run PROGRAM and exit with its exit code
#   wine-runner.sh --start-session DIR     create a prefix, Xvfb and a persistent wineserver
#   wine-runner.sh --stop-session DIR      stop and delete what --start-session made
#
# CTest uses it as CMAKE_CROSSCOMPILING_EMULATOR; cmake/Testing.cmake registers the start and
# stop calls as the fixture `wine_session`, so one prefix serves the whole test run and each
# program start costs a fraction of a second instead of the 3 s of a cold wineserver.
#
# A program finds the session through WORDMAINT_WINE_SESSION, else through the build tree it
# lives in (the nearest directory above it with a CMakeCache.txt, then its wine-session/).
# Without a running session it makes a one-off session for that call (about 10 s).
#
# WORDMAINT_WINE_LC_ALL overrides the locale of the Windows program (default zh_CN.UTF-8, the
# users' code page 936); a test sets it through its ENVIRONMENT property to run under another
# collation.
#
# WORDMAINT_WINE_DPI, read by --start-session, gives the session's screen that many dots per
# inch (the prefix's LogPixels; default 96, Windows' 100 %), its Xvfb screen grown in step so
# that a window scaled with it fits as it does at 96.
#
# Wine keeps a read-only file read-only only through its Unix permissions, which root bypasses.
# Run as root, every Wine process (the wineserver too: it opens the files) therefore runs
# without the capabilities that bypass them, so read-only files behave as they do on Windows.
set -euo pipefail

wine_dir=/usr/lib/wine
WINE64=${WORDMAINT_WINE64:-$wine_dir/wine64}
WINESERVER=${WORDMAINT_WINESERVER:-$wine_dir/wineserver64}
font_family="WenQuanYi Micro Hei"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --bounding-set -dac_override,-dac_read_search,-fowner --)
    if ! "${as_user[@]}" true 2>/dev/null; then
        echo "wine-runner: can't drop root's file capabilities; read-only files stay writable" >&2
        as_user=()
    fi
fi

die() {
    echo "wine-runner: $*" >&2
    exit 125
}

# The environment of every Wine process of a session; DISPLAY and WINEPREFIX come from the session.
wine_env() {
    # A 32-bit prefix can't run here; the user's own choices don't apply to the test prefix.
    unset WINEARCH
    export LC_ALL=${WORDMAINT_WINE_LC_ALL:-zh_CN.UTF-8}
    export WINEDEBUG=-all
    # No Mono or Gecko installer prompts; no menu entries written into the user's home.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# True when pid runs (a zombie, left until its new parent reaps it, counts as stopped).
alive() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

start_session() {
    local dir=$1
    [ -x "$WINE64" ] || die "no $WINE64 (run scripts/setup.sh)"
    [ -x "$WINESERVER" ] || die "no $WINESERVER (run scripts/setup.sh)"
    command -v Xvfb >/dev/null || die "no Xvfb (run scripts/setup.sh)"
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' ||
        die "the zh_CN.UTF-8 locale is not generated (run scripts/setup.sh)"

    # A session left by an interrupted run is cleared first.
    stop_session "$dir"
    mkdir -p "$dir"
    local log=$dir/session.log
    : >"$log"

    local dpi=${WORDMAINT_WINE_DPI:-96}
    [[ $dpi =~ ^[1-9][0-9]*$ ]] || die "WORDMAINT_WINE_DPI is not a number: $dpi"
    local screen=$((1280 * dpi / 96))x$((1024 * dpi / 96))x24

    # Xvfb picks a free display itself and writes its number to fd 3. setsid and the redirects
    # keep it from holding the caller's terminal or CTest's output pipes.
    # 9>&-: the session lock (see lock_session) stays with this script, not with the servers.
    setsid sh -c 'echo $$ >"$1"; exec Xvfb -displayfd 3 -screen 0 "$3" -nolisten tcp 3>"$2"' \
        sh "$dir/xvfb.pid" "$dir/display" "$screen" </dev/null >>"$log" 2>&1 9>&- &
    local i
    for ((i = 0; i < 100; i++)); do
        [ -s "$dir/display" ] && break
        sleep 0.1
    done
    [ -s "$dir/display" ] || die "Xvfb did not start (see $log)"
    local display
    display=:$(head -n 1 "$dir/display")

    local prefix
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/wordmaint-wine.XXXXXX")
    printf '%s\n' "$prefix" >"$dir/prefix"

    wine_env
    export WINEPREFIX=$prefix DISPLAY=$display
    # The server forks into the background once its socket is ready; --wait makes setsid wait
    # for that even when it has to fork itself.
    setsid --wait "${as_user[@]}" "$WINESERVER" -p </dev/null >>"$log" 2>&1 9>&- ||
        die "wineserver did not start (see $log)"
    "${as_user[@]}" "$WINE64" wineboot --init </dev/null >>"$log" 2>&1 9>&- ||
        die "wineboot failed (see $log)"

    local reg=$dir/session.reg
    cat >"$reg" <<EOF
REGEDIT4

; Without a window manager, windows get their frame and caption only from Wine itself.
[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="Y"

; Dialog and Chinese fonts drawn with the WenQuanYi font, so Chinese text renders.
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"MS Shell Dlg"="$font_family"
"MS Shell Dlg 2"="$font_family"
"Tahoma"="$font_family"
"SimSun"="$font_family"

; The screen's dots per inch: what a DPI-aware program scales its pixels by.
[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")
EOF
    "${as_user[@]}" "$WINE64" regedit /S "Z:${reg//\//\\}" </dev/null >>"$log" 2>&1 9>&- ||
        die "regedit failed (see $log)"

    # Wine draws caption buttons, scroll arrows and check marks with Marlett, which this Wine
    # build leaves out of the prefix's Fonts folder; without it they show as letters. Only
    # Marlett: Wine's own Tahoma would stop the replacement above.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    [ -f "$marlett" ] && cp "$marlett" "$prefix/drive_c/windows/Fonts/"

    local users=$prefix/drive_c/users profile=""
    local d
    for d in "$users"/*; do
        [ "$(basename "$d")" = Public ] || profile=$d
    done
    [ -n "$profile" ] || die "no user profile in $users"
    # Wine links Desktop, Documents and the like to the Unix home; tests must not write there.
    for d in "$profile"/*; do
        if [ -L "$d" ]; then
            rm "$d"
            mkdir "$d"
        fi
    done
    # Windows has this entry (a junction to AppData\Roaming); Wine 8 does not make it.
    ln -s AppData/Roaming "$profile/Application Data"

    # Written last: its presence tells programs that the session is ready.
    {
        printf 'WINEPREFIX=%q\n' "$prefix"
        printf 'DISPLAY=%q\n' "$display"
    } >"$dir/session.env.tmp"
    mv "$dir/session.env.tmp" "$dir/session.env"
}

stop_session() {
    local dir=$1
    [ -d "$dir" ] || return 0
    rm -f "$dir/session.env"
    local prefix=""
    [ -s "$dir/prefix" ] && prefix=$(head -n 1 "$dir/prefix")
    if [ -n "$prefix" ] && [ -d "$prefix" ]; then
        # -k ends the server and every Wine process of the prefix; -w waits until it has gone.
        WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
        WINEPREFIX=$prefix timeout 10 "$WINESERVER" -w >/dev/null 2>&1 || true
        rm -rf "$prefix"
    fi
    if [ -s "$dir/xvfb.pid" ]; then
        local pid
        pid=$(head -n 1 "$dir/xvfb.pid")
        # Only the Xvfb this session started, not whatever reuses its number later.
        if alive "$pid" && grep -q Xvfb "/proc/$pid/cmdline" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            local i=0
            while alive "$pid" && [ $((i++)) -lt 50 ]; do
                sleep 0.1
            done
            if alive "$pid"; then
                kill -9 "$pid" 2>/dev/null || true
            fi
        fi
    fi
    rm -rf "$dir"
}

# Prints the session directory for the program, or nothing.
find_session() {
    if [ -n "${WORDMAINT_WINE_SESSION:-}" ]; then
        printf '%s\n' "$WORDMAINT_WINE_SESSION"
        return
    fi
    local d
    for d in "$(dirname "$(realpath -m "$1")")" "$PWD"; do
        while [ "$d" != / ]; do
            if [ -f "$d/CMakeCache.txt" ]; then
                printf '%s\n' "$d/wine-session"
                return
            fi
            d=$(dirname "$d")
        done
    done
}

run_program() {
    [ $# -ge 1 ] || die "usage: wine-runner.sh PROGRAM.exe [ARGS...]"
    local dir
    dir=$(find_session "$1")
    if [ -n "$dir" ] && [ -f "$dir/session.env" ]; then
        local WINEPREFIX DISPLAY
        # shellcheck source=/dev/null
        . "$dir/session.env"
        if [ -d "$WINEPREFIX" ]; then
            wine_env
            export WINEPREFIX DISPLAY
            run_wine "$@"
        fi
    fi

    echo "wine-runner: no session running; making a one-off prefix for this call" >&2
    # Global: the exit trap reads it.
    oneoff=$(mktemp -d "${TMPDIR:-/tmp}/wordmaint-session.XXXXXX")
    trap 'stop_session "$oneoff"' EXIT
    trap 'exit 130' INT TERM
    start_session "$oneoff"
    # shellcheck source=/dev/null
    . "$oneoff/session.env"
    export WINEPREFIX DISPLAY
    run_wine "$@"
}

# Wine hands its standard error to every process it starts, the desktop process (explorer.exe)
# too, which a window program starts and which stays for about 20 s after the last window.
# On CTest's pipe that kept each window test open that long, so the program's standard error
# goes to a file, copied out when the program ends.
run_wine() {
    local err rc=0
    err=$(mktemp "${TMPDIR:-/tmp}/wine-runner-stderr.XXXXXX")
    "${as_user[@]}" "$WINE64" "$@" 2>"$err" || rc=$?
    cat "$err" >&2
    rm -f "$err"
    exit "$rc"
}

# Two test runs in one build tree (CTest started twice at once) share its session: each run
# is a file in DIR/users named after its CTest's process id, and the last one to stop it ends
# it. The lock keeps starts and stops from interleaving.
lock_session() {
    mkdir -p "$(dirname "$1")"
    exec 9>"$1.lock"
    flock 9
}

prune_users() {
    local f
    for f in "$1"/users/*; do
        [ -e "$f" ] || continue
        alive "$(basename "$f")" || rm -f "$f"
    done
}

session_alive() {
    local dir=$1 WINEPREFIX="" DISPLAY=""
    [ -f "$dir/session.env" ] || return 1
    # shellcheck source=/dev/null
    . "$dir/session.env"
    [ -d "$WINEPREFIX" ] && alive "$(head -n 1 "$dir/xvfb.pid" 2>/dev/null)" &&
        [ -n "$(ls -A "$dir/users" 2>/dev/null)" ]
}

case "${1:-}" in
    --start-session)
        [ $# -eq 2 ] || die "usage: wine-runner.sh --start-session DIR"
        lock_session "$2"
        prune_users "$2"
        if ! session_alive "$2"; then
            # A half-made session is taken down again, so a failed start leaves nothing running.
            trap 'stop_session "$2"' EXIT
            start_session "$2"
            trap - EXIT
        fi
        mkdir -p "$2/users"
        : >"$2/users/$PPID"
        ;;
    --stop-session)
        [ $# -eq 2 ] || die "usage: wine-runner.sh --stop-session DIR"
        lock_session "$2"
        rm -f "$2/users/$PPID"
        prune_users "$2"
        [ -n "$(ls -A "$2/users" 2>/dev/null)" ] || stop_session "$2"
        ;;
    *)
        run_program "$@"
        ;;
esac
