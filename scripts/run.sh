#!/usr/bin/env bash
# Builds midpoint-circles in Release and starts it. Without a display it plays a short session in
# a virtual X server instead and saves a picture of the window after each step.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DMIDPOINT_BUILD_DRIVER=ON >/dev/null
cmake --build build/release -j"$(nproc)" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
  exec build/release/app/midpoint-circles "$@"
fi

. scripts/virtual-display.sh
start_virtual_display
folder=$PWD/session-pictures
rm -rf "$folder" && mkdir -p "$folder"
echo "No display: playing a session in the virtual display $DISPLAY."
echo "Count lines as midpoint-circles printed them:"
status=0
build/release/tools/midpoint-session "$folder" build/release/app/midpoint-circles 2>"$folder/session.log" || status=$?
grep -v '^picture:' "$folder/session.log" || true
echo "Pictures of each step: $folder (all of them side by side: $folder/all-steps.png)"
exit $status
