// The three rasterisers drawing into a counting sink, beside a bare loop that makes the same
// number of sink calls: the difference is what the walk itself costs.
#include <benchmark/benchmark.h>

#include <string>

#include "app/rasterizers.h"
#include "counting_sink.h"

namespace {

long long drawsOf(int mode, int radius) {
    resetSink();
    rasterizeCircle(mode, nullptr, radius);
    return sinkDraws();
}

void run(benchmark::State& state, int mode) {
    const int radius = static_cast<int>(state.range(0));
    const long long draws = drawsOf(mode, radius);
    for (auto _ : state) {
        rasterizeCircle(mode, nullptr, radius);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(radius);
    state.counters["draws"] = static_cast<double>(draws);
    state.SetItemsProcessed(state.iterations() * draws);
}

void bare(benchmark::State& state, int mode) {
    const long long draws = drawsOf(mode, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bareSinkLoop(draws);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(state.range(0));
    state.counters["draws"] = static_cast<double>(draws);
    state.SetItemsProcessed(state.iterations() * draws);
}

}  // namespace

// "MODE/RADIUS" and "MODE-bare/RADIUS" for each mode of the table.
int main(int argc, char** argv) {
    for (int mode = 0; mode < circleModeCount; ++mode) {
        const auto complexity = mode == circleOutlineMode ? benchmark::oN : benchmark::oNSquared;
        const std::string name = circleModeNames[mode];
        benchmark::RegisterBenchmark(name.c_str(), run, mode)->RangeMultiplier(10)->Range(10, 10000)->Complexity(complexity);
        benchmark::RegisterBenchmark((name + "-bare").c_str(), bare, mode)
            ->RangeMultiplier(10)->Range(10, 10000)->Complexity(complexity);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
