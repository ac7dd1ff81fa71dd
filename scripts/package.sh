#!/usr/bin/env bash
# Builds the distributables from the installation folder: build/dist/Bellwick-beta2.zip and
# build/dist/Bellwick-beta2-setup.exe (NSIS).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
dist="$BUILD_DIR/dist"
rm -rf "$dist"
mkdir -p "$dist/stage"
cp -r "$BUILD_DIR/install" "$dist/stage/Bellwick"
(cd "$dist/stage" && zip -qr -X "$dist/Bellwick-beta2.zip" Bellwick)
rm -rf "$dist/stage"
makensis -V2 -DSOURCE="$BUILD_DIR/install" -DOUTFILE="$dist/Bellwick-beta2-setup.exe" "$root/packaging/bellwick.nsi"
ls -l "$dist"
