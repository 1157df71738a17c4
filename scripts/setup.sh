#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing or benchmarking needs, only those
# missing.   usage: scripts/setup.sh run|test|bench
set -euo pipefail

packages=(g++ make cmake pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
          xvfb xauth libx11-dev libxtst-dev libxdo-dev libpng-dev)
case "${1:-run}" in
  run) packages+=(imagemagick fonts-dejavu-core) ;;
  test) packages+=(clang libgtest-dev libbenchmark-dev) ;;
  bench) packages+=(libgtest-dev libbenchmark-dev valgrind) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
