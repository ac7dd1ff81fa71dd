#!/usr/bin/env bash
# The NSIS installer run silently under Wine into a fresh folder gives a working installation: the files
# are there and the clock starts from that folder. Expects the Wine environment of scripts/run-tests.sh.
# Usage: installerTest.sh <setup.exe> <folder for the screenshot>
set -euo pipefail
setup="$1"
shots="$2"
fail() { echo "FAIL: $*"; exit 1; }
reg() { wine 'C:\windows\system32\reg.exe' "$@" </dev/null >/dev/null 2>&1; }

[ -f "$setup" ] || fail "no installer at $setup"
target_unix=$(mktemp -d /tmp/bellwick-setup-XXXXXX)
target="Z:${target_unix//\//\\}\\Bellwick"
cleanup() {
    # Wine shows the process under its Windows path; end it by name.
    wine 'C:\windows\system32\taskkill.exe' /f /im Bellwick.exe </dev/null >/dev/null 2>&1 || true
    pkill -f 'Bellwick.exe' 2>/dev/null || true
    reg delete 'HKCU\Software\Quorvane\Bellwick' /f
    rm -rf "$target_unix"
}
trap cleanup EXIT

# /D must come last and unquoted.
wine "$setup" /S "/D=$target" </dev/null >/dev/null 2>&1 || fail "the installer failed"
for f in Bellwick.exe uninstaller.exe Bellwick.ico Plannery.ico Help/readme.html Help/Bugs.txt Help/changes.log \
         Skins/Black-White/Main.bmp Skins/Default/Blink.bmp Skins/Gold/Main.bmp Skins/NewStyle/Blink.bmp \
         Skins/Original/Main.bmp; do
    [ -f "$target_unix/Bellwick/$f" ] || fail "missing after installation: $f"
    echo "installed: $f"
done

# A later start (not the first run): no greeting box, the clock at a known place.
product='HKCU\Software\Quorvane\Bellwick'
reg add "$product\\Events" /v Count /t REG_DWORD /d 0 /f
reg add "$product" /v SkinName /d Gold /f
reg add "$product" /v LeftPos /t REG_DWORD /d 400 /f
reg add "$product" /v TopPos /t REG_DWORD /d 300 /f
reg add "$product" /v AlwaysOnTop /t REG_DWORD /d 1 /f
reg add "$product" /v BlinkLength /t REG_DWORD /d 15 /f
(cd "$target_unix/Bellwick" && exec setsid wine Bellwick.exe </dev/null >/dev/null 2>&1 &)

geometry=""
for _ in $(seq 1 150); do
    geometry=$(xwininfo -root -tree 2>/dev/null | grep '"Bellwick": ("bellwick.exe"' | grep '+400+300' || true)
    [ -n "$geometry" ] && break
    sleep 0.1
done
[ -n "$geometry" ] || fail "the installed clock did not show at (400, 300)"
echo "$geometry" | grep -q '65x65+400+300' || fail "the clock's window is not 65x65: $geometry"
echo "the installed clock runs: $geometry"
sleep 1
import -window root -crop 65x65+400+300 "$shots/installed-clock.png"
echo "screenshot: $shots/installed-clock.png"
echo "1 passed, 0 failed"
