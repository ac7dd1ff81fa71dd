#!/usr/bin/env bash
# CTest's emulator: runs one Windows program under Wine. Its output goes through files, so that Wine's
# helper processes and any child a test leaves behind never hold CTest's pipe open.
set -u
out=$(mktemp)
err=$(mktemp)
wine "$@" </dev/null >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
