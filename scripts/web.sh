#!/usr/bin/env bash
# Builds the demonstration, view-showcase and the explainer of the walk as web pages (emscripten,
# from the same sources) into build/web/site and serves them on 127.0.0.1.
#   usage: scripts/web.sh [--build] [PORT]
#   --build   only builds
# MIDPOINT_WERROR=ON makes warnings errors, as the test command does.
# The site needs no server of ours: any static host, at any path, or the folder opened as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh web
# The build's own tools and files (esbuild, fflate, the SCORM schema files), as web/package-lock.json pins them.
npm ls --prefix web >/dev/null 2>&1 || npm ci --prefix web --no-audit --no-fund
# emscripten's optimiser finds acorn through Debian's Node path, which another Node lacks.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# emcmake names the command it runs; a failure shows here, with its status.
emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release -DMIDPOINT_WERROR="${MIDPOINT_WERROR:-OFF}" 2>&1 >/dev/null | sed '/^configure:/d' >&2
cmake --build build/web -j"$(nproc)" >/dev/null
[ "${1:-}" = --build ] && { echo "built: build/web/site"; exit 0; }
port=${1:-8000}
echo "Serving at http://127.0.0.1:$port/: the demonstration (index.html), view-showcase.html and walk.html (Ctrl+C ends)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
