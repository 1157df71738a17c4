// The three rasterisers drawing into a counting sink, beside a bare loop that makes the same
// number of sink calls: the difference is what the walk itself costs.
#include <benchmark/benchmark.h>

#include "app/rasterizers.h"
#include "counting_sink.h"

namespace {

using Rasterizer = void (*)(const Color*, int);

long long drawsOf(Rasterizer rasterize, int radius) {
    resetSink();
    rasterize(nullptr, radius);
    return sinkDraws();
}

void run(benchmark::State& state, Rasterizer rasterize) {
    const int radius = static_cast<int>(state.range(0));
    const long long draws = drawsOf(rasterize, radius);
    for (auto _ : state) {
        rasterize(nullptr, radius);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(radius);
    state.counters["draws"] = static_cast<double>(draws);
    state.SetItemsProcessed(state.iterations() * draws);
}

void bare(benchmark::State& state, Rasterizer rasterize) {
    const long long draws = drawsOf(rasterize, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bareSinkLoop(draws);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
    state.counters["draws"] = static_cast<double>(draws);
    state.SetItemsProcessed(state.iterations() * draws);
}

void Outline(benchmark::State& s) { run(s, midpointCircleOutline); }
void OutlineBare(benchmark::State& s) { bare(s, midpointCircleOutline); }
void Spans(benchmark::State& s) { run(s, midpointDiskSpans); }
void SpansBare(benchmark::State& s) { bare(s, midpointDiskSpans); }
void Extents(benchmark::State& s) { run(s, midpointDiskExtents); }
void ExtentsBare(benchmark::State& s) { bare(s, midpointDiskExtents); }

}  // namespace

BENCHMARK(Outline)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oN);
BENCHMARK(OutlineBare)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oN);
BENCHMARK(Spans)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(SpansBare)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(Extents)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);
BENCHMARK(ExtentsBare)->RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oNSquared);

BENCHMARK_MAIN();
