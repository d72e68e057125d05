// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/psat_correlation.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zephon::thermo {

namespace {
constexpr double kAtmosphere = 101325.0; // Pa
constexpr double kMmHgPerAtmosphere = 760.0;
} // namespace

double Antoine::Psat(double T) {
    const double u = C + T - 273.15;
    if (u < 0.0) return 1e-20;
    const double d = std::clamp(std::numbers::ln10 * (A - B / u), -100.0, 500.0);
    return kAtmosphere * std::exp(d) / kMmHgPerAtmosphere;
}

double Antoine::Tsat(double P) {
    return B / (A - std::log10(P * kMmHgPerAtmosphere / kAtmosphere)) - C + 273.15;
}

double Clapeyron::Psat(double T) {
    return Pb * std::exp((1.0 / T - 1.0 / Tb) * std::log(Pc / Pb) / (1.0 / Tc - 1.0 / Tb));
}

double Clapeyron::Tsat(double P) {
    return 1.0 / (std::log(P / Pb) * (1.0 / Tc - 1.0 / Tb) / std::log(Pc / Pb) + 1.0 / Tb);
}

} // namespace zephon::thermo
