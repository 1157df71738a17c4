#!/usr/bin/env bash
# Runs the benchmarks in Release, in a virtual X server of their own, and writes their figures
# to docs/performance.md, below its hand-written part (which ends at the marker line): times
# from Google Benchmark, instruction counts from callgrind, which do not move with load, and the
# web pages beside the native program, measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh bench
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DMIDPOINT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/bench -j"$(nproc)" >/dev/null
. scripts/virtual-display.sh
start_virtual_display
out=$(mktemp -d)
trap 'rm -rf "$out"; kill "$XVFB_PID" 2>/dev/null' EXIT
# The modes' names, in the program's order, from its own table.
modes=$(build/bench/walk/midpoint-walk --modes | paste -sd' ')
repeat=(--benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_out_format=csv)
echo "rasterisers..."
build/bench/benchmarks/rasterizer_bench "${repeat[@]}" --benchmark_out="$out/r.csv" >/dev/null
echo "display passes..."
build/bench/benchmarks/display_bench "${repeat[@]}" --benchmark_out="$out/d.csv" >/dev/null 2>"$out/renderer"
echo "start-up..."
read -r median fastest slowest < <(build/bench/benchmarks/startup-time build/bench/app/midpoint-circles 21)
echo "web pages, and the native program's keys beside them..."
scripts/web.sh --build >/dev/null
[ -d tests/web/node_modules/puppeteer-core ] || npm ci --prefix tests/web --no-audit --no-fund
build/bench/benchmarks/key-latency build/bench/app/midpoint-circles > "$out/keys.txt"
# shellcheck disable=SC2086  # one word a mode
node benchmarks/web_bench.mjs build/web/site $modes > "$out/web.txt"
echo "instruction counts..."
# llvmpipe renders in the calling thread, so that every instruction of a pass is counted there.
for program in rasterizer-instructions display-instructions; do
  LP_NUM_THREADS=0 valgrind --tool=callgrind --callgrind-out-file="$out/$program.%p" \
    "build/bench/benchmarks/$program" >/dev/null 2>&1
done
# One table row a mode from the dumps named "kind mode radius": the first kind's count, then each
# other kind's count and the first's ratio to it.   usage: instructionRows KIND...
instructionRows() {
  for dump in "$out"/*-instructions.*.*; do
    sed -n 's/^desc: Trigger: Client Request: //p; s/^summary: //p' "$dump" | paste -sd' '
  done | awk -v kinds="$*" -v modes="$modes" '
    { n[$1 "/" $2] = $4; radius[$1 "/" $2] = $3 }
    END {
      k = split(kinds, kind, " "); m = split(modes, name, " ")
      for (i = 1; i <= m; i++) {
        first = n[kind[1] "/" name[i]]
        row = sprintf("| %s | %d | %d |", name[i], radius[kind[1] "/" name[i]], first)
        for (j = 2; j <= k; j++) row = row sprintf(" %d | %.4f |", n[kind[j] "/" name[i]], first / n[kind[j] "/" name[i]])
        print row
      }
    }'
}
marker='<!-- Everything below is written by scripts/bench.sh. -->'
head=$(awk -v marker="$marker" '{ print } $0 == marker { exit }' docs/performance.md)

# name -> median real time and its unit, from the CSV rows "NAME_median".
medians() { awk -F, '$1 ~ /_median"?$/ { n=$1; gsub(/"/, "", n); sub(/_median$/, "", n); print n, $3, $5 }' "$1"; }
# "name value" lines of the web benchmark and the native keys, then the CSV medians, for one awk.
figures() { cat "$out/web.txt" "$out/keys.txt"; medians "$out/d.csv" | awk '{ print "native_" $1, $2 }'; }

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
  medians "$out/r.csv" | awk -v modes="$modes" '
    { t[$1] = $2; u[$1] = $3 }
    END {
      m = split(modes, name, " "); split("10 100 1000 10000", radii, " ")
      for (i = 1; i <= m; i++) for (j = 1; j <= 4; j++) {
        k = name[i] "/" radii[j]; b = name[i] "-bare/" radii[j]
        printf "| %s | %s | %.0f %s | %.0f %s | %.3f |\n", name[i], radii[j], t[k], u[k], t[b], u[b], t[k] / t[b]
      }
    }'
  echo
  awk -F, '$1 ~ /_BigO"?$/ && $1 !~ /bare/ { n=$1; gsub(/"/, "", n); sub(/_BigO$/, "", n); printf "- %s fits %.2f x %s\n", n, $3, ($1 ~ /outline/ ? "N" : "N^2") }' "$out/r.csv"
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
  medians "$out/d.csv" | awk -v modes="$modes" '
    { t[$1] = $2; u[$1] = $3 }
    END {
      n = split(modes, name, " "); split("20 60 100", radii, " ")
      for (j = 1; j <= 3; j++) for (m = 0; m < n; m++) {
        r = radii[j]; k = "DisplayPass/" m "/" r; b = "BareCubes/" m "/" r; c = "BareCubesAndCircle/" m "/" r
        printf "| %s | %d | %.2f %s | %.2f %s | %.3f | %.2f %s | %.3f |\n", name[m + 1], r, t[k], u[k], t[b], u[b], t[k] / t[b], t[c], u[c], t[k] / t[c]
      }
    }'
  echo
  echo "Instructions executed:"
  echo
  echo "| mode | radius | pass | bare cubes | ratio | bare cubes and circle | ratio |"
  echo "|---|---|---|---|---|---|---|"
  instructionRows pass cubes cubes-and-circle
  echo
  echo "## The web page beside the native window"
  echo
  echo "In Debian's headless $(chromium --version 2>/dev/null | sed 's/ built on.*//'), software WebGL (SwiftShader),"
  echo "served from 127.0.0.1, beside the native program in Xvfb with llvmpipe, in the same run."
  echo "Target: the page at most 1.0x the native window's key to count line in every row, face-on and"
  echo "turned; its rendered pass within 1.5x."
  echo
  echo "- **Key to count line**: from the key's arrival (x or X, a turn) to the program's count"
  echo "  line; medians of 16 presses, x and X in turn, so that the scene ends as it began. Turned:"
  echo "  40 degrees about y first (20 presses of y)."
  echo "- **One pass, rendered**: the display pass, then a wait until it is drawn (glFinish natively;"
  echo "  a one-pixel read in the page, since Chromium's WebGL finish() does not wait). The"
  echo "  page's copy of each count line to the console is muted: with DevTools listening, as the"
  echo "  harness does, console.log costs about 0.5 ms a line; in a browser without them, next to nothing."
  echo "- **Page floor**: the lines that pass sends to WebGL, sent again by bare WebGL calls after the"
  echo "  same clear, and the same wait: what SwiftShader takes to draw them, with no program at all."
  echo
  echo "| mode | radius | view | key, native | key, page | ratio | pass, native | pass, page | ratio | page floor | pass / floor |"
  echo "|---|---|---|---|---|---|---|---|---|---|---|"
  figures | awk -v modes="$modes" '
    { f[$1] = $2 }
    END {
      n = split(modes, name, " ")
      for (r = 20; r <= 100; r += 40) for (m = 1; m <= n; m++) for (t = 0; t <= 1; t++) {
        v = t ? "/turned" : ""; k = name[m] "/" r v
        kn = f["key_ms/" k]; kp = f["page_key_ms/" k]
        row = sprintf("| %s | %d | %s | %.2f ms | %.2f ms | %.2f |", name[m], r, t ? "turned" : "face-on", kn, kp, kp / kn)
        pn = f["native_DisplayPass" (t ? "Turned" : "") "/" (m - 1) "/" r]; pp = f["pass_ms/" k]; pf = f["floor_ms/" k]
        if (pp == "") row = row " | | | | | |"
        else row = row sprintf(" %.2f ms | %.2f ms | %.2f | %.2f ms | %.2f |", pn, pp, pp / pn, pf, pp / pf)
        print row
      }
    }'
  echo
  echo "Page load to the first count line: median of 11 loads, $(awk '$1 == "load_ms" { print $2 }' "$out/web.txt") ms."
  echo "What the demonstration's page downloads: $(awk '$1 == "download_bytes" { printf "%.0f KB", $2 / 1000 }' "$out/web.txt") before compression (target: under 400 KB)."
  echo
  echo "## The explainer"
  echo
  echo "walk.html at radius 100 in the spans mode, in a 1280 x 800 window, as it is and with the"
  echo "processor slowed four times (DevTools' throttling, as for a mid-range phone). Loads are"
  echo "medians of 11, from the start of loading to the table and grid; a step is the Right arrow,"
  echo "from the key's event to the next animation frame (what a user feels; a frame is 16.7 ms),"
  echo "and the page's own work for it (the grid; the table, the code and the narration follow in the"
  echo "next frame); a variant is chosen, to the next frame; the chart counts every mode at every"
  echo "radius from 1 to 100 and draws itself."
  echo
  echo "| figure | target | as it is | slowed 4x |"
  echo "|---|---|---|---|"
  awk '{ f[$1] = $2 } END {
    split("walk_load_ms walk_step_frame_ms walk_step_work_ms walk_variant_ms walk_chart_ms", k, " ")
    split("load|step, key to next frame|step, the page'"'"'s work|variant chosen, to next frame|chart built", label, "|")
    split("under 500 ms|within a frame|within a frame|under 100 ms|under 100 ms", target, "|")
    for (i = 1; i <= 5; i++) printf "| %s | %s | %.1f ms | %.1f ms |\n", label[i], target[i], f[k[i]], f[k[i] "_slow4"]
  }' "$out/web.txt"
  echo
  echo "## On a phone"
  echo
  echo "walk.html and the demonstration as a phone feels them: 390 x 844 CSS pixels at a device pixel"
  echo "ratio of 2, touch, the processor slowed four times. Each figure is the browser's Event Timing,"
  echo "the measure behind Interaction to Next Paint: from the input to the next frame on screen, the"
  echo "longest event of the interaction, in steps of 8 ms; medians of 20 inputs (the browser reports"
  echo "none under 16 ms: \"under 16\"). The load, a median of 9, is from the start of loading to the"
  echo "table and the grid in the page, to the end of the first frame that draws them, to the end of"
  echo "the first frame at whose start the page holds both (watched by the page from its start), and"
  echo "to the browser's Largest Contentful Paint. A trivial page, one line of text that each input"
  echo "changes, a small box and a one-row table, is measured in the same run. Targets: a step within"
  echo "32 ms (two frames), an answer and a variant within 48 ms, the load (to the first frame with the"
  echo "grid and the table) within 800 ms."
  echo
  awk -v modes="$modes" '
    function ms(v) { return v == 0 ? "under 16 ms" : v " ms" }
    { f[$1] = $2 }
    END {
      print "| input | the page | a trivial page |"
      print "|---|---|---|"
      n = split(modes, name, " ")
      for (r = 20; r <= 100; r += 80) for (m = 1; m <= n; m++)
        printf "| a step (Right arrow), %s at radius %d | %s | %s |\n", name[m], r, ms(f["phone_step_ms/" name[m] "/" r]), ms(f["phone_trivial_key_ms"])
      printf "| a step, spans at radius 100, to every part shown (the page'"'"'s work for the frame after) | %s ms | |\n", f["phone_step_all_ms/spans/100"]
      printf "| a predict answer (tap), spans at radius 100 | %s | %s |\n", ms(f["phone_answer_ms"]), ms(f["phone_trivial_tap_ms"])
      printf "| a variant chosen, spans at radius 100 | %s | %s |\n", ms(f["phone_variant_ms"]), ms(f["phone_trivial_key_ms"])
      printf "| the demonstration, a key (x), spans at radius 60 | %s | %s |\n", ms(f["phone_demo_key_ms"]), ms(f["phone_trivial_key_ms"])
      printf "| the load, spans at radius 100 | %s ms | %s ms |\n", f["phone_walk_load_ms"], f["phone_trivial_load_ms"]
      printf "| the load, to the first frame drawn | %s ms | %s ms |\n", f["phone_walk_shown_ms"], f["phone_trivial_shown_ms"]
      printf "| the load, to the end of the first frame that shows the grid and the table, seen from the page | %s ms | %s ms |\n", f["phone_walk_both_ms"], f["phone_trivial_both_ms"]
      printf "| the load, to the Largest Contentful Paint | %s ms | %s ms |\n", f["phone_walk_lcp_ms"], f["phone_trivial_lcp_ms"]
    }' "$out/web.txt"
  echo
  echo "## Start-up"
  echo
  echo "From process start to the first count line on a pseudo-terminal, 21 runs: median ${median} s"
  echo "(fastest ${fastest} s, slowest ${slowest} s). Target: under 0.3 s."
} > "$out/performance.md"
mv "$out/performance.md" docs/performance.md
cat docs/performance.md
