#!/usr/bin/env bash
# The installed clock driven with the real mouse and keyboard: a right click opens the menu at the cursor
# (screenshot), choosing a skin from it stores SkinName at once and changes the face on the next tick, and
# Ctrl+X quits and saves. Expects the Wine environment of scripts/run-tests.sh.
# Usage: menuInputTest.sh <installation folder> <folder for the screenshots>
set -euo pipefail
install="$1"
shots="$2"
fail() { echo "FAIL: $*"; exit 1; }
reg() { wine 'C:\windows\system32\reg.exe' "$@" </dev/null 2>/dev/null | tr -d '\r'; }
product='HKCU\Software\Quorvane\Bellwick'
cleanup() {
    wine 'C:\windows\system32\taskkill.exe' /f /im Bellwick.exe </dev/null >/dev/null 2>&1 || true
    reg delete "$product" /f >/dev/null || true
}
trap cleanup EXIT

reg add "$product\\Events" /v Count /t REG_DWORD /d 0 /f >/dev/null
reg add "$product" /v SkinName /d Default /f >/dev/null
reg add "$product" /v LeftPos /t REG_DWORD /d 400 /f >/dev/null
reg add "$product" /v TopPos /t REG_DWORD /d 300 /f >/dev/null
reg add "$product" /v AlwaysOnTop /t REG_DWORD /d 1 /f >/dev/null
reg add "$product" /v BlinkLength /t REG_DWORD /d 15 /f >/dev/null
(cd "$install" && exec setsid wine Bellwick.exe </dev/null >/dev/null 2>&1 &)
for _ in $(seq 1 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Bellwick": ("bellwick.exe".*65x65+400+300' && break
    sleep 0.1
done
xwininfo -root -tree | grep -q '65x65+400+300' || fail "the clock did not show"
sleep 1
face() { import -window root -crop 65x65+400+300 -depth 8 txt:- | md5sum | cut -d' ' -f1; }
before=$(face)

xdotool mousemove 432 332 click 3
sleep 1
import -window root -crop 360x300+200+300 "$shots/menu-open.png"
menu=$(xwininfo -root -tree | grep '("bellwick.exe"' | grep -v '65x65' | grep -v '1x1' | head -1 || true)
[ -n "$menu" ] || fail "no menu window after the right click"
echo "menu: $menu"
right=$(echo "$menu" | awk '{ split($NF, a, "+"); split($(NF-1), s, "x"); print a[2] + s[1] }')
[ "$right" -ge 430 ] && [ "$right" -le 434 ] || fail "the menu's right edge ($right) is not at the cursor (432)"
echo "the menu opened with its right edge at x=$right"

# Down to "Skin" (the sixth item after the separators), into it, down to Gold, choose it.
xdotool key Down Down Down Down Down Down Right Down Down Return
sleep 0.2
skin=$(reg query "$product" /v SkinName | awk '/SkinName/ { print $3 }')
[ "$skin" = "Gold" ] || fail "SkinName is '$skin', not Gold"
echo "SkinName is Gold at once"
sleep 1.2
after=$(face)
[ "$before" != "$after" ] || fail "the face did not change"
import -window root -crop 65x65+400+300 "$shots/menu-gold.png"
echo "the face changed on the next tick"

xdotool key ctrl+x
for _ in $(seq 1 50); do
    xwininfo -root -tree 2>/dev/null | grep -q '65x65+400+300' || break
    sleep 0.1
done
xwininfo -root -tree | grep -q '65x65+400+300' && fail "Ctrl+X did not quit"
left=$(reg query "$product" /v LeftPos | awk '/LeftPos/ { print $3 }')
[ "$left" = "0x190" ] || fail "LeftPos after the quit is $left"
echo "Ctrl+X quit and saved LeftPos 400"
echo "1 passed, 0 failed"
