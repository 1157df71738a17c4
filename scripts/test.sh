#!/usr/bin/env bash
# Builds the tests with GCC, AddressSanitizer and UndefinedBehaviorSanitizer, and the web page with
# emscripten, and runs all of them through CTest, in a virtual X server of their own (the web
# tests in headless Chromium); then builds everything with Clang in Release and runs the tests
# that need no display there. Warnings are errors in the C++ builds.
# Arguments go to the first ctest alone (the Clang build is then skipped); without any, the long
# event storm (label "long") is left out: scripts/test.sh -L long runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
# The web page and the browser driver for the "web" tests.
MIDPOINT_WERROR=ON scripts/web.sh --build
# Again whenever what is installed is not what the lock file pins (a package added, or another version).
npm ls --prefix tests/web >/dev/null 2>&1 || npm ci --prefix tests/web --no-audit --no-fund
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIDPOINT_SANITIZE=ON -DMIDPOINT_WERROR=ON \
      -DMIDPOINT_BUILD_TESTS=ON -DMIDPOINT_BUILD_BENCHMARKS=ON -DMIDPOINT_WEB_SITE="$PWD/build/web/site" >/dev/null
cmake --build build/test -j"$(nproc)"
. scripts/virtual-display.sh
start_virtual_display
if [ $# -gt 0 ]; then
  ctest --test-dir build/test --output-on-failure -j"$(nproc)" "$@"
  exit 0
fi
ctest --test-dir build/test --output-on-failure -j"$(nproc)" -LE long

echo "Clang, Release: build and the tests without a display"
CXX=clang++ cmake -S . -B build/clang -DCMAKE_BUILD_TYPE=Release -DMIDPOINT_WERROR=ON \
      -DMIDPOINT_BUILD_TESTS=ON -DMIDPOINT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/clang -j"$(nproc)" >/dev/null
ctest --test-dir build/clang --output-on-failure -j"$(nproc)" -L logic
