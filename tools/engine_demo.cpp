// SPDX-License-Identifier: BSD-3-Clause
// A short demonstration of the thermodynamic engine: the bubble curve of a black oil of the
// built-in component table, traced point by point with the predictor and the Newton flash.
#include "thermo/cla_cubic.hpp"
#include "thermo/component_properties.hpp"
#include "thermo/eos_flash.hpp"

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace zephon::thermo;

namespace {

// A flash whose ideal-mixture start uses the built-in saturation correlations.
class OilFlash : public EosFlash {
  public:
    using EosFlash::EosFlash;
    short read_component_data(short i, const char*) override {
        if (const auto row = ideal_component_by_index(i)) set_ideal_component(i, *row);
        return 0;
    }
};

} // namespace

int main() {
    static const double z[17] = {0.005, 0.02,  0.01, 0.45, 0.08, 0.06,  0.012, 0.025, 0.012,
                                 0.018, 0.045, 0.05, 0.04, 0.03, 0.025, 0.08,  0.038};
    TableCubic liquid(2), vapour(1);
    OilFlash flash(liquid, vapour);
    flash.number_of_components(17);
    double sum = 0.0;
    for (double v : z)
        sum += v;
    for (short i = 0; i < 17; ++i)
        flash.add_component(i, kComponentTable[i].name);
    for (short i = 0; i < 17; ++i)
        flash.composition(i, z[i] / sum);

    std::printf("Zephon engine demonstration: bubble curve of a 17-component black oil\n");
    std::printf("%10s %12s %14s %12s\n", "T (C)", "P (bar)", "liquid kg/m3", "C1 in gas %");
    flash.set_type_of_problem(13);
    flash.set_the_temperature(273.15);
    flash.set_the_vaporization_ratio(0.0);
    flash.set_initialization_flag(2);
    flash.calculateVLE();
    if (flash.errorflag != 0) {
        std::fprintf(stderr, "the first bubble point did not converge\n");
        return 1;
    }
    auto print = [&] {
        std::printf("%10.2f %12.3f %14.2f %12.2f\n", flash.T - 273.15, flash.P / 1e5, liquid.density,
                    100.0 * flash.y[3]);
    };
    print();
    flash.gradeflag = 0;
    double lambda = 1.0;
    int points = 1;
    while (points < 60) {
        flash.save();
        flash.estimateNextIsoplethPoint(lambda, 10.0, 500000.0);
        flash.set_initialization_flag(0);
        flash.calculateVLE();
        if (flash.errorflag != 0) {
            flash.restore();
            lambda /= 2.0;
            if (lambda < 0.01) break;
            continue;
        }
        lambda = std::min(1.0, lambda * 1.2);
        ++points;
        print();
    }
    std::printf("%d points; the curve ends where liquid and gas become alike (critical region).\n", points);
    return 0;
}
