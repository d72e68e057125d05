// SPDX-License-Identifier: BSD-3-Clause
// Finding where the alpha-beta curves of a plot cross ("Find crossings", zephon-cli crossings): 50
// curves of 25 points each, shaped like the curves of real inclusions (from alpha about 0.75 at
// beta 0 up to alpha near 1), fanning out so that many pairs cross.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "data/alpha_beta_crossings.hpp"

namespace {

struct Curves {
    std::vector<std::unique_ptr<CAlphaBetaCurve>> owned;
    std::vector<const CAlphaBetaCurve*> list;

    Curves(int count, int points) {
        unsigned seed = 12345;
        const auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return static_cast<double>((seed >> 8) & 0xFFFF) / 65535.0;
        };
        for (int i = 0; i < count; ++i) {
            const double start = 0.74 + 0.04 * next();
            const double end = 0.97 + 0.03 * next();
            const double bend = 0.05 * (next() - 0.5);
            owned.push_back(std::make_unique<CAlphaBetaCurve>());
            for (int k = 0; k < points; ++k) {
                const double t = static_cast<double>(k) / (points - 1);
                owned.back()->Add(
                    new CAlphaBetaRecord(start + (end - start) * t + bend * t * (1 - t), 0.9 * t));
            }
            list.push_back(owned.back().get());
        }
    }
};

void BM_CrossingsOf50CurvesOf25Points(benchmark::State& state) {
    const Curves curves(50, 25);
    std::size_t found = 0;
    for (auto _ : state) {
        found = FindCurveCrossings(curves.list).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["crossings"] = static_cast<double>(found);
}
BENCHMARK(BM_CrossingsOf50CurvesOf25Points)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
