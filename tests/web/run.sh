#!/usr/bin/env bash
# The web tests: the native program's pictures of the states they compare with, taken in the
# test's X display, then the page in Debian's headless Chromium; a screenshot of the whole page
# is left in web-page.png of the working folder.
#   usage: run.sh SITE STATE-PICTURES MIDPOINT-CIRCLES CIRCLE-COUNTS [PRELOAD]
# PRELOAD goes to the native programs alone (the leak tests' driver keeper), not to the browser.
set -euo pipefail
site=$1 statePictures=$2 native=$3 counts=$4 preload=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046  # one word a step
LD_PRELOAD=$preload "$statePictures" "$work" "$native" $(node "$here/states.mjs")
"$counts" > "$work/counts.txt"
SITE=$site SCREENSHOT=$PWD/web-page.png NATIVE_PICTURES=$work COUNTS=$work/counts.txt node --test "$here/web_test.mjs"
