#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs all of them
# through CTest, in a virtual X server of their own. Arguments go to ctest; without any, the
# long event storm (label "long") is left out: scripts/test.sh -L long runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIDPOINT_SANITIZE=ON \
      -DMIDPOINT_BUILD_TESTS=ON -DMIDPOINT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/test -j"$(nproc)"
. scripts/virtual-display.sh
start_virtual_display
[ $# -gt 0 ] || set -- -LE long
ctest --test-dir build/test --output-on-failure -j"$(nproc)" "$@"
