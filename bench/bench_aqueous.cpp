// SPDX-License-Identifier: BSD-3-Clause
// Trapping conditions from coeval aqueous inclusions: one aqueous isochore of 100 points (target
// below 5 ms), and one crossing with an alpha-beta oil's isochore together with its uncertainty
// band (target below 50 ms; the oil's envelope branch is computed beforehand, as the P-T document
// has it). Counters: points of the isochore; evaluations of the equation of state are not counted.
#include <benchmark/benchmark.h>

#include "aqueous/trapping.hpp"
#include "documents/phase_diag_document.hpp"
#include "silent_services.hpp"

using namespace zephon::aqueous;

namespace {

// The bubble branch of the oil, as a P-T document computes and keeps it.
zephon::thermo::IsoplethData BubbleBranch(const OilFluid& fluid) {
    SilentServices services;
    CPhaseDiagDocument document(services);
    const CPhaseDiagram* diagram = document.CalculateImmiscibilityLoop(1, fluid.alpha, fluid.beta, fluid.co2,
                                                                       fluid.n2, fluid.h2s, nullptr, "");
    return diagram && diagram->mLiquidIsopleth ? ToIsoplethData(*diagram->mLiquidIsopleth)
                                               : zephon::thermo::IsoplethData{};
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
