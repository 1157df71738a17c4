#!/usr/bin/env bash
# Runs the benchmarks in Release, in a virtual X server of their own, and writes their figures
# to docs/performance.md, below its hand-written part (which ends at the marker line): times
# from Google Benchmark, and instruction counts from callgrind, which do not move with load.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh bench
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DMIDPOINT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/bench -j"$(nproc)" >/dev/null
. scripts/virtual-display.sh
start_virtual_display
out=$(mktemp -d)
trap 'rm -rf "$out"; kill "$XVFB_PID" 2>/dev/null' EXIT
repeat=(--benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_out_format=csv)
echo "rasterisers..."
build/bench/benchmarks/rasterizer_bench "${repeat[@]}" --benchmark_out="$out/r.csv" >/dev/null
echo "display passes..."
build/bench/benchmarks/display_bench "${repeat[@]}" --benchmark_out="$out/d.csv" >/dev/null 2>"$out/renderer"
echo "start-up..."
read -r median fastest slowest < <(build/bench/benchmarks/startup-time build/bench/app/midpoint-circles 21)
echo "web page..."
scripts/web.sh --build >/dev/null
[ -d tests/web/node_modules/puppeteer-core ] || npm ci --prefix tests/web --no-audit --no-fund
node benchmarks/web_bench.mjs build/web/site > "$out/web.txt"
echo "instruction counts..."
# llvmpipe renders in the calling thread, so that every instruction of a pass is counted there.
for program in rasterizer-instructions display-instructions; do
  LP_NUM_THREADS=0 valgrind --tool=callgrind --callgrind-out-file="$out/$program.%p" \
    "build/bench/benchmarks/$program" >/dev/null 2>&1
done
# One table row a name in "kind mode radius" dumps: the first kind's count, then each other
# kind's count and the first's ratio to it.   usage: instructionRows KIND...
instructionRows() {
  for dump in "$out"/*-instructions.*.*; do
    sed -n 's/^desc: Trigger: Client Request: //p; s/^summary: //p' "$dump" | paste -sd' '
  done | awk -v kinds="$*" '
    { n[$1 "/" $2] = $4; radius[$1 "/" $2] = $3 }
    END {
      k = split(kinds, kind, " ")
      for (m = 1; m <= 3; m++) {
        name = m == 1 ? "outline" : m == 2 ? "spans" : "extents"; first = n[kind[1] "/" name]
        row = sprintf("| %s | %d | %d |", name, radius[kind[1] "/" name], first)
        for (i = 2; i <= k; i++) row = row sprintf(" %d | %.4f |", n[kind[i] "/" name], first / n[kind[i] "/" name])
        print row
      }
    }'
}
marker='<!-- Everything below is written by scripts/bench.sh. -->'
head=$(awk -v marker="$marker" '{ print } $0 == marker { exit }' docs/performance.md)

# name -> median real time (ns or ms as reported) from the CSV rows "NAME_median".
medians() { awk -F, '$1 ~ /_median"?$/ { n=$1; gsub(/"/, "", n); sub(/_median$/, "", n); print n, $3, $5 }' "$1"; }

{
  echo "$head"
  echo
  echo "Written on $(date -u +%Y-%m-%d): $(nproc) cores,"
  echo "$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(sed -n 's/^renderer: //p' "$out/renderer") under Xvfb."
  echo "Times are medians of 7 repetitions (Google Benchmark); ratios are against the bare loop."
  echo "Instructions are callgrind's count of one call (one pass), after one uncounted call."
  echo
  echo "## Rasterisers into a counting sink"
  echo
  echo "Target: within 1.15x of the bare loop in time at radius 1000 and above, 1.05x in instructions."
  echo
  echo "Time:"
  echo
  echo "| rasteriser | radius | time | bare loop | ratio |"
  echo "|---|---|---|---|---|"
  medians "$out/r.csv" | awk '
    { t[$1] = $2; u[$1] = $3 }
    END {
      split("Outline Spans Extents", names, " ")
      split("10 100 1000 10000", radii, " ")
      for (i = 1; i <= 3; i++) for (j = 1; j <= 4; j++) {
        k = names[i] "/" radii[j]; b = names[i] "Bare/" radii[j]
        printf "| %s | %s | %.0f %s | %.0f %s | %.3f |\n", names[i], radii[j], t[k], u[k], t[b], u[b], t[k] / t[b]
      }
    }'
  echo
  awk -F, '$1 ~ /_BigO"?$/ && $1 !~ /Bare/ { n=$1; gsub(/"/, "", n); sub(/_BigO$/, "", n); printf "- %s fits %.2f x %s\n", n, $3, ($1 ~ /Outline/ ? "N" : "N^2") }' "$out/r.csv"
  echo
  echo "Instructions executed:"
  echo
  echo "| rasteriser | radius | instructions | bare loop | ratio |"
  echo "|---|---|---|---|---|"
  instructionRows rasteriser bare
  echo
  echo "## One display pass in a real context"
  echo
  echo "Target: within 1.05x of the bare cubes and circle in time, 1.02x in instructions."
  echo
  echo "Time:"
  echo
  echo "| mode | radius | pass | bare cubes | ratio | bare cubes and circle | ratio |"
  echo "|---|---|---|---|---|---|---|"
  medians "$out/d.csv" | awk '
    { t[$1] = $2; u[$1] = $3 }
    END {
      split("outline spans extents", names, " ")
      for (r = 20; r <= 100; r += 80) for (m = 0; m < 3; m++) {
        k = "DisplayPass/" m "/" r; b = "BareCubes/" m "/" r; c = "BareCubesAndCircle/" m "/" r
        printf "| %s | %d | %.2f %s | %.2f %s | %.3f | %.2f %s | %.3f |\n", names[m + 1], r, t[k], u[k], t[b], u[b], t[k] / t[b], t[c], u[c], t[k] / t[c]
      }
    }'
  echo
  echo "Instructions executed:"
  echo
  echo "| mode | radius | pass | bare cubes | ratio | bare cubes and circle | ratio |"
  echo "|---|---|---|---|---|---|---|"
  instructionRows pass cubes cubes-and-circle
  echo
  echo "## The web page"
  echo
  echo "In Debian's headless $(chromium --version 2>/dev/null | sed 's/ built on.*//'), software WebGL, served from 127.0.0.1."
  echo "Page load to the first count line: median of 11 loads, $(awk '$1 == "load_ms" { print $2 }' "$out/web.txt") ms."
  echo "What the page downloads: $(awk '$1 == "download_bytes" { printf "%.0f KB", $2 / 1000 }' "$out/web.txt") before compression (target: under 400 KB)."
  echo
  echo "| mode | radius | one pass in the page | native pass, this run |"
  echo "|---|---|---|---|"
  medians "$out/d.csv" | awk -v web="$out/web.txt" '
    BEGIN { while ((getline line < web) > 0) { split(line, f, " "); w[f[1]] = f[2] } }
    { t[$1] = $2; u[$1] = $3 }
    END {
      split("outline spans extents", names, " ")
      for (r = 20; r <= 100; r += 80) for (m = 0; m < 3; m++)
        printf "| %s | %d | %.2f ms | %.2f %s |\n", names[m + 1], r, w["pass_ms/" names[m + 1] "/" r], t["DisplayPass/" m "/" r], u["DisplayPass/" m "/" r]
    }'
  echo
  echo "## Start-up"
  echo
  echo "From process start to the first count line on a pseudo-terminal, 21 runs: median ${median} s"
  echo "(fastest ${fastest} s, slowest ${slowest} s). Target: under 0.3 s."
} > "$out/performance.md"
mv "$out/performance.md" docs/performance.md
cat docs/performance.md
