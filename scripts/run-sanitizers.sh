#!/usr/bin/env bash
# Builds the parsing code natively with clang and runs it under AddressSanitizer and
# UndefinedBehaviorSanitizer: the BMP reader's test suite, then a libFuzzer target for the BMP reader and
# one for the event reader. Usage: scripts/run-sanitizers.sh [seconds per fuzzer, default 60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
out="${BUILD_DIR:-$root/build}/native"
mkdir -p "$out/bmpCorpus" "$out/eventCorpus"
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q installed; then
    [ "$(id -u)" -eq 0 ] || { echo "run as root to install clang" >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev >/dev/null
fi
sanitize=(-g -O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined)
gtest=/usr/src/googletest/googletest

clang++ -std=c++17 "${sanitize[@]}" -I"$gtest/include" -I"$gtest" \
    "$root/tests/native/bmpDecoderTest.cpp" "$root/toolkit/bmpDecoder.cpp" \
    "$gtest/src/gtest-all.cc" "$gtest/src/gtest_main.cc" -pthread -o "$out/bmpDecoderTest"
"$out/bmpDecoderTest" --gtest_brief=1

clang++ -std=c++17 "${sanitize[@]}" -fsanitize=fuzzer "$root/tests/native/bmpFuzzer.cpp" \
    "$root/toolkit/bmpDecoder.cpp" -o "$out/bmpFuzzer"
clang++ -std=c++17 "${sanitize[@]}" -fsanitize=fuzzer "$root/tests/native/eventFuzzer.cpp" \
    "$root/clock/eventFormat.cpp" -o "$out/eventFuzzer"
# Seeds: the delivered skins and a few event values.
cp "$root"/skins/*/Main.bmp "$out/bmpCorpus/" 2>/dev/null || true
for s in "$root"/skins/*/; do cp "$s/Blink.bmp" "$out/bmpCorpus/$(basename "$s")-Blink.bmp"; done
printf '12:00 Test' >"$out/eventCorpus/a"
printf '07:30 Stand-up/notepad.exe' >"$out/eventCorpus/b"
printf '7:05 x/y/z' >"$out/eventCorpus/c"
for fuzzer in bmpFuzzer eventFuzzer; do
    corpus="$out/${fuzzer%Fuzzer}Corpus"
    "$out/$fuzzer" -max_total_time="$seconds" -max_len=20000 -print_final_stats=1 "$corpus" 2>&1 |
        grep -E 'stat::number_of_executed_units|stat::new_units_added|ERROR|SUMMARY' | sed "s/^/$fuzzer: /"
done
