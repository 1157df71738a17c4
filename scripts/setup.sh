#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing, benchmarking or the web page
# needs, only those missing.   usage: scripts/setup.sh run|test|bench|web
set -euo pipefail

packages=(g++ make cmake pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
          xvfb xauth libx11-dev libxtst-dev libxdamage-dev libxdo-dev libpng-dev)
# Debian's emscripten only suggests the CMake and make that its emcmake drives; rsvg-convert makes
# the web app's icons from the favicon. The web tests read printed pages with pdftotext, run the
# Nu Html Checker (npm's vnu-jar) with Java and validate the SCORM packages' manifests with xmllint.
web=(emscripten cmake make python3 librsvg2-bin)
browser=(chromium)
case "${1:-run}" in
  run) packages+=(imagemagick fonts-dejavu-core) ;;
  # The web tests run in a second engine too. The walk's test and the web tests' circle model read
  # and write JSON with nlohmann-json.
  test) packages+=(clang libgtest-dev libbenchmark-dev nlohmann-json3-dev "${web[@]}" "${browser[@]}" firefox-esr poppler-utils default-jre-headless libxml2-utils) ;;
  bench) packages+=(libgtest-dev libbenchmark-dev valgrind "${web[@]}" "${browser[@]}") ;;
  web) packages=("${web[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Node and npm by command: a machine may have them from another Debian package than Debian's own.
# The web build runs esbuild, from npm, on Node.
if [ "${1:-run}" != run ]; then
  command -v node >/dev/null || missing+=(nodejs)
  command -v npm >/dev/null || missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
