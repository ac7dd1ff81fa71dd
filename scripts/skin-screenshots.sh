#!/usr/bin/env bash
# Runs the installed clock once per delivered skin and saves its face, plain and blinking, as
# docs/skins.png (a strip of the ten pictures, main above blink).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

reg() { wine 'C:\windows\system32\reg.exe' "$@" </dev/null >/dev/null 2>&1; }
shots=$(mktemp -d)
product='HKCU\Software\Quorvane\Bellwick'
cd "$BUILD_DIR/install"
for skin in Black-White Default Gold NewStyle Original; do
    reg add "$product\\Events" /v Count /t REG_DWORD /d 0 /f
    reg add "$product" /v SkinName /d "$skin" /f
    reg add "$product" /v LeftPos /t REG_DWORD /d 300 /f
    reg add "$product" /v TopPos /t REG_DWORD /d 300 /f
    reg add "$product" /v AlwaysOnTop /t REG_DWORD /d 1 /f
    wine Bellwick.exe </dev/null >/dev/null 2>&1 &
    window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --name '^Bellwick$' 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 1.2
    import -window root -crop 65x65+300+300 "$shots/$skin-main.png"
    # F5 starts the blinking; the blink picture shows on even ticks.
    xdotool key --window "$window" F5
    for i in 1 2 3 4; do
        sleep 0.25
        import -window root -crop 65x65+300+300 "$shots/$skin-blink-$i.png"
    done
    # Keep the frame that differs most from the main picture: that one shows the blink picture.
    best=$(for i in 1 2 3 4; do
        printf '%s %s\n' "$(compare -metric AE "$shots/$skin-main.png" "$shots/$skin-blink-$i.png" null: 2>&1 || true)" "$i"
    done | sort -rn | head -1 | cut -d' ' -f2)
    cp "$shots/$skin-blink-$best.png" "$shots/$skin-blink.png"
    xdotool key --window "$window" ctrl+x 2>/dev/null || true
    sleep 1
    pkill -f 'Bellwick.exe' 2>/dev/null || true
    sleep 0.3
done
mkdir -p "$root/docs"
montage $(for s in Black-White Default Gold NewStyle Original; do echo "$shots/$s-main.png"; done) \
        $(for s in Black-White Default Gold NewStyle Original; do echo "$shots/$s-blink.png"; done) \
        -tile 5x2 -geometry 130x130+6+6 -filter point -background '#5a6e8c' "$root/docs/skins.png"
rm -rf "$shots"
echo "Skin screenshots: $root/docs/skins.png"
