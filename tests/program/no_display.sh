#!/usr/bin/env bash
# Without an X server the program must say so in one line on standard error, print nothing on
# standard output and end with a non-zero status.  usage: no_display.sh PROGRAM
set -u
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
env -u DISPLAY "$1" >"$out" 2>"$err"
status=$?
fail() { echo "FAIL: $*"; echo "stderr:"; cat "$err"; exit 1; }
[ "$status" -ne 0 ] || fail "status 0 without a display"
[ ! -s "$out" ] || fail "printed on standard output"
[ "$(wc -l <"$err")" -eq 1 ] || fail "expected one line on standard error"
grep -q "failed to open display" "$err" || fail "the line does not say what is wrong"
echo "one clear line, status $status"
