// SPDX-License-Identifier: BSD-3-Clause
// Alpha-beta curves of ten inclusions of different lengths with one and with two workers, as
// `zephon-cli abcurve --jobs N` traces them: the ratio of the two real times is what a second
// core buys. Counters: curves per second and the points traced.
#include "cli/alpha_beta_curves.hpp"
#include "twenty_four_inclusions.hpp"

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {

// The bundled example inclusions and five more: lighter and heavier oils, with and without gases;
// their curves end at a critical point or where the alpha search stops converging.
std::vector<CInclusionRecord> TenInclusions() {
    std::vector<CInclusionRecord> inclusions = TwentyFourInclusions();
    inclusions.resize(10);
    return inclusions;
}

void BM_AlphaBetaCurvesOfTenInclusions(benchmark::State& state) {
    const std::vector<CInclusionRecord> inclusions = TenInclusions();
    const int jobs = static_cast<int>(state.range(0));
    long points = 0;
    for (auto _ : state) {
        const auto results = zephon::cli::TraceAlphaBetaCurves(inclusions, jobs);
        points = 0;
        for (const auto& result : results)
            points += static_cast<long>(result.points.size());
    }
    state.counters["points"] = static_cast<double>(points);
    state.counters["curves_per_s"] = benchmark::Counter(static_cast<double>(inclusions.size()),
                                                        benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AlphaBetaCurvesOfTenInclusions)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The curves of 24 inclusions, liquid and vapour ones: real time with one and with two workers,
// and the processor time of all threads per curve point (std::clock counts the whole process).
void BM_AlphaBetaCurvesOf24Inclusions(benchmark::State& state) {
    const std::vector<CInclusionRecord> inclusions = TwentyFourInclusions();
    const int jobs = static_cast<int>(state.range(0));
    long points = 0;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        const auto results = zephon::cli::TraceAlphaBetaCurves(inclusions, jobs);
        for (const auto& result : results)
            points += static_cast<long>(result.points.size());
    }
    const double cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    state.counters["points"] = static_cast<double>(points) / static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_point"] = points > 0 ? 1000.0 * cpu / static_cast<double>(points) : 0.0;
}
BENCHMARK(BM_AlphaBetaCurvesOf24Inclusions)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
