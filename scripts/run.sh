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
# One sheet of every step, each named under its picture as its file is ("extents, radius 5").
labelled=()
for picture in "$folder"/[0-9]*.png; do
  name=$(basename "$picture" .png)
  labelled+=(-label "$(echo "${name#*-}" | sed -E 's/-radius-/, radius /; s/^([a-z]+)-/\1, /; s/-/ /g')" "$picture")
done
montage -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 16 "${labelled[@]}" \
        -tile 6x -geometry +6+6 -background white "$folder/all-steps.png"
echo "Pictures of each step: $folder (all of them side by side: $folder/all-steps.png)"
exit $status
