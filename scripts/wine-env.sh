# Sourced by the project's scripts: a Wine prefix inside the build folder, a virtual display when there
# is none, and a persistent wineserver whose output goes nowhere (a parent reading a pipe would hang).
#   wine_env_start   starts what is missing and records what it started
#   wine_env_stop    stops exactly what wine_env_start started

: "${BUILD_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win32
# The server's socket lives under TMPDIR: every wine call must see the same one.
export TMPDIR="${BELLWICK_TMPDIR:-/tmp}"
export WINEDLLOVERRIDES="mscoree,mshtml="

_wine_started_xvfb=""
_wine_started_server=""

_wine_pick_display() {
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

wine_env_start() {
    mkdir -p "$WINEPREFIX"
    if [ -z "${DISPLAY:-}" ]; then
        local n
        n=$(_wine_pick_display) || { echo "no free X display number" >&2; return 1; }
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        _wine_started_xvfb=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.05
        done
    fi

    local fresh=""
    [ -f "$WINEPREFIX/system.reg" ] || fresh=1
    if wineserver -p </dev/null >/dev/null 2>&1; then _wine_started_server=1; fi
    if [ -n "$fresh" ]; then
        wine wineboot -i </dev/null >/dev/null 2>&1
        # Unmanaged windows close at once; managed ones stall two seconds without a window manager.
        wine 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        # Opening a document must not look for a browser on this machine.
        wine 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d true /f </dev/null >/dev/null 2>&1
        wineserver -k </dev/null >/dev/null 2>&1 || true
        wineserver -w </dev/null >/dev/null 2>&1 || true
        wineserver -p </dev/null >/dev/null 2>&1 && _wine_started_server=1
    fi
    wine wineboot </dev/null >/dev/null 2>&1
}

wine_env_stop() {
    if [ -n "$_wine_started_server" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
        wineserver -w </dev/null >/dev/null 2>&1 || true
    fi
    if [ -n "$_wine_started_xvfb" ]; then
        kill "$_wine_started_xvfb" 2>/dev/null || true
        wait "$_wine_started_xvfb" 2>/dev/null || true
    fi
}
