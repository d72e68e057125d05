// SPDX-License-Identifier: BSD-3-Clause
// Dense solve of the size of a 17-component flash system (2 * 17 + 4 unknowns).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "thermo/allocate.hpp"
#include "thermo/linear_system.hpp"

namespace {

using zephon::thermo::Matrix;

void BM_SolveLinearSystem38(benchmark::State& state) {
    constexpr short n = 38;
    std::mt19937 gen(20240611);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix a(n, n);
    std::vector<double> y(n);
    for (int i = 0; i < n; ++i) {
        y[i] = u(gen);
        for (int j = 0; j < n; ++j)
            a[i][j] = u(gen);
        a[i][i] += 4.0; // keeps the random matrix well conditioned
    }

    // The solver works in place, so the matrix and right-hand side are copied back inside
    // the timed region (a copy of 38 x 38 doubles, small next to the elimination).
    Matrix work = a;
    std::vector<double> rhs(n), x(n);
    short ir = 0;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            std::copy(a[i], a[i] + n, work[i]);
            rhs[i] = y[i];
        }
        zephon::thermo::solve_the_linear_system(work.rows(), rhs.data(), x.data(), n, ir);
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    if (ir != 0) state.SkipWithError("singular system");
}
BENCHMARK(BM_SolveLinearSystem38);

} // namespace

BENCHMARK_MAIN();
