// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/brine.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "aqueous/iapws95.hpp"

namespace zephon::aqueous {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kPaPerBar = 1e5;

// The pressure-dependent parameters of T_V = n1 + n2 T + n30 exp(n31 T) at one pressure and x.
struct Parameters {
    double n1, n2, n30, n31;
};

Parameters parameters(double P, double x) {
    const double sqrtP = std::sqrt(P);
    const double n11 = -54.2958 - 45.7623 * std::exp(-9.44785e-4 * P);
    const double n21 = -2.6142 - 2.39092e-4 * P;
    const double n22 = 0.0356828 + 4.37235e-6 * P + 2.0566e-9 * P * P;
    const double n1x1 =
        330.47 + 0.942876 * sqrtP + 0.0817193 * P - 2.47556e-8 * P * P + 3.45052e-10 * P * P * P;
    const double n2x1 =
        -0.0370751 + 0.00237723 * sqrtP + 5.42049e-5 * P + 5.84709e-9 * P * P - 5.99373e-13 * P * P * P;
    // The pure-water limits (T_V = T at x = 0) and the pure-salt ones fix the remaining terms.
    const double n10 = n1x1;
    const double n12 = -n11 - n10;
    const double n20 = 1.0 - n21 * std::sqrt(n22);
    const double n23 = n2x1 - n20 - n21 * std::sqrt(1.0 + n22);

    // The terms of the deviation D(T) = n30 exp(n31 T). The signs matter: n302 decays with
    // pressure (a growing exponent makes the density fall as pressure rises) and n310 carries its
    // linear term in P.
    const double n300 = 7.60664e6 / ((P + 472.051) * (P + 472.051));
    const double n301 = -50.0 - 86.1446 * std::exp(-6.21128e-4 * P);
    const double n302 = 294.318 * std::exp(-5.66735e-3 * P);
    const double n310 = -0.0732761 * std::exp(-2.3772e-3 * P) - 5.2948e-5 * P;
    const double n311 = -47.2747 + 24.3653 * std::exp(-1.25533e-3 * P);
    const double n312 = -0.278529 - 8.1381e-4 * P;

    const double y = 1.0 - x;
    Parameters p;
    p.n1 = n10 + n11 * y + n12 * y * y;
    p.n2 = n20 + n21 * std::sqrt(x + n22) + n23 * x;
    p.n30 = n300 * (std::exp(n301 * x) - 1.0) + n302 * x;
    p.n31 = n310 * std::exp(n311 * x) + n312 * x;
    return p;
}

double scaled_temperature_only(double T, double P, double x) {
    const Parameters p = parameters(P, x);
    return p.n1 + p.n2 * T + p.n30 * std::exp(p.n31 * T);
}

BrineResult refused(const char* pattern, double T, double P, double x) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, T, P, x);
    BrineResult r;
    r.message = text;
    return r;
}

} // namespace

ScaledTemperature driesner_scaled_temperature(double T, double P, double x) {
    const Parameters p = parameters(P, x);
    const double D = p.n30 * std::exp(p.n31 * T);
    return {p.n1 + p.n2 * T + D, p.n2 + p.n31 * D};
}

BrineResult brine_state(double T, double P, double x, double waterStart) {
    if (!std::isfinite(T) || !std::isfinite(P) || !std::isfinite(x) || !(P > 0) || x < 0 || x > 1)
        return refused("The brine state at %.2f \xC2\xB0"
                       "C, %.2f bar, x = %.4f is outside the brine density correlation.",
                       T, P, x);
    const ScaledTemperature tv = driesner_scaled_temperature(T, P, x);
    const double tvK = tv.T_V + kKelvin;
    // (Less a rounding: 0.01 C, the triple point, is 273.15999999999997 K in binary.)
    if (!(tvK >= iapws95::kTriplePointTemperature - 1e-9))
        return refused("The brine at %.2f \xC2\xB0"
                       "C, %.2f bar, x(NaCl) = %.4f lies below the range of the brine density "
                       "correlation (its scaled temperature is below the triple point of water).",
                       T, P, x);
    const std::optional<double> rhoW = iapws95::liquid_density(tvK, P * kPaPerBar, waterStart);
    if (!rhoW)
        return refused("The brine at %.2f \xC2\xB0"
                       "C, %.2f bar, x(NaCl) = %.4f is not a liquid.",
                       T, P, x);
    const iapws95::PressureState w = iapws95::pressure_state(tvK, *rhoW);
    // d ln rho_w / dT at constant P, and d ln rho_w / dP (per bar) at constant T.
    const double dlnW_dT = -w.dp_dT / (w.dp_drho * *rhoW);
    const double dlnW_dP = kPaPerBar / (w.dp_drho * *rhoW);
    // dT_V/dP by a central difference: T_V is a smooth closed form in P.
    const double h = 1e-4 * P + 1e-3;
    const double dTV_dP =
        (scaled_temperature_only(T, P + h, x) - scaled_temperature_only(T, std::max(P - h, 0.5 * P), x)) /
        (P + h - std::max(P - h, 0.5 * P));

    BrineResult r;
    r.ok = true;
    r.state.rhoWater = *rhoW;
    r.state.rho = *rhoW * (x * kNaClMolarMass + (1.0 - x) * iapws95::kMolarMass) / iapws95::kMolarMass;
    r.state.dlnrho_dT = dlnW_dT * tv.dT_dT;
    r.state.dlnrho_dP = dlnW_dT * dTV_dP + dlnW_dP;
    return r;
}

} // namespace zephon::aqueous
