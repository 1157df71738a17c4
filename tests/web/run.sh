#!/usr/bin/env bash
# One file of web tests (TEST_test.mjs) in the browser BROWSER names (Debian's headless Chromium
# unless it says firefox: Debian's Firefox ESR, shown in a virtual X server of its own), with the
# tests' circle model as JSON. For "web", the demonstration's page, first the native program's
# pictures of the states it compares with, taken in the test's X display. Screenshots for people to see go to the
# folder PICTURES names, when it does (the test build's pictures/): web-page.png, web-phone.png and
# walk-page.png (the explainer in French).
#   usage: run.sh TEST SITE CIRCLE-MODEL [STATE-PICTURES MIDPOINT-CIRCLES [PRELOAD]]
# PRELOAD goes to the native programs alone (the leak tests' driver keeper), not to the browser.
set -euo pipefail
test=$1 site=$2 circleModel=$3 statePictures=${4:-} native=${5:-} preload=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The states of every radius a practice set may ask about (the page's own limits), and of 100.
read -r low high < <(node -p "require('$here/../../web/pages/walk/limits.json').practiceRadii.join(' ')")
"$circleModel" 100 $(seq "$low" "$high") 100 > "$work/model.json"
if [ "$test" = web ]; then
  # shellcheck disable=SC2046  # one word a step
  LD_PRELOAD=$preload "$statePictures" "$work" "$native" $(node "$here/states.mjs")
fi
[ -z "${PICTURES:-}" ] || mkdir -p "$PICTURES"
if [ "${BROWSER:-}" = firefox ]; then
  # Its windows stay out of the display that the native programs' tests drive.
  . "$here/../../scripts/virtual-display.sh"
  start_virtual_display
fi
SITE=$site TEST_PAGES=$site/../test-pages MODEL=$work/model.json NATIVE_PICTURES=$work \
  node --test "$here/${test}_test.mjs"
