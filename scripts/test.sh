#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs all of them
# through CTest, in a virtual X server of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIDPOINT_SANITIZE=ON \
      -DMIDPOINT_BUILD_TESTS=ON -DMIDPOINT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/test -j"$(nproc)"
. scripts/virtual-display.sh
start_virtual_display
ctest --test-dir build/test --output-on-failure -j"$(nproc)" "$@"
