#!/usr/bin/env bash
# A scripted session of midpoint-circles (unsanitised build) under Valgrind's memcheck. Mesa, X
# and freeglut keep memory at exit and Mesa's JIT trips memcheck's definedness tracking, so a
# record counts against us only when our own code is where it happens: the top frame of an
# error, or the first frame past the allocator of a lost block, lies in color/, projection/,
# view/ or app/.   usage: valgrind.sh SESSION-TOOL PROGRAM
set -u
session=$1 program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
XDRIVE_SETTLE_MS=4000 "$session" "$work" "$(command -v valgrind)" --tool=memcheck --leak-check=full \
    --show-leak-kinds=definite,indirect --keep-debuginfo=yes --num-callers=30 --fullpath-after= \
    --log-file="$work/memcheck.log" "$program" >"$work/lines" 2>"$work/session.err"
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the session ended with $status"; cat "$work/session.err"; exit 1; }
grep -q "ERROR SUMMARY" "$work/memcheck.log" || { echo "FAIL: no memcheck summary"; exit 1; }
ours='(color|projection|view|app)/[a-z_]+\.cpp'
ours_count=$(awk -v ours="$ours" -f "$(dirname "$0")/memcheck_ours.awk" "$work/memcheck.log")
grep -E "ERROR SUMMARY|definitely lost|indirectly lost" "$work/memcheck.log" | sed 's/^==[0-9]*== //'
echo "count lines: $(wc -l <"$work/lines")"
if [ "$ours_count" -ne 0 ]; then
  echo "FAIL: $ours_count memcheck records in our code"
  cat "$work/memcheck.log"
  exit 1
fi
echo "no memcheck error or leak in our code"
