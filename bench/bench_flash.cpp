// SPDX-License-Identifier: BSD-3-Clause
// Cost of the Newton flash on a 17-component oil: a bubble point from the ideal-mixture
// start, the same bubble point from a continuation estimate (the way envelopes are traced),
// and a flash at fixed temperature and total volume. Newton iterations per call are
// reported as counters.
#include "thermo/cla_cubic.hpp"
#include "thermo/component_properties.hpp"
#include "thermo/eos_flash.hpp"

#include <benchmark/benchmark.h>

#include <memory>

using namespace zephon::thermo;

namespace {

class OilFlash : public EosFlash {
  public:
    using EosFlash::EosFlash;
    short read_component_data(short i, const char*) override {
        if (const auto row = ideal_component_by_index(i)) set_ideal_component(i, *row);
        return 0;
    }
};

struct Rig {
    TableCubic liquid{2}, vapour{1};
    OilFlash flash{liquid, vapour};
    Rig() {
        static const double z[17] = {0.005, 0.02,  0.01, 0.45, 0.08, 0.06,  0.012, 0.025, 0.012,
                                     0.018, 0.045, 0.05, 0.04, 0.03, 0.025, 0.08,  0.038};
        double sum = 0.0;
        for (double v : z)
            sum += v;
        flash.number_of_components(17);
        for (short i = 0; i < 17; ++i)
            flash.add_component(i, kComponentTable[i].name);
        for (short i = 0; i < 17; ++i)
            flash.composition(i, z[i] / sum);
    }
    void bubble(double T, short init) {
        flash.set_type_of_problem(13);
        flash.set_the_temperature(T);
        flash.set_the_vaporization_ratio(0.0);
        flash.set_initialization_flag(init);
        flash.calculateVLE();
    }
};

void BM_BubblePointFromIdealStart(benchmark::State& state) {
    Rig rig;
    long iterations = 0;
    for (auto _ : state) {
        rig.bubble(373.15, 2);
        if (rig.flash.errorflag != 0) {
            state.SkipWithError("bubble point failed");
            break;
        }
        iterations += rig.flash.algorithm.iter;
    }
    state.counters["newton_iterations"] =
        static_cast<double>(iterations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BubblePointFromIdealStart);

void BM_BubblePointFromContinuationEstimate(benchmark::State& state) {
    Rig rig;
    rig.bubble(363.15, 2);
    rig.flash.save();
    long iterations = 0;
    for (auto _ : state) {
        rig.flash.restore();
        rig.flash.gradeflag = 0;
        rig.flash.set_type_of_problem(13);
        rig.flash.estimateNextIsoplethPoint(1.0, 10.0, 500000.0);
        rig.flash.set_initialization_flag(0);
        rig.flash.calculateVLE();
        if (rig.flash.errorflag != 0) {
            state.SkipWithError("continued bubble point failed");
            break;
        }
        iterations += rig.flash.algorithm.iter;
    }
    state.counters["newton_iterations"] =
        static_cast<double>(iterations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BubblePointFromContinuationEstimate);

void BM_FlashAtFixedTemperatureAndVolume(benchmark::State& state) {
    Rig rig;
    rig.flash.set_type_of_problem(12);
    rig.flash.set_the_temperature(373.15);
    rig.flash.set_the_pressure(60.0);
    rig.flash.set_initialization_flag(2);
    rig.flash.calculateVLE();
    const double V = rig.flash.V;
    rig.flash.save();
    long iterations = 0;
    for (auto _ : state) {
        rig.flash.restore();
        rig.flash.set_type_of_problem(14);
        rig.flash.set_the_temperature(363.15);
        rig.flash.set_the_volume(V);
        rig.flash.set_initialization_flag(1);
        rig.flash.calculateVLE();
        if (rig.flash.errorflag != 0) {
            state.SkipWithError("T-V flash failed");
            break;
        }
        iterations += rig.flash.algorithm.iter;
    }
    state.counters["newton_iterations"] =
        static_cast<double>(iterations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FlashAtFixedTemperatureAndVolume);

} // namespace

BENCHMARK_MAIN();
