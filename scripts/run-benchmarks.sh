#!/usr/bin/env bash
# Installs what is missing, builds, and measures the clock under Wine: a tick, a load of the events, a
# reload and a start, each beside its floor, then an idle minute beside its floor, xclock and oclock.
# Prints the figures as Markdown and keeps them in build/benchmark-results.md; stops everything it started.
# Usage: scripts/run-benchmarks.sh [--quick]   (--quick: a few samples, only to see that it all works)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR="${BUILD_DIR:-$root/build}"
quick=""
[ "${1:-}" = "--quick" ] && quick="--quick"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null

source "$root/scripts/wine-env.sh"
keeper=""
finish() {
    if [ -n "$keeper" ]; then
        kill "$keeper" 2>/dev/null || true
        wait "$keeper" 2>/dev/null || true
    fi
    wine_env_stop
}
trap finish EXIT
wine_env_start
wine "$BUILD_DIR/tests/keepAlive.exe" </dev/null >/dev/null 2>&1 &
keeper=$!
sleep 2 # explorer (the desktop and the tray) is up before anything is timed

results="$BUILD_DIR/benchmark-results.md"
{
    echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)," \
         "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), Linux $(uname -r)," \
         "$(wine --version), Xvfb $DISPLAY; $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    (cd "$BUILD_DIR" && wine benchmarks/clockBenchmark.exe $quick </dev/null 2>/dev/null | tr -d '\r')
    echo
    "$root/scripts/idle-usage.sh" "$BUILD_DIR/install" "$BUILD_DIR/benchmarks/floorClock.exe" \
        "$([ -n "$quick" ] && echo 5 || echo 60)"
} | tee "$results"
echo
echo "Kept in $results"
