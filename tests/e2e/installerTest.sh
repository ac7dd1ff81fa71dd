#!/usr/bin/env bash
# The NSIS installer under Wine. Silent (/S /D=...) into a fresh folder: every file of the installation
# folder lands there unchanged, the Start-menu shortcut "Bellwick" starts the clock in that folder (it finds
# its skin there) and "Uninstall Bellwick" runs the uninstaller there. With its pages: the folder given is
# taken, and the finish page's "Start Bellwick" starts the clock in it.
# Expects the Wine environment of scripts/run-tests.sh (DISPLAY, WINEPREFIX, a running wineserver).
# Usage: installerTest.sh <setup.exe> <installation folder it was made from> <folder for the screenshot>
set -euo pipefail
setup="$1"
source_folder="$2"
shots="$3"
fail() { echo "FAIL: $*"; exit 1; }
reg() { wine 'C:\windows\system32\reg.exe' "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# Shortcuts made under Wine would also land in this machine's desktop menus.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"
product='HKCU\Software\Quorvane\Bellwick'
scratch=$(mktemp -d /tmp/bellwick-setup-XXXXXX)

shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
clockShown() {
    xdotool search --onlyvisible --name '^Bellwick$' getwindowgeometry %@ 2>/dev/null | tr -d '\n' |
        grep -q 'Position: 400,300 .*Geometry: 65x65'
}
# Waits up to 15 s for a command to succeed.
waitFor() {
    for _ in $(seq 1 150); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
endClock() {
    # The wineserver is this run's own: only its clocks are ended.
    wine 'C:\windows\system32\taskkill.exe' /f /im Bellwick.exe </dev/null >/dev/null 2>&1 || true
    waitFor bash -c '! xdotool search --onlyvisible --name "^Bellwick$" >/dev/null 2>&1' || true
}
cleanup() {
    endClock
    reg delete "$product" /f >/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# A later start, not the first run: no greeting box, the clock at a known place with a skin of its folder.
storeKeys() {
    reg delete "$product" /f >/dev/null || true
    reg add "$product\\Events" /v Count /t REG_DWORD /d 0 /f >/dev/null
    reg add "$product" /v SkinName /d Gold /f >/dev/null
    reg add "$product" /v LeftPos /t REG_DWORD /d 400 /f >/dev/null
    reg add "$product" /v TopPos /t REG_DWORD /d 300 /f >/dev/null
    reg add "$product" /v AlwaysOnTop /t REG_DWORD /d 1 /f >/dev/null
}
# A clock started in the wrong folder misses its skin, stores Default and shows an error box.
expectClockInItsFolder() {
    if ! waitFor clockShown; then
        shown '^Error occured$' && fail "$1: the clock shows an error box (its skin is not in its working folder?)"
        fail "$1: no 65x65 clock at (400, 300)"
    fi
    skin=$(reg query "$product" /v SkinName | awk '/SkinName/ { print $3 }') || true
    [ "$skin" = "Gold" ] || fail "$1: the clock did not find its skin (SkinName is now '$skin')"
    shown '^Error occured$' && fail "$1: the clock shows an error box"
    echo "$1: the clock runs at (400, 300), 65x65, with the Gold skin of its folder"
}
expectSameFiles() {
    diff -r "$source_folder" "$1" || fail "the installed folder differs from the installation folder"
    echo "installed, identical to $source_folder: $(cd "$1" && find . -type f | sort | tr '\n' ' ')"
}

[ -f "$setup" ] || fail "no installer at $setup"
programs="$(winepath -u "$(wine 'C:\windows\system32\cmd.exe' /c 'echo %APPDATA%' </dev/null 2>/dev/null | tr -d '\r')")"
programs="$programs/Microsoft/Windows/Start Menu/Programs/Bellwick"
rm -rf "$programs"
storeKeys

echo "== silent installation"
silent="$scratch/silent/Bellwick"
# /D comes last and unquoted: NSIS takes the rest of the command line as the folder.
wine "$setup" /S "/D=Z:${silent//\//\\}" </dev/null >/dev/null 2>&1 || fail "the silent installation failed"
expectSameFiles "$silent"
for link in Bellwick "Uninstall Bellwick"; do
    [ -f "$programs/$link.lnk" ] || fail "no Start-menu shortcut \"$link\""
done
echo "Start-menu shortcuts: Bellwick, Uninstall Bellwick"

# Started from elsewhere: the working folder can only come from the shortcut.
(cd "$scratch" && exec setsid wine start /unix "$programs/Bellwick.lnk" </dev/null >/dev/null 2>&1 &)
expectClockInItsFolder "the Bellwick shortcut"
sleep 1
import -window root -crop 65x65+400+300 "$shots/installed-clock.png"
echo "screenshot: $shots/installed-clock.png"
endClock

(cd "$scratch" && exec setsid wine start /unix "$programs/Uninstall Bellwick.lnk" </dev/null >/dev/null 2>&1 &)
waitFor shown '^Uninstall complete$' || fail "the Uninstall Bellwick shortcut showed no box"
for _ in $(seq 1 20); do
    shown '^Uninstall complete$' || break
    xdotool key Return
    sleep 0.5
done
shown '^Uninstall complete$' && fail "the uninstaller's box could not be answered"
left=$(cd "$silent" && find . | sort | tr '\n' ' ')
[ "$left" = ". ./uninstaller.exe " ] || fail "after the uninstaller the folder holds: $left"
reg query "$product" >/dev/null && fail "the uninstaller left the product key"
echo "the Uninstall Bellwick shortcut removed the keys and every file but uninstaller.exe"

echo "== installation with its pages"
storeKeys
paged="$scratch/paged/Bellwick"
(cd "$scratch" && exec setsid wine "$setup" "/D=Z:${paged//\//\\}" </dev/null >/dev/null 2>&1 &)
waitFor shown '^Bellwick Setup' || fail "the installer showed no window"
# Return takes the folder page's Install, then the finish page's Finish with "Start Bellwick" ticked.
for _ in $(seq 1 60); do
    shown '^Bellwick Setup' || break
    xdotool key Return
    sleep 0.5
done
shown '^Bellwick Setup' && fail "the installer's pages could not be passed with Return"
expectClockInItsFolder "the finish page"
expectSameFiles "$paged"
echo "1 passed, 0 failed"
