#!/usr/bin/env bash
# Installs the build tree into a fresh prefix, then builds and runs a consumer that knows only
# that prefix, twice: through the CMake package, and with plain make through pkg-config.
#   usage: run.sh BUILD-DIR SOURCE-DIR [LINK-FLAGS]
set -euo pipefail
build=$1 source=$2 flags=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -x "$work/prefix/bin/midpoint-circles" && test -x "$work/prefix/bin/midpoint-walk" && test -x "$work/prefix/bin/view-showcase"
test -f "$work/prefix/lib/libmidpoint-color.a" || test -f "$work/prefix/lib64/libmidpoint-color.a"
cmake -S "$source" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
      -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$work/build" >/dev/null
mkdir "$work/make"
PKG_CONFIG_PATH=$(dirname "$(find "$work/prefix" -name midpoint-support.pc)") \
  make -s -C "$work/make" -f "$source/Makefile" SOURCE="$source" LDFLAGS="$flags"
cmake_result=$(ASAN_OPTIONS=detect_leaks=1 "$work/build/consumer")
make_result=$(ASAN_OPTIONS=detect_leaks=1 "$work/make/consumer")
echo "$cmake_result (CMake package), $make_result (pkg-config and make)"
