#!/usr/bin/env bash
# The memcheck filter on made-up records: ours must count, the libraries' must not.
set -u
here=$(dirname "$0")
ours='(color|projection|view|app)/[a-z_]+\.cpp'
count() { printf '%s' "$1" | awk -v ours="$ours" -f "$here/memcheck_ours.awk"; }
theirs_leak='==1== 40 bytes in 1 blocks are definitely lost in loss record 1 of 2
==1==    at 0x1: malloc (/build/vg_replace_malloc.c:1)
==1==    by 0x2: XOpenDisplay (in /usr/lib/libX11.so)
==1==    by 0x3: main (/work/main/app/main.cpp:30)
==1== 
'
our_leak='==1== 40 bytes in 1 blocks are definitely lost in loss record 2 of 2
==1==    at 0x1: calloc (/build/vg_replace_malloc.c:1)
==1==    by 0x2: midpointDiskExtents(Color const*, int) (/work/main/app/rasterizers.cpp:95)
==1== 
'
theirs_error='==1== Conditional jump or move depends on uninitialised value(s)
==1==    at 0x1: ??? (in /usr/lib/dri/swrast_dri.so)
==1==    by 0x2: displayCircles() (/work/main/app/circles.cpp:60)
==1== 
'
our_error='==1== Invalid read of size 4
==1==    at 0x1: plotGridPixel(int, int, Color const*) (/work/main/app/circles.cpp:40)
==1== 
'
fail=0
check() { [ "$(count "$2")" = "$3" ] || { echo "FAIL: $1 counted $(count "$2"), not $3"; fail=1; }; }
check "the libraries' records" "$theirs_leak$theirs_error" 0
check "our leak after theirs" "$theirs_leak$our_leak" 1
check "our error" "$theirs_error$our_error" 1
check "all four" "$our_leak$theirs_leak$our_error$theirs_error" 2
[ $fail -eq 0 ] && echo "memcheck filter: all cases right"
exit $fail
