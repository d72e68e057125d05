// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/host_mineral.hpp"

#include <cmath>

namespace zephon::aqueous {

const char* host_mineral_word(HostMineral host) {
    switch (host) {
    case HostMineral::Quartz:
        return "quartz";
    case HostMineral::Calcite:
        return "calcite";
    case HostMineral::Fluorite:
        return "fluorite";
    case HostMineral::None:
        break;
    }
    return "none";
}

bool host_mineral_from_word(const std::string& word, HostMineral& host) {
    for (HostMineral h :
         {HostMineral::None, HostMineral::Quartz, HostMineral::Calcite, HostMineral::Fluorite}) {
        if (word == host_mineral_word(h)) {
            host = h;
            return true;
        }
    }
    return false;
}

const char* host_mineral_label(HostMineral host) {
    switch (host) {
    case HostMineral::Quartz:
        return "Quartz";
    case HostMineral::Calcite:
        return "Calcite";
    case HostMineral::Fluorite:
        return "Fluorite";
    case HostMineral::None:
        break;
    }
    return "None";
}

HostProperties host_properties(HostMineral host) {
    switch (host) {
    case HostMineral::Quartz:
        // Alpha quartz, up to its transition to beta quartz at 573 degrees C; expansion from
        // quartz_linear_strain. Compressibility: 1 / K with K = 37 GPa, the room-temperature bulk
        // modulus of alpha quartz (Angel, Allan, Miletich & Finger 1997, J. Appl. Cryst. 30, 461:
        // 37.12 GPa).
        return {0, 0, 0, 2.7e-6, 573.0};
    case HostMineral::Calcite:
        // Room-temperature data, taken as constant over basin temperatures. Expansion: along c
        // +25e-6 per K, across c -5.6e-6 per K (the tabulated single-crystal values at 25 degrees
        // C), so alpha_V = 25 - 2 x 5.6 = 13.8e-6 per K. Compressibility: 1 / K with K = 73.3 GPa,
        // the Voigt-Reuss-Hill average of the room-temperature single-crystal elastic constants
        // C11 144, C12 53.9, C13 51.1, C14 -20.5, C33 84, C44 33.5 GPa (the bulk modulus Dandekar
        // 1968, J. Appl. Phys. 39, 3694, reports).
        return {13.8e-6, 0, 0, 1.0 / 73.3e4};
    case HostMineral::Fluorite:
        // CaF2. Expansion: 3 x 18.9e-6 per K, the linear expansion at room temperature (Batchelder
        // & Simmons 1964, J. Chem. Phys. 41, 2324), taken as constant. Compressibility: 1 / K with
        // K = (C11 + 2 C12) / 3 = 84.05 GPa from C11 164.20 and C12 43.98 GPa at 298 K (CRC
        // Handbook of Chemistry and Physics, 82nd ed., elastic constants of cubic crystals).
        return {56.7e-6, 0, 0, 1.0 / 84.05e4};
    case HostMineral::None:
        break;
    }
    return {};
}

QuartzStrain quartz_linear_strain(double T) {
    // Kosinski, Gualtieri & Ballato (1992, Thermoelasticity in quartz, ESA SP-340, 397; the data
    // analysis of their Thermal expansion of alpha quartz, 45th Annual Symposium on Frequency
    // Control 1991): the thermal expansion coefficients referred to 25 degrees C, strain =
    // alpha(1) t + alpha(2) t^2 + alpha(3) t^3 with t = T - 25: alpha11 = 13.65e-6, 11.02e-9,
    // 19.32e-12 and alpha33 = 7.50e-6, 8.00e-9, 10.44e-12 (per K, K^2, K^3). alpha_V is 34.8e-6
    // per K at 25 and 40.1e-6 at 100 degrees C. The recommended values span -50 to 150 degrees
    // C; above, up to the alpha-beta transition, the series is carried on, without the steep rise
    // of the expansion in the last tens of kelvins before the transition.
    const double t = T - 25.0;
    QuartzStrain s;
    s.a = t * (13.65e-6 + t * (11.02e-9 + t * 19.32e-12));
    s.c = t * (7.50e-6 + t * (8.00e-9 + t * 10.44e-12));
    s.dadT = 13.65e-6 + t * (2 * 11.02e-9 + t * 3 * 19.32e-12);
    s.dcdT = 7.50e-6 + t * (2 * 8.00e-9 + t * 3 * 10.44e-12);
    return s;
}

namespace {

// ln(V(T) / V(25 C)) of quartz: two a axes and one c axis.
double quartz_log_volume(double T) {
    const QuartzStrain s = quartz_linear_strain(T);
    return 2.0 * std::log1p(s.a) + std::log1p(s.c);
}

} // namespace

double host_expansion(HostMineral host, double T) {
    if (host == HostMineral::Quartz) {
        const QuartzStrain s = quartz_linear_strain(T);
        return 2.0 * s.dadT / (1.0 + s.a) + s.dcdT / (1.0 + s.c);
    }
    const HostProperties h = host_properties(host);
    return h.a0 + h.a1 * T + h.a2 * T * T;
}

double host_log_volume_ratio(HostMineral host, double th, double ph, double T, double P) {
    const HostProperties h = host_properties(host);
    if (host == HostMineral::Quartz) return quartz_log_volume(T) - quartz_log_volume(th) - h.beta * (P - ph);
    auto primitive = [&h](double t) { return t * (h.a0 + t * (h.a1 / 2.0 + t * h.a2 / 3.0)); };
    return primitive(T) - primitive(th) - h.beta * (P - ph);
}

} // namespace zephon::aqueous
