// Trapping conditions from coeval aqueous inclusions: one aqueous isochore of 100 points (target
// below 5 ms), and one crossing with an alpha-beta oil's isochore together with its uncertainty
// band (target below 50 ms; the oil's envelope branch is computed beforehand, as the P-T document
// has it). Counters: points of the isochore; evaluations of the equation of state are not counted.
#include <benchmark/benchmark.h>

#include "aqueous/trapping.hpp"

using namespace zephon::aqueous;

namespace {

zephon::thermo::IsoplethData BubbleBranch(const OilFluid& fluid) {
    zephon::thermo::CCalculationInterface ci(1);
    ci.mAlpha = fluid.alpha, ci.mBeta = fluid.beta, ci.mCO2 = fluid.co2;
    zephon::thermo::IsoplethData d;
    double t = 0, p = 0;
    if (ci.FirstIsoplethPoint(&t, &p) != 0) return d;
    const short n = ci.GetNumberOfComponents();
    for (short i = 0; i < n; ++i)
        d.mxref.push_back(ci.GetIsoplethComposition(i));
    d.mMinT = 1000, d.mMaxT = -1000, d.mMaxP = -10000;
    signed char r = 0;
    for (int step = 0; step < 2000 && (r == 0 || r == 1 || r == -2); ++step) {
        if (r == 0 || r == -2) {
            zephon::thermo::IsoplethData::Point point{t, p, {}};
            for (short i = 0; i < n; ++i)
                point.mz.push_back(ci.GetVapourComposition(i));
            d.points.push_back(point);
            d.mMinT = std::min(d.mMinT, t), d.mMaxT = std::max(d.mMaxT, t), d.mMaxP = std::max(d.mMaxP, p);
            if (r == -2) break;
        }
        r = ci.NextIsoplethPoint(&t, &p);
    }
    return d;
}

void BM_AqueousIsochore100Points(benchmark::State& state) {
    const AqueousMeasurement measurement{140.0, SalinitySource::IceMelting, -6.6, HostMineral::Quartz, false};
    std::size_t points = 0;
    for (auto _ : state) {
        const AqueousIsochore::Made made = aqueous_isochore_of(measurement);
        const std::vector<IsochorePoint> trace = made.isochore->trace(400, 100);
        points = trace.size();
        benchmark::DoNotOptimize(trace.data());
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_AqueousIsochore100Points)->Unit(benchmark::kMillisecond);

void BM_CrossingWithBand(benchmark::State& state) {
    OilInclusion inclusion;
    inclusion.fluid.alpha = 0.82, inclusion.fluid.beta = 0.2, inclusion.fluid.co2 = 0.01;
    inclusion.th = 89.3;
    inclusion.branch = BubbleBranch(inclusion.fluid);
    const AqueousMeasurement measurement{140.0, SalinitySource::IceMelting, -6.6, HostMineral::Quartz, false};
    const TrappingUncertainties sd{1.0, 0.2, 1.0, 0.5};
    for (auto _ : state) {
        OilInclusionModel::Made oil = OilInclusionModel::make(inclusion, HostMineral::Quartz);
        const AqueousIsochore::Made aqueous = aqueous_isochore_of(measurement);
        const TrappingResult r = calculate_trapping(*oil.model, *aqueous.isochore, measurement, sd);
        if (!r.band) state.SkipWithError("no band");
        benchmark::DoNotOptimize(r.crossing.crossing.T);
    }
}
BENCHMARK(BM_CrossingWithBand)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
