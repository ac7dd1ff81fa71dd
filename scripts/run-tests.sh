#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine; stops everything it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

# Explorer (desktop and tray) lives only while a GUI program runs: keep one for the whole run.
wine "$BUILD_DIR/tests/keepAlive.exe" </dev/null >/dev/null 2>&1 &

cd "$BUILD_DIR"
if [ "$#" -gt 0 ]; then ctest --output-on-failure -j2 "$@"; else ctest --output-on-failure -j2 -LE long; fi
