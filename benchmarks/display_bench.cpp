// One display pass of the demonstration in a real context, beside a bare loop that makes the
// same number of wire-cube draws with the same colour, matrix pushes and translations, the same
// clear and the same swap. Both end with glFinish so that the rendering is inside the timing.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/circles.h"
#include "app/circles_testing.h"
#include "app/modes.h"
#include "display_passes.h"
#include "view/view.h"

namespace {

void displayPass(benchmark::State& state, bool turned) {
    const int mode = static_cast<int>(state.range(0)), radius = static_cast<int>(state.range(1));
    setMode(mode, radius);
    setKeyRotation(0, turned ? 40 : 0, 0);
    for (auto _ : state) {
        displayCircles();
        glFinish();
    }
    setKeyRotation(0, 0, 0);
    state.counters["cubes"] = static_cast<double>(circlesStateForTesting().pixelCount);
}

void DisplayPass(benchmark::State& state) { displayPass(state, false); }
// Turned 40 degrees about y, as the web page's turned figures are taken.
void DisplayPassTurned(benchmark::State& state) { displayPass(state, true); }

// The cubes alone, or (withCircle) also the reference circle that every pass draws.
void bareDrawing(benchmark::State& state, bool withCircle) {
    const int radius = static_cast<int>(state.range(1));
    const auto pixels = pixelsOf(static_cast<int>(state.range(0)), radius);
    for (auto _ : state) {
        barePass(pixels, radius, withCircle);
        glFinish();
    }
    state.counters["cubes"] = static_cast<double>(pixels.size());
}

void BareCubes(benchmark::State& state) { bareDrawing(state, false); }
void BareCubesAndCircle(benchmark::State& state) { bareDrawing(state, true); }

void modes(benchmark::internal::Benchmark* b) {
    for (int radius : {20, 60, 100}) {
        for (int mode = 0; mode < circleModeCount; ++mode) b->Args({mode, radius});
    }
}

}  // namespace

BENCHMARK(DisplayPass)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(DisplayPassTurned)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BareCubes)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BareCubesAndCircle)->Apply(modes)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    std::fprintf(stderr, "renderer: %s\n", openPassWindow(&argc, argv));
    // The pass prints its count line to stdout; send those to /dev/null and the report to
    // where stdout pointed.
    std::ofstream report("/proc/self/fd/" + std::to_string(dup(STDOUT_FILENO)));
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter console;
    console.SetOutputStream(&report);
    console.SetErrorStream(&report);
    benchmark::RunSpecifiedBenchmarks(&console);
    benchmark::Shutdown();
    return 0;
}
