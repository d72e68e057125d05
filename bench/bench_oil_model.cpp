// SPDX-License-Identifier: BSD-3-Clause
// The calculations a user waits for: one alpha-beta curve of 20 points for a typical
// inclusion (and one whose first point needs a scan of alpha, and the scan of a measurement no
// oil gives), one full phase envelope (both branches) of a 17-component oil, and one isochore
// pair. Counters give flashes and Newton iterations per point and per flash.
#include "thermo/alpha_beta_model_interface.hpp"
#include "thermo/calculation_interface.hpp"
#include "twenty_four_inclusions.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace zephon::thermo;

namespace {

// Traces up to `maxPoints` points of the inclusion's curve; the points found (0 when the
// curve has no first point).
int trace_curve(CAlphaBetaModelInterface& ab, int maxPoints) {
    double a = 0, b = 0;
    if (ab.FirstAlphaBeta(&a, &b) != 0) return 0;
    int n = 1;
    for (int k = 0; k < std::max(200, 4 * maxPoints) && n < maxPoints; ++k) {
        const signed char r = ab.NextAlphaBeta(&a, &b);
        if (r == -1) break;
        if (r == 0) ++n;
    }
    return n;
}

// One inclusion's curve, `maxPoints` long at most, with the work per point and, separately,
// what its first point took (a scan of alpha where the estimate tables give no start).
void run_curves(benchmark::State& state, double Th, double Fv, char homog, int maxPoints) {
    long points = 0, flashes = 0, newton = 0, first = 0;
    for (auto _ : state) {
        CAlphaBetaModelInterface ab;
        ab.mTh = Th, ab.mTfv = 293.15, ab.mFv = Fv, ab.mHomog = homog;
        points += trace_curve(ab, maxPoints);
        flashes += ab.mSystem->mFlashCount;
        newton += ab.mSystem->mNewtonIterationCount;
        first += ab.mFirstPointFlashes;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["points"] = static_cast<double>(points) / runs;
    state.counters["first_point_flashes"] = static_cast<double>(first) / runs;
    if (points > 0) {
        state.counters["flashes_per_point"] = static_cast<double>(flashes) / static_cast<double>(points);
        state.counters["newton_per_point"] = static_cast<double>(newton) / static_cast<double>(points);
    }
    state.counters["newton_per_flash"] =
        static_cast<double>(newton) / static_cast<double>(std::max(1L, flashes));
}

void BM_AlphaBetaCurve20Points(benchmark::State& state) {
    run_curves(state, 373.15, 0.10, 1, 20);
}
BENCHMARK(BM_AlphaBetaCurve20Points)->Unit(benchmark::kMillisecond);

// An inclusion homogenising on the upper dew curve with a 65 % bubble, beyond the estimate
// tables: its first point comes from the scan of alpha.
void BM_AlphaBetaCurveBeyondTheTables(benchmark::State& state) {
    run_curves(state, 453.15, 0.647, 0, 20);
}
BENCHMARK(BM_AlphaBetaCurveBeyondTheTables)->Unit(benchmark::kMillisecond);

// A vapour inclusion with a 5 % bubble, which no oil gives: the whole bounded scan.
void BM_AlphaBetaNoOilCanGive(benchmark::State& state) {
    run_curves(state, 373.15, 0.05, 0, 20);
}
BENCHMARK(BM_AlphaBetaNoOilCanGive)->Unit(benchmark::kMillisecond);

// Both branches of the envelope; the points found are returned through `iso` when given, and the
// steps that failed (halved or ending a branch) counted in `failed`.
long trace_envelope(CCalculationInterface& ci, IsoplethData* iso, long* failed = nullptr) {
    long points = 0;
    for (char branch : {char(1), char(0)}) {
        ci.mBranch = branch;
        double T = 0, P = 0;
        if (ci.FirstIsoplethPoint(&T, &P) != 0) continue;
        for (int k = 0; k < 2000; ++k) {
            if (iso && branch == 1) {
                IsoplethData::Point p{T, P, {}};
                for (short i = 0; i < ci.GetNumberOfComponents(); ++i)
                    p.mz.push_back(ci.GetVapourComposition(i));
                iso->points.push_back(p);
                iso->mMaxT = std::max(iso->mMaxT, T);
                iso->mMaxP = std::max(iso->mMaxP, P);
            }
            ++points;
            signed char r;
            do {
                r = ci.NextIsoplethPoint(&T, &P);
                if (failed && (r == 1 || r == -1 || r == -3)) ++*failed;
            } while (r == 1);
            if (r < 0) break;
        }
    }
    return points;
}

void BM_PhaseEnvelope17Components(benchmark::State& state) {
    long points = 0, failed = 0;
    CCalculationInterface* last = nullptr;
    std::unique_ptr<CCalculationInterface> ci;
    for (auto _ : state) {
        ci = std::make_unique<CCalculationInterface>(1);
        ci->mAlpha = 0.8, ci->mBeta = 0.2;
        ci->Finalize();
        failed = 0;
        points += trace_envelope(*ci, nullptr, &failed);
        last = ci.get();
    }
    // Counters from the last run, scaled as one run.
    const double perRun = static_cast<double>(points) / static_cast<double>(state.iterations());
    const double flashes = static_cast<double>(last->system().mFlashCount);
    state.counters["points"] = perRun;
    state.counters["newton_per_point"] = static_cast<double>(last->system().mNewtonIterationCount) / perRun;
    state.counters["flashes_per_point"] = flashes / perRun;
    state.counters["failed_steps"] = static_cast<double>(failed);
    state.counters["us_per_point"] = benchmark::Counter(
        perRun, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PhaseEnvelope17Components)->Unit(benchmark::kMillisecond);

// The 24 inclusions of the workers' benchmark, one curve after the other: flashes and Newton
// iterations per curve point.
void BM_AlphaBetaCurvesOf24InclusionsWork(benchmark::State& state) {
    const std::vector<CInclusionRecord> inclusions = TwentyFourInclusions();
    long points = 0, flashes = 0, newton = 0, first = 0, continued = 0, solves = 0, joint = 0;
    for (auto _ : state) {
        for (const CInclusionRecord& inclusion : inclusions) {
            CAlphaBetaModelInterface ab;
            ab.mContinuation = state.range(0) != 0;
            ab.mTh = inclusion.mTh + 273.15, ab.mTfv = inclusion.mTv + 273.15;
            ab.mFv = inclusion.mFv / 100.0, ab.mHomog = static_cast<char>(inclusion.mHomog);
            ab.mCO2 = inclusion.mCO2 / 100.0, ab.mN2 = inclusion.mN2 / 100.0,
            ab.mH2S = inclusion.mH2S / 100.0;
            points += trace_curve(ab, 200);
            flashes += ab.mSystem->mFlashCount;
            newton += ab.mSystem->mNewtonIterationCount;
            first += ab.mFirstPointFlashes;
            continued += ab.mContinuedPoints;
            solves += ab.mSystem->mContinuationSolves;
            joint += ab.mSystem->mContinuationIterations;
        }
    }
    // A continuation solve finds both states of a point (counted as two flashes), and each of its
    // iterations factorises both states' Jacobians (two Newton iterations).
    const double n = static_cast<double>(std::max(1L, points));
    state.counters["first_point_flashes"] =
        static_cast<double>(first) / static_cast<double>(state.iterations());
    state.counters["points"] = static_cast<double>(points) / static_cast<double>(state.iterations());
    state.counters["flashes_per_point"] = static_cast<double>(flashes + 2 * solves) / n;
    state.counters["newton_per_point"] = static_cast<double>(newton + 2 * joint) / n;
    state.counters["fallback_share"] = 1.0 - static_cast<double>(continued) / n;
    state.counters["joint_iterations_per_continued_point"] =
        static_cast<double>(joint) / static_cast<double>(std::max(1L, continued));
}
// Argument: 1 with the continuation, 0 the alpha search alone.
BENCHMARK(BM_AlphaBetaCurvesOf24InclusionsWork)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_IsochorePair(benchmark::State& state) {
    CCalculationInterface ci(1);
    ci.mAlpha = 0.8, ci.mBeta = 0.2;
    ci.Finalize();
    IsoplethData iso;
    iso.mMinT = -80.0;
    trace_envelope(ci, &iso);
    for (short i = 0; i < ci.GetNumberOfComponents(); ++i)
        iso.mxref.push_back(ci.GetIsoplethComposition(i));
    ci.mIsopleth = &iso;
    ci.mTh = 120.0;
    ci.mHomog = 1;
    long points = 0;
    const long flashes0 = ci.system().mFlashCount, newton0 = ci.system().mNewtonIterationCount;
    for (auto _ : state) {
        ci.CalculateIsochorsLimits(&iso, nullptr);
        double T = 0, P = 0;
        if (ci.FirstIsochor2Point(&T, &P) != 0) {
            state.SkipWithError("two-phase isochore did not start");
            break;
        }
        ++points;
        for (int k = 0; k < 400; ++k) {
            const signed char r = ci.NextIsochor2Point(&T, &P);
            if (r < 0) break;
            if (r == 0) ++points;
        }
        ci.FirstIsochor1Point(&T, &P);
        ++points;
        for (int k = 0; k < 400 && ci.NextIsochor1Point(&T, &P) == 0; ++k)
            ++points;
    }
    const double flashes = static_cast<double>(ci.system().mFlashCount - flashes0);
    state.counters["points"] = static_cast<double>(points) / static_cast<double>(state.iterations());
    state.counters["flashes_per_point"] = flashes / static_cast<double>(points);
    state.counters["newton_per_flash"] =
        static_cast<double>(ci.system().mNewtonIterationCount - newton0) / flashes;
}
BENCHMARK(BM_IsochorePair)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
